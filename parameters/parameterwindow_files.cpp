// The parameter window's files and its side of the compare window: saving the table to a
// parameter file, loading one back into the value column, and the names and values the
// compare window asks for.

#include "parameterwindow.h"
#include "ui_parameterwindow.h"

#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QTreeView>

#include "filelocations.h"
#include "parameterconversion.h"
#include "parametercsvfile.h"
#include "parameterdelegation.h"
#include "treemodel.h"
#include "unreadvalue.h"

namespace {

constexpr int NumberColumn = 0;
constexpr int NameColumn = 1;
constexpr int ValueColumn = 2;
constexpr int MinimumColumn = 3;
constexpr int MaximumColumn = 4;
constexpr int AttributeColumn = 7;
constexpr int StatusColumn = 8;

// How many refused lines or missing numbers a report names before it only counts the rest.
constexpr int ReportLimit = 20;

using FileLocations::lastFilePath;
using FileLocations::storeLastFilePath;

QString cellText(const TreeModel &model, int row, int column)
{
    return model.index(row, column).data(Qt::EditRole).toString();
}

// Why a loaded value does not suit its row, in the value editor's words; empty when it does.
QString valueRefusal(const TreeModel &model, int row, const QString &value)
{
    using namespace ParameterConversion;
    const int code = attributeCode(model.index(row, AttributeColumn).data(Qt::EditRole));
    const QString minText = cellText(model, row, MinimumColumn);
    const QString maxText = cellText(model, row, MaximumColumn);
    return parameterDelegation::refusalReason(judgeValue(code, value, minText, maxText), code, minText, maxText);
}

} // namespace

// A row whose value is not known (not read over the present link, or empty) has nothing Load
// could take back: such a table is not saved at all, rather than saved with words for values.
void parameterWindow::on_pushButton_Save_clicked()
{
    QStringList valueless;
    const int rowCount = parameterRowCount();
    for (int row = 0; row < rowCount; ++row) {
        const QString value = cellText(*model, row, ValueColumn);
        if (UnreadValue::isUnread(value) || value.trimmed().isEmpty())
            valueless << ParameterCsv::numberKey(cellText(*model, row, NumberColumn));
    }
    if (!valueless.isEmpty()) {
        QStringList named = valueless.mid(0, ReportLimit);
        if (valueless.size() > ReportLimit)
            named << QStringLiteral("…");
        QMessageBox::warning(this, QStringLiteral("error"),
                             tr("%n 个参数没有数值（未读出），文件未保存。请先上传或输入这些参数的数值：%1", nullptr,
                                valueless.size())
                                 .arg(named.join(QStringLiteral(", "))));
        return;
    }

    const QString folder = lastFilePath();
    const QString stamp = ParameterCsv::timeStamp(QDateTime::currentDateTime());
    QString path = QFileDialog::getSaveFileName(
        this, tr("save file"), folder + stamp + driverModelName + QLatin1Char('-') + tr("Parameter"),
        tr("Files(*.csv)"));
    if (path.isEmpty())
        return; // cancelled

    const QString named = FileLocations::withSuffix(path, QStringLiteral(".csv"));
    if (named != path) {
        path = named;
        // The dialog asked about replacing the name as typed, not this one.
        if (QFileInfo::exists(path)
            && QMessageBox::question(this, tr("save file"), tr("%1 已存在，是否替换？").arg(path))
                != QMessageBox::Yes)
            return;
    }
    storeLastFilePath(path);

    QVector<ParameterCsv::Entry> rows;
    if (model) {
        const int count = model->rowCount();
        rows.reserve(count);
        for (int row = 0; row < count; ++row)
            rows.append({cellText(*model, row, NumberColumn), cellText(*model, row, ValueColumn), 0});
    }

    QString errorText;
    if (!ParameterCsv::writeFile(path, stamp, driverModelName, tr("编号") + QLatin1Char(',') + tr("数值"), rows,
                                 &errorText))
        QMessageBox::warning(this, QStringLiteral("error"), errorText);
}

