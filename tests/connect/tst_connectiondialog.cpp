// The connection dialog against the simulated drive over a real pseudo-terminal: the station
// scan, replies that come late or in pieces, OK and the order of its signals, the port
// settings asked for and kept in "port.ini", a failed Connect, and the toggle during a scan.

#include "drivemodel.h"
#include "modalanswerer.h"
#include "serialport.h"
#include "simulateddrive.h"
#include "tempworkdir.h"

#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QtTest>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

Q_DECLARE_METATYPE(SimulatedDrive::Failure)

namespace {

const QString kPortClosed = QStringLiteral("串口未打开/设备未连接");
const QString kNotSelected = QStringLiteral("Address not selected");
const char *const kLineBoxes[] = {"comboBox_Baud", "comboBox_DataBits", "comboBox_ParityBits", "comboBox_StopBits"};
const char *const kLineKeys[] = {"config/BaudNumber", "config/DataNumber", "config/ParityNumber", "config/StopNumber"};

template <typename T>
T *child(serialPort &dialog, const char *name)
{
    T *widget = dialog.findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("the connection dialog has no %s", name);
    return widget;
}

// The bytes that wait in a port no one has open (looked at without taking them).
int bytesWaiting(const QString &portName)
{
    int count = 0;
    const int fd = ::open(QFile::encodeName(portName).constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
    if (fd >= 0 && ::ioctl(fd, FIONREAD, &count) != 0)
        count = 0;
    return fd >= 0 && ::close(fd) == 0 ? count : 0;
}

QPushButton *button(serialPort &dialog, const char *name) { return child<QPushButton>(dialog, name); }
QPushButton *toggle(serialPort &dialog) { return button(dialog, "pushButtot_Connect"); }

QByteArray fileBytes(const QString &name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A folder of its own as working directory, a running drive at station 1, a box answerer
// and the dialog (declared in that order: built in it, torn down in reverse).
struct Rig {
    explicit Rig(int family = 0)
    {
        QSettings(QStringLiteral("driver.ini"), QSettings::IniFormat).setValue("config/DriverChoose", family);
        started = drive.start();
    }

    // Connects to the drive's pty (entered as one more port entry) and scans the range.
    bool scan(const QString &start, const QString &end)
    {
        if (!started)
            return false;
        QComboBox *ports = child<QComboBox>(dialog, "comboBox_Port");
        if (ports->currentText() != drive.portName()) {
            ports->addItem(drive.portName());
            ports->setCurrentIndex(ports->count() - 1);
        }
        child<QLineEdit>(dialog, "lineEdit_Start")->setText(start);
        child<QLineEdit>(dialog, "lineEdit_End")->setText(end);
        toggle(dialog)->click();
        return dialog.isPortOpen();
    }

    // VR drives at stations 1 (VR1P) and 3 (VR1M), scanned over 1 to 3.
    bool scanTwoDrives()
    {
        drive.addStation(3);
        drive.setRegister(0xC000, 0x0010, 1);
        drive.setRegister(0xC000, 0x0012, 3);
        return scan(QStringLiteral("1"), QStringLiteral("3"));
    }

    // The rows of the result table as "station:model".
    QStringList rows()
    {
        QTableWidget *table = child<QTableWidget>(dialog, "tableWidget");
        QStringList rows;
        for (int r = 0; r < table->rowCount(); ++r) {
            const QTableWidgetItem *station = table->item(r, 0);
            const QTableWidgetItem *model = table->item(r, 1);
            if (station || model)
                rows << (station ? station->text() : QString()) + ':' + (model ? model->text() : QString());
        }
        return rows;
    }

    // The stations the drive was asked, in order.
    QList<int> stationsAsked() const
    {
        QList<int> stations;
        for (const QByteArray &request : drive.requests())
            stations << quint8(request.at(0));
        return stations;
    }

    TempWorkDir work;
    SimulatedDrive drive{1};
    ModalBoxAnswerer boxes;
    serialPort dialog;
    bool started = false;
};

} // namespace

class ConnectionDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void scan_data();
    void scan();
    void onlyTwentyListed();
    void aScanThatFindsNoDriveSaysSo();
    void okConfirmsTheChosenRow();
    void okRefusedWhileScanning();
    void searchAgainLeftWithCancel_data();
    void searchAgainLeftWithCancel();
    void toggleDuringScan();
    void keysThenLostLineThenReconnect();
    void settingsAskedAndKept_data();
    void settingsAskedAndKept();
    void connectFailure_data();
    void connectFailure();
    void storedLineSettingOutsideItsBox_data();
    void storedLineSettingOutsideItsBox();
};

// Stations 1 and 3 answer (VR and HXQ model words both set), station 2 is silent; the range
// is given swapped. The query of station 1 may misbehave.
void ConnectionDialogTest::scan_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<SimulatedDrive::Failure>("failure");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("dataErrorBoxes");

