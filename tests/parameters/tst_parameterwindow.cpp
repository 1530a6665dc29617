// The parameter table window: catalogue choice and group tabs, search, check-all, button
// enabling, the value editor on the window's model, the read-reply slot, and that a language
// switch or family change never replaces the model under a running operation.

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTranslator>
#include <QTreeView>
#include <QtTest>

#include <memory>

#include "boundedwait.h"
#include "linetickets.h"
#include "modalanswerer.h"
#include "parameterdelegation.h"
#include "parameterwindow.h"
#include "tempworkdir.h"
#include "treemodel.h"
#include "unreadvalue.h"
#include "ui_parameterwindow.h"

namespace {

void writeChoices(int family, int language)
{
    QSettings(QStringLiteral("driver.ini"), QSettings::IniFormat).setValue(QStringLiteral("config/DriverChoose"), family);
    QSettings(QStringLiteral("language.ini"), QSettings::IniFormat).setValue(QStringLiteral("config/languageChoose"), language);
}

int rowOf(TreeModel *model, const QString &number)
{
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->index(row, 0).data(Qt::EditRole).toString().simplified() == number)
            return row;
    }
    return -1;
}

// A top-level cell, or with child >= 0 a cell of one of the row's digit rows.
QString cellText(TreeModel *model, int row, int column, int child = -1)
{
    const QModelIndex index = child >= 0 ? model->index(child, column, model->index(row, 0)) : model->index(row, column);
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
    void buttonsFitTheirTexts_data();
    void buttonsFitTheirTexts();
    void showOnlineStartsTheFirstRead();
    void search_data();
    void search();
    void checkAll();
    void buttonEnabling();
    void editorPlacesAndPadding();
    void commitValue_data();
    void commitValue();
    void readDataRefusals();
    void readDataRecord();
    void lostLinkForgetsOnlyDriveValues_data();
    void lostLinkForgetsOnlyDriveValues();
    void languageSwitchWaitsForRunningTransfer();
    void familyChangeWaitsForModelHold();

private:
    parameterWindow &open(int family = 0, int language = 1)
    {
        writeChoices(family, language);
        window = std::make_unique<parameterWindow>();
        model = window->model.get();
        return *window;
    }

    std::unique_ptr<TempWorkDir> workDir;
    std::unique_ptr<ModalBoxAnswerer> answerer;
    std::unique_ptr<parameterWindow> window;
    TreeModel *model = nullptr;
};

void TestParameterWindow::init()
{
    workDir = std::make_unique<TempWorkDir>();
    QVERIFY(workDir->isValid());
    answerer = std::make_unique<ModalBoxAnswerer>(ModalBoxAnswerer::Answer::Ok);
}

void TestParameterWindow::cleanup()
{
    window.reset();
    answerer.reset();
    workDir.reset();
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

    open(family, language);
    QCOMPARE(window->parameterRowCount(), rows);
    QCOMPARE(cellText(model, 0, 1), firstName);
    const QVector<QTreeView *> views = window->views();
    QCOMPARE(views.size(), 8);
    QCOMPARE(visibleRows(views.at(0)), rows);
    for (int g = 0; g < 7; ++g)
        QCOMPARE(visibleRows(views.at(g + 1)), groupSizes.at(g));
    for (QTreeView *view : views) {
        QCOMPARE(view->model(), model);
        QVERIFY(view->isColumnHidden(7));
    }
}

void TestParameterWindow::firstShowRebuildsAndFamilyChangeSwitches()
{
    open(0, 1);
    TreeModel *built = window->model.get();
    window->showParameterWindow();
    QVERIFY(window->model.get() != built);
    QCOMPARE(window->modelFamily, 0);

    built = window->model.get();
    window->showParameterWindow();
    QCOMPARE(window->model.get(), built); // same family: no rebuild

    writeChoices(1, 1);
    window->showParameterWindow();
    QCOMPARE(window->modelFamily, 1);
    QCOMPARE(window->parameterRowCount(), 258);
    QCOMPARE(visibleRows(window->views().at(7)), 83);
    QVERIFY(window->views().at(3)->isColumnHidden(7));

    // A family that is neither reads as the default: the VR catalogue.
    writeChoices(2, 1);
    window->showParameterWindow();
    QCOMPARE(window->parameterRowCount(), 151);
    // Unshown, the table follows a starting session's family; the same family again rebuilds nothing.
    writeChoices(1, 1);
    window->isOpenSerial(true);
    QCOMPARE(window->driverFamily, 1);
    QCOMPARE(window->parameterRowCount(), 258);
    built = window->model.get();
    window->receiveOnline_offline(true);
    QCOMPARE(window->model.get(), built);
}

