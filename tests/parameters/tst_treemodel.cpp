// The tree model over a catalogue text: how lines become rows, and the check-state list.

#include <QtTest>

#include "treeitem.h"
#include "treemodel.h"

namespace {

const QStringList kHeaders{ "h0", "h1", "h2", "h3", "h4", "h5", "h6", "h7", "h8" };

// A parameter with four digit rows, an empty line after every row, CR LF line ends.
QString switchWordText()
{
    QString text = QStringLiteral("PA000               \t\t\tName\t\t0000\t\t0000\t\t11D1\t\t0000\t\tbit\t\t0\r\n\r\n");
    for (int bit = 0; bit < 4; ++bit)
        text += QStringLiteral("    Bit%1\t\tmeaning\t\t0\t\t -  \t\t -  \t\t -  \t\tbit\r\n\r\n").arg(bit);
    return text + QStringLiteral("PA001               \t\t\tOther\t\t0000\t\t0\t\t5\t\t0\t\t-\t\t2\r\n\r\n");
}

QStringList columnTexts(const TreeModel &model, const QModelIndex &index)
{
    QStringList texts;
    for (int c = 0; c < model.columnCount(); ++c) {
        const QVariant v = model.data(model.index(index.row(), c, index.parent()), Qt::EditRole);
        texts << (v.isValid() ? v.toString() : QStringLiteral("<invalid>"));
    }
    return texts;
}

} // namespace

class TestTreeModel : public QObject
{
    Q_OBJECT

private slots:
    void shape_data();
    void shape();
    void fields();
    void checkingARowChecksItsSubtree();
    void treeItemBounds();
};

// Each text gives, per top-level row, its child count.
void TestTreeModel::shape_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("children");

    QTest::newRow("empty text") << QString() << QList<int>{};
    QTest::newRow("blank lines only") << QStringLiteral("\r\n   \r\n\t\r\n") << QList<int>{};
    QTest::newRow("switch word and plain row") << switchWordText() << QList<int>{ 4, 0 };
    QTest::newRow("first line indented is top level") << QStringLiteral("    A\tx\nB\ty\n") << QList<int>{ 0, 0 };
    QTest::newRow("back to top level after children") << QStringLiteral("A\n    a1\n    a2\nB\n") << QList<int>{ 2, 0 };
    QTest::newRow("half indentation after children is top level") << QStringLiteral("A\n    a1\n  B\n") << QList<int>{ 1, 0 };
    QTest::newRow("leading tabs are no indentation") << QStringLiteral("A\n\t\ta\tb\n") << QList<int>{ 0, 0 };
    QTest::newRow("two levels deep") << QStringLiteral("A\n    a\n        x\nB\n") << QList<int>{ 1, 0 };
}

void TestTreeModel::shape()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, children);

    TreeModel model(kHeaders, text);
    QCOMPARE(model.rowCount(), children.size());
    for (int row = 0; row < children.size(); ++row)
        QCOMPARE(model.rowCount(model.index(row, 0)), children.at(row));
}

