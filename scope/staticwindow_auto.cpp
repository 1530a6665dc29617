// The command-file hooks of the capture window: "wop" S1 (capture), S2 (stop), S3 (save the
// quick-change file) and "rop" (how the last one went).
//
// A "wop" is answered as accepted before its operation runs, so the command file holds that
// answer while a capture still runs. How the operation ended reaches the file through "rop":
// 2 when it was done, and -1 with "F" when the capture was not drawn or the save failed; the
// reason goes with it (autoOperationFailed). While the automatic mode is on, an operation of
// the file opens no box: what it would have said is its reason instead. A reason is English
// whatever the interface language, like every other answer in the file; the command-file
// window shows it in the interface language.

#include "staticwindow.h"
#include "ui_staticwindow.h"

#include "automationmode.h"
#include "drivecommands.h"

#include <QMessageBox>

namespace {
const int kFailed = -1;
}

bool staticWindow::answeringCommandFile() const
{
    return autoRunningCode != -1 && AutomationMode::isOn();
}

bool staticWindow::toCommandFile(const char *reason)
{
    if (!answeringCommandFile())
        return false;
    if (autoFailure.isEmpty())
        autoFailure = QString::fromLatin1(reason);
    return true;
}

void staticWindow::tell(const QString &text, const char *reason, Box box)
{
    if (toCommandFile(reason))
        return;
    if (box == Box::Warning)
        QMessageBox::warning(this, tr("error"), text);
    else
        QMessageBox::information(this, tr("提示"), text, tr("OK"));
}

// A "wop" turned away before it ran: the reason reaches the file with the "F".
void staticWindow::refuseAutoOperation(int code, const QString &reason)
{
    autoFailure = reason;
    emit autoOperationFailed(autoFailure);
    emit autoOperation_WOP(false, code);
}

const char *staticWindow::whyButtonRefuses() const
{
    if (!serialOpen)
        return "serial port not open";
    if (gainPassRunning)
        return "loop-gain read or write running";
    return "capture window does not take this now (offline, or a capture not yet stopped)";
}

void staticWindow::autoSampling(QString sub, QString, QString)
{
    // A stop of the file ends a capture of the file exactly as the Stop button does; the
    // capture's own call then returns, and the stop's status stands.
    if (autoRunningCode == autoCodeS1 && sub == QLatin1String("S2")) {
        autoStatus = 3;
        if (serialOpen && ui->pushButton_Stop->isEnabled()) {
            emit autoOperation_WOP(true, autoCodeS2);
            autoStopAsked = true;
            on_pushButton_Stop_clicked();
            autoStatus = 2;
        } else {
            refuseAutoOperation(autoCodeS2, whyButtonRefuses());
        }
        return;
    }
    // The operations run to their end inside this slot, with waits that process events; any
    // other request that arrives meanwhile is turned away without an answer.
    if (autoRunningCode == autoCodeS1 || autoRunningCode == autoCodeS2)
        return;
    autoStatus = 0;
    autoRunningCode = -1;
    autoFailure.clear();
    autoStopAsked = false;

    // A capture or a stop while another operation holds the drive's command registers would
    // land under that operation's function: refused, and nothing is sent.
    const bool held = DriveCommands::heldByOther(this);
    if (sub == QLatin1String("S1")) {
        autoStatus = 1;
        if (held && serialOpen && ui->pushButton_Sampling->isEnabled()) {
            refuseAutoOperation(autoCodeS1, DriveCommands::refusalReason());
        } else if (serialOpen && ui->pushButton_Sampling->isEnabled()) {
            emit autoOperation_WOP(true, autoCodeS1);
            autoRunningCode = autoCodeS1;
            on_pushButton_Sampling_clicked();
            autoRunningCode = -1;
            if (autoStopAsked)
                autoStatus = 2;
            else
                finishAutoOperation(lastRunDrawn, "capture not completed");
        } else {
            refuseAutoOperation(autoCodeS1, whyButtonRefuses());
        }
    } else if (sub == QLatin1String("S2")) {
        autoStatus = 3;
        if (held && serialOpen && ui->pushButton_Stop->isEnabled()) {
            refuseAutoOperation(autoCodeS2, DriveCommands::refusalReason());
        } else if (serialOpen && ui->pushButton_Stop->isEnabled()) {
            emit autoOperation_WOP(true, autoCodeS2);
            autoRunningCode = autoCodeS2;
            on_pushButton_Stop_clicked();
            autoRunningCode = -1;
            autoStatus = 2;
        } else {
            refuseAutoOperation(autoCodeS2, whyButtonRefuses());
        }
    } else if (sub == QLatin1String("S3") && driverChoice != 0) {
        // The quick-change layout holds VR captures only: refused, with the reason first.
        autoStatus = kFailed;
        refuseAutoOperation(autoCodeS3, "quick-change files hold captures of the VR family only");
        if (!AutomationMode::isOn())
            refuseQuickChangeForHxq(); // "选择保存目录" was pressed: the person there is told
    } else if (sub == QLatin1String("S3")) {
        // The save needs neither the port nor a button.
        autoStatus = 5;
        emit autoOperation_WOP(true, autoCodeS3);
        // The save runs under the stop's code, so no capture or stop starts meanwhile.
        autoRunningCode = autoCodeS2;
        const bool saved = runQuickChange();
        autoRunningCode = -1;
        finishAutoOperation(saved, "quick-change file not saved");
    } else {
        emit autoOperation_WOP(false, -1);
    }
}

void staticWindow::finishAutoOperation(bool done, const char *fallbackReason)
{
    if (done) {
        autoStatus = 2;
        return;
    }
    autoStatus = kFailed;
    if (autoFailure.isEmpty())
        autoFailure = QString::fromLatin1(fallbackReason);
    emit autoOperationFailed(autoFailure);
}

void staticWindow::autoQuerySamplingStatus(QString sub, QString, QString)
{
    // Answered at once, also while a capture runs (1) or the port is gone: the file learns the
    // true state, never nothing.
    if ((sub == QLatin1String("S1") || sub == QLatin1String("S2")) && autoStatus != kFailed)
        emit sendOperation_ROP(true, autoStatus);
    else
        emit sendOperation_ROP(false, -1);
}
