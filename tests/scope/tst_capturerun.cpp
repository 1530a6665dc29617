// The capture window against the simulated drive over a real pseudo-terminal, joined to the
// link as main joins them: whole captures of both families, the ways a capture ends early, the
// loop-gain tab, Stop, and the files written and read from the window.

#include "automationmode.h"
#include "drivecommands.h"
#include "linetickets.h"
#include "modalanswerer.h"
#include "pollturn.h"
#include "serialport.h"
#include "simulateddrive.h"
#include "simsampler.h"
#include "simulatedmodel.h"
#include "staticwindow.h"
#include "tempworkdir.h"
#include "ui_staticwindow.h"
#include "unreadvalue.h"

#include <QImage>
#include <QMessageBox>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

#include <cmath>
#include <memory>

Q_DECLARE_METATYPE(SimulatedDrive::Failure)
Q_DECLARE_METATYPE(SimSampler::Fault)

namespace {

const QString kLinkDown = QStringLiteral("串口未打开/设备未连接/地址未选择");

// One drive, one link, one capture window of the family, wired like main wires them.
struct Bench {
    TempWorkDir dir;
    SimulatedDrive drive;
    serialPort link;
    std::unique_ptr<staticWindow> w;

    explicit Bench(int family)
    {
        QSettings(QStringLiteral("driver.ini"), QSettings::IniFormat).setValue(QStringLiteral("config/DriverChoose"), family);
        SimulatedModel::install(drive, family);
        w = std::make_unique<staticWindow>();
        QObject::connect(w.get(), &staticWindow::readPicData, &link, &serialPort::readStaticPic);
        QObject::connect(w.get(), &staticWindow::imageSetting, &link, &serialPort::writeStaticPic);
        QObject::connect(w.get(), &staticWindow::imageSetting2, &link, &serialPort::writeStaticPic2);
        QObject::connect(w.get(), &staticWindow::startDrow, &link, &serialPort::startDrow);
        QObject::connect(w.get(), &staticWindow::startDrow, &link, [this] { link.startUpload(0); });
        QObject::connect(w.get(), &staticWindow::endDrow, &link, &serialPort::endDrow);
        QObject::connect(&link, &serialPort::readDataToPaint, w.get(), &staticWindow::readGraphDataRecieve);
        QObject::connect(&link, &serialPort::sendPicFinished, w.get(), &staticWindow::PicStastus);
        QObject::connect(&link, &serialPort::FrameDataIsOK, w.get(), &staticWindow::FrameDataIsOK);
        QObject::connect(&link, &serialPort::WriteGraphToCheck, w.get(), &staticWindow::recevieWriteGraphToCheck);
        QObject::connect(&link, &serialPort::isOpenSerial, w.get(), &staticWindow::isOpenSerialPlot);
    }
    bool open()
    {
        if (!drive.start() || !link.openPort(drive.portName(), 115200))
            return false;
        w->isOpenSerialPlot(true);
        return true;
    }
    // The single-register writes the drive heard, as "addr=value" in hex; with `both`, the
    // two-register writes too, as "addr:low high".
    QStringList writes(bool both = false) const
    {
        QStringList list;
        for (const QByteArray &f : drive.requests()) {
            if (f.size() >= 6 && quint8(f.at(1)) == 0x06)
                list << QString::fromLatin1(f.mid(2, 2).toHex().toUpper() + '=' + f.mid(4, 2).toHex().toUpper());
            else if (both && f.size() >= 13 && quint8(f.at(1)) == 0x10)
                list << QString::fromLatin1(f.mid(2, 2).toHex().toUpper() + ':' + f.mid(7, 2).toHex().toUpper() + ' '
                                            + f.mid(9, 2).toHex().toUpper());
        }
        return list;
    }
    // The first register of every read, in order.
    QStringList reads() const
    {
        QStringList list;
        for (const QByteArray &f : drive.requests())
            if (f.size() >= 6 && quint8(f.at(1)) == 0x03)
                list << QString::fromLatin1(f.mid(2, 2).toHex().toUpper());
        return list;
    }
};

QLineEdit *field(staticWindow *w, int step)
{
    QLineEdit *const fields[7] = {w->ui->lineEdit_102, w->ui->lineEdit_109, w->ui->lineEdit_10A, w->ui->lineEdit_100,
                                  w->ui->lineEdit_101, w->ui->lineEdit_103, w->ui->lineEdit_401};
    return fields[step];
}

// The loop-gain registers in the order of both passes, and values set apart from each other.
const quint16 kGainRegs[7] = {0x0102, 0x0109, 0x010A, 0x0100, 0x0101, 0x0103, 0x0401};
quint16 gainWord(int step)
{
    return quint16(0x0130 + 7 * step);
}

// Values a Setting writes, each within its parameter's limits and apart from gainWord's.
const QStringList kTyped{"401", "51", "3", "404", "2005", "106", "107"};

// What the drive's gain registers hold, as decimal numbers.
QStringList gainRegisters(const SimulatedDrive &drive)
{
    QStringList registers;
    for (const quint16 reg : kGainRegs)
        registers << QString::number(drive.registerValue(reg));
    return registers;
}

QStringList allUnread()
{
    return QVector<QString>(7, UnreadValue::text()).toList();
}

// What each gain field shows: its text, or the unread mark.
QStringList shownGains(staticWindow *w)
{
    QStringList shown;
    for (int i = 0; i < 7; ++i) {
        const QLineEdit *f = field(w, i);
        shown << (f->text().isEmpty() && UnreadValue::isUnread(f->placeholderText()) ? UnreadValue::text() : f->text());
    }
    return shown;
}

} // namespace

class CaptureRunTest : public QObject
{
    Q_OBJECT

private slots:
    void vrCapture();
    void hxqCapture();
    void captureEndsEarly_data();
    void captureEndsEarly();
    void staticFileRoundTrip();
    void loopGainRead();
    void loopGainWrite_data();
    void loopGainWrite();
    void gainPassKeepsItsControls_data();
    void gainPassKeepsItsControls();
    void stalledGainRead_data();
    void stalledGainRead();
    void gainWritesOnTheirOwnEcho_data();
    void gainWritesOnTheirOwnEcho();
    void closedPortAndScreenshot();
    void quickChangeFiles();
    void statusPollIsNotStacked();
};

