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

namespace {

template <typename T>
T *child(serialPort &dialog, const char *name)
{
    T *widget = dialog.findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("the connection dialog has no %s", name);
    return widget;
}

// The tests reach the drive by its absolute pty path, entered as one more port entry.
void choosePort(serialPort &dialog, const QString &path)
{
    QComboBox *ports = child<QComboBox>(dialog, "comboBox_Port");
    ports->addItem(path);
    ports->setCurrentIndex(ports->count() - 1);
}

void setRange(serialPort &dialog, const QString &start, const QString &end)
{
    child<QLineEdit>(dialog, "lineEdit_Start")->setText(start);
    child<QLineEdit>(dialog, "lineEdit_End")->setText(end);
}

void writeFamily(int family)
{
    QSettings settings(QStringLiteral("driver.ini"), QSettings::IniFormat);
    settings.setValue(QStringLiteral("config/DriverChoose"), family);
}

QPushButton *toggle(serialPort &dialog)
{
    return child<QPushButton>(dialog, "pushButtot_Connect");
}

// The rows of the result table as "station:model".
QStringList tableRows(serialPort &dialog)
{
    QTableWidget *table = child<QTableWidget>(dialog, "tableWidget");
    QStringList rows;
    for (int r = 0; r < table->rowCount(); ++r) {
        const QTableWidgetItem *station = table->item(r, 0);
        const QTableWidgetItem *model = table->item(r, 1);
        if (station || model)
            rows << (station ? station->text() : QString()) + QLatin1Char(':') + (model ? model->text() : QString());
    }
    return rows;
}

// The stations the drive was asked for its model, in order.
QList<int> stationsAsked(const SimulatedDrive &drive)
{
    QList<int> stations;
    for (const QByteArray &request : drive.requests())
        stations << quint8(request.at(0));
    return stations;
}

} // namespace

class ConnectionDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void scanListsAnsweringStations_data();
    void scanListsAnsweringStations();
    void troubledReplies_data();
    void troubledReplies();
    void onlyTwentyListed();
    void okSendsInOrder();
    void okWithoutSelection();
    void okRefusedWhileScanning();
    void toggleDuringScan();
    void disconnectAndLanguageSwitch();
    void settingsAskedAndKept_data();
    void settingsAskedAndKept();
    void connectFailure_data();
    void connectFailure();
    void storedLineSettingOutsideItsBox_data();
    void storedLineSettingOutsideItsBox();
};

void ConnectionDialogTest::scanListsAnsweringStations_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QByteArray>("modelRegister");

    QTest::newRow("VR family") << 0 << QStringList{"1:VR1M", "3:VR2"} << QByteArray::fromHex("C000");
    QTest::newRow("HXQ family") << 1 << QStringList{"1:HXQ-B1", "3:others"} << QByteArray::fromHex("0712");
}