// Fields keep their blanks, tab runs separate them, surplus fields are dropped and missing
// ones stay invalid.
void TestTreeModel::fields()
{
    TreeModel model(kHeaders, switchWordText());
    QCOMPARE(columnTexts(model, model.index(0, 0)),
             (QStringList{ "PA000               ", "Name", "0000", "0000", "11D1", "0000", "bit", "0", "<invalid>" }));
    QCOMPARE(columnTexts(model, model.index(2, 0, model.index(0, 0))),
             (QStringList{ "Bit2", "meaning", "0", " -  ", " -  ", " -  ", "bit", "<invalid>", "<invalid>" }));

    TreeModel tabs(kHeaders, QStringLiteral("\t\tA\t\t\tB\r\n"));
    QCOMPARE(columnTexts(tabs, tabs.index(0, 0)).mid(0, 3), (QStringList{ "A", "B", "<invalid>" }));

    TreeModel surplus(kHeaders, QStringLiteral("0\t1\t2\t3\t4\t5\t6\t7\t8\t9\n"));
    QCOMPARE(surplus.data(surplus.index(0, 8), Qt::DisplayRole).toString(), QStringLiteral("8"));
    QVERIFY(!surplus.data(surplus.index(0, 9), Qt::DisplayRole).isValid());

    // Edits go through the edit role and announce the change; no column beyond the last.
    QSignalSpy changed(&model, &TreeModel::dataChanged);
    QVERIFY(model.setData(model.index(1, 2, model.index(0, 0)), QStringLiteral("D")));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(model.data(model.index(1, 2, model.index(0, 0)), Qt::EditRole).toString(), QStringLiteral("D"));
    QVERIFY(!model.setData(model.index(0, 9), QStringLiteral("x")));
    // Held changes are kept and announced once, for every row, when the last hold goes.
    changed.clear();
    model.holdChanges();
    model.holdChanges();
    QVERIFY(model.setData(model.index(1, 2), QStringLiteral("E")));
    model.releaseChanges();
    QCOMPARE(changed.count(), 0);
    model.releaseChanges();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().at(1).toModelIndex(), model.index(model.rowCount() - 1, model.columnCount() - 1));
    QCOMPARE(model.data(model.index(1, 2), Qt::EditRole).toString(), QStringLiteral("E"));
    model.releaseChanges(); // one release too many announces nothing
    QCOMPARE(changed.count(), 1);
    // Blue: the values of the top level only.
    QCOMPARE(model.data(model.index(1, 2), Qt::ForegroundRole).value<QColor>(), QColor(QStringLiteral("#0055ff")));
    for (const QModelIndex &other : {model.index(1, 3), model.index(1, 1), model.index(0, 2, model.index(0, 0))})
        QVERIFY(!model.data(other, Qt::ForegroundRole).isValid());
}

void TestTreeModel::checkingARowChecksItsSubtree()
{
    TreeModel model(kHeaders, switchWordText());
    const QModelIndex pa000 = model.index(0, 0);
    QSignalSpy changed(&model, &TreeModel::dataChanged);

    QVERIFY(!model.setData(pa000, Qt::Checked, Qt::CheckStateRole)); // the role always answers false
    QCOMPARE(model.checkedIndexes.size(), 5);
    QCOMPARE(QModelIndex(model.checkedIndexes.at(0)), pa000);
    for (int bit = 0; bit < 4; ++bit)
        QCOMPARE(QModelIndex(model.checkedIndexes.at(bit + 1)), model.index(bit, 0, pa000));
    QCOMPARE(changed.count(), 5);
    QCOMPARE(model.data(pa000, Qt::CheckStateRole).toInt(), int(Qt::Checked));
    QCOMPARE(model.data(model.index(1, 0), Qt::CheckStateRole).toInt(), int(Qt::Unchecked));

    // A second check adds nothing, an uncheck takes the subtree off, other columns have no box.
    changed.clear();
    model.setData(pa000, Qt::Checked, Qt::CheckStateRole);
    model.setData(model.index(1, 0, pa000), Qt::Checked, Qt::CheckStateRole);
    QCOMPARE(model.checkedIndexes.size(), 5);
    QCOMPARE(changed.count(), 0);
    model.setData(pa000, Qt::Unchecked, Qt::CheckStateRole);
    QVERIFY(model.checkedIndexes.isEmpty());
    QVERIFY(!model.setData(model.index(0, 2), Qt::Checked, Qt::CheckStateRole));
    QVERIFY(model.checkedIndexes.isEmpty());
}

// Out-of-range rows and columns are refused, not dereferenced.
void TestTreeModel::treeItemBounds()
{
    TreeItem root(QVector<QVariant>(3));
    QVERIFY(!root.insertChildren(1, 1, 3));
    QVERIFY(root.insertChildren(0, 2, 3));
    QVERIFY(!root.child(2));
    QVERIFY(!root.child(-1));
    QVERIFY(!root.setData(3, 1));
    QVERIFY(!root.data(-1).isValid());

    TreeModel model(kHeaders, switchWordText());
    QVERIFY(!model.index(model.rowCount(), 0).isValid());
    QVERIFY(!model.index(-1, 0).isValid());
    QCOMPARE(model.parent(model.index(3, 4, model.index(0, 0))), model.index(0, 0));
}

QTEST_GUILESS_MAIN(TestTreeModel)
#include "tst_treemodel.moc"
