// The parameter table window: catalogue choice and group tabs, search, check-all, button
// enabling, the value editor on the window's model, the read-reply slot, and that a language
// switch or family change never replaces the model under a running operation.

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTranslator>
#include <QTreeView>
#include <QtTest>

#include "modalanswerer.h"
#include "parameterdelegation.h"
#include "parameterwindow.h"
#include "tempworkdir.h"
#include "treemodel.h"
#include "ui_parameterwindow.h"

namespace {

void writeChoices(int family, int language)
{
    QSettings driver(QStringLiteral("driver.ini"), QSettings::IniFormat);
    driver.setValue(QStringLiteral("config/DriverChoose"), family);
    driver.sync();
    QSettings lang(QStringLiteral("language.ini"), QSettings::IniFormat);
    lang.setValue(QStringLiteral("config/languageChoose"), language);
    lang.sync();
}

int rowOf(TreeModel *model, const QString &number)
{
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->index(row, 0).data(Qt::EditRole).toString().simplified() == number)
            return row;
    }
    return -1;
}

QString cellText(TreeModel *model, int row, int column, int child = -1)
{
    QModelIndex index = model->index(row, 0);
    if (child >= 0)
        index = model->index(child, column, index);
    else
        index = model->index(row, column);
    return index.data(Qt::EditRole).toString();
}

int visibleRows(QTreeView *view)
{
    int visible = 0;
    for (int row = 0; row < view->model()->rowCount(); ++row)
        visible += view->isRowHidden(row, QModelIndex()) ? 0 : 1;
    return visible;
}

} // namespace

class TestParameterWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void catalogueAndGroups_data();
    void catalogueAndGroups();
    void firstShowRebuildsAndFamilyChangeSwitches();
    void translatedTexts_data();
    void translatedTexts();
    void showOnlineStartsTheFirstRead();
    void search_data();
    void search();
    void checkAll();
    void buttonEnabling();
    void stateSlots();
    void editorPlacesAndPadding();
    void editorAcceptsSwitchWord();
    void editorRefusesAndSaysWhy_data();
    void editorRefusesAndSaysWhy();
    void editorAcceptsDecimal();
    void readDataSingleValues_data();
    void readDataSingleValues();
    void readDataRefusals();
    void readDataRecord();
    void addressesAtRowCursor();
    void languageSwitchWaitsForRunningTransfer();
    void familyChangeWaitsForModelHold();

private:
    TempWorkDir *workDir = nullptr;
    ModalBoxAnswerer *answerer = nullptr;
};

void TestParameterWindow::init()
{
    workDir = new TempWorkDir;
    QVERIFY(workDir->isValid());
    answerer = new ModalBoxAnswerer(ModalBoxAnswerer::Answer::Ok);
}

void TestParameterWindow::cleanup()
{
    delete answerer;
    delete workDir;
}

void TestParameterWindow::catalogueAndGroups_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("firstName");
    QTest::addColumn<QList<int>>("groupSizes");

    const QList<int> vr{ 16, 24, 11, 15, 28, 43, 14 };
    const QList<int> hxq{ 26, 42, 27, 19, 19, 42, 83 };
    QTest::newRow("VR English") << 0 << 0 << 151 << "Function selection basic switch 0" << vr;
    QTest::newRow("VR Chinese") << 0 << 1 << 151 << "功能选择基本开关0" << vr;
    QTest::newRow("HXQ English") << 1 << 0 << 258 << "Parameter PA000" << hxq;
    QTest::newRow("HXQ Chinese") << 1 << 1 << 258 << "参数 PA000" << hxq;
}

void TestParameterWindow::catalogueAndGroups()
{
    QFETCH(int, family);
    QFETCH(int, language);
    QFETCH(int, rows);
    QFETCH(QString, firstName);
    QFETCH(QList<int>, groupSizes);

    writeChoices(family, language);
    parameterWindow window;
    QCOMPARE(window.driverFamily, family);
    QCOMPARE(window.modelFamily, 3);
    QCOMPARE(window.parameterRowCount(), rows);
    QCOMPARE(cellText(window.model.get(), 0, 1), firstName);
    QCOMPARE(window.model->columnCount(), 9);
    QCOMPARE(window.model->headerData(5, Qt::Horizontal).toString(), QStringLiteral("默认值"));

    const QVector<QTreeView *> views = window.views();
    QCOMPARE(views.size(), 8);
    QCOMPARE(visibleRows(views.at(0)), rows);
    for (int g = 0; g < 7; ++g)
        QCOMPARE(visibleRows(views.at(g + 1)), groupSizes.at(g));
    for (QTreeView *view : views) {
        QCOMPARE(view->model(), window.model.get());
        QVERIFY(view->isColumnHidden(7));
        QCOMPARE(view->columnWidth(3), 100);
        QCOMPARE(view->itemDelegate(), window.delegate);
        QVERIFY(view->alternatingRowColors());
    }
    QVERIFY(window.ui->progressBar->isHidden());
    QCOMPARE(window.ui->progressBar->maximum(), rows);
}