void ConnectionDialogTest::scanListsAnsweringStations()
{
    QFETCH(int, family);
    QFETCH(QStringList, rows);
    QFETCH(QByteArray, modelRegister);

    TempWorkDir work;
    writeFamily(family);
    SimulatedDrive drive(1);
    drive.addStation(3); // station 2 is silent
    drive.setRegister(0xC000, 0x001A, 1);
    drive.setRegister(0xC000, 0x0030, 3);
    drive.setRegister(0x0712, 101, 1);
    drive.setRegister(0x0712, 201, 3);
    QVERIFY2(drive.start(), qPrintable(drive.errorString()));

    ModalBoxAnswerer answerer;
    serialPort dialog;
    choosePort(dialog, drive.portName());
    setRange(dialog, QStringLiteral("3"), QStringLiteral("1")); // swapped: stations 1 to 3
    QSignalSpy firstSpy(&dialog, &serialPort::changeFirst);

    toggle(dialog)->click();

    QVERIFY(dialog.isPortOpen());
    QCOMPARE(toggle(dialog)->text(), QStringLiteral("断开"));
    QCOMPARE(firstSpy.count(), 1);
    QCOMPARE(tableRows(dialog), rows);
    QCOMPARE(answerer.count(), 0);
    QCOMPARE(stationsAsked(drive), (QList<int>{1, 2, 3}));
    for (const QByteArray &request : drive.requests())
        QCOMPARE(request.mid(1, 5), QByteArray::fromHex("03") + modelRegister + QByteArray::fromHex("0001"));
    // The fields keep their texts; the progress bar is gone; OK is offered again.
    QCOMPARE(child<QLineEdit>(dialog, "lineEdit_Start")->text(), QStringLiteral("3"));
    QCOMPARE(child<QLineEdit>(dialog, "lineEdit_End")->text(), QStringLiteral("1"));
    QVERIFY(child<QProgressBar>(dialog, "progressBar")->isHidden());
    QVERIFY(child<QPushButton>(dialog, "pushButton_OK")->isEnabled());
    // Nothing stays pending after the scan, so the status poll is not shut out.
    QVERIFY(!dialog.modelQueryPending);
}

void ConnectionDialogTest::troubledReplies_data()
{
    QTest::addColumn<int>("failure");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("dataErrorBoxes"); // -1: not looked at

    using F = SimulatedDrive::Failure;
    QTest::newRow("normal") << int(F::None) << QStringList{"1:VR1P", "3:VR1E"} << 0;
    // A model reply in pieces is gathered: a row, and no "数据出错".
    QTest::newRow("split reply") << int(F::Split) << QStringList{"1:VR1P", "3:VR1E"} << 0;
    // Station 1 answers while station 2 is asked: no row for either, station 3 still listed,
    // and the late reply of another station is passed over without "数据出错".
    QTest::newRow("late reply") << int(F::Late) << QStringList{"3:VR1E"} << 0;
    QTest::newRow("bad CRC") << int(F::BadCrc) << QStringList{"3:VR1E"} << 1;
    QTest::newRow("exception") << int(F::Exception) << QStringList{"3:VR1E"} << 1;
    QTest::newRow("foreign station") << int(F::ForeignStation) << QStringList{"3:VR1E"} << 0;
}

void ConnectionDialogTest::troubledReplies()
{
    QFETCH(int, failure);
    QFETCH(QStringList, rows);
    QFETCH(int, dataErrorBoxes);

    TempWorkDir work;
    writeFamily(0);
    SimulatedDrive drive(1);
    drive.addStation(3);
    drive.setRegister(0xC000, 0x0018, 1);
    drive.setRegister(0xC000, 0x0019, 3);
    drive.setLateDelay(700);
    drive.setFailure(SimulatedDrive::Failure(failure), 1); // the query of station 1 only
    QVERIFY2(drive.start(), qPrintable(drive.errorString()));

    ModalBoxAnswerer answerer;
    serialPort dialog;
    choosePort(dialog, drive.portName());
    setRange(dialog, QStringLiteral("1"), QStringLiteral("3"));
    toggle(dialog)->click();

    QCOMPARE(tableRows(dialog), rows);
    if (dataErrorBoxes >= 0)
        QCOMPARE(answerer.countWithText(QStringLiteral("数据出错")), dataErrorBoxes);
}

void ConnectionDialogTest::onlyTwentyListed()
{
    TempWorkDir work;
    writeFamily(1);
    SimulatedDrive drive(1);
    for (int station = 2; station <= 21; ++station)
        drive.addStation(station);
    QVERIFY2(drive.start(), qPrintable(drive.errorString()));

    ModalBoxAnswerer answerer;
    serialPort dialog;
    choosePort(dialog, drive.portName());
    setRange(dialog, QStringLiteral("1"), QStringLiteral("21"));
    toggle(dialog)->click();

    // All 21 are asked; the table keeps the first 20 answers.
    QCOMPARE(stationsAsked(drive).size(), 21);
    const QStringList rows = tableRows(dialog);
    QCOMPARE(rows.size(), 20);
    QCOMPARE(rows.first(), QStringLiteral("1:HXQ1"));
    QCOMPARE(rows.last(), QStringLiteral("20:HXQ1"));
    QCOMPARE(dialog.stationText(), QStringLiteral("15")); // the last station asked, 21
}

