// The jog control window: construction, the drive exchanges, link and window state, the mode
// switching of the three tabs and the stepping that moves the motor.

#include "controlwindow.h"
#include "ui_controlwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIntValidator>
#include <QMessageBox>
#include <QTimer>

#include <algorithm>

#include "answerbox.h"
#include "boundedwait.h"
#include "controlcoding.h"
#include "drivecommands.h"
#include "framecodec.h"
#include "linetickets.h"
#include "linktiming.h"
#include "motionguard.h"
#include "pollturn.h"
#include "unreadvalue.h"
#include "writeecho.h"

namespace {

constexpr int CommandMs = 30;     // writes of 2000, 2001, 2008
constexpr int StepIntervalMs = 500;
// Stop and OFF writes, and steps, keep waiting this long for a late echo before they count it
// missing; a missing stop echo is then sent again, up to StopTries in all.
constexpr int StopGraceMs = 200;
constexpr int StepGraceMs = 150;
constexpr int StopTries = 3;
constexpr int MissedStepsToStop = 3;

// The sub-commands that move the motor: one forward or reverse step (JOG, homing, program run).
bool isMotionCommand(const QByteArray &reg, const QByteArray &value)
{
    return reg == "2001" && (value == "0002" || value == "0003");
}

} // namespace

controlWindow::controlWindow(QWidget *parent)
    : QWidget(parent), ui(new Ui::controlWindow)
{
    ui->setupUi(this);
    setWindowModality(Qt::ApplicationModal);
    // The state line has room for two lines whether it says anything or not, so a text that
    // comes or goes never moves the tabs' stop buttons.
    ui->label_state->setFixedHeight(ui->label_state->fontMetrics().lineSpacing() * 2 + 4);
    ui->label_state->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    ui->label_state->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    fitFixedSize();

    jogForwardTimer = new QTimer(this);
    jogReverseTimer = new QTimer(this);
    programStatusTimer = new QTimer(this);
    connect(jogForwardTimer, &QTimer::timeout, this, &controlWindow::jogForwardStep);
    connect(jogReverseTimer, &QTimer::timeout, this, &controlWindow::jogReverseStep);
    connect(programStatusTimer, &QTimer::timeout, this, &controlWindow::QueryProgramStaus);
    statusTurn = new PollTurn(this);
    connect(statusTurn, &PollTurn::ended, this, &controlWindow::programStatusEnded);

    ui->spinBox_Speed->setRange(0, 6000);
    // A speed the user types over "not read" is the user's, whatever it is (0, the box's
    // minimum, included); the mark goes once the typing is done, not under the user's keys.
    if (auto *edit = ui->spinBox_Speed->findChild<QLineEdit *>())
        connect(edit, &QLineEdit::textEdited, this, [this] { speedTyped = true; });
    connect(ui->spinBox_Speed, &QAbstractSpinBox::editingFinished, this, &controlWindow::takeTypedSpeed);
    ui->pushButton_Read->hide();
    ui->pushButton_ProgramRead->hide();
    ui->pushButton_OFF->hide();
    ui->pushButton_originOFF->hide();
    ui->pushButton_programOFF->hide();

    ui->lineEdit_Switch->setValidator(new QIntValidator(0, 5, this));
    ui->lineEdit_ProgramSpeed->setValidator(new QIntValidator(0, 6000, this));
    ui->lineEdit_distance->setValidator(new QIntValidator(1, 1073741824, this));
    ui->lineEdit_AandDTime->setValidator(new QIntValidator(2, 10000, this));
    ui->lineEdit_WaitTime->setValidator(new QIntValidator(0, 10000, this));
    ui->lineEdit_Time->setValidator(new QIntValidator(0, 1000, this));
    // Nothing has been read from the drive yet: the speed box's minimum is no speed of the drive.
    for (int code = 0; code <= 6; ++code)
        showUnread(code);

    // Hold-to-run: the release ends the stepping even when the mouse has left the button.
    connect(ui->pushButton_Foreward, &QAbstractButton::released, this, &controlWindow::holdReleased);
    connect(ui->pushButton_Reversal, &QAbstractButton::released, this, &controlWindow::holdReleased);
    linkEnabled = true;

    guard = new MotionGuard(this, [this] { return motionMayRun(); }, [this] { stopForModal(); });
}