    using F = SimulatedDrive::Failure;
    QTest::newRow("VR family") << 0 << F::None << QStringList{"1:VR1M", "3:VR2"} << 0;
    QTest::newRow("HXQ family") << 1 << F::None << QStringList{"1:HXQ-B1", "3:others"} << 0;
    // A model reply in pieces is gathered: a row, and no "数据出错".
    QTest::newRow("split reply") << 0 << F::Split << QStringList{"1:VR1M", "3:VR2"} << 0;
    // Station 1 answers while station 2 is asked: no row for either, station 3 still listed,
    // and the late reply of another station is passed over without "数据出错".
    QTest::newRow("late reply") << 0 << F::Late << QStringList{"3:VR2"} << 0;
    QTest::newRow("bad CRC") << 0 << F::BadCrc << QStringList{"3:VR2"} << 1;
    QTest::newRow("exception") << 0 << F::Exception << QStringList{"3:VR2"} << 1;
    QTest::newRow("foreign station") << 1 << F::ForeignStation << QStringList{"3:others"} << 0;
    // The echo of a write asked over the last link, come after it closed, waits in the port: it
    // answers nothing of the new one.
    QTest::newRow("an echo left in the port") << 0 << F::None << QStringList{"1:VR1M", "3:VR2"} << 0;
}

void ConnectionDialogTest::scan()
{
    QFETCH(int, family);
    QFETCH(SimulatedDrive::Failure, failure);
    QFETCH(int, dataErrorBoxes);

    Rig rig(family);
    rig.drive.addStation(3);
    rig.drive.setRegister(0xC000, 0x001A, 1);
    rig.drive.setRegister(0xC000, 0x0030, 3);
    rig.drive.setRegister(0x0712, 101, 1);
    rig.drive.setRegister(0x0712, 201, 3);
    rig.drive.setLateDelay(700);
    if (QTest::currentDataTag() == QLatin1String("an echo left in the port")) {
        rig.drive.setFailure(SimulatedDrive::Failure::Late, 1);
        QVERIFY(rig.dialog.openPort(rig.drive.portName(), 115200));
        rig.dialog.writeSerial("0020", "0001", 1);
        rig.dialog.closePort();
        QTRY_VERIFY_WITH_TIMEOUT(bytesWaiting(rig.drive.portName()) > 0, 5000);
        rig.drive.clearRequests();
    }
    rig.drive.setFailure(failure, 1); // the query of station 1 only
    QSignalSpy first(&rig.dialog, &serialPort::changeFirst);

    QVERIFY(rig.scan(QStringLiteral("3"), QStringLiteral("1")));

    QCOMPARE(first.count(), 1);
    QTEST(rig.rows(), "rows");
    QCOMPARE(rig.boxes.countWithText(QStringLiteral("数据出错")), dataErrorBoxes);
    QCOMPARE(rig.boxes.count(), dataErrorBoxes);
    QCOMPARE(rig.stationsAsked(), (QList<int>{1, 2, 3}));
    QCOMPARE(child<QLineEdit>(rig.dialog, "lineEdit_Start")->text(), QStringLiteral("3")); // kept as typed
    QCOMPARE(child<QLineEdit>(rig.dialog, "lineEdit_End")->text(), QStringLiteral("1"));
    const QByteArray modelRegister = QByteArray::fromHex(family == 0 ? "C000" : "0712");
    for (const QByteArray &request : rig.drive.requests())
        QCOMPARE(request.mid(1, 5), QByteArray::fromHex("03") + modelRegister + QByteArray::fromHex("0001"));
    QVERIFY(button(rig.dialog, "pushButton_OK")->isEnabled());
    // Nothing stays pending after the scan, so the status poll is not shut out.
    QVERIFY(!rig.dialog.hasRequest(serialPort::ModelQueryMark));
}

