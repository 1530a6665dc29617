// The capture window's selection boxes, panels and controls: what the boxes hold for each
// family, language and access level; the panels after a change of family; the enabling by the
// link and the online state; the trigger-source rule through a language switch; the loop-gain tab's look.

#include "capturefiles.h"
#include "modalanswerer.h"
#include "staticwindow.h"
#include "tempworkdir.h"
#include "ui_staticwindow.h"
#include "unreadvalue.h"

#include <QSettings>
#include <QStyleOptionFrame>
#include <QTranslator>
#include <QtTest>

namespace {

void writeChoice(const char *file, const char *key, int value)
{
    QSettings settings(QString::fromLatin1(file), QSettings::IniFormat);
    settings.setValue(QString::fromLatin1(key), value);
}

QStringList entries(const QComboBox *box)
{
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    return list;
}

QList<int> currentIndexes(const Ui::staticWindow *ui)
{
    return {ui->comboBox_CH1->currentIndex(), ui->comboBox_CH2->currentIndex(), ui->comboBox_CH3->currentIndex(),
            ui->comboBox_CH4->currentIndex()};
}

// The translation main would install for the language choice.
struct Language
{
    explicit Language(int choice)
    {
        QVERIFY(translator.load(choice ? QStringLiteral(":/translator/Velotrim_zh_CN.qm")
                                       : QStringLiteral(":/translator/Velotrim_EN.qm")));
        QCoreApplication::installTranslator(&translator);
        writeChoice("language.ini", "config/languageChoose", choice);
    }
    ~Language() { QCoreApplication::removeTranslator(&translator); }
    QTranslator translator;
};

// The width a line edit gives its text as it lays it out: its style's contents rect less the
// text margins and the 2 px it keeps clear on either side.
int textWidth(const QLineEdit *field)
{
    struct Open : QLineEdit {
        static void option(const QLineEdit *f, QStyleOptionFrame *o) { (f->*(&Open::initStyleOption))(o); }
    };
    QStyleOptionFrame option;
    Open::option(field, &option);
    const QMargins margins = field->textMargins();
    return field->style()->subElementRect(QStyle::SE_LineEditContents, &option, field).width() - margins.left()
           - margins.right() - 4;
}

} // namespace

class TestCaptureWindow : public QObject
{
    Q_OBJECT

private slots:
    void boxContents_data();
    void boxContents();
    void panelsFollowTheFamily();
    void enablingByLinkAndOnlineState_data();
    void enablingByLinkAndOnlineState();
    void triggerSourceRuleThroughRelabelling();
    void loadMatchesStoredNames_data();
    void loadMatchesStoredNames();
    void gainTabLook_data();
    void gainTabLook();
};

