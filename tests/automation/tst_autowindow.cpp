// The command-file window against the simulated drive, through a real command file in a
// temporary folder, with the parameter window's services, the capture window's hooks and the
// link joined as main joins them. Each case checks the three answer lines exactly and what
// the drive heard.

#include "autowindow.h"
#include "modalanswerer.h"
#include "parameterwindow.h"
#include "serialport.h"
#include "simulateddrive.h"
#include "staticwindow.h"
#include "tempworkdir.h"
#include "ui_autowindow.h"
#include "ui_staticwindow.h"
#include "variablemailbox.h"

#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTimer>
#include <QTranslator>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(SimulatedDrive::Failure)

namespace {

struct Tool
{
    Tool()
    {
        // parameterWindow
        QObject::connect(&parameters, &parameterWindow::readSerialStr, &link, &serialPort::readSerial);
        QObject::connect(&parameters, &parameterWindow::writeSerialStr, &link, &serialPort::writeSerial);
        QObject::connect(&parameters, &parameterWindow::writeSerialStr2, &link, &serialPort::writeSerial2);
        QObject::connect(&parameters, &parameterWindow::TreeViewOk, &link, &serialPort::TreeViewOk);
        QObject::connect(&parameters, &parameterWindow::endOperation, &automation, &AutoWindow::receiveEndOperation);
        QObject::connect(&parameters, &parameterWindow::sendOperation_RV, &automation, &AutoWindow::receiveOperationRV);
        // serialPort
        QObject::connect(&link, &serialPort::isOpenSerial, &parameters, &parameterWindow::isOpenSerial);
        QObject::connect(&link, &serialPort::isOpenSerial, &capture, &staticWindow::isOpenSerialPlot);
        QObject::connect(&link, &serialPort::isOpenSerial, &automation, &AutoWindow::receivePortOpen);
        QObject::connect(&link, &serialPort::readDataToAuto, &automation, &AutoWindow::receiveReadData);
        QObject::connect(&link, &serialPort::writeDataToAuto, &automation, &AutoWindow::receiveWriteResult);
        // staticWindow
        QObject::connect(&capture, &staticWindow::showAutoWindow, &automation, &QWidget::show);
        QObject::connect(&capture, &staticWindow::autoOperation_WOP, &automation, &AutoWindow::receiveOperationWOP);
        QObject::connect(&capture, &staticWindow::sendOperation_ROP, &automation, &AutoWindow::receiveOperationROP);
        // AutoWindow
        QObject::connect(&automation, &AutoWindow::readDataFromParameter, &parameters, &parameterWindow::AutoReadParameter);
        QObject::connect(&automation, &AutoWindow::writeDataFromParameter, &parameters, &parameterWindow::AutoWriteParameter);
        QObject::connect(&automation, &AutoWindow::startOperation_WV, &parameters, &parameterWindow::AutoStartOperation_WV);
        QObject::connect(&automation, &AutoWindow::sendToQuery_Wv, &parameters, &parameterWindow::queryOperation_WV);
        QObject::connect(&automation, &AutoWindow::stopOperation, &parameters, &parameterWindow::stopOperation);
        QObject::connect(&automation, &AutoWindow::startOperation_RV, &parameters, &parameterWindow::AutoStartOperation_RV);
        QObject::connect(&automation, &AutoWindow::readMonitorFromParameter, &parameters, &parameterWindow::AutoReadMonitor);
        QObject::connect(&automation, &AutoWindow::StartSampling, &capture, &staticWindow::autoSampling);
        QObject::connect(&automation, &AutoWindow::StopSampling, &capture, &staticWindow::autoSampling);
        QObject::connect(&automation, &AutoWindow::QueryStatus_WOP, &capture, &staticWindow::autoQuerySamplingStatus);
    }

    bool connect(SimulatedDrive &drive)
    {
        if (!link.openPort(drive.portName(), 115200))
            return false;
        emit link.isOpenSerial(true);
        return true;
    }

