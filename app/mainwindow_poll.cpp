// The main window's link-status poll: every two seconds the drive's status word, once the
// alarm code, the "OnLine"/"OffLine" texts and the question whether to keep trying when the
// drive no longer answers.

#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "boundedwait.h"
#include "drivestatus.h"

#include <QDebug>
#include <QMessageBox>
#include <QTimer>

namespace {

constexpr int answerWaitMs = 300;
constexpr int missesBeforeQuestion = 5;

// Marks a tick as running for as long as it lasts.
struct TickGuard
{
    explicit TickGuard(bool &flag) : flag(flag) { flag = true; }
    ~TickGuard() { flag = false; }
    bool &flag;
};

} // namespace

void MainWindow::queryStatus()
{
    // A tick waits with events processed; a timer tick that comes up inside that wait (or
    // inside a box opened from it) does not start a second one.
    if (tickRunning || reconnectQuestionOpen)
        return;
    TickGuard guard(tickRunning);

    answered = false;
    if (!online) {
        emit sendOnlineOrOffLine(false);
        ui->statusBar->showMessage(tr("OffLine"));
        return;
    }

    alarmSeen = false;
    ui->statusBar->showMessage(tr("OffLine"));
    // Each query waits its turn behind other windows' requests and ends when the link has its
    // answer or has given it up.
    emit queryDriverStatus(DriveStatus::statusRegister(family), QByteArrayLiteral("0001"));
    BoundedWait::forReply([] { return false; }, answerWaitMs);

    if (alarmSeen && alarmShown == 0) {
        emit queryDriverStatus(DriveStatus::alarmRegister(family), QByteArrayLiteral("0001"));
        BoundedWait::forReply([] { return false; }, answerWaitMs);
    }
    // The window was closed while the tick waited: nothing more is shown or asked.
    if (closed)
        return;

    if (answered) {
        if (misses >= 0) {
            misses = -1;
            emit sendOnlineOrOffLine(true);
            applyEnabling(ActionEnabling::DriveAnswered);
        }
        return;
    }

    if (misses + 1 != missesBeforeQuestion) {
        ++misses;
        return;
    }
    misses = 0;
    // A link busy with another window's exchange drops the status query; that is no loss.
    emit QueryOperateInterface(false);
    if (answered)
        return;
    askToReconnect();
}

void MainWindow::askToReconnect()
{
    // The poll is paused while the question is open, so no tick runs inside it and no second
    // question can open.
    reconnectQuestionOpen = true;
    poll->stop();
    const auto button = QMessageBox::question(this, tr("Waring"), tr("通讯断开,重连？"),
                                              QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    reconnectQuestionOpen = false;

    if (button != QMessageBox::No) {
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
        ui->statusBar->showMessage(tr("OnLine"));
        powerText = status.powerOn ? tr("R/T power open") : tr("R/T power close");
        alarmSeen = status.alarm;
        alarmText = status.alarm ? tr("Alarm signal") : tr("No Alarm signal");
        ui->statusBar->setToolTip(powerText + QLatin1Char('\n') + alarmText);
        qDebug() << "status word" << words.first() << "alarm" << status.alarm;
        return;
    }

    if (alarmShown != 0)
        return;
    const QString code = DriveStatus::alarmCode(family, words.first());
    // Marked before the box: the box runs its own event loop, and whatever arrives while it
    // is open must not open another one.
    alarmShown = 1;
    QMessageBox::warning(this, tr("error"), QStringLiteral("%1:%2").arg(alarmText, code));
}

void MainWindow::recevieveInterface(bool busy)
{
    qDebug() << "link busy" << busy;
    answered = busy;
}
