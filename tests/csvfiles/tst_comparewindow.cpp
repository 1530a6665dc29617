// The compare window: files loaded through its file dialogs (answered by the modal-box
// answerer), a stand-in for the parameter window answering names and table values, and the
// result table.

#include "comparewindow.h"

#include "filedialoganswer.h"
#include "modalanswerer.h"
#include "tempworkdir.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QTranslator>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {

QString dataFile(const QString &name)
{
    return QStringLiteral(CSV_TEST_DATA "/") + name;
}

// What the parameter window answers: names by number (simplified on both sides, as its
// matchingName does) and the numbers and values of its table in row order.
struct TableStandIn {
    QStringList numbers{"PA000               ", "PA003               ", "PA100               ", "PA101               ",
                        "PA124               ", "PA205               ", "PA20E               "};
    QStringList names{"功能选择基本开关0", "保留", "第一速度环增益", "第一速度环积分时间常数", "扰动补偿频率补偿",
                      "多旋转圈数上限值", "电子齿数比(分子)"};
    QStringList values{"0011", "0000", "400", "100", "-5", "65535", "4"};
    bool sendsNumbers = true;

    void attach(compareWindow &window)
    {
        QObject::connect(&window, &compareWindow::getParameterName, &window, [this, &window](const QString &number) {
            for (int i = 0; i < numbers.size(); ++i) {
                if (numbers.at(i).simplified() == number.simplified())
                    return window.recieveName(names.at(i));
            }
        });
        QObject::connect(&window, &compareWindow::getOnlineData, &window, [this, &window] {
            if (sendsNumbers)
                window.recieveOnlineNumbers(numbers.toVector());
            window.recieveOnlineData(values.toVector());
        });
    }
};

// Rows of the result table as "number|name|left|right", up to the first empty row.
QStringList resultRows(QTableWidget *table)
{
    QStringList rows;
    for (int r = 0; r < table->rowCount(); ++r) {
        if (!table->item(r, 0))
            break;
        QStringList cells;
        for (int c = 0; c < 4; ++c)
            cells << (table->item(r, c) ? table->item(r, c)->text() : QString());
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

} // namespace

class TestCompareWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void filesPairByNumber_data();
    void filesPairByNumber();
    void missingSourcesAreWarned_data();
    void missingSourcesAreWarned();
    void cancelledDialogKeepsTheLoadedFile();
    void malformedLinesAreReportedAndTheRestLoads();
    void cutLastLineIsNamedAndNotCompared_data();
    void cutLastLineIsNamedAndNotCompared();
    void onlineComparisonPairsTableRowsByNumber_data();
    void onlineComparisonPairsTableRowsByNumber();
    void onlineModeIsRefusedUntilOffered();
    void chineseTitle();
    void backToFileModeEmptiesFileSourceOne();
    void otherFamilyIsNotCompared();

private:
    void load(const char *button, const QString &file);
    void compare();
    void goOnline();
    QList<ModalBoxAnswerer::Box> messageBoxes() const;
    template<typename T> T *child(const char *name) { return window->findChild<T *>(QLatin1String(name)); }

    compareWindow *window = nullptr;
    ModalBoxAnswerer *answerer = nullptr;
    TableStandIn table;
};

void TestCompareWindow::init()
{
    window = new compareWindow;
    answerer = new ModalBoxAnswerer(ModalBoxAnswerer::Answer::Ok);
    table = TableStandIn();
    table.attach(*window);
    window->show();
}

void TestCompareWindow::cleanup()
{
    delete window;
    delete answerer;
}

void TestCompareWindow::load(const char *button, const QString &file)
{
    answerer->setFileAnswer(file); // no file: the answerer cancels the dialog
    std::unique_ptr<FileDialogAnswer> answer(file.isEmpty() ? nullptr : new FileDialogAnswer(file));
    child<QToolButton>(button)->click();
}

QList<ModalBoxAnswerer::Box> TestCompareWindow::messageBoxes() const
{
    QList<ModalBoxAnswerer::Box> boxes;
    for (const ModalBoxAnswerer::Box &box : answerer->boxes()) {
        if (box.className == QLatin1String("QMessageBox"))
            boxes << box;
    }
    return boxes;
}

void TestCompareWindow::compare()
{
    child<QPushButton>("pushButton_Compare")->click();
}

