// tavrilon-simdrive as scripts/run --simulated starts it, read through the tool's own link:
// the model word and a parameter's information record come back as the family's drive holds them;
// the name it links is its own only where no running drive holds it and nothing but a drive's
// stale link stands (of two started on it at once, one takes it), and it removes only a link
// still its own.

#include "linkclaim.h"
#include "serialport.h"
#include "tempworkdir.h"

#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

#include <fcntl.h>
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
                                              // "pty": a link to a terminal the test holds open)
    QTest::addColumn<bool>("taken");
    QTest::addColumn<QString>("replacement"); // the link someone else puts there while the drive runs
    QTest::addColumn<QString>("after");       // at the path once every drive ended

    // The first drive keeps its link and removes it when it ends.
    QTest::newRow("held by a running drive") << "drive" << false << "" << "";
    // A terminal that is open (another drive's under another lock folder, a socat pair's, or a
    // number given out again): whatever holds it, the link is not the drive's to take.
    QTest::newRow("a link to a live terminal") << "pty" << false << "" << "pty";
    QTest::newRow("a link to a device") << "/dev/null" << false << "" << "/dev/null";
    QTest::newRow("not a link") << "file" << false << "" << "file";
    // (A terminal closed by the test could be given to a parallel test before the drive looks.)
    QTest::newRow("a link to a terminal that is gone") << "/dev/pts/4242" << true << "" << "";
    QTest::newRow("replaced while the drive runs") << "" << true << "/dev/null" << "/dev/null";
}

void TestSimDriveProgram::linkName()
{
    QFETCH(QString, before);
    QFETCH(bool, taken);
    QFETCH(QString, replacement);
    QFETCH(QString, after);

    TempWorkDir dir;
    const QString link = dir.filePath(QStringLiteral("COM3"));
    QProcess first;
    int terminal = -1;
    const auto closeTerminal = qScopeGuard([&] { terminal < 0 || ::close(terminal); });
    if (before == QLatin1String("pty")) {
        terminal = posix_openpt(O_RDWR | O_NOCTTY);
        QVERIFY(terminal >= 0 && grantpt(terminal) == 0 && unlockpt(terminal) == 0);
        QVERIFY(QFile::link(QString::fromLocal8Bit(ptsname(terminal)), link));
    } else if (before == QLatin1String("drive")) {
        first.start(QStringLiteral(SIMDRIVE_PROGRAM), {QStringLiteral("--link"), link});
        QTRY_VERIFY_WITH_TIMEOUT(first.canReadLine(), 20000);
    } else if (before == QLatin1String("file")) {
        QFile file(link);
        QVERIFY(file.open(QIODevice::WriteOnly));
    } else if (!before.isEmpty()) {
        QVERIFY(QFile::link(before, link));
    }
    const QString was = standing(link);

    QProcess drive;
    drive.start(QStringLiteral(SIMDRIVE_PROGRAM), {QStringLiteral("--link"), link});
    if (taken) {
        QTRY_VERIFY_WITH_TIMEOUT(drive.canReadLine(), 20000);
        QVERIFY(standing(link).startsWith(QLatin1String("/dev/pts/")) && standing(link) != was);
        QVERIFY(answers(link));
        if (!replacement.isEmpty())
            QVERIFY(QFile::remove(link) && QFile::link(replacement, link));
    } else {
        QVERIFY(drive.waitForFinished(20000));
        QCOMPARE(drive.exitCode(), 3);
        QVERIFY(drive.readAllStandardError().contains(QFile::encodeName(link)));
        QCOMPARE(standing(link), was);
        QVERIFY(before != QLatin1String("drive") || answers(link));
    }
    for (QProcess *process : {&drive, &first}) {
        process->terminate();
        QVERIFY(process->state() == QProcess::NotRunning || process->waitForFinished(10000));
    }
    QCOMPARE(standing(link), after == QLatin1String("pty") ? was : after);
}

void TestSimDriveProgram::startRace_data()
{
    QTest::addColumn<QString>("before"); // at the path when both start
    QTest::newRow("a free name") << "";
    QTest::newRow("a stale link") << "/dev/pts/4242";
}

// Two drives of two lock folders started at the same instant on one name: one takes it, the
// other refuses it (exit status 3, naming it), however their steps interleave.
void TestSimDriveProgram::startRace()
{
    QFETCH(QString, before);
    TempWorkDir dir;
    const QString link = dir.filePath(QStringLiteral("COM3"));
    for (int round = 0; round < 5; ++round) {
        QVERIFY(before.isEmpty() || QFile::link(before, link));
        QTemporaryDir locks[2];
        QProcess drives[2];
        for (int i = 0; i < 2; ++i) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("TAVRILON_SIMDRIVE_LOCK_DIR"), locks[i].path());
            drives[i].setProcessEnvironment(environment);
        }
        for (QProcess &drive : drives)
            drive.start(QStringLiteral(SIMDRIVE_PROGRAM), {QStringLiteral("--link"), link});
        const auto ended = [&](int i) { return drives[i].state() == QProcess::NotRunning; };
        QTRY_VERIFY_WITH_TIMEOUT(ended(0) || ended(1), 20000);
        QProcess &loser = drives[ended(0) ? 0 : 1];
        QProcess &winner = drives[ended(0) ? 1 : 0];
        QVERIFY2(loser.exitCode() == 3 && loser.readAllStandardError().contains(QFile::encodeName(link)),
                 qPrintable(QStringLiteral("round %1: exit status %2").arg(round).arg(loser.exitCode())));
        QTRY_VERIFY_WITH_TIMEOUT(winner.canReadLine(), 20000);
        winner.terminate();
        QVERIFY(winner.waitForFinished(10000));
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