// Both stations silent (a stalled drive): the scan says so and leaves the dialog as before
// Connect, so that Connect scans again and finds the drive once it answers.
void ConnectionDialogTest::aScanThatFindsNoDriveSaysSo()
{
    Rig rig;
    rig.drive.setFailure(SimulatedDrive::Failure::NoAnswer, 1); // station 2 is none
    QVERIFY(!rig.scan(QStringLiteral("1"), QStringLiteral("2")));
    QCOMPARE(rig.boxes.count(), 1);
    QCOMPARE(rig.boxes.last().text, QStringLiteral("没有驱动器应答"));
    QCOMPARE(toggle(rig.dialog)->text(), QStringLiteral("连接"));
    QVERIFY(rig.rows().isEmpty());
    QVERIFY(rig.scan(QStringLiteral("1"), QStringLiteral("2")));
    QCOMPARE(rig.rows().size(), 1);
    QCOMPARE(rig.boxes.count(), 1);

    // A Disconnect outside a scan silences nothing of the next one: neither its "no drive
    // answered" nor a link lost while it runs.
    toggle(rig.dialog)->click();
    rig.drive.setFailure(SimulatedDrive::Failure::NoAnswer);
    QVERIFY(!rig.scan(QStringLiteral("1"), QStringLiteral("1")));
    QCOMPARE(rig.boxes.count(), 2);
    QCOMPARE(rig.boxes.last().text, QStringLiteral("没有驱动器应答"));
    rig.drive.setFailure(SimulatedDrive::Failure::None);
    QVERIFY(rig.scan(QStringLiteral("1"), QStringLiteral("1")));
    toggle(rig.dialog)->click();
    QTimer pull; // the link goes while station 2 is asked
    connect(&pull, &QTimer::timeout, this, [&] {
        if (rig.dialog.stationText() == QLatin1String("02") && rig.dialog.hasRequest(serialPort::ModelQueryMark)) {
            pull.stop();
            rig.drive.dropLink();
        }
    });
    pull.start(20);
    const QString port = rig.drive.portName();
    QVERIFY(!rig.scan(QStringLiteral("1"), QStringLiteral("3")));
    QTRY_COMPARE(rig.boxes.count(), 3);
    QVERIFY2(rig.boxes.last().text.contains(port), qPrintable(rig.boxes.last().text));
}

void ConnectionDialogTest::onlyTwentyListed()
{
    Rig rig(1);
    for (int station = 2; station <= 21; ++station)
        rig.drive.addStation(station);
    QVERIFY(rig.scan(QStringLiteral("1"), QStringLiteral("21")));

    // All 21 are asked; the table keeps the first 20 answers.
    QCOMPARE(rig.stationsAsked().size(), 21);
    const QStringList rows = rig.rows();
    QCOMPARE(rows.size(), 20);
    QCOMPARE(rows.last(), QStringLiteral("20:HXQ1"));
    QCOMPARE(rig.dialog.stationText(), QStringLiteral("15")); // the last station asked, 21
}

