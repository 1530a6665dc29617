// The capture's exchanges with the link outside the run's own steps: the status poll while a
// capture waits for its trigger, the one-word answers (scales, trigger position, status,
// loop gains), complete replies, write echoes, Stop, and a window closed under a run.
//
// The status poll never waits: each tick asks through the poll's turn on the line and returns;
// the answer comes to PicStastus. A stop goes on the line ahead of every waiting request.

#include "staticwindow.h"
#include "ui_staticwindow.h"

#include "boundedwait.h"
#include "drivecommands.h"
#include "framecodec.h"
#include "linetickets.h"
#include "linklog.h"
#include "linktiming.h"
#include "pollturn.h"
#include "writeecho.h"

#include <QCloseEvent>
#include <QMessageBox>
#include <QTimer>

namespace {

QByteArray stopRegister(int driverChoice)
{
    return driverChoice == 0 ? QByteArrayLiteral("2001") : QByteArrayLiteral("1000");
}

} // namespace

bool staticWindow::readWithResend(const QByteArray &addr, const QByteArray &count, int limitMs,
                                  const std::function<bool()> &goOn)
{
    frameDataOk = false;
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!goOn())
            return false;
        emit readPicData(addr, count, 0);
        runTicket = LineTickets::lastTaken();
        if (BoundedWait::forReply([&] { return frameDataOk || !goOn(); }, limitMs, runTicket) && frameDataOk)
            return true;
    }
    return false;
}

void staticWindow::QueryIfComplete()
{
    if (!samplingActive) {
        statusTimer->stop();
        ui->progressBar->hide();
        return;
    }
    if (!serialOpen) {
        // The link has said that it was lost; a run in its completion wait ends by itself.
        statusTimer->stop();
        return;
    }
    // A slow drive has not answered the last poll yet: this tick is skipped, not stacked.
    const bool asked = statusTurn->ask([this] {
        emit readPicData(driverChoice == 0 ? QByteArrayLiteral("2205") : QByteArrayLiteral("0730"),
                         QByteArrayLiteral("0001"), 0);
    });
    if (asked)
        statusPollTicket = LineTickets::lastTaken();
}

void staticWindow::PicStastus(QString text)
{
    bool ok = false;
    const uint word = text.toUInt(&ok, 16);
    const uint value = ok ? word : 0;
    if (scaleReadPhase) {
        const short v = short(quint16(value));
        if (paramReadTarget == 0)
            scaleE601 = v;
        else if (paramReadTarget == 1)
            scaleE602 = v;
        else if (paramReadTarget == 2)
            triggerIndex = v;
        qCDebug(linkLog) << "capture scale or trigger position" << text << triggerIndex << scaleE601 << scaleE602;
        return;
    }
    if (gainReadPending && gainReadIndex >= 0 && gainReadIndex <= 6)
        showGainAnswer(text);
    samplingStatus = driverChoice == 0 ? int(value) : int((value & 0xC000) >> 14);
}

void staticWindow::FrameDataIsOK(bool ok)
{
    frameDataOk = ok;
}

void staticWindow::recevieWriteGraphToCheck(QString text)
{
    WriteEcho::offer(text);
}

void staticWindow::on_pushButton_Stop_clicked()
{
    if (!serialOpen) {
        QMessageBox::warning(this, tr("error"), tr("串口未打开/设备未连接/地址未选择"));
        return;
    }
    emit startMainWindowQuery();
    samplingActive = false;
    // While another operation holds the drive's command registers no capture of ours runs, and
    // the sampler's stop would land under that operation's function: nothing is written.
    if (!DriveCommands::heldByOther(this)) {
        const quint64 stop = sendSamplerStop();
        // The stop's own exchange ends before the buttons come back; its echo is not needed.
        BoundedWait::forReply([] { return false; }, LinkTiming::writeLimitMs(50), stop);
    }
    // A run still unwinding, or a pass over the loop gains, keeps its buttons greyed until it
    // has ended.
    hxqWaitsForStop = false;
    applyEnabling();
}

void staticWindow::closeEvent(QCloseEvent *event)
{
    // A run waiting for the drive ends with the window, so the program can always quit; the
    // sampler is stopped as by the Stop button.
    if (runActive) {
        runClosing = true;
        stopSampler();
    }
    QWidget::closeEvent(event);
}

void staticWindow::stopSampler()
{
    if (serialOpen && samplingActive) {
        samplingActive = false;
        sendSamplerStop();
    }
}

quint64 staticWindow::sendSamplerStop()
{
    if (runActive)
        LineTickets::withdraw(runTicket);
    LineTickets::sendFirst([this] { emit imageSetting(stopRegister(driverChoice), QByteArrayLiteral("0000"), 0); });
    return LineTickets::lastTaken();
}

// A running capture that something else ends (a language switch, the window closed for the
// spectrum analysis or at the end) is stopped while the link can still carry the stop, and
// its end says why, once.
void staticWindow::stopRunWithNote(const char *note)
{
    if (!runActive)
        return;
    // In the command file's automatic mode the outcome goes to the file, not into a box.
    stopNote = autoRunningCode < 0 ? note : nullptr;
    stopSampler();
}
