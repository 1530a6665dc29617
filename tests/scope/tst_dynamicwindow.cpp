// The live-trend window against the simulated drive over a real pty pair: the reads of each
// tick and their values, the buttons, the file, and a drive that is silent, late or gone.

#include "automationmode.h"
#include "axistag.h"
#include "dynamicwindow.h"
#include "modalanswerer.h"
#include "pollturn.h"
#include "serialport.h"
#include "simulateddrive.h"
#include "tempworkdir.h"
#include "ui_dynamicwindow.h"

#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

class TestDynamicWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void valuesOfEachChannel_data();
    void valuesOfEachChannel();
    void walkThroughTheButtons();
    void languageNoteUnattended();
    void driveStopsAnswering_data();
    void driveStopsAnswering();
    void slowDriveIsDrawnAndSaved();
    void lateReplyIsTakenOnlyForItsOwnRead();
    void closedPortOrHiddenWindowSendsNothing();
    void savesTheNewestValues_data();
    void savesTheNewestValues();
    void longTrendKeepsABoundedGraph();

private:
    void open()
    {
        trend->isOpenSerialPlot(true);
        trend->showDynamicWindow();
        QVERIFY(QTest::qWaitForWindowExposed(trend.get()));
    }
    int points() const { return trend->graphCH1 ? trend->graphCH1->dataCount() : -1; }

    std::unique_ptr<TempWorkDir> work;
    std::unique_ptr<SimulatedDrive> drive;
    std::unique_ptr<serialPort> link;
    std::unique_ptr<dynamicWindow> trend;
    std::unique_ptr<ModalBoxAnswerer> boxes;
};

void TestDynamicWindow::init()
{
    work = std::make_unique<TempWorkDir>();
    QVERIFY(work->isValid());
    drive = std::make_unique<SimulatedDrive>(1);
    QVERIFY2(drive->start(), qPrintable(drive->errorString()));
    link = std::make_unique<serialPort>();
    QVERIFY(link->openPort(drive->portName(), 115200));
    trend = std::make_unique<dynamicWindow>();
    // 41 and 42 of main's wiring
    connect(trend.get(), &dynamicWindow::readDynamicData, link.get(), &serialPort::readDynamic);
    connect(link.get(), &serialPort::readDataToDynamic, trend.get(), &dynamicWindow::readGraphDataRecieve);
    boxes = std::make_unique<ModalBoxAnswerer>();
}

void TestDynamicWindow::cleanup()
{
    trend.reset();
    link.reset();
    drive.reset();
    boxes.reset();
    work.reset();
}

void TestDynamicWindow::valuesOfEachChannel_data()
{
    QTest::addColumn<int>("channel");
    QTest::addColumn<quint32>("raw");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("replyDelay");
    QTest::addColumn<int>("chosenWhile"); // 1: while the old CH1 read is out, 2: once it was answered; 0 any time
    QTest::newRow("speed, one word") << 0 << quint32(0x8000) << -32768 << 0 << 0;
    QTest::newRow("feedback pulses, two words") << 1 << quint32(0x80000000) << int(0x80000000) << 0 << 0;
    QTest::newRow("command pulses, two words") << 2 << quint32(0x00012345) << 0x12345 << 0 << 0;
    QTest::newRow("deviation, two words") << 3 << quint32(0x0001FFFF) << 0x1FFFF << 0 << 0;
    QTest::newRow("torque command, one word") << 6 << quint32(0xFF9C) << -100 << 0 << 0;
    // The speed read before the choice must not start the new curve (or its file).
    QTest::newRow("chosen once the old CH1 read was answered") << 1 << quint32(1283309) << 1283309 << 120 << 2;
    QTest::newRow("chosen while the old CH1 read is out") << 1 << quint32(1283309) << 1283309 << 300 << 1;
}