void TestParameterWindow::firstShowRebuildsAndFamilyChangeSwitches()
{
    writeChoices(0, 1);
    parameterWindow window;
    TreeModel *built = window.model.get();
    window.showParameterWindow();
    QVERIFY(window.model.get() != built);
    QCOMPARE(window.modelFamily, 0);

    built = window.model.get();
    window.showParameterWindow();
    QCOMPARE(window.model.get(), built); // same family: no rebuild

    writeChoices(1, 1);
    window.showParameterWindow();
    QCOMPARE(window.modelFamily, 1);
    QCOMPARE(window.parameterRowCount(), 258);
    QCOMPARE(visibleRows(window.views().at(7)), 83);
    QVERIFY(window.views().at(3)->isColumnHidden(7));

    // A family that is neither: HXQ catalogue, group views left as they were.
    writeChoices(2, 1);
    window.showParameterWindow();
    QCOMPARE(window.parameterRowCount(), 258);
    QCOMPARE(window.views().at(0)->model(), window.model.get());
    QVERIFY(window.views().at(1)->model() != window.model.get());
    window.close();
}

void TestParameterWindow::translatedTexts_data()
{
    QTest::addColumn<QString>("qm");
    QTest::addColumn<QStringList>("texts"); // title, label, label_2, default button, upload tip, header 5, compare

    QTest::newRow("English") << ":/translator/Velotrim_EN.qm"
        << QStringList{ "ParemeterWindow", " Classification", "Inquire:", "FactoryReset", "Upload to computer",
                        "Default values", "Compare" };
    QTest::newRow("Chinese") << ":/translator/Velotrim_zh_CN.qm"
        << QStringList{ "参数操作", " 分类", "查询：", "恢复出厂值", "上传电脑", "默认值", "比较参数" };
}

void TestParameterWindow::translatedTexts()
{
    QFETCH(QString, qm);
    QFETCH(QStringList, texts);

    QTranslator translator;
    QVERIFY(translator.load(qm));
    QCoreApplication::installTranslator(&translator);
    writeChoices(0, 0);
    parameterWindow window;
    QCOMPARE(window.windowTitle(), texts.at(0));
    QCOMPARE(window.ui->label->text(), texts.at(1));
    QCOMPARE(window.ui->label_2->text(), texts.at(2));
    QCOMPARE(window.ui->pushButton_Default->text(), texts.at(3));
    QCOMPARE(window.ui->pushButton_Upload->toolTip(), texts.at(4));
    QCOMPARE(window.model->headerData(5, Qt::Horizontal).toString(), texts.at(5));
    QCOMPARE(window.ui->pushButton_Compare->text(), texts.at(6));
    QCOMPARE(window.ui->tabWidget->tabText(0), QStringLiteral("    All   "));
    // No button is narrower than its text.
    for (QPushButton *button : window.findChildren<QPushButton *>())
        QVERIFY2(button->minimumWidth() >= button->sizeHint().width(), qPrintable(button->objectName()));
    QCoreApplication::removeTranslator(&translator);
}

// Showing the window online with the first-read flag set starts the upload at once (here
// it stops at the closed port); offline, or after the first read, it only shows.
void TestParameterWindow::showOnlineStartsTheFirstRead()
{
    writeChoices(0, 1);
    parameterWindow window;
    QSignalSpy busy(&window, &parameterWindow::sendParameterIsOk);
    window.showParameterWindow();
    QCOMPARE(busy.count(), 0);

    window.receiveOnline_offline(true);
    window.showParameterWindow();
    QVERIFY(busy.count() > 0);
    QCOMPARE(answerer->countWithText(QStringLiteral("串口未打开/设备未连接/地址未选择")), 1);

    busy.clear();
    window.firstRead = false;
    window.showParameterWindow();
    QCOMPARE(busy.count(), 0);
    window.close();
}

