// The command-file window against the simulated drive, through a real command file in a
// temporary folder, with the parameter window's services, the capture window's hooks and the
// link joined by main's own wiring. Each case checks the three answer lines exactly.

#include "autowindow.h"
#include "framecodec.h"
#include "linkstandin.h"
#include "modalanswerer.h"
#include "parameterwindow.h"
#include "serialport.h"
#include "simlive.h"
#include "simulateddrive.h"
#include "simsampler.h"
#include "simulatedmodel.h"
#include "staticwindow.h"
#include "tempworkdir.h"
#include "testframes.h"
#include "ui_autowindow.h"
#include "ui_staticwindow.h"
#include "variablemailbox.h"
#include "mainwindow.h"
#include "wiring.h"

#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTimer>
#include <QTranslator>
#include <QtTest>

#include <memory>
#include <utility>
#include <fcntl.h>
#include <unistd.h>

Q_DECLARE_METATYPE(SimulatedDrive::Failure)
Q_DECLARE_METATYPE(VariableMailbox::Mode)

namespace {

// The windows the command file reaches; the main window and the others are left out, so that
// no status poll mixes in with the requests counted here.
struct Tool
{
    Tool()
    {
        windows.link = &link;
        windows.capture = &capture;
        windows.parameters = &parameters;
        windows.automation = &automation;
        // The connections to the windows left out are refused with a warning each: kept quiet.
        const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
        Wiring::afterVersions(windows);
        Wiring::afterAutoWindow(windows);
        qInstallMessageHandler(previous);
    }

    serialPort link;
    staticWindow capture;
    parameterWindow parameters;
    AutoWindow automation;
    Windows windows;
};

// The answer: the request, the result, the command with T or F.
QString answer(const QString &request, const QString &result, bool ok)
{
    return request + '\n' + result + '\n' + request.section(' ', 0, 0) + (ok ? " T" : " F");
}

// "0100=FFFF 0101=0001": registers and values, in hex.
QList<QPair<quint16, quint16>> registerList(const QString &text)
{
    QList<QPair<quint16, quint16>> list;
    for (const QString &item : text.split(' ', Qt::SkipEmptyParts))
        list.append({quint16(item.section('=', 0, 0).toUInt(nullptr, 16)), quint16(item.section('=', 1).toUInt(nullptr, 16))});
    return list;
}

} // namespace

class TestAutoWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void goodRequests_data();
    void goodRequests();
    void badFieldsAreAnsweredAndNeverSent_data();
    void badFieldsAreAnsweredAndNeverSent();
    void halfWrittenRequestWaits_data();
    void halfWrittenRequestWaits();
    void failuresOfTheDriveAnswerF_data();
    void failuresOfTheDriveAnswerF();
    void captureRequests_data();
    void captureRequests();
    void stopFromTheFileEndsACapture();
    void requestCarriedOutOnce();
    void requestWrittenMeanwhileIsAnsweredInTurn_data();
    void requestWrittenMeanwhileIsAnsweredInTurn();
    void answerStepMeetsTheOutsideProgram_data();
    void answerStepMeetsTheOutsideProgram();
    void slowDriveInAutomaticModeIsAskedOnce();
    void slowDriveAnswersEveryRequestTruly();
    void automaticModeAnswersErrorsInTheFile();
    void linkLostDuringHandshakeAnsweredInTheFile();
    void chosenFileAndItsFolder();
    void quickSaveAnswerLeavesTheFileAlone();
    void autoButtonAtSecondLevel();
    void relabelsOnLanguageChange();

private:
    void writeFile(const QString &text, QIODevice::OpenMode mode = QIODevice::Truncate)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | mode));
        file.write(text.toLocal8Bit());
    }
    // A whole request: the same line twice.
    void writeRequest(const QString &request) { writeFile(request + '\n' + request + '\n'); }
    void runRequest(const QString &request)
    {
        writeRequest(request);
        automaticMode(true);
        tool->automation.timeSlot();
    }
    QString fileText() const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QStringLiteral("<no file>");
    }
    void automaticMode(bool on)
    {
        tool->automation.ui->checkBox->setEnabled(true);
        tool->automation.ui->checkBox->setChecked(on);
    }

    std::unique_ptr<TempWorkDir> work;
    std::unique_ptr<SimulatedDrive> drive;
    VariableMailbox *mailbox = nullptr;
    std::unique_ptr<Tool> tool;
    QString path;
};

void TestAutoWindow::init()
{
    work = std::make_unique<TempWorkDir>();
    QVERIFY(work->isValid());
    drive = std::make_unique<SimulatedDrive>(1);
    SimulatedModel::install(*drive, 0);
    mailbox = drive->part<VariableMailbox>();
    // The monitor variables read here hold the values each case sets.
    drive->part<SimLiveVariables>()->hold(true);
    QVERIFY2(drive->start(), qPrintable(drive->errorString()));
    tool = std::make_unique<Tool>();
    QVERIFY(tool->link.openPort(drive->portName(), 115200));
    emit tool->link.isOpenSerial(true);
    path = work->filePath(QStringLiteral("command.txt"));
    tool->automation.filePath = path;
    tool->automation.chooseFile = false;
}

void TestAutoWindow::cleanup()
{
    tool.reset();
    mailbox = nullptr;
    drive.reset();
    work.reset();
}

