// The jog control window's values: the JOG speed, the program tab's parameters, the
// program run with its status poll, and the read answers.

#include "controlwindow.h"
#include "ui_controlwindow.h"

#include <QTimer>

#include "answerbox.h"
#include "controlcoding.h"
#include "framecodec.h"
#include "linetickets.h"
#include "linktiming.h"
#include "monitordecoding.h"
#include "pollturn.h"
#include "unreadvalue.h"

namespace {

constexpr int ParameterMs = 50;
constexpr int CommandMs = 30;
constexpr int ProgramPollMs = 4500;
constexpr int MissedPollsToStop = 3;

struct BusyScope {
    explicit BusyScope(int &depth) : depth(depth) { ++depth; }
    ~BusyScope() { --depth; }
    int &depth;
};

} // namespace

// ---- JOG speed ---------------------------------------------------------------------------

void controlWindow::on_pushButton_Write_clicked()
{
    if (!linkCheck())
        return;
    takeTypedSpeed();
    // A speed the drive did not tell is not written back as the box's minimum.
    if (!ui->spinBox_Speed->hasAcceptableInput() || UnreadValue::isShown(ui->spinBox_Speed)) {
        AnswerBox::warningLater(this, tr("Warning"), tr("数值无效，请输入范围内的整数：%1").arg(QStringLiteral("0-6000")));
        ui->spinBox_Speed->setFocus();
        return;
    }
    const QByteArray speed = ControlCoding::hexWord(ui->spinBox_Speed->value());
    writePass({ [this, speed] { writeStep("0304", speed, ParameterMs); }, [this] { on_pushButton_Read_clicked(); } });
}

// The steps of a write of values and its read-back, with both Setting buttons greyed until its
// end. A lost link ends it: the link tells it, the fields show what is not known, nothing more
// goes.
void controlWindow::writePass(const QVector<std::function<void()>> &steps)
{
    BusyScope scope(busy);
    writing = true;
    applyEnabled();
    for (const std::function<void()> &step : steps) {
        if (!serialOpen)
            break;
        step();
    }
    writing = false;
    applyEnabled();
}

void controlWindow::on_pushButton_Read_clicked()
{
    if (!linkCheck())
        return;
    BusyScope scope(busy);
    if (!readStep("0304", 1, 0))
        showUnread(0);
}

// ---- program parameters ------------------------------------------------------------------

// The six fields in writing order, each a whole number within its range; the first that is
// not is named to the user and nothing is written.
bool controlWindow::collectProgramFields(QVector<qint64> *values)
{
    struct Field {
        QLineEdit *edit;
        qint64 min;
        qint64 max;
    };
    const QVector<Field> fields{
        { ui->lineEdit_Switch, 0, 5 },         { ui->lineEdit_distance, 1, 1073741824 },
        { ui->lineEdit_ProgramSpeed, 0, 6000 }, { ui->lineEdit_AandDTime, 2, 10000 },
        { ui->lineEdit_WaitTime, 0, 10000 },    { ui->lineEdit_Time, 0, 1000 },
    };
    values->clear();
    for (const Field &field : fields) {
        qint64 value = 0;
        if (!ControlCoding::parseField(field.edit->text().trimmed(), field.min, field.max, &value)) {
            AnswerBox::warningLater(this, tr("Warning"), tr("数值无效，请输入范围内的整数：%1").arg(field.edit->toolTip()));
            field.edit->setFocus();
            field.edit->selectAll();
            return false;
        }
        values->append(value);
    }
    return true;
}

void controlWindow::on_pushButton_programWrite_clicked()
{
    if (!linkCheck())
        return;
    QVector<qint64> values;
    if (!collectProgramFields(&values))
        return;
    QVector<std::function<void()>> steps;
    const char *const registers[] = { "05A0", "05A1", "05A3", "05A4", "05A5", "05A6" };
    for (int i = 0; i < values.size(); ++i) {
        const QByteArray reg = registers[i];
        if (i == 1)
            steps << [this, reg, data = ControlCoding::twoWordData(values.at(i))] { writeStep2(reg, data, ParameterMs); };
        else
            steps << [this, reg, value = ControlCoding::hexWord(values.at(i))] { writeStep(reg, value, ParameterMs); };
    }
    steps << [this] { on_pushButton_ProgramRead_clicked(); };
    writePass(steps);
}

void controlWindow::on_pushButton_ProgramRead_clicked()
{
    if (!linkCheck())
        return;
    BusyScope scope(busy);
    readStep("E30A", 1, -1);
    const struct {
        const char *reg;
        int words;
    } reads[] = { { "05A0", 1 }, { "05A1", 2 }, { "05A3", 1 }, { "05A4", 1 }, { "05A5", 1 }, { "05A6", 1 } };
    for (int code = 1; code <= 6; ++code) {
        if (!readStep(reads[code - 1].reg, reads[code - 1].words, code))
            showUnread(code);
    }
}

// The link finishes a request just before it hands over its answer, and tells whoever asked
// that it ended only after that: an answer that comes while the status read has finished and
// its end is still to be handled is the status read's.
bool controlWindow::answersStatusPoll() const
{
    return pollTicket != 0 && LineTickets::isFinished(pollTicket);
}