void TestParameterWindow::search_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("row");
    QTest::newRow("exact number despite trailing blanks") << "PA000" << 0;
    QTest::newRow("another number") << "PA20E" << 45;
    QTest::newRow("leading blank") << " PA000" << -1;
    QTest::newRow("trailing blank") << "PA000 " << -1;
    QTest::newRow("lower case") << "pa000" << -1;
    QTest::newRow("digit row") << "Bit0" << -1;
}

void TestParameterWindow::search()
{
    QFETCH(QString, text);
    QFETCH(int, row);

    writeChoices(0, 1);
    parameterWindow window;
    window.ui->lineEdit->setText(text);
    const QModelIndex current = window.ui->treeView->currentIndex();
    if (row < 0) {
        QVERIFY(!current.isValid());
    } else {
        QCOMPARE(current.row(), row);
        QVERIFY(!current.parent().isValid());
        QCOMPARE(cellText(window.model.get(), row, 0).simplified(), text);
    }
}

void TestParameterWindow::checkAll()
{
    writeChoices(0, 1);
    parameterWindow window;
    TreeModel *model = window.model.get();
    model->setData(model->index(0, 0), Qt::Checked, Qt::CheckStateRole); // PA000 and its 4 digit rows
    QCOMPARE(model->checkedIndexes.size(), 5);

    window.ui->checkBox_All->click();
    QCOMPARE(model->checkedIndexes.size(), 151);
    for (int row = 0; row < 151; ++row)
        QCOMPARE(QModelIndex(model->checkedIndexes.at(row)), model->index(row, 0));

    window.ui->checkBox_All->click();
    QVERIFY(model->checkedIndexes.isEmpty());
}

void TestParameterWindow::buttonEnabling()
{
    writeChoices(0, 1);
    parameterWindow window;
    const QList<QPushButton *> drive{ window.ui->pushButton_Default, window.ui->pushButton_Upload,
                                      window.ui->pushButton_Download };
    const QList<QWidget *> always{ window.ui->pushButton_Save, window.ui->pushButton_Load,
                                   window.ui->pushButton_Compare, window.ui->checkBox_All, window.ui->lineEdit };
    for (QPushButton *b : drive)
        QVERIFY(b->isEnabled());

    window.isOpenSerial(false);
    for (QPushButton *b : drive)
        QVERIFY(!b->isEnabled());
    QVERIFY(!window.portOpen);
    QVERIFY(!window.online);

    window.receiveMainWindow(true);
    for (QPushButton *b : drive)
        QVERIFY(b->isEnabled());
    QVERIFY(!window.online); // enabling only

    window.isOpenSerial(true);
    QVERIFY(window.portOpen && window.online);
    window.receiveMainWindow(false);
    for (QPushButton *b : drive)
        QVERIFY(!b->isEnabled());
    for (QWidget *w : always)
        QVERIFY(w->isEnabled());
}

void TestParameterWindow::stateSlots()
{
    writeChoices(0, 1);
    parameterWindow window;
    TreeModel *model = window.model.get();
    model->setData(model->index(3, 8), QStringLiteral("已上传"));
    window.rowCursor = 7;
    window.changeFrist(false);
    QVERIFY(!window.firstRead);
    QCOMPARE(window.rowCursor, 0);
    QCOMPARE(cellText(model, 3, 8), QString());
    window.changeFrist(true);
    QVERIFY(window.firstRead);

    window.receiveOnline_offline(true);
    QVERIFY(window.online);
    window.receiveEncoderIsOk(true);
    QVERIFY(window.motorBusy);
    window.DriverModelToSave(QStringLiteral("VR1P"));
    QCOMPARE(window.driverModelName, QStringLiteral("VR1P"));

    window.isOpenSerial(true);
    window.closeThisWindow();
    QVERIFY(!window.portOpen);
}

void TestParameterWindow::editorPlacesAndPadding()
{
    writeChoices(0, 1);
    parameterWindow window;
    TreeModel *model = window.model.get();
    QWidget host;
    QStyleOptionViewItem option;
    const QModelIndex pa000 = model->index(0, 0);

    QVERIFY(!window.delegate->createEditor(&host, option, pa000));
    QVERIFY(!window.delegate->createEditor(&host, option, model->index(0, 4)));
    QVERIFY(!window.delegate->createEditor(&host, option, model->index(0, 2, pa000)));
    QWidget *editor = window.delegate->createEditor(&host, option, model->index(0, 2));
    QVERIFY(qobject_cast<QLineEdit *>(editor));

    model->setData(model->index(0, 2), QStringLiteral("12"));
    window.delegate->setEditorData(editor, model->index(0, 2));
    QCOMPARE(qobject_cast<QLineEdit *>(editor)->text(), QStringLiteral("0012"));

    const int pa100 = rowOf(model, QStringLiteral("PA100"));
    model->setData(model->index(pa100, 2), 400);
    window.delegate->setEditorData(editor, model->index(pa100, 2));
    QCOMPARE(qobject_cast<QLineEdit *>(editor)->text(), QStringLiteral("400"));
}

