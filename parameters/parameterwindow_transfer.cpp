// What upload, download and factory reset share: the start and closing orders, the request
// exchanges with their time-outs and single resend, the write-echo slot and the status marks.

#include "parameterwindow.h"
#include "ui_parameterwindow.h"

#include <QMessageBox>
#include <QTreeView>

#include "answerbox.h"
#include "boundedwait.h"
#include "framecodec.h"
#include "treemodel.h"
#include "writeecho.h"

namespace {

constexpr int StatusColumn = 8;
constexpr int ReadWaitMs = 300;   // each read try
constexpr int ResendWaitMs = 500; // the second try of a write
constexpr int ProgressStepMs = 50;

} // namespace

// The start order of the three transfers. Returns true when the operation may run; on every
// refusal after the busy announcement the announcement is withdrawn and the status poll
// restarted again. A press while another transfer of this window, or one of the motor-data
// window, waits for the drive is refused first, before anything is announced or asked, and
// with a notice: a modal box would hold that transfer where it waits until someone closes it.
bool parameterWindow::startTransfer(const QString &runningText, bool askReset)
{
    if (modelBusy()) {
        AnswerBox::notice(this, QMessageBox::Warning, QStringLiteral("error"), runningText);
        return false;
    }
    if (motorBusy) {
        AnswerBox::notice(this, QMessageBox::Warning, tr("error"), tr("操作冲突,请关闭电机操作"));
        return false;
    }
    emit sendParameterIsOk(true);
    if (!portOpen) {
        // Withdrawn before the box: nothing is held while it is open.
        withdrawTransfer();
        QMessageBox::warning(this, tr("error"), tr("串口未打开/设备未连接/地址未选择"), QMessageBox::Ok);
        return false;
    }
    if (askReset
        && QMessageBox::question(this, tr("Waring"), tr("Will Reset?"), QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes)
            != QMessageBox::Yes) {
        withdrawTransfer();
        return false;
    }
    emit stopMainWindowQuery();
    return true;
}

void parameterWindow::withdrawTransfer()
{
    emit sendParameterIsOk(false);
    emit startMainWindowQuery();
}

// A link lost while an operation runs is told once, by the link: the operation stops where it
// is, sends nothing more and shows it in its rows (what was read shows as not read, what was
// not written is not marked), without a box of its own.
void parameterWindow::finishTransfer()
{
    if (!portOpen)
        forgetDriveValues(); // the link was lost while it ran
    withdrawTransfer();
    setWindowTitle(tr("ParameterWindow"));
}

// One read request with requester 1, sent at most twice, 300 ms each. True when readData
// took the reply. The wait also ends when the port goes away.
bool parameterWindow::readExchange(const QByteArray &addr, const QByteArray &count)
{
    const auto answered = [this] { return readReplyOk || !portOpen; };
    readReplyOk = false;
    for (int attempt = 0; attempt < 2 && portOpen && !readReplyOk; ++attempt) {
        emit TreeViewOk(false);
        readReplyOk = false;
        emit readSerialStr(addr, count, 1);
        BoundedWait::forReply(answered, ReadWaitMs);
    }
    emit TreeViewOk(readReplyOk);
    return readReplyOk;
}

// One write request with requester 1 (function 06, or 10 for two registers), sent at most
// twice: the first may take firstWaitMs and settleMs more on the line, the second 500 ms.
// True when its own echo came.
bool parameterWindow::writeExchange(const QByteArray &addr, const QByteArray &data, bool twoRegisters,
                                    int firstWaitMs, int settleMs)
{
    WriteEcho write(addr, data);
    int waitMs = firstWaitMs + settleMs;
    for (int attempt = 0; attempt < 2 && portOpen && !write.confirmed(); ++attempt) {
        write.send([&] {
            if (twoRegisters)
                emit writeSerialStr2(addr, data, 1);
            else
                emit writeSerialStr(addr, data, 1);
        });
        write.wait(waitMs, [this] { return portOpen; });
        waitMs = ResendWaitMs;
    }
    return write.confirmed();
}

// QProgressBar repaints itself at once whenever its text changes, which during a transfer
// costs more than the exchange with the drive: the bar, and the table with it, follow the rows
// every 50 ms at most.
void parameterWindow::showProgress(int value)
{
    if (progressShown.isValid() && !progressShown.hasExpired(ProgressStepMs) && value > ui->progressBar->value())
        return;
    progressShown.start();
    ui->progressBar->setValue(value);
    if (modelHolds == 0)
        return;
    for (QTreeView *view : views()) {
        view->viewport()->setUpdatesEnabled(true);
        view->viewport()->repaint();
        view->viewport()->setUpdatesEnabled(false);
    }
}

void parameterWindow::receiveWriteDataToCheck(QString echo)
{
    WriteEcho::offer(echo);
}

// An entry of the checked-row list that stands for a parameter, not for one of its digit rows.
bool parameterWindow::isParameterEntry(const QPersistentModelIndex &entry) const
{
    return entry.isValid() && !entry.parent().isValid()
        && entry.data(Qt::EditRole).toString().simplified().startsWith(QLatin1String("PA"));
}

void parameterWindow::markStatus(int row, const QString &text)
{
    model->setData(model->index(row, StatusColumn), text, Qt::EditRole);
}

// Marks each row of an operation done or failed; returns how many failed.
int parameterWindow::markOutcomes(const QVector<QPair<int, bool>> &outcomes, const QString &doneText,
                                  const QString &failedText)
{
    int failed = 0;
    for (const auto &outcome : outcomes) {
        markStatus(outcome.first, outcome.second ? doneText : failedText);
        if (!outcome.second)
            ++failed;
    }
    return failed;
}

// The report of an operation that is over. The operation may have run inside another window's
// wait (the read at a connection, inside a command-file request): its report opens once no wait
// for the drive runs, and holds nothing beneath it.
void parameterWindow::reportFailures(int failed, const QString &text)
{
    if (failed > 0)
        AnswerBox::warningLater(this, tr("error"), text.arg(failed));
}