void TestAutoWindow::goodRequests_data()
{
    QTest::addColumn<QString>("request");
    QTest::addColumn<QString>("before");  // registers on the drive, or var:<number>=<value>
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("after");   // registers on the drive after

    QTest::newRow("rp u16") << "rp 100 0 u16" << "0100=FFFF" << "65535" << "";
    QTest::newRow("rp i16") << "rp 100 0 i16" << "0100=FFFF" << "-1" << "";
    QTest::newRow("rp h16") << "rp 5 0 h16" << "0005=001F" << "001F" << "";
    QTest::newRow("rp u32 above i32 range") << "rp 10 0 u32" << "0010=FFFE 0011=FFFF" << "4294967294" << "";
    QTest::newRow("rp i32") << "rp 10 0 i32" << "0010=FFFE 0011=FFFF" << "-2" << "";
    QTest::newRow("dp io") << "dp 7 0 io" << "E007=0081" << "10000001" << "";
    QTest::newRow("dp i32") << "dp 7 0 i32" << "E007=FFFF E008=FFFF" << "-1" << "";
    QTest::newRow("wp i16") << "wp a1 -1 i16" << "" << "0" << "00A1=FFFF";
    QTest::newRow("wp i32 bottom") << "wp 10 -2147483648 i32" << "" << "0" << "0010=0000 0011=8000";
    QTest::newRow("wp u32 top") << "wp 10 4294967295 u32" << "" << "0" << "0010=FFFF 0011=FFFF";
    QTest::newRow("wp h16") << "wp 10 1f h16" << "" << "0" << "0010=001F";
    QTest::newRow("wp cl") << "wp 2000 7 cl" << "" << "0" << "2000=0007";
    QTest::newRow("wv f32") << "wv 100 1.5 f32" << "" << "2" << "CEA0=0064 CEA2=0000 CEA3=3FC0";
    QTest::newRow("wv f32 exponent") << "wv 100 -2.5e3 f32" << "" << "2" << "CEA2=4000 CEA3=C51C";
    QTest::newRow("wv i32") << "wv 100 -2 i32" << "" << "2" << "CEA2=FFFE CEA3=FFFF";
    QTest::newRow("rv f32") << "rv 100 0 f32" << "var:100=3F800000" << "1" << "";
    QTest::newRow("rv u32") << "rv 5 0 u32" << "var:5=FFFFFFFF" << "4294967295" << "";
    QTest::newRow("rv i16") << "rv 5 0 i16" << "var:5=0000FFFF" << "-1" << "";
    // Any other type word: the joined words as a signed 32-bit number.
    QTest::newRow("rv i32") << "rv 5 0 i32" << "var:5=80000000" << "-2147483648" << "";
    QTest::newRow("rv u16") << "rv 5 0 u16" << "var:5=FFFFFFFE" << "-2" << "";
    QTest::newRow("rv h16") << "rv 5 0 h16" << "var:5=00010000" << "65536" << "";
    QTest::newRow("rv io") << "rv 5 0 io" << "var:5=FFFFFFFD" << "-3" << "";
    QTest::newRow("rv negative variable") << "rv -1 0 i32" << "var:65535=00000007" << "7" << "CEA0=FFFF";
    QTest::newRow("wv negative variable") << "wv -2 5 i32" << "" << "2" << "CEA0=FFFE CEA2=0005";
    QTest::newRow("wv finished at the third status read") << "wv 100 7 i32" << "slow" << "2" << "CEA2=0007";
}

void TestAutoWindow::goodRequests()
{
    QFETCH(QString, request);
    QFETCH(QString, before);
    QFETCH(QString, result);
    QFETCH(QString, after);

    if (before.startsWith(QLatin1String("var:")))
        mailbox->setVariable(quint16(before.mid(4).section('=', 0, 0).toUInt()), before.section('=', 1).toUInt(nullptr, 16));
    if (before == QLatin1String("slow")) { // busy after the command until the third status read
        mailbox->setMode(VariableMailbox::Mode::NeverFinishes);
        SimulatedDrive *d = drive.get();
        auto reads = std::make_shared<int>(0);
        d->addReadHook([d, reads](int, quint16 addr, quint16) {
            if (addr == VariableMailbox::StatusRegister && d->registerValue(addr) == 1 && ++*reads == 3)
                d->setRegister(addr, 2);
        });
    }
    for (const auto &reg : registerList(before.contains('=') && !before.startsWith(QLatin1String("var:")) ? before : QString()))
        drive->setRegister(reg.first, reg.second);
    ModalBoxAnswerer answerer;
    runRequest(request);

    QCOMPARE(fileText(), answer(request, result, true));
    for (const auto &reg : registerList(after))
        QCOMPARE(QString::number(drive->registerValue(reg.first), 16), QString::number(reg.second, 16));
    if (request.startsWith(QLatin1String("wv 100 1.5")))
        QCOMPARE(mailbox->variable(100), quint32(0x3FC00000));
    QCOMPARE(answerer.count(), 0);
}

void TestAutoWindow::badFieldsAreAnsweredAndNeverSent_data()
{
    QTest::addColumn<QString>("request");
    QTest::addColumn<QString>("error");

    QTest::newRow("unknown command") << "xp 10 5 u16" << "unknown command";
    QTest::newRow("missing field") << "wp 10 5" << "missing field";
    QTest::newRow("non-numeric value") << "wp 10 abc i16" << "field 2 is not a number";
    QTest::newRow("u16 out of range") << "wp 10 70000 u16" << "field 2 out of range";
    QTest::newRow("u32 negative") << "wp 10 -1 u32" << "field 2 out of range";
    QTest::newRow("address not hex") << "rp 1X 0 u16" << "field 1 is not a number";
    QTest::newRow("unknown type") << "wp 10 5 u8" << "unknown type";
    QTest::newRow("type the command cannot write") << "wp 10 1.5 f32" << "type not supported";
    QTest::newRow("wv value beyond float") << "wv 100 1e39 f32" << "field 2 out of range";
    QTest::newRow("wv variable number") << "wv 70000 1 i32" << "field 1 out of range";
    QTest::newRow("wop unknown operation") << "wop S4 0 0" << "unknown operation";
    QTest::newRow("rop unknown operation") << "rop S3 0 0" << "unknown operation";
    // The corners of each field.
    QTest::newRow("command is case-sensitive") << "RP 1 0 u16" << "unknown command";
    QTest::newRow("tab joins command and field") << "rp\t100 0 u16" << "unknown command";
    QTest::newRow("rop missing field") << "rop S1" << "missing field";
    QTest::newRow("rp address of five digits") << "rp 12345 0 u16" << "field 1 out of range";
    QTest::newRow("rp cannot read f32") << "rp 100 0 f32" << "type not supported";
    QTest::newRow("rp cannot read io") << "rp 100 0 io" << "type not supported";
    QTest::newRow("dp h16 not readable") << "dp 7 0 h16" << "type not supported";
    QTest::newRow("dp number of four digits") << "dp 1000 0 u16" << "field 1 out of range";
    QTest::newRow("wp u16 negative") << "wp 10 -1 u16" << "field 2 out of range";
    QTest::newRow("wp i16 below range") << "wp 10 -32769 i16" << "field 2 out of range";
    QTest::newRow("wp i16 decimal point") << "wp 10 1.5 i16" << "field 2 is not a number";
    QTest::newRow("wp u32 above range") << "wp 10 4294967296 u32" << "field 2 out of range";
    QTest::newRow("wp i32 above range") << "wp 10 2147483648 i32" << "field 2 out of range";
    QTest::newRow("wp huge number") << "wp 10 99999999999999999999999 i32" << "field 2 out of range";
    QTest::newRow("wp h16 five digits") << "wp 10 12345 h16" << "field 2 out of range";
    QTest::newRow("wp h16 not hex") << "wp 10 1g h16" << "field 2 is not a number";
    QTest::newRow("wp cl needs a whole address") << "wp 20 5 cl" << "field 1 out of range";
    QTest::newRow("wv f32 nan") << "wv 100 nan f32" << "field 2 is not a number";
    QTest::newRow("wv f32 comma") << "wv 100 1,5 f32" << "field 2 is not a number";
    QTest::newRow("wv variable number hex") << "wv 0x10 1 i32" << "field 1 is not a number";
    QTest::newRow("wv u16 not writable") << "wv 100 1 u16" << "type not supported";
    QTest::newRow("rv variable beyond a word") << "rv -32769 0 f32" << "field 1 out of range";
    QTest::newRow("wop lower case") << "wop s1 0 0" << "unknown operation";
    // Turned away by the window that carries it, the port open: never blamed on the drive.
    QTest::newRow("parameter window closed by the main window") << "rp 100 0 u16" << "parameter window closed";
    // Closed so, then a drive confirmed again: a later refusal has a reason of its own (here the
    // port closing, as the parameter window hears it before the command-file window).
    QTest::newRow("parameter window closed, then a drive confirmed") << "rp 100 0 u16" << "serial port not open";
}

