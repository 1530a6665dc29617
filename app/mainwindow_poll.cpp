// The main window's link-status poll: every two seconds the drive's status word, once the
// alarm code, the "OnLine"/"OffLine" texts and the question whether to keep trying when the
// drive no longer answers. A tick asks for its read and goes back to the event loop; the tick
// goes on when the link has finished with that read (answered or given up), so the poll never
// waits inside the event loop and never has two reads out at once.

#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "answerbox.h"
#include "automationmode.h"
#include "drivestatus.h"
#include "linklog.h"
#include "linetickets.h"
#include "pollturn.h"

#include <QLabel>
#include <QMessageBox>
#include <QTimer>

namespace {

constexpr int answerWaitMs = 300;
constexpr int missesBeforeQuestion = 5;

} // namespace

bool MainWindow::tickUnderWay() const
{
    // A read given back by a stopped tick may still be on the line: its answer comes to
    // recevieStatus, so no other read of the poll is asked before it has ended.
    return tickStep != TickStep::None || !LineTickets::isFinished(statusTicket);
}

void MainWindow::queryStatus()
{
    // A tick that comes while the last one's read is still out (waiting its turn behind other
    // windows' requests, or on the line) is left out: it is no miss, and reads never stack.
    if (reconnectQuestionOpen || tickUnderWay())
        return;

    answered = false;
    if (!online) {
        emit sendOnlineOrOffLine(false);
        showLinkState(false);
        return;
    }

    alarmSeen = false;
    tickStep = TickStep::StatusWord;
    if (!askDrive(DriveStatus::statusRegister(family)))
        endTick();
}

bool MainWindow::askDrive(const QByteArray &reg)
{
    if (!statusTurn->ask([&] { emit queryDriverStatus(reg, QByteArrayLiteral("0001")); }, answerWaitMs))
        return false;
    statusTicket = LineTickets::lastTaken();
    return true;
}

void MainWindow::statusReadEnded()
{
    if (tickStep == TickStep::StatusWord && alarmSeen && alarmShown == 0) {
        tickStep = TickStep::AlarmCode;
        if (askDrive(DriveStatus::alarmRegister(family)))
            return;
    }
    endTick();
}

// The poll was stopped or the window closed: the read still waiting its turn is taken back,
// and whatever the tick would have counted or asked is left out (no end of it comes).
void MainWindow::abandonTick()
{
    if (tickStep == TickStep::None)
        return;
    statusTurn->drop();
    tickStep = TickStep::None;
}

void MainWindow::endTick()
{
    tickStep = TickStep::None;
    // The port closed while the read was out (the link was lost): the link says so itself, and
    // the next tick finds the drive off-line.
    if (!online)
        return;

    if (answered) {
        if (misses >= 0) {
            misses = -1;
            emit sendOnlineOrOffLine(true);
            applyEnabling(ActionEnabling::DriveAnswered);
        }
        return;
    }

    showLinkState(false);
    if (misses + 1 != missesBeforeQuestion) {
        ++misses;
        return;
    }
    misses = 0;
    // A link busy with another window's exchange counts as alive.
    emit QueryOperateInterface(false);
    if (answered)
        return;
    askToReconnect();
}

void MainWindow::askToReconnect()
{
    // The poll is paused while the question is open, so no tick runs inside it and no second
    // question can open. It opens once no window waits for the drive, never inside the end of
    // the poll's read.
    reconnectQuestionOpen = true;
    poll->stop();
    AnswerBox::later(this, [this] {
        const auto button = AnswerBox::question(this, tr("Waring"), tr("通讯断开,重连？"),
                                                QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
        reconnectQuestionOpen = false;
        reconnectAnswered(button != QMessageBox::No);
    });
}

void MainWindow::reconnectAnswered(bool keepTrying)
{
    if (keepTrying) {
        // Keep trying, unless the window was closed or another window paused the poll meanwhile.
        if (pollWanted && !closed)
            poll->start(2000);
        return;
    }

    poll->stop();
    pollWanted = false;
    // An answer that came while the question was open still counts: the drive is there.
    emit sendOnlineOrOffLine(answered);
    if (answered) {
        misses = -1;
        applyEnabling(ActionEnabling::DriveAnswered);
    } else {
        emit giveUpLink();
        applyEnabling(ActionEnabling::LinkGivenUp);
    }
}

void MainWindow::recevieStatus(QVector<QString> words)
{
    if (words.isEmpty())
        return;

    if (!alarmSeen) {
        const DriveStatus::StatusWord status = DriveStatus::decodeStatusWord(words.first());
        if (!status.valid)
            return;
        answered = true;
        showLinkState(true);
        powerText = status.powerOn ? tr("R/T power open") : tr("R/T power close");
        alarmSeen = status.alarm;
        alarmText = status.alarm ? tr("Alarm signal") : tr("No Alarm signal");
        ui->statusBar->setToolTip(powerText + QLatin1Char('\n') + alarmText);
        qCDebug(linkLog) << "status word" << words.first() << "alarm" << status.alarm;
        return;
    }

    if (alarmShown != 0)
        return;
    const QString text = QStringLiteral("%1:%2").arg(alarmText, DriveStatus::alarmCode(family, words.first()));
    // Marked before the box: whatever arrives while it is open must not open another one.
    alarmShown = 1;
    // With the command file served unattended the alarm stays on the screen but waits for nobody.
    if (AutomationMode::isOn()) {
        AnswerBox::notice(this, QMessageBox::Warning, tr("error"), text);
        return;
    }
    // Opened once no window waits for the drive, not inside the link's answer, so that the line
    // and the command file go on while the box waits for the user.
    AnswerBox::warningLater(this, tr("error"), text);
}

// Whoever asked, the drive's answer or silence is what the link knows of it; with the poll
// paused by another window (the command file's automatic mode), that is all the state line has.
void MainWindow::linkAnswered(bool heard)
{
    if (online)
        showLinkState(heard);
}

void MainWindow::showLinkState(bool answers)
{
    driveAnswers = answers;
    stateLabel->setText(answers ? tr("OnLine") : tr("OffLine"));
}

void MainWindow::recevieveInterface(bool busy)
{
    qCDebug(linkLog) << "link busy" << busy;
    answered = busy;
}