void ConnectionDialogTest::okConfirmsTheChosenRow()
{
    Rig rig;
    serialPort &dialog = rig.dialog;
    QVERIFY(rig.scanTwoDrives());
    QCOMPARE(rig.rows(), (QStringList{"1:VR1P", "3:VR1M"}));
    dialog.show();

    QStringList heard;
    connect(&dialog, &serialPort::changeFirst, this, [&](bool b) { heard << QStringLiteral("changeFirst %1").arg(b); });
    connect(&dialog, &serialPort::isOpenSerial, this, [&](bool b) { heard << QStringLiteral("isOpenSerial %1").arg(b); });
    connect(&dialog, &serialPort::driverModelToSave, this, [&](const QString &m) { heard << "driverModelToSave " + m; });
    connect(&dialog, &serialPort::showMainWindow, this, [&] { heard << QStringLiteral("showMainWindow"); });
    QTableWidget *table = child<QTableWidget>(dialog, "tableWidget");
    auto ok = [&] { button(dialog, "pushButton_OK")->click(); };

    // Nothing selected, then an empty row selected: nothing to confirm.
    table->clearSelection();
    ok();
    table->selectRow(5);
    ok();
    QCOMPARE(rig.boxes.countWithText(kNotSelected), 2);
    QVERIFY(heard.isEmpty());
    QVERIFY(dialog.isVisible());

    // The scan left the last station asked; OK takes the row chosen.
    table->selectRow(1);
    ok();
    QCOMPARE(heard, (QStringList{"changeFirst 1", "isOpenSerial 1", "driverModelToSave VR1M", "showMainWindow"}));
    QCOMPARE(dialog.stationText(), QStringLiteral("03"));
    QCOMPARE(dialog.driverModel(), QStringLiteral("VR1M"));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(rig.boxes.count(), 2);

    // Later requests, reads and writes, go to the station confirmed.
    QSignalSpy answer(&dialog, &serialPort::readDataToShow);
    dialog.TreeViewOk(true);
    dialog.readSerial("C000", "0001", 1);
    QVERIFY(answer.wait(1000));
    QCOMPARE(answer.first().first().value<QVector<QString>>(), QVector<QString>{"0012"});
    QSignalSpy echo(&dialog, &serialPort::writeDataToCheck);
    dialog.writeSerial("0020", "00AB", 1);
    QVERIFY(echo.wait(1000));
    QCOMPARE(rig.drive.registerValue(0x0020, 3), quint16(0x00AB));

    // The scan's slot run in the running session (the form keeps its Search button hidden), then
    // Cancel: the windows go on with the station confirmed.
    dialog.show();
    child<QLineEdit>(dialog, "lineEdit_End")->setText(QStringLiteral("2"));
    button(dialog, "pushButton_Search")->click();
    button(dialog, "pushButton_Cancel")->click();
    QCOMPARE(dialog.stationText(), QStringLiteral("03"));

    // The toggle clears the table and closes the port; OK then has nothing to confirm.
    heard.clear();
    toggle(dialog)->click();
    QCOMPARE(heard, QStringList{"isOpenSerial 0"});
    QVERIFY(rig.rows().isEmpty());
    QVERIFY(dialog.findChildren<QSerialPort *>().size() <= 1); // the old one is being deleted
    table->selectRow(0);
    ok();
    QCOMPARE(rig.boxes.countWithText(kNotSelected), 3);

    // A language switch while connected drops the link and brings the dialog back.
    QVERIFY(rig.scan(QStringLiteral("1"), QStringLiteral("1")));
    dialog.hide();
    heard.clear();
    dialog.changeLanguage();
    QCOMPARE(heard, QStringList{"isOpenSerial 0"});
    QVERIFY(!dialog.isPortOpen());
    QVERIFY(dialog.isVisible());
}

void ConnectionDialogTest::okRefusedWhileScanning()
{
    Rig rig;
    rig.dialog.show();
    QSignalSpy mainWindow(&rig.dialog, &serialPort::showMainWindow);

    bool okEnabledDuringScan = true;
    QTimer::singleShot(250, this, [&] {
        // Station 1 has answered and is listed; station 2 is being asked.
        child<QTableWidget>(rig.dialog, "tableWidget")->selectRow(0);
        QPushButton *ok = button(rig.dialog, "pushButton_OK");
        okEnabledDuringScan = ok->isEnabled();
        ok->click();
    });
    QVERIFY(rig.scanTwoDrives());

    QVERIFY(!okEnabledDuringScan);
    QCOMPARE(mainWindow.count(), 0);
    QVERIFY(rig.dialog.isVisible());
    QVERIFY(button(rig.dialog, "pushButton_OK")->isEnabled());
}

void ConnectionDialogTest::searchAgainLeftWithCancel_data()
{
    QTest::addColumn<bool>("duringScan");
    QTest::newRow("Cancel during the scan") << true;
    QTest::newRow("Cancel after the scan") << false;
}

