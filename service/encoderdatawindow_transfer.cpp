// The operation frame every drive operation of the window shares (guards, busy announcement,
// buttons, the write and read steps) and the two transfers of the table: upload and download.

#include "encoderdatawindow.h"
#include "ui_encoderdatawindow.h"

#include <QMessageBox>

#include <algorithm>

#include "answerbox.h"
#include "boundedwait.h"
#include "drivecommands.h"
#include "linklog.h"
#include "linetickets.h"
#include "linktiming.h"
#include "motordata.h"
#include "treemodel.h"
#include "unreadvalue.h"
#include "writeecho.h"

namespace {

constexpr int NumberColumn = 1;
constexpr int ValueColumn = 3;
constexpr int MinimumColumn = 5;
constexpr int MaximumColumn = 6;
constexpr int DecimalsColumn = 7;
constexpr int ReadWaitMs = 300;
constexpr int WriteWaitMs = 500;
constexpr int ReportLimit = 20;

} // namespace

// The link was closed when the user asked for something. A link lost while an operation runs
// is told by the link itself; the operation shows in its status line that it stopped.
void EncoderdataWindow::reportLinkDown()
{
    if (operation != Operation::None || stopRunning)
        return;
    QMessageBox::warning(this, tr("error"), tr("串口未打开/设备未连接/地址未选择"), QMessageBox::Ok);
}

// A start while an operation of this window waits is refused, and so is one while the parameter
// window transfers: with a notice, since a modal box would hold that wait until someone closes it.
bool EncoderdataWindow::refuseSecondOperation()
{
    if (operation == Operation::None)
        return false;
    AnswerBox::notice(this, QMessageBox::Warning, tr("error"), tr("上一操作尚未结束"));
    return true;
}

void EncoderdataWindow::refuseWhileParametersTransfer()
{
    AnswerBox::notice(this, QMessageBox::Warning, tr("error"), tr("操作冲突,请关闭参数表操作"));
}

// The guards at the start of the download, the drive sequences and the test run. True when
// the operation may run; it is then announced busy. A test run asked of the other family ends
// as the end-test button ends it.
bool EncoderdataWindow::entryGuards(Operation op)
{
    if (refuseSecondOperation())
        return false;
    if (parameterBusy) {
        refuseWhileParametersTransfer();
        return false;
    }
    emit sendEncoderIsOk(true);
    if (driverChoice != 0) {
        emit sendEncoderIsOk(false);
        if (op == Operation::Test)
            on_pushButton_endTest_clicked();
        refuseOtherFamily();
        return false;
    }
    if (!serialOpen) {
        reportLinkDown();
        emit sendEncoderIsOk(false);
        return false;
    }
    // The drive sequences hold its command registers until they end (endOperation).
    if (op != Operation::None && !DriveCommands::take(this, commandOperation(op))) {
        emit sendEncoderIsOk(false);
        AnswerBox::commandsHeld(this);
        return false;
    }
    return true;
}

DriveCommands::Operation EncoderdataWindow::commandOperation(Operation op)
{
    switch (op) {
    case Operation::RemoveAlarm: return DriveCommands::Operation::MotorAlarmClear;
    case Operation::Execute: return DriveCommands::Operation::MotorExecute;
    case Operation::Initialise: return DriveCommands::Operation::EncoderInitialisation;
    default: return DriveCommands::Operation::TestRun;
    }
}

// The motor data and the sequences are those of the VR family; with another family nothing is
// sent and the state line says why.
bool EncoderdataWindow::refuseOtherFamily()
{
    if (driverChoice == 0)
        return false;
    setStepHint(tr("电机操作只用于VR系列驱动器"), tr("motor operation serves VR drives only"));
    return true;
}

void EncoderdataWindow::beginOperation(Operation op)
{
    operation = op;
    stopCause = StopCause::User;
    updateControls();
}