controlWindow::~controlWindow()
{
    qApp->removeEventFilter(this);
    jogForwardTimer->stop();
    jogReverseTimer->stop();
    stopProgramPoll();
    delete ui;
}

bool controlWindow::motionMayRun() const
{
    // A step asked and not yet over counts too: a stepping start waits for its first step.
    const bool stepOut = std::any_of(motionTickets.cbegin(), motionTickets.cend(),
                                     [](quint64 ticket) { return !LineTickets::isFinished(ticket); });
    return heldButton || jogForwardTimer->isActive() || jogReverseTimer->isActive()
        || programStatusTimer->isActive() || stepOut;
}

// ---- exchanges ---------------------------------------------------------------------------

// Hands one write to the link and returns its request (0 when the link took none). A step is
// remembered until it is over, so that a stop can take it back while it still waits its turn.
quint64 controlWindow::emitWrite(const QByteArray &reg, const QByteArray &value, Send send)
{
    const LineTickets::Ticket before = LineTickets::lastTaken();
    if (send == AheadOfAll)
        LineTickets::sendFirst([&] { emit writeSerialControl(reg, value, 3); });
    else
        emit writeSerialControl(reg, value, 3);
    const LineTickets::Ticket ticket = LineTickets::lastTaken();
    if (ticket == before)
        return 0;
    if (isMotionCommand(reg, value)) {
        motionTickets.erase(std::remove_if(motionTickets.begin(), motionTickets.end(), LineTickets::isFinished),
                            motionTickets.end());
        motionTickets.append(ticket);
    }
    return ticket;
}

// Nothing this window asked before a stop moves the motor after it: steps still waiting their
// turn are taken back (one already on the line is followed at once by the stop).
void controlWindow::withdrawMotion()
{
    for (const LineTickets::Ticket ticket : qAsConst(motionTickets))
        LineTickets::withdraw(ticket);
    motionTickets.clear();
}

bool controlWindow::writeStep(const QByteArray &reg, const QByteArray &value, int fixedMs, int graceMs, Send send)
{
    WriteEcho write(reg, value);
    echoConfirmed = false;
    LineTickets::Ticket ticket = 0;
    write.send([&] { ticket = emitWrite(reg, value, send); });
    write.wait(LinkTiming::writeLimitMs(fixedMs) + graceMs, [this] { return serialOpen; });
    motionTickets.removeOne(ticket);
    return write.confirmed();
}

bool controlWindow::writeStep2(const QByteArray &reg, const QByteArray &data, int fixedMs)
{
    WriteEcho write(reg, data);
    echoConfirmed = false;
    write.send([&] { emit writeSerialControl2(reg, data, 3); });
    write.wait(LinkTiming::write2LimitMs(fixedMs), [this] { return serialOpen; });
    return write.confirmed();
}

// A stop or OFF write: ahead of everything waiting on the line, after the window's waiting
// steps are taken back, and sent again while its echo stays away (and goOn, if given, holds).
bool controlWindow::safeWrite(const QByteArray &reg, const QByteArray &value, const std::function<bool()> &goOn)
{
    withdrawMotion();
    for (int attempt = 0; attempt < StopTries; ++attempt) {
        if (!serialOpen || (goOn && !goOn()))
            return false;
        if (writeStep(reg, value, CommandMs, StopGraceMs, AheadOfAll))
            return true;
    }
    ++unconfirmedStops;
    return false;
}

void controlWindow::receiveToCheck(QString echo)
{
    if (WriteEcho::offer(echo))
        echoConfirmed = true;
}