    serialPort link;
    staticWindow capture;
    parameterWindow parameters;
    AutoWindow automation;
};

QString lines(const std::initializer_list<const char *> &parts)
{
    QStringList list;
    for (const char *p : parts)
        list.append(QString::fromUtf8(p));
    return list.join(QLatin1Char('\n'));
}

// "0100=FFFF 0101=0001": registers and values, in hex.
QList<QPair<quint16, quint16>> registerList(const QString &text)
{
    QList<QPair<quint16, quint16>> list;
    for (const QString &item : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList pair = item.split(QLatin1Char('='));
        list.append({quint16(pair.at(0).toUInt(nullptr, 16)), quint16(pair.at(1).toUInt(nullptr, 16))});
    }
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
    void captureNeverReportedWithoutTheRun();
    void requestCarriedOutOnce();
    void slowDriveInAutomaticModeIsAskedOnce();
    void automaticModeAnswersErrorsInTheFile();
    void chosenFileAndItsFolder();
    void quickSaveAnswerLeavesTheFileAlone();
    void autoButtonAtSecondLevel();
    void relabelsOnLanguageChange();

private:
    void writeRequest(const QString &text);
    QString fileText() const;

    std::unique_ptr<TempWorkDir> work;
    std::unique_ptr<SimulatedDrive> drive;
    std::unique_ptr<VariableMailbox> mailbox;
    std::unique_ptr<Tool> tool;
    QString path;
};

void TestAutoWindow::init()
{
    work = std::make_unique<TempWorkDir>();
    QVERIFY(work->isValid());
    drive = std::make_unique<SimulatedDrive>(1);
    QVERIFY2(drive->start(), qPrintable(drive->errorString()));
    mailbox = std::make_unique<VariableMailbox>(*drive);
    tool = std::make_unique<Tool>();
    QVERIFY(tool->connect(*drive));
    path = work->filePath(QStringLiteral("command.txt"));
    tool->automation.filePath = path;
    tool->automation.chooseFile = false;
}

void TestAutoWindow::cleanup()
{
    tool.reset();
    mailbox.reset();
    drive.reset();
    work.reset();
}

void TestAutoWindow::writeRequest(const QString &text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text.toLocal8Bit());
}

QString TestAutoWindow::fileText() const
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("<no file>");
    return QString::fromLocal8Bit(file.readAll());
}

void TestAutoWindow::goodRequests_data()
{
    QTest::addColumn<QString>("request");
    QTest::addColumn<QString>("registers"); // on the drive before
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("written");   // on the drive after

    QTest::newRow("rp u16") << "rp 100 0 u16" << "0100=FFFF" << "65535" << "";
    QTest::newRow("rp i16") << "rp 100 0 i16" << "0100=FFFF" << "-1" << "";
    QTest::newRow("rp h16") << "rp 5 0 h16" << "0005=001F" << "001F" << "";
    QTest::newRow("rp u32 above i32 range") << "rp 10 0 u32" << "0010=FFFE 0011=FFFF" << "4294967294" << "";
    QTest::newRow("rp i32") << "rp 10 0 i32" << "0010=FFFE 0011=FFFF" << "-2" << "";
    QTest::newRow("dp io") << "dp 7 0 io" << "E007=0081" << "10000001" << "";
    QTest::newRow("dp i32") << "dp 7 0 i32" << "E007=FFFF E008=FFFF" << "-1" << "";
    QTest::newRow("wp i16") << "wp a1 -1 i16" << "" << "0" << "00A1=FFFF";
    QTest::newRow("wp u32") << "wp 10 100000 u32" << "" << "0" << "0010=86A0 0011=0001";
    QTest::newRow("wp u32 top") << "wp 10 4294967295 u32" << "" << "0" << "0010=FFFF 0011=FFFF";
    QTest::newRow("wp h16") << "wp 10 1f h16" << "" << "0" << "0010=001F";
    QTest::newRow("wp cl") << "wp 2000 7 cl" << "" << "0" << "2000=0007";
    QTest::newRow("wv f32") << "wv 100 1.5 f32" << "" << "2" << "CEA0=0064 CEA2=0000 CEA3=3FC0";
    QTest::newRow("wv i32") << "wv 100 -2 i32" << "" << "2" << "CEA2=FFFE CEA3=FFFF";
    QTest::newRow("rv f32") << "rv 100 0 f32" << "var:100=3F800000" << "1" << "";
    QTest::newRow("rv u32") << "rv 5 0 u32" << "var:5=FFFFFFFF" << "4294967295" << "";
    QTest::newRow("rv i16") << "rv 5 0 i16" << "var:5=0000FFFF" << "-1" << "";
}