void TestCompareWindow::filesPairByNumber_data()
{
    QTest::addColumn<QString>("two");
    QTest::addColumn<bool>("tableKnowsPA20E");
    QTest::addColumn<QStringList>("rows");

    // File two's order; PA100 "400" against "0400" differs as text; PA101 is not in file one.
    const QStringList differences{"PA20E|电子齿数比(分子)|4|8", "PA100|第一速度环增益|400|0400",
                                  "PA101|第一速度环积分时间常数||100"};
    QTest::newRow("files in other orders") << "compare_two.csv" << true << differences;
    QTest::newRow("a number the table does not know has no name")
        << "compare_two.csv" << false << (QStringList{"PA20E||4|8"} + differences.mid(1));
    QTest::newRow("identical files") << "compare_one.csv" << true << QStringList();
}

void TestCompareWindow::filesPairByNumber()
{
    QFETCH(QString, two);
    QFETCH(bool, tableKnowsPA20E);
    QFETCH(QStringList, rows);

    if (!tableKnowsPA20E) {
        table.numbers.removeAt(6);
        table.names.removeAt(6);
    }
    load("toolButton_Target", dataFile("compare_one.csv"));
    load("toolButton_Source", dataFile(two));
    QCOMPARE(child<QLineEdit>("lineEdit_Target")->text(), dataFile("compare_one.csv"));
    QVERIFY(messageBoxes().isEmpty());
    compare();
    QCOMPARE(resultRows(child<QTableWidget>("tableWidget")), rows);
}

void TestCompareWindow::missingSourcesAreWarned_data()
{
    QTest::addColumn<bool>("loadOne");
    QTest::addColumn<bool>("loadTwo");
    QTest::addColumn<QString>("warning");
    QTest::newRow("nothing loaded") << false << false << "文件源一未载入";
    QTest::newRow("only file source two") << false << true << "文件源一未载入";
    QTest::newRow("only file source one") << true << false << "文件源二未载入";
}

void TestCompareWindow::missingSourcesAreWarned()
{
    QFETCH(bool, loadOne);
    QFETCH(bool, loadTwo);
    QFETCH(QString, warning);
    if (loadOne)
        load("toolButton_Target", dataFile("compare_one.csv"));
    if (loadTwo)
        load("toolButton_Source", dataFile("compare_two.csv"));
    answerer->clear();
    compare();
    QCOMPARE(messageBoxes().size(), 1);
    QCOMPARE(messageBoxes().last().title, QStringLiteral("Warning"));
    QCOMPARE(messageBoxes().last().text, warning);
}

void TestCompareWindow::cancelledDialogKeepsTheLoadedFile()
{
    load("toolButton_Target", dataFile("compare_one.csv"));
    load("toolButton_Source", dataFile("compare_two.csv"));
    answerer->clear();
    load("toolButton_Target", QString()); // the dialog is cancelled
    QCOMPARE(answerer->count(), 1);
    QCOMPARE(answerer->last().className, QStringLiteral("QFileDialog"));
    QVERIFY(messageBoxes().isEmpty());
    QCOMPARE(child<QLineEdit>("lineEdit_Target")->text(), dataFile("compare_one.csv"));
    compare();
    QCOMPARE(resultRows(child<QTableWidget>("tableWidget")).size(), 3);

    // Return on a focused "..." opens its dialog as a click does.
    answerer->clear();
    child<QToolButton>("toolButton_Source")->setFocus();
    QTest::keyClick(child<QToolButton>("toolButton_Source"), Qt::Key_Return);
    QCOMPARE(answerer->count(), 1);
}

void TestCompareWindow::malformedLinesAreReportedAndTheRestLoads()
{
    load("toolButton_Target", dataFile("faults.csv"));
    QCOMPARE(messageBoxes().size(), 1);
    QCOMPARE(messageBoxes().last().title, QStringLiteral("error"));
    QVERIFY(messageBoxes().last().text.startsWith(QStringLiteral("文件出错\n")));
    QVERIFY(messageBoxes().last().text.contains(QStringLiteral("第 7 行")));

    // The lines around the refused ones loaded: PA000 0011 among them. The last line, PA124
    // without a line end, was cut: file two goes on with PA205 and PA20E after it.
    load("toolButton_Source", dataFile("compare_one.csv"));
    compare();
    const QStringList rows = resultRows(child<QTableWidget>("tableWidget"));
    QVERIFY(rows.contains(QStringLiteral("PA124|扰动补偿频率补偿||-5")));
    QVERIFY(!rows.join(QLatin1Char(';')).contains(QStringLiteral("PA000|")));
    QVERIFY2(messageBoxes().last().text.endsWith(QStringLiteral("第 15 行：文件在这一行中间结束（PA124）")),
             qPrintable(messageBoxes().last().text));
}

