// The language: main's choice from "language.ini" at start, and the switch while the program
// runs (every window relabelled, the choice written, the title kept).

#include "choicefiles.h"
#include "languageswitcher.h"
#include "mainwindow.h"
#include "modalanswerer.h"
#include "passworddialog.h"
#include "tempworkdir.h"
#include "translation.h"
#include "windowset.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QTranslator>
#include <QtTest>

namespace {

QString actionText(const MainWindow &window, const char *name)
{
    auto *action = window.findChild<QAction *>(QString::fromLatin1(name));
    return action ? action->text() : QString();
}

// What a user sees in the windows, sorted: titles, actions and tool tips, visible widgets' texts.
QStringList shownTexts(const WindowSet &set)
{
    QStringList texts;
    for (QWidget *window : set.createdWindows()) {
        const QString name = QString::fromLatin1(window->metaObject()->className()) + QLatin1Char('/');
        texts << name + window->windowTitle();
        for (QAction *action : window->findChildren<QAction *>(QRegularExpression(QStringLiteral(".")))) // named ones
            texts << name + action->objectName() + QLatin1Char(' ') + action->text() + QLatin1Char('|') + action->toolTip();
        for (QWidget *widget : window->findChildren<QWidget *>()) {
            const QString text = widget->property("text").toString() + widget->property("currentText").toString();
            if (widget->isVisibleTo(window) && !text.isEmpty())
                texts << name + widget->objectName() + QLatin1Char(' ') + text;
            if (!widget->property("placeholderText").toString().isEmpty()) // on any tab: it shows once chosen
                texts << name + widget->objectName() + QLatin1Char(' ') + widget->property("placeholderText").toString();
        }
    }
    texts.sort();
    return texts;
}

} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT

private slots:
    void startupChoice_data();
    void startupChoice();
    void switchWhileRunning_data();
    void switchWhileRunning();
    void roundTripLooksLikeAFreshStart();
};

void TestLanguage::startupChoice_data()
{
    QTest::addColumn<QByteArray>("contents"); // empty: no file
    QTest::addColumn<int>("choice");

    QTest::newRow("no file") << QByteArray() << 0;
    QTest::newRow("no key") << QByteArray("[config]\nother=1\n") << 0;
    QTest::newRow("0") << QByteArray("[config]\nlanguageChoose=0\n") << 0;
    QTest::newRow("1") << QByteArray("[config]\nlanguageChoose=1\n") << 1;
    QTest::newRow("2") << QByteArray("[config]\nlanguageChoose=2\n") << 2;
    QTest::newRow("not a number") << QByteArray("[config]\nlanguageChoose=abc\n") << 0;
}

void TestLanguage::startupChoice()
{
    QFETCH(QByteArray, contents);
    QFETCH(int, choice);

    TempWorkDir work;
    if (!contents.isEmpty()) {
        QFile file(QStringLiteral("language.ini"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
    QCOMPARE(readLanguageChoice(), choice);

    // What main then loads: the English file, or the Chinese one (which leaves the Chinese
    // source texts as they are) for any other number.
    QTranslator translator;
    QVERIFY(translator.load(translationResource(choice), QString(), QString(), QString()));
    QCOMPARE(translator.translate("MainWindow", " 显示参数(P)"), choice == 0 ? QStringLiteral(" Display parameter (P)") : QString());
}

void TestLanguage::switchWhileRunning_data()
{
    QTest::addColumn<int>("startLanguage");
    QTest::addColumn<int>("target");

    QTest::newRow("English start, to Chinese") << 0 << 1;
    QTest::newRow("English start, to English") << 0 << 0;
    QTest::newRow("Chinese start, to English") << 1 << 0;
    QTest::newRow("Chinese start, to Chinese") << 1 << 1;
}

void TestLanguage::switchWhileRunning()
{
    QFETCH(int, startLanguage);
    QFETCH(int, target);
    const bool english = target == 0;

    TempWorkDir work;
    QTranslator startup;
    QVERIFY(startup.load(translationResource(startLanguage), QString(), QString(), QString()));
    QCoreApplication::installTranslator(&startup);
    LanguageSwitcher::adoptStartupTranslator(&startup);
    {
        ModalBoxAnswerer answerer;
        MainWindow window;
        PasswordDialog password;
        // An alarm announced before the switch is announced again after it.
        window.recevieStatus({QStringLiteral("8020")});
        window.recevieStatus({QStringLiteral("0123")});
        QSignalSpy toEnglish(&window, &MainWindow::changeLanguageEnglish);
        QSignalSpy toChinese(&window, &MainWindow::changeLanguageChinese);
        window.findChild<QAction *>(english ? QStringLiteral("action_English") : QStringLiteral("action_Chinese"))->trigger();

        QCOMPARE(toEnglish.count(), english ? 1 : 0);
        QCOMPARE(toChinese.count(), english ? 0 : 1);
        // The start-up file must not answer for texts the new one leaves in their source
        // language: after a switch to Chinese the menus are Chinese, not still English.
        QCOMPARE(window.findChild<QMenu *>(QStringLiteral("menu"))->title(),
                 english ? QStringLiteral("File") : QStringLiteral("文件"));
        QCOMPARE(actionText(window, "action_Dynamic"), english ? QStringLiteral(" Dynamic map(D)") : QStringLiteral(" 动态图(D)"));
        QCOMPARE(password.findChild<QLabel *>(QStringLiteral("label"))->text(),
                 english ? QStringLiteral("PassWord:") : QStringLiteral("密码："));
        QCOMPARE(window.windowTitle(), QStringLiteral("Tavrilon"));
        // Shortcuts are not translated.
        QCOMPARE(window.findChild<QAction *>(QStringLiteral("action_Dynamic"))->shortcut().toString(),
                 QStringLiteral("Alt+D"));

        QSettings written(QStringLiteral("language.ini"), QSettings::IniFormat);
        QVERIFY(written.contains(QStringLiteral("config/languageChoose")));
        QCOMPARE(written.value(QStringLiteral("config/languageChoose")).toInt(), target);

        QTRY_COMPARE(answerer.count(), 1);
        window.recevieStatus({QStringLiteral("0123")});
        QTRY_COMPARE(answerer.count(), 2);
        QVERIFY(answerer.last().text.endsWith(QStringLiteral(":E.123")));
    }
    QCoreApplication::removeTranslator(&startup);
}

// After a switch there and back every window shows what a fresh start in that language shows.
void TestLanguage::roundTripLooksLikeAFreshStart()
{
    TempWorkDir work;
    QStringList fresh[2], switched[2];
    for (int language : {1, 0}) {
        QSettings(QStringLiteral("language.ini"), QSettings::IniFormat).setValue(QStringLiteral("config/languageChoose"), language);
        QTranslator startup;
        QVERIFY(startup.load(translationResource(language), QString(), QString(), QString()));
        QCoreApplication::installTranslator(&startup);
        LanguageSwitcher::adoptStartupTranslator(&startup);
        {
            WindowSet set;
            fresh[language] = shownTexts(set);
            for (int target = 1; language == 0 && target >= 0; --target) { // to Chinese and back
                set.windows().mainWindow->findChild<QAction *>(QLatin1String(target ? "action_Chinese" : "action_English"))->trigger();
                switched[target] = shownTexts(set);
            }
        }
        QCoreApplication::removeTranslator(&startup);
    }
    QCOMPARE(switched[0] + switched[1], fresh[0] + fresh[1]);
}

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
