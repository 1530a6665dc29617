// The command-file hooks of the capture window: "wop" S1 (capture), S2 (stop), S3 (save the
// quick-change file) and "rop" (how the last one went).
//
// A "wop" is answered as accepted before its operation runs, so the command file holds that
// answer while a capture still runs. How the operation ended reaches the file through "rop":
// 2 when it was done, and -1 with "F" when the capture was not drawn or the save failed.

#include "staticwindow.h"
#include "ui_staticwindow.h"

namespace {
const int kFailed = -1;
}

void staticWindow::autoSampling(QString sub, QString, QString)
{
    // The operations run to their end inside this slot, with waits that process events; a
    // request that arrives meanwhile is turned away without an answer.
    if (autoRunningCode == autoCodeS1 || autoRunningCode == autoCodeS2)
        return;
    autoStatus = 0;
    autoRunningCode = -1;

    if (sub == QLatin1String("S1")) {
        autoStatus = 1;
        if (serialOpen && ui->pushButton_Sampling->isEnabled()) {
            emit autoOperation_WOP(true, autoCodeS1);
            autoRunningCode = autoCodeS1;
            on_pushButton_Sampling_clicked();
            autoRunningCode = -1;
            autoStatus = lastRunDrawn ? 2 : kFailed;
        } else {
            emit autoOperation_WOP(false, autoCodeS1);
        }
    } else if (sub == QLatin1String("S2")) {
        autoStatus = 3;
        if (serialOpen && ui->pushButton_Stop->isEnabled()) {
            emit autoOperation_WOP(true, autoCodeS2);
            autoRunningCode = autoCodeS2;
            on_pushButton_Stop_clicked();
            autoRunningCode = -1;
            autoStatus = 2;
        } else {
            emit autoOperation_WOP(false, autoCodeS2);
        }
    } else if (sub == QLatin1String("S3")) {
        // The save needs neither the port nor a button.
        autoStatus = 5;
        emit autoOperation_WOP(true, autoCodeS3);
        // The save runs under the stop's code, so no capture or stop starts meanwhile.
        autoRunningCode = autoCodeS2;
        const bool saved = runQuickChange();
        autoRunningCode = -1;
        autoStatus = saved ? 2 : kFailed;
    } else {
        emit autoOperation_WOP(false, -1);
    }
}

void staticWindow::autoQuerySamplingStatus(QString sub, QString, QString)
{
    // While a capture runs its button is disabled and the query gets no answer from here.
    if (!ui->pushButton_Sampling->isEnabled())
        return;
    if ((sub == QLatin1String("S1") || sub == QLatin1String("S2")) && autoStatus != kFailed)
        emit sendOperation_ROP(true, autoStatus);
    else
        emit sendOperation_ROP(false, -1);
}