void TestAutoWindow::badFieldsAreAnsweredAndNeverSent()
{
    QFETCH(QString, request);
    QFETCH(QString, error);

    QSignalSpy wop(&tool->capture, &staticWindow::autoOperation_WOP);
    const QString tag = QString::fromLatin1(QTest::currentDataTag());
    if (tag.startsWith("parameter window closed"))
        tool->parameters.closeThisWindow();
    if (tag.endsWith("confirmed")) {
        emit tool->link.isOpenSerial(true);
        tool->parameters.isOpenSerial(false);
    }
    drive->clearRequests();
    runRequest(request);
    QCOMPARE(fileText(), answer(request, "-1 " + error, false));
    QCOMPARE(tool->automation.ui->label_error->text(), "-1 " + error); // the label names the same fault
    QTest::qWait(50);
    QCOMPARE(drive->requestCount(), 0);
    QCOMPARE(wop.count(), 0);
}

void TestAutoWindow::halfWrittenRequestWaits_data()
{
    QTest::addColumn<QString>("contents");
    QTest::newRow("empty file") << "";
    QTest::newRow("first line only") << "wp 10 5 u16\n";
    QTest::newRow("second line being written") << "wp 10 5 u16\nwp 10 5 u";
    QTest::newRow("second line one field short") << "wp 10 5 u16\nwp 10 5";
    QTest::newRow("three lines") << "wp 10 5 u16\nwp 10 5 u16\n\n";
}

void TestAutoWindow::halfWrittenRequestWaits()
{
    QFETCH(QString, contents);

    drive->clearRequests();
    writeFile(contents);
    automaticMode(true);
    tool->automation.timeSlot();
    QTest::qWait(50);
    tool->automation.timeSlot();
    QCOMPARE(fileText(), contents);
    QCOMPARE(drive->requestCount(), 0);

    // Once whole, it is carried out; its answer, waiting in the file, is no file error.
    writeRequest("wp 10 5 u16");
    tool->automation.timeSlot();
    tool->automation.timeSlot();
    QCOMPARE(fileText(), answer("wp 10 5 u16", "0", true));
    QVERIFY(tool->automation.ui->label_error->text().isEmpty()); // a file error said before is over
    QCOMPARE(drive->registerValue(0x10), quint16(5));
}

