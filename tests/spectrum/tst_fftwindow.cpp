// The spectrum window against the simulated drive, wired as main wires it: captures with their
// known sines, the faults a capture meets, Save and Load.

#include "fftwindow.h"
#include "ui_fftwindow.h"

#include "linetickets.h"
#include "drivecommands.h"
#include "automationmode.h"
#include "modalanswerer.h"
#include "samplefile.h"
#include "serialport.h"
#include "simspectrumsampler.h"
#include "simulateddrive.h"
#include "simulatedmodel.h"
#include "tempworkdir.h"

#include <QMessageBox>
#include <QSettings>
#include <QtTest>

#include <memory>

using Failure = SimulatedDrive::Failure;
using Fault = SimSpectrumSampler::Fault;
using Answer = ModalBoxAnswerer::Answer;

namespace {

struct Rig {
    Rig()
    {
        QSettings(QStringLiteral("language.ini"), QSettings::IniFormat).setValue(QStringLiteral("config/languageChoose"), 1);
        SimulatedModel::install(drive, 0, 1);
        window = std::make_unique<FFT_Window>();
        FFT_Window *w = window.get();
        serialPort *l = &link;
        QObject::connect(w, &FFT_Window::imageRead, l, &serialPort::readStaticPic);
        QObject::connect(w, &FFT_Window::imageWrite, l, &serialPort::writeStaticPic);
        QObject::connect(l, &serialPort::readDataToPaint1, w, &FFT_Window::readGraphDataRecieve);
        QObject::connect(w, &FFT_Window::startDrow, l, &serialPort::startDrow);
        QObject::connect(w, &FFT_Window::startDrow, l, [l] { l->startUpload(1); });
        QObject::connect(w, &FFT_Window::endDrow, l, &serialPort::endDrow);
        QObject::connect(l, &serialPort::sendPicFinished1, w, &FFT_Window::PicStastus);
        QObject::connect(l, &serialPort::FrameDataIsOK1, w, &FFT_Window::FrameDataIsOK);
        QObject::connect(l, &serialPort::WriteGraphToCheck1, w, &FFT_Window::recevieWriteGraphToCheck);
        QObject::connect(l, &serialPort::isOpenSerial, w, &FFT_Window::isOpenSerialPlot);
    }

    bool connect()
    {
        if (!drive.start() || !link.openPort(drive.portName(), 115200))
            return false;
        emit link.isOpenSerial(true);
        window->DriverModelToSave(QStringLiteral("VR1P"));
        return true;
    }

    QStringList save(ModalBoxAnswerer &boxes, const QString &name) // Save as the user would; the file's lines
    {
        boxes.setFileAnswer(dir.filePath(name));
        QTest::mouseClick(window->ui->pushButton_Save, Qt::LeftButton);
        QFile file(dir.filePath(name + QStringLiteral(".fft")));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).split('\n') : QStringList();
    }
    static QString dataLine(const QVector<int> &samples) { return SampleFile::format({}, samples).section('\n', 7, 7); }

    // What the drive recorded, in time order, as the window should have converted it.
    QVector<int> expected(int channel, int multiplier) const
    {
        const quint16 code = channel == 0 ? 0x0102 : 0x0165;
        const qint16 scale = qint16(drive.registerValue(0xE602));
        QVector<int> v;
        for (int n = 0; n < 1024; ++n) {
            const int raw = SimSpectrumSampler::sample(code, multiplier, n);
            v << (channel == 0 ? int(qint16(std::lround(raw * double(scale) / 16384.0))) : raw);
        }
        return v;
    }

    void capture(int channel, int multiplier)
    {
        window->ui->comboBox_Choose->setCurrentIndex(channel);
        window->ui->spinBox_time->setValue(multiplier);
        QTest::mouseClick(window->ui->pushButton_Start, Qt::LeftButton);
    }

    QString peaks() const
    {
        const Ui::FFT_Window *ui = window->ui;
        return QStringList({ui->lineEdit_fre1->text(), ui->lineEdit_amplitude1->text(), ui->lineEdit_fre2->text(),
                            ui->lineEdit_amplitude2->text()}).join(QLatin1Char(' '));
    }

    TempWorkDir dir;
    SimulatedDrive drive{1};
    serialPort link;
    std::unique_ptr<FFT_Window> window;
};

} // namespace

class TestFftWindow : public QObject
{
    Q_OBJECT

private slots:
    void capture_data();
    void capture();
    void captureFaults_data();
    void captureFaults();
    void saveAndLoad();
};