void TestParameterWindow::buttonsFitTheirTexts_data()
{
    QTest::addColumn<QString>("qm");
    QTest::newRow("English") << ":/translator/Velotrim_EN.qm";
    QTest::newRow("Chinese") << ":/translator/Velotrim_zh_CN.qm";
}

void TestParameterWindow::buttonsFitTheirTexts()
{
    QFETCH(QString, qm);
    QTranslator translator;
    QVERIFY(translator.load(qm));
    QCoreApplication::installTranslator(&translator);
    open(0, 0);
    for (QPushButton *button : window->findChildren<QPushButton *>())
        QVERIFY2(button->minimumWidth() >= button->sizeHint().width(), qPrintable(button->objectName()));
    QCoreApplication::removeTranslator(&translator);
}

// Showing the window online with the first-read flag set starts the upload at once (here
// it stops at the closed port); offline, or after the first read, it only shows.
void TestParameterWindow::showOnlineStartsTheFirstRead()
{
    open(0, 1);
    QSignalSpy busy(window.get(), &parameterWindow::sendParameterIsOk);
    window->showParameterWindow();
    QCOMPARE(busy.count(), 0);

    window->receiveOnline_offline(true);
    window->showParameterWindow();
    QVERIFY(busy.count() > 0);
    QCOMPARE(answerer->countWithText(QStringLiteral("串口未打开/设备未连接/地址未选择")), 1);

    busy.clear();
    window->firstRead = false;
    window->showParameterWindow();
    QCOMPARE(busy.count(), 0);
}

void TestParameterWindow::search_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("row");
    QTest::newRow("exact number despite trailing blanks") << "PA20E" << 45;
    QTest::newRow("trailing blank") << "PA000 " << -1;
    QTest::newRow("lower case") << "pa000" << -1;
    QTest::newRow("digit row") << "Bit0" << -1;
}

void TestParameterWindow::search()
{
    QFETCH(QString, text);
    QFETCH(int, row);

    open(0, 1);
    window->ui->lineEdit->setText(text);
    const QModelIndex current = window->ui->treeView->currentIndex();
    QCOMPARE(current.isValid() ? current.row() : -1, row);
    QVERIFY(!current.parent().isValid());
}

void TestParameterWindow::checkAll()
{
    open(0, 1);
    model->setData(model->index(0, 0), Qt::Checked, Qt::CheckStateRole); // PA000 and its 4 digit rows
    window->ui->checkBox_All->click();
    QCOMPARE(model->checkedIndexes.size(), 151);
    for (int row = 0; row < 151; ++row)
        QCOMPARE(QModelIndex(model->checkedIndexes.at(row)), model->index(row, 0));

    window->ui->checkBox_All->click();
    QVERIFY(model->checkedIndexes.isEmpty());

    // The table a language switch builds has no checked row; the box must not say otherwise.
    window->ui->checkBox_All->click();
    window->changeLanguageToEnglsih();
    QVERIFY(window->model->checkedIndexes.isEmpty());
    QVERIFY(!window->ui->checkBox_All->isChecked());
}

// The drive buttons follow the port and the main window; the file buttons stay usable.
void TestParameterWindow::buttonEnabling()
{
    open(0, 1);
    const Ui::parameterWindow *ui = window->ui;
    auto driveButtons = [ui] {
        return QList<bool>{ ui->pushButton_Default->isEnabled(), ui->pushButton_Upload->isEnabled(),
                            ui->pushButton_Download->isEnabled() };
    };
    const QList<bool> on{ true, true, true }, off{ false, false, false };
    QCOMPARE(driveButtons(), on);
    window->isOpenSerial(false);
    QCOMPARE(driveButtons(), off);
    window->receiveMainWindow(true);
    QCOMPARE(driveButtons(), on);
    QVERIFY(!window->online); // enabling only
    window->isOpenSerial(true);
    QVERIFY(window->portOpen && window->online);
    window->receiveMainWindow(false);
    QCOMPARE(driveButtons(), off);
    for (QWidget *w : QList<QWidget *>{ ui->pushButton_Save, ui->pushButton_Load, ui->pushButton_Compare,
                                        ui->checkBox_All, ui->lineEdit })
        QVERIFY(w->isEnabled());
    QSignalSpy compare(window.get(), &parameterWindow::showCompareWindow);
    QTest::keyClick(ui->pushButton_Compare, Qt::Key_Return); // pressed, as with Space
    QCOMPARE(compare.count(), 1);
}

