// "上传": the ordinary upload of the checked parameters, and the first read after each
// connection, which fetches every parameter's maximum, minimum, default and value through
// the drive's parameter-information mailbox.

#include "parameterwindow.h"
#include "ui_parameterwindow.h"


#include "answerbox.h"
#include "parameterconversion.h"
#include "treemodel.h"
#include "unreadvalue.h"

namespace {

constexpr int ValueColumn = 2;
constexpr int AttributeColumn = 7;
constexpr int MailboxWaitMs = 500;
constexpr int FirstMailboxSettleMs = 500;

} // namespace

void parameterWindow::on_pushButton_Upload_clicked()
{
    if (!startTransfer(QStringLiteral("The operation is not completed and cannot be uploaded"), false))
        return;
    ModelHold hold(this);

    bool interrupted = false;
    const bool information = firstRead;
    const bool nothingChecked = !information && model->checkedIndexes.isEmpty();
    const int failed = information ? readAllInformation(&interrupted) : uploadChecked(&interrupted);

    spreadAllSwitchDigits();
    // The operation is over before anything is said: no box holds the poll or the motor-data window.
    finishTransfer();
    if (nothingChecked)
        AnswerBox::warningLater(this, tr("error"), tr("请选择参数"));
    else if (!interrupted)
        reportFailures(failed, tr("%1 个参数上传失败"));
}

// Reads the value of every checked parameter row, in the order the rows were checked.
// Returns the number of rows the drive did not answer; *interrupted is set when the link went
// away (the rows after it are left as they were).
int parameterWindow::uploadChecked(bool *interrupted)
{
    const QList<QPersistentModelIndex> entries = model->checkedIndexes;
    uploadRunning = true;
    ui->progressBar->setRange(0, entries.size());
    ui->progressBar->show();
    replyRow = 0;
    rowCursor = 0;

    QVector<QPair<int, bool>> outcomes; // parameter row, answered
    for (int position = 0; position < entries.size(); ++position) {
        rowCursor = position;
        const QPersistentModelIndex &entry = entries.at(position);
        if (!isParameterEntry(entry))
            continue; // a digit row
        const QString number = entry.data(Qt::EditRole).toString().simplified();
        if (!portOpen || firstRead) {
            // A new connection asks for a first read; the rest of this upload is void.
            *interrupted = true;
            break;
        }
        replyRow = entry.row();
        const int code = ParameterConversion::attributeCode(model->index(replyRow, AttributeColumn).data(Qt::EditRole));
        const QByteArray address = ParameterConversion::registerAddress(driverFamily, number).toLatin1();
        const QByteArray count = ParameterConversion::wordCount(driverFamily, code).toLatin1();
        showProgress(position);
        const bool answered = readExchange(address, count);
        if (!answered && !portOpen) {
            *interrupted = true;
            break;
        }
        outcomes.append(qMakePair(replyRow, answered));
    }

    uploadRunning = false;
    ui->progressBar->hide();

    for (const auto &outcome : outcomes) {
        if (!outcome.second)
            showUnanswered(outcome.first);
    }
    return markOutcomes(outcomes, tr("已上传"), tr("上传失败"));
}

// The first read: for every parameter row, the row's register address goes into the
// mailbox, and only once the drive has acknowledged it is the record read back into that
// row. Returns the number of rows that failed (marked "上传失败"). The first-read flag is
// cleared, and the drive announced online, only when the pass reached the last row.
int parameterWindow::readAllInformation(bool *interrupted)
{
    const bool vr = ParameterConversion::isVrRoad(driverFamily);
    const QByteArray mailbox = vr ? QByteArrayLiteral("CF00") : QByteArrayLiteral("0751");
    const QByteArray record = vr ? QByteArrayLiteral("CF01") : QByteArrayLiteral("0752");
    const QByteArray recordCount = vr ? QByteArrayLiteral("0009") : QByteArrayLiteral("0004");

    const int rows = parameterRowCount();
    const int connection = connectionCount;
    uploadRunning = true;
    progressCount = 0;
    ui->progressBar->setRange(0, rows);
    ui->progressBar->show();

    QVector<int> failedRows;
    for (int row = 0; row < rows; ++row) {
        rowCursor = row;
        showProgress(row);
        const QByteArray address = vr ? paramAddressHex() : paramAddressDec();
        if (!portOpen) {
            *interrupted = true;
            break;
        }
        const bool selected = writeExchange(mailbox, address, false, MailboxWaitMs,
                                            row == 0 ? FirstMailboxSettleMs : 0);
        bool taken = false;
        if (selected && portOpen)
            taken = readExchange(record, recordCount);
        if (!portOpen) {
            *interrupted = true;
            break;
        }
        if (!firstRead || connectionCount != connection) {
            // Reconnected (or told the read is done) meanwhile: the record may have gone astray.
            *interrupted = true;
            break;
        }
        if (!taken)
            failedRows.append(row);
    }

    uploadRunning = false;
    ui->progressBar->hide();
    for (int row : failedRows) {
        markStatus(row, tr("上传失败"));
        showUnanswered(row);
    }
    if (!*interrupted) {
        firstRead = false;
        emit isOnLine(true);
    }
    return failedRows.size();
}

// A row the drive left unanswered holds no value of the drive now: an earlier read's value, or
// the catalogue's default, would be saved or downloaded as the drive's. A value the person
// typed or loaded stays.
void parameterWindow::showUnanswered(int row)
{
    if (row >= typedOrLoaded.size() || typedOrLoaded.at(row))
        return;
    model->setData(model->index(row, ValueColumn), UnreadValue::text(), Qt::EditRole);
    driveValueTexts[row] = QString();
}
