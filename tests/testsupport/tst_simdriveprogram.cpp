// tavrilon-simdrive as scripts/run --simulated starts it, read through the tool's own link:
// the model word and a parameter's information record come back as the family's drive holds them;
// the name it links is its own only where no running drive holds it, it can lock it, and nothing
// but a drive's stale link stands (of drives started on it at once or while one is in its claim,
// one takes it), and it removes only a link still its own.

#include "linkclaim.h"
#include "serialport.h"
#include "tempworkdir.h"

#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <stdlib.h>
#include <unistd.h>

namespace {
// What stands at a path: a link's target, "file", or nothing.
QString standing(const QString &path)
{
    const QFileInfo info(path);
    return info.isSymLink() ? info.symLinkTarget() : info.exists() ? QStringLiteral("file") : QString();
}

// Whether a VR drive answers a read of its model word through the link.
bool answers(const QString &link)
{
    serialPort port;
    QSignalSpy replies(&port, &serialPort::readDataToShow);
    if (!port.openPort(link, 57600))
        return false;
    port.readSerial("C000", "0001", 1);
    return replies.wait(10000);
}

// Whether a process is stopped (by a signal), as a drive stalls at a step of its claim.
bool stalled(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = stat.readAll();
    return text.mid(text.lastIndexOf(')') + 2, 1) == "T";
}
} // namespace

class TestSimDriveProgram : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void modelAndRecord_data();
    void modelAndRecord();
    void linkName_data();
    void linkName();
    void startRace_data();
    void startRace();
    void lockFile();

private:
    QTemporaryDir m_locks; // the drives' lock files, away from those of a real session
};

void TestSimDriveProgram::initTestCase()
{
    QVERIFY(m_locks.isValid());
    qputenv("TAVRILON_SIMDRIVE_LOCK_DIR", QFile::encodeName(m_locks.path()));
}

void TestSimDriveProgram::modelAndRecord_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<QByteArrayList>("requests"); // model register; mailbox, PA100's address; record, words
    QTest::addColumn<QString>("words");           // the model word, then the record's first words

    // A VR1P; PA100 is 10..20000, default 400 (an unused word, then low/high words).
    QTest::newRow("vr") << "vr" << QByteArrayList{"C000", "CF00", "0100", "CF01", "0009"}
                        << "0010 0000 4E20 0000 000A 0000 0190 0000";
    // An HXQ1; PA100 is register 100, -32768..32767, default 0.
    QTest::newRow("hxq") << "hxq" << QByteArrayList{"0712", "0751", "0064", "0752", "0004"} << "0010 7FFF 8000 0000";
}

void TestSimDriveProgram::modelAndRecord()
{
    QFETCH(QString, family);
    QFETCH(QByteArrayList, requests);
    QFETCH(QString, words);

    TempWorkDir dir;
    const QString link = dir.filePath(QStringLiteral("COM3"));
    QProcess drive;
    drive.start(QStringLiteral(SIMDRIVE_PROGRAM), {QStringLiteral("--family"), family, QStringLiteral("--link"), link});
    QTRY_VERIFY_WITH_TIMEOUT(drive.canReadLine(), 20000);
    QCOMPARE(QString::fromLocal8Bit(drive.readLine()).trimmed(), link);

    serialPort port;
    QVERIFY(port.openPort(link, 57600));
    QSignalSpy replies(&port, &serialPort::readDataToShow);
    QSignalSpy echoes(&port, &serialPort::writeDataToCheck);
    port.readSerial(requests.at(0), "0001", 1);
    QTRY_COMPARE_WITH_TIMEOUT(replies.count(), 1, 10000);
    port.writeSerial(requests.at(1), requests.at(2), 1);
    QTRY_COMPARE_WITH_TIMEOUT(echoes.count(), 1, 10000);
    port.TreeViewOk(true); // as the windows do: the words of the next reply only
    port.readSerial(requests.at(3), requests.at(4), 1);
    QTRY_COMPARE_WITH_TIMEOUT(replies.count(), 2, 10000);

    const QStringList got = QStringList(replies.at(0).at(0).value<QVector<QString>>().toList())
        + QStringList(replies.at(1).at(0).value<QVector<QString>>().toList());
    QVERIFY2(got.join(' ').startsWith(words), qPrintable(got.join(' ')));
    port.closePort();
    drive.terminate();
    QVERIFY(drive.waitForFinished(10000));
}