void TestFftWindow::capture_data()
{
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("multiplier");
    QTest::addColumn<QString>("peaks");

    // Torque: 500 Hz of 3000 with 1000 Hz of 900. Speed (scale 6000/16384): 125 Hz of 1464, 375 Hz of 439.
    QTest::newRow("torque, every 125 us") << 1 << 1 << "500 3000 1000 899";
    QTest::newRow("speed, every 250 us") << 0 << 2 << "125 1464 375 439";
}

void TestFftWindow::capture()
{
    QFETCH(int, channel);
    QFETCH(int, multiplier);
    QFETCH(QString, peaks);

    Rig rig;
    QVERIFY(rig.connect());
    ModalBoxAnswerer boxes;
    // Interval and channel changed while the capture runs: it keeps those it started with.
    QObject::connect(rig.window.get(), &FFT_Window::imageWrite, rig.window.get(), [&] {
        rig.window->ui->spinBox_time->setValue(9);
        rig.window->ui->comboBox_Choose->setCurrentIndex(1 - channel);
    });
    rig.capture(channel, multiplier);
    QCOMPARE(rig.peaks(), peaks);
    // The capture window's four channels: the side panel shows each one's peaks as it is
    // analysed and keeps the fourth's; the plots and what Save writes stay the capture's.
    QStringList sent, shown;
    QObject::connect(rig.window.get(), &FFT_Window::sendFFTResult,
                     [&](QVector<int>, QVector<int>, int f1, int a1, int f2, int a2) {
                         sent << QStringLiteral("%1 %2 %3 %4").arg(f1).arg(a1).arg(f2).arg(a2);
                         shown << rig.peaks();
                     });
    rig.window->FFTAnalyze(rig.expected(1 - channel, 3), rig.expected(channel, 2), rig.expected(1 - channel, 1),
                           rig.expected(channel, 4));
    QCOMPARE(shown, sent);
    QCOMPARE(QSet<QString>(sent.cbegin(), sent.cend()).size(), 4);

    QCOMPARE(boxes.count(), 0);
    QCOMPARE(rig.window->samples, rig.expected(channel, multiplier));
    QCOMPARE(rig.peaks(), sent.last());
    QCOMPARE(rig.window->ui->widget_FFTphase->graph(0)->dataCount(), 512);
    QCOMPARE(rig.window->ui->widget_amplitude->graph(0)->dataCount(), 512);
    QVERIFY(rig.window->ui->pushButton_Start->isEnabled());
    QVERIFY(rig.window->ui->pushButton_Save->isEnabled());
    QVERIFY(rig.window->ui->progressBar->isHidden());
    // The set-up as the drive took it: the multiplier and the channel code on all four channels.
    QCOMPARE(rig.drive.registerValue(0x2103), quint16(multiplier));
    QCOMPARE(rig.drive.registerValue(0x2113), quint16(channel == 0 ? 0x0102 : 0x0165));
    const QStringList saved = rig.save(boxes, QStringLiteral("taken"));
    QCOMPARE(saved.mid(1, 4),
             (QStringList{"VR1P", "125", QString::number(multiplier), rig.window->ui->comboBox_Choose->itemText(channel)}));
    QCOMPARE(saved.value(7), Rig::dataLine(rig.expected(channel, multiplier)));
}

void TestFftWindow::captureFaults_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<int>("failure");
    QTest::addColumn<bool>("atUpload"); // the drive's failure starts with the ring upload
    QTest::addColumn<QString>("box");    // empty: no box at all

    QTest::newRow("sampler never done") << int(Fault::NeverDone) << int(Failure::None) << false << "采样超时";
    QTest::newRow("trigger index past the ring") << int(Fault::TriggerOutOfRange) << int(Failure::None) << false << "空数据";
    QTest::newRow("set-up writes unanswered") << int(Fault::None) << int(Failure::NoEchoEver) << false << "采样设置失败";
    QTest::newRow("a ring block lost twice") << int(Fault::None) << int(Failure::NoAnswer) << true << "空数据";
    QTest::newRow("trigger index unanswered") << int(Fault::None) << int(Failure::NoAnswer) << true << "空数据";
    QTest::newRow("speed scale unanswered") << int(Fault::None) << int(Failure::None) << false << "空数据";
    // While the status poll waits: the port closes, or Stop and at once Start are pressed (the
    // second Start must not run inside the first capture).
    QTest::newRow("port closed in the wait") << int(Fault::NeverDone) << int(Failure::None) << false << "";
    QTest::newRow("link pulled in the wait") << int(Fault::NeverDone) << int(Failure::None) << false << "";
    QTest::newRow("stop then start in the wait") << int(Fault::NeverDone) << int(Failure::None) << false << "";
    QTest::newRow("language switched") << int(Fault::NeverDone) << int(Failure::None) << false << "切换语言断开了串口，频谱采样已停止";
    QTest::newRow("language switched, unattended") << int(Fault::NeverDone) << int(Failure::None) << false << "切换语言断开了串口，频谱采样已停止";
    // Polls slower than the tick: a tick that asked anyway would stack them.
    QTest::newRow("slow drive, status polls") << int(Fault::NeverDone) << int(Failure::None) << false << "采样超时";
    // Other requests hold the line: the stop goes ahead of them, and takes back the start it overtakes.
    QTest::newRow("stop while the start waits its turn") << int(Fault::None) << int(Failure::None) << false << "";
}