void TestAutoWindow::failuresOfTheDriveAnswerF_data()
{
    QTest::addColumn<QString>("request");
    QTest::addColumn<SimulatedDrive::Failure>("failure");
    QTest::addColumn<int>("times");
    QTest::addColumn<VariableMailbox::Mode>("mode");
    QTest::addColumn<QString>("missed"); // a register whose next request the drive does not hear
    QTest::addColumn<QString>("echo");   // handed over while the write to it waits

    using F = SimulatedDrive::Failure;
    using M = VariableMailbox::Mode;
    QTest::newRow("rp, silent drive") << "rp 100 0 u16" << F::NoAnswer << -1 << M::Finishes << "" << "";
    QTest::newRow("rp, exception") << "rp 100 0 u16" << F::Exception << -1 << M::Finishes << "" << "";
    QTest::newRow("dp, garbled reply") << "dp 7 0 u16" << F::Garbled << -1 << M::Finishes << "" << "";
    QTest::newRow("wp, silent drive") << "wp 10 5 u16" << F::NoAnswer << -1 << M::Finishes << "" << "";
    QTest::newRow("wp, no echo") << "wp 10 5 u16" << F::NoEchoOnce << 1 << M::Finishes << "" << "";
    QTest::newRow("wp u32, exception") << "wp 10 5 u32" << F::Exception << -1 << M::Finishes << "" << "";
    QTest::newRow("wv, silent drive: handshake fails") << "wv 100 1 i32" << F::NoAnswer << -1 << M::Finishes << "" << "";
    QTest::newRow("wv, one write not echoed") << "wv 100 1 i32" << F::NoEchoOnce << 1 << M::Finishes << "" << "";
    QTest::newRow("wv, mailbox busy: handshake fails") << "wv 100 1 i32" << F::None << -1 << M::AlwaysBusy << "" << "";
    QTest::newRow("wv, operation never finishes") << "wv 100 1 i32" << F::None << -1 << M::NeverFinishes << "" << "";
    QTest::newRow("rv, operation never finishes") << "rv 100 0 i32" << F::None << -1 << M::NeverFinishes << "" << "";
    QTest::newRow("rv, silent drive") << "rv 100 0 f32" << F::NoAnswer << -1 << M::Finishes << "" << "";
    // The drive misses one write (register in hex), and meanwhile an echo is handed over: a wrong
    // one as that write's answer, or the very echo of the write but for another request (a
    // stale one). Neither confirms the write: nothing more is written.
    QTest::newRow("wv, wrong echo to CEA0") << "wv 100 1 i32" << F::None << -1 << M::Finishes << "CEA0" << "wrong";
    QTest::newRow("wv, wrong echo to CEA2") << "wv 100 1 i32" << F::None << -1 << M::Finishes << "CEA2" << "wrong";
    QTest::newRow("wv, stale echo to CEA3") << "wv 100 1 i32" << F::None << -1 << M::Finishes << "CEA3" << "stale";
    QTest::newRow("rv, wrong echo to CEA0") << "rv 100 0 i32" << F::None << -1 << M::Finishes << "CEA0" << "wrong";
    QTest::newRow("rv, no echo to CEA0") << "rv 100 0 i32" << F::None << -1 << M::Finishes << "CEA0" << "";
    QTest::newRow("wp, stale echo, its own never comes") << "wp 10 5 u16" << F::None << -1 << M::Finishes << "0010" << "stale";
    QTest::newRow("wp, its own never comes, another window's request refused") << "wp 10 5 u16" << F::None << -1 << M::Finishes << "0010" << "refused elsewhere";
    // The write's own echo follows a stale one: it is done. A wrong value on the line: the link refuses it.
    QTest::newRow("wp, stale echo, then its own") << "wp 10 5 u16" << F::None << -1 << M::Finishes << "0010" << "stale, then own";
    QTest::newRow("wv, stale echo to CEA3, then its own") << "wv 100 1 i32" << F::None << -1 << M::Finishes << "CEA3" << "stale, then own";
    QTest::newRow("rv, stale echo to CEA0, then its own") << "rv 100 0 i32" << F::None << -1 << M::Finishes << "CEA0" << "stale, then own";
    QTest::newRow("wp, wrong value on the line") << "wp 10 5 u16" << F::None << -1 << M::Finishes << "0010" << "wrong on the line";
    QTest::newRow("wv, wrong value on the line to CEA2") << "wv 100 1 i32" << F::None << -1 << M::Finishes << "CEA2" << "wrong on the line";
    QTest::newRow("rv, wrong value on the line to CEA0") << "rv 100 0 i32" << F::None << -1 << M::Finishes << "CEA0" << "wrong on the line";
    QTest::newRow("wv, wrong value glued to noise on the line to CEA3") << "wv 100 1 i32" << F::None << -1 << M::Finishes << "CEA3" << "wrong glued on the line";
    QTest::newRow("wv, exception to CEA2") << "wv 100 1 i32" << F::None << -1 << M::Finishes << "CEA2" << "exception on the line";
    QTest::newRow("rv, exception to CEA0") << "rv 100 0 i32" << F::None << -1 << M::Finishes << "CEA0" << "exception on the line";
    // The exception is the answer, not the write's own echo that follows it in the same read.
    QTest::newRow("wv, exception glued to its echo to CEA2") << "wv 100 1 i32" << F::None << -1 << M::Finishes << "CEA2" << "exception glued on the line";
    // The echo of the other write function: a frame of the drive, not the write's echo.
    QTest::newRow("wv, function 10 echo to CEA2") << "wv 100 1 i32" << F::None << -1 << M::Finishes << "CEA2" << "function 10 on the line";
    QTest::newRow("wp u32, function 06 echo") << "wp 10 5 u32" << F::None << -1 << M::Finishes << "0010" << "function 06 on the line";
    // A status read refused after a busy one: the refusal is the answer, as for "rv".
    QTest::newRow("wv, status refused after busy") << "wv 100 1 i32" << F::None << -1 << M::NeverFinishes << "" << "refused after busy";
    // A stale echo before CEA0's own says nothing of a later write the drive did not hear.
    QTest::newRow("wv, exception to the first status read, none to CEA3") << "wv 100 1 i32" << F::Exception << 1 << M::Finishes << "CEA3" << "";
    QTest::newRow("wv, stale echo to CEA0, none to CEA3") << "wv 100 1 i32" << F::None << -1 << M::Finishes << "CEA3" << "stale, then own@CEA0";
}

void TestAutoWindow::failuresOfTheDriveAnswerF()
{
    QFETCH(QString, request);
    QFETCH(SimulatedDrive::Failure, failure);
    QFETCH(int, times);
    QFETCH(VariableMailbox::Mode, mode);
    QFETCH(QString, missed);
    QFETCH(QString, echo);

    const QString echoTo = echo.contains('@') ? echo.section('@', 1) : missed; // "@": to another register
    echo = echo.section('@', 0, 0);
    const bool done = echo.endsWith(QLatin1String("own")) && echoTo == missed;
    drive->setRegister(0x0100, 1234);
    mailbox->setMode(mode);
    drive->setFailure(failure, times);
    if (!missed.isEmpty() && !done)
        drive->missRequests(quint16(missed.toUInt(nullptr, 16)), 1);
    if (echo == QLatin1String("refused after busy")) { // the status read after a busy one is refused
        SimulatedDrive *d = drive.get();
        drive->addReadHook([d](int, quint16 addr, quint16) {
            if (addr == VariableMailbox::StatusRegister && d->registerValue(addr) == 1)
                d->setFailure(SimulatedDrive::Failure::Exception, 1);
        });
    }
    QObject context;
    const auto written = [&](QByteArray address, QByteArray value, int) {
        if (echo.isEmpty() || !address.startsWith(echoTo.toLatin1()))
            return;
        const LineTickets::Ticket write = LineTickets::lastTaken(); // taken by the link just now
        const QString text = FrameCodec::buildWriteSingleFrame("01", address.left(4), echo.startsWith("wrong") ? "7777" : value.left(4));
        QTimer::singleShot(0, &context, [&, write, text] {
            if (echo == QLatin1String("wrong")) {
                const LineTickets::Delivery delivery(write);
                emit tool->link.writeDataToAuto(text);
            } else if (echo.endsWith(QLatin1String("line"))) { // sent as the drive would
                const QByteArray own = FrameCodec::hexStringToBytes(text);
                const QByteArray bytes = echo.startsWith("exception") ? TestFrames::frame("01860A") + (echo.contains("glued") ? own : "")
                                         : echo.startsWith("function 10") ? TestFrames::frame(("0110" + own.mid(2, 2).toHex() + "0001").constData())
                                         : own + (echo.contains("glued") ? "\x12\x34" : "");
                const int line = ::open(QFile::encodeName(drive->drivePortName()).constData(), O_WRONLY | O_NOCTTY);
                QVERIFY(line >= 0 && ::write(line, bytes.constData(), size_t(bytes.size())) == bytes.size() && ::close(line) == 0);
            } else if (echo == QLatin1String("refused elsewhere")) { // the parameter window's
                handOverAsTheLink([&] { emit tool->link.driveRefused(1, 2); });
            } else {
                handOverAsTheLink([&] { emit tool->link.writeDataToAuto(text); });
            }
        });
    };
    connect(&tool->parameters, &parameterWindow::writeSerialStr, &context, written);
    connect(&tool->parameters, &parameterWindow::writeSerialStr2, &context, written);
    ModalBoxAnswerer answerer;
    QSignalSpy heard(&tool->link, &serialPort::driveAnswered);
    runRequest(request);
    const char *reason = echo.startsWith("exception") ? "drive refused the request (exception 0A)"
                         : (failure == SimulatedDrive::Failure::Exception && times < 0) || echo == QLatin1String("refused after busy") ? "drive refused the request (exception 02)"
                         : !echo.isEmpty() && echoTo == missed && echo != QLatin1String("refused elsewhere") ? "wrong echo"
                         : mode == VariableMailbox::Mode::Finishes ? "no answer from the drive"
                         : mode == VariableMailbox::Mode::AlwaysBusy ? "variable mailbox busy" : "variable operation not finished";
    QCOMPARE(fileText(), done ? answer(request, request.startsWith("wv") ? "2" : "0", true) // "2": the command was given
                              : answer(request, "-1 " + QString(reason), false));
    QCOMPARE(answerer.count(), 0);
    // A whole, valid frame of the drive, refused, still shows the drive there.
    QVERIFY(!echo.endsWith("line") || !heard.contains({false}));
    // A variable operation stopped at a write or a status read never gave the mailbox its command.
    if (mode == VariableMailbox::Mode::Finishes && !done)
        for (const QByteArray &frame : drive->requests())
            QVERIFY2(!frame.startsWith(QByteArray::fromHex("0106CEA1")), frame.toHex().constData());
}