// withdrawBusy: a normal end (buttons back, busy announcement withdrawn). Otherwise the stop
// request that ended the operation has done both, or an error status of the drive leaves them
// for the stop request the user gives next, or a broken link has disabled the buttons.
void EncoderdataWindow::showEnded(Step step, const QString &doneChinese, const QString &doneEnglish)
{
    QString chinese, english;
    if (step == Step::LinkDown) {
        chinese = tr("连接已断开");
        english = tr("link lost");
    } else {
        chinese = stopText(stopCause, false);
        english = stopText(stopCause, true);
    }
    if (!doneChinese.isEmpty()) {
        chinese = doneChinese + QStringLiteral("，") + chinese;
        english = doneEnglish + QStringLiteral(", ") + english;
    }
    setStepHint(chinese, english);
    ui->progressBar_parameter->hide();
    ui->progressBar_execute->hide();
}

QString EncoderdataWindow::stopText(StopCause cause, bool english)
{
    switch (cause) {
    case StopCause::User: return english ? tr("stopped") : tr("已中断");
    case StopCause::OtherWindow: return english ? tr("stopped for another window") : tr("其他窗口已打开，已停止");
    case StopCause::SilentDrive: return english ? tr("stopped, the drive does not answer") : tr("驱动器无应答，已停止");
    case StopCause::DriveFault: break;
    }
    return english ? tr("stopped, the drive reported a fault") : tr("驱动器报告异常，已停止");
}

void EncoderdataWindow::endOperation(bool normalEnd)
{
    operation = Operation::None;
    DriveCommands::release(this);
    if (normalEnd)
        emit sendEncoderIsOk(false);
    // With the link gone nothing can be started or stopped any more.
    if (normalEnd || !serialOpen)
        linkShown = serialOpen;
    updateControls();
    if (!serialOpen)
        forgetDriveValues();
    if (reloadPending)
        reloadWhenIdle(pendingLanguage);
}

EncoderdataWindow::Step EncoderdataWindow::writeStep(const QByteArray &address, const QByteArray &value, bool isStop)
{
    writeAck = false;
    if (!isStop && stopRequested)
        return Step::Stopped;
    if (!serialOpen) {
        reportLinkDown();
        return Step::LinkDown;
    }
    // Only this write's own echo acknowledges it: not the echo of a stop that wrote while this
    // write waited its turn, nor a late echo of an earlier write of the same register and value.
    WriteEcho write(address, value);
    write.send([&] {
        if (isStop)
            LineTickets::sendFirst([&] { emit writeSerialEncoder(address, value, 4); });
        else
            emit writeSerialEncoder(address, value, 4);
    });
    // A stop takes back a command of the operation that still waits its turn; one already on the
    // line is waited for, so that an echo that comes is counted.
    if (!isStop && write.ticket() != 0 && !LineTickets::isFinished(write.ticket()))
        commandTicket = write.ticket();
    write.wait(LinkTiming::writeLimitMs(WriteWaitMs), [&] { return serialOpen; });
    if (!isStop)
        commandTicket = 0;
    writeAck = write.confirmed();
    if (writeAck)
        return Step::Done;
    if (!isStop && stopRequested)
        return Step::Stopped;
    if (!serialOpen) {
        reportLinkDown();
        return Step::LinkDown;
    }
    return Step::NoAnswer;
}

EncoderdataWindow::Step EncoderdataWindow::readStep(const QByteArray &address)
{
    readAck = false;
    if (stopRequested)
        return Step::Stopped;
    if (!serialOpen) {
        reportLinkDown();
        return Step::LinkDown;
    }
    readPending = true;
    emit readSerialEncoder(address, QByteArrayLiteral("0001"), 4);
    BoundedWait::forReply([&] { return readAck || !serialOpen || stopRequested; }, LinkTiming::readLimitMs(ReadWaitMs, 1));
    readPending = false;
    emit treeViewOK(readAck);
    if (readAck)
        return Step::Done;
    if (stopRequested)
        return Step::Stopped;
    if (!serialOpen) {
        reportLinkDown();
        return Step::LinkDown;
    }
    return Step::NoAnswer;
}

void EncoderdataWindow::receiveToCheck(QString echo)
{
    qCDebug(linkLog) << "motor data echo" << echo;
    WriteEcho::offer(echo);
}

void EncoderdataWindow::on_pushButton_upLoad_clicked()
{
    runUpload();
}

