// The language: main's choice from "language.ini" at start, and the switch while the program
// runs (every window relabelled, the choice written, the title kept).

#include "choicefiles.h"
#include "languageswitcher.h"
#include "mainwindow.h"
#include "modalanswerer.h"
#include "passworddialog.h"
#include "tempworkdir.h"
#include "translation.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QSignalSpy>
#include <QTranslator>
#include <QtTest>

namespace {

void writeLanguageFile(const QByteArray &contents)
{
    QFile file(QStringLiteral("language.ini"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

QString menuTitle(const MainWindow &window, const char *name)
{
    auto *menu = window.findChild<QMenu *>(QString::fromLatin1(name));
    return menu ? menu->title() : QString();
}

QString actionText(const MainWindow &window, const char *name)
{
    auto *action = window.findChild<QAction *>(QString::fromLatin1(name));
    return action ? action->text() : QString();
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
    void switchAnnouncesAnAlarmAgain();
};

void TestLanguage::startupChoice_data()
{
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("parameterAction");

    const QString english = QStringLiteral(" Display parameter (P)");
    const QString chinese = QStringLiteral(" 显示参数(P)");
    QTest::newRow("no file") << false << QByteArray() << 0 << english;
    QTest::newRow("no key") << true << QByteArray("[config]\nother=1\n") << 0 << english;
    QTest::newRow("0") << true << QByteArray("[config]\nlanguageChoose=0\n") << 0 << english;
    QTest::newRow("1") << true << QByteArray("[config]\nlanguageChoose=1\n") << 1 << chinese;
    QTest::newRow("2") << true << QByteArray("[config]\nlanguageChoose=2\n") << 2 << chinese;
    QTest::newRow("not a number") << true << QByteArray("[config]\nlanguageChoose=abc\n") << 0 << english;
}

void TestLanguage::startupChoice()
{
    QFETCH(bool, fileExists);
    QFETCH(QByteArray, contents);
    QFETCH(int, choice);
    QFETCH(QString, parameterAction);

    TempWorkDir work;
    if (fileExists)
        writeLanguageFile(contents);
    QCOMPARE(readLanguageChoice(), choice);

    // What main then loads: the English file, or the Chinese one for any other number.
    QTranslator translator;
    QVERIFY(translator.load(translationResource(choice), QString(), QString(), QString()));
    QCoreApplication::installTranslator(&translator);
    {
        MainWindow window;
        QCOMPARE(actionText(window, "action_Parameter"), parameterAction);
        QCOMPARE(window.windowTitle(), QStringLiteral("Tavrilon"));
    }
    QCoreApplication::removeTranslator(&translator);
}

void TestLanguage::switchWhileRunning_data()
{
    QTest::addColumn<int>("startLanguage");
    QTest::addColumn<int>("target");
    QTest::addColumn<QString>("fileMenu");
    QTest::addColumn<QString>("dynamicAction");
    QTest::addColumn<QString>("passwordLabel");

    const QString file = QStringLiteral("File");
    const QString wenjian = QStringLiteral("文件");
    QTest::newRow("English start, to Chinese") << 0 << 1 << wenjian << QStringLiteral(" 动态图(D)") << QStringLiteral("密码：");
    QTest::newRow("English start, to English") << 0 << 0 << file << QStringLiteral(" Dynamic map(D)") << QStringLiteral("PassWord:");
    QTest::newRow("Chinese start, to English") << 1 << 0 << file << QStringLiteral(" Dynamic map(D)") << QStringLiteral("PassWord:");
    QTest::newRow("Chinese start, to Chinese") << 1 << 1 << wenjian << QStringLiteral(" 动态图(D)") << QStringLiteral("密码：");
}

void TestLanguage::switchWhileRunning()
{
    QFETCH(int, startLanguage);
    QFETCH(int, target);
    QFETCH(QString, fileMenu);
    QFETCH(QString, dynamicAction);
    QFETCH(QString, passwordLabel);

    TempWorkDir work;
    QTranslator startup;
    QVERIFY(startup.load(translationResource(startLanguage), QString(), QString(), QString()));
    QCoreApplication::installTranslator(&startup);
    LanguageSwitcher::adoptStartupTranslator(&startup);
    {
        MainWindow window;
        PasswordDialog password;
        QSignalSpy english(&window, &MainWindow::changeLanguageEnglish);
        QSignalSpy chinese(&window, &MainWindow::changeLanguageChinese);

        auto *action = window.findChild<QAction *>(target == 0 ? QStringLiteral("action_English")
                                                               : QStringLiteral("action_Chinese"));
        QVERIFY(action);
        action->trigger();

        QCOMPARE(english.count(), target == 0 ? 1 : 0);
        QCOMPARE(chinese.count(), target == 0 ? 0 : 1);
        // The start-up file must not answer for texts the new one leaves in their source
        // language: after a switch to Chinese the menus are Chinese, not still English.
        QCOMPARE(menuTitle(window, "menu"), fileMenu);
        QCOMPARE(actionText(window, "action_Dynamic"), dynamicAction);
        QCOMPARE(password.findChild<QLabel *>(QStringLiteral("label"))->text(), passwordLabel);
        // The window keeps the tool's name as its title.
        QCOMPARE(window.windowTitle(), QStringLiteral("Tavrilon"));
        // Shortcuts are not translated.
        QCOMPARE(window.findChild<QAction *>(QStringLiteral("action_Dynamic"))->shortcut().toString(),
                 QStringLiteral("Alt+D"));

        QSettings written(QStringLiteral("language.ini"), QSettings::IniFormat);
        QVERIFY(written.contains(QStringLiteral("config/languageChoose")));
        QCOMPARE(written.value(QStringLiteral("config/languageChoose")).toInt(), target);
        QCOMPARE(readLanguageChoice(), target);
    }
    QCoreApplication::removeTranslator(&startup);
}

void TestLanguage::switchAnnouncesAnAlarmAgain()
{
    TempWorkDir work;
    ModalBoxAnswerer answerer;
    MainWindow window;
    window.recevieStatus({QStringLiteral("8020")});
    window.recevieStatus({QStringLiteral("0123")});
    QCOMPARE(answerer.count(), 1);
    QVERIFY(window.alarmAnnounced());

    window.findChild<QAction *>(QStringLiteral("action_English"))->trigger();
    QVERIFY(!window.alarmAnnounced());
    window.recevieStatus({QStringLiteral("0123")});
    QCOMPARE(answerer.count(), 2);
    QCOMPARE(answerer.last().text, QStringLiteral("Alarm signal:E.123"));
}

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
