#ifndef ENCODERDELEGATION_H
#define ENCODERDELEGATION_H

#include <QStyledItemDelegate>

// The value editor of the motor and encoder data table: a line edit on the value column of a
// row that takes a sign, digits and a decimal point, as many as are typed. Return (or leaving
// the field) always commits, so the row's check decides: a value that passes is stored as typed
// and the row marked "***"; otherwise the cell keeps its old text and valueRefused names the
// row's limits. The read-only reserved rows say in their tool tip why they cannot be edited.
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

    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

    // Stores `typed` in the value cell of `index` when it passes the row's check; returns
    // whether it did. `why`, when given, gets the reason of a refusal with the row's limits.
    static bool commitValue(QAbstractItemModel *model, const QModelIndex &index, const QString &typed,
                            QString *why = nullptr);
    // The tool tip of a row that cannot be edited (empty for the others).
    static QString readOnlyReason(int rowNumber);

signals:
    // A committed value the row's check refused: the reason, naming the row and its limits.
    void valueRefused(const QString &reason) const;
};

#endif // ENCODERDELEGATION_H