// Scans stations 1 to 3 with drives at 1 and 3 and returns with the port open.
static bool connectAndScan(serialPort &dialog, SimulatedDrive &drive)
{
    writeFamily(0);
    drive.addStation(3);
    drive.setRegister(0xC000, 0x0010, 1);
    drive.setRegister(0xC000, 0x0012, 3);
    if (!drive.start())
        return false;
    choosePort(dialog, drive.portName());
    setRange(dialog, QStringLiteral("1"), QStringLiteral("3"));
    toggle(dialog)->click();
    return dialog.isPortOpen();
}

void ConnectionDialogTest::okSendsInOrder()
{
    TempWorkDir work;
    SimulatedDrive drive(1);
    ModalBoxAnswerer answerer;
    serialPort dialog;
    QVERIFY(connectAndScan(dialog, drive));
    QCOMPARE(tableRows(dialog), (QStringList{"1:VR1P", "3:VR1M"}));
    dialog.show();

    QStringList heard;
    connect(&dialog, &serialPort::changeFirst, this, [&](bool b) { heard << QStringLiteral("changeFirst %1").arg(b); });
    connect(&dialog, &serialPort::isOpenSerial, this, [&](bool b) { heard << QStringLiteral("isOpenSerial %1").arg(b); });
    connect(&dialog, &serialPort::driverModelToSave, this, [&](const QString &m) { heard << "driverModelToSave " + m; });
    connect(&dialog, &serialPort::showMainWindow, this, [&] { heard << QStringLiteral("showMainWindow"); });

    // The scan left the last station asked; OK takes the row chosen.
    child<QTableWidget>(dialog, "tableWidget")->selectRow(1);
    child<QPushButton>(dialog, "pushButton_OK")->click();

    QCOMPARE(heard, (QStringList{"changeFirst 1", "isOpenSerial 1", "driverModelToSave VR1M", "showMainWindow"}));
    QCOMPARE(dialog.stationText(), QStringLiteral("03"));
    QCOMPARE(dialog.driverModel(), QStringLiteral("VR1M"));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(answerer.count(), 0);

    // Later requests go to the station confirmed.
    drive.clearRequests();
    QSignalSpy answer(&dialog, &serialPort::readDataToShow);
    dialog.TreeViewOk(true);
    dialog.readSerial("C000", "0001", 1);
    QVERIFY(answer.wait(1000));
    QCOMPARE(answer.first().first().value<QVector<QString>>(), QVector<QString>{"0012"});
    QCOMPARE(quint8(drive.lastRequest().at(0)), quint8(3));
}

void ConnectionDialogTest::okWithoutSelection()
{
    TempWorkDir work;
    SimulatedDrive drive(1);
    ModalBoxAnswerer answerer;
    serialPort dialog;
    QVERIFY(connectAndScan(dialog, drive));
    dialog.show();
    QSignalSpy first(&dialog, &serialPort::changeFirst);
    QSignalSpy open(&dialog, &serialPort::isOpenSerial);
    QSignalSpy model(&dialog, &serialPort::driverModelToSave);
    QSignalSpy mainWindow(&dialog, &serialPort::showMainWindow);

    // Nothing selected, then an empty row selected.
    QTableWidget *table = child<QTableWidget>(dialog, "tableWidget");
    table->clearSelection();
    child<QPushButton>(dialog, "pushButton_OK")->click();
    table->selectRow(5);
    child<QPushButton>(dialog, "pushButton_OK")->click();

    QCOMPARE(answerer.countWithText(QStringLiteral("Address not selected")), 2);
    QCOMPARE(answerer.last().title, QStringLiteral("error"));
    QCOMPARE(first.count() + open.count() + model.count() + mainWindow.count(), 0);
    QVERIFY(dialog.isVisible());
}

