// The drive sequences of the wizard through the command registers (2000 function select,
// 2001 sub-command, 2036 status): alarm clear, execute (function 1016), the encoder
// initialisation, the status poll they wait on, the stop request and the one-click run.

#include "encoderdatawindow.h"
#include "ui_encoderdatawindow.h"

#include <QMessageBox>
#include <QTimer>

#include "answerbox.h"
#include "boundedwait.h"
#include "linetickets.h"
#include "linktiming.h"
#include "pollturn.h"

namespace {

constexpr int StatusPollMs = 1000;
constexpr int StatusReadMs = 300;
// The drive takes as long as the motor needs; the wait ends on the status, a stop or a lost link.
constexpr int StatusLimitMs = 1000000000;

const QByteArray FunctionSelect = QByteArrayLiteral("2000");
const QByteArray SubCommand = QByteArrayLiteral("2001");

} // namespace

// Writes the commands in order; the first one that is not echoed ends the sequence, since the
// drive's state after it is unknown.
EncoderdataWindow::Step EncoderdataWindow::commandSteps(const QVector<QPair<QByteArray, QByteArray>> &writes)
{
    for (const auto &write : writes) {
        const Step step = writeStep(write.first, write.second);
        if (step != Step::Done)
            return step;
    }
    return Step::Done;
}

// Ends the operation where a sequence did not reach its normal end: a stop ends it quietly, a
// lost link also tells the main window, an unanswered step is named in the hint and reported.
// True when the sequence was done.
bool EncoderdataWindow::stepDone(Step step, const QString &failedChinese, const QString &failedEnglish)
{
    switch (step) {
    case Step::Done:
        return true;
    case Step::Stopped:
        showEnded(step);
        endOperation(false);
        return false;
    case Step::LinkDown:
        showEnded(step);
        emit sendEncoderIsOk(false);
        endOperation(false);
        return false;
    case Step::NoAnswer:
        setStepHint(failedChinese, failedEnglish);
        endOperation(true);
        QMessageBox::warning(this, tr("error"), tr("驱动器未应答"), QMessageBox::Ok);
        return false;
    }
    return false;
}

// Polls 2036 until it reads `status`. Only a status read after the wait began counts: a value
// left from an earlier run says nothing about the command just given. The poll itself never
// waits: each tick asks for one read, and its answer (or its end unanswered) comes to this
// window from the event loop while this wait runs.
EncoderdataWindow::Step EncoderdataWindow::waitForStatus(int status)
{
    statusFresh = false;
    missedPolls = 0;
    queryTimer->start(StatusPollMs);
    const bool reached = BoundedWait::until(
        [&] { return (statusFresh && driveStatus == status) || stopRequested || !serialOpen; }, StatusLimitMs);
    emit treeViewOK(true);
    queryTimer->stop();
    dropStatusPoll();
    if (stopRequested)
        return Step::Stopped;
    if (!serialOpen) {
        reportLinkDown();
        return Step::LinkDown;
    }
    return reached ? Step::Done : Step::NoAnswer;
}

// The poll is over: a request of it still waiting its turn is taken back, and an answer to one
// already on the line is not taken.
void EncoderdataWindow::dropStatusPoll()
{
    statusTurn->drop();
    statusTicket = 0;
}

// One status read a tick. A read still out (the line is busy with other windows' requests, or
// the drive is slow) is not stacked: the tick passes, and the read counts once the link has
// finished with it, so its wait runs from when it went on the line.
void EncoderdataWindow::queryStutas()
{
    if (stopRequested || !serialOpen) {
        queryTimer->stop(); // the running wait reports the lost link
        return;
    }
    // A tick while the last poll is out (even answered, its end still to come) asks nothing.
    const auto poll = [this] {
        statusAnswered = false;
        emit readSerialEncoder(QByteArrayLiteral("2036"), QByteArrayLiteral("0001"), 5);
    };
    if (statusTurn->ask(poll, LinkTiming::readLimitMs(StatusReadMs, 1)))
        statusTicket = LineTickets::lastTaken();
}

// Runs while the link tells that the poll's request ended: the stop, with its writes and their
// waits, follows from the event loop once this has returned.
void EncoderdataWindow::statusPollEnded()
{
    const bool answered = statusAnswered;
    statusTicket = 0;
    if (stopRequested || !serialOpen || operation == Operation::None)
        return;
    if (answered) {
        missedPolls = 0;
        return;
    }
    if (++missedPolls < MissedLimit)
        return;
    queryTimer->stop();
    const Operation silentIn = operation;
    QMetaObject::invokeMethod(this, [this, silentIn] {
        if (operation == silentIn)
            stopFor(StopCause::SilentDrive);
    }, Qt::QueuedConnection);
}