void TestFftWindow::captureFaults()
{
    QFETCH(int, fault);
    QFETCH(int, failure);
    QFETCH(bool, atUpload);
    QFETCH(QString, box);

    Rig rig;
    QVERIFY(rig.connect());
    AutomationMode::setOn(QByteArray(QTest::currentDataTag()).endsWith("unattended"));
    const auto manual = qScopeGuard([] { AutomationMode::setOn(false); });
    ModalBoxAnswerer boxes; // from the first capture on: a box it shows must not wait for ever
    rig.capture(0, 1); // a good capture first: a failed one must not reuse its values
    QVERIFY(!rig.window->samples.isEmpty() && boxes.count() == 0);

    rig.drive.part<SimSpectrumSampler>()->setFault(Fault(fault));
    if (!atUpload)
        rig.drive.setFailure(Failure(failure));
    // The first block and its second request, or the trigger index read after the ring.
    const bool index = QByteArray(QTest::currentDataTag()).startsWith("trigger index unanswered");
    QObject::connect(rig.window.get(), &FFT_Window::startDrow, [&](bool) {
        if (atUpload && !index)
            rig.drive.setFailure(Failure(failure), 2);
    });
    QObject::connect(rig.window.get(), &FFT_Window::endDrow, [&](bool draw, int) {
        if (atUpload && index && draw)
            rig.drive.setFailure(Failure(failure));
    });
    const QByteArray tag(QTest::currentDataTag());
    if (tag.startsWith("speed scale")) { // the scale read and its resend go unheard
        // Set on the drive as it takes the last set-up write: a read is on the line before
        // its signal returns, so a failure set from there may come after its answer.
        SimulatedDrive *drive = &rig.drive;
        drive->addWriteHook([drive](int, quint16 addr, quint16) {
            if (addr == 0x2113)
                drive->setFailure(Failure::NoAnswer);
        });
        QObject::connect(rig.window.get(), &FFT_Window::imageWrite, [&](QByteArray addr) {
            if (addr == "2201")
                rig.drive.setFailure(Failure::None);
        });
    }
    LineTickets::Ticket read2 = 0; // in the step before the start, two reads of another window come
    QObject::connect(rig.window.get(), &FFT_Window::imageWrite, [&](QByteArray addr, QByteArray value) {
        if (tag.startsWith("stop while") && addr == "2009") {
            QTimer::singleShot(0, [&] {
                rig.drive.setReplyDelay(150);
                rig.link.readDynamic("E602", "0001");
                rig.link.readDynamic("E602", "0001");
                read2 = LineTickets::lastTaken();
            });
        } else if (tag.startsWith("stop while") && addr == "2001" && value == "0001") {
            QTimer::singleShot(0, rig.window->ui->pushButton_stop, &QPushButton::click);
        }
    });
    bool acted = false;
    LineTickets::Ticket lastPoll = 0;
    QObject::connect(rig.window.get(), &FFT_Window::imageRead, [&](QByteArray addr, QByteArray, int) {
        if (addr != "2205")
            return;
        QVERIFY2(LineTickets::isFinished(std::exchange(lastPoll, LineTickets::lastTaken())), "a status poll stacked");
        if (std::exchange(acted, true))
            return;
        if (tag.startsWith("slow drive"))
            rig.drive.setReplyDelay(250);
        QTimer::singleShot(0, [&] {
            if (tag.startsWith("port closed")) {
                emit rig.link.isOpenSerial(false);
            } else if (tag.startsWith("link pulled")) {
                rig.drive.dropLink();
            } else if (tag.startsWith("language")) { // the order of the main window's wiring
                rig.window->stopBeforeLinkCloses();
                emit rig.link.isOpenSerial(false);
                rig.window->ChineseLable();
            } else if (tag.startsWith("stop then start")) {
                QTest::mouseClick(rig.window->ui->pushButton_stop, Qt::LeftButton);
                QVERIFY(!rig.window->ui->pushButton_Start->isEnabled());
                QMetaObject::invokeMethod(rig.window.get(), "on_pushButton_Start_clicked"); // refused
            }
        });
    });
    // A box that says how the capture ended comes once the capture is over.
    bool busyAtBox = false;
    boxes.setLeftAlone([&](QWidget *box) {
        busyAtBox |= qobject_cast<QMessageBox *>(box) && (rig.window->captureActive || DriveCommands::isHeld());
        return false;
    });
    rig.drive.clearRequests();
    rig.capture(0, 1);
    // Whatever still waited its turn has gone out, or was taken back.
    QTRY_VERIFY(LineTickets::isFinished(read2) && !rig.link.busy());
    if (tag.startsWith("stop while")) // the stop went ahead of the second read
        QCOMPARE(rig.drive.requests().last().toHex(), QByteArray("0103e60200011282"));

    // With the command file served unattended the note waits for nobody.
    const bool unattended = tag.endsWith("unattended");
    QCOMPARE(boxes.count(), box.isEmpty() || unattended ? 0 : 1);
    QCOMPARE(unattended ? ModalBoxAnswerer::takeNotices().value(0) : boxes.last().text, box);
    QVERIFY(!busyAtBox && !DriveCommands::isHeld());
    int starts = 0;
    for (const QByteArray &request : rig.drive.requests())
        starts += request.toHex().toUpper().startsWith("010620010001");
    QCOMPARE(starts, box == QStringLiteral("采样设置失败") || tag.startsWith("stop while") ? 0 : 1);
    QCOMPARE(rig.drive.requests().contains(QByteArray::fromHex("010620010000D3CA")), // the sampler stopped
             tag.startsWith("stop") || tag.startsWith("language"));
    QCOMPARE(rig.window->ui->comboBox_Choose->currentIndex(), 0); // a language switch keeps the channel
    QVERIFY(rig.window->samples.isEmpty());
    QVERIFY(rig.window->frequencies.isEmpty());
    // After any failure the window is ready again: Start (while the port is open), Save and
    // Load enabled, no progress.
    QCOMPARE(rig.window->ui->pushButton_Start->isEnabled(), rig.window->portOpen);
    QVERIFY(rig.window->ui->pushButton_Save->isEnabled());
    QVERIFY(rig.window->ui->pushButton_Load->isEnabled());
    QVERIFY(rig.window->ui->progressBar->isHidden());
    // Nor is the link left waiting for the capture's exchange, which would hold off the main
    // window's status poll for good.
    QSignalSpy busy(&rig.link, &serialPort::sendQueryOperateInterface);
    rig.link.QueryInterface(false);
    QCOMPARE(busy.count(), 1);
    QCOMPARE(busy.first().first().toBool(), false);
    QCOMPARE(rig.save(boxes, QStringLiteral("kept")).value(7), Rig::dataLine(rig.expected(0, 1))); // the good capture stays
    // and is what loads back, whole.
    boxes.clear();
    boxes.setFileAnswer(rig.dir.filePath(QStringLiteral("kept.fft")));
    QTest::mouseClick(rig.window->ui->pushButton_Load, Qt::LeftButton);
    QCOMPARE(boxes.count(), 1); // the file dialog
    QCOMPARE(rig.window->shown.samples, rig.expected(0, 1));
}