// An editor opens only on a parameter's value; a switch word shows its four digits.
void TestParameterWindow::editorPlacesAndPadding()
{
    open(0, 1);
    QWidget host;
    QStyleOptionViewItem option;
    const QModelIndex pa000 = model->index(0, 0);
    QVERIFY(!window->delegate->createEditor(&host, option, pa000));
    QVERIFY(!window->delegate->createEditor(&host, option, model->index(0, 4)));
    QVERIFY(!window->delegate->createEditor(&host, option, model->index(0, 2, pa000)));
    auto *editor = qobject_cast<QLineEdit *>(window->delegate->createEditor(&host, option, model->index(0, 2)));
    QVERIFY(editor);

    model->setData(model->index(0, 2), QStringLiteral("12"));
    window->delegate->setEditorData(editor, model->index(0, 2));
    QCOMPARE(editor->text(), QStringLiteral("0012"));
}

void TestParameterWindow::commitValue_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("reason"); // empty: accepted

    QTest::newRow("switch word") << "PA000" << "11D1" << "";
    QTest::newRow("decimal at its minimum") << "PA124" << "-10000" << "";
    QTest::newRow("switch digit too high") << "PA000" << "2000" << "Bit3 须在 0 与 1 之间";
    QTest::newRow("switch non-hex digit") << "PA000" << "G000" << "Bit3 不是十六进制数字";
    QTest::newRow("switch length") << "PA000" << "123" << "开关量须为四位十六进制数字";
    QTest::newRow("decimal below minimum") << "PA100" << "9" << "数值须在 10 与 20000 之间";
    QTest::newRow("decimal not a number") << "PA124" << "abc" << "数值须为十进制整数";
    QTest::newRow("32-bit above maximum") << "PA20E" << "1073741825" << "数值须在 1 与 1073741824 之间";
    QTest::newRow("32-bit beyond 32 bits") << "PA20E" << "4294967296" << "数值须在 1 与 1073741824 之间";
    QTest::newRow("only a minimum given: the register's range") << "PA100" << "40000" << "数值须在 -32768 与 32767 之间";
}

// An accepted value is stored, marked "***" and checked (a switch word with its digit rows,
// spread Bit0 = last digit); a refused one leaves the row as it was and the user is told why.
void TestParameterWindow::commitValue()
{
    QFETCH(QString, number);
    QFETCH(QString, typed);
    QFETCH(QString, reason);

    open(0, 1);
    const int row = rowOf(model, number);
    const QString before = cellText(model, row, 5); // a row starts at its default
    QCOMPARE(cellText(model, row, 2), before);
    const bool digits = model->rowCount(model->index(row, 0)) > 0;
    QSignalSpy refused(window->delegate, &parameterDelegation::valueRefused);
    if (QByteArray(QTest::currentDataTag()).startsWith("only a minimum"))
        model->setData(model->index(row, 4), QString());

    QCOMPARE(window->delegate->commitValue(model, model->index(row, 2), typed), reason.isEmpty());
    if (reason.isEmpty()) {
        QCOMPARE(cellText(model, row, 2), typed);
        QCOMPARE(cellText(model, row, 8), QStringLiteral("***"));
        QCOMPARE(model->checkedIndexes.size(), digits ? 5 : 1);
        if (digits) {
            for (int bit = 0; bit < 4; ++bit)
                QCOMPARE(cellText(model, row, 2, bit), typed.mid(3 - bit, 1));
        }
        QCOMPARE(refused.count(), 0);
        return;
    }
    QCOMPARE(cellText(model, row, 2), before);
    QCOMPARE(cellText(model, row, 8), QString());
    QVERIFY(model->checkedIndexes.isEmpty());
    if (digits)
        QCOMPARE(cellText(model, row, 2, 3), before.left(1));
    QCOMPARE(refused.count(), 1);
    QCOMPARE(refused.at(0).at(0).toString(), number);
    QCOMPARE(refused.at(0).at(1).toString(), reason);
    // The window shows the reason in a warning once the event loop turns, and no wait runs.
    QVERIFY(!BoundedWait::until([this] { return answerer->count() > 0; }, 50));
    QTRY_COMPARE(answerer->count(), 1);
    QCOMPARE(answerer->last().title, QStringLiteral("error"));
    QVERIFY(answerer->last().text.contains(reason));
}