void EncoderdataWindow::receiveStatus(QVector<QString> words)
{
    // Only the answer to the poll out now: the link ends a request right before it hands its
    // answer over, so the answer of a poll dropped since (its wait has ended; a later poll may be
    // out) finds the poll out now unfinished, or none out.
    if (statusTicket == 0 || !LineTickets::isFinished(statusTicket))
        return;
    if (stopRequested) {
        queryTimer->stop();
        return;
    }
    if (!serialOpen || words.isEmpty())
        return;
    bool ok = false;
    const int value = words.first().toInt(&ok, 16);
    if (!ok || driverChoice != 0)
        return;
    statusAnswered = true;
    driveStatus = value;
    statusFresh = true;
    if (value == 2 || value == 4) {
        stopRequested = true;
        heldFault = value;
        stopCause = StopCause::DriveFault;
        queryTimer->stop();
        updateControls();
        // The sequence waiting on the status ends first; the box opens once it has.
        AnswerBox::warningLater(this, tr("error"), value == 2 ? tr("执行异常") : tr("初始化异常"));
    }
}

void EncoderdataWindow::on_pushButton_removeAlarm_clicked()
{
    runRemoveAlarm();
}

void EncoderdataWindow::on_pushButton_startExecute_clicked()
{
    runExecute();
}

void EncoderdataWindow::on_pushButton_startLoading_clicked()
{
    runInitialise();
}

void EncoderdataWindow::on_pushButton_interrupt_clicked()
{
    runStopRequest();
}

bool EncoderdataWindow::runRemoveAlarm()
{
    if (!entryGuards(Operation::RemoveAlarm))
        return false;
    beginOperation(Operation::RemoveAlarm);
    stopRequested = false;
    setStepHint(tr("清除中"), tr("clearing"));
    Step step = commandSteps({{FunctionSelect, "0000"}, {FunctionSelect, "2001"}, {SubCommand, "0001"}});
    // The drive takes a second to clear; a stop or a lost link in that second ends the clear.
    if (step == Step::Done) {
        BoundedWait::until([this] { return stopRequested || !serialOpen; }, 1000);
        step = stopRequested ? Step::Stopped : serialOpen ? Step::Done : Step::LinkDown;
    }
    if (!stepDone(step, tr("清除失败"), tr("clear failed")))
        return false;
    setStepHint(tr("清除结束"), tr("finished clear"));
    endOperation(true);
    return true;
}

bool EncoderdataWindow::runExecute()
{
    if (!entryGuards(Operation::Execute))
        return false;
    beginOperation(Operation::Execute);
    stopRequested = false;
    setStepHint(tr("执行中"), tr("executing"));
    ui->progressBar_execute->setRange(0, 4);
    ui->progressBar_execute->setValue(0);
    ui->progressBar_execute->show();

    Step step = writeStep(FunctionSelect, "0000");
    if (step == Step::Done) {
        ui->progressBar_execute->setValue(1);
        step = writeStep(FunctionSelect, "1016");
    }
    if (step == Step::Done) {
        ui->progressBar_execute->setValue(2);
        step = writeStep(SubCommand, "0004");
    }
    if (step == Step::Done) {
        ui->progressBar_execute->setValue(3);
        step = waitForStatus(1);
    }
    if (step == Step::NoAnswer)
        ui->progressBar_execute->hide();
    if (!stepDone(step, tr("执行未完成"), tr("execution not completed")))
        return false;
    ui->progressBar_execute->setValue(4);
    ui->progressBar_execute->hide();
    setStepHint(tr("执行结束"), tr("finished execution"));
    endOperation(true);
    return true;
}