void TestCaptureWindow::boxContents_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("access");
    QTest::addColumn<QStringList>("relabelled");   // channel box 1: count, first, last after relabelling
    QTest::addColumn<QStringList>("built");        // index=text pairs after the catalogue builder
    QTest::addColumn<QStringList>("io");           // count, entry 7, entry 16, last ("" count 0: empty)
    QTest::addColumn<QString>("fourthBox27");      // entry 27 of channel box 4 after relabelling

    const QString vrLastReducedEn = QStringLiteral("Position feedback pulse low (encoder unit)(unsigned)");
    QTest::newRow("VR English")
        << 0 << 0 << false << QStringList{"16", "Speed feedback (rpm)", vrLastReducedEn}
        << QStringList{"4=Position deviation pulse (32-bit signed) (command unit)", "15=" + vrLastReducedEn}
        << QStringList{"34", "/ZCLAM", "P-DET", "ACON"} << QString();
    // An entry the lower level lacks gives way to the box's default (CH4's is entry 8).
    QTest::newRow("VR English, level dropped") << 0 << 0 << false << QStringList{"16", "Speed feedback (rpm)", vrLastReducedEn}
        << QStringList{"15=" + vrLastReducedEn} << QStringList{"34", "/ZCLAM", "P-DET", "ACON"} << QString();
    QTest::newRow("VR English, access")
        << 0 << 0 << true << QStringList{"32", "Speed feedback (rpm)", "Uq feedback"}
        << QStringList{"20=Encoder lap position is low (unsigned)", "21=Encoder multi-turn position", "31=Uq feedback"}
        << QStringList{"41", "/ZCLAM", "P-DET", "Res"} << QStringLiteral("Iq given (after filtering");
    QTest::newRow("VR Chinese")
        << 0 << 1 << false << QStringList{"16", "速度反馈(rpm)", "位置反馈脉冲低位(编码器单位)(无符号)"}
        << QStringList{"0=速度反馈(rpm)", "4=位置偏差脉冲(32位有符号)(指令单位)"}
        << QStringList{"34", "/ZCLAMP", "P-DET", "ACON"} << QString();
    QTest::newRow("VR Chinese, access")
        << 0 << 1 << true << QStringList{"32", "速度反馈(rpm)", "Uq反馈"}
        << QStringList{"27=Iq给定(滤波后)", "31=Uq反馈"} << QStringList{"41", "/ZCLAMP", "P-DET", "Res"}
        << QStringLiteral("Iq给定(滤波后)");
    // The HXQ family never fills the I/O boxes.
    QTest::newRow("HXQ English")
        << 1 << 0 << false << QStringList{"11", "Speed feedback", "Power Circuit Voltage"}
        << QStringList{"1=Speed for a given", "3=Input torque instruction percentage"}
        << QStringList{"0"} << QString();
    QTest::newRow("HXQ English, access")
        << 1 << 0 << true << QStringList{"29", "Speed feedback", "Flow feedback"}
        << QStringList{"13=Encooder", "28=Flow feedback"} << QStringList{"0"}
        << QStringLiteral("Flow  given");
    QTest::newRow("HXQ Chinese")
        << 1 << 1 << false << QStringList{"11", "速度反馈", "母线电压"} << QStringList{"1=速度给定"} << QStringList{"0"}
        << QString();
    QTest::newRow("HXQ Chinese, access")
        << 1 << 1 << true << QStringList{"29", "速度反馈", "流量反馈"} << QStringList{"27=流量给定"} << QStringList{"0"}
        << QStringLiteral("流量给定");
}

void TestCaptureWindow::boxContents()
{
    QFETCH(int, family);
    QFETCH(int, language);
    QFETCH(bool, access);
    QFETCH(QStringList, relabelled);
    QFETCH(QStringList, built);
    QFETCH(QStringList, io);
    QFETCH(QString, fourthBox27);

    TempWorkDir work;
    writeChoice("driver.ini", "config/DriverChoose", family);
    Language installed(language);
    staticWindow window;
    const Ui::staticWindow *ui = window.ui;
    const bool vr = family == 0;

    // As built: reduced lists in the language, channels 2 to 4 on their default entries.
    QCOMPARE(ui->comboBox_CH1->count(), vr ? 16 : 11);
    QCOMPARE(ui->comboBox_CH1->itemText(0), relabelled.at(1));
    QCOMPARE(currentIndexes(ui), (QList<int>{0, 4, 6, 8}));
    QCOMPARE(ui->comboBox_CH1_IO->count(), vr ? 34 : 0);
    const QList<int> triggerBoxes{ui->comboBox_triggerType1->count(), ui->comboBox_triggerChoose2->count(),
                                  ui->comboBox_triggerMore->count(), ui->comboBox_model->count(),
                                  ui->comboBox_trigger->count()};
    QCOMPARE(triggerBoxes, vr ? (QList<int>{6, 6, 3, 2, 0}) : (QList<int>{0, 0, 0, 0, 4}));

    // The access level rebuilds the lists in the language; it and the language switch keep every choice.
    ui->comboBox_CH1->setCurrentIndex(3);
    ui->comboBox_CH1_IO->setCurrentIndex(3);
    if (QByteArray(QTest::currentDataTag()).endsWith("dropped")) { // CH4 on an entry of the higher level
        window.receviePasswordFlags(true);
        ui->comboBox_CH4->setCurrentIndex(20);
    }
    window.receviePasswordFlags(access);
    for (const QString &pair : built) {
        const int index = pair.section('=', 0, 0).toInt();
        for (const QComboBox *box : {ui->comboBox_CH1, ui->comboBox_CH4})
            QCOMPARE(box->itemText(index), pair.section('=', 1));
    }
    QCOMPARE(ui->comboBox_CH4_IO->count(), io.at(0).toInt());
    if (io.size() > 1) {
        QCOMPARE(ui->comboBox_CH4_IO->itemText(7), io.at(1));
        QCOMPARE(ui->comboBox_CH4_IO->itemText(16), io.at(2));
        QCOMPARE(ui->comboBox_CH4_IO->itemText(io.at(0).toInt() - 1), io.at(3));
    }
    QCOMPARE(ui->pushButton_modifiedSave->isHidden(), !(vr && access));
    QCOMPARE(ui->pushButton_QuickChange->isHidden(), !(vr && access));

    if (language == 0)
        window.EnglishLable();
    else
        window.ChineseLable();
    const QStringList first = entries(ui->comboBox_CH1);
    QCOMPARE(first.size(), relabelled.at(0).toInt());
    QCOMPARE(first.first(), relabelled.at(1));
    QCOMPARE(first.last(), relabelled.at(2));
    QCOMPARE(entries(ui->comboBox_CH2), first);
    QCOMPARE(entries(ui->comboBox_CH3), first);
    QCOMPARE(currentIndexes(ui), (QList<int>{3, 4, 6, 8}));
    QCOMPARE(ui->comboBox_CH1_IO->currentIndex(), vr ? 3 : -1);
    if (!fourthBox27.isEmpty()) {
        QCOMPARE(ui->comboBox_CH4->itemText(27), fourthBox27);
        QCOMPARE(ui->comboBox_CH1->itemText(27), fourthBox27.simplified());
    }
    // After a switch to the other language, the access level rebuilds in that one.
    language == 0 ? window.ChineseLable() : window.EnglishLable();
    const QStringList other = entries(ui->comboBox_CH1);
    window.receviePasswordFlags(access);
    QCOMPARE(entries(ui->comboBox_CH1), other);
}

