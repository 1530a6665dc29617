#include "encoderdelegation.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QToolTip>

#include "motordata.h"

namespace {

constexpr int NumberColumn = 1;
constexpr int ValueColumn = 3;
constexpr int MinimumColumn = 5;
constexpr int MaximumColumn = 6;
constexpr int DecimalsColumn = 7;
constexpr int StatusColumn = 8;

QString cell(const QModelIndex &index, int column)
{
    return index.sibling(index.row(), column).data(Qt::EditRole).toString();
}

} // namespace

encoderDelegation::encoderDelegation(QObject *parent)
    : QStyledItemDelegate(parent)
{
}

QWidget *encoderDelegation::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const
{
    if (!index.isValid() || index.column() != ValueColumn || index.parent().isValid()
        || MotorData::isReadOnly(cell(index, NumberColumn).trimmed().toInt()))
        return nullptr;
    const int decimals = cell(index, DecimalsColumn).trimmed().toInt();
    if (decimals < 0 || decimals > 3)
        return nullptr;
    auto *editor = new QLineEdit(parent);
    editor->setStyleSheet(QStringLiteral("background-color: rgb(255, 0, 0);"));
    // Only the characters of a number are taken while typing (a decimal point whatever the
    // system's locale says), never a count of them: a digit or a decimal too many is kept, not
    // dropped, so that the text commits as typed and the row's check refuses it with the row's
    // limits, rather than a shortened number being taken or left in an editor that ignores
    // Return and drops the text when it closes.
    static const QRegularExpression shape(QStringLiteral("-?\\d*\\.?\\d*"));
    editor->setValidator(new QRegularExpressionValidator(shape, editor));
    return editor;
}

void encoderDelegation::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        line->setText(index.data(Qt::EditRole).toString());
}

void encoderDelegation::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    auto *line = qobject_cast<QLineEdit *>(editor);
    QString why;
    if (line && !commitValue(model, index, line->text(), &why) && !why.isEmpty())
        emit valueRefused(why);
}

QString encoderDelegation::readOnlyReason(int rowNumber)
{
    if (!MotorData::isReadOnly(rowNumber))
        return QString();
    return tr("只读：驱动器在寄存器0F21中只保存一个值，由第46行写入；本行显示同一寄存器");
}

bool encoderDelegation::helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                                  const QModelIndex &index)
{
    const QString reason = readOnlyReason(cell(index, NumberColumn).trimmed().toInt());
    if (event->type() == QEvent::ToolTip && index.isValid() && !reason.isEmpty()) {
        QToolTip::showText(event->globalPos(), reason, view);
        return true;
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

void encoderDelegation::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                             const QModelIndex &) const
{
    editor->setGeometry(option.rect);
}

bool encoderDelegation::commitValue(QAbstractItemModel *model, const QModelIndex &index, const QString &typed,
                                    QString *why)
{
    const QString old = index.data(Qt::EditRole).toString();
    const int rowNumber = cell(index, NumberColumn).trimmed().toInt();
    if (MotorData::isReadOnly(rowNumber))
        return false;
    // An editor closed on what the row holds (Return on it untouched, a click elsewhere), or on
    // the same number written otherwise, changes nothing: the value, its note and where it came
    // from stay as they were, and "not read" left as it was is no refused value either.
    if (typed == old)
        return true;
    const QString minimum = cell(index, MinimumColumn);
    const QString maximum = cell(index, MaximumColumn);
    const int decimals = cell(index, DecimalsColumn).trimmed().toInt();
    qint64 units = 0;
    const MotorData::Verdict verdict = MotorData::judge(rowNumber, typed, minimum, maximum, decimals, &units);
    if (verdict != MotorData::Verdict::Accepted) {
        model->setData(index, old, Qt::EditRole);
        if (why)
            *why = MotorData::describe({rowNumber, typed, verdict, minimum, maximum});
        return false;
    }
    qint64 heldUnits = -1;
    if (MotorData::judge(rowNumber, old, minimum, maximum, decimals, &heldUnits) == MotorData::Verdict::Accepted
        && heldUnits == units)
        return true;
    model->setData(index, typed, Qt::EditRole);
    model->setData(index.sibling(index.row(), StatusColumn), tr("***"), Qt::EditRole);
    return true;
}
