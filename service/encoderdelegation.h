#ifndef ENCODERDELEGATION_H
#define ENCODERDELEGATION_H

#include <QStyledItemDelegate>

// The value editor of the motor and encoder data table: a line edit on the value column of a
// row, with a validator by the row's decimals. A committed value is stored as typed and the
// row marked "***" when it passes the row's check; otherwise the cell keeps its old text.
class encoderDelegation : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit encoderDelegation(QObject *parent = nullptr);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

    // Stores `typed` in the value cell of `index` when it passes the row's check; returns
    // whether it did.
    static bool commitValue(QAbstractItemModel *model, const QModelIndex &index, const QString &typed);
};

#endif // ENCODERDELEGATION_H