void TestAutoWindow::goodRequests()
{
    QFETCH(QString, request);
    QFETCH(QString, registers);
    QFETCH(QString, result);
    QFETCH(QString, written);

    if (registers.startsWith(QLatin1String("var:"))) {
        const QStringList pair = registers.mid(4).split(QLatin1Char('='));
        mailbox->setVariable(quint16(pair.at(0).toUInt()), pair.at(1).toUInt(nullptr, 16));
    } else {
        for (const auto &reg : registerList(registers))
            drive->setRegister(reg.first, reg.second);
    }
    ModalBoxAnswerer answerer;
    writeRequest(request + "\n" + request + "\n");
    tool->automation.on_pushButton_clicked();

    const QString command = request.section(QLatin1Char(' '), 0, 0);
    QCOMPARE(fileText(), request + "\n" + result + "\n" + command + " T");
    for (const auto &reg : registerList(written))
        QCOMPARE(QString::number(drive->registerValue(reg.first), 16), QString::number(reg.second, 16));
    if (request.startsWith(QLatin1String("wv 100 1.5")))
        QCOMPARE(mailbox->variable(100), quint32(0x3FC00000));
    QCOMPARE(answerer.count(), 0);
}

void TestAutoWindow::badFieldsAreAnsweredAndNeverSent_data()
{
    QTest::addColumn<QString>("request");
    QTest::addColumn<QString>("answer");

    QTest::newRow("unknown command") << "xp 10 5 u16" << lines({"xp 10 5 u16", "-1 unknown command", "xp F"});
    QTest::newRow("missing field") << "wp 10 5" << lines({"wp 10 5", "-1 missing field", "wp F"});
    QTest::newRow("non-numeric value") << "wp 10 abc i16" << lines({"wp 10 abc i16", "-1 field 2 is not a number", "wp F"});
    QTest::newRow("u16 out of range") << "wp 10 70000 u16" << lines({"wp 10 70000 u16", "-1 field 2 out of range", "wp F"});
    QTest::newRow("u32 negative") << "wp 10 -1 u32" << lines({"wp 10 -1 u32", "-1 field 2 out of range", "wp F"});
    QTest::newRow("address not hex") << "rp 1X 0 u16" << lines({"rp 1X 0 u16", "-1 field 1 is not a number", "rp F"});
    QTest::newRow("unknown type") << "wp 10 5 u8" << lines({"wp 10 5 u8", "-1 unknown type", "wp F"});
    QTest::newRow("type the command cannot write") << "wp 10 1.5 f32" << lines({"wp 10 1.5 f32", "-1 type not supported", "wp F"});
    QTest::newRow("wv value beyond float") << "wv 100 1e39 f32" << lines({"wv 100 1e39 f32", "-1 field 2 out of range", "wv F"});
    QTest::newRow("wv variable number") << "wv 70000 1 i32" << lines({"wv 70000 1 i32", "-1 field 1 out of range", "wv F"});
    QTest::newRow("wop unknown operation") << "wop S4 0 0" << lines({"wop S4 0 0", "-1 unknown operation", "wop F"});
    QTest::newRow("rop unknown operation") << "rop S3 0 0" << lines({"rop S3 0 0", "-1 unknown operation", "rop F"});
}

void TestAutoWindow::badFieldsAreAnsweredAndNeverSent()
{
    QFETCH(QString, request);
    QFETCH(QString, answer);

    QSignalSpy wop(&tool->capture, &staticWindow::autoOperation_WOP);
    drive->clearRequests();
    writeRequest(request + "\n" + request + "\n");
    tool->automation.on_pushButton_clicked();
    QCOMPARE(fileText(), answer);
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
    writeRequest(contents);
    tool->automation.on_pushButton_clicked();
    tool->automation.timeSlot();
    QTest::qWait(50);
    tool->automation.timeSlot();
    QCOMPARE(fileText(), contents);
    QCOMPARE(drive->requestCount(), 0);

    // Once whole, it is carried out.
    writeRequest("wp 10 5 u16\nwp 10 5 u16\n");
    tool->automation.timeSlot();
    QCOMPARE(fileText(), lines({"wp 10 5 u16", "0", "wp T"}));
    QCOMPARE(drive->registerValue(0x10), quint16(5));
}