void TestParameterWindow::editorAcceptsSwitchWord()
{
    writeChoices(0, 1);
    parameterWindow window;
    TreeModel *model = window.model.get();
    const QModelIndex value = model->index(0, 2);

    QVERIFY(window.delegate->commitValue(model, value, QStringLiteral("11D1")));
    QCOMPARE(cellText(model, 0, 2), QStringLiteral("11D1"));
    QCOMPARE(cellText(model, 0, 2, 0), QStringLiteral("1"));
    QCOMPARE(cellText(model, 0, 2, 1), QStringLiteral("D"));
    QCOMPARE(cellText(model, 0, 2, 2), QStringLiteral("1"));
    QCOMPARE(cellText(model, 0, 2, 3), QStringLiteral("1"));
    QCOMPARE(cellText(model, 0, 8), QStringLiteral("***"));
    QCOMPARE(model->checkedIndexes.size(), 5);
}

void TestParameterWindow::editorRefusesAndSaysWhy_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("reason");

    QTest::newRow("switch digit too high") << "PA000" << "2000" << "Bit3 须在 0 与 1 之间";
    QTest::newRow("switch non-hex digit") << "PA000" << "G000" << "Bit3 不是十六进制数字";
    QTest::newRow("switch length") << "PA000" << "123" << "开关量须为四位十六进制数字";
    QTest::newRow("decimal below minimum") << "PA100" << "9" << "数值须在 10 与 20000 之间";
    QTest::newRow("decimal not a number") << "PA124" << "abc" << "数值须为十进制整数";
    QTest::newRow("32-bit above maximum") << "PA20E" << "1073741825" << "数值须在 1 与 1073741824 之间";
    QTest::newRow("32-bit beyond 32 bits") << "PA20E" << "4294967296" << "数值须在 -2147483648 与 2147483647 之间";
}

void TestParameterWindow::editorRefusesAndSaysWhy()
{
    QFETCH(QString, number);
    QFETCH(QString, typed);
    QFETCH(QString, reason);

    writeChoices(0, 1);
    parameterWindow window;
    TreeModel *model = window.model.get();
    const int row = rowOf(model, number);
    QVERIFY(row >= 0);
    QSignalSpy refused(window.delegate, &parameterDelegation::valueRefused);

    QVERIFY(!window.delegate->commitValue(model, model->index(row, 2), typed));
    QCOMPARE(cellText(model, row, 2), QStringLiteral("0000"));
    QCOMPARE(cellText(model, row, 8), QString());
    QVERIFY(model->checkedIndexes.isEmpty());
    if (model->rowCount(model->index(row, 0)) > 0)
        QCOMPARE(cellText(model, row, 2, 3), QStringLiteral("0"));
    QCOMPARE(refused.count(), 1);
    QCOMPARE(refused.at(0).at(0).toString(), number);
    QCOMPARE(refused.at(0).at(1).toString(), reason);

    // The window shows the reason in a warning once the event loop turns.
    QTRY_COMPARE(answerer->count(), 1);
    QCOMPARE(answerer->last().title, QStringLiteral("error"));
    QVERIFY(answerer->last().text.contains(reason));
}

void TestParameterWindow::editorAcceptsDecimal()
{
    writeChoices(0, 1);
    parameterWindow window;
    TreeModel *model = window.model.get();
    const int pa124 = rowOf(model, QStringLiteral("PA124"));
    QVERIFY(window.delegate->commitValue(model, model->index(pa124, 2), QStringLiteral("-10000")));
    QCOMPARE(cellText(model, pa124, 2), QStringLiteral("-10000"));
    QCOMPARE(cellText(model, pa124, 8), QStringLiteral("***"));
    QCOMPARE(model->checkedIndexes.size(), 1);

    // Committing the unchanged value counts as an entry.
    const int pa100 = rowOf(model, QStringLiteral("PA100"));
    model->setData(model->index(pa100, 2), 400);
    QVERIFY(window.delegate->commitValue(model, model->index(pa100, 2), QStringLiteral("400")));
    QCOMPARE(model->checkedIndexes.size(), 2);
}