void controlWindow::receiveToControl(QVector<QString> words)
{
    int value = 0;
    if (answersStatusPoll()) {
        if (words.size() == 1 && ControlCoding::unsignedWord(words.at(0), &value))
            statusWord = value;
        return;
    }
    // Only the answer to the read now waiting counts; a late one has no field to go to.
    if (!awaitingRead || replyReceived || readTicket == 0 || !LineTickets::isFinished(readTicket))
        return;
    if (words.size() != (pendingRead == 2 ? 2 : 1))
        return;
    switch (pendingRead) {
    case -1:
        if (!ControlCoding::unsignedWord(words.at(0), &value))
            return;
        alarmPresent = value != 0;
        applyEnabled();
        break;
    case 0:
        if (!ControlCoding::signedWord(words.at(0), &value))
            return;
        ui->spinBox_Speed->setValue(value);
        markSpeedRead(true);
        break;
    case 1:
        if (!FrameCodec::isHexField(words.at(0), 4))
            return;
        ui->lineEdit_Switch->setText(words.at(0));
        break;
    case 2: {
        bool ok = false;
        const qint32 distance = MonitorDecoding::join32(words.at(0), words.at(1), &ok);
        if (!ok)
            return;
        ui->lineEdit_distance->setText(QString::number(distance));
        break;
    }
    case 3:
    case 4:
    case 5:
    case 6: {
        if (!ControlCoding::signedWord(words.at(0), &value))
            return;
        QLineEdit *const fields[] = { ui->lineEdit_ProgramSpeed, ui->lineEdit_AandDTime, ui->lineEdit_WaitTime,
                                      ui->lineEdit_Time };
        fields[pendingRead - 3]->setText(QString::number(value));
        break;
    }
    default:
        return;
    }
    replyReceived = true;
    emit JogIsOk(true);
}

// ---- program run -------------------------------------------------------------------------

// A start step sent by the user waits for its echo; one sent by the status poll does not (the
// poll never waits), and a stop takes it back if it still waits its turn.
void controlWindow::startProgram(Direction direction, bool fromPoll)
{
    // No box from the end of the poll's read: a lost link is the link's to tell.
    if (fromPoll && !serialOpen) {
        stopProgramPoll();
        return;
    }
    if (!linkCheck() || refusedWhileSwitching())
        return;
    // Outside program mode a start step would move the motor in whatever function is selected.
    if (mode != ProgramMode) {
        stopProgramPoll();
        showState(tr("请先打开程序JOG模式（ON）"));
        return;
    }
    // The poll's step takes its direction from the run switch, so no run starts on a switch
    // the window does not know; the poll sends no step while it is unknown (the drive left its
    // read unanswered since, or the field was emptied), and goes on asking for the status.
    if (!runSwitchKnown()) {
        showState(fromPoll ? tr("运行开关未读出，暂不发送启动指令") : tr("运行开关未读出，程序运行未启动"));
        return;
    }
    showState(QString());
    jogForwardTimer->stop();
    jogReverseTimer->stop();
    const QByteArray command = direction == Forward ? "0002" : "0003";
    if (fromPoll) {
        emitWrite("2001", command, InTurn);
    } else {
        const int stops = stopCount;
        writeStep("2001", command, CommandMs);
        // Stopped while the start waited: the poll must not come back.
        if (stopCount != stops)
            return;
    }
    programStatusTimer->start(ProgramPollMs);
}

void controlWindow::on_pushButton_programForeward_clicked()
{
    missedPolls = 0;
    startProgram(Forward);
}

void controlWindow::on_pushButton_programReversal_clicked()
{
    missedPolls = 0;
    startProgram(Reverse);
}

void controlWindow::on_pushButton_programStop_clicked()
{
    stopAllMotion();
}

void controlWindow::stopProgramPoll()
{
    programStatusTimer->stop();
    statusTurn->drop();
    pollTicket = 0;
}

// Asks for the program status and returns at once; programStatusEnded decides once the read
// has ended. No second read is asked while one is out, and a stop drops the one out: its
// answer then decides nothing.
void controlWindow::QueryProgramStaus()
{
    // A tick inside one of the window's own sequences waits for the next one.
    if (busy > 0)
        return;
    if (!serialOpen) {
        stopProgramPoll();
        return;
    }
    // A tick while the last read is out (even answered, its end still to come) asks nothing.
    const auto poll = [this] {
        statusWord = -1;
        emit JogIsOk(false);
        emit readSerialContorl("2031", "0001", 3);
    };
    if (statusTurn->ask(poll, LinkTiming::readLimitMs(ParameterMs, 1)))
        pollTicket = LineTickets::lastTaken();
}

void controlWindow::programStatusEnded()
{
    pollTicket = 0;
    if (statusWord < 0) {
        if (++missedPolls >= MissedPollsToStop) {
            missedPolls = 0;
            stopSilentDrive(tr("驱动器连续三次未应答，程序运行已停止"));
        }
        return;
    }
    missedPolls = 0;
    if (statusWord == 2 || statusWord == 3) {
        // The run is over: program mode is off at once, its OFF pair follows, then a fault is told.
        const bool fault = statusWord == 3;
        endHold(false);
        stopTimers();
        ++stopCount;
        showMode(NoMode);
        sendStops({ "2000", "0000", "2001", "0004" }, [this, fault] {
            releaseWhenIdle();
            if (fault)
                AnswerBox::warningLater(this, tr("error"), tr("执行异常"));
            reportUnconfirmedStops();
        });
        return;
    }
    qint64 runSwitch = -1;
    runSwitchKnown(&runSwitch); // one not known gives no step: startProgram refuses it and says so
    startProgram(runSwitch == 0 || runSwitch == 2 || runSwitch == 4 ? Forward : Reverse, true);
}

// The run switch as read ("0003") or typed: a whole number from 0 to 5, nothing else.
bool controlWindow::runSwitchKnown(qint64 *value) const
{
    qint64 number = 0;
    const bool known = ControlCoding::parseField(ui->lineEdit_Switch->text().trimmed(), 0, 5, &number);
    if (value)
        *value = number;
    return known;
}