void CaptureRunTest::vrCapture()
{
    Bench b(0);
    QVERIFY(b.open());
    // Speed feedback, torque reference, position given (32-bit) and bus voltage; trigger 1 on a
    // rising torque of 5 % (level 50 in 0.1 %), 100 samples before it.
    b.w->ui->comboBox_CH2->setCurrentIndex(2);
    b.w->ui->comboBox_CH2_IO->setCurrentIndex(28); // /TGON
    b.w->ui->comboBox_triggerType1->setCurrentIndex(1);
    b.w->ui->comboBox_triggerChoose1->setCurrentIndex(2);
    b.w->ui->spinBox_triggerLevel1->setValue(50);
    b.w->ui->spinBox_pretrigger->setValue(100);
    QSignalSpy paused(b.w.get(), &staticWindow::stopMainWindowQuery);
    QSignalSpy resumed(b.w.get(), &staticWindow::startMainWindowQuery);
    ModalBoxAnswerer answerer;
    b.w->on_pushButton_Sampling_clicked();
    QCOMPARE(answerer.count(), 0);
    QCOMPARE(paused.count(), 1);
    QCOMPARE(resumed.count(), 1);

    QCOMPARE(b.writes(true), (QStringList{"2000=0000", "2000=2000", "2100=0004", "2200=0064", "2101=0002",
                                          "2102=1000", "2103=0001", "2208=0000", "2110=0102", "2111=8601",
                                          "2112=01B0", "2113=0123", "2201=0012", "2202:0111 0000", "2009=0000",
                                          "220A:0000 0000", "2001=0001"}));
    // Scales before the trigger levels, the status until done, 142 blocks, then the trigger position.
    const QStringList reads = b.reads();
    QCOMPARE(reads.mid(0, 2), (QStringList{"E601", "E602"}));
    const int firstBlock = reads.indexOf(QStringLiteral("4000"));
    QVERIFY(firstBlock > 2 && reads.mid(2, firstBlock - 2).count(QStringLiteral("2205")) == firstBlock - 2);
    QCOMPARE(reads.size() - firstBlock, 143);
    QCOMPARE(reads.at(firstBlock + 1), QStringLiteral("401D"));
    QCOMPARE(reads.at(firstBlock + 141), QStringLiteral("4FF9"));
    QCOMPARE(reads.last(), QStringLiteral("2204"));

    // The decoded waveforms: 512 samples each, the trigger after the 100 before it.
    QCOMPARE(b.w->sampleWidth, 2);
    QCOMPARE(b.w->dataCH1.size(), 512);
    for (int k : {0, 99, 100, 140, 300, 511}) {
        const double t = (k - 100) * 125e-6;
        QVERIFY2(std::fabs(b.w->dataCH1.at(k) - SimSampler::speedFeedback(t)) <= 1, qPrintable(QString::number(k)));
        QVERIFY(std::fabs(b.w->dataCH2.at(k) - SimSampler::torque(t)) <= 1);
        QCOMPARE(int(b.w->dataIO2.at(k)), SimSampler::speedFeedback(t) > 20 ? 1 : 0);
        QCOMPARE(int(b.w->dataIO1.at(k)), 1);
        QVERIFY(std::abs(b.w->dataCH4.at(k) - 311) <= 4);
    }
    QVERIFY(b.w->dataCH3.last() > 100000); // the position has moved on
    QVERIFY(b.w->graphCH1 && b.w->graphCH2);
    QCOMPARE(b.w->graphCH1->dataCount(), 500);
    QVERIFY(b.w->ui->pushButton_Sampling->isEnabled() && b.w->ui->pushButton_read->isEnabled());
    QVERIFY(b.w->ui->progressBar->isHidden());
    QCOMPARE(b.w->progressValue, 143);
}

void CaptureRunTest::hxqCapture()
{
    Bench b(1);
    QVERIFY(b.open());
    // A drive slower than the windows' own fixed waits: every set-up write still goes once.
    b.drive.setReplyDelay(60);
    b.w->ui->comboBox_trigger->setCurrentIndex(1);
    b.w->ui->spinBox_Threshold->setValue(-5000);
    b.w->ui->spinBox_Time->setValue(2);
    ModalBoxAnswerer answerer;
    b.w->on_pushButton_Sampling_clicked();
    QCOMPARE(answerer.count(), 0);
    QCOMPARE(b.writes(), (QStringList{"1003=0800", "1004=0804", "1006=0001", "1007=EC78", "1008=0002", "1000=0001"}));
    const QStringList reads = b.reads();
    const int firstBlock = reads.indexOf(QStringLiteral("2000"));
    QCOMPARE(reads.size() - firstBlock, 71);
    QCOMPARE(reads.last(), QStringLiteral("27EE"));
    QCOMPARE(b.w->dataCH1.size(), 1024);
    QCOMPARE(b.w->dataCH2.size(), 1024);
    for (int k : {0, 127, 128, 300, 1023})
        QCOMPARE(b.w->dataCH1.at(k), int(std::lround(SimSampler::speedFeedback((k - SimSampler::kHxqTriggerSample) * 250e-6))));
    QVERIFY(b.w->graphCH1);
    // The VR-only buttons wait for Stop.
    QVERIFY(b.w->ui->pushButton_Sampling->isEnabled() && !b.w->ui->pushButton_modifiedSave->isEnabled());
    b.w->on_pushButton_Stop_clicked();
    QVERIFY(b.w->ui->pushButton_modifiedSave->isEnabled());
}

