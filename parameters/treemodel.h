#ifndef TREEMODEL_H
#define TREEMODEL_H

#include <QAbstractItemModel>
#include <QList>
#include <QPersistentModelIndex>
#include <QStringList>

class TreeItem;

// A checkable tree over a catalogue text: one line per row, fields separated by runs of tabs,
// child rows indented by blanks deeper than their parent. Column 0 carries the check box; the
// checked rows are kept, in the order they were checked, in checkedIndexes.
class TreeModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    TreeModel(const QStringList &headers, const QString &data, QObject *parent = nullptr);
    ~TreeModel() override;

    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &index) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    TreeItem *getItem(const QModelIndex &index) const;

    // While changes are held, a value set is announced to no view; the release announces every
    // row at once. A transfer that sets a few cells per row would otherwise have each view take
    // each cell in turn, at a greater cost than the exchange with the drive.
    void holdChanges();
    void releaseChanges();

    // The checked rows (column-0 indexes, any level), in checking order. Windows may read,
    // clear and append to it directly.
    QList<QPersistentModelIndex> checkedIndexes;

private:
    void setupModelData(const QStringList &lines, TreeItem *parent);

    TreeItem *rootItem;
    int changesHeld = 0;
    bool changedWhileHeld = false;
};

#endif // TREEMODEL_H