// In a running session a person searches again by Disconnect, then Connect (the form keeps its
// Search button hidden). Cancel then, during that scan or after it, leaves the port closed: the
// windows stay as Disconnect told them, nothing more goes to any station, and the dialog opens
// again ready to connect.
void ConnectionDialogTest::searchAgainLeftWithCancel()
{
    QFETCH(bool, duringScan);
    Rig rig;
    serialPort &dialog = rig.dialog;
    const auto press = [&](const char *name) { // as a person can: visible, enabled buttons only
        QPushButton *pressed = button(dialog, name);
        if (!pressed->isVisible() || !pressed->isEnabled())
            return false;
        QTest::mouseClick(pressed, Qt::LeftButton);
        return true;
    };
    dialog.showSerialPlotWindow();
    QVERIFY(rig.scanTwoDrives());
    child<QTableWidget>(dialog, "tableWidget")->selectRow(1);
    QVERIFY(press("pushButton_OK"));
    QSignalSpy open(&dialog, &serialPort::isOpenSerial);
    QSignalSpy mainWindow(&dialog, &serialPort::showMainWindow);

    dialog.showSerialPlotWindow();
    QVERIFY(press("pushButtot_Connect")); // Disconnect
    rig.drive.clearRequests();
    bool cancelled = !duringScan;
    QTimer watch; // station 2 is being asked
    connect(&watch, &QTimer::timeout, this, [&] {
        if (dialog.stationText() == QLatin1String("02") && dialog.hasRequest(serialPort::ModelQueryMark)) {
            watch.stop();
            cancelled = press("pushButton_Cancel");
        }
    });
    if (duringScan)
        watch.start(20);
    QVERIFY(press("pushButtot_Connect")); // the scan
    QVERIFY(cancelled && (duringScan || press("pushButton_Cancel")));

    QVERIFY(!dialog.isVisible() && !dialog.isPortOpen());
    QCOMPARE(rig.stationsAsked(), duringScan ? (QList<int>{1, 2}) : (QList<int>{1, 2, 3}));
    QCOMPARE(open.count(), 1); // Disconnect's
    QCOMPARE(open.first().first().toBool(), false);
    QCOMPARE(mainWindow.count(), 0);
    QCOMPARE(rig.boxes.count(), 0); // a scan left with Cancel ends without a word
    dialog.readSerial("C000", "0001", 1); // a window's request goes nowhere, and says so
    QVERIFY(!dialog.hasRequest(serialPort::ReadMark));
    QTRY_COMPARE(rig.boxes.countWithText(kPortClosed), 1);
    QCOMPARE(rig.boxes.count(), 1);

    dialog.showSerialPlotWindow();
    QCOMPARE(toggle(dialog)->text(), QStringLiteral("连接"));
    QVERIFY(rig.rows().isEmpty());
    QVERIFY(press("pushButtot_Connect"));
    child<QTableWidget>(dialog, "tableWidget")->selectRow(0);
    QVERIFY(press("pushButton_OK"));
    QCOMPARE(dialog.stationText(), QStringLiteral("01"));
    QCOMPARE(open.last().first().toBool(), true);
}

void ConnectionDialogTest::toggleDuringScan()
{
    Rig rig;
    serialPort &dialog = rig.dialog;
    rig.drive.setRegister(0xC000, 0x0011, 1);
    QSignalSpy open(&dialog, &serialPort::isOpenSerial);

    // During the wait for station 2: disconnect, then at once Connect again.
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        if (dialog.stationText() != QLatin1String("02") || !dialog.hasRequest(serialPort::ModelQueryMark))
            return;
        watch.stop();
        toggle(dialog)->click();
        toggle(dialog)->click();
    });
    watch.start(20);
    // The toggle stays where the person's pointer found it while the scan's progress shows.
    dialog.show();
    const QPoint place = toggle(dialog)->mapTo(&dialog, QPoint());
    connect(&watch, &QTimer::timeout, this, [&] {
        if (child<QProgressBar>(dialog, "progressBar")->isVisible())
            QCOMPARE(toggle(dialog)->mapTo(&dialog, QPoint()), place);
    });
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!rig.scan(QStringLiteral("1"), QStringLiteral("6")));

    // The scan ended at the next station without a word (a person's own Disconnect is no
    // error); no scan ran inside it.
    QVERIFY2(clock.elapsed() < 2000, "the scan went on after the disconnect");
    QCOMPARE(rig.stationsAsked(), (QList<int>{1, 2}));
    QCOMPARE(rig.boxes.count(), 0);
    QCOMPARE(toggle(dialog)->text(), QStringLiteral("连接"));
    QCOMPARE(open.count(), 1);
    QCOMPARE(open.first().first().toBool(), false);
    QVERIFY(child<QComboBox>(dialog, "comboBox_Baud")->isEnabled());

    // A later Connect starts a new scan on a new port.
    QVERIFY(rig.scan(QStringLiteral("1"), QStringLiteral("1")));
    QCOMPARE(rig.rows(), QStringList{"1:VR1E"});
}