void CaptureRunTest::captureEndsEarly_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<SimSampler::Fault>("fault");
    QTest::addColumn<QString>("during"); // what happens while the drive waits for its trigger
    QTest::addColumn<QString>("box");    // the warning that says why; empty: none
    QTest::addColumn<bool>("drawn");
    using F = SimSampler::Fault;
    QTest::newRow("stop while waiting") << 0 << F::NeverTriggers << "stop" << "" << false;
    // Stop while the start waits behind other windows' reads: it goes ahead of them and takes the start back.
    QTest::newRow("stop before the start went out") << 0 << F::None << "stop before start" << "" << false;
    QTest::newRow("HXQ stop while waiting") << 1 << F::NeverTriggers << "stop" << "" << false;
    // A lost link is told by the link alone.
    QTest::newRow("port closed while waiting") << 0 << F::NeverTriggers << "port" << "" << false;
    QTest::newRow("link dropped while waiting") << 0 << F::NeverTriggers << "drop" << "" << false;
    QTest::newRow("language switched") << 0 << F::NeverTriggers << "language" << "语言已切换,采样已停止" << false;
    // With the command file served unattended the note waits for nobody.
    QTest::newRow("language switched, unattended") << 0 << F::NeverTriggers << "language" << "语言已切换,采样已停止" << false;
    QTest::newRow("window closed while waiting") << 0 << F::NeverTriggers << "close" << "采样窗口已关闭,采样已停止" << false;
    // While a set-up write the drive missed is on the line: the run ends at once, and sends it no more.
    QTest::newRow("stop while a set-up write is out") << 0 << F::None << "set-up stop" << "" << false;
    QTest::newRow("window closed while a set-up write is out") << 0 << F::None << "set-up close" << "采样窗口已关闭,采样已停止" << false;
    QTest::newRow("lost block") << 0 << F::LostBlock << "" << "4091" << false;
    QTest::newRow("HXQ lost block") << 1 << F::LostBlock << "" << "2091" << false;
    // Every block answered, yet a word of the buffer went missing: nothing is decoded or drawn.
    QTest::newRow("upload not whole") << 0 << F::None << "cut" << "收到 4095 个数据" << false;
    QTest::newRow("HXQ upload not whole") << 1 << F::None << "cut" << "收到 2047 个数据" << false;
    // The late reply and the reply to its resend both come: neither is taken for the next block.
    QTest::newRow("late block") << 0 << F::LateBlock << "" << "" << true;
    QTest::newRow("set-up echo missing once") << 0 << F::SetupEchoMissingOnce << "" << "" << true;
    // The capture is decoded and named as it was set up, whatever the form shows meanwhile.
    QTest::newRow("choices changed while waiting") << 0 << F::None << "choose" << "" << true;
    QTest::newRow("set-up echo missing always") << 0 << F::SetupEchoMissingAlways << "" << "2208" << false;
    QTest::newRow("HXQ set-up echo missing always") << 1 << F::SetupEchoMissingAlways << "" << "1006" << false;
    // A torque scale of 0: the level is refused, and said once the run has given everything back.
    QTest::newRow("trigger level not codable") << 0 << F::None << "level" << "MAXTRQC Error" << false;
}