void TestDynamicWindow::valuesOfEachChannel()
{
    QFETCH(int, channel);
    QFETCH(quint32, raw);
    QFETCH(int, value);
    QFETCH(int, replyDelay);
    QFETCH(int, chosenWhile);
    const LiveTrend::Channel c = LiveTrend::channel(channel);
    const quint16 address = quint16(QByteArray(c.address).toUInt(nullptr, 16));
    drive->setRegister(0xE000, 1368); // the speed, chosen first
    if (c.words == 2)
        drive->setRegister32(address, raw);
    else
        drive->setRegister(address, quint16(raw));

    drive->setReplyDelay(replyDelay);
    open();
    QCOMPARE(trend->trendTimer->interval(), 40);
    // A new choice while the trend runs starts a curve and a history of its own.
    QTRY_VERIFY(points() > 2);
    if (chosenWhile == 0)
        trend->ui->comboBox_CH1->setCurrentIndex((channel + 1) % LiveTrend::channelCount());
    if (chosenWhile == 1)
        QTRY_COMPARE(trend->pendingChannel, 1);
    if (chosenWhile == 2) {
        // Chosen after the speed's answer came and before the link has finished with its read.
        const auto choose = connect(link.get(), &serialPort::readDataToDynamic, trend.get(), [&] {
            if (trend->pendingChannel == 1)
                trend->ui->comboBox_CH1->setCurrentIndex(channel);
        });
        QTRY_COMPARE(trend->ui->comboBox_CH1->currentIndex(), channel);
        disconnect(choose);
    }
    trend->ui->comboBox_CH1->setCurrentIndex(channel);
    QTRY_COMPARE(trend->valueCH1, value);
    QTRY_VERIFY(points() >= 2);
    for (int i = 0; i < points(); ++i)
        QCOMPARE(trend->graphCH1->dataMainValue(i), double(value));
    // The new curve is scaled to its own (steady) value, not to the span of the one before.
    QCOMPARE(trend->graphCH1->valueAxis()->range(), QCPRange(value - 1.0, value + 1.0));
    QCOMPARE(trend->tagCH1->labelItem()->text(), QString::number(double(value), 'f', 2));
    // Two-word values reach the history (and so the file) as one-word values do.
    QCOMPARE(trend->history.values(), QVector<qint32>(trend->history.size(), value));

    // Each tick reads CH1's register, then CH2's (the first variable).
    const auto reads = [&] {
        QStringList list;
        for (const QByteArray &request : drive->requests())
            list << request.mid(2, 4).toHex().toUpper();
        return list.join(' ');
    };
    const QString ch1 = QString(c.address) + (c.words == 2 ? "0002" : "0001");
    QTRY_VERIFY2(reads().contains(ch1 + " E0000001"), qPrintable(reads()));
}

void TestDynamicWindow::walkThroughTheButtons()
{
    QSignalSpy stops(trend.get(), &dynamicWindow::stopMainWindowQuery);
    QSignalSpy starts(trend.get(), &dynamicWindow::startMainWindowQuery);
    drive->setRegister(0xE000, 40);
    open();
    QCOMPARE(stops.count(), 1);
    QTRY_VERIFY(points() > 3);

    // Pause: no more points once the read out at the click has ended (it still adds its point);
    // continue: the same graph goes on.
    trend->ui->pushButton_pause->click();
    QTRY_VERIFY(!trend->readTurn->waiting());
    const int paused = points();
    QTest::qWait(200);
    QCOMPARE(points(), paused);
    trend->ui->pushButton_continue->click();
    QTRY_VERIFY(points() > paused + 2);
    QCOMPARE(trend->graphCH1->dataSortKey(points() - 1), double(points() - 1));

    // Fixed ranges win over the automatic ones at every tick, until they are unchecked.
    trend->ui->lineEdit_CH1_1->setText("-500");
    trend->ui->lineEdit_CH1_2->setText("500");
    trend->ui->lineEdit_X_1->setText("0");
    trend->ui->lineEdit_X_2->setText("20");
    trend->ui->checkBox_Fixed->click();
    const int fixedAt = points();
    QTRY_VERIFY(points() > fixedAt + 2);
    QCOMPARE(trend->ui->widget_Dynamic->yAxis->range(), QCPRange(-500, 500));
    QCOMPARE(trend->ui->widget_Dynamic->xAxis->range(), QCPRange(0, 20));
    trend->ui->checkBox_Fixed->click();
    QTRY_COMPARE(trend->ui->widget_Dynamic->xAxis->range().size(), 100.0);

    // A new choice while paused switches CH1 off (the graph and the tag go) and on again.
    trend->ui->pushButton_pause->click();
    trend->ui->comboBox_CH1->setCurrentIndex(4);
    QVERIFY(!trend->graphCH1 && !trend->tagCH1);
    QCOMPARE(trend->ui->widget_Dynamic->itemCount(), 0);
    trend->ui->checkBox_CH1->click();
    QVERIFY(trend->graphCH1);
    QTRY_VERIFY(points() > 1);
    QCOMPARE(trend->graphCH1->dataSortKey(0), 0.0);

    // A close from the title bar pauses and gives the main window its poll back; a new show continues.
    trend->close();
    QCOMPARE(starts.count(), 1);
    const int closedAt = points();
    trend->showDynamicWindow();
    QCOMPARE(stops.count(), 2);
    QTRY_VERIFY(points() > closedAt);
    QCOMPARE(boxes->count(), 0);

    // The link going away closes the window and stops the trend.
    trend->isOpenSerialPlot(false);
    QVERIFY(trend->isHidden() && !trend->trendTimer->isActive());
    QCOMPARE(starts.count(), 2);
    // main's language switch after it closed the link: said once, the choice kept.
    trend->ChineseLable();
    QCOMPARE(boxes->count(), 1);
    QCOMPARE(trend->ui->comboBox_CH1->currentIndex(), 4);
    trend->EnglishLable();
    QCOMPARE(boxes->count(), 1);
}