bool controlWindow::readStep(const QByteArray &reg, int words, int code)
{
    replyReceived = false;
    echoConfirmed = false;
    emit JogIsOk(false);
    pendingRead = code;
    awaitingRead = true;
    const LineTickets::Ticket before = LineTickets::lastTaken();
    emit readSerialContorl(reg, ControlCoding::hexWord(words), 3);
    readTicket = LineTickets::lastTaken() == before ? 0 : LineTickets::lastTaken();
    BoundedWait::forReply([this] { return replyReceived || !serialOpen; }, LinkTiming::readLimitMs(50, words),
                          readTicket);
    awaitingRead = false;
    readTicket = 0;
    return replyReceived;
}

// A field whose read went unanswered does not keep showing an older value as the drive's:
// the JOG speed is marked, the program fields are emptied (a write then refuses them).
void controlWindow::showUnread(int code)
{
    if (code == 0) {
        markSpeedRead(false);
        return;
    }
    QLineEdit *const fields[] = { ui->lineEdit_Switch, ui->lineEdit_distance, ui->lineEdit_ProgramSpeed,
                                  ui->lineEdit_AandDTime, ui->lineEdit_WaitTime, ui->lineEdit_Time };
    if (code >= 1 && code <= 6)
        UnreadValue::show(fields[code - 1]);
}

void controlWindow::takeTypedSpeed()
{
    if (speedTyped)
        markSpeedRead(true);
}

void controlWindow::markSpeedRead(bool read)
{
    speedTyped = false;
    ui->spinBox_Speed->setProperty("unread", !read);
    if (read)
        UnreadValue::markRead(ui->spinBox_Speed, QStringLiteral("0-6000"));
    else
        UnreadValue::show(ui->spinBox_Speed);
}

bool controlWindow::linkCheck()
{
    if (serialOpen)
        return true;
    endHold(false);
    reportLinkDown();
    return false;
}

void controlWindow::reportLinkDown()
{
    QMessageBox::warning(this, tr("error"), tr("串口未打开/设备未连接/地址未选择"), QMessageBox::Ok);
}

// The box opens once no wait runs: the stop that it reports may have been sent from inside
// another window's wait (the command file's), which must not stay held while it is read. An ON
// that runs tells them in its own box, once it has ended.
void controlWindow::reportUnconfirmedStops()
{
    if (unconfirmedStops == 0 || (switching != NoMode && holdsCommands()))
        return;
    unconfirmedStops = 0;
    endHold(false);
    AnswerBox::warningLater(this, tr("Warning"), tr("驱动器未确认停止命令，电机可能仍在运行"));
}

// Stop writes of a motion the window ended itself, then what follows them (the box that says
// why). In a slot the link calls nothing may wait: the writes then go out from the event loop,
// still ahead of every request waiting its turn. A stop or start of the user's in between has
// sent what it needed.
void controlWindow::sendStops(const QVector<QByteArray> &writes, const std::function<void()> &then)
{
    withdrawMotion();
    const int stops = stopCount;
    const auto send = [this, writes, then, stops] {
        if (stopCount == stops) {
            for (int i = 0; i + 1 < writes.size(); i += 2)
                safeWrite(writes.at(i), writes.at(i + 1));
        }
        then();
    };
    if (LineTickets::delivering())
        QMetaObject::invokeMethod(this, send, Qt::QueuedConnection);
    else
        send();
}

// ---- link and window state ---------------------------------------------------------------

// What the window enables follows from its state alone: the link as the link and the main
// window last told it, a parameter write under way (its two Setting buttons stay greyed until its
// read-back has ended, whatever is told meanwhile) and the drive's alarm (the three ONs). Stop and
// OFF stay usable whatever it says: motion may still run.
void controlWindow::applyEnabled()
{
    const QList<QPushButton *> alwaysOn{ ui->pushButton_stop, ui->pushButton_programStop, ui->pushButton_originStop,
                                         ui->pushButton_OFF, ui->pushButton_programOFF, ui->pushButton_originOFF };
    for (QWidget *widget : ui->tabWidget->findChildren<QWidget *>()) {
        if (qobject_cast<QPushButton *>(widget) && alwaysOn.contains(static_cast<QPushButton *>(widget)))
            continue;
        if (qobject_cast<QPushButton *>(widget) || qobject_cast<QLineEdit *>(widget)
            || qobject_cast<QAbstractSpinBox *>(widget))
            widget->setEnabled(linkEnabled);
    }
    ui->pushButton_Write->setEnabled(linkEnabled && !writing);
    ui->pushButton_programWrite->setEnabled(linkEnabled && !writing);
    const bool onEnabled = linkEnabled && !alarmPresent;
    ui->pushButton_NO->setEnabled(onEnabled);
    ui->pushButton_ProgramON->setEnabled(onEnabled);
    ui->pushButton_originON->setEnabled(onEnabled);
}