void TestParameterWindow::readDataSingleValues_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QVector<QString>>("words");
    QTest::addColumn<QString>("shown");

    QTest::newRow("VR signed") << 0 << "PA124" << QVector<QString>{ "FF9C" } << "-100";
    QTest::newRow("VR unsigned") << 0 << "PA205" << QVector<QString>{ "FF9C" } << "65436";
    QTest::newRow("VR 32-bit") << 0 << "PA20E" << QVector<QString>{ "0000", "4000" } << "1073741824";
    QTest::newRow("VR 32-bit negative") << 0 << "PA20E" << QVector<QString>{ "FFFF", "FFFF" } << "-1";
    QTest::newRow("VR switch word") << 0 << "PA000" << QVector<QString>{ "0011" } << "0011";
    QTest::newRow("HXQ code 4") << 1 << "PA301" << QVector<QString>{ "8000" } << "32768";
}

void TestParameterWindow::readDataSingleValues()
{
    QFETCH(int, family);
    QFETCH(QString, number);
    QFETCH(QVector<QString>, words);
    QFETCH(QString, shown);

    writeChoices(family, 1);
    parameterWindow window;
    TreeModel *model = window.model.get();
    window.isOpenSerial(true);
    window.firstRead = false;
    window.uploadRunning = true;
    window.replyRow = rowOf(model, number);
    QVERIFY(window.readData(words));
    QVERIFY(window.readReplyOk);
    QCOMPARE(cellText(model, window.replyRow, 2), shown);
    window.uploadRunning = false;

    // During a factory reset the row at the row cursor takes the reply.
    window.resetRunning = true;
    window.rowCursor = window.replyRow;
    model->setData(model->index(window.rowCursor, 2), QStringLiteral("0000"));
    QVERIFY(window.readData(words));
    QCOMPARE(cellText(model, window.rowCursor, 2), shown);
    window.resetRunning = false;
    QCOMPARE(answerer->count(), 0);
}

void TestParameterWindow::readDataRefusals()
{
    writeChoices(0, 1);
    parameterWindow window;
    TreeModel *model = window.model.get();
    const int pa20e = rowOf(model, QStringLiteral("PA20E"));

    window.readReplyOk = true;
    QVERIFY(!window.readData({ "0001" }));
    QVERIFY(!window.readReplyOk);
    QCOMPARE(answerer->last().text, QStringLiteral("串口未打开/设备未连接/地址未选择"));

    window.isOpenSerial(true);
    window.firstRead = false;
    QVERIFY(!window.readData({ "0001" }));
    QCOMPARE(answerer->last().text, QStringLiteral("Read Data error"));

    window.firstRead = true;
    QVERIFY(!window.readData({ "0001" }));
    QCOMPARE(answerer->last().text, QStringLiteral("Frist Read Data error"));
    const int boxes = answerer->count();

    // A garbled or short reply changes nothing and counts as unanswered, without a box.
    window.firstRead = false;
    window.uploadRunning = true;
    window.replyRow = pa20e;
    window.readReplyOk = true;
    QVERIFY(!window.readData({ "0001" }));
    QVERIFY(!window.readReplyOk);
    QVERIFY(!window.readData({ "00G1", "0000" }));
    QVERIFY(!window.readData({}));
    QCOMPARE(cellText(model, pa20e, 2), QStringLiteral("0000"));
    window.replyRow = 9999;
    QVERIFY(!window.readData({ "0001", "0000" }));
    QCOMPARE(answerer->count(), boxes);
}