void TestAutoWindow::captureRequests_data()
{
    QTest::addColumn<bool>("portOpen");
    QTest::addColumn<int>("buttons"); // 1 enabled, 0 disabled
    QTest::addColumn<QString>("request");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("queryAnswer");

    QTest::newRow("S1 accepted, then done")
        << true << 1 << "wop S1 0 0" << answer("wop S1 0 0", "0", true) << "rop S1 0 0" << answer("rop S1 0 0", "2", true);
    // Accepted, but a block of the buffer never arrived: "rop" says the capture failed.
    QTest::newRow("S1 accepted, upload incomplete")
        << true << 1 << "wop S1 0 0" << answer("wop S1 0 0", "0", true) << "rop S1 0 0" << answer("rop S1 0 0", "-1 capture upload incomplete", false);
    QTest::newRow("S2 accepted, then done")
        << true << 1 << "wop S2 0 0" << answer("wop S2 0 0", "2", true) << "rop S2 0 0" << answer("rop S2 0 0", "2", true);
    QTest::newRow("S3 saves even offline")
        << false << 1 << "wop S3 0 0" << answer("wop S3 0 0", "4", true) << "rop S1 0 0" << answer("rop S1 0 0", "2", true);
    // Accepted, but the file cannot be written: "rop" says the operation failed.
    QTest::newRow("S3 that cannot save")
        << true << 1 << "wop S3 0 0" << answer("wop S3 0 0", "4", true) << "rop S1 0 0" << answer("rop S1 0 0", "-1 .*", false);
    // A file that could not be written is not kept: the next "wop S3" finds none chosen.
    QTest::newRow("S3 after one that cannot save")
        << true << 1 << "wop S3 0 0" << answer("wop S3 0 0", "4", true) << "rop S1 0 0" << answer("rop S1 0 0", "-1 no quick-change file chosen", false);
    QTest::newRow("S3 refused for HXQ")
        << true << 1 << "wop S3 0 0" << answer("wop S3 0 0", "-1 quick-change files hold captures of the VR family only", false) << "" << "";
    QTest::newRow("S1 refused: status 1 answered")
        << false << 1 << "wop S1 0 0" << answer("wop S1 0 0", "-1 serial port not open", false) << "rop S1 0 0" << answer("rop S1 0 0", "1", true);
    QTest::newRow("S1 closed undrawn: the reason of a save that cannot be written is not repeated")
        << true << 1 << "wop S1 0 0" << answer("wop S1 0 0", "0", true) << "rop S1 0 0" << answer("rop S1 0 0", "-1 capture not completed", false);
    QTest::newRow("S2 refused: status 3 answered")
        << false << 1 << "wop S2 0 0" << answer("wop S2 0 0", "-1 serial port not open", false) << "rop S2 0 0" << answer("rop S2 0 0", "3", true);
}

void TestAutoWindow::captureRequests()
{
    QFETCH(bool, portOpen);
    QFETCH(int, buttons);
    QFETCH(QString, request);
    QFETCH(QString, answer);
    QFETCH(QString, query);
    QFETCH(QString, queryAnswer);

    const QString tag = QString::fromLatin1(QTest::currentDataTag());
    tool->capture.isOpenSerialPlot(portOpen);
    tool->capture.driverChoice = tag.contains("HXQ") ? 1 : 0;
    ModalBoxAnswerer answerer;
    tool->capture.quickChangeFirst = false;
    tool->capture.quickChangeFileName = work->filePath(tag.contains("cannot") ? "no/such/capture.QCS" : "capture.QCS");
    if (QString::fromLatin1(QTest::currentDataTag()).contains("incomplete"))
        drive->part<SimSampler>()->setFault(SimSampler::Fault::LostBlock);
    for (QPushButton *b : {tool->capture.ui->pushButton_Sampling, tool->capture.ui->pushButton_Stop,
                           tool->capture.ui->pushButton_QuickChange})
        b->setEnabled(buttons);
    if (tag.contains("after one"))
        runRequest("wop S3 0 0");
    if (tag.contains("closed")) {
        runRequest("wop S3 0 0");
        drive->part<SimSampler>()->setFault(SimSampler::Fault::NeverTriggers);
        QTimer::singleShot(500, &tool->capture, [this] { tool->capture.closeThisWindow(); });
    }
    runRequest(request);
    QCOMPARE(fileText(), answer);
    if (!query.isEmpty()) {
        runRequest(query);
        QVERIFY2(fileText().contains(QRegularExpression('^' + queryAnswer + '$')), qPrintable(fileText()));
    }
    QCOMPARE(answerer.count(), 0);
}