void CaptureRunTest::captureEndsEarly()
{
    QFETCH(int, family);
    QFETCH(SimSampler::Fault, fault);
    QFETCH(QString, during);
    QFETCH(QString, box);
    QFETCH(bool, drawn);
    Bench b(family);
    QVERIFY(b.open());
    const bool unattended = QByteArray(QTest::currentDataTag()).endsWith("unattended");
    AutomationMode::setOn(unattended);
    const auto manual = qScopeGuard([] { AutomationMode::setOn(false); });
    b.drive.part<SimSampler>()->setFault(fault);
    // The capture shown before: a failed one leaves it as it was.
    b.w->dataCH1 = {1, 2, 3};
    QSignalSpy resumed(b.w.get(), &staticWindow::startMainWindowQuery);
    ModalBoxAnswerer answerer;
    // A box that says how the run ended comes once the run has given the buttons and the main
    // window's poll back.
    bool busyAtBox = false;
    answerer.setLeftAlone([&](QWidget *box) {
        busyAtBox |= qobject_cast<QMessageBox *>(box)
            && (!b.w->ui->pushButton_Load->isEnabled() || resumed.isEmpty() || DriveCommands::isHeld());
        return false;
    });
    int secondStarts = -1;
    quint64 setupTicket = 0;
    if (during == QLatin1String("level")) {
        b.drive.setRegister(0xE601, 0);
        b.w->ui->comboBox_CH2->setCurrentIndex(2);
        b.w->ui->comboBox_triggerType1->setCurrentIndex(1);
        b.w->ui->comboBox_triggerChoose1->setCurrentIndex(2);
    } else if (during == QLatin1String("stop before start")) {
        // Two reads of another window join the queue just before the start, the first goes on the line.
        b.drive.setReplyDelay(100);
        QObject::disconnect(b.w.get(), &staticWindow::imageSetting, &b.link, &serialPort::writeStaticPic);
        QObject::connect(b.w.get(), &staticWindow::imageSetting, &b.link, [&](QByteArray addr, QByteArray data) {
            if (addr == "2001" && data == "0001") {
                b.link.readSerial("0401", "0001", 1);
                b.link.readSerial("0401", "0001", 1);
                QTimer::singleShot(0, b.w.get(), [&] { b.w->on_pushButton_Stop_clicked(); });
            }
        });
        QObject::connect(b.w.get(), &staticWindow::imageSetting, &b.link, &serialPort::writeStaticPic);
    } else if (during.startsWith(QLatin1String("set-up"))) {
        b.drive.missRequests(0x2208, 1);
        auto *watch = new QTimer(b.w.get());
        QObject::connect(watch, &QTimer::timeout, b.w.get(), [&, watch] {
            if (!b.writes().join(' ').contains(QLatin1String("2208=")))
                return;
            watch->stop();
            setupTicket = LineTickets::lastTaken();
            if (during == QLatin1String("set-up stop")) {
                b.w->on_pushButton_Stop_clicked();
            } else {
                b.w->show();
                b.w->closeThisWindow();
            }
        });
        watch->start(1);
    } else if (during == QLatin1String("cut")) {
        QObject::connect(&b.link, &serialPort::FrameDataIsOK, b.w.get(), [&b, cut = false]() mutable {
            if (!cut && b.w->uploadPhase && !b.link.graphWords.value(0).isEmpty())
                cut = (b.link.graphWords[0].removeLast(), true);
        });
    } else if (!during.isEmpty()) {
        QTimer::singleShot(during == QLatin1String("choose") ? 500 : SimSampler::kArmMs + 900, b.w.get(), [&] {
            if (during == QLatin1String("choose")) {
                b.w->ui->comboBox_CH1->setCurrentIndex(2);
                b.w->ui->spinBox_pretrigger->setValue(50);
            } else if (during == QLatin1String("stop")) {
                b.w->on_pushButton_Stop_clicked();
                // A press of the capture button now must not start a second run inside this one.
                b.w->on_pushButton_Sampling_clicked();
                secondStarts = b.drive.part<SimSampler>()->startCount();
            } else if (during == QLatin1String("port")) {
                b.w->isOpenSerialPlot(false);
            } else if (during == QLatin1String("drop")) {
                b.drive.dropLink();
            } else if (during == QLatin1String("language")) { // main relabels, then closes the port
                b.w->ChineseLable();
                b.w->isOpenSerialPlot(false);
            } else {
                b.w->show();
                b.w->closeThisWindow();
            }
        });
    }
    QElapsedTimer clock;
    clock.start();
    b.w->on_pushButton_Sampling_clicked();
    QVERIFY(clock.elapsed() < 30000);
    if (setupTicket) { // closed, the run ends before the link gives the write up; never sent again
        QVERIFY(during == QLatin1String("set-up stop") || !LineTickets::isFinished(setupTicket));
        QTRY_VERIFY(!b.link.busy());
        QCOMPARE(b.writes().filter(QStringLiteral("2208=")).size(), 1);
    }
    QCOMPARE(b.w->dataCH1.size(), drawn ? 512 : 3);
    // Without a trigger condition the motor steps on its own; every sample where it belongs.
    for (int k = 0; drawn && k < b.w->dataCH1.size(); ++k)
        QVERIFY(std::fabs(b.w->dataCH1.at(k) - SimSampler::speedFeedback((k - SimSampler::kFreeRunStepSample) * 125e-6)) <= 1);
    if (box.isEmpty() || unattended) {
        QVERIFY2(answerer.count() == 0, qPrintable(answerer.last().text));
        QCOMPARE(ModalBoxAnswerer::takeNotices(), box.isEmpty() ? QStringList() : QStringList{box});
    } else {
        QCOMPARE(answerer.count(), 1);
        QVERIFY2(answerer.last().text.contains(box), qPrintable(answerer.last().text));
        QVERIFY(!busyAtBox);
    }
    // The link is given back and the buttons are as a finished run leaves them.
    QVERIFY(resumed.count() >= 1);
    QCOMPARE(b.w->ui->pushButton_Sampling->isEnabled(), !QStringList({"port", "drop", "language"}).contains(during));
    QVERIFY(b.w->ui->pushButton_Load->isEnabled() && b.w->ui->pushButton_modifiedSave->isEnabled());
    QVERIFY(b.w->ui->progressBar->isHidden());
    QVERIFY(!b.w->statusTimer->isActive() && !DriveCommands::isHeld());
    if (during == QLatin1String("stop"))
        QCOMPARE(secondStarts, 1);
    if (QStringList({"stop", "close", "language"}).contains(during))
        QTRY_VERIFY(b.writes().contains(family == 0 ? "2001=0000" : "1000=0000"));
    if (during == QLatin1String("stop before start")) { // heard between the two reads, and no start after it
        QTRY_VERIFY(!b.link.busy());
        QCOMPARE(b.drive.requests().last().mid(1, 3).toHex(), QByteArray("030401"));
        QVERIFY(!b.writes().contains(QStringLiteral("2001=0001")));
    }
    if (during == QLatin1String("choose"))
        QCOMPARE(b.w->graphCH1->valueAxis()->label(), QStringLiteral("CH1:") + b.w->ui->comboBox_CH1->itemText(0));
    // The title tells of a lost link until the link is back.
    if (during == QLatin1String("port") || during == QLatin1String("drop")) {
        QVERIFY(b.w->windowTitle().contains(QStringLiteral("连接已断开")));
        b.w->isOpenSerialPlot(true);
        QCOMPARE(b.w->windowTitle(), QStringLiteral("StaticWindow"));
    }
}