// The link owns the message of a lost link; the window stops, shows every mode off (the
// drive's function is unknown until it is selected again) and says what it left behind.
void controlWindow::receiveSerialIsOK(bool open)
{
    const bool wasMoving = motionMayRun();
    serialOpen = open;
    linkEnabled = open;
    applyEnabled();
    if (open) {
        showState(QString());
        return;
    }
    endHold(false);
    stopTimers();
    ++stopCount;
    mode = NoMode;
    showMode(NoMode);
    DriveCommands::release(this); // nothing of the window's can reach the drive any more
    for (int code = 0; code <= 6; ++code)
        showUnread(code);
    showState(wasMoving ? tr("通讯中断，电机状态未知") : QString());
}

void controlWindow::showState(const QString &text)
{
    ui->label_state->setText(text);
}

// Nothing starts the motor while an ON is still selecting its function: the start would reach
// the drive under a function half selected, or one the ON then fails to select.
bool controlWindow::refusedWhileSwitching()
{
    if (switching == NoMode)
        return false;
    showState(tr("模式切换中，请稍候"));
    return true;
}

void controlWindow::receiveMainWindow(bool online)
{
    linkEnabled = online;
    applyEnabled();
}

void controlWindow::showControl()
{
    emit stopMainWindowQuery();
    if (serialOpen) {
        on_pushButton_Read_clicked();
        on_pushButton_ProgramRead_clicked();
    }
    show();
}

// What a closing window leaves behind: with the port open, motion stopped and the function
// deselected; without it, only its own holds and timers ended. True when the port was open.
bool controlWindow::stopForClose()
{
    if (!serialOpen) {
        endHold(false);
        stopTimers();
        DriveCommands::release(this);
        return false;
    }
    if (motionMayRun()) {
        endHold(false);
        stopTimers();
        ++stopCount;
        safeWrite("2001", "0000");
    }
    modeOff();
    stopProgramPoll();
    // A closed window holds nothing, an ON it was running included: that one sends no more.
    DriveCommands::release(this);
    return true;
}

void controlWindow::closeEvent(QCloseEvent *event)
{
    if (stopForClose()) {
        emit startMainWindowQuery();
        reportUnconfirmedStops();
    }
    event->accept();
}

void controlWindow::closeThisWindow()
{
    stopForClose();
    close();
}

bool controlWindow::event(QEvent *event)
{
    // Focus gone elsewhere (another window, a message box) while a button is held.
    if (event->type() == QEvent::WindowDeactivate)
        endHold(true);
    return QWidget::event(event);
}

bool controlWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (heldButton && event->type() == QEvent::MouseButtonRelease)
        endHold(true);
    return QWidget::eventFilter(watched, event);
}

void controlWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        // The "not read" look speaks the new language too.
        for (QLineEdit *field : ui->tabWidget->findChildren<QLineEdit *>()) {
            if (!field->placeholderText().isEmpty())
                field->setPlaceholderText(UnreadValue::text());
        }
        if (ui->spinBox_Speed->property("unread").toBool())
            ui->spinBox_Speed->setSpecialValueText(UnreadValue::text());
        fitFixedSize();
    }
}

// The window keeps its fixed 666 x 433 unless the texts of a language need more: a button
// whose text no longer fits (the English Forward and Reversal beside the program fields)
// widens the window instead of being cut.
void controlWindow::fitFixedSize()
{
    ensurePolished();
    // After a language switch the layouts still hold the sizes of the texts before (a tab not
    // in view takes the new ones only once shown): every size is taken afresh here.
    for (QWidget *child : findChildren<QWidget *>())
        child->updateGeometry();
    for (QLayout *each : findChildren<QLayout *>())
        each->invalidate();
    const QSize needed = layout() ? layout()->minimumSize() : QSize();
    setFixedSize(qMax(666, needed.width()), qMax(433, needed.height()));
}