// Return confirms the chosen station and never touches the toggle; Escape goes back to the
// running session; a lost line puts the dialog back to disconnected, says so once, and a new
// Connect finds the drive again.
void ConnectionDialogTest::keysThenLostLineThenReconnect()
{
    Rig rig;
    serialPort &dialog = rig.dialog;
    rig.drive.setRegister(0xC000, 0x0012, 1);
    QVERIFY(rig.scan(QStringLiteral("1"), QStringLiteral("1")));
    dialog.show();
    QSignalSpy mainWindow(&dialog, &serialPort::showMainWindow);
    QSignalSpy chooser(&dialog, &serialPort::showChooseDialog);
    QSignalSpy open(&dialog, &serialPort::isOpenSerial);
    QTableWidget *table = child<QTableWidget>(dialog, "tableWidget");

    // Return in a range field with no row chosen: nothing to confirm, the link stays.
    table->clearSelection();
    QTest::keyClick(child<QLineEdit>(dialog, "lineEdit_End"), Qt::Key_Return);
    QCOMPARE(rig.boxes.countWithText(kNotSelected), 1);
    table->selectRow(0);
    QTest::keyClick(table, Qt::Key_Return);
    QCOMPARE(mainWindow.count(), 1);
    QVERIFY(dialog.isPortOpen());
    QCOMPARE(rig.rows(), QStringList{"1:VR1M"});
    QVERIFY(!dialog.isVisible());

    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QCOMPARE(chooser.count(), 0);
    QVERIFY(!dialog.isVisible());
    QVERIFY(dialog.isPortOpen());
    QCOMPARE(open.count(), 1); // OK's announcement only

    const QString lostPort = dialog.port->portName();
    rig.drive.dropLink();
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.isPortOpen(), 5000);
    QTRY_COMPARE_WITH_TIMEOUT(rig.boxes.count(), 2, 5000);
    QVERIFY2(rig.boxes.last().text.contains(lostPort), qPrintable(rig.boxes.last().text));
    QCOMPARE(open.count(), 2);
    QCOMPARE(open.last().first().toBool(), false);
    QCOMPARE(toggle(dialog)->text(), QStringLiteral("连接"));
    QVERIFY(child<QComboBox>(dialog, "comboBox_Port")->isEnabled());
    QVERIFY(rig.rows().isEmpty());
    QCOMPARE(table->horizontalHeaderItem(1)->text(), QStringLiteral("型号"));
    button(dialog, "pushButton_OK")->click();
    QCOMPARE(rig.boxes.countWithText(kNotSelected), 2);
    QCOMPARE(mainWindow.count(), 1);
    QTest::qWait(200);
    QCOMPARE(rig.boxes.count(), 3); // the loss was told once

    QVERIFY2(rig.drive.start(), qPrintable(rig.drive.errorString()));
    QVERIFY(rig.scan(QStringLiteral("1"), QStringLiteral("1")));
    QCOMPARE(rig.rows(), QStringList{"1:VR1M"});
}

void ConnectionDialogTest::settingsAskedAndKept_data()
{
    QTest::addColumn<QList<int>>("indexes"); // baud, data bits, parity, stop bits
    QTest::addColumn<int>("baudRate");
    QTest::addColumn<QSerialPort::DataBits>("dataBits");
    QTest::addColumn<QSerialPort::Parity>("parity");
    QTest::addColumn<QSerialPort::StopBits>("stopBits");

    QTest::newRow("first entries") << QList<int>{0, 0, 0, 0} << 57600 << QSerialPort::Data8
                                   << QSerialPort::NoParity << QSerialPort::OneStop;
    QTest::newRow("7 bits even 2 stop") << QList<int>{4, 1, 2, 1} << 115200 << QSerialPort::Data7
                                        << QSerialPort::EvenParity << QSerialPort::TwoStop;
    QTest::newRow("5 bits odd") << QList<int>{6, 3, 1, 0} << 256000 << QSerialPort::Data5
                                << QSerialPort::OddParity << QSerialPort::OneStop;
}