void TestCaptureWindow::panelsFollowTheFamily()
{
    TempWorkDir work;
    Language english(0);
    // Built while "driver.ini" still holds the HXQ family of the previous run.
    writeChoice("driver.ini", "config/DriverChoose", 1);
    staticWindow window;
    Ui::staticWindow *ui = window.ui;
    QVERIFY(ui->VR1_Widget->isHidden());
    QCOMPARE(ui->comboBox_CH1_IO->count(), 0);
    QVERIFY(!ui->comboBox_CH3->isEnabled());

    QSignalSpy closeFFT(&window, &staticWindow::closeFFT);
    writeChoice("driver.ini", "config/DriverChoose", 0);
    // The password entered before the first show: the VR-only buttons follow the family chosen.
    window.receviePasswordFlags(true);
    QVERIFY(!ui->pushButton_modifiedSave->isHidden() && !ui->pushButton_QuickChange->isHidden());
    window.receviePasswordFlags(false);
    window.showStaticWindow();
    QCOMPARE(closeFFT.count(), 1);
    QVERIFY(window.isVisible());
    QVERIFY(window.windowState() & Qt::WindowMaximized);
    QVERIFY(!ui->VR1_Widget->isHidden());
    QVERIFY(ui->HXQ_Widget->isHidden());
    QVERIFY(!ui->widget_CH3_CH4_Start->isHidden() && !ui->widget_CH3_CH4_end->isHidden());
    for (QWidget *w : std::initializer_list<QWidget *>{ui->comboBox_CH3, ui->checkBox_CH4, ui->comboBox_CH2_IO,
                                                        ui->label_CH4_IO, ui->tab_3})
        QVERIFY(w->isEnabled());
    QCOMPARE(ui->comboBox_CH1->count(), 16);
    QCOMPARE(ui->comboBox_CH1_IO->count(), 34); // filled for this run's family
    QCOMPARE(currentIndexes(ui), (QList<int>{0, 4, 6, 8}));
    QCOMPARE(ui->progressBar->maximum(), 143);

    // The same family again: the user's choices stay.
    ui->comboBox_CH2->setCurrentIndex(2);
    window.showStaticWindow();
    QCOMPARE(ui->comboBox_CH2->currentIndex(), 2);

    writeChoice("driver.ini", "config/DriverChoose", 1);
    window.dataCH1 = {1, 2, 3};
    // The next session's family comes with its link, shown or not; the other family's data goes.
    window.isOpenSerialPlot(true);
    QVERIFY(window.dataCH1.isEmpty());
    QVERIFY(ui->VR1_Widget->isHidden());
    QVERIFY(!ui->HXQ_Widget->isHidden());
    QVERIFY(ui->widget_CH3_CH4_Start->isHidden() && ui->widget_CH3_CH4_end->isHidden());
    for (QWidget *w : std::initializer_list<QWidget *>{ui->comboBox_CH3, ui->label_CH4, ui->checkBox_CH1_IO,
                                                        ui->comboBox_CH4_IO, ui->tab_3})
        QVERIFY(!w->isEnabled());
    QCOMPARE(ui->comboBox_CH1->count(), 11);
    QCOMPARE(ui->comboBox_trigger->count(), 4);
    QCOMPARE(ui->progressBar->maximum(), 74);
    QCOMPARE(ui->comboBox_CH1_IO->count(), 0);
    window.receviePasswordFlags(true);
    QVERIFY(ui->pushButton_modifiedSave->isHidden() && ui->pushButton_QuickChange->isHidden());

    window.closeThisWindow();
    QVERIFY(!window.isVisible());
}

