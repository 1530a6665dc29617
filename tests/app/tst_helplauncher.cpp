// The help launcher against a stand-in viewer: a script that records how it was started and
// what it was sent on its standard input.

#include "helplauncher.h"
#include "mainwindow.h"
#include "modalanswerer.h"
#include "tempworkdir.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/types.h>

namespace {

QByteArray setSource(const char *page)
{
    return QByteArray("setSource qthelp://Tavrilon.help/doc/htmlfile/") + page + '\n';
}

} // namespace

class TestHelpLauncher : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
    }
    void twoRequestsStartOneViewerEndedWithTheLauncher();
    void anEndedViewerIsStartedAgain();
    void mainWindowKeepsOneLauncher();

private:
    // A viewer that records its start, its arguments, its process id and its input; with
    // oneLine it leaves after the first command, as when the user closes it.
    QString writeViewer(bool oneLine = false);
    QString file(const char *name) const { return dir->filePath(QLatin1String(name)); }
    QByteArray read(const char *name) const
    {
        QFile f(file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // Another process writes the files, so no event announces them: QTRY looks again and again.
    int lines(const char *name) const { return read(name).count('\n'); }
    pid_t viewerPid() const { return pid_t(read("pid").trimmed().toLongLong()); }

    std::unique_ptr<QTemporaryDir> dir;
};

QString TestHelpLauncher::writeViewer(bool oneLine)
{
    QFile script(file("viewer.sh"));
    if (!script.open(QIODevice::WriteOnly))
        return QString();
    script.write(QByteArray("#!/bin/sh\n"
                            "d=\"$(dirname \"$0\")\"\n"
                            "echo started >> \"$d/starts\"\n"
                            "printf '%s\\n' \"$@\" > \"$d/args\"\n"
                            "echo $$ > \"$d/pid\"\n")
                 + (oneLine ? "head -n 1 >> \"$d/input\"\n" : "exec cat >> \"$d/input\"\n"));
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    return script.fileName();
}

void TestHelpLauncher::twoRequestsStartOneViewerEndedWithTheLauncher()
{
    pid_t pid = 0;
    {
        HelpLauncher launcher;
        launcher.setProgram(writeViewer());
        launcher.showDocumentation(QStringLiteral("introduce.html"));
        launcher.showDocumentation(QStringLiteral("introduce.html"));
        QTRY_VERIFY_WITH_TIMEOUT(lines("input") >= 2 && lines("pid") >= 1, 5000);

        QCOMPARE(read("starts"), QByteArray("started\n"));
        // Remote control switched on, and the collection looked for next to the executable.
        QCOMPARE(read("args"), "-collectionFile\n"
                     + QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Tavhelp.qhc")).toLocal8Bit()
                     + "\n-enableRemoteControl\n");
        QCOMPARE(read("input"), setSource("introduce.html") + setSource("introduce.html"));
        pid = viewerPid();
        QVERIFY(pid > 0);
        QCOMPARE(::kill(pid, 0), 0);
    }
    // Ended and reaped with the launcher: the process id no longer exists.
    QVERIFY(::kill(pid, 0) != 0);
}

void TestHelpLauncher::anEndedViewerIsStartedAgain()
{
    HelpLauncher launcher;
    launcher.setProgram(writeViewer(true));
    launcher.showDocumentation(QStringLiteral("introduce.html"));
    QTRY_COMPARE_WITH_TIMEOUT(lines("input"), 1, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(!launcher.isRunning(), 5000);

    launcher.showDocumentation(QStringLiteral("connect.html"));
    QTRY_COMPARE_WITH_TIMEOUT(lines("input"), 2, 5000);
    QCOMPARE(read("starts"), QByteArray("started\nstarted\n"));
    QCOMPARE(read("input"), setSource("introduce.html") + setSource("connect.html"));
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
    QTRY_VERIFY_WITH_TIMEOUT(lines("input") >= 2 && lines("pid") >= 1, 5000);
    QCOMPARE(read("starts"), QByteArray("started\n"));
    QCOMPARE(answerer.count(), 0);

    // Without a viewer the launcher reports it and the window adds its own warning.
    window.helpViewer().setProgram(file("no-such-viewer"));
    ::kill(viewerPid(), SIGTERM);
    QTRY_VERIFY_WITH_TIMEOUT(!window.helpViewer().isRunning(), 5000);
    QVERIFY(!window.helpViewer().startAssistant());
    QCOMPARE(answerer.count(), 1);
    help->trigger();
    QVERIFY(!window.helpViewer().isRunning());
    QCOMPARE(answerer.count(), 3);
    QCOMPARE(answerer.boxes().at(1).icon, QMessageBox::Critical);
    QCOMPARE(answerer.boxes().at(2).icon, QMessageBox::Warning);
}

QTEST_MAIN(TestHelpLauncher)
#include "tst_helplauncher.moc"