void TestAutoWindow::stopFromTheFileEndsACapture()
{
    // The trigger never comes: "rop" says the capture runs, and "wop S2" stops it as Stop does.
    drive->part<SimSampler>()->setFault(SimSampler::Fault::NeverTriggers);
    tool->capture.isOpenSerialPlot(true);
    ModalBoxAnswerer answerer;
    QStringList answers;
    const auto run = [&](const QString &request) { runRequest(request); answers << fileText(); };
    QTimer::singleShot(500, &tool->capture, [&] {
        // A turned-away "wop" answered at once lets no timer due at once run before it.
        QTimer::singleShot(0, &tool->capture, [&] { if (answers.isEmpty()) answers << "waited"; });
        run("wop S1 0 0"); run("rop S1 0 0"); run("wop S2 0 0");
    });
    QTimer::singleShot(8000, &tool->capture, [&] { answers << "unstopped"; tool->capture.on_pushButton_Stop_clicked(); });
    runRequest("wop S1 0 0");
    run("rop S2 0 0");
    QCOMPARE(answers, QStringList({answer("wop S1 0 0", "-1 previous capture operation still running", false),
                                   answer("rop S1 0 0", "1", true), answer("wop S2 0 0", "2", true),
                                   answer("rop S2 0 0", "2", true)}));
    // The window closed and the language switched during a capture of the file: no box waits for OK.
    for (const char *slot : {"closeThisWindow", "EnglishLable"}) {
        QTimer::singleShot(500, &tool->capture, [&] { QMetaObject::invokeMethod(&tool->capture, slot); });
        runRequest("wop S1 0 0");
    }
    QCOMPARE(answerer.count(), 0);
}

void TestAutoWindow::requestCarriedOutOnce()
{
    // The request is in the file when "开始配置" is clicked, and the automatic mode is then
    // switched on: the ticks carry it out once, and leave the answer alone.
    ModalBoxAnswerer answerer;
    answerer.setFileAnswer(path);
    drive->clearRequests();
    writeRequest("wp 10 5 u16");
    tool->automation.on_pushButton_clicked();
    QCOMPARE(drive->requestCount(), 0);
    automaticMode(true);
    QTest::qWait(1200);
    const QList<QByteArray> frames = drive->requests();
    QCOMPARE(int(std::count_if(frames.cbegin(), frames.cend(), [](const QByteArray &f) { return f.size() >= 2 && quint8(f.at(1)) == 0x06; })), 1);
    QCOMPARE(fileText(), answer("wp 10 5 u16", "0", true));
}

void TestAutoWindow::requestWrittenMeanwhileIsAnsweredInTurn_data()
{
    QTest::addColumn<QString>("second");   // written 0.3 s into a "wv" of 120 ms a reply
    QTest::addColumn<int>("secondLineMs"); // when its second line comes; 0: with the first
    QTest::newRow("the same words again") << "wv 100 1.5 f32" << 0;
    QTest::newRow("rp half-written until 2 s") << "rp 100 0 u16" << 2000;
}

// The answer to the "wv" covers no request written meanwhile: each is carried out once, in turn.
void TestAutoWindow::requestWrittenMeanwhileIsAnsweredInTurn()
{
    QFETCH(QString, second);
    QFETCH(int, secondLineMs);
    const QString first = QStringLiteral("wv 100 1.5 f32"), line = second + '\n';
    drive->setReplyDelay(120);
    drive->setRegister(0x0100, 42);
    QSignalSpy wv(&tool->automation, &AutoWindow::startOperation_WV), rp(&tool->automation, &AutoWindow::readDataFromParameter);
    QStringList seen; // the file's texts, in turn
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] { seen.removeAll(fileText()); seen << fileText(); });
    watch.start(2);
    QTimer::singleShot(300, this, [&] { writeFile(secondLineMs ? line : line + line); });
    if (secondLineMs)
        QTimer::singleShot(secondLineMs, this, [&] { writeFile(line, QIODevice::Append); });
    runRequest(first);
    QTRY_COMPARE_WITH_TIMEOUT(wv.count() + rp.count(), 2, 6000);
    QTRY_COMPARE_WITH_TIMEOUT(seen.last(), answer(second, second == first ? "2" : "42", true), 6000);
    QVERIFY2(seen.contains(answer(first, "2", true)) && wv.count() + rp.count() == 2, qPrintable(seen.join('|')));
}

void TestAutoWindow::answerStepMeetsTheOutsideProgram_data()
{
    QTest::addColumn<QString>("meanwhile"); // written once the answer is ready, before the file's last look
    QTest::addColumn<QString>("then");      // written after the first tick ("": nothing)
    QTest::addColumn<QString>("afterFirst");
    QTest::addColumn<QString>("last");
    QTest::addColumn<int>("carriedOut");
    const QString rp = answer("rp 100 0 u16", "42", true), wp = answer("wp 10 6 u16", "0", true);
    const QString half = "wp 10 6 u16\n", whole = half + half;
    QTest::newRow("an answer is never written over a request being written") << half << whole << half << wp << 2;
    QTest::newRow("a request taken meanwhile is carried out once") << whole << "" << rp << wp << 2;
    QTest::newRow("a file removed meanwhile gets the answer anew") << "<removed>" << "" << rp << rp << 1;
}

// The answer to "rp" is ready while the outside program writes to the file or removes it.
void TestAutoWindow::answerStepMeetsTheOutsideProgram()
{
    QFETCH(QString, meanwhile);
    QFETCH(QString, then);
    QFETCH(QString, afterFirst);
    QFETCH(QString, last);
    QFETCH(int, carriedOut);
    drive->setRegister(0x0100, 42);
    QSignalSpy rp(&tool->automation, &AutoWindow::readDataFromParameter), wp(&tool->automation, &AutoWindow::writeDataFromParameter);
    QObject context;
    bool first = true;
    connect(&tool->automation, &AutoWindow::answerReady, &context, [&] {
        if (!std::exchange(first, false))
            return;
        if (meanwhile == QLatin1String("<removed>"))
            QVERIFY(QFile::remove(path));
        else
            writeFile(meanwhile);
    });
    runRequest("rp 100 0 u16");
    QCOMPARE(fileText(), afterFirst);
    if (!then.isEmpty())
        writeFile(then);
    for (int tick = 0; tick < 5; ++tick)
        tool->automation.timeSlot();
    QCOMPARE(fileText(), last);
    QCOMPARE(rp.count() + wp.count(), carriedOut);
}