void TestAutoWindow::failuresOfTheDriveAnswerF_data()
{
    QTest::addColumn<QString>("request");
    QTest::addColumn<SimulatedDrive::Failure>("failure");
    QTest::addColumn<int>("times");
    QTest::addColumn<int>("mode"); // VariableMailbox::Mode

    const int finishes = int(VariableMailbox::Mode::Finishes);
    QTest::newRow("rp, silent drive") << "rp 100 0 u16" << SimulatedDrive::Failure::NoAnswer << -1 << finishes;
    QTest::newRow("dp, garbled reply") << "dp 7 0 u16" << SimulatedDrive::Failure::Garbled << -1 << finishes;
    QTest::newRow("wp, silent drive") << "wp 10 5 u16" << SimulatedDrive::Failure::NoAnswer << -1 << finishes;
    QTest::newRow("wp, no echo") << "wp 10 5 u16" << SimulatedDrive::Failure::NoEchoOnce << 1 << finishes;
    QTest::newRow("wp u32, exception") << "wp 10 5 u32" << SimulatedDrive::Failure::Exception << -1 << finishes;
    QTest::newRow("wv, silent drive: handshake fails") << "wv 100 1 i32" << SimulatedDrive::Failure::NoAnswer << -1 << finishes;
    QTest::newRow("wv, one write not echoed") << "wv 100 1 i32" << SimulatedDrive::Failure::NoEchoOnce << 1 << finishes;
    QTest::newRow("wv, mailbox busy: handshake fails") << "wv 100 1 i32" << SimulatedDrive::Failure::None << -1
                                                        << int(VariableMailbox::Mode::AlwaysBusy);
    QTest::newRow("wv, operation never finishes") << "wv 100 1 i32" << SimulatedDrive::Failure::None << -1
                                                  << int(VariableMailbox::Mode::NeverFinishes);
    QTest::newRow("rv, operation never finishes") << "rv 100 0 i32" << SimulatedDrive::Failure::None << -1
                                                  << int(VariableMailbox::Mode::NeverFinishes);
    QTest::newRow("rv, silent drive") << "rv 100 0 f32" << SimulatedDrive::Failure::NoAnswer << -1 << finishes;
}

void TestAutoWindow::failuresOfTheDriveAnswerF()
{
    QFETCH(QString, request);
    QFETCH(SimulatedDrive::Failure, failure);
    QFETCH(int, times);
    QFETCH(int, mode);

    drive->setRegister(0x0100, 1234);
    mailbox->setMode(VariableMailbox::Mode(mode));
    drive->setFailure(failure, times);
    ModalBoxAnswerer answerer;
    writeRequest(request + "\n" + request + "\n");
    tool->automation.on_pushButton_clicked();
    const QString command = request.section(QLatin1Char(' '), 0, 0);
    QCOMPARE(fileText(), request + "\n-1\n" + command + " F");
    QCOMPARE(answerer.count(), 0);
}

void TestAutoWindow::captureRequests_data()
{
    QTest::addColumn<bool>("portOpen");
    QTest::addColumn<bool>("buttonsEnabled");
    QTest::addColumn<QString>("request");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("queryAnswer");

    QTest::newRow("S1 accepted, then done")
        << true << true << "wop S1 0 0" << lines({"wop S1 0 0", "0", "wop T"})
        << "rop S1 0 0" << lines({"rop S1 0 0", "2", "rop T"});
    QTest::newRow("S2 accepted, then done")
        << true << true << "wop S2 0 0" << lines({"wop S2 0 0", "2", "wop T"})
        << "rop S2 0 0" << lines({"rop S2 0 0", "2", "rop T"});
    QTest::newRow("S3 saves even offline")
        << false << true << "wop S3 0 0" << lines({"wop S3 0 0", "4", "wop T"})
        << "rop S1 0 0" << lines({"rop S1 0 0", "2", "rop T"});
    QTest::newRow("S1 refused: status 1 answered")
        << false << true << "wop S1 0 0" << lines({"wop S1 0 0", "0", "wop F"})
        << "rop S1 0 0" << lines({"rop S1 0 0", "1", "rop T"});
    QTest::newRow("S2 refused: status 3 answered")
        << false << true << "wop S2 0 0" << lines({"wop S2 0 0", "2", "wop F"})
        << "rop S2 0 0" << lines({"rop S2 0 0", "3", "rop T"});
    QTest::newRow("S3 refused with nothing to save")
        << true << false << "wop S3 0 0" << lines({"wop S3 0 0", "4", "wop F"})
        << "rop S1 0 0" << lines({"rop S1 0 0", "-1 no answer from the capture window", "rop F"});
    QTest::newRow("capture window busy: query answered F")
        << false << false << "wop S1 0 0" << lines({"wop S1 0 0", "0", "wop F"})
        << "rop S1 0 0" << lines({"rop S1 0 0", "-1 no answer from the capture window", "rop F"});
}

