#ifndef TREEITEM_H
#define TREEITEM_H

#include <QList>
#include <QVariant>
#include <QVector>

// One row of a TreeModel: its column values, its child rows (owned) and its parent (not owned).
class TreeItem
{
public:
    explicit TreeItem(const QVector<QVariant> &data, TreeItem *parent = nullptr);
    ~TreeItem();

    TreeItem(const TreeItem &) = delete;
    TreeItem &operator=(const TreeItem &) = delete;

    TreeItem *child(int number);
    int childCount() const;
    int columnCount() const;
    QVariant data(int column) const;
    bool setData(int column, const QVariant &value);
    bool insertChildren(int position, int count, int columns);
    int row() const;
    TreeItem *parentItem();

private:
    QList<TreeItem *> childItems;
    QVector<QVariant> itemData;
    TreeItem *parent;
};

#endif // TREEITEM_H