void ConnectionDialogTest::okRefusedWhileScanning()
{
    TempWorkDir work;
    SimulatedDrive drive(1);
    ModalBoxAnswerer answerer;
    serialPort dialog;
    dialog.show();
    QSignalSpy mainWindow(&dialog, &serialPort::showMainWindow);

    bool okEnabledDuringScan = true;
    QTimer::singleShot(250, this, [&] {
        // Station 1 has answered and is listed; station 2 is being asked.
        QTableWidget *table = child<QTableWidget>(dialog, "tableWidget");
        table->selectRow(0);
        QPushButton *ok = child<QPushButton>(dialog, "pushButton_OK");
        okEnabledDuringScan = ok->isEnabled();
        ok->click();
    });
    QVERIFY(connectAndScan(dialog, drive));

    QVERIFY(!okEnabledDuringScan);
    QCOMPARE(mainWindow.count(), 0);
    QVERIFY(dialog.isVisible());
    QVERIFY(child<QPushButton>(dialog, "pushButton_OK")->isEnabled());
}

void ConnectionDialogTest::toggleDuringScan()
{
    TempWorkDir work;
    writeFamily(0);
    SimulatedDrive drive(1);
    drive.setRegister(0xC000, 0x0011, 1);
    QVERIFY2(drive.start(), qPrintable(drive.errorString()));

    ModalBoxAnswerer answerer;
    serialPort dialog;
    choosePort(dialog, drive.portName());
    setRange(dialog, QStringLiteral("1"), QStringLiteral("6"));
    QSignalSpy open(&dialog, &serialPort::isOpenSerial);

    // During the wait for station 2: disconnect, then at once Connect again.
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        if (dialog.stationText() != QLatin1String("02") || !dialog.modelQueryPending)
            return;
        watch.stop();
        toggle(dialog)->click();
        toggle(dialog)->click();
    });
    watch.start(20);
    QElapsedTimer clock;
    clock.start();
    toggle(dialog)->click();

    // The scan ended at the next station with the closed-port warning; no scan ran inside it.
    QVERIFY2(clock.elapsed() < 2000, "the scan went on after the disconnect");
    QCOMPARE(stationsAsked(drive), (QList<int>{1, 2}));
    QCOMPARE(answerer.countWithText(QStringLiteral("串口未打开/设备未连接")), 1);
    QVERIFY(!dialog.isPortOpen());
    QCOMPARE(toggle(dialog)->text(), QStringLiteral("连接"));
    QCOMPARE(open.count(), 1);
    QCOMPARE(open.first().first().toBool(), false);
    QVERIFY(child<QComboBox>(dialog, "comboBox_Baud")->isEnabled());

    // A later Connect starts a new scan on a new port.
    drive.clearRequests();
    setRange(dialog, QStringLiteral("1"), QStringLiteral("1"));
    toggle(dialog)->click();
    QVERIFY(dialog.isPortOpen());
    QCOMPARE(tableRows(dialog), QStringList{"1:VR1E"});
}