bool EncoderdataWindow::runInitialise()
{
    if (!entryGuards(Operation::Initialise))
        return false;
    beginOperation(Operation::Initialise);
    stopRequested = false;
    setStepHint(tr("正在初始化"), tr("initializing"));
    ui->label_complete->hide();
    const QVector<QPushButton *> steps{ui->pushButton_init1, ui->pushButton_init2, ui->pushButton_init3,
                                       ui->pushButton_init4, ui->pushButton_init5, ui->pushButton_init6,
                                       ui->pushButton_init7};
    for (QPushButton *button : steps)
        button->setStyleSheet(QStringLiteral("background-color: qlineargradient(spread:reflect, x1:0, y1:0, x2:1, y2:0, stop:0 "
                                             "rgba(30, 196, 229, 255), stop:1 rgba(255, 255, 255, 255));"));
    const auto pauseUnlessStopped = [this](int ms) {
        BoundedWait::until([this] { return stopRequested || !serialOpen; }, ms);
    };

    Step step = waitForStatus(1);
    if (step == Step::Done)
        pauseUnlessStopped(300);
    for (int k = 0; k < steps.size() && step == Step::Done; ++k) {
        step = writeStep(SubCommand, "0002");
        if (step != Step::Done)
            break;
        steps.at(k)->setStyleSheet(QStringLiteral("background-color: rgb(170, 0, 255);"));
        pauseUnlessStopped(500);
    }
    if (step == Step::Done)
        step = waitForStatus(3);
    if (step == Step::Done)
        step = writeStep(SubCommand, "0003");

    if (!stepDone(step, tr("初始化未完成"), tr("initialization not completed")))
        return false;
    ui->label_complete->show();
    setStepHint(tr("初始化结束"), tr("finished initialization"));
    setStepHint(tr("请测试"), tr("please test"));
    endOperation(true);
    return true;
}

// Stops whatever runs: raises the stop flag that the running operation sees at its next step,
// takes back a command of it that still waits its turn (it would reach the drive after the
// stop), then tells the drive to leave its function, ahead of every request waiting for the
// line. Also the end step of the test run.
void EncoderdataWindow::runStopRequest()
{
    if (stopRunning)
        return;
    if (parameterBusy && operation == Operation::None) {
        refuseWhileParametersTransfer();
        return;
    }
    emit sendEncoderIsOk(true);
    heldFault = 0; // what a fault of the drive held back is free once the user stops
    if (driverChoice != 0) {
        updateControls();
        emit sendEncoderIsOk(false);
        return;
    }
    stopRequested = true;
    queryTimer->stop();
    dropStatusPoll();
    if (commandTicket != 0)
        LineTickets::withdraw(commandTicket);
    if (!serialOpen) {
        reportLinkDown();
        updateControls();
        emit sendEncoderIsOk(false);
        return;
    }
    stopRunning = true;
    updateControls();
    ui->progressBar_execute->hide();
    ui->progressBar_parameter->hide();
    ui->label_complete->hide();
    const QVector<QPair<QByteArray, QByteArray>> writes{{SubCommand, "0000"}, {FunctionSelect, "0000"},
                                                        {SubCommand, "0004"}};
    for (const auto &write : writes) {
        if (writeStep(write.first, write.second, true) == Step::LinkDown)
            break;
    }
    stopRunning = false;
    updateControls();
    emit sendEncoderIsOk(false);
}

void EncoderdataWindow::stopFor(StopCause cause)
{
    if (stopRunning || stopRequested)
        return;
    stopCause = cause;
    runStopRequest();
    // Told once the stopped operation has ended, not while it still counts as running.
    if (cause == StopCause::SilentDrive)
        AnswerBox::warningLater(this, tr("error"), tr("驱动器连续 %1 次未应答，操作已停止").arg(MissedLimit));
}

// Every step in a row; the run ends where one of them does not reach its normal end.
void EncoderdataWindow::on_pushButton_importAll_clicked()
{
    if (!serialOpen) {
        reportLinkDown();
        return;
    }
    if (refuseSecondOperation())
        return;
    // The state line of a run that ended early says at which of the four steps it did.
    int step = 0;
    const auto ran = [this, &step](bool done) {
        ++step;
        if (!done && !hintChinese.isEmpty())
            setStepHint(oneClickText(step, hintChinese, false), oneClickText(step, hintEnglish, true));
        return done;
    };
    ui->toolBox->setCurrentIndex(0);
    if (!ran(runDownload()))
        return;
    ui->toolBox->setCurrentIndex(1);
    if (!ran(runRemoveAlarm() && runExecute()))
        return;
    ui->toolBox->setCurrentIndex(2);
    if (!ran(runInitialise()))
        return;
    ui->toolBox->setCurrentIndex(3);
}

QString EncoderdataWindow::oneClickText(int step, const QString &hint, bool english)
{
    return english ? tr("OneClickGo %1 of 4: %2").arg(step).arg(hint) : tr("一键执行 %1/4：%2").arg(step).arg(hint);
}