void TestParameterWindow::readDataRecord()
{
    writeChoices(0, 1);
    parameterWindow window;
    TreeModel *model = window.model.get();
    window.isOpenSerial(true);
    window.uploadRunning = true;
    window.firstRead = true;

    window.rowCursor = 0; // PA000
    window.progressCount = 1;
    QVERIFY(window.readData({ "0000", "11D1", "0000", "0000", "0000", "0000", "0000", "0011", "0000" }));
    QCOMPARE(cellText(model, 0, 4), QStringLiteral("11D1"));
    QCOMPARE(cellText(model, 0, 3), QStringLiteral("0000"));
    QCOMPARE(cellText(model, 0, 2), QStringLiteral("0011"));
    QCOMPARE(window.progressCount, 10);

    window.spreadAllSwitchDigits();
    QCOMPARE(cellText(model, 0, 2, 0), QStringLiteral("1"));
    QCOMPARE(cellText(model, 0, 2, 1), QStringLiteral("1"));
    QCOMPARE(cellText(model, 0, 2, 2), QStringLiteral("0"));
    QCOMPARE(cellText(model, 0, 2, 3), QStringLiteral("0"));

    // A value "A" spreads as A, 0, 0, 0.
    model->setData(model->index(0, 2), QStringLiteral("A"));
    window.spreadSwitchDigits(0);
    QCOMPARE(cellText(model, 0, 2, 0), QStringLiteral("A"));
    QCOMPARE(cellText(model, 0, 2, 3), QStringLiteral("0"));

    // The 32-bit record: limits and value as signed 32-bit numbers.
    window.rowCursor = rowOf(model, QStringLiteral("PA20E"));
    QVERIFY(window.readData({ "0000", "0000", "4000", "0001", "0000", "0004", "0000", "FFFF", "FFFF" }));
    QCOMPARE(cellText(model, window.rowCursor, 4), QStringLiteral("1073741824"));
    QCOMPARE(cellText(model, window.rowCursor, 3), QStringLiteral("1"));
    QCOMPARE(cellText(model, window.rowCursor, 5), QStringLiteral("4"));
    QCOMPARE(cellText(model, window.rowCursor, 2), QStringLiteral("-1"));

    // A record short of a word writes nothing.
    QVERIFY(!window.readData({ "0000", "0000", "4000", "0001", "0000", "0004", "0000", "0005" }));
    QCOMPARE(cellText(model, window.rowCursor, 2), QStringLiteral("-1"));
}

void TestParameterWindow::addressesAtRowCursor()
{
    writeChoices(0, 1);
    parameterWindow vr;
    vr.rowCursor = rowOf(vr.model.get(), QStringLiteral("PA20E"));
    QCOMPARE(vr.paramAddressHex(), QByteArray("020E"));

    writeChoices(1, 1);
    parameterWindow hxq;
    hxq.rowCursor = rowOf(hxq.model.get(), QStringLiteral("PA782"));
    QCOMPARE(hxq.paramAddressDec(), QByteArray("030E"));
    hxq.rowCursor = rowOf(hxq.model.get(), QStringLiteral("PA229"));
    QCOMPARE(hxq.paramAddressDec(), QByteArray("00E5"));
}

// A language switch while a transfer walks the rows must not pull the model away under it.
void TestParameterWindow::languageSwitchWaitsForRunningTransfer()
{
    writeChoices(0, 1);
    parameterWindow window;
    window.showParameterWindow();
    TreeModel *running = window.model.get();
    QPersistentModelIndex row(running->index(5, 0));
    window.firstRead = false;

    window.uploadRunning = true;
    window.changeLanguageToEnglsih();
    QCOMPARE(window.model.get(), running);
    QVERIFY(row.isValid());
    QVERIFY(!window.firstRead); // the running upload keeps its mode
    QVERIFY(!window.isVisible());

    window.uploadRunning = false;
    window.applyDeferredReload();
    QVERIFY(window.model.get() != running);
    QCOMPARE(cellText(window.model.get(), 0, 1), QStringLiteral("Function selection basic switch 0"));
    QVERIFY(window.firstRead);
    for (QTreeView *view : window.views())
        QCOMPARE(view->model(), window.model.get());

    // Without a transfer the switch happens at once.
    window.firstRead = false;
    window.changeLanguageToChinese();
    QCOMPARE(cellText(window.model.get(), 0, 1), QStringLiteral("功能选择基本开关0"));
    QVERIFY(window.firstRead);
}

void TestParameterWindow::familyChangeWaitsForModelHold()
{
    writeChoices(0, 1);
    parameterWindow window;
    window.showParameterWindow();
    TreeModel *held = window.model.get();
    {
        parameterWindow::ModelHold hold(&window);
        writeChoices(1, 1);
        window.showParameterWindow();
        QCOMPARE(window.model.get(), held);
        QCOMPARE(window.parameterRowCount(), 151);
        window.changeLanguageToEnglsih();
        QCOMPARE(window.model.get(), held);
    }
    // Both requests are carried out once: the HXQ family in English, and a fresh first read.
    QCOMPARE(window.modelFamily, 1);
    QCOMPARE(window.parameterRowCount(), 258);
    QCOMPARE(cellText(window.model.get(), 0, 1), QStringLiteral("Parameter PA000"));
    QVERIFY(window.firstRead);
    window.close();
}

QTEST_MAIN(TestParameterWindow)
#include "tst_parameterwindow.moc"