void TestAutoWindow::slowDriveInAutomaticModeIsAskedOnce()
{
    // The ticks go on while a slow reply is awaited; they must not send the request again.
    drive->setReplyDelay(250);
    drive->setRegister(0x0100, 42);
    QSignalSpy stopped(&tool->automation, &AutoWindow::stopMainWindowQuery);
    QSignalSpy started(&tool->automation, &AutoWindow::startMainWindowQuery);
    automaticMode(true);
    QVERIFY(tool->automation.pollTimer->isActive());
    QVERIFY(stopped.count() >= 1);
    drive->clearRequests();
    writeRequest("rp 100 0 u16");
    QTRY_COMPARE_WITH_TIMEOUT(fileText(), answer("rp 100 0 u16", "42", true), 3000);
    QTest::qWait(700);
    QCOMPARE(drive->requestCount(), 1);

    automaticMode(false);
    QVERIFY(!tool->automation.pollTimer->isActive());
    QCOMPARE(started.count(), 1);
}

void TestAutoWindow::slowDriveAnswersEveryRequestTruly()
{
    // Every answer is its own request's: the late answer to "rp 10" is never taken by the next one.
    drive->setRegister(0xE007, 1234);
    tool->capture.isOpenSerialPlot(true);
    MainWindow main;
    connect(&tool->automation, &AutoWindow::startMainWindowQuery, &main, &MainWindow::StartQuery);
    connect(&tool->capture, &staticWindow::startMainWindowQuery, &main, &MainWindow::StartQuery);
    ModalBoxAnswerer answerer;
    automaticMode(true);
    const QList<QPair<QString, QString>> script{
        {"wv 100 4.5 f32", "2"}, {"wp 12D 800 u16", "0"}, {"rp 12D 0 u16", "800"}, {"rv 100 0 f32", "4.5"},
        {"rp 10 0 u16", "-1 no answer from the drive"}, {"rp 12D 0 h16", "0320"}, {"dp 7 0 u16", "1234"}, {"wop S2 0 0", "2"}};
    for (const int delay : {30, 90, 120}) {
        drive->setReplyDelay(delay);
        for (const auto &step : script) {
            if (step.first.startsWith(QLatin1String("rp 10 ")))
                drive->setFailure(SimulatedDrive::Failure::Late, 1);
            writeRequest(step.first);
            const QString expected = answer(step.first, step.second, !step.second.startsWith('-'));
            QTRY_VERIFY2_WITH_TIMEOUT(fileText() == expected, qPrintable(QString::number(delay) + " ms: " + fileText()), 10000);
            QVERIFY(!main.isPolling());
        }
    }
    QCOMPARE(answerer.count(), 0);
    automaticMode(false);
    QVERIFY(main.isPolling());
}

void TestAutoWindow::automaticModeAnswersErrorsInTheFile()
{
    ModalBoxAnswerer answerer;
    automaticMode(true);

    // The link is closed: drive requests are answered in the file, no box, nothing sent.
    tool->link.closePort();
    emit tool->link.isOpenSerial(false);
    for (const QString request : {"rp 100 0 u16", "wv 100 1 i32"}) {
        writeRequest(request);
        QTRY_COMPARE_WITH_TIMEOUT(fileText(), answer(request, "-1 serial port not open", false), 3000);
    }

    // The file disappears: said in the window, no box.
    QVERIFY(QFile::remove(path));
    QTRY_VERIFY_WITH_TIMEOUT(!tool->automation.ui->label_error->text().isEmpty(), 3000);
    QTest::qWait(600);
    QCOMPARE(answerer.count(), 0);
    QVERIFY(tool->automation.pollTimer->isActive());
}

void TestAutoWindow::linkLostDuringHandshakeAnsweredInTheFile()
{
    ModalBoxAnswerer answerer;
    mailbox->setMode(VariableMailbox::Mode::AlwaysBusy); // the handshake keeps asking
    // Dropped from a timer: the handshake waits inside the tick that carries the request out.
    drive->clearRequests();
    QTimer cutter;
    connect(&cutter, &QTimer::timeout, this, [&] {
        if (drive->requestCount() >= 2) {
            cutter.stop();
            drive->dropLink();
        }
    });
    cutter.start(5);
    // As after a Connect in the dialog: the link is up, and its loss is told, in a box that waits for nobody.
    tool->link.findChild<QPushButton *>(QStringLiteral("pushButtot_Connect"))->setText(QStringLiteral("断开"));
    automaticMode(true);
    writeRequest("wv 100 1 i32");
    QTRY_COMPARE_WITH_TIMEOUT(fileText(), answer("wv 100 1 i32", "-1 serial port not open", false), 3000);
    QTest::qWait(300);
    QCOMPARE(answerer.count(), 0);
    QCOMPARE(tool->link.findChildren<QMessageBox *>().size(), 1);
    // The automatic mode stays on: once the link is back (here to another drive), requests are carried out.
    QVERIFY(tool->automation.ui->checkBox->isChecked());
    SimulatedDrive other(1);
    SimulatedModel::install(other, 0);
    QVERIFY2(other.start(), qPrintable(other.errorString()));
    other.setRegister(0x0100, 9);
    QVERIFY(tool->link.openPort(other.portName(), 115200));
    emit tool->link.isOpenSerial(true);
    writeRequest("rp 100 0 u16");
    QTRY_COMPARE_WITH_TIMEOUT(fileText(), answer("rp 100 0 u16", "9", true), 3000);
    QCOMPARE(answerer.count(), 0);
    tool->link.closePort();
}

void TestAutoWindow::chosenFileAndItsFolder()
{
    // An answer still held (its request was rewritten meanwhile) goes into no file chosen next.
    drive->setReplyDelay(300);
    QTimer::singleShot(50, this, [this] { writeFile("wp"); });
    runRequest("wp 10 5 u16");
    ModalBoxAnswerer answerer;
    tool->automation.filePath.clear();
    tool->automation.chooseFile = true;
    writeRequest("rp 100 0 u16");
    drive->setRegister(0x0100, 7);

    // A tick never asks for the file, but says what is missing; a click asks, and a
    // cancelled dialog is no error.
    automaticMode(true);
    tool->automation.timeSlot();
    QCOMPARE(answerer.count(), 0);
    QVERIFY(!tool->automation.ui->label_error->text().isEmpty());
    answerer.setFileAnswer(QString());
    tool->automation.on_pushButton_clicked();
    QCOMPARE(answerer.count(), 1);
    QVERIFY(tool->automation.chooseFile);

    answerer.setFileAnswer(path);
    tool->automation.on_pushButton_clicked();
    tool->automation.timeSlot();
    QCOMPARE(fileText(), answer("rp 100 0 u16", "7", true));
    QCOMPARE(QSettings(QStringLiteral("./Auto.ini"), QSettings::IniFormat).value(QStringLiteral("LastFilePath")).toString(),
             work->path() + '/');
}