void CaptureRunTest::staticFileRoundTrip()
{
    for (int family : {0, 1}) {
        Bench b(family);
        QVERIFY(b.open());
        ModalBoxAnswerer answerer;
        // Saved before any capture, loaded back: choices taken, nothing drawn or said (boxes checked below).
        answerer.setFileAnswer(b.dir.filePath(QStringLiteral("empty")));
        b.w->on_pushButton_Save_clicked();
        b.w->ui->comboBox_CH2->setCurrentIndex(1);
        b.w->ui->checkBox_CH1->setChecked(true);
        answerer.setFileAnswer(b.dir.filePath(QStringLiteral("empty.Static")));
        b.w->on_pushButton_Load_clicked();
        QCOMPARE(b.w->ui->comboBox_CH2->currentIndex(), 4);
        QVERIFY(!b.w->graphCH1 && b.w->dataCH1.isEmpty());
        // Captured at the first access level, CH3 keeps its name on the axis and in the file after it.
        b.w->receviePasswordFlags(true);
        b.w->ui->comboBox_CH3->setCurrentIndex(20);
        b.w->ui->checkBox_CH3->setChecked(family == 0);
        const QString ch3Name = b.w->ui->comboBox_CH3->currentText();
        b.w->ui->spinBox_triggerLevel1->setValue(11);
        b.w->ui->spinBox_triggerLevel2->setValue(22);
        b.w->ui->spinBox_pretrigger->setValue(30); // none before an untriggered 32-bit capture
        b.w->on_pushButton_Sampling_clicked();
        b.w->receviePasswordFlags(false);
        const QVector<int> ch1 = b.w->dataCH1, ch2 = b.w->dataCH2;
        const QVector<short> io1 = b.w->dataIO1;
        QVERIFY(!ch1.isEmpty());
        // The link pulled under the next capture: the capture shown stays, and is what Save
        // writes and Load takes back (below).
        for (QSpinBox *box : {b.w->ui->spinBox_interval, b.w->ui->spinBox_Time, b.w->ui->spinBox_triggerLevel1})
            box->setValue(20);
        b.drive.part<SimSampler>()->setFault(SimSampler::Fault::NeverTriggers);
        QTimer::singleShot(SimSampler::kArmMs + 900, &b.link, [&] { b.drive.dropLink(); });
        b.w->on_pushButton_Sampling_clicked();
        QVERIFY(!b.w->serialOpen);
        QCOMPARE(b.w->dataCH1, ch1);
        b.w->redrawCheckedTraces();
        QCOMPARE(b.w->ui->widget_Static->xAxis->label(), QStringLiteral("Time: 125μs*1"));
        // The trigger boxes edited after the capture stay out of its file too.
        QComboBox *const triggerBoxes[] = {b.w->ui->comboBox_triggerMore, b.w->ui->comboBox_triggerChoose2,
                                           b.w->ui->comboBox_trigger};
        const auto triggerSettings = [&] {
            return QList<int>{triggerBoxes[0]->currentIndex(), triggerBoxes[1]->currentIndex(),
                              triggerBoxes[2]->currentIndex(), b.w->ui->spinBox_Threshold->value()};
        };
        const QList<int> captured = triggerSettings();
        for (QComboBox *box : triggerBoxes)
            box->setCurrentIndex(2); // the other family's boxes are empty and stay so
        b.w->ui->spinBox_Threshold->setValue(-77);
        const QList<int> edited = triggerSettings();
        for (int i = family == 0 ? 0 : 2; i < (family == 0 ? 2 : 4); ++i)
            QVERIFY(edited.at(i) != captured.at(i));
        const QString path = b.dir.filePath(QStringLiteral("capture"));
        answerer.setFileAnswer(path);
        b.w->on_pushButton_Save_clicked();
        QVERIFY(QFile::exists(path + QStringLiteral(".Static")));
        if (family == 0) {
            QCOMPARE(b.w->graphCH3->valueAxis()->label(), QStringLiteral("CH3:") + ch3Name);
            QFile saved(path + QStringLiteral(".Static"));
            QVERIFY(saved.open(QIODevice::ReadOnly));
            QCOMPARE(QString::fromUtf8(saved.readAll()).section(QLatin1Char('\n'), 18, 18), ch3Name);
        }
        b.w->receviePasswordFlags(true);

        // Another selection and no data: the load puts the file's back and draws it.
        b.w->ui->comboBox_CH1->setCurrentIndex(3);
        b.w->dataCH1.clear();
        b.w->dataCH2.clear();
        b.w->dataIO1.clear();
        answerer.setFileAnswer(path + QStringLiteral(".Static"));
        b.w->on_pushButton_Load_clicked();
        for (const ModalBoxAnswerer::Box &box : answerer.boxes())
            QCOMPARE(box.className, QStringLiteral("QFileDialog"));
        QCOMPARE(b.w->ui->comboBox_CH1->currentIndex(), 0);
        QCOMPARE((QList<int>{b.w->ui->spinBox_interval->value(), b.w->ui->spinBox_Time->value(),
                             b.w->ui->spinBox_triggerLevel1->value(), b.w->ui->spinBox_triggerLevel2->value(),
                             b.w->ui->spinBox_pretrigger->value()}),
                 (family == 0 ? QList<int>{1, 20, 11, 22, 0} : QList<int>{20, 1, 20, 22, 30})); // as taken, not as edited since
        QCOMPARE(triggerSettings(), (family == 0 ? captured.mid(0, 2) + edited.mid(2) : edited.mid(0, 2) + captured.mid(2)));
        QCOMPARE(b.w->dataCH1, ch1);
        QCOMPARE(b.w->dataCH2, ch2);
        QCOMPARE(b.w->dataIO1, io1); // every value, the last one too
        QVERIFY(b.w->windowTitle().endsWith(path + QStringLiteral(".Static")));
        // Saved again, the loaded values go out, not those of the last capture.
        b.w->dataCH2.clear();
        answerer.setFileAnswer(b.dir.filePath(QStringLiteral("again.Static")));
        b.w->on_pushButton_Save_clicked();
        QFile again(b.dir.filePath(QStringLiteral("again.Static")));
        QVERIFY(again.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(again.readAll()).section(QLatin1Char('\n'), 7, 7).count(QLatin1Char(',')), ch1.size());

        // A file of the other family: refused as one, nothing changed.
        QFile other(b.dir.filePath(QStringLiteral("other.Static")));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write(family == 0 ? "a\nb\nc\n1,x,3\nd\nCH1:\nn\n1,\nCH2:\nn\n2,\n"
                                : "a\nb\nc\n1,x,y,z,0,u,v,0,0\nd\n" + QByteArray("CH:\nn\n1,\n").repeated(8));
        other.close();
        answerer.setFileAnswer(other.fileName());
        const int before = answerer.count();
        b.w->on_pushButton_Load_clicked();
        QCOMPARE(answerer.count(), before + 2);
        QVERIFY(answerer.last().text.startsWith(QStringLiteral("文件格式出错")));
        QVERIFY2(answerer.last().text.contains(QStringLiteral("另一驱动器系列")), qPrintable(answerer.last().text.simplified()));
        QCOMPARE(b.w->dataCH1, ch1);
    }
}