// The link calls readData while it hands the reply over: its boxes open afterwards (one opened
// inside ends the test).
void TestParameterWindow::readDataRefusals()
{
    open(0, 1);
    const int pa20e = rowOf(model, QStringLiteral("PA20E"));
    const auto delivered = [this](const QVector<QString> &words) {
        const LineTickets::Delivery delivery;
        return window->readData(words);
    };

    window->readReplyOk = true;
    QVERIFY(!delivered({ "0001" }));
    QVERIFY(!window->readReplyOk);
    QCOMPARE(answerer->count(), 0);
    QTRY_COMPARE(answerer->count(), 1);
    QCOMPARE(answerer->last().text, QStringLiteral("串口未打开/设备未连接/地址未选择"));

    window->isOpenSerial(true);
    window->firstRead = false;
    QVERIFY(!delivered({ "0001" }));
    QTRY_COMPARE(answerer->count(), 2);
    QCOMPARE(answerer->last().text, QStringLiteral("Read Data error"));

    window->firstRead = true;
    QVERIFY(!delivered({ "0001" }));
    QTRY_COMPARE(answerer->count(), 3);
    QCOMPARE(answerer->last().text, QStringLiteral("Frist Read Data error"));
    const int boxes = answerer->count();

    // A garbled or short reply changes nothing and counts as unanswered, without a box.
    window->firstRead = false;
    window->uploadRunning = true;
    window->replyRow = pa20e;
    window->readReplyOk = true;
    QVERIFY(!window->readData({ "0001" }));
    QVERIFY(!window->readReplyOk);
    QVERIFY(!window->readData({ "00G1", "0000" }));
    QVERIFY(!window->readData({}));
    QCOMPARE(cellText(model, pa20e, 2), cellText(model, pa20e, 5));
    window->replyRow = 9999;
    QVERIFY(!window->readData({ "0001", "0000" }));
    QCOMPARE(answerer->count(), boxes);
}

// The first read's parameter-information record as signed 32-bit numbers, and a short
// switch word spread to its digit rows. (Every attribute code's record, through the
// simulated drive, is in the transfer tests.)
void TestParameterWindow::readDataRecord()
{
    open(0, 1);
    window->isOpenSerial(true);
    window->uploadRunning = true;
    window->firstRead = true;
    const int row = window->rowCursor = rowOf(model, QStringLiteral("PA20E"));
    QVERIFY(window->readData({ "0000", "0000", "4000", "0001", "0000", "0004", "0000", "FFFF", "FFFF" }));
    QCOMPARE((QStringList{ cellText(model, row, 2), cellText(model, row, 3), cellText(model, row, 4), cellText(model, row, 5) }),
             (QStringList{ "-1", "1", "1073741824", "4" }));
    // A record short of a word writes nothing.
    QVERIFY(!window->readData({ "0000", "0000", "4000", "0001", "0000", "0004", "0000", "0005" }));
    QCOMPARE(cellText(model, row, 2), QStringLiteral("-1"));

    model->setData(model->index(0, 2), QStringLiteral("A")); // PA000: spreads as A, 0, 0, 0
    window->spreadSwitchDigits(0);
    QCOMPARE(cellText(model, 0, 2, 0) + cellText(model, 0, 2, 1) + cellText(model, 0, 2, 2) + cellText(model, 0, 2, 3),
             QStringLiteral("A000"));
}

void TestParameterWindow::lostLinkForgetsOnlyDriveValues_data()
{
    QTest::addColumn<QString>("given"); // how the value comes back after the first lost link
    QTest::newRow("read value") << "";
    QTest::newRow("typed after a lost link, the old value") << "typed";
    QTest::newRow("loaded after a lost link, the old value") << "loaded";
    QTest::newRow("loaded over the value read, the same") << "loaded before";
    QTest::newRow("upload unanswered: read value") << "";
    QTest::newRow("upload unanswered: typed after, the old value") << "typed";
    QTest::newRow("upload unanswered: loaded after, the old value") << "loaded";
}