void ConnectionDialogTest::settingsAskedAndKept()
{
    QFETCH(QList<int>, indexes);

    Rig rig;
    for (int i = 0; i < 4; ++i)
        child<QComboBox>(rig.dialog, kLineBoxes[i])->setCurrentIndex(indexes.at(i));
    QVERIFY(rig.scan(QStringLiteral("1"), QStringLiteral("1")));

    // What the port was asked for, whether or not the pseudo-terminal took it.
    const PortSettings &asked = rig.dialog.requestedPortSettings;
    QCOMPARE(asked.portName, rig.drive.portName());
    QTEST(int(asked.baudRate), "baudRate");
    QTEST(asked.dataBits, "dataBits");
    QTEST(asked.parity, "parity");
    QTEST(asked.stopBits, "stopBits");
    QVERIFY(asked.dataTerminalReady);

    // The next dialog (same folder) starts with the choices kept in "port.ini".
    const QSettings ini(QStringLiteral("port.ini"), QSettings::IniFormat);
    QCOMPARE(ini.value("config/PortNumber").toInt(), child<QComboBox>(rig.dialog, "comboBox_Port")->currentIndex());
    serialPort next;
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(ini.value(kLineKeys[i]).toString(), QString::number(indexes.at(i)));
        QCOMPARE(child<QComboBox>(next, kLineBoxes[i])->currentIndex(), indexes.at(i));
    }
}

void ConnectionDialogTest::connectFailure_data()
{
    QTest::addColumn<QString>("portIni");
    QTest::addColumn<QString>("portText");

    // COM7 stands for /dev/COM7, which a test machine does not have.
    QTest::newRow("device missing") << QString() << "COM7";
    QTest::newRow("stored index beyond the list") << "99" << "";
}

void ConnectionDialogTest::connectFailure()
{
    QFETCH(QString, portIni);
    QFETCH(QString, portText);
    if (!portText.isEmpty() && QFile::exists(QStringLiteral("/dev/") + portText))
        QSKIP("this machine has the port");

    TempWorkDir work;
    if (!portIni.isEmpty())
        QSettings(QStringLiteral("port.ini"), QSettings::IniFormat).setValue("config/PortNumber", portIni);
    const QByteArray iniBefore = fileBytes(QStringLiteral("port.ini"));

    ModalBoxAnswerer boxes;
    serialPort dialog;
    if (!portText.isEmpty())
        child<QComboBox>(dialog, "comboBox_Port")->setCurrentText(portText);
    QCOMPARE(child<QComboBox>(dialog, "comboBox_Port")->currentText(), portText);
    QSignalSpy open(&dialog, &serialPort::isOpenSerial);
    QSignalSpy first(&dialog, &serialPort::changeFirst);

    toggle(dialog)->click();
    toggle(dialog)->click(); // and once more: still a fresh, failing attempt

    QCOMPARE(boxes.countWithText(QStringLiteral("Serial port is not connected or open.")), 2);
    QCOMPARE(open.count(), 2);
    QCOMPARE(open.last().first().toBool(), false);
    QCOMPARE(first.count(), 0);
    QVERIFY(!dialog.isPortOpen());
    QCOMPARE(toggle(dialog)->text(), QStringLiteral("连接"));
    QVERIFY(child<QComboBox>(dialog, "comboBox_Port")->isEnabled());
    // No port object is left behind by a failed attempt.
    QVERIFY(dialog.findChildren<QSerialPort *>().isEmpty());
    // "port.ini" is written only after a successful Connect.
    QCOMPARE(fileBytes(QStringLiteral("port.ini")), iniBefore);
}

// An empty box would open the port with settings nobody chose (no baud rate, even parity).
void ConnectionDialogTest::storedLineSettingOutsideItsBox_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("stored");
    QTest::newRow("baud beyond the list") << 0 << "42";
    QTest::newRow("data bits negative") << 1 << "-3";
    QTest::newRow("parity beyond the list") << 2 << "9";
    QTest::newRow("stop bits beyond the list") << 3 << "7";
}

void ConnectionDialogTest::storedLineSettingOutsideItsBox()
{
    QFETCH(int, which);
    QFETCH(QString, stored);

    TempWorkDir work;
    QSettings(QStringLiteral("port.ini"), QSettings::IniFormat).setValue(kLineKeys[which], stored);
    serialPort dialog;
    QCOMPARE(child<QComboBox>(dialog, kLineBoxes[which])->currentIndex(), 0);
}

QTEST_MAIN(ConnectionDialogTest)
#include "tst_connectiondialog.moc"