void TestAutoWindow::quickSaveAnswerLeavesTheFileAlone()
{
    // "选择保存目录" saves the capture; its answer must not overwrite what the file holds.
    writeFile("wp 10 5 u16\n");
    ModalBoxAnswerer answerer; // the quick-change save's file dialog, cancelled
    tool->automation.on_pushButton_2_clicked();
    QCOMPARE(answerer.count(), 1); // asked for, with the automatic mode off
    QVERIFY(!tool->automation.pollTimer->isActive()); // with the automatic mode off, no poll starts
    QCOMPARE(fileText(), QStringLiteral("wp 10 5 u16\n"));
    QVERIFY(tool->automation.ui->pushButton->isEnabled());
    QVERIFY(tool->automation.ui->checkBox->isEnabled());
    QCOMPARE(tool->automation.captureCode, 4);
    // The label tells the latest outcome: the cancelled save, until a later choice saves the file.
    QCOMPARE(tool->automation.ui->label_error->text(), QStringLiteral("-1 quick-change file not saved"));
    // A file that cannot be written: the box names it, and the next press asks again.
    const QString unwritable = work->filePath(QStringLiteral("no/such/capture.QCS"));
    answerer.setFileAnswer(unwritable);
    tool->automation.on_pushButton_2_clicked();
    QVERIFY2(answerer.last().text.startsWith(QStringLiteral("快速改存文件 %1 未能保存: ").arg(unwritable)), qPrintable(answerer.last().text));
    QCOMPARE(tool->automation.ui->label_error->text(), QStringLiteral("-1 quick-change file not saved"));
    answerer.setFileAnswer(work->filePath(QStringLiteral("capture.QCS")));
    tool->automation.on_pushButton_2_clicked();
    QVERIFY(QFile::exists(work->filePath(QStringLiteral("capture.QCS"))));
    QCOMPARE(tool->automation.ui->label_error->text(), QString());
    // Quick Change on a file that cannot be written: while its box is open, "wop S3" finds no
    // file chosen, even once its folder could take the file.
    const QString later = work->filePath(QStringLiteral("later/capture.QCS"));
    tool->capture.quickChangeFileName = later;
    QString duringTheBox;
    QTimer::singleShot(0, &tool->capture, [&] {
        QDir().mkpath(QFileInfo(later).path());
        runRequest("wop S3 0 0");
        runRequest("rop S1 0 0");
        duringTheBox = fileText();
    });
    tool->capture.on_pushButton_QuickChange_clicked();
    QCOMPARE(duringTheBox, answer("rop S1 0 0", "-1 no quick-change file chosen", false));
    QVERIFY(!QFile::exists(later));
}

void TestAutoWindow::autoButtonAtSecondLevel()
{
    QVERIFY(tool->capture.ui->pushButton_Auto->isHidden());
    tool->capture.receviePasswordFlags2(true);
    QVERIFY(!tool->capture.ui->pushButton_Auto->isHidden());
    QTest::mouseClick(tool->capture.ui->pushButton_Auto, Qt::LeftButton);
    QVERIFY(tool->automation.isVisible());
    tool->capture.receviePasswordFlags2(false);
    QVERIFY(tool->capture.ui->pushButton_Auto->isHidden());
}

void TestAutoWindow::relabelsOnLanguageChange()
{
    QTranslator english;
    QVERIFY(english.load(QStringLiteral(":/translator/Velotrim_EN.qm")));
    QCoreApplication::installTranslator(&english);
    tool->automation.ui->label_error->setText(QStringLiteral("x"));
    QTRY_COMPARE(tool->automation.ui->pushButton->text(), QStringLiteral("Start configuration"));
    QVERIFY(tool->automation.ui->label_error->text().isEmpty());
    QCoreApplication::removeTranslator(&english);
    QTRY_COMPARE(tool->automation.ui->pushButton->text(), QStringLiteral("开始配置"));
    // The label gives the reason in the interface's language, the file in the program's English.
    QTranslator chinese;
    QVERIFY(chinese.load(QStringLiteral(":/translator/Velotrim_zh_CN.qm")));
    QCoreApplication::installTranslator(&chinese);
    runRequest("rp 100 0 x16");
    QCOMPARE(fileText(), answer("rp 100 0 x16", "-1 unknown type", false));
    QCOMPARE(tool->automation.ui->label_error->text(), QStringLiteral("-1 未知类型"));
    drive->setFailure(SimulatedDrive::Failure::Exception, 1);
    runRequest("rp 100 0 u16");
    QCOMPARE(tool->automation.ui->label_error->text(), QStringLiteral("-1 驱动器拒绝了该请求(异常码 02)"));
    tool->capture.driverChoice = 1; // a reason of the capture window's
    runRequest("wop S3 0 0");
    QCOMPARE(fileText(), answer("wop S3 0 0", "-1 quick-change files hold captures of the VR family only", false));
    QCOMPARE(tool->automation.ui->label_error->text(), QStringLiteral("-1 快速改存文件只保存VR系列的采样数据"));
    // Also the reason of a capture that was accepted and failed later.
    ModalBoxAnswerer answerer;
    tool->capture.driverChoice = 0;
    tool->capture.isOpenSerialPlot(true);
    tool->capture.ui->pushButton_Sampling->setEnabled(true);
    drive->part<SimSampler>()->setFault(SimSampler::Fault::LostBlock);
    runRequest("wop S1 0 0");
    QCOMPARE(fileText(), answer("wop S1 0 0", "0", true));
    QCOMPARE(tool->automation.ui->label_error->text(), QStringLiteral("-1 数据上传不完整,波形未显示"));
    QCOMPARE(answerer.count(), 0);
    QCoreApplication::removeTranslator(&chinese);
}

QTEST_MAIN(TestAutoWindow)
#include "tst_autowindow.moc"