// File two stops without a line end inside PA101 ("34" of "3456") while the rows after PA101
// are missing: the line is named and its value not compared. A whole last row is compared. The
// other side is the table, or a file of the table's values.
void TestCompareWindow::cutLastLineIsNamedAndNotCompared_data()
{
    QTest::addColumn<bool>("online");
    QTest::addColumn<QString>("lastLine");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("refusal");
    const QString absent = "PA101|第一速度环积分时间常数|3456|;PA124|扰动补偿频率补偿|-5|;PA205|多旋转圈数上限值|65535|";
    const QString named = "第 7 行：文件在这一行中间结束（PA101）";
    QTest::newRow("against the table") << true << "PA101 ,34" << absent + ";PA20E|电子齿数比(分子)|4|" << named;
    QTest::newRow("against a file") << false << "PA101 ,34" << absent + ";PA20E|电子齿数比(分子)|4|" << named;
    QTest::newRow("whole last row") << true << "PA20E,8" << "PA20E|电子齿数比(分子)|4|8;" + absent << QString();
}

void TestCompareWindow::cutLastLineIsNamedAndNotCompared()
{
    QFETCH(bool, online);
    QFETCH(QString, lastLine);
    QFETCH(QString, rows);
    QFETCH(QString, refusal);
    TempWorkDir work;
    table.values[3] = QStringLiteral("3456");
    const QString head = QStringLiteral("2026-12-07_09-30-00\nVR1P\nNumber,Value\n");
    QString texts[2] = {head, head + "PA000,0011\nPA003,0000\nPA100,400\n" + lastLine};
    for (int i = 0; i < table.numbers.size(); ++i)
        texts[0] += table.numbers.at(i) + QLatin1Char(',') + table.values.at(i) + QLatin1Char('\n');
    const QString paths[2] = {work.filePath(QStringLiteral("one.csv")), work.filePath(QStringLiteral("two.csv"))};
    for (int i = 0; i < 2; ++i) {
        QFile file(paths[i]);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(texts[i].toLatin1()) == texts[i].size());
    }
    online ? goOnline() : load("toolButton_Target", paths[0]);
    load("toolButton_Source", paths[1]);
    compare();
    QCOMPARE(resultRows(child<QTableWidget>("tableWidget")).join(QLatin1Char(';')), rows);
    QCOMPARE(messageBoxes().size(), refusal.isEmpty() ? 0 : 1);
    if (!refusal.isEmpty())
        QCOMPARE(messageBoxes().last().text, QStringLiteral("文件出错\n") + paths[1] + QLatin1Char('\n') + refusal);
}

void TestCompareWindow::goOnline()
{
    window->isOnline(true);
    window->showCompareWindow();
    QVERIFY(child<QCheckBox>("checkBox_Online")->isEnabled());
    child<QCheckBox>("checkBox_Online")->click();
}

void TestCompareWindow::onlineComparisonPairsTableRowsByNumber_data()
{
    QTest::addColumn<bool>("sendsNumbers");
    QTest::newRow("numbers and values") << true;
    QTest::newRow("values alone cannot be paired") << false;
}

void TestCompareWindow::onlineComparisonPairsTableRowsByNumber()
{
    QFETCH(bool, sendsNumbers);
    table.sendsNumbers = sendsNumbers;
    goOnline();
    QVERIFY(!child<QCheckBox>("checkBox_OffLine")->isChecked());
    QVERIFY(!child<QLineEdit>("lineEdit_Target")->isEnabled());
    QCOMPARE(child<QLineEdit>("lineEdit_Target")->text(), QStringLiteral("正在使用在线参数"));

    // The table's rows are in catalogue order, the file's in reverse; values read from the drive.
    load("toolButton_Source", dataFile("compare_two.csv"));
    table.values = QStringList({"0011", "0001", "400", "100", "-5", "65535", "8"});
    answerer->clear();
    compare();
    if (!sendsNumbers) {
        QCOMPARE(messageBoxes().size(), 1);
        QCOMPARE(messageBoxes().last().text, QStringLiteral("在线参数未载入"));
        return;
    }
    QCOMPARE(resultRows(child<QTableWidget>("tableWidget")),
             QStringList({"PA100|第一速度环增益|400|0400", "PA003|保留|0001|0000"}));

    // Every header is shown whole, in both languages ("Online parameter table values").
    QTranslator english;
    for (int language = 0; language < 2; ++language) {
        if (language == 1) {
            QVERIFY(english.load(QStringLiteral(":/translator/Velotrim_EN.qm")));
            QCoreApplication::installTranslator(&english);
            compare();
        }
        QHeaderView *header = child<QTableWidget>("tableWidget")->horizontalHeader();
        QCoreApplication::processEvents();
        for (int column = 0; column < 4; ++column)
            QVERIFY2(header->sectionSize(column) >= header->sectionSizeHint(column),
                     qPrintable(child<QTableWidget>("tableWidget")->horizontalHeaderItem(column)->text()));
    }
    // File source one's note follows the language too.
    QTRY_COMPARE(child<QLineEdit>("lineEdit_Target")->text(), QStringLiteral("Online parameters are being used"));
    QCoreApplication::removeTranslator(&english);
}