void CaptureRunTest::loopGainRead()
{
    Bench b(0);
    QVERIFY(b.open());
    const quint16 words[7] = {0x0190, 0x0032, 0x8000, 0x012C, 0xFFFF, 0xFFFF, 0x0064};
    for (int i = 0; i < 7; ++i)
        b.drive.setRegister(kGainRegs[i], words[i]);
    ModalBoxAnswerer answerer;
    b.w->on_pushButton_read_clicked();
    // PA101 is unsigned, the others signed 16-bit.
    QCOMPARE(shownGains(b.w.get()), (QStringList{"400", "50", "-32768", "300", "65535", "-1", "100"}));
    QCOMPARE(answerer.count(), 0);
    QVERIFY(b.w->ui->pushButton_Sampling->isEnabled());
    // A lost link: no field shows a value read over it; a value typed while no link is up stays
    // through a connection that fails; a new link (perhaps to another drive) shows none either.
    b.w->isOpenSerialPlot(false);
    QCOMPARE(shownGains(b.w.get()), allUnread());
    field(b.w.get(), 0)->setText(QStringLiteral("12"));
    b.w->isOpenSerialPlot(false);
    QCOMPARE(field(b.w.get(), 0)->text(), QStringLiteral("12"));
    b.w->isOpenSerialPlot(true);
    QCOMPARE(shownGains(b.w.get()), allUnread());
}

void CaptureRunTest::loopGainWrite_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("text");
    QTest::addColumn<SimulatedDrive::Failure>("failure");
    QTest::addColumn<QString>("named"); // the parameter the box names; empty: no box
    QTest::addColumn<int>("writes");
    using F = SimulatedDrive::Failure;
    QTest::newRow("all within limits") << 4 << "65535" << F::None << "" << 7;
    QTest::newRow("negative where allowed") << 0 << "-1" << F::None << "" << 7;
    QTest::newRow("PA100 below its minimum") << 3 << "9" << F::None << "PA100" << 0;
    QTest::newRow("PA100 above its maximum") << 3 << "20001" << F::None << "PA100" << 0;
    QTest::newRow("PA109 empty") << 1 << "" << F::None << "PA109" << 0;
    QTest::newRow("PA101 not an integer") << 4 << "12.5" << F::None << "PA101" << 0;
    QTest::newRow("PA101 negative") << 4 << "-1" << F::None << "PA101" << 0;
    QTest::newRow("PA401 beyond 16 bits") << 6 << "70000" << F::None << "PA401" << 0;
    QTest::newRow("PA102 text") << 0 << "abc" << F::None << "PA102" << 0;
    QTest::newRow("no echo: reported, nothing after it") << 0 << "5" << F::NoEchoEver << "PA102" << 2;
}

void CaptureRunTest::loopGainWrite()
{
    QFETCH(int, step);
    QFETCH(QString, text);
    QFETCH(SimulatedDrive::Failure, failure);
    QFETCH(QString, named);
    QFETCH(int, writes);
    Bench b(0);
    QVERIFY(b.open());
    const char *good[7] = {"400", "50", "0", "400", "2000", "100", "100"};
    for (int i = 0; i < 7; ++i)
        field(b.w.get(), i)->setText(QString::fromLatin1(good[i]));
    field(b.w.get(), step)->setText(text);
    b.drive.setFailure(failure);
    ModalBoxAnswerer answerer;
    b.w->on_pushButton_write_clicked();
    QCOMPARE(answerer.count(), named.isEmpty() ? 0 : 1);
    if (!named.isEmpty())
        QVERIFY2(answerer.last().text.contains(named), qPrintable(answerer.last().text));
    QCOMPARE(b.writes().size(), writes);
    if (writes == 7) {
        QCOMPARE(b.writes().first(), QStringLiteral("0102=%1").arg(step == 0 ? "FFFF" : "0190"));
        QCOMPARE(b.drive.registerValue(0x0101), quint16(step == 4 ? 65535 : 2000));
        QCOMPARE(b.writes().last(), QStringLiteral("0401=0064"));
    }
}

// A gain pass (or a capture) keeps Read, Setting and Start greyed whatever happens inside its
// first wait; presses and "wop S1" meanwhile start nothing, and each field and register ends as
// one pass leaves it. A lost link shows every field "not read" and ends the pass, with no box.
void CaptureRunTest::gainPassKeepsItsControls_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("path");
    const char *const paths[][2] = {{"stop", "Stop"}, {"S2", "wop S2"}, {"relink", "link lost and regained"},
                                    {"online", "online broadcast"}, {"reconnect", "reconnect question answered"},
                                    {"language", "language switch, the link closed"}};
    for (const char *entry : {"read", "write", "start"})
        for (const auto &path : paths)
            if (QByteArray(entry) != "start" || QByteArray("relink online reconnect").contains(path[0]))
                QTest::addRow("%s, %s", entry, path[1]) << entry << path[0];
}

