// The help launcher against a stand-in viewer: a script that records how it was started and
// what it was sent on its standard input.

#include "helplauncher.h"
#include "mainwindow.h"
#include "modalanswerer.h"
#include "tempworkdir.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/types.h>

namespace {

const QByteArray introduceCommand = "setSource qthelp://Tavrilon.help/doc/htmlfile/introduce.html\n";

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Waits until the file holds the given number of lines. Another process writes it, so no
// event announces it: the file is looked at every 20 ms.
bool waitForLines(const QString &path, int lines, int ms = 5000)
{
    QElapsedTimer clock;
    clock.start();
    while (readAll(path).count('\n') < lines) {
        if (clock.hasExpired(ms))
            return false;
        QTest::qWait(20);
    }
    return true;
}

} // namespace

class TestHelpLauncher : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void twoRequestsStartOneViewer();
    void anEndedViewerIsStartedAgain();
    void noViewerIsReported();
    void theViewerEndsWithTheLauncher();
    void mainWindowKeepsOneLauncher();

private:
    // A viewer that records its start, its arguments, its process id and its input; with
    // oneLine it leaves after the first command, as when the user closes it.
    QString writeViewer(bool oneLine = false);
    QString file(const QString &name) const { return dir->filePath(name); }

    std::unique_ptr<QTemporaryDir> dir;
};

void TestHelpLauncher::init()
{
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
}

void TestHelpLauncher::cleanup()
{
    dir.reset();
}

QString TestHelpLauncher::writeViewer(bool oneLine)
{
    const QString path = file(QStringLiteral("viewer.sh"));
    QFile script(path);
    if (!script.open(QIODevice::WriteOnly))
        return QString();
    QByteArray text = "#!/bin/sh\n"
                      "d=\"$(dirname \"$0\")\"\n"
                      "echo started >> \"$d/starts\"\n"
                      "printf '%s\\n' \"$@\" > \"$d/args\"\n"
                      "echo $$ > \"$d/pid\"\n";
    text += oneLine ? "head -n 1 >> \"$d/input\"\n" : "exec cat >> \"$d/input\"\n";
    script.write(text);
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    return path;
}

void TestHelpLauncher::twoRequestsStartOneViewer()
{
    HelpLauncher launcher;
    launcher.setProgram(writeViewer());
    launcher.showDocumentation(QStringLiteral("introduce.html"));
    launcher.showDocumentation(QStringLiteral("introduce.html"));
    QVERIFY(waitForLines(file(QStringLiteral("input")), 2));

    QCOMPARE(readAll(file(QStringLiteral("starts"))), QByteArray("started\n"));
    // Remote control switched on, and the collection looked for next to the executable.
    const QByteArray expectedArgs = "-collectionFile\n"
        + QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Tavhelp.qhc")).toLocal8Bit()
        + "\n-enableRemoteControl\n";
    QCOMPARE(readAll(file(QStringLiteral("args"))), expectedArgs);
    QCOMPARE(readAll(file(QStringLiteral("input"))), introduceCommand + introduceCommand);
}

void TestHelpLauncher::anEndedViewerIsStartedAgain()
{
    HelpLauncher launcher;
    launcher.setProgram(writeViewer(true));
    launcher.showDocumentation(QStringLiteral("introduce.html"));
    QVERIFY(waitForLines(file(QStringLiteral("input")), 1));
    QTRY_VERIFY_WITH_TIMEOUT(!launcher.isRunning(), 5000);

    launcher.showDocumentation(QStringLiteral("connect.html"));
    QVERIFY(waitForLines(file(QStringLiteral("input")), 2));
    QCOMPARE(readAll(file(QStringLiteral("starts"))), QByteArray("started\nstarted\n"));
    QCOMPARE(readAll(file(QStringLiteral("input"))),
             introduceCommand + "setSource qthelp://Tavrilon.help/doc/htmlfile/connect.html\n");
}

void TestHelpLauncher::noViewerIsReported()
{
    ModalBoxAnswerer answerer;
    HelpLauncher launcher;
    launcher.setProgram(file(QStringLiteral("no-such-viewer")));
    QVERIFY(!launcher.startAssistant());
    QCOMPARE(answerer.count(), 1);
    QCOMPARE(answerer.last().title, QStringLiteral("help"));
    QCOMPARE(answerer.last().icon, QMessageBox::Critical);
    QVERIFY(answerer.last().text.endsWith(QStringLiteral("(1)")));

    launcher.showDocumentation(QStringLiteral("introduce.html"));
    QCOMPARE(answerer.count(), 2);
    QVERIFY(!launcher.isRunning());
}

void TestHelpLauncher::theViewerEndsWithTheLauncher()
{
    qint64 pid = 0;
    {
        HelpLauncher launcher;
        launcher.setProgram(writeViewer());
        QVERIFY(launcher.startAssistant());
        QVERIFY(waitForLines(file(QStringLiteral("pid")), 1));
        pid = readAll(file(QStringLiteral("pid"))).trimmed().toLongLong();
        QVERIFY(pid > 0);
        QCOMPARE(::kill(pid_t(pid), 0), 0);
    }
    // Ended and reaped: the process id no longer exists.
    QVERIFY(::kill(pid_t(pid), 0) != 0);
}

void TestHelpLauncher::mainWindowKeepsOneLauncher()
{
    TempWorkDir work;
    ModalBoxAnswerer answerer;
    MainWindow window;
    window.helpViewer().setProgram(writeViewer());
    auto *help = window.findChild<QAction *>(QStringLiteral("action_help_2"));
    QVERIFY(help);
    help->trigger();
    help->trigger();
    QVERIFY(waitForLines(file(QStringLiteral("input")), 2));
    QCOMPARE(readAll(file(QStringLiteral("starts"))), QByteArray("started\n"));
    QCOMPARE(answerer.count(), 0);

    // Without a viewer the window adds its own warning after the launcher's box.
    window.helpViewer().setProgram(file(QStringLiteral("no-such-viewer")));
    ::kill(pid_t(readAll(file(QStringLiteral("pid"))).trimmed().toLongLong()), SIGTERM);
    QTRY_VERIFY_WITH_TIMEOUT(!window.helpViewer().isRunning(), 5000);
    help->trigger();
    QCOMPARE(answerer.count(), 2);
    QCOMPARE(answerer.boxes().at(0).title, QStringLiteral("help"));
    QCOMPARE(answerer.boxes().at(1).icon, QMessageBox::Warning);
}

QTEST_MAIN(TestHelpLauncher)
#include "tst_helplauncher.moc"