void TestCaptureWindow::enablingByLinkAndOnlineState_data()
{
    QTest::addColumn<QString>("steps"); // p/P port closed/open, o/O offline/online
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("serialOpen");

    QTest::newRow("port opened") << "P" << true << true;
    QTest::newRow("port closed") << "PP p" << false << false;
    QTest::newRow("offline keeps the port state") << "P o" << false << true;
    QTest::newRow("port opened after offline") << "o P" << true << true;
    QTest::newRow("online with the port closed") << "p O" << true << false;
}

void TestCaptureWindow::enablingByLinkAndOnlineState()
{
    QFETCH(QString, steps);
    QFETCH(bool, enabled);
    QFETCH(bool, serialOpen);

    TempWorkDir work;
    staticWindow window;
    for (const QChar step : steps) {
        if (step.toLower() == 'p')
            window.isOpenSerialPlot(step == 'P');
        else if (step.toLower() == 'o')
            window.receiveMainWindow(step == 'O');
    }
    QCOMPARE(window.serialOpen, serialOpen);
    QCOMPARE(window.ui->pushButton_Auto->isEnabled(), enabled);
    QCOMPARE(window.ui->pushButton_Sampling->isEnabled(), enabled);
    QCOMPARE(window.ui->pushButton_Stop->isEnabled(), enabled);
}

void TestCaptureWindow::triggerSourceRuleThroughRelabelling()
{
    TempWorkDir work;
    Language chinese(1);
    staticWindow window;
    Ui::staticWindow *ui = window.ui;
    const QStringList conditions = entries(ui->comboBox_triggerType2);
    QCOMPARE(conditions.size(), 6);

    // An I/O source has no level: the two level conditions go, the level is 1 and hidden.
    ui->comboBox_triggerChoose2->setCurrentIndex(5);
    QCOMPARE(entries(ui->comboBox_triggerType2), conditions.mid(0, 4));
    QCOMPARE(ui->spinBox_triggerLevel2->value(), 1);
    QVERIFY(ui->spinBox_triggerLevel2->isHidden() && ui->label_tirggerLevel2->isHidden());
    ui->comboBox_triggerChoose2->setCurrentIndex(2);
    QCOMPARE(entries(ui->comboBox_triggerType2), conditions);
    QCOMPARE(ui->spinBox_triggerLevel2->value(), 0);
    QVERIFY(!ui->spinBox_triggerLevel2->isHidden() && !ui->label_tirggerLevel2->isHidden());
    // Another source when "I/O" was never chosen changes nothing.
    ui->spinBox_triggerLevel1->setValue(7);
    ui->comboBox_triggerChoose1->setCurrentIndex(3);
    QCOMPARE(ui->spinBox_triggerLevel1->value(), 7);

    // A switch keeps every choice, in the new language: trigger 1 on a level, trigger 2 on "I/O".
    ui->comboBox_triggerType1->setCurrentIndex(4);
    ui->comboBox_triggerChoose2->setCurrentIndex(5);
    window.EnglishLable();
    const QStringList english{"No trigger", "Rising edge trigge", "Falling edge trigger", "Change trigger",
                              "Level trigger (above)", "Level trigger (below)"};
    QCOMPARE(entries(ui->comboBox_triggerType1), english);
    QCOMPARE(ui->comboBox_triggerType1->currentIndex(), 4);
    QCOMPARE(ui->spinBox_triggerLevel1->value(), 7);
    QCOMPARE(entries(ui->comboBox_triggerType2), english.mid(0, 4));
    ui->comboBox_triggerChoose2->setCurrentIndex(1);
    QCOMPARE(entries(ui->comboBox_triggerType2), english);
    QCOMPARE(ui->comboBox_triggerChoose1->itemText(0), QStringLiteral("No"));
    QVERIFY(!ui->label_triggerLevel1->isHidden());
}

