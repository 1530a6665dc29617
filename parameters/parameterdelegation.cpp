#include "parameterdelegation.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>

#include "parameterconversion.h"

using namespace ParameterConversion;

namespace {

constexpr int NumberColumn = 0;
constexpr int ValueColumn = 2;
constexpr int MinimumColumn = 3;
constexpr int MaximumColumn = 4;
constexpr int AttributeColumn = 7;
constexpr int StatusColumn = 8;

QModelIndex cell(const QAbstractItemModel *model, const QModelIndex &index, int column)
{
    return model->index(index.row(), column, index.parent());
}

} // namespace

parameterDelegation::parameterDelegation(QObject *parent)
    : QStyledItemDelegate(parent)
{
}

QWidget *parameterDelegation::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                           const QModelIndex &index) const
{
    if (index.column() != ValueColumn || index.parent().isValid())
        return nullptr;
    auto *editor = new QLineEdit(parent);
    editor->setStyleSheet(QStringLiteral("background-color: rgb(255, 0, 0);"));
    return editor;
}

void parameterDelegation::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *line = qobject_cast<QLineEdit *>(editor);
    if (!line)
        return;
    QString text = index.data(Qt::EditRole).toString();
    const int code = attributeCode(cell(index.model(), index, AttributeColumn).data(Qt::EditRole));
    if (isSwitchCode(code))
        text = switchDigits(text);
    line->setText(text);
}

void parameterDelegation::setModelData(QWidget *editor, QAbstractItemModel *model,
                                       const QModelIndex &index) const
{
    auto *line = qobject_cast<QLineEdit *>(editor);
    if (!line)
        return;
    commitValue(model, index, line->text());
}

void parameterDelegation::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);

    // The hover rule of the table's style sheet paints the row with a gradient, and the style
    // fills the check box of that row with the gradient brush's colour: black, so an unchecked
    // box under the mouse looked checked. The box is drawn once more in the view's own colours.
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    if (!(opt.features & QStyleOptionViewItem::HasCheckIndicator) || !(opt.state & QStyle::State_MouseOver))
        return;
    const QWidget *widget = opt.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    QStyleOptionViewItem check = opt;
    check.rect = style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opt, widget);
    check.state &= ~QStyle::State_HasFocus;
    switch (opt.checkState) {
    case Qt::Unchecked:
        check.state |= QStyle::State_Off;
        break;
    case Qt::PartiallyChecked:
        check.state |= QStyle::State_NoChange;
        break;
    case Qt::Checked:
        check.state |= QStyle::State_On;
        break;
    }
    style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &check, painter, widget);
}

bool parameterDelegation::commitValue(QAbstractItemModel *model, const QModelIndex &index,
                                      const QString &typed) const
{
    const QVariant oldValue = index.data(Qt::EditRole);
    const int code = attributeCode(cell(index.model(), index, AttributeColumn).data(Qt::EditRole));
    const QString minText = cell(model, index, MinimumColumn).data(Qt::EditRole).toString();
    const QString maxText = cell(model, index, MaximumColumn).data(Qt::EditRole).toString();

    const EditVerdict verdict = judgeValue(code, typed, minText, maxText);
    if (!verdict.accepted()) {
        model->setData(index, oldValue, Qt::EditRole);
        const QString number = cell(model, index, NumberColumn).data(Qt::EditRole).toString().simplified();
        emit valueRefused(number, refusalReason(verdict, code, minText, maxText));
        return false;
    }

    const QModelIndex numberIndex = cell(model, index, NumberColumn);
    if (isSwitchCode(code)) {
        // "Bit0" takes the rightmost digit, "Bit3" the leftmost.
        for (int bit = 0; bit < 4; ++bit) {
            const QModelIndex digitRow = model->index(bit, ValueColumn, numberIndex);
            if (digitRow.isValid())
                model->setData(digitRow, QString(verdict.text.at(3 - bit)), Qt::EditRole);
        }
    }
    model->setData(index, verdict.text, Qt::EditRole);
    model->setData(cell(model, index, StatusColumn), tr("***"), Qt::EditRole);
    model->setData(numberIndex, static_cast<int>(Qt::Checked), Qt::CheckStateRole);
    emit valueTaken(index);
    return true;
}

QString parameterDelegation::refusalReason(const EditVerdict &verdict, int code, const QString &minText,
                                           const QString &maxText)
{
    switch (verdict.fault) {
    case EditFault::None:
        break;
    case EditFault::NotFourCharacters:
        return tr("开关量须为四位十六进制数字");
    case EditFault::NotHexDigit:
        return tr("Bit%1 不是十六进制数字").arg(verdict.digit);
    case EditFault::DigitOutOfRange: {
        const int position = 3 - verdict.digit;
        return tr("Bit%1 须在 %2 与 %3 之间")
            .arg(verdict.digit)
            .arg(QString::number(limitDigit(minText, position), 16).toUpper(),
                 QString::number(limitDigit(maxText, position), 16).toUpper());
    }
    case EditFault::NotDecimal:
        return tr("数值须为十进制整数");
    case EditFault::OutsideKind:
    case EditFault::OutOfRange: {
        // The row's own limits are what the user has to meet; the register's range is named
        // only for a row whose limits are not given.
        const QString minimum = minText.simplified();
        const QString maximum = maxText.simplified();
        if (!minimum.isEmpty() && !maximum.isEmpty())
            return tr("数值须在 %1 与 %2 之间").arg(minimum, maximum);
        const QPair<qint64, qint64> kind = kindRange(code);
        return tr("数值须在 %1 与 %2 之间").arg(kind.first).arg(kind.second);
    }
    }
    return QString();
}

void parameterDelegation::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                               const QModelIndex &) const
{
    editor->setGeometry(option.rect);
}
