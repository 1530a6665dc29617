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

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
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

// The windows of the shell, the link and the parameter management.
const QStringList kWindows = {
    QStringLiteral("MainWindow"), QStringLiteral("ChooseDialog"), QStringLiteral("serialPort"),
    QStringLiteral("parameterWindow"), QStringLiteral("compareWindow"), QStringLiteral("PasswordDialog"),
    QStringLiteral("AutoWindow"),
};

// The texts a user sees in those windows, keyed by the widget's name (a second widget of the
// same name counts apart): labels, buttons, combo boxes, actions and window titles of the
// widgets visible within their window.
QMap<QString, QString> shownTexts(const WindowSet &set)
{
    QMap<QString, QString> texts;
    for (QWidget *window : set.createdWindows()) {
        const QString prefix = QString::fromLatin1(window->metaObject()->className());
        if (!kWindows.contains(prefix))
            continue;
        texts[prefix + QStringLiteral(" title")] = window->windowTitle();
        for (QAction *action : window->findChildren<QAction *>())
            texts[prefix + QLatin1Char('/') + action->objectName()] = action->text() + QLatin1Char('|') + action->toolTip();
        for (QWidget *widget : window->findChildren<QWidget *>()) {
            if (!widget->isVisibleTo(window))
                continue;
            QString text;
            if (auto *label = qobject_cast<QLabel *>(widget))
                text = label->text();
            else if (auto *button = qobject_cast<QAbstractButton *>(widget))
                text = button->text();
            else if (auto *box = qobject_cast<QComboBox *>(widget))
                text = box->currentText();
            if (text.isEmpty())
                continue;
            QString key = prefix + QLatin1Char('/') + QString::fromLatin1(widget->metaObject()->className())
                + QLatin1Char(':') + widget->objectName();
            while (texts.contains(key))
                key += QLatin1Char('+');
            texts[key] = text;
        }
    }
    return texts;
}

QStringList differences(const QMap<QString, QString> &fresh, const QMap<QString, QString> &switched)
{
    QStringList lines;
    QStringList keys = fresh.keys() + switched.keys();
    keys.removeDuplicates();
    for (const QString &key : qAsConst(keys)) {
        if (fresh.value(key, QStringLiteral("<none>")) != switched.value(key, QStringLiteral("<none>")))
            lines << key + QStringLiteral(": fresh \"") + fresh.value(key, QStringLiteral("<none>"))
                    + QStringLiteral("\", switched \"") + switched.value(key, QStringLiteral("<none>")) + QLatin1Char('"');
    }
    lines.sort();
    return lines;
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

        QCOMPARE(answerer.count(), 1);
        window.recevieStatus({QStringLiteral("0123")});
        QCOMPARE(answerer.count(), 2);
        QVERIFY(answerer.last().text.endsWith(QStringLiteral(":E.123")));
    }
    QCoreApplication::removeTranslator(&startup);
}

// Every window after a switch shows what a fresh start in that language shows: no text (and no
// widget) of the language left behind.
void TestLanguage::roundTripLooksLikeAFreshStart()
{
    TempWorkDir work;
    ModalBoxAnswerer answerer;
    QMap<QString, QString> fresh[2];
    QMap<QString, QString> switched[2]; // English start, to Chinese, back to English
    for (int language : {1, 0}) {
        QSettings(QStringLiteral("language.ini"), QSettings::IniFormat).setValue(QStringLiteral("config/languageChoose"), language);
        QTranslator startup;
        QVERIFY(startup.load(translationResource(language), QString(), QString(), QString()));
        QCoreApplication::installTranslator(&startup);
        LanguageSwitcher::adoptStartupTranslator(&startup);
        {
            WindowSet set;
            fresh[language] = shownTexts(set);
            for (int target : {1, 0}) {
                if (language == 1)
                    break;
                set.windows().mainWindow->findChild<QAction *>(QLatin1String(target ? "action_Chinese" : "action_English"))->trigger();
                QCoreApplication::processEvents();
                switched[target] = shownTexts(set);
            }
        }
        QCoreApplication::removeTranslator(&startup);
    }
    for (int language : {1, 0}) {
        const QStringList wrong = differences(fresh[language], switched[language]);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
    }
}

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