void EncoderdataWindow::on_pushButton_downLoad_clicked()
{
    runDownload();
}

// Reads every register once: a shared register is read with its first row and fills the
// rows that share it. A row is marked uploaded only when its register's reply came. The reading
// on opening leaves every row the person typed or loaded as it is, and reads a register only
// for the rows it fills.
bool EncoderdataWindow::runUpload(bool onOpening)
{
    if (refuseSecondOperation())
        return false;
    if (parameterBusy) {
        refuseWhileParametersTransfer();
        return false;
    }
    if (!serialOpen) {
        reportLinkDown();
        return false;
    }
    if (refuseOtherFamily())
        return false; // its replies would not be taken: every row would be called unread
    emit sendEncoderIsOk(true);
    beginOperation(Operation::Upload);
    uploadOnShow = false; // this is the reading the next opening would do
    ui->label_ShowFlieName->clear();
    setStepHint(tr("上传中"), tr("uploading"));
    const int rows = model->rowCount();
    ui->progressBar_parameter->setRange(0, rows);
    ui->progressBar_parameter->show();
    stopRequested = false;
    keptRows.clear();
    for (int row = 0; onOpening && row < rows; ++row) {
        if (filledByHand(row))
            keptRows << cell(row, NumberColumn).trimmed().toInt();
    }

    QVector<int> done, failed;
    Step ended = Step::Done;
    for (currentRow = 0; currentRow < rows; ++currentRow) {
        ui->progressBar_parameter->setValue(currentRow);
        const int rowNumber = cell(currentRow, NumberColumn).trimmed().toInt();
        if (MotorData::isLaterField(rowNumber))
            continue;
        QVector<int> filled = MotorData::rowsOfRegister(rowNumber);
        filled.erase(std::remove_if(filled.begin(), filled.end(), [this](int number) { return keptRows.contains(number); }),
                     filled.end());
        if (filled.isEmpty())
            continue;
        const Step step = readStep(paramAddress());
        if (step == Step::Stopped || step == Step::LinkDown) {
            ended = step;
            break;
        }
        (step == Step::Done ? done : failed) += filled;
    }
    // Rows 42 to 45 only show row 46's register: they are neither typed nor loaded themselves.
    const int kept = int(std::count_if(keptRows.cbegin(), keptRows.cend(),
                                       [](int number) { return !MotorData::isReadOnly(number); }));
    keptRows.clear();

    markRows(done, Note::Uploaded);
    markRows(failed, Note::UploadFailed);
    // A row whose read went unanswered holds no value of the drive now: a value left from before
    // would be saved or downloaded as the drive's.
    for (int number : failed) {
        const int row = rowOfNumber(number);
        setSource(row, Source::None);
        if (row >= 0)
            setCell(row, ValueColumn, UnreadValue::text());
    }
    if (ended == Step::LinkDown || ended == Step::Stopped) {
        showEnded(ended, tr("已读出 %1/%2 行").arg(done.size()).arg(rows),
                  tr("%1 of %2 rows read").arg(done.size()).arg(rows));
        if (ended == Step::LinkDown)
            emit sendEncoderIsOk(false);
        endOperation(false);
        return false;
    }
    ui->progressBar_parameter->hide();
    if (kept > 0)
        setStepHint(tr("上传结束，保留输入或导入的 %1 行").arg(kept), tr("finished upload, %1 typed or loaded rows kept").arg(kept));
    else
        setStepHint(tr("上传结束"), tr("finished upload"));
    endOperation(true);
    if (!failed.isEmpty()) {
        QMessageBox::warning(this, tr("error"), tr("%1 行未能从驱动器读出").arg(failed.size()), QMessageBox::Ok);
        return false;
    }
    return true;
}