void TestAutoWindow::captureRequests()
{
    QFETCH(bool, portOpen);
    QFETCH(bool, buttonsEnabled);
    QFETCH(QString, request);
    QFETCH(QString, answer);
    QFETCH(QString, query);
    QFETCH(QString, queryAnswer);

    tool->capture.isOpenSerialPlot(portOpen);
    // The hooks' answers, as they will be once the capture run stands behind the buttons.
    tool->capture.ui->pushButton_Sampling->setEnabled(buttonsEnabled);
    tool->capture.ui->pushButton_Stop->setEnabled(buttonsEnabled);
    tool->capture.ui->pushButton_QuickChange->setEnabled(buttonsEnabled);
    writeRequest(request + "\n" + request + "\n");
    tool->automation.on_pushButton_clicked();
    QCOMPARE(fileText(), answer);
    writeRequest(query + "\n" + query + "\n");
    tool->automation.on_pushButton_clicked();
    QCOMPARE(fileText(), queryAnswer);
}

void TestAutoWindow::captureNeverReportedWithoutTheRun()
{
    // Online with the port open, but with no capture run behind the buttons: "wop S1" must
    // not be answered as accepted.
    tool->capture.isOpenSerialPlot(true);
    tool->capture.receiveMainWindow(true);
    writeRequest("wop S1 0 0\nwop S1 0 0\n");
    tool->automation.on_pushButton_clicked();
    QCOMPARE(fileText(), lines({"wop S1 0 0", "0", "wop F"}));
}

void TestAutoWindow::requestCarriedOutOnce()
{
    // The request is in the file when "开始配置" is clicked, and the automatic mode is then
    // switched on: the click carries it out and answers, the ticks leave the answer alone.
    writeRequest("wp 10 5 u16\nwp 10 5 u16\n");
    drive->clearRequests();
    tool->automation.on_pushButton_clicked();
    tool->automation.ui->checkBox->setEnabled(true);
    tool->automation.ui->checkBox->setChecked(true);
    QTest::qWait(1200);
    int writes = 0;
    for (const QByteArray &frame : drive->requests())
        writes += frame.size() >= 2 && quint8(frame.at(1)) == 0x06;
    QCOMPARE(writes, 1);
    QCOMPARE(fileText(), lines({"wp 10 5 u16", "0", "wp T"}));
}

void TestAutoWindow::slowDriveInAutomaticModeIsAskedOnce()
{
    // The ticks go on while a slow reply is awaited; they must not send the request again.
    drive->setReplyDelay(250);
    drive->setRegister(0x0100, 42);
    QSignalSpy stopped(&tool->automation, &AutoWindow::stopMainWindowQuery);
    QSignalSpy started(&tool->automation, &AutoWindow::startMainWindowQuery);
    tool->automation.ui->checkBox->setEnabled(true);
    tool->automation.ui->checkBox->setChecked(true);
    QVERIFY(tool->automation.pollTimer->isActive());
    QCOMPARE(tool->automation.pollTimer->interval(), 500);
    QVERIFY(stopped.count() >= 1);
    drive->clearRequests();
    writeRequest("rp 100 0 u16\nrp 100 0 u16\n");
    QTRY_COMPARE_WITH_TIMEOUT(fileText(), lines({"rp 100 0 u16", "42", "rp T"}), 3000);
    QTest::qWait(700);
    QCOMPARE(drive->requestCount(), 1);

    tool->automation.ui->checkBox->setChecked(false);
    QVERIFY(!tool->automation.pollTimer->isActive());
    QCOMPARE(started.count(), 1);
}

