// Motor data files ("Files(*.CBC)"): the value column of the table saved to the PC and
// loaded back for a later download.

#include "encoderdatawindow.h"
#include "ui_encoderdatawindow.h"

#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "cbcfile.h"
#include "drivemodel.h"
#include "filelocations.h"
#include "motordata.h"
#include "treemodel.h"
#include "unreadvalue.h"

namespace {

constexpr int NumberColumn = 1;
constexpr int ValueColumn = 3;
constexpr int MinimumColumn = 5;
constexpr int MaximumColumn = 6;
constexpr int DecimalsColumn = 7;
constexpr int ReportLimit = 20;

using FileLocations::lastFilePath;

} // namespace

// Save writes only a file that Load takes back whole. A row without a value (one that shows
// "not read" after a lost link) or with a value Load would refuse stops the save before a name
// is asked for: nothing is written, and the box names the rows.
bool EncoderdataWindow::refuseUnloadableSave(const QString &text)
{
    QVector<MotorData::Row> table;
    for (int row = 0; row < model->rowCount(); ++row)
        table.append({cell(row, NumberColumn).trimmed().toInt(), QString(), cell(row, MinimumColumn),
                      cell(row, MaximumColumn), cell(row, DecimalsColumn).trimmed().toInt()});
    const CbcFile::Parsed parsed = CbcFile::parse(text, table);
    if (parsed.refused.isEmpty() && parsed.missingRows.isEmpty())
        return false;

    QStringList unread, other;
    for (const CbcFile::Refusal &refusal : parsed.refused) {
        const QStringList parts = refusal.text.split(QLatin1Char(','));
        const QString value = parts.value(1).trimmed();
        if (value.isEmpty() || UnreadValue::isUnread(value))
            unread << parts.value(0).trimmed();
        else if (refusal.problem == CbcFile::Problem::BadValue)
            other << MotorData::describe({parts.value(0).trimmed().toInt(), value, refusal.verdict,
                                          refusal.minimum, refusal.maximum});
        else
            other << refusal.text;
    }
    for (int number : parsed.missingRows)
        other << tr("第 %1 行：无法写入文件").arg(number);
    QStringList report{tr("文件未保存")};
    if (!unread.isEmpty()) {
        const QString shown = unread.mid(0, ReportLimit).join(QStringLiteral(", "))
            + (unread.size() > ReportLimit ? QStringLiteral(", …") : QString());
        report << tr("%1 行没有数值（未读出）：%2").arg(unread.size()).arg(shown);
    }
    report << other.mid(0, ReportLimit);
    if (other.size() > ReportLimit)
        report << QStringLiteral("…");
    QMessageBox::warning(this, tr("error"), report.join(QLatin1Char('\n')), QMessageBox::Ok);
    return true;
}

void EncoderdataWindow::on_pushButton_save_clicked()
{
    const QString stamp = CbcFile::timeStamp(QDateTime::currentDateTime());
    QVector<QPair<QString, QString>> rows;
    for (int row = 0; row < model->rowCount(); ++row)
        rows.append(qMakePair(cell(row, NumberColumn), cell(row, ValueColumn)));
    const QString text = CbcFile::format(stamp, driverModelName,
                                         tr("编号Pn") + QLatin1Char(',') + tr("数值"), rows);
    if (refuseUnloadableSave(text))
        return;

    QString path = QFileDialog::getSaveFileName(this, tr("save file"),
                                                lastFilePath() + stamp + QLatin1Char('-') + tr("EncoderData"),
                                                tr("Files(*.CBC)"));
    if (path.isEmpty())
        return; // cancelled
    const QString named = FileLocations::withSuffix(path, QStringLiteral(".CBC"));
    if (named != path) {
        path = named;
        // The dialog asked about replacing the name as typed, not this one.
        if (QFileInfo::exists(path)
            && QMessageBox::question(this, tr("save file"), tr("%1 已存在，是否替换？").arg(path))
                != QMessageBox::Yes)
            return;
    }
    FileLocations::storeLastFilePath(path);

    QString errorText;
    if (!CbcFile::writeFile(path, text, &errorText)) {
        QMessageBox::warning(this, tr("error"), errorText, QMessageBox::Ok);
        return;
    }
    QMessageBox::information(this, tr("导出数据成功"), tr("信息保存在%1").arg(path), tr("OK"));
}

// Each line gives its row by number; a value goes into its row only when it suits the row.
// Only the rows that took a value are marked, and a file that leaves rows out or holds lines
// that were refused is reported as such.
void EncoderdataWindow::on_pushButton_load_clicked()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("load file"), lastFilePath(), tr("Files(*.CBC)"));
    if (path.isEmpty())
        return; // cancelled
    QString text, errorText;
    if (!CbcFile::readFile(path, &text, &errorText)) {
        QMessageBox::warning(this, tr("error"), errorText, QMessageBox::Ok);
        return;
    }
    QVector<MotorData::Row> table;
    for (int row = 0; row < model->rowCount(); ++row)
        table.append({cell(row, NumberColumn).trimmed().toInt(), QString(), cell(row, MinimumColumn),
                      cell(row, MaximumColumn), cell(row, DecimalsColumn).trimmed().toInt()});
    const CbcFile::Parsed parsed = CbcFile::parse(text, table);
    // The other family's motor data share row numbers with this table's but not their meaning.
    if (DriveModel::isOfOtherFamily(parsed.model, driverChoice)) {
        QMessageBox::warning(this, tr("error"),
                             tr("文件中的驱动器型号 %1 属于另一驱动器系列，未载入任何数值。").arg(parsed.model.trimmed()),
                             QMessageBox::Ok);
        return;
    }
    ui->label_ShowFlieName->setText(path);
    int taken = 0;
    for (const CbcFile::Assignment &assignment : parsed.assignments) {
        if (MotorData::isReadOnly(assignment.rowNumber))
            continue; // shown as the drive holds it; row 46 carries the register
        const int row = rowOfNumber(assignment.rowNumber);
        setSource(row, Source::File);
        setCell(row, ValueColumn, assignment.value);
        setNote(row, Note::Loaded);
        ++taken;
    }
    setStepHint(tr("已从文件导入 %1 行").arg(taken), tr("%1 rows loaded from the file").arg(taken));
    if (parsed.refused.isEmpty() && parsed.missingRows.isEmpty())
        return;

    QStringList report{tr("文件出错"), tr("已导入 %1 行。").arg(taken)};
    if (!parsed.refused.isEmpty())
        report << CbcFile::describe(parsed.refused, ReportLimit);
    if (!parsed.missingRows.isEmpty()) {
        QStringList missing;
        for (int number : parsed.missingRows.mid(0, ReportLimit))
            missing << QString::number(number);
        if (parsed.missingRows.size() > ReportLimit)
            missing << QStringLiteral("…");
        report << tr("文件中没有以下 %1 行，保持原值：%2")
                      .arg(QString::number(parsed.missingRows.size()), missing.join(QStringLiteral(", ")));
    }
    QMessageBox::warning(this, tr("error"), report.join(QLatin1Char('\n')), QMessageBox::Ok);
}