void TestSimDriveProgram::linkName_data()
{
    QTest::addColumn<QString>("before");      // at the path when the drive starts ("drive": a running one's link,
                                              // "ending drive": so, the drive told to end as this one starts,
                                              // "stale, pty aside": a stale link, and a link to a terminal the test
                                              // holds open where the drive moves a stale link aside,
                                              // "pty": a link to a terminal the test holds open,
                                              // "pty, locked": so, and a drive stalled in its claim has the name locked,
                                              // "older drive": nothing, but the name's lock in the lock folder is held,
                                              // "no lock": nothing, but no lock file can be made beside it)
    QTest::addColumn<int>("status");          // the drive's exit status while it runs (0) or once it ended (or the signal that ended it)
    QTest::addColumn<QString>("replacement"); // the link someone else puts there while the drive runs, or (a refused
                                              // row) after its look at a stale link, then what happens while it has
                                              // that aside (a link; "stop": the drive is told to end)
    QTest::addColumn<QString>("after");       // at the path once every drive ended

    // The first drive keeps its link and removes it when it ends.
    QTest::newRow("held by a running drive") << "drive" << 3 << "" << "";
    QTest::newRow("held by a drive that is ending") << "ending drive" << 0 << "" << "";
    // A drive of an older build locks the name in the lock folder only.
    QTest::newRow("locked by an older drive") << "older drive" << 3 << "" << "";
    // A terminal that is open (another drive's under another lock folder, a socat pair's, or a
    // number given out again): whatever holds it, the link is not the drive's to take.
    QTest::newRow("a link to a live terminal") << "pty" << 3 << "" << "pty";
    QTest::newRow("a link to a live terminal, locked by a drive refusing it") << "pty, locked" << 3 << "" << "pty";
    QTest::newRow("a live link made after the look at a stale one") << "/dev/pts/4242" << 3 << "pty" << "pty";
    QTest::newRow("and the name linked while that one is aside") << "/dev/pts/4242" << 3 << "pty /dev/null" << "/dev/null";
    QTest::newRow("and the drive told to end while that one is aside") << "/dev/pts/4242" << int(SIGTERM) << "pty stop" << "pty";
    QTest::newRow("and told to end while that one is aside and the name linked") << "/dev/pts/4242" << int(SIGTERM)
                                                                                  << "pty /dev/null stop" << "/dev/null";
    QTest::newRow("a link to a device") << "/dev/null" << 3 << "" << "/dev/null";
    QTest::newRow("not a link") << "file" << 3 << "" << "file";
    // The name is never taken unlocked.
    QTest::newRow("no lock beside the name") << "no lock" << 1 << "" << "";
    // (A terminal closed by the test could be given to a parallel test before the drive looks.)
    QTest::newRow("a link to a terminal that is gone") << "/dev/pts/4242" << 0 << "" << "";
    QTest::newRow("and a live link left aside by an earlier refusal") << "stale, pty aside" << 0 << "" << "";
    QTest::newRow("replaced while the drive runs") << "" << 0 << "/dev/null" << "/dev/null";
}

