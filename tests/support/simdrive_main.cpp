// tavrilon-simdrive: a simulated drive on a pty pair, so the tool can be tried without a drive.
// Prints the port to open in the tool and serves until interrupted.

#include "drivestate.h"
#include "linkclaim.h"
#include "simauxiliary.h"
#include "simulateddrive.h"
#include "simulatedmodel.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>
#include <QTimer>

#include <atomic>
#include <cerrno>
#include <csignal>

namespace {
std::atomic<bool> interrupted{false};
const LinkClaim *ending = nullptr;
void onSignal(int)
{
    const int error = errno;
    interrupted = true;
    if (ending)
        ending->markEnding(); // at once: a drive started from now on waits for this one's end
    errno = error;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tavrilon-simdrive"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "A simulated drive (Modbus RTU slave) on one end of a pseudo-terminal pair.\n"
        "The tool's connection dialog lists COM1 to COM9 (/dev/COM1 to /dev/COM9) and the serial\n"
        "ports found when it started, never a pseudo-terminal: link the drive as one of those\n"
        "names (--link /dev/COM3, as scripts/run --simulated does) and choose it there.\n"
        "With --link the drive locks the name for its life, with a lock file beside it\n"
        "(.tavrilon-simdrive-COM3.lock for /dev/COM3) and one in /run/lock (or in\n"
        "$TAVRILON_SIMDRIVE_LOCK_DIR when set; each folder it makes for it, parents too, is open\n"
        "to every user's drive, as /run/lock is), before it looks at the name. It refuses, with exit\n"
        "status 3, a name another running drive holds, a link to a terminal that is open (any\n"
        "program's), and a path where anything else stands but a link to a pseudo-terminal that no\n"
        "longer exists (such a link, left by a drive that ended, it replaces, but only while nothing\n"
        "holds that terminal: one whose terminal another program holds by then is left alone). Of\n"
        "drives started on one name, at once or one after another, one takes it and each other\n"
        "refuses it so. Where the name cannot be locked it takes nothing and exits with status 1. On\n"
        "exit it removes its link only if the link still points to its own terminal, and then gives\n"
        "the name back: a drive started while one that was told to stop still holds the name waits\n"
        "for it (up to 10 s) and takes the name."));
    parser.addHelpOption();
    const QCommandLineOption linkOption(QStringList{QStringLiteral("l"), QStringLiteral("link")},
        QStringLiteral("Path of the tool's end of the pair (default: inside a temporary folder)."),
        QStringLiteral("path"));
    const QCommandLineOption stationOption(QStringList{QStringLiteral("s"), QStringLiteral("station")},
        QStringLiteral("A station that answers (1-247); may be given more than once, or as a list \"1,2\". Default 1."),
        QStringLiteral("number"));
    const QCommandLineOption delayOption(QStringList{QStringLiteral("d"), QStringLiteral("delay")},
        QStringLiteral("Pause before every reply, in ms."), QStringLiteral("ms"), QStringLiteral("0"));
    const QCommandLineOption familyOption(QStringList{QStringLiteral("f"), QStringLiteral("family")},
        QStringLiteral("The drive family: vr (default) or hxq."), QStringLiteral("family"), QStringLiteral("vr"));
    const QCommandLineOption alarmOption(QStringList{QStringLiteral("a"), QStringLiteral("alarm")},
        QStringLiteral("Raise this alarm (hex code as the drive shows it, e.g. 100 for E.100, overcurrent detection, on a VR drive) "
                       "after --alarm-after seconds; the tool's alarm reset clears it."),
        QStringLiteral("code"));
    const QCommandLineOption alarmAfterOption(QStringList{QStringLiteral("alarm-after")},
        QStringLiteral("Seconds from the start until --alarm is raised (default 10)."), QStringLiteral("s"),
        QStringLiteral("10"));
    parser.addOption(linkOption);
    parser.addOption(alarmOption);
    parser.addOption(alarmAfterOption);
    parser.addOption(stationOption);
    parser.addOption(familyOption);
    parser.addOption(delayOption);
    parser.process(app);

    QList<int> stations;
    for (const QString &value : parser.values(stationOption)) {
        for (const QString &part : value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            bool ok = false;
            const int station = part.trimmed().toInt(&ok);
            if (!ok || station < 1 || station > 247) {
                QTextStream(stderr) << "bad station: " << part << '\n';
                return 2;
            }
            if (!stations.contains(station))
                stations.append(station);
        }
    }
    if (stations.isEmpty())
        stations.append(1);

    const QString familyName = parser.value(familyOption).toLower();
    if (familyName != QLatin1String("vr") && familyName != QLatin1String("hxq")) {
        QTextStream(stderr) << "bad family: " << familyName << " (vr or hxq)\n";
        return 2;
    }
    const int family = familyName == QLatin1String("hxq") ? 1 : 0;

    bool codeOk = true, afterOk = false;
    const uint alarm = parser.isSet(alarmOption) ? parser.value(alarmOption).toUInt(&codeOk, family == 0 ? 16 : 10) : 0;
    const int alarmAfterS = parser.value(alarmAfterOption).toInt(&afterOk);
    if (!codeOk || alarm > 0xFFFF || !afterOk || alarmAfterS < 0) {
        QTextStream(stderr) << "bad alarm or --alarm-after: " << parser.value(alarmOption) << '\n';
        return 2;
    }

    LinkClaim claim; // outlives the drive: its link is gone before the name is given back
    SimulatedDrive drive(stations.first());
    for (int station : stations.mid(1))
        drive.addStation(station);
    for (int station : stations)
        SimulatedModel::install(drive, family, station);
    drive.setReplyDelay(parser.value(delayOption).toInt());
    if (parser.isSet(linkOption)) {
        const QString link = QFileInfo(parser.value(linkOption)).absoluteFilePath();
        QString lockDir = qEnvironmentVariable("TAVRILON_SIMDRIVE_LOCK_DIR");
        if (lockDir.isEmpty())
            lockDir = QStringLiteral("/run/lock");
        const LinkClaim::Outcome outcome = claim.take(link, lockDir);
        if (outcome != LinkClaim::Taken) {
            QTextStream(stderr) << claim.message() << '\n';
            return outcome == LinkClaim::Refused ? 3 : 1;
        }
        drive.setLinkPath(link);
    }
    if (!drive.start()) {
        // A program other than a drive (which would have locked the name) took the name after the
        // claim looked: the name is refused as one held, so that a script tries the next.
        if (drive.linkPathTaken()) {
            QTextStream(stderr) << drive.errorString() << '\n';
            return 3;
        }
        QTextStream(stderr) << "cannot start the simulated drive: " << drive.errorString() << '\n';
        return 1;
    }
    claim.markRunning();
    QTextStream out(stdout);
    out << drive.portName() << '\n';
    out.flush();

    ending = &claim;
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &app, [&] {
        if (interrupted || drive.linkLost())
            app.quit();
    });
    watch.start(100);
    if (alarm != 0) {
        QTimer::singleShot(alarmAfterS * 1000, &app, [&drive, &stations, alarm] {
            for (int station : stations) {
                if (DriveState *state = drive.part<DriveState>(station))
                    state->setAlarm(alarm);
                if (SimAuxiliary *auxiliary = drive.part<SimAuxiliary>(station))
                    auxiliary->recordAlarm(alarm);
            }
        });
    }
    const int rc = app.exec();
    drive.stop();
    return rc;
}