void CaptureRunTest::gainPassKeepsItsControls()
{
    QFETCH(QString, entry);
    QFETCH(QString, path);
    Bench b(0);
    QVERIFY(b.open());
    const QStringList &typed = kTyped;
    QStringList fields, before;
    for (int i = 0; i < 7; ++i) {
        b.drive.setRegister(kGainRegs[i], gainWord(i));
        field(b.w.get(), i)->setText(entry == "write" ? typed[i] : QString::number(-70 - i));
        fields << (entry == "read" ? QString::number(gainWord(i)) : field(b.w.get(), i)->text());
        before << QString::number(gainWord(i));
    }
    b.drive.setReplyDelay(40);
    ModalBoxAnswerer answerer;
    QSignalSpy wop(b.w.get(), &staticWindow::autoOperation_WOP);
    QSignalSpy why(b.w.get(), &staticWindow::autoOperationFailed);
    Ui::staticWindow *ui = b.w->ui;
    QList<bool> enabledInside; // Read, Setting, Start, then Load, as the run starts and after the path
    const auto look = [&] {
        for (QPushButton *button : {ui->pushButton_read, ui->pushButton_write, ui->pushButton_Sampling, ui->pushButton_Load})
            enabledInside << button->isEnabled();
    };
    QTimer::singleShot(0, b.w.get(), [&] {
        look();
        if (path == "stop")
            b.w->on_pushButton_Stop_clicked();
        else if (path == "S2")
            b.w->autoSampling("S2", "0", "0");
        else if (path == "language") // main relabels, then the link closes
            b.w->ChineseLable();
        if (path == "language" || path == "relink")
            b.w->isOpenSerialPlot(false);
        if (path == "relink")
            b.w->isOpenSerialPlot(true);
        if (path == "reconnect") // the main window's question answered while the drive is silent
            b.w->receiveMainWindow(false);
        if (path == "reconnect" || path == "online")
            b.w->receiveMainWindow(true);
        look();
        b.w->autoSampling("S1", "0", "0");
        for (int again = 0; again < 2; ++again) {
            b.w->on_pushButton_read_clicked();
            b.w->on_pushButton_write_clicked();
            b.w->on_pushButton_Sampling_clicked();
        }
        if (entry == "start")
            b.w->on_pushButton_Stop_clicked();
    });
    entry == "read" ? b.w->on_pushButton_read_clicked()
                    : entry == "write" ? b.w->on_pushButton_write_clicked() : b.w->on_pushButton_Sampling_clicked();
    QTRY_VERIFY(!b.link.busy());

    const bool load = entry != "start";
    QCOMPARE(enabledInside, (QList<bool>{false, false, false, load, false, false, false, load}));
    QCOMPARE(wop.last(), (QList<QVariant>{false, 0}));
    if (entry != "start" && path != "language")
        QCOMPARE(why.last().at(0).toString(), QStringLiteral("loop-gain read or write running"));
    const bool lost = path == "relink" || path == "language";
    QCOMPARE(shownGains(b.w.get()), lost ? allUnread() : fields);
    QStringList written, heard;
    for (int i = 0; i < 7; ++i) // a pass ended by the lost link wrote its first register only
        written << (entry == "write" && (i == 0 || !lost) ? typed[i] : before[i]);
    QCOMPARE(gainRegisters(b.drive), written);
    for (const QByteArray &f : b.drive.requests()) {
        const quint16 addr = quint16(quint8(f.at(2)) << 8 | quint8(f.at(3)));
        if (std::find(std::begin(kGainRegs), std::end(kGainRegs), addr) != std::end(kGainRegs))
            heard << QString::number(f.at(1)) + QString::number(addr, 16);
    }
    QStringList once;
    for (int i = 0; entry != "start" && i < (lost ? 1 : 7); ++i)
        once << QString::number(entry == "read" ? 3 : 6) + QString::number(kGainRegs[i], 16);
    QCOMPARE(heard, once);
    for (const ModalBoxAnswerer::Box &box : answerer.boxes()) // the closed port's, for the presses
        QCOMPARE(box.text, kLinkDown);
}

// A gain Read the drive stops answering at step k: the fields before it show the drive's
// values, it and those after it "not read"; Setting then refuses, naming it, and sends nothing.
void CaptureRunTest::stalledGainRead_data()
{
    QTest::addColumn<int>("silentFrom");
    for (int k : {0, 3, 6})
        QTest::addRow("silent from step %d", k) << k;
}

void CaptureRunTest::stalledGainRead()
{
    QFETCH(int, silentFrom);
    Bench b(0);
    QVERIFY(b.open());
    QStringList expected;
    for (int i = 0; i < 7; ++i) {
        b.drive.setRegister(kGainRegs[i], gainWord(i));
        field(b.w.get(), i)->setText(QStringLiteral("-7"));
        expected << (i < silentFrom ? QString::number(gainWord(i)) : UnreadValue::text());
    }
    const char *const names[7] = {"PA102", "PA109", "PA10A", "PA100", "PA101", "PA103", "PA401"};
    if (silentFrom == 0)
        b.drive.setFailure(SimulatedDrive::Failure::NoAnswer);
    b.drive.setReadHook([&b, silentFrom](int, quint16 addr, quint16) {
        if (silentFrom > 0 && addr == kGainRegs[silentFrom - 1])
            b.drive.setFailure(SimulatedDrive::Failure::NoAnswer);
    });
    ModalBoxAnswerer answerer;
    b.w->on_pushButton_read_clicked();
    QCOMPARE(shownGains(b.w.get()), expected);
    QCOMPARE(answerer.count(), 1);
    QVERIFY(answerer.last().text.contains(QLatin1String(names[silentFrom])));
    b.drive.setFailure(SimulatedDrive::Failure::None);
    b.w->on_pushButton_write_clicked();
    QCOMPARE(answerer.count(), 2);
    QVERIFY2(answerer.last().text.startsWith(names[silentFrom] + QLatin1Char(' ') + UnreadValue::text()),
             qPrintable(answerer.last().text));
    QTRY_VERIFY(!b.link.busy());
    QVERIFY(b.writes().isEmpty());
}

// A gain Setting with a stop sent among its writes (Stop or "wop S2", while another window's
// read is ahead of the first write, or as the first write goes) and a write the drive misses:
// a stop's or another step's echo confirms none of them. Missed once, the write is sent again
// and every register ends as typed; missed twice, the box names it and nothing after it goes.
void CaptureRunTest::gainWritesOnTheirOwnEcho_data()
{
    QTest::addColumn<QString>("stop");
    QTest::addColumn<bool>("behindARead");
    QTest::addColumn<int>("missed"); // the step whose write the drive misses
    QTest::addColumn<int>("times");
    for (const char *stop : {"Stop", "S2"}) {
        for (int missed : {0, 3, 6})
            QTest::addRow("%s behind a read, step %d missed once", stop, missed) << stop << true << missed << 1;
        for (int times : {1, 2})
            QTest::addRow("%s as the first write goes, it missed %dx", stop, times) << stop << false << 0 << times;
    }
}