void TestSimDriveProgram::linkName()
{
    QFETCH(QString, before);
    QFETCH(int, status);
    QFETCH(QString, replacement);
    QFETCH(QString, after);

    TempWorkDir dir;
    const QString link = dir.filePath(QStringLiteral("COM3"));
    const QString aside = dir.filePath(QStringLiteral(".tavrilon-simdrive-COM3.stale"));
    const QString locks = dir.filePath(QStringLiteral("run/locks")); // made by the drive, its parent too
    qputenv("TAVRILON_SIMDRIVE_LOCK_DIR", QFile::encodeName(locks));
    QProcess first;
    int held = -1; // a lock file the test holds open
    const int terminal = posix_openpt(O_RDWR | O_NOCTTY); // "pty": a terminal the test holds open
    const QString pty = grantpt(terminal) == 0 && unlockpt(terminal) == 0 ? QString::fromLocal8Bit(ptsname(terminal)) : QString();
    const mode_t mask = ::umask(077); // as a root's may be: the lock files and folders are every user's all the same
    const auto restore = qScopeGuard([&] { held < 0 || ::close(held); ::close(terminal); ::umask(mask);
                                           qunsetenv("TAVRILON_SIMDRIVE_CLAIM_STOPS");
                                           qputenv("TAVRILON_SIMDRIVE_LOCK_DIR", QFile::encodeName(m_locks.path())); });
    if (before.startsWith(QLatin1String("pty"))) {
        QVERIFY(!pty.isEmpty() && QFile::link(pty, link));
        if (before.endsWith(QLatin1String("locked"))) {
            qputenv("TAVRILON_SIMDRIVE_CLAIM_STOPS", "locked");
            first.start(QStringLiteral(SIMDRIVE_PROGRAM), {QStringLiteral("--link"), link});
            QTRY_VERIFY_WITH_TIMEOUT(stalled(first.processId()), 20000);
        }
    } else if (before == QLatin1String("older drive")) {
        QVERIFY(QDir().mkpath(locks));
        held = ::open(QFile::encodeName(LinkClaim::lockFilePath(link, locks)).constData(), O_RDONLY | O_CREAT, 0644);
        QVERIFY(held >= 0 && ::flock(held, LOCK_EX) == 0);
    } else if (before.endsWith(QLatin1String("drive"))) {
        first.start(QStringLiteral(SIMDRIVE_PROGRAM), {QStringLiteral("--link"), link});
        QTRY_VERIFY_WITH_TIMEOUT(first.canReadLine(), 20000);
    } else if (before == QLatin1String("no lock")) {
        QVERIFY(QDir().mkdir(LinkClaim::nameLockPath(link)));
    } else if (before == QLatin1String("file")) {
        QFile file(link);
        QVERIFY(file.open(QIODevice::WriteOnly));
    } else if (before == QLatin1String("stale, pty aside")) {
        QVERIFY(!pty.isEmpty() && QFile::link(QStringLiteral("/dev/pts/4242"), link) && QFile::link(pty, aside));
    } else if (!before.isEmpty()) {
        QVERIFY(QFile::link(before, link));
    }
    const bool ending = before == QLatin1String("ending drive");
    const QString was = ending ? QString() : standing(link); // (an ending drive's terminal may be given to the next)
    if (ending)
        first.terminate();

    QProcess drive;
    const bool stalls = status != 0 && !replacement.isEmpty();
    qputenv("TAVRILON_SIMDRIVE_CLAIM_STOPS", stalls ? "looked,aside" : "");
    drive.start(QStringLiteral(SIMDRIVE_PROGRAM), {QStringLiteral("--link"), link});
    for (const QString &puts : stalls ? QStringList{replacement.section(' ', 0, 0), replacement.section(' ', 1)} : QStringList()) {
        QTRY_VERIFY_WITH_TIMEOUT(stalled(drive.processId()), 20000);
        QFile::remove(link);
        for (const QString &put : puts.split(' ', Qt::SkipEmptyParts))
            QVERIFY(put == QLatin1String("stop") ? ::kill(pid_t(drive.processId()), SIGTERM) == 0
                                                 : QFile::link(put == QLatin1String("pty") ? pty : put, link));
        ::kill(pid_t(drive.processId()), SIGCONT);
    }
    if (status == 0) {
        QTRY_VERIFY_WITH_TIMEOUT(drive.canReadLine(), 20000);
        QVERIFY(standing(link).startsWith(QLatin1String("/dev/pts/")) && standing(link) != was);
        QVERIFY(answers(link));
        if (!replacement.isEmpty())
            QVERIFY(QFile::remove(link) && QFile::link(replacement, link));
    } else {
        QVERIFY(drive.waitForFinished(20000));
        QCOMPARE(drive.exitCode(), status);
        const QByteArray why = drive.readAllStandardError();
        // Ended once the link was back, saying nothing, or once it said where it left it.
        QVERIFY2(status == SIGTERM ? why.contains(QFile::encodeName(aside)) == (after != QLatin1String("pty"))
                                   : (why.contains(QFile::encodeName(link)) && why.contains("running") == (before == QLatin1String("drive"))
                                      && why.contains("is open") == before.startsWith(QLatin1String("pty"))), why.constData());
        QCOMPARE(standing(link), !stalls ? was : after == QLatin1String("pty") ? pty : after);
        QVERIFY(before != QLatin1String("drive") || answers(link));
    }
    QVERIFY(before == QLatin1String("no lock") || QFileInfo(LinkClaim::nameLockPath(link)).permissions() & QFile::ReadOther);
    const auto folderMode = [](const QString &path) { struct stat st {};
                                                      return ::stat(QFile::encodeName(path), &st) ? -1 : int(st.st_mode & 07777); };
    QVERIFY(before == QLatin1String("no lock") || before == QLatin1String("older drive")
            || (folderMode(locks) == 01777 && folderMode(QFileInfo(locks).path()) == 01777));
    QCOMPARE(folderMode(dir.path()), 0700); // one that was there keeps its mode
    QVERIFY(before != QLatin1String("stale, pty aside") || standing(aside) == pty);
    for (QProcess *process : {&drive, &first}) {
        process->state() == QProcess::NotRunning || ::kill(pid_t(process->processId()), SIGCONT); // a stalled one too
        process->terminate();
        QVERIFY(process->state() == QProcess::NotRunning || process->waitForFinished(10000));
    }
    QCOMPARE(standing(link), after == QLatin1String("pty") ? pty : after);
}