void parameterWindow::on_pushButton_Load_clicked()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("load file"), lastFilePath(), tr("Files(*.csv)"));
    if (path.isEmpty())
        return; // cancelled

    ParameterCsv::ParsedFile parsed;
    QString errorText;
    if (!ParameterCsv::readFile(path, &parsed, &errorText)) {
        QMessageBox::warning(this, QStringLiteral("error"), errorText);
        return;
    }
    storeLastFilePath(path);
    if (!model)
        return;
    // The other family's parameters share numbers with this table's but not their meaning.
    if (ParameterCsv::modelOfOtherFamily(parsed.model, driverFamily)) {
        QMessageBox::warning(this, QStringLiteral("error"),
                             tr("文件中的驱动器型号 %1 属于另一驱动器系列，未载入任何参数。").arg(parsed.model));
        return;
    }

    QStringList numbers;
    const int count = model->rowCount();
    for (int row = 0; row < count; ++row)
        numbers << cellText(*model, row, NumberColumn);
    const TreeModel &table = *model;
    const ParameterCsv::LoadPlan plan = ParameterCsv::matchToTable(
        parsed, numbers, [&table](int row, const QString &value) { return valueRefusal(table, row, value); });

    // The rows that took a value from the file are marked loaded, those whose value was
    // refused are marked so (and keep their value); rows the file does not name keep theirs.
    // A loaded value is the user's, not the drive's, even where it equals the value read: a lost
    // link does not take it away.
    for (const ParameterCsv::Assignment &assignment : plan.assignments) {
        if (assignment.row < driveValueTexts.size()) {
            driveValueTexts[assignment.row] = QString();
            typedOrLoaded[assignment.row] = true;
        }
        model->setData(model->index(assignment.row, ValueColumn), assignment.value, Qt::EditRole);
        model->setData(model->index(assignment.row, StatusColumn), tr("已导入"), Qt::EditRole);
        spreadSwitchDigits(assignment.row);
    }
    for (int row : plan.refusedRows)
        model->setData(model->index(row, StatusColumn), tr("未导入"), Qt::EditRole);
    // The title names the file the table's values came from: a file that gave none does not.
    if (!plan.assignments.isEmpty())
        setWindowTitle(tr("ParameterWindow") + QLatin1Char('-') + path);

    if (plan.refused.isEmpty() && plan.rowsNotInFile.isEmpty())
        return;
    QStringList report;
    report << tr("文件出错") << tr("已导入 %n 个参数。", nullptr, plan.assignments.size());
    if (!plan.refused.isEmpty())
        report << ParameterCsv::describe(plan.refused, ReportLimit);
    if (!plan.rowsNotInFile.isEmpty()) {
        QStringList missing;
        for (int row : plan.rowsNotInFile.mid(0, ReportLimit))
            missing << ParameterCsv::numberKey(numbers.at(row));
        if (plan.rowsNotInFile.size() > ReportLimit)
            missing << QStringLiteral("…");
        report << tr("文件中没有以下 %n 个参数，未导入：%1", nullptr, plan.rowsNotInFile.size())
                      .arg(missing.join(QStringLiteral(", ")));
    }
    QMessageBox::warning(this, QStringLiteral("error"), report.join(QLatin1Char('\n')));
}

void parameterWindow::on_pushButton_Compare_clicked()
{
    // The online comparison is offered once the full first read has brought the drive's values.
    emit isOnLine(!firstRead);
    emit showCompareWindow();
    ui->treeView->setFocus();
}

// Walks its own row counter: a transfer that is waiting for the drive keeps its row cursor.
void parameterWindow::matchingName(QString number)
{
    if (!model)
        return;
    const QString wanted = ParameterCsv::numberKey(number);
    const int count = model->rowCount();
    for (int row = 0; row < count; ++row) {
        if (ParameterCsv::numberKey(cellText(*model, row, NumberColumn)) == wanted) {
            emit sendMatchName(cellText(*model, row, NameColumn));
            return;
        }
    }
}

void parameterWindow::OnlineMatchData()
{
    onlineValues.clear();
    QVector<QString> numbers;
    const int count = model ? model->rowCount() : 0;
    for (int row = 0; row < count; ++row) {
        numbers.append(cellText(*model, row, NumberColumn));
        onlineValues.append(cellText(*model, row, ValueColumn));
    }
    emit sendMatchOnlineNumbers(numbers);
    emit sendMatchOnlineData(onlineValues);
}