void TestCaptureWindow::loadMatchesStoredNames_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("access");
    QTest::addColumn<QStringList>("names"); // CH1, IO1, ..., CH4, IO4, trigger 1 type and source
    QTest::addColumn<int>("shortTrace");    // the trace one value short of the 1000 drawn; -1 none
    QTest::addColumn<QString>("refused");   // "line|name" the box names; empty: loaded

    const QStringList zh{"速度反馈(rpm)", "/S-ON", "转矩给定(0.1%)", "/TGON", "位置给定脉冲(32位有符号)(指令单位)",
                         "/CLR", "速度前馈(rpm)", "/WARN", "电平触发(以上)", "CH2数据"};
    const QStringList en{"Speed feedback (rpm)", "/S-ON", "Torque reference (0.1%)", "/TGON", "Id feedback", "/CLR",
                         "Speed feed forward (rpm)", "Res", "Level trigger (above)", "CH2 data"};
    const QString bus = QStringLiteral("Bus voltage of the main circuit sampled unfiltered (V)");
    const QStringList unknown = zh.mid(0, 2) + QStringList{bus} + zh.mid(3);
    QTest::newRow("Chinese names in English") << 0 << false << zh << -1 << "";
    QTest::newRow("English names at the access level in Chinese") << 1 << true << en << -1 << "";
    QTest::newRow("names beyond the access level") << 0 << false << en << -1 << "19|Id feedback";
    QTest::newRow("unknown name") << 0 << true << unknown << -1 << "13|" + bus;
    QTest::newRow("short channel") << 0 << false << zh << 2 << "14|转矩给定(0.1%)";
    QTest::newRow("loaded after a capture: the file's names") << 0 << false << zh << -1 << "";
    QTest::newRow("settings only, after a capture: no curve stays") << 0 << false << zh << -1 << "";
    QTest::newRow("level condition on an I/O source") << 0 << false << QStringList(zh.mid(0, 9) << "I/O") << -1 << "4|电平触发(以上)";
    // CH3's name as the English translation gives it, not as the catalogue does.
    QTest::newRow("English name as translated")
        << 0 << true << QStringList(en.mid(0, 4) << "Iq given (after filtering)" << en.mid(5)) << -1 << "";
}