// ---- modes -------------------------------------------------------------------------------

void controlWindow::showMode(Mode shown)
{
    mode = shown;
    ui->pushButton_NO->setVisible(shown != JogMode);
    ui->pushButton_OFF->setVisible(shown == JogMode);
    ui->pushButton_ProgramON->setVisible(shown != ProgramMode);
    ui->pushButton_programOFF->setVisible(shown == ProgramMode);
    ui->pushButton_originON->setVisible(shown != HomingMode);
    ui->pushButton_originOFF->setVisible(shown == HomingMode);
}

// The drive's command registers are the window's from a mode's ON, or the first step of a JOG
// without one, until nothing of its runs any more: given back once the stop and OFF writes that
// end it have gone, so that nothing started elsewhere meanwhile finds them under its own set-up.
// An ON that runs gives them back itself, once it has ended whole or as OFF.
void controlWindow::releaseWhenIdle()
{
    if (mode == NoMode && switching == NoMode && !motionMayRun())
        DriveCommands::release(this);
}

// The OFF action of every tab: everything that moves stops, the function is deselected. With
// goOn, no write of the pair (nor a retry) goes once goOn fails.
void controlWindow::modeOff(const std::function<bool()> &goOn)
{
    endHold(false);
    stopTimers();
    ++stopCount;
    showMode(NoMode);
    safeWrite("2000", "0000", goOn);
    safeWrite("2001", "0004", goOn);
    releaseWhenIdle();
}

bool controlWindow::holdsCommands()
{
    return DriveCommands::isHeld() && !DriveCommands::heldByOther(this);
}

// A mode's ON is whole or nothing. It deselects whatever function runs (the OFF pairs of the
// other tabs), then selects its own; the mode shows on, and its starts act, only once the drive
// has confirmed every one of these writes. After each write it looks again: closed, the link
// lost or a stop asked meanwhile, it sends nothing more of itself; a write the drive did not
// confirm ends it as OFF, and the user is told which write it was. A second ON, and any start,
// is refused while it runs, its closing OFF pair included; it holds the drive's command
// registers until that pair has gone, and tells its outcome after giving them back.
void controlWindow::modeOn(Mode target, const QVector<QByteArray> &functionWrites)
{
    if (refusedWhileSwitching())
        return;
    // Taken before the first write, so a start elsewhere in the OFF writes' waits is refused;
    // an ON refused sends nothing.
    const DriveCommands::Operation held = target == JogMode ? DriveCommands::Operation::Jog
        : target == ProgramMode                            ? DriveCommands::Operation::ProgramRun
                                                           : DriveCommands::Operation::Homing;
    if (!DriveCommands::take(this, held)) {
        AnswerBox::commandsHeld(this);
        return;
    }
    showState(QString());
    endHold(false);
    stopTimers();
    ++stopCount;
    showMode(NoMode);
    switching = target;
    ++busy;
    const int stops = stopCount;
    const QVector<QByteArray> offWrites{ "2000", "0000", "2001", "0004", "2000", "0000", "2001", "0004" };
    const QVector<QByteArray> writes = offWrites + functionWrites;
    bool cut = false;
    QString unconfirmed;
    for (int i = 0; i + 1 < writes.size(); i += 2) {
        const bool confirmed = i < offWrites.size() ? safeWrite(writes.at(i), writes.at(i + 1))
                                                    : writeStep(writes.at(i), writes.at(i + 1), CommandMs);
        // A stop, a close and a lost link each count as a stop.
        if (stopCount != stops) {
            cut = true;
            break;
        }
        if (!confirmed) {
            unconfirmed = QStringLiteral("%1 \u2190 %2").arg(QString::fromLatin1(writes.at(i)), QString::fromLatin1(writes.at(i + 1)));
            break;
        }
    }
    if (!cut && unconfirmed.isEmpty()) {
        switching = NoMode;
        --busy;
        showMode(target);
        showState(QString()); // a start refused meanwhile may go now
        return;
    }
    // Cut short or not confirmed: the drive is left with no function by the ON's own OFF pair.
    // It goes only while the window holds the registers: once it lets go of them (closed, whose
    // own OFF pair ends the ON; the link lost) nothing more of the ON goes, a retry included,
    // and the ON tells nothing.
    if (!unconfirmed.isEmpty())
        unconfirmedStops = 0; // the OFF pair below tells whether the drive took the stop
    const auto mine = [this] { return holdsCommands(); };
    if (mine())
        modeOff(mine);
    switching = NoMode;
    --busy;
    if (!mine()) {
        unconfirmedStops = 0;
        return;
    }
    releaseWhenIdle();
    if (unconfirmed.isEmpty()) {
        reportUnconfirmedStops();
        return;
    }
    QString text = tr("驱动器未确认写入 %1，模式未打开").arg(unconfirmed);
    if (unconfirmedStops > 0)
        text += QLatin1Char('\n') + tr("驱动器未确认停止命令，电机可能仍在运行");
    unconfirmedStops = 0;
    showState(text);
    AnswerBox::warningLater(this, tr("Warning"), text);
}

