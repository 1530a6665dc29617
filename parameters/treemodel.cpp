#include "treemodel.h"

#include <QColor>

#include "treeitem.h"

TreeModel::TreeModel(const QStringList &headers, const QString &data, QObject *parent)
    : QAbstractItemModel(parent)
{
    QVector<QVariant> rootData;
    rootData.reserve(headers.size());
    for (const QString &header : headers)
        rootData << header;
    rootItem = new TreeItem(rootData);
    setupModelData(data.split(QLatin1Char('\n')), rootItem);
}

TreeModel::~TreeModel()
{
    delete rootItem;
}

TreeItem *TreeModel::getItem(const QModelIndex &index) const
{
    if (index.isValid()) {
        auto *item = static_cast<TreeItem *>(index.internalPointer());
        if (item)
            return item;
    }
    return rootItem;
}

QModelIndex TreeModel::index(int row, int column, const QModelIndex &parent) const
{
    TreeItem *parentItem = getItem(parent);
    TreeItem *childItem = parentItem->child(row);
    if (childItem)
        return createIndex(row, column, childItem);
    return QModelIndex();
}

QModelIndex TreeModel::parent(const QModelIndex &index) const
{
    if (!index.isValid())
        return QModelIndex();
    TreeItem *parentItem = getItem(index)->parentItem();
    if (!parentItem || parentItem == rootItem)
        return QModelIndex();
    return createIndex(parentItem->row(), 0, parentItem);
}

int TreeModel::rowCount(const QModelIndex &parent) const
{
    return getItem(parent)->childCount();
}

int TreeModel::columnCount(const QModelIndex &) const
{
    return rootItem->columnCount();
}

QVariant TreeModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();

    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return getItem(index)->data(index.column());
    case Qt::ForegroundRole:
        // The value column of top-level rows is drawn in blue.
        if (index.column() == 2 && !index.parent().isValid())
            return QColor(QStringLiteral("#0055ff"));
        return QVariant();
    case Qt::CheckStateRole:
        if (index.column() != 0)
            return QVariant();
        for (const QPersistentModelIndex &checked : checkedIndexes) {
            if (checked == index)
                return static_cast<int>(Qt::Checked);
        }
        return static_cast<int>(Qt::Unchecked);
    default:
        return QVariant();
    }
}

bool TreeModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role == Qt::EditRole) {
        if (!index.isValid())
            return false;
        if (!getItem(index)->setData(index.column(), value))
            return false;
        if (changesHeld > 0)
            changedWhileHeld = true;
        else
            emit dataChanged(index, index);
        return true;
    }

    if (role != Qt::CheckStateRole || !index.isValid() || index.column() != 0)
        return false;

    const int state = value.toInt();
    if (state == Qt::Unchecked) {
        for (int i = 0; i < checkedIndexes.size(); ++i) {
            if (checkedIndexes.at(i) == index) {
                checkedIndexes.removeAt(i);
                break;
            }
        }
        emit dataChanged(index, index);
    } else if (state == Qt::Checked) {
        for (const QPersistentModelIndex &checked : checkedIndexes) {
            if (checked == index)
                return false;
        }
        checkedIndexes.append(QPersistentModelIndex(index));
        emit dataChanged(index, index);
    }

    // The state passes on to the whole subtree, each child right behind its parent.
    const int children = rowCount(index);
    for (int row = 0; row < children; ++row)
        setData(this->index(row, 0, index), value, Qt::CheckStateRole);
    return false;
}

QVariant TreeModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return rootItem->data(section);
    return QVariant();
}

Qt::ItemFlags TreeModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags result = QAbstractItemModel::flags(index) | Qt::ItemIsEditable;
    if (index.column() == 0)
        result |= Qt::ItemIsUserCheckable;
    return result;
}

void TreeModel::setupModelData(const QStringList &lines, TreeItem *parent)
{
    QList<TreeItem *> parents;
    QList<int> indentations;
    parents << parent;
    indentations << 0;

    for (const QString &line : lines) {
        int position = 0;
        while (position < line.length() && line.at(position) == QLatin1Char(' '))
            ++position;

        const QString lineData = line.mid(position).trimmed();
        if (lineData.isEmpty())
            continue;

        // Any run of tabs is one separator; a field keeps the blanks inside and around it.
        const QStringList columnStrings = lineData.split(QLatin1Char('\t'), Qt::SkipEmptyParts);

        if (position > indentations.last()) {
            // Deeper than the line before: the new row hangs under the last row read, if any.
            if (parents.last()->childCount() > 0) {
                parents << parents.last()->child(parents.last()->childCount() - 1);
                indentations << position;
            }
        } else {
            while (position < indentations.last() && parents.count() > 0) {
                parents.pop_back();
                indentations.pop_back();
            }
        }

        TreeItem *owner = parents.last();
        owner->insertChildren(owner->childCount(), 1, rootItem->columnCount());
        TreeItem *row = owner->child(owner->childCount() - 1);
        for (int column = 0; column < columnStrings.size(); ++column)
            row->setData(column, columnStrings.at(column));
    }
}

void TreeModel::holdChanges()
{
    ++changesHeld;
}

void TreeModel::releaseChanges()
{
    if (changesHeld == 0 || --changesHeld > 0 || !changedWhileHeld)
        return;
    changedWhileHeld = false;
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}