// PA100 is typed, then reads 400, the link is lost (or an upload of it goes unanswered), the
// value comes back by the user's hand and is lost once more: only the drive's shows as not read.
void TestParameterWindow::lostLinkForgetsOnlyDriveValues()
{
    QFETCH(QString, given);
    open(0, 1);
    const int row = rowOf(model, QStringLiteral("PA100"));
    window->isOpenSerial(true);
    QVERIFY(window->delegate->commitValue(model, model->index(row, 2), QStringLiteral("500"))); // and checked
    const bool silent = QByteArray(QTest::currentDataTag()).startsWith("upload");
    const auto lose = [&] { silent ? window->on_pushButton_Upload_clicked() : window->isOpenSerial(false); };
    window->firstRead = false;
    window->uploadRunning = true;
    window->replyRow = row;
    QVERIFY(window->readData({ "0190" }));
    window->uploadRunning = false;
    const auto load = [this] {
        QFile file(QStringLiteral("pa100.csv"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("2026-01-01_00-00-00\nVR1P\nNumber,Value\nPA100,400\n");
        file.close();
        answerer->setFileAnswer(QFileInfo(file).absoluteFilePath());
        window->on_pushButton_Load_clicked();
    };
    if (given == QLatin1String("loaded before"))
        load();
    lose();
    if (given != QLatin1String("loaded before")) {
        QCOMPARE(cellText(model, row, 2), UnreadValue::text());
        window->isOpenSerial(true);
    }
    if (given == QLatin1String("typed"))
        QVERIFY(window->delegate->commitValue(model, model->index(row, 2), QStringLiteral("400")));
    else if (given == QLatin1String("loaded"))
        load();
    lose();
    QCOMPARE(cellText(model, row, 2), given.isEmpty() ? UnreadValue::text() : QStringLiteral("400"));
}

// A language switch while a transfer walks the rows must not pull the model away under it.
void TestParameterWindow::languageSwitchWaitsForRunningTransfer()
{
    open(0, 1);
    window->showParameterWindow();
    TreeModel *running = window->model.get();
    QPersistentModelIndex row(running->index(5, 0));
    window->firstRead = false;

    window->uploadRunning = true;
    window->changeLanguageToEnglsih();
    QCOMPARE(window->model.get(), running);
    QVERIFY(row.isValid());
    QVERIFY(!window->firstRead); // the running upload keeps its mode
    QVERIFY(!window->isVisible());

    window->uploadRunning = false;
    window->applyDeferredReload();
    QVERIFY(window->model.get() != running);
    QCOMPARE(cellText(window->model.get(), 0, 1), QStringLiteral("Function selection basic switch 0"));
    QVERIFY(window->firstRead);
    for (QTreeView *view : window->views())
        QCOMPARE(view->model(), window->model.get());

    // Without a transfer the switch happens at once.
    window->firstRead = false;
    window->changeLanguageToChinese();
    QCOMPARE(cellText(window->model.get(), 0, 1), QStringLiteral("功能选择基本开关0"));
    QVERIFY(window->firstRead);
}

void TestParameterWindow::familyChangeWaitsForModelHold()
{
    open(0, 1);
    window->showParameterWindow();
    TreeModel *held = window->model.get();
    {
        parameterWindow::ModelHold hold(window.get());
        writeChoices(1, 1);
        window->showParameterWindow();
        QCOMPARE(window->model.get(), held);
        QCOMPARE(window->parameterRowCount(), 151);
        window->changeLanguageToEnglsih();
        QCOMPARE(window->model.get(), held);
    }
    // Both requests are carried out once: the HXQ family in English, and a fresh first read.
    QCOMPARE(window->modelFamily, 1);
    QCOMPARE(window->parameterRowCount(), 258);
    QCOMPARE(cellText(window->model.get(), 0, 1), QStringLiteral("Parameter PA000"));
    QVERIFY(window->firstRead);
}

QTEST_MAIN(TestParameterWindow)
#include "tst_parameterwindow.moc"