void controlWindow::on_pushButton_NO_clicked()
{
    if (!linkCheck())
        return;
    modeOn(JogMode, { "2000", "0000", "2000", "1002", "2001", "0004" });
}

void controlWindow::on_pushButton_ProgramON_clicked()
{
    if (!linkCheck())
        return;
    modeOn(ProgramMode, { "2000", "0000", "2000", "100A", "2008", "000A", "2001", "0004" });
}

void controlWindow::on_pushButton_originON_clicked()
{
    if (!linkCheck())
        return;
    modeOn(HomingMode, { "2000", "0000", "2000", "100B", "2001", "0004" });
}

void controlWindow::on_pushButton_OFF_clicked()
{
    if (!linkCheck())
        return;
    modeOff();
    reportUnconfirmedStops();
}

void controlWindow::on_pushButton_originOFF_clicked()
{
    on_pushButton_OFF_clicked();
}

void controlWindow::on_pushButton_programOFF_clicked()
{
    on_pushButton_OFF_clicked();
}

// ---- stepping ----------------------------------------------------------------------------

void controlWindow::stopTimers()
{
    jogForwardTimer->stop();
    jogReverseTimer->stop();
    stopProgramPoll();
}

void controlWindow::endHold(bool sendStop)
{
    if (!heldButton)
        return;
    heldButton = nullptr;
    qApp->removeEventFilter(this);
    jogForwardTimer->stop();
    jogReverseTimer->stop();
    ++stopCount;
    if (sendStop && serialOpen) {
        safeWrite("2001", "0000");
        reportUnconfirmedStops();
    }
    if (sendStop)
        releaseWhenIdle();
}

void controlWindow::holdReleased()
{
    endHold(true);
}

// The stepping timers' ticks. A timer's tick is not delivered again while its step still
// waits for its echo, so a slow line never stacks steps.
void controlWindow::jogForwardStep()
{
    step(Forward);
}

void controlWindow::jogReverseStep()
{
    step(Reverse);
}

void controlWindow::step(Direction direction)
{
    echoConfirmed = false;
    if (!serialOpen) {
        endHold(false);
        stopTimers();
        DriveCommands::release(this);
        return;
    }
    // A release that never reached us (the button lost its grab) still ends the hold.
    if (heldButton && !heldButton->isDown()) {
        endHold(true);
        return;
    }
    const int stops = stopCount;
    const bool echoed = writeStep("2001", direction == Forward ? "0002" : "0003", CommandMs, StepGraceMs);
    if (stopCount != stops)
        return;
    if (echoed) {
        missedSteps = 0;
        return;
    }
    if (++missedSteps < MissedStepsToStop)
        return;
    missedSteps = 0;
    stopSilentDrive(tr("驱动器连续三次未应答，点动已停止"));
}