void TestAutoWindow::automaticModeAnswersErrorsInTheFile()
{
    ModalBoxAnswerer answerer;
    tool->automation.ui->checkBox->setEnabled(true);
    tool->automation.ui->checkBox->setChecked(true);

    // The link is closed: drive requests are answered in the file, no box, nothing sent.
    tool->link.closePort();
    emit tool->link.isOpenSerial(false);
    writeRequest("rp 100 0 u16\nrp 100 0 u16\n");
    QTRY_COMPARE_WITH_TIMEOUT(fileText(), lines({"rp 100 0 u16", "-1 serial port not open", "rp F"}), 3000);
    writeRequest("wv 100 1 i32\nwv 100 1 i32\n");
    QTRY_COMPARE_WITH_TIMEOUT(fileText(), lines({"wv 100 1 i32", "-1 serial port not open", "wv F"}), 3000);

    // The file disappears: said in the window, no box.
    QVERIFY(QFile::remove(path));
    QTRY_VERIFY_WITH_TIMEOUT(!tool->automation.ui->label_error->text().isEmpty(), 3000);
    QTest::qWait(600);
    QCOMPARE(answerer.count(), 0);
    QVERIFY(tool->automation.pollTimer->isActive());
}

void TestAutoWindow::chosenFileAndItsFolder()
{
    ModalBoxAnswerer answerer;
    tool->automation.filePath.clear();
    tool->automation.chooseFile = true;
    writeRequest("rp 100 0 u16\nrp 100 0 u16\n");
    drive->setRegister(0x0100, 7);

    // A tick never asks for the file; a click does, and a cancelled dialog is no error.
    tool->automation.timeSlot();
    QCOMPARE(answerer.count(), 0);
    answerer.setFileAnswer(QString());
    tool->automation.on_pushButton_clicked();
    QCOMPARE(answerer.count(), 1);
    QVERIFY(tool->automation.chooseFile);

    answerer.setFileAnswer(path);
    tool->automation.on_pushButton_clicked();
    QCOMPARE(fileText(), lines({"rp 100 0 u16", "7", "rp T"}));
    QCOMPARE(QSettings(QStringLiteral("./Auto.ini"), QSettings::IniFormat).value(QStringLiteral("LastFilePath")).toString(),
             work->path() + QLatin1Char('/'));
}

void TestAutoWindow::quickSaveAnswerLeavesTheFileAlone()
{
    // "选择保存目录" saves the capture; its answer must not overwrite what the file holds.
    writeRequest("wp 10 5 u16\n");
    tool->automation.on_pushButton_clicked();
    tool->automation.on_pushButton_2_clicked();
    QCOMPARE(fileText(), QStringLiteral("wp 10 5 u16\n"));
    QVERIFY(tool->automation.ui->pushButton->isEnabled());
    QVERIFY(tool->automation.ui->checkBox->isEnabled());
    QCOMPARE(tool->automation.captureCode, 4);
}

void TestAutoWindow::autoButtonAtSecondLevel()
{
    QSignalSpy shown(&tool->capture, &staticWindow::showAutoWindow);
    QVERIFY(tool->capture.ui->pushButton_Auto->isHidden());
    tool->capture.receviePasswordFlags2(true);
    QVERIFY(!tool->capture.ui->pushButton_Auto->isHidden());
    QTest::mouseClick(tool->capture.ui->pushButton_Auto, Qt::LeftButton);
    QCOMPARE(shown.count(), 1);
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
    QTRY_COMPARE(tool->automation.ui->pushButton_2->text(), QStringLiteral("Choose save folder"));
    QCOMPARE(tool->automation.ui->pushButton->text(), QStringLiteral("Start configuration"));
    QCOMPARE(tool->automation.ui->checkBox->text(), QStringLiteral("Auto"));
    QVERIFY(tool->automation.ui->label_error->text().isEmpty());
    QCoreApplication::removeTranslator(&english);
    QTRY_COMPARE(tool->automation.ui->pushButton_2->text(), QStringLiteral("选择保存目录"));
}

QTEST_MAIN(TestAutoWindow)
#include "tst_autowindow.moc"