// The command file served unattended: a language switch stops the running trend with a note that
// waits for nobody.
void TestDynamicWindow::languageNoteUnattended()
{
    AutomationMode::setOn(true);
    const auto manual = qScopeGuard([] { AutomationMode::setOn(false); });
    open();
    QTRY_VERIFY(points() > 1);
    trend->ChineseLable();
    QVERIFY(!trend->trendTimer->isActive() && boxes->count() == 0);
    QCOMPARE(ModalBoxAnswerer::takeNotices(), QStringList{QStringLiteral("语言已切换,实时曲线已停止")});
}

void TestDynamicWindow::driveStopsAnswering_data()
{
    QTest::addColumn<bool>("pulled");
    // An unanswered read holds the line until the link gives it up, and no other read follows
    // it in its tick; the fifth in a row is told in the title, with no box.
    QTest::newRow("silent drive") << false;
    // A read the link drops with a pulled adapter is no silent read. What is saved after the pull
    // is what was drawn, every value one the drive gave.
    QTest::newRow("link pulled after four silent reads") << true;
}

void TestDynamicWindow::driveStopsAnswering()
{
    QFETCH(bool, pulled);
    connect(link.get(), &serialPort::isOpenSerial, trend.get(), &dynamicWindow::isOpenSerialPlot);
    drive->setRegister(0xE008, 25); // CH1 reads another variable than CH2, so each read shows whose it is
    open();
    trend->ui->comboBox_CH1->setCurrentIndex(5);
    QTRY_COMPARE(trend->valueCH1, 25);
    trend->on_pushButton_pause_clicked();
    QTRY_VERIFY(!trend->readTurn->waiting());
    const int before = points();
    drive->setFailure(SimulatedDrive::Failure::NoAnswer);
    int silentReads = 0;
    connect(trend.get(), &dynamicWindow::readDynamicData, this, [&](QByteArray addr) {
        if (addr == "E008" && ++silentReads == dynamicWindow::SilentTicks && pulled)
            QTimer::singleShot(0, this, [&] { drive->dropLink(); });
    });
    drive->clearRequests();
    trend->on_pushButton_continue_clicked();

    if (pulled) {
        QTRY_VERIFY_WITH_TIMEOUT(!trend->serialOpen && !trend->readTurn->waiting(), 15000);
        QCOMPARE(silentReads, int(dynamicWindow::SilentTicks));
        QVERIFY(!trend->silence.noted());
        QCOMPARE(trend->windowTitle(), QStringLiteral("DynamicWindow"));
        boxes->setFileAnswer(work->filePath(QStringLiteral("pulled.Dynamic")));
        trend->on_pushButton_save_clicked();
        QFile file(work->filePath(QStringLiteral("pulled.Dynamic")));
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        QCOMPARE(QString::fromUtf8(file.readAll()).section('\n', 5, 5), QStringLiteral("25,").repeated(before));
        QCOMPARE(trend->history.size(), before);
        QCOMPARE(boxes->count(), 1); // the file dialog
        return;
    }
    QTRY_VERIFY_WITH_TIMEOUT(trend->windowTitle().contains(QStringLiteral("驱动器无应答")), 30000);
    QTRY_VERIFY_WITH_TIMEOUT(drive->requestCount() >= 3, 10000);
    for (const QByteArray &request : drive->requests())
        QCOMPARE(request.mid(1, 3).toHex(), QByteArray("03e008"));
    QCOMPARE(points(), before);
    QCOMPARE(boxes->count(), 0);

    // The drive back: values flow again.
    drive->setFailure(SimulatedDrive::Failure::None);
    drive->setRegister(0xE008, 26);
    QTRY_COMPARE(trend->valueCH1, 26);
    QTRY_COMPARE(trend->windowTitle(), QStringLiteral("DynamicWindow"));
}

// A drive slower than the 40 ms tick: every answer is drawn (ticks meanwhile are skipped), the
// title does not call the drive silent, and what would be saved is what is on screen.
void TestDynamicWindow::slowDriveIsDrawnAndSaved()
{
    drive->setReplyDelay(120);
    open();
    QTRY_VERIFY_WITH_TIMEOUT(points() >= 5, 5000);
    trend->on_pushButton_pause_clicked();
    QCOMPARE(trend->windowTitle(), QStringLiteral("DynamicWindow"));
    QCOMPARE(trend->history.values().size(), points());
}