void ConnectionDialogTest::disconnectAndLanguageSwitch()
{
    TempWorkDir work;
    SimulatedDrive drive(1);
    ModalBoxAnswerer answerer;
    serialPort dialog;
    QVERIFY(connectAndScan(dialog, drive));

    // The toggle clears the table and closes the port; OK then has nothing to confirm.
    QSignalSpy open(&dialog, &serialPort::isOpenSerial);
    toggle(dialog)->click();
    QVERIFY(!dialog.isPortOpen());
    QCOMPARE(open.count(), 1);
    QVERIFY(tableRows(dialog).isEmpty());
    QVERIFY(dialog.findChildren<QSerialPort *>().size() <= 1); // the old one is being deleted
    child<QPushButton>(dialog, "pushButton_OK")->click();
    QCOMPARE(answerer.countWithText(QStringLiteral("Address not selected")), 1);

    // A language switch while connected drops the link and brings the dialog back.
    setRange(dialog, QStringLiteral("1"), QStringLiteral("1"));
    toggle(dialog)->click();
    QVERIFY(dialog.isPortOpen());
    dialog.hide();
    open.clear();
    dialog.changeLanguage();
    QVERIFY(!dialog.isPortOpen());
    QCOMPARE(open.count(), 1);
    QCOMPARE(open.first().first().toBool(), false);
    QVERIFY(dialog.isVisible());
}


void ConnectionDialogTest::settingsAskedAndKept_data()
{
    QTest::addColumn<int>("baudIndex");
    QTest::addColumn<int>("dataIndex");
    QTest::addColumn<int>("parityIndex");
    QTest::addColumn<int>("stopIndex");
    QTest::addColumn<int>("baudRate");
    QTest::addColumn<QSerialPort::DataBits>("dataBits");
    QTest::addColumn<QSerialPort::Parity>("parity");
    QTest::addColumn<QSerialPort::StopBits>("stopBits");

    QTest::newRow("first entries") << 0 << 0 << 0 << 0 << 57600 << QSerialPort::Data8 << QSerialPort::NoParity
                                   << QSerialPort::OneStop;
    QTest::newRow("7 bits even 2 stop") << 4 << 1 << 2 << 1 << 115200 << QSerialPort::Data7 << QSerialPort::EvenParity
                                        << QSerialPort::TwoStop;
    QTest::newRow("5 bits odd") << 6 << 3 << 1 << 0 << 256000 << QSerialPort::Data5 << QSerialPort::OddParity
                                << QSerialPort::OneStop;
}

