#ifndef PARAMETERDELEGATION_H
#define PARAMETERDELEGATION_H

#include <QStyledItemDelegate>

namespace ParameterConversion {
struct EditVerdict;
}

// The value editor of the parameter table: a line edit on the value cell of parameter rows.
// A committed value is checked against the row's limits by its attribute code; an accepted
// value is stored, spread over the digit rows of a switch word, marked "***" and its row
// checked; a refused one puts the old value back and says why through valueRefused.
class parameterDelegation : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit parameterDelegation(QObject *parent = nullptr);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // Stores `typed` in the value cell of `index` if it passes the row's check; otherwise
    // puts the old value back and emits valueRefused. Returns whether it was accepted.
    bool commitValue(QAbstractItemModel *model, const QModelIndex &index, const QString &typed) const;

    // Why a value was refused, in the editor's words (translated); empty when it was accepted.
    // The window's file loading gives the same reasons.
    static QString refusalReason(const ParameterConversion::EditVerdict &verdict, int code, const QString &minText,
                                 const QString &maxText);

signals:
    // The row's number text and why the typed text was refused (translated).
    void valueRefused(const QString &number, const QString &reason) const;
    // The value cell `index` took a typed value.
    void valueTaken(const QModelIndex &index) const;
};

#endif // PARAMETERDELEGATION_H
