#include "encoderdelegation.h"

#include <QDoubleValidator>
#include <QIntValidator>
#include <QLineEdit>

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
    QValidator *validator = nullptr;
    switch (decimals) {
    case 0: validator = new QIntValidator(0, 65535); break;
    case 1: validator = new QDoubleValidator(0.0, 6554.0, 1); break;
    case 2: validator = new QDoubleValidator(0.0, 656.0, 2); break;
    case 3: validator = new QDoubleValidator(0.0, 70.0, 3); break;
    default: return nullptr;
    }
    auto *editor = new QLineEdit(parent);
    editor->setStyleSheet(QStringLiteral("background-color: rgb(255, 0, 0);"));
    if (auto *numbers = qobject_cast<QDoubleValidator *>(validator)) {
        numbers->setNotation(QDoubleValidator::StandardNotation);
        // A decimal point, whatever the system's locale says.
        numbers->setLocale(QLocale::c());
    }
    validator->setParent(editor);
    editor->setValidator(validator);
    return editor;
}

void encoderDelegation::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        line->setText(index.data(Qt::EditRole).toString());
}

void encoderDelegation::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        commitValue(model, index, line->text());
}

void encoderDelegation::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                             const QModelIndex &) const
{
    editor->setGeometry(option.rect);
}

bool encoderDelegation::commitValue(QAbstractItemModel *model, const QModelIndex &index, const QString &typed)
{
    const QString old = index.data(Qt::EditRole).toString();
    const int rowNumber = cell(index, NumberColumn).trimmed().toInt();
    if (MotorData::isReadOnly(rowNumber))
        return false;
    const MotorData::Verdict verdict = MotorData::judge(rowNumber, typed, cell(index, MinimumColumn),
                                                        cell(index, MaximumColumn),
                                                        cell(index, DecimalsColumn).trimmed().toInt());
    if (verdict != MotorData::Verdict::Accepted) {
        model->setData(index, old, Qt::EditRole);
        return false;
    }
    model->setData(index, typed, Qt::EditRole);
    model->setData(index.sibling(index.row(), StatusColumn), tr("***"), Qt::EditRole);
    return true;
}