void TestFftWindow::saveAndLoad()
{
    Rig rig;
    QVERIFY(rig.connect());
    ModalBoxAnswerer boxes;
    QVERIFY(rig.save(boxes, QStringLiteral("nothing")).isEmpty()); // nothing shown: no file, and a word why
    QCOMPARE(boxes.last().text, QStringLiteral("没有可保存的采样数据"));
    boxes.clear();
    rig.capture(0, 2);
    QCOMPARE(boxes.count(), 0);
    const QString captured = rig.peaks();
    const QVector<int> samples = rig.window->samples;

    // A language switch and a new multiplier after the capture: the file still says what it holds.
    // The plots show their captions in the new language at once.
    QTranslator english;
    QVERIFY(english.load(QStringLiteral(":/translator/Velotrim_EN.qm")));
    QCoreApplication::installTranslator(&english);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    QCOMPARE(rig.window->ui->widget_FFTphase->yAxis->label(), QStringLiteral("Amplitude"));
    QCOMPARE(rig.window->ui->widget_amplitude->yAxis->label(), QStringLiteral("Phase"));
    QCOMPARE(rig.window->ui->widget_amplitude->xAxis->label(), QStringLiteral("Frequency(HZ)"));
    QCoreApplication::removeTranslator(&english);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    rig.window->EnglishLable();
    rig.window->ui->spinBox_time->setValue(5);
    const QString path = rig.dir.filePath(QStringLiteral("run1"));
    boxes.setFileAnswer(path);
    QTest::mouseClick(rig.window->ui->pushButton_Save, Qt::LeftButton);
    QFile file(path + QStringLiteral(".fft"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    file.close();
    QCOMPARE(lines.value(3), QStringLiteral("2"));
    QCOMPARE(lines.value(4), QStringLiteral("speed feedback "));

    rig.window->ui->lineEdit_fre1->clear();
    boxes.setFileAnswer(file.fileName());
    QTest::mouseClick(rig.window->ui->pushButton_Load, Qt::LeftButton);
    // Then files it refuses, written over it: one box each naming line and field, and the screen stays.
    const QVector<QStringList> refused{
        {"1", QStringLiteral("abc,").repeated(1024), "第 8 行的数值无效: abc"},
        {"1", QStringLiteral("99999999999,").repeated(1024), "第 8 行的数值无效: 99999999999"},
        {"99999999999", "", "第 4 行的数值无效: 99999999999"},
        {"0", "", "第 4 行的采样间隔无效: 0 (应为 1 ~ 99)"},
        {"-3", "", "第 4 行的采样间隔无效: -3 (应为 1 ~ 99)"},
        {"100", "", "第 4 行的采样间隔无效: 100 (应为 1 ~ 99)"},
        {"1", QStringLiteral("1,").repeated(1025), "文件格式出错"},
        {"1", QStringLiteral("1,").repeated(512), "频谱分析需要 1024 个采样点，第 8 行只有 512 个"},
    };
    for (const QStringList &row : refused) {
        QVERIFY(SampleFile::save(file.fileName(), QString("\n\n\n%1,\n\n\n\n%2\n").arg(row[0], row[1]), nullptr));
        boxes.clear();
        QTest::mouseClick(rig.window->ui->pushButton_Load, Qt::LeftButton);
        QCOMPARE(boxes.count(), 2);
        QCOMPARE(boxes.last().text, row[2]);
    }
    QCOMPARE(rig.window->ui->spinBox_time->value(), 2);
    QCOMPARE(rig.peaks(), captured);
    QCOMPARE(rig.window->samples, samples); // loaded samples do not replace the capture
    QVERIFY(!rig.window->frequencies.isEmpty() && rig.window->ui->widget_FFTphase->graph(0)->dataCount() == 512);

    boxes.clear();
    boxes.setFileAnswer(QString());
    QTest::mouseClick(rig.window->ui->pushButton_Load, Qt::LeftButton);
    QCOMPARE(boxes.count(), 1); // the file dialog itself
    rig.capture(0, 0);
    QCOMPARE(boxes.last().text, QStringLiteral("采样间隔无效: 0 (应为 1 ~ 99)"));
    // Loaded samples are shown and saved again under the file's drive, channel and multiplier, not the capture's.
    const QString torque = rig.dir.filePath(QStringLiteral("torque.fft"));
    QVERIFY(SampleFile::save(torque, SampleFile::format({"d", "m", 3, "torque feedback", "v", "CH1:"}, rig.expected(1, 3)), nullptr));
    boxes.setFileAnswer(torque);
    QTest::mouseClick(rig.window->ui->pushButton_Load, Qt::LeftButton);
    rig.window->ui->spinBox_time->setValue(9);
    const QStringList again = rig.save(boxes, QStringLiteral("again"));
    QCOMPARE(again.mid(1, 4), (QStringList{"m", "125", "3", "torque feedback"}));
    QCOMPARE(again.value(7), Rig::dataLine(rig.expected(1, 3)));
    rig.capture(0, 2); // then a capture is saved under its own names
    QCOMPARE(rig.save(boxes, QStringLiteral("after")).mid(1, 4), (QStringList{"VR1P", "125", "2", "speed feedback "}));
}

QTEST_MAIN(TestFftWindow)
#include "tst_fftwindow.moc"