// The reply of the row at currentRow, taken only while its read waits for it.
void EncoderdataWindow::readDataToEncoder(QVector<QString> words)
{
    qCDebug(linkLog) << "motor data read" << words;
    if (!readPending || driverChoice != 0 || words.isEmpty() || !model)
        return;
    const int rowNumber = cell(currentRow, NumberColumn).trimmed().toInt();
    if (MotorData::isLaterField(rowNumber))
        return;
    bool ok = false;
    const uint word = words.first().toUInt(&ok, 16);
    if (!ok || word > 0xFFFF)
        return;
    const int decimals = cell(currentRow, DecimalsColumn).trimmed().toInt();
    for (const auto &value : MotorData::decodeRegister(rowNumber, decimals, quint16(word))) {
        const int row = rowOfNumber(value.first);
        if (row < 0 || keptRows.contains(value.first))
            continue;
        setSource(row, Source::Drive);
        setCell(row, ValueColumn, value.second);
    }
    readAck = true;
}

// Judges the whole table first: one refused value stops the download before anything is
// sent. Then unlocks the drive and writes each register; a row is marked downloaded only
// when its register's write was echoed. A stop ends the download after the write on the line,
// whose rows count when their echo comes; a write still waiting its turn is taken back, and
// the rows after it stay unmarked.
bool EncoderdataWindow::runDownload()
{
    if (!entryGuards())
        return false;
    beginOperation(Operation::Download);
    setStepHint(tr("下载中"), tr("downloading"));
    const int rows = model->rowCount();
    ui->progressBar_parameter->setRange(0, rows);
    ui->progressBar_parameter->show();
    stopRequested = false;
    writeAck = false;

    QVector<MotorData::Row> table;
    QStringList pnNumbers;
    for (int row = 0; row < rows; ++row) {
        table.append({cell(row, NumberColumn).trimmed().toInt(), cell(row, ValueColumn), cell(row, MinimumColumn),
                      cell(row, MaximumColumn), cell(row, DecimalsColumn).trimmed().toInt()});
        pnNumbers << cell(row, 0);
    }
    const MotorData::DownloadPlan plan = MotorData::planDownload(table, pnNumbers);
    const auto failEarly = [this](const QString &text) {
        ui->progressBar_parameter->hide();
        setStepHint(tr("下载未完成"), tr("download not completed"));
        endOperation(true);
        QMessageBox::warning(this, tr("error"), text, QMessageBox::Ok);
        return false;
    };
    if (!plan.refused.isEmpty()) {
        QStringList lines{tr("下载未执行，以下数值不可用：")};
        for (int i = 0; i < plan.refused.size() && i < ReportLimit; ++i)
            lines << MotorData::describe(plan.refused.at(i));
        if (plan.refused.size() > ReportLimit)
            lines << QStringLiteral("…");
        return failEarly(lines.join(QLatin1Char('\n')));
    }

    Step step = writeStep(QByteArrayLiteral("2003"), QByteArrayLiteral("9C47"));
    if (step == Step::NoAnswer)
        return failEarly(tr("驱动器未应答，下载未执行"));

    QVector<int> done, failed;
    for (int i = 0; i < plan.writes.size() && step != Step::Stopped && step != Step::LinkDown; ++i) {
        const MotorData::RegisterWrite &write = plan.writes.at(i);
        currentRow = rowOfNumber(write.rows.first());
        ui->progressBar_parameter->setValue(currentRow);
        step = writeStep(write.address, write.value);
        if (step == Step::Done)
            done += write.rows;
        else if (step == Step::NoAnswer)
            failed += write.rows;
    }

    markRows(done, Note::Downloaded);
    markRows(failed, Note::DownloadFailed);
    if (step == Step::LinkDown || step == Step::Stopped) {
        int planned = 0;
        for (const MotorData::RegisterWrite &write : plan.writes)
            planned += write.rows.size();
        showEnded(step, tr("已写入 %1/%2 行").arg(done.size()).arg(planned),
                  tr("%1 of %2 rows written").arg(done.size()).arg(planned));
        if (step == Step::LinkDown)
            emit sendEncoderIsOk(false);
        endOperation(false);
        return false;
    }
    ui->progressBar_parameter->hide();
    setStepHint(tr("下载结束"), tr("finished download"));
    endOperation(true);
    if (!failed.isEmpty()) {
        QMessageBox::warning(this, tr("error"), tr("%1 行未能写入驱动器").arg(failed.size()), QMessageBox::Ok);
        return false;
    }
    return true;
}