// Each box on its stored entry, each trace with its own values; or one box naming line and name, nothing kept.
void TestCaptureWindow::loadMatchesStoredNames()
{
    QFETCH(int, language);
    QFETCH(bool, access);
    QFETCH(QStringList, names);
    QFETCH(int, shortTrace);
    QFETCH(QString, refused);
    const QByteArray tag(QTest::currentDataTag());
    const bool settingsOnly = tag.startsWith("settings only"); // a file that holds no values
    TempWorkDir work;
    Language installed(language);
    staticWindow window;
    Ui::staticWindow *ui = window.ui;
    window.receviePasswordFlags(access);
    ui->comboBox_triggerChoose1->setCurrentIndex(5); // "I/O": the file's level condition must come back
    window.dataCH2 = {7};
    if (tag.contains("after a capture")) { // under other choices, CH1 drawn
        window.dataChoices = {5, 3, 1, 2, 3, 4, 7, 5};
        window.dataCH1 = QVector<int>(1000, 9);
        window.channelOne();
    }
    CaptureFiles::StaticCapture capture;
    capture.settings = QStringList{"3", "单触发", names.at(8), names.at(9), "120", "无触发", "无", "-45", "17"};
    capture.names = names.mid(0, 8);
    for (int t = 0; t < 8; ++t)
        capture.values.append(QVector<int>(t == shortTrace ? 999 : settingsOnly ? 0 : 1000, t + 1));
    QFile file(work.filePath(QStringLiteral("in.Static")));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(CaptureFiles::formatStatic(capture, "a", "b").toUtf8()));
    file.close();
    ModalBoxAnswerer answerer;
    answerer.setFileAnswer(file.fileName());
    window.on_pushButton_Load_clicked();
    if (!refused.isEmpty()) {
        QCOMPARE(answerer.count(), 2);
        for (const QString &part : refused.split('|'))
            QVERIFY2(answerer.last().text.contains(part), qPrintable(answerer.last().text));
        QCOMPARE(window.dataCH2, QVector<int>{7});
        return;
    }
    QCOMPARE(currentIndexes(ui), (QList<int>{0, 2, tag.endsWith("translated") ? 27 : access ? 28 : 6, 9}));
    if (settingsOnly) {
        QCOMPARE(ui->widget_Static->graphCount(), 0);
        return;
    }
    QCOMPARE(window.graphCH1->valueAxis()->label(), QStringLiteral("CH1:") + ui->comboBox_CH1->currentText());
    QList<int> shown{ui->comboBox_triggerType1->currentIndex(), ui->comboBox_triggerChoose1->currentIndex(),
                     ui->spinBox_triggerLevel1->value(), ui->spinBox_triggerLevel2->value(),
                     ui->comboBox_CH2_IO->currentIndex(), ui->comboBox_CH4_IO->currentIndex()};
    shown << window.dataCH1.value(0) << window.dataIO1.value(0) << window.dataCH2.value(0) << window.dataIO2.value(0)
          << window.dataCH3.value(0) << window.dataIO3.value(0) << window.dataCH4.value(0) << window.dataIO4.value(0);
    QCOMPARE(shown, (QList<int>{4, 2, 120, -45, 28, access ? 40 : 31, 1, 2, 3, 4, 5, 6, 7, 8}));
    ui->spinBox_interval->setValue(20); // the loaded capture's time unit stays on the axis
    window.redrawCheckedTraces();
    QCOMPARE(ui->widget_Static->xAxis->label(), QStringLiteral("Time: 125μs*3"));
}

void TestCaptureWindow::gainTabLook_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("maximised"); // else at the form's size, where nothing maximises it
    QTest::newRow("English, form's size") << 0 << false;
    QTest::newRow("English, maximised on 800x600") << 0 << true;
    QTest::newRow("Chinese, form's size") << 1 << false;
    QTest::newRow("Chinese, maximised on 800x600") << 1 << true;
}

// At the sizes the window opens at, connected: each gain field shows "not read" whole, not cut to
// "n…", and at the form's size not at the captions' cost (they wrap where the row is short). Read
// and Setting, blue on olive while pressable, look greyed while a pass or a capture runs.
void TestCaptureWindow::gainTabLook()
{
    QFETCH(int, language);
    QFETCH(bool, maximised);
    TempWorkDir work;
    Language chosen(language);
    staticWindow window;
    window.ui->tabWidget->setCurrentWidget(window.ui->tab_3);
    window.isOpenSerialPlot(true);
    maximised ? window.showStaticWindow() : window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_COMPARE(window.width() < 1077, maximised); // the offscreen screen is 800 x 600
    const QList<QLineEdit *> fields = window.ui->tab_3->findChildren<QLineEdit *>();
    QCOMPARE(fields.size(), 7);
    for (const QLineEdit *field : fields) {
        QCOMPARE(field->placeholderText(), UnreadValue::text());
        const int needed = field->fontMetrics().horizontalAdvance(field->placeholderText());
        QVERIFY2(needed <= textWidth(field),
                 qPrintable(field->objectName() + QStringLiteral(": %1 px for %2").arg(textWidth(field)).arg(needed)));
    }
    for (const QLabel *label : window.ui->tab_3->findChildren<QLabel *>())
        QVERIFY2(maximised || (label->minimumSizeHint().width() <= label->width()
                               && label->heightForWidth(label->width()) <= label->height()),
                 qPrintable(label->objectName()));
    for (QPushButton *button : {window.ui->pushButton_read, window.ui->pushButton_write}) {
        const auto background = [button] { // inside its 5 px border
            return button->grab().toImage().pixelColor(8, button->height() / 2);
        };
        QVERIFY(button->isEnabled());
        QCOMPARE(background(), QColor(170, 170, 127));
        button->setEnabled(false);
        QCOMPARE(background(), QColor(209, 209, 209)); // the window's grey
        QCOMPARE(button->palette().color(QPalette::Disabled, QPalette::ButtonText), QColor(135, 135, 101));
    }
}

QTEST_MAIN(TestCaptureWindow)
#include "tst_capturewindow.moc"