// A drive that stopped answering: the motion ends at once, the stop is sent once (with its
// retries) and the user is told once, after the stop; the motion does not go on.
void controlWindow::stopSilentDrive(const QString &text)
{
    endHold(false);
    stopTimers();
    ++stopCount;
    showState(text);
    sendStops({ "2001", "0000" }, [this, text] {
        unconfirmedStops = 0;
        releaseWhenIdle();
        AnswerBox::warningLater(this, tr("Warning"), text);
    });
}

// Another window of the tool became modal: the motion stops before it takes the input away
// from Stop; the window's own label says why.
void controlWindow::stopForModal()
{
    endHold(false);
    stopTimers();
    ++stopCount;
    const bool confirmed = serialOpen && safeWrite("2001", "0000");
    unconfirmedStops = 0;
    releaseWhenIdle();
    showState(confirmed ? tr("另一个窗口已打开，电机已停止") : tr("驱动器未确认停止命令，电机可能仍在运行"));
}

void controlWindow::startStepping(Direction direction, QPushButton *heldBy)
{
    if (!linkCheck() || refusedWhileSwitching())
        return;
    // Its step would land under the function another operation has selected; a JOG without a
    // mode holds them itself from its first step until it stops.
    if (!DriveCommands::take(this, mode == NoMode ? DriveCommands::Operation::Jog : DriveCommands::holding())) {
        AnswerBox::commandsHeld(this);
        return;
    }
    QTimer *own = direction == Forward ? jogForwardTimer : jogReverseTimer;
    QTimer *other = direction == Forward ? jogReverseTimer : jogForwardTimer;
    other->stop();
    // A new start ends the stepping before it: a step of that one still waiting its turn is
    // taken back, and a start still waiting for its first step does not go on.
    withdrawMotion();
    ++stopCount;
    if (heldBy) {
        heldButton = heldBy;
        qApp->installEventFilter(this);
    }
    missedSteps = 0;
    showState(QString());
    const int stops = stopCount;
    step(direction);
    // Released, stopped or closed while the first step waited: no stepping starts.
    if (stopCount != stops || (heldBy && heldButton != heldBy))
        return;
    own->start(StepIntervalMs);
}

void controlWindow::stopStepping(Direction direction)
{
    QTimer *own = direction == Forward ? jogForwardTimer : jogReverseTimer;
    // The release has already stopped it.
    if (!own->isActive() && !heldButton)
        return;
    if (!linkCheck())
        return;
    endHold(false);
    own->stop();
    ++stopCount;
    safeWrite("2001", "0000");
    releaseWhenIdle();
    reportUnconfirmedStops();
}

// Stop: every motion timer, the program-status poll included, then the stop command.
void controlWindow::stopAllMotion()
{
    if (!linkCheck())
        return;
    endHold(false);
    stopTimers();
    ++stopCount;
    safeWrite("2001", "0000");
    releaseWhenIdle();
    reportUnconfirmedStops();
}

void controlWindow::on_pushButton_Foreward_pressed()
{
    startStepping(Forward, ui->pushButton_Foreward);
}

void controlWindow::on_pushButton_Foreward_clicked()
{
    stopStepping(Forward);
}

void controlWindow::on_pushButton_Reversal_pressed()
{
    startStepping(Reverse, ui->pushButton_Reversal);
}

void controlWindow::on_pushButton_Reversal_clicked()
{
    stopStepping(Reverse);
}

void controlWindow::on_pushButton_continuousForeward_clicked()
{
    startStepping(Forward, nullptr);
}

void controlWindow::on_pushButton_continuousReversal_clicked()
{
    startStepping(Reverse, nullptr);
}

void controlWindow::on_pushButton_stop_clicked()
{
    stopAllMotion();
}

void controlWindow::on_pushButton_originForeward_clicked()
{
    startStepping(Forward, nullptr);
}

void controlWindow::on_pushButton_originReversal_clicked()
{
    startStepping(Reverse, nullptr);
}

void controlWindow::on_pushButton_originStop_clicked()
{
    stopAllMotion();
}