void CaptureRunTest::gainWritesOnTheirOwnEcho()
{
    QFETCH(QString, stop);
    QFETCH(bool, behindARead);
    QFETCH(int, missed);
    QFETCH(int, times);
    Bench b(0);
    QVERIFY(b.open());
    QStringList expected;
    for (int i = 0; i < 7; ++i) {
        b.drive.setRegister(kGainRegs[i], gainWord(i));
        field(b.w.get(), i)->setText(kTyped[i]);
        expected << (times == 2 && i >= missed ? QString::number(gainWord(i)) : kTyped[i]);
    }
    b.drive.setReplyDelay(40);
    b.drive.missRequests(kGainRegs[missed], times);
    ModalBoxAnswerer answerer;
    if (behindARead)
        b.link.readSerial("E000", "0001", 2);
    QTimer::singleShot(0, b.w.get(), [&] {
        stop == "S2" ? b.w->autoSampling("S2", "0", "0") : b.w->on_pushButton_Stop_clicked();
    });
    b.w->on_pushButton_write_clicked();
    QTRY_VERIFY(!b.link.busy());
    QCOMPARE(gainRegisters(b.drive), expected);
    QVERIFY(b.writes().contains(QStringLiteral("2001=0000")));
    const char *const names[7] = {"PA102", "PA109", "PA10A", "PA100", "PA101", "PA103", "PA401"};
    QCOMPARE(answerer.count(), times == 2 ? 1 : 0);
    if (times == 2)
        QVERIFY2(answerer.last().text.contains(QLatin1String(names[missed])), qPrintable(answerer.last().text));
}

void CaptureRunTest::closedPortAndScreenshot()
{
    Bench b(0);
    // Closed port: the link-down box from each button, nothing sent, the capture state kept.
    ModalBoxAnswerer answerer;
    for (auto slot : {&staticWindow::on_pushButton_Sampling_clicked, &staticWindow::on_pushButton_Stop_clicked,
                      &staticWindow::on_pushButton_read_clicked, &staticWindow::on_pushButton_write_clicked})
        (b.w.get()->*slot)();
    QCOMPARE(answerer.countWithText(kLinkDown), 4);
    QVERIFY(b.w->samplingActive);

    // The screenshot is the window's own picture, saved in the working folder's parent.
    QVERIFY(QDir().mkpath(QStringLiteral("work")) && QDir::setCurrent(QStringLiteral("work")));
    b.w->on_pushButton_Screenshot_clicked();
    QDir::setCurrent(QStringLiteral(".."));
    QCOMPARE(answerer.last().text, QStringLiteral("保存成功!"));
    const QStringList pictures = QDir().entryList({QStringLiteral("*.bmp")});
    QCOMPARE(pictures.size(), 1);
    QCOMPARE(QImage(pictures.first()).size(), b.w->size() * b.w->devicePixelRatioF());
}

void CaptureRunTest::quickChangeFiles()
{
    Bench b(0);
    b.w->dataCH1 = {1, -2};
    b.w->dataIO1 = {0, 1};
    b.w->dataCH4 = {7};
    ModalBoxAnswerer answerer;
    const QString path = b.dir.filePath(QStringLiteral("quick"));
    answerer.setFileAnswer(path);
    b.w->on_pushButton_QuickChange_clicked();
    QFile file(path + QStringLiteral(".QCS"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()), QStringLiteral("1\t1\t-2\t\n2\t0\t1\t\n3\t\n4\t\n5\t\n6\t\n7\t7\t\n8\t"));
    file.close();
    QCOMPARE(QSettings(QStringLiteral("./SettingPath.ini"), QSettings::IniFormat).value("LastFilePath").toString(),
             b.dir.path() + QLatin1Char('/'));

    // The second quick change writes the same file without asking.
    const int dialogs = answerer.count();
    b.w->dataCH1 = {5};
    b.w->on_pushButton_QuickChange_clicked();
    QCOMPARE(answerer.count(), dialogs);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith("1\t5\t\n"));
    file.close();

    // A run holds the capture shown aside until it ends: "选择保存目录" (without automatic mode)
    // and "wop S3" (with it) during the run write the file a save just before the run wrote,
    // and say done.
    QVERIFY(b.open());
    b.w->dataCH1 = {5, 6};
    b.w->dataIO4 = {1, 0};
    b.w->on_pushButton_QuickChange_clicked();
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray shown = file.readAll();
    file.close();
    b.drive.part<SimSampler>()->setFault(SimSampler::Fault::NeverTriggers);
    QList<QByteArray> saved;
    QTimer::singleShot(SimSampler::kArmMs + 900, b.w.get(), [&] {
        for (bool unattended : {false, true}) {
            QFile::remove(file.fileName());
            AutomationMode::setOn(unattended);
            b.w->autoSampling(QStringLiteral("S3"), QStringLiteral("0"), QStringLiteral("0"));
            AutomationMode::setOn(false);
            saved << (b.w->autoStatus == 2 && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
            file.close();
        }
        b.w->on_pushButton_Stop_clicked();
    });
    b.w->on_pushButton_Sampling_clicked();
    QCOMPARE(saved, (QList<QByteArray>{shown, shown}));
    QCOMPARE(b.w->dataCH1, (QVector<int>{5, 6}));

    // Under the HXQ family the file is refused, not emptied.
    Bench hxq(1);
    hxq.w->quickChangeFirst = false;
    hxq.w->quickChangeFileName = path + QStringLiteral(".QCS");
    hxq.w->on_pushButton_QuickChange_clicked();
    hxq.w->on_pushButton_modifiedSave_clicked();
    QCOMPARE(answerer.count(), dialogs + 2);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), shown);
}

// A status poll that a slow drive has not answered yet is not followed by another.
void CaptureRunTest::statusPollIsNotStacked()
{
    Bench b(1);
    QVERIFY(b.open());
    b.drive.setReplyDelay(250);
    b.w->samplingActive = true;
    const int before = b.drive.requestCount();
    b.w->QueryIfComplete();
    b.w->QueryIfComplete();
    QTRY_VERIFY(!b.w->statusTurn->waiting());
    QCOMPARE(b.drive.requestCount(), before + 1);
    b.w->QueryIfComplete();
    QTRY_COMPARE(b.drive.requestCount(), before + 2);
    b.w->samplingActive = false;
}

QTEST_MAIN(CaptureRunTest)
#include "tst_capturerun.moc"
