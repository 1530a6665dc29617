// "下载": writes the checked parameter rows to the drive. Every row is judged against its
// limits first, without touching the link, and one bad value stops the whole download before
// anything is sent. Then each judged row is written and acknowledged by its echo.

#include "parameterwindow.h"
#include "ui_parameterwindow.h"

#include <QMessageBox>

#include "answerbox.h"
#include "parameterconversion.h"
#include "treemodel.h"

namespace {

constexpr int ValueColumn = 2;
constexpr int MinimumColumn = 3;
constexpr int MaximumColumn = 4;
constexpr int AttributeColumn = 7;
constexpr int WriteWaitMs = 500;
constexpr int Write32WaitMs = 800;

// One row as the check pass left it: what goes on the line, and nothing else.
struct DownloadRow {
    int row = 0;
    QByteArray address;
    QByteArray data;
    bool twoRegisters = false;
};

} // namespace

void parameterWindow::on_pushButton_Download_clicked()
{
    if (!startTransfer(QStringLiteral("The operation is not completed and cannot be downloaded"), false))
        return;
    ModelHold hold(this);

    const QList<QPersistentModelIndex> entries = model->checkedIndexes;
    ui->progressBar->setRange(0, entries.size());
    rowCursor = 0;

    // Check pass: no link traffic. The rows written later are exactly the rows judged here,
    // with the words judged here; a row checked while the download runs waits for the next one.
    const bool vr = ParameterConversion::isVrRoad(driverFamily);
    QVector<DownloadRow> plan;
    for (const QPersistentModelIndex &entry : entries) {
        if (!isParameterEntry(entry))
            continue; // a digit row
        const QString number = entry.data(Qt::EditRole).toString().simplified();
        const int row = entry.row();
        const int code = ParameterConversion::attributeCode(model->index(row, AttributeColumn).data(Qt::EditRole));
        const QModelIndex valueCell = model->index(row, ValueColumn);
        const QString minText = model->index(row, MinimumColumn).data(Qt::EditRole).toString();
        const QString maxText = model->index(row, MaximumColumn).data(Qt::EditRole).toString();

        // A switch word is judged as four digits, padded on the left; its digit rows show
        // the digits whether or not they pass.
        const bool hexWord = ParameterConversion::isSwitchCode(code);
        QString text = valueCell.data(Qt::EditRole).toString();
        if (hexWord) {
            spreadSwitchDigits(row);
            text = text.trimmed().rightJustified(4, QLatin1Char('0'));
        }
        const ParameterConversion::EditVerdict verdict = ParameterConversion::judgeValue(code, text, minText, maxText);
        if (!verdict.accepted()) {
            // Nothing was sent: the operation is withdrawn before the box, which holds nothing.
            withdrawTransfer();
            QMessageBox::warning(this, QStringLiteral("error"), QStringLiteral("%1 is error").arg(number),
                                 QMessageBox::Ok);
            return;
        }

        DownloadRow planned;
        planned.row = row;
        planned.address = ParameterConversion::registerAddress(driverFamily, number).toLatin1();
        if (hexWord) {
            model->setData(valueCell, text, Qt::EditRole);
            planned.data = text.toUpper().toLatin1();
        } else {
            model->setData(valueCell, int(verdict.value), Qt::EditRole);
            if (vr && code == 5) {
                const QPair<QString, QString> words = ParameterConversion::encodeWords32(verdict.value);
                planned.address += QByteArrayLiteral("000204");
                planned.data = (words.first + words.second).toLatin1();
                planned.twoRegisters = true;
            } else {
                planned.data = ParameterConversion::encodeWord16(verdict.value).toLatin1();
            }
        }
        plan.append(planned);
    }

    // Write pass.
    downloadRunning = true;
    ui->progressBar->show();
    QVector<QPair<int, bool>> outcomes; // parameter row, acknowledged
    bool interrupted = false;
    for (int position = 0; position < plan.size(); ++position) {
        const DownloadRow &planned = plan.at(position);
        rowCursor = position;
        if (!portOpen) {
            interrupted = true;
            break;
        }
        showProgress(position);
        const bool acknowledged = writeExchange(planned.address, planned.data, planned.twoRegisters,
                                                planned.twoRegisters ? Write32WaitMs : WriteWaitMs);
        if (!acknowledged && !portOpen) {
            // Gone while waiting: whether the drive took the value is unknown; the row keeps its mark.
            interrupted = true;
            break;
        }
        outcomes.append(qMakePair(planned.row, acknowledged));
    }

    // End pass.
    downloadRunning = false;
    ui->progressBar->hide();
    const int failed = markOutcomes(outcomes, tr("已下载"), tr("下载失败"));
    finishTransfer();
    if (entries.isEmpty())
        AnswerBox::warningLater(this, tr("error"), tr("请选择参数"));
    else if (!interrupted)
        reportFailures(failed, tr("%1 个参数下载失败"));
}