void TestSimDriveProgram::startRace_data()
{
    QTest::addColumn<QString>("before"); // at the path when the first starts
    QTest::addColumn<QString>("stops");  // the steps of its claim the first drive stalls at (none: all start at once)
    QTest::addColumn<int>("count");      // drives started on the name
    QTest::newRow("a free name") << "" << "" << 2;
    QTest::newRow("a stale link") << "/dev/pts/4242" << "" << 2;
    // The second starts while the first has the name locked, the third while the first has
    // cleared the stale link and not yet linked its own.
    QTest::newRow("a stale link, the first stalled") << "/dev/pts/4242" << "locked,cleared" << 3;
}

// Drives of separate lock folders started on one name, at the same instant or each while the
// first is stalled in its claim: one takes it, each other refuses it (exit status 3, naming it),
// and no link is lost on the way.
void TestSimDriveProgram::startRace()
{
    QFETCH(QString, before);
    QFETCH(QString, stops);
    QFETCH(int, count);
    TempWorkDir dir;
    const QString link = dir.filePath(QStringLiteral("COM3"));
    for (int round = 0; round < (stops.isEmpty() ? 5 : 1); ++round) {
        QVERIFY(before.isEmpty() || QFile::link(before, link));
        QTemporaryDir locks[3];
        QProcess drives[3];
        for (int i = 0; i < count; ++i) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("TAVRILON_SIMDRIVE_LOCK_DIR"), locks[i].path());
            if (i == 0 && !stops.isEmpty())
                environment.insert(QStringLiteral("TAVRILON_SIMDRIVE_CLAIM_STOPS"), stops);
            drives[i].setProcessEnvironment(environment);
        }
        const auto start = [&](int i) { drives[i].start(QStringLiteral(SIMDRIVE_PROGRAM), {QStringLiteral("--link"), link}); };
        const auto settled = [&](int i) { return drives[i].state() == QProcess::NotRunning || drives[i].canReadLine(); };
        for (int i = 0; i < (stops.isEmpty() ? count : 1); ++i)
            start(i);
        for (int next = 1; !stops.isEmpty() && next < count; ++next) {
            QTRY_VERIFY_WITH_TIMEOUT(stalled(drives[0].processId()), 20000);
            start(next);
            QTRY_VERIFY_WITH_TIMEOUT(settled(next), 20000);
            ::kill(pid_t(drives[0].processId()), SIGCONT);
        }
        QProcess *winner = nullptr;
        for (int i = 0; i < count; ++i) {
            QTRY_VERIFY_WITH_TIMEOUT(settled(i), 20000);
            const bool refused = drives[i].state() == QProcess::NotRunning && drives[i].exitCode() == 3
                && drives[i].readAllStandardError().contains(QFile::encodeName(link));
            QVERIFY2(refused || !winner, qPrintable(QStringLiteral("round %1: drive %2 runs or failed as well").arg(round).arg(i)));
            winner = refused ? winner : &drives[i];
        }
        QVERIFY(winner && winner->canReadLine() && answers(link));
        winner->terminate();
        QVERIFY(winner->waitForFinished(10000));
        QCOMPARE(standing(link), QString());
    }
}

void TestSimDriveProgram::lockFile()
{
    // /dev/COM3 keeps the lock name sessions have always taken for it; like-named links in other
    // folders are locked apart.
    QCOMPARE(LinkClaim::lockFilePath("/dev/COM3", "/run/lock"), QStringLiteral("/run/lock/tavrilon-simdrive-COM3.lock"));
    QVERIFY(LinkClaim::lockFilePath("/tmp/a/COM3", "/run/lock") != LinkClaim::lockFilePath("/tmp/b/COM3", "/run/lock"));
}

QTEST_MAIN(TestSimDriveProgram)
#include "tst_simdriveprogram.moc"