void ConnectionDialogTest::settingsAskedAndKept()
{
    QFETCH(int, baudIndex);
    QFETCH(int, dataIndex);
    QFETCH(int, parityIndex);
    QFETCH(int, stopIndex);

    TempWorkDir work;
    writeFamily(0);
    SimulatedDrive drive(1);
    QVERIFY2(drive.start(), qPrintable(drive.errorString()));
    ModalBoxAnswerer answerer;
    int portIndex = -1;
    {
        serialPort dialog;
        choosePort(dialog, drive.portName());
        portIndex = child<QComboBox>(dialog, "comboBox_Port")->currentIndex();
        child<QComboBox>(dialog, "comboBox_Baud")->setCurrentIndex(baudIndex);
        child<QComboBox>(dialog, "comboBox_DataBits")->setCurrentIndex(dataIndex);
        child<QComboBox>(dialog, "comboBox_ParityBits")->setCurrentIndex(parityIndex);
        child<QComboBox>(dialog, "comboBox_StopBits")->setCurrentIndex(stopIndex);
        setRange(dialog, QStringLiteral("1"), QStringLiteral("1"));
        toggle(dialog)->click();
        QVERIFY(dialog.isPortOpen());

        // What the port was asked for, whether or not the pseudo-terminal took it.
        const PortSettings &asked = dialog.requestedPortSettings;
        QCOMPARE(asked.portName, drive.portName());
        QTEST(int(asked.baudRate), "baudRate");
        QTEST(asked.dataBits, "dataBits");
        QTEST(asked.parity, "parity");
        QTEST(asked.stopBits, "stopBits");
        QVERIFY(asked.dataTerminalReady);
        QVERIFY(!child<QComboBox>(dialog, "comboBox_DataBits")->isEnabled());
    }

    const QSettings ini(QStringLiteral("port.ini"), QSettings::IniFormat);
    QCOMPARE(ini.value("config/PortNumber").toString(), QString::number(portIndex));
    QCOMPARE(ini.value("config/BaudNumber").toString(), QString::number(baudIndex));
    QCOMPARE(ini.value("config/DataNumber").toString(), QString::number(dataIndex));
    QCOMPARE(ini.value("config/ParityNumber").toString(), QString::number(parityIndex));
    QCOMPARE(ini.value("config/StopNumber").toString(), QString::number(stopIndex));

    // The next dialog starts with the choices kept.
    serialPort next;
    QCOMPARE(child<QComboBox>(next, "comboBox_Baud")->currentIndex(), baudIndex);
    QCOMPARE(child<QComboBox>(next, "comboBox_DataBits")->currentIndex(), dataIndex);
    QCOMPARE(child<QComboBox>(next, "comboBox_ParityBits")->currentIndex(), parityIndex);
    QCOMPARE(child<QComboBox>(next, "comboBox_StopBits")->currentIndex(), stopIndex);
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
    if (!portIni.isEmpty()) {
        QSettings ini(QStringLiteral("port.ini"), QSettings::IniFormat);
        ini.setValue(QStringLiteral("config/PortNumber"), portIni);
    }
    const QByteArray iniBefore = [] {
        QFile f(QStringLiteral("port.ini"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();

    ModalBoxAnswerer answerer;
    serialPort dialog;
    if (!portText.isEmpty())
        child<QComboBox>(dialog, "comboBox_Port")->setCurrentText(portText);
    QCOMPARE(child<QComboBox>(dialog, "comboBox_Port")->currentText(), portText);
    QSignalSpy open(&dialog, &serialPort::isOpenSerial);
    QSignalSpy first(&dialog, &serialPort::changeFirst);

    toggle(dialog)->click();
    toggle(dialog)->click(); // and once more: still a fresh, failing attempt

    QCOMPARE(answerer.count(), 2);
    QCOMPARE(answerer.last().title, QStringLiteral("error"));
    QCOMPARE(answerer.last().text, QStringLiteral("Serial port is not connected or open."));
    QCOMPARE(open.count(), 2);
    QCOMPARE(open.last().first().toBool(), false);
    QCOMPARE(first.count(), 0);
    QVERIFY(!dialog.isPortOpen());
    QCOMPARE(toggle(dialog)->text(), QStringLiteral("连接"));
    QVERIFY(child<QComboBox>(dialog, "comboBox_Port")->isEnabled());
    // No port object is left behind by a failed attempt.
    QVERIFY(dialog.findChildren<QSerialPort *>().isEmpty());
    // "port.ini" is written only after a successful Connect.
    QFile ini(QStringLiteral("port.ini"));
    QCOMPARE(ini.open(QIODevice::ReadOnly) ? ini.readAll() : QByteArray(), iniBefore);
}

void ConnectionDialogTest::storedLineSettingOutsideItsBox_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("stored");

    QTest::newRow("baud beyond the list") << "config/BaudNumber" << "comboBox_Baud" << "42";
    QTest::newRow("data bits negative") << "config/DataNumber" << "comboBox_DataBits" << "-3";
    QTest::newRow("parity beyond the list") << "config/ParityNumber" << "comboBox_ParityBits" << "9";
    QTest::newRow("stop bits beyond the list") << "config/StopNumber" << "comboBox_StopBits" << "7";
}

void ConnectionDialogTest::storedLineSettingOutsideItsBox()
{
    QFETCH(QString, key);
    QFETCH(QString, box);
    QFETCH(QString, stored);

    TempWorkDir work;
    QSettings(QStringLiteral("port.ini"), QSettings::IniFormat).setValue(key, stored);
    // An empty box would open the port with settings nobody chose (no baud rate, even parity).
    serialPort dialog;
    QCOMPARE(child<QComboBox>(dialog, box.toLatin1().constData())->currentIndex(), 0);
}

QTEST_MAIN(ConnectionDialogTest)
#include "tst_connectiondialog.moc"