void TestDynamicWindow::lateReplyIsTakenOnlyForItsOwnRead()
{
    // CH1 and CH2 both read one word: a reply that answers one cannot be told from the other's
    // by its shape, only by which read it came for.
    drive->setRegister(0xE008, 222); // CH1
    drive->setRegister(0xE000, 111); // CH2
    open();
    trend->ui->comboBox_CH1->setCurrentIndex(5);
    QTRY_COMPARE(trend->valueCH1, 222);
    QTRY_COMPARE(trend->valueCH2, 111);

    drive->setLateDelay(60);
    drive->setFailure(SimulatedDrive::Failure::Late, 12);
    QTRY_VERIFY_WITH_TIMEOUT(drive->failure() == SimulatedDrive::Failure::None, 20000);
    QTest::qWait(400);
    for (qint32 v : trend->history.values())
        QCOMPARE(v, 222);
    QCOMPARE(trend->valueCH1, 222);
    QCOMPARE(trend->valueCH2, 111);
}

void TestDynamicWindow::closedPortOrHiddenWindowSendsNothing()
{
    // Shown with the port closed: the trend ticks without asking, and no box piles up.
    trend->showDynamicWindow();
    QVERIFY(QTest::qWaitForWindowExposed(trend.get()));
    QTest::qWait(300);
    QCOMPARE(points(), 0);
    QCOMPARE(trend->windowTitle(), QStringLiteral("DynamicWindow"));
    QCOMPARE(drive->requestCount(), 0);
    QCOMPARE(boxes->count(), 0);

    // Closed, then a language switch with the port open: the hidden trend stays at rest.
    trend->isOpenSerialPlot(true);
    trend->close();
    trend->ChineseLable();
    trend->EnglishLable();
    QCOMPARE(trend->ui->comboBox_CH1->count(), LiveTrend::channelCount());
    QVERIFY(!trend->trendTimer->isActive());
    QTest::qWait(150);
    QCOMPARE(drive->requestCount(), 0);
}

void TestDynamicWindow::savesTheNewestValues_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("suffix added") << "trend" << "trend.Dynamic";
    QTest::newRow("suffix kept") << "trend.Dynamic" << "trend.Dynamic";
    QTest::newRow("cancelled") << "" << "";
}

void TestDynamicWindow::savesTheNewestValues()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    trend->DriverModelToSave("VR-A1");
    trend->wordCount = 2;
    trend->pendingChannel = 1;
    for (int i = 0; i < 203; ++i) {
        trend->wordCount = 2;
        trend->readGraphDataRecieve({QString("%1").arg(i, 4, 16, QChar('0')), "0000"});
        trend->history.append(trend->valueCH1); // what a tick draws
    }
    trend->readGraphDataRecieve({"FFFF", "0000"}); // a second reply to the last read is not taken
    QCOMPARE(trend->valueCH1, 202);
    boxes->setFileAnswer(chosen.isEmpty() ? QString() : work->filePath(chosen));
    trend->ui->pushButton_save->click();

    if (written.isEmpty()) { // nothing written or remembered, and no box beyond the dialog
        QVERIFY(QDir(work->path()).entryList({"*.Dynamic"}).isEmpty());
        QVERIFY(!QSettings("./Setting.ini", QSettings::IniFormat).contains("LastFilePath"));
        QCOMPARE(boxes->count(), 1);
        return;
    }
    QFile file(work->filePath(written));
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    QCOMPARE(lines.size(), 7);
    QVERIFY(QDateTime::fromString(lines.at(0), "yyyy-MM-dd_hh-mm-ss").isValid());
    QCOMPARE(lines.mid(1, 4), QStringList({"VR-A1", "通道设置", "Motor speed (min -1)", "数据"}));
    QVERIFY(lines.at(5).startsWith("2,3,") && lines.at(5).endsWith(",201,202,"));
    QCOMPARE(lines.at(5).count(','), 201);
    QCOMPARE(QSettings("./Setting.ini", QSettings::IniFormat).value("LastFilePath").toString(),
             work->path() + '/');
}

void TestDynamicWindow::longTrendKeepsABoundedGraph()
{
    // Paused, so the ticks are the plotting alone; the keys go on past the trimming.
    open();
    trend->on_pushButton_pause_clicked();
    const int ticks = qMax(points(), 0) + LiveTrend::KeptPoints + 2 * LiveTrend::TrimBatch;
    for (int i = qMax(points(), 0); i < ticks; ++i)
        trend->plotPoint();
    QVERIFY(points() >= LiveTrend::KeptPoints && points() <= LiveTrend::KeptPoints + LiveTrend::TrimBatch);
    QCOMPARE(trend->ui->widget_Dynamic->xAxis->range(), QCPRange(ticks - 101, ticks - 1));
}

QTEST_MAIN(TestDynamicWindow)
#include "tst_dynamicwindow.moc"