// Built while the Chinese translation is installed (a start in Chinese), the title is Chinese too.
void TestCompareWindow::chineseTitle()
{
    QTranslator chinese;
    QVERIFY(chinese.load(QStringLiteral(":/translator/Velotrim_zh_CN.qm")));
    QCoreApplication::installTranslator(&chinese);
    compareWindow fresh;
    QCOMPARE(fresh.windowTitle(), QStringLiteral("参数比较"));
    QCoreApplication::removeTranslator(&chinese);
}

void TestCompareWindow::onlineModeIsRefusedUntilOffered()
{
    window->showCompareWindow();
    QVERIFY(!child<QCheckBox>("checkBox_Online")->isEnabled());
    auto *offline = child<QCheckBox>("checkBox_OffLine");
    offline->click(); // unchecking the file mode would switch to the online mode
    QVERIFY(offline->isChecked());
    QVERIFY(!child<QCheckBox>("checkBox_Online")->isChecked());

    // Offered once, then withdrawn while the online mode is chosen: back to the file mode.
    goOnline();
    QVERIFY(!offline->isChecked());
    window->isOnline(false);
    window->showCompareWindow();
    QVERIFY(offline->isChecked());
    QVERIFY(child<QLineEdit>("lineEdit_Target")->isEnabled());
}

void TestCompareWindow::backToFileModeEmptiesFileSourceOne()
{
    load("toolButton_Target", dataFile("compare_one.csv"));
    load("toolButton_Source", dataFile("compare_two.csv"));
    goOnline();
    child<QCheckBox>("checkBox_Online")->click();
    QVERIFY(child<QCheckBox>("checkBox_OffLine")->isChecked());
    QVERIFY(child<QLineEdit>("lineEdit_Target")->text().isEmpty());
    answerer->clear();
    compare();
    QCOMPARE(messageBoxes().last().text, QStringLiteral("文件源一未载入"));
}

// A file of the other family is compared neither with a file nor with the VR table (no "driver.ini").
void TestCompareWindow::otherFamilyIsNotCompared()
{
    TempWorkDir work;
    // A first file of no known model is compared with a file of either family.
    QFile unknown(work.filePath(QStringLiteral("unknown.csv")));
    QVERIFY(unknown.open(QIODevice::WriteOnly) && unknown.write("2026-12-07_09-30-00\nX9\n编号,数值\nPA20E,1\n"));
    unknown.close();
    load("toolButton_Target", unknown.fileName());
    load("toolButton_Source", dataFile("compare_two.csv"));
    compare();
    QVERIFY(messageBoxes().isEmpty() && !resultRows(child<QTableWidget>("tableWidget")).isEmpty());
    child<QTableWidget>("tableWidget")->setRowCount(0); // a refused comparison below draws nothing
    load("toolButton_Target", dataFile("compare_one.csv"));
    load("toolButton_Source", dataFile("compare_hxq.csv"));
    compare();
    goOnline();
    compare();
    QVERIFY(resultRows(child<QTableWidget>("tableWidget")).isEmpty());
    QCOMPARE(messageBoxes().size(), 2);
    QVERIFY2(messageBoxes().last().text.contains(QStringLiteral("HXQ1")), qPrintable(messageBoxes().last().text));

    // In an HXQ session the VR file is the other family's, whichever source it is.
    QSettings(QStringLiteral("driver.ini"), QSettings::IniFormat).setValue(QStringLiteral("config/DriverChoose"), 1);
    child<QCheckBox>("checkBox_OffLine")->click();
    load("toolButton_Target", dataFile("compare_one.csv"));
    compare();
    QVERIFY2(messageBoxes().last().text.startsWith("文件源一的驱动器型号 VR1P"), qPrintable(messageBoxes().last().text));
    // A VR2 file is of the VR family too.
    load("toolButton_Target", dataFile("compare_vr2.csv"));
    compare();
    QVERIFY2(messageBoxes().last().text.startsWith("文件源一的驱动器型号 VR2"), qPrintable(messageBoxes().last().text));
}

QTEST_MAIN(TestCompareWindow)
#include "tst_comparewindow.moc"
