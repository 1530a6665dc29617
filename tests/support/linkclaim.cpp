#include "linkclaim.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {
QString systemError()
{
    return QString::fromLocal8Bit(strerror(errno));
}

// A pseudo-terminal's path, whether or not it exists.
bool ptyPath(const QString &target)
{
    return QRegularExpression(QStringLiteral("^/dev/pts/[0-9]+$")).match(target).hasMatch();
}

// A pseudo-terminal that no longer exists. Terminal numbers are given out again: a link whose
// number another running program holds now is that program's terminal, whoever made the link.
bool staleTerminal(const QString &target)
{
    struct stat st {};
    return ptyPath(target) && ::stat(QFile::encodeName(target).constData(), &st) != 0 && errno == ENOENT;
}

// A drive that holds the name's lock file marks how it stands with read locks on the file's first
// bytes, open-file locks apart from the flock: the first once it runs with the name, the second
// once it is ending (its link about to go, the lock with it).
enum Mark : off_t { RunningMark = 0, EndingMark = 1 };
// A drive that is ending is waited for so long, then the name is refused.
constexpr int endingWaitS = 10;

bool marked(int fd, Mark byte)
{
    struct flock mark {};
    mark.l_type = F_WRLCK;
    mark.l_whence = SEEK_SET;
    mark.l_start = byte;
    mark.l_len = 1;
    return ::fcntl(fd, F_OFD_GETLK, &mark) == 0 && mark.l_type != F_UNLCK;
}

// Async-signal-safe.
void setMark(int fd, Mark byte, short type)
{
    struct flock mark {};
    mark.l_type = type;
    mark.l_whence = SEEK_SET;
    mark.l_start = byte;
    mark.l_len = 1;
    if (fd >= 0)
        ::fcntl(fd, F_OFD_SETLK, &mark);
}

// Another drive has the name locked: one that runs with it, one that is ending and has not let it
// go in time, or one taking or refusing the name at this very moment, whose lock lasts that
// moment only.
QString lockedBy(const QString &linkPath, const QString &lockPath, int fd)
{
    if (marked(fd, EndingMark))
        return QStringLiteral("%1 is held by a simulated drive that is ending but has not let it go within %3 s (%2 is "
                              "locked)").arg(linkPath, lockPath).arg(endingWaitS);
    if (marked(fd, RunningMark))
        return QStringLiteral("%1 is held by another running simulated drive (%2 is locked)").arg(linkPath, lockPath);
    const QString target = QFile::symLinkTarget(linkPath);
    if (ptyPath(target) && !staleTerminal(target))
        return QStringLiteral("%1 links to %2, a terminal that is open: it is left as it is (another simulated drive, "
                              "which has %3 locked, is looking at it at this moment)").arg(linkPath, target, lockPath);
    return QStringLiteral("%1 is being taken or refused by another simulated drive at this moment (%2 is locked): "
                          "it is left to it").arg(linkPath, lockPath);
}

} // namespace

// Holds back the signals that end a drive (Ctrl-C, kill, a closed terminal) while it lives:
// one that comes meanwhile ends the drive then.
class LinkClaim::HoldStops
{
public:
    HoldStops()
    {
        sigset_t stops;
        sigemptyset(&stops);
        for (int signal : {SIGINT, SIGTERM, SIGHUP})
            sigaddset(&stops, signal);
        ::sigprocmask(SIG_BLOCK, &stops, &m_was);
    }
    ~HoldStops() { ::sigprocmask(SIG_SETMASK, &m_was, nullptr); }
    HoldStops(const HoldStops &) = delete;
    HoldStops &operator=(const HoldStops &) = delete;

private:
    sigset_t m_was;
};

namespace {
// Makes the folders of a path that are missing. Each one made is every user's drive's to use, as
// /run/lock is, whatever the umask; a folder that was there keeps its mode.
void makeOpenFolders(const QString &path)
{
    QStringList missing;
    for (QString folder = QDir::cleanPath(QDir(path).absolutePath()); !QFileInfo::exists(folder);
         folder = QFileInfo(folder).path())
        missing.prepend(folder);
    for (const QString &folder : missing) {
        const QByteArray name = QFile::encodeName(folder);
        if (::mkdir(name.constData(), 0777) == 0) {
            [[maybe_unused]] const int moded = ::chmod(name.constData(), 01777);
        }
    }
}

// Stops at a step of the claim named in TAVRILON_SIMDRIVE_CLAIM_STOPS, so that a test can start
// other drives there.
void stopAt(const QString &step)
{
    if (qEnvironmentVariable("TAVRILON_SIMDRIVE_CLAIM_STOPS").split(QLatin1Char(',')).contains(step))
        ::raise(SIGSTOP);
}
} // namespace

void LinkClaim::markRunning()
{
    setMark(m_nameLock, RunningMark, F_RDLCK);
}

void LinkClaim::markEnding() const
{
    setMark(m_nameLock, EndingMark, F_RDLCK);
}

LinkClaim::LinkClaim() = default;

LinkClaim::~LinkClaim()
{
    for (int fd : {m_folderLock, m_nameLock}) {
        if (fd >= 0)
            ::close(fd);
    }
}

QString LinkClaim::nameLockPath(const QString &linkPath)
{
    const QFileInfo link(linkPath);
    return QDir(link.absolutePath()).filePath(QStringLiteral(".tavrilon-simdrive-%1.lock").arg(link.fileName()));
}

QString LinkClaim::lockFilePath(const QString &linkPath, const QString &lockDir)
{
    const QFileInfo link(linkPath);
    QString folder = QFileInfo(link.absolutePath()).canonicalFilePath();
    if (folder.isEmpty())
        folder = link.absolutePath();
    QString name = link.fileName();
    if (folder != QLatin1String("/dev")) {
        const QByteArray digest = QCryptographicHash::hash(QFile::encodeName(folder), QCryptographicHash::Sha1);
        name += QLatin1Char('-') + QString::fromLatin1(digest.toHex().left(12));
    }
    return QDir(lockDir).filePath(QStringLiteral("tavrilon-simdrive-%1.lock").arg(name));
}

LinkClaim::Outcome LinkClaim::lock(const QString &linkPath, const QString &lockPath, int &fd)
{
    fd = ::open(QFile::encodeName(lockPath).constData(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) {
        m_message = QStringLiteral("cannot lock %1: cannot open the lock file %2: %3; the name is not taken unlocked")
                        .arg(linkPath, lockPath, systemError());
        return Failed;
    }
    // Readable by every user's drive, whatever the umask of the one that made it (a file another
    // user made keeps the mode it has).
    [[maybe_unused]] const int moded = ::fchmod(fd, 0644);
    // A drive that is ending holds the name until its link is gone: it is waited for (a while),
    // whatever else holds the name is refused at once. Its mark is looked at before each try, so
    // that a drive that has gone by the try is not taken for one that is taking the name.
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(endingWaitS);
    int error = 0;
    for (;;) {
        const bool ending = marked(fd, EndingMark);
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            return Taken;
        error = errno;
        if (error != EWOULDBLOCK || !ending || std::chrono::steady_clock::now() >= until)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const bool held = error == EWOULDBLOCK;
    if (!held)
        m_message = QStringLiteral("cannot lock %1 with %2: %3; the name is not taken unlocked")
                        .arg(linkPath, lockPath, QString::fromLocal8Bit(strerror(error)));
    else if (&fd == &m_nameLock)
        m_message = lockedBy(linkPath, lockPath, fd);
    else // the lock in the lock folder, the name's own being free: a drive of an older build holds it
        m_message = QStringLiteral("%1 is locked by another simulated drive (%2 is locked)").arg(linkPath, lockPath);
    ::close(fd);
    fd = -1;
    return held ? Refused : Failed;
}

LinkClaim::Outcome LinkClaim::take(const QString &linkPath, const QString &lockDir)
{
    // The lock beside the name first: every drive that links this name, whatever its lock
    // folder, takes that one file (a link to its folder leads to the same), so no two claims
    // on the name ever overlap.
    Outcome outcome = lock(linkPath, nameLockPath(linkPath), m_nameLock);
    if (outcome != Taken)
        return outcome;
    makeOpenFolders(lockDir);
    outcome = lock(linkPath, lockFilePath(linkPath, lockDir), m_folderLock);
    if (outcome != Taken)
        return outcome;
    stopAt(QStringLiteral("locked"));

    // With the name locked no other drive links it or removes what stands there; any other
    // program may still hold the terminal a link points to. Only a link to a pseudo-terminal
    // that no longer exists is one left behind.
    struct stat st {};
    if (::lstat(QFile::encodeName(linkPath).constData(), &st) != 0)
        return Taken; // nothing there (or nothing to be seen: making the link will say why)
    if (!S_ISLNK(st.st_mode)) {
        m_message = QStringLiteral("%1 exists and is not a link: it is left as it is").arg(linkPath);
        return Refused;
    }
    const QString target = QFile::symLinkTarget(linkPath);
    if (!staleTerminal(target)) {
        m_message = ptyPath(target)
            ? QStringLiteral("%1 links to %2, a terminal that is open: it is left as it is").arg(linkPath, target)
            : QStringLiteral("%1 links to %2, not to the terminal of a simulated drive that ended: it is left as it is")
                  .arg(linkPath, target);
        return Refused;
    }
    stopAt(QStringLiteral("looked"));

    // Any program (a socat pair, say) may link the name at any moment, lock or none: so the stale
    // link is not removed by its name but moved aside in one step, and what was moved is looked at
    // again there. Only a link still to a terminal that does not exist is removed; anything else
    // goes back, only where nothing stands meanwhile. What is left is the moment a live link
    // spends aside: a program that links the name in that moment keeps it, and the live link
    // stays aside (the message says where). The move replaces nothing: where an earlier drive
    // left a link aside, the next free aside name is taken. A stop signal in that moment ends
    // the drive only once what was moved is back or removed, or, left aside, once the claim
    // ends: the drive has said where by then.
    const QByteArray name = QFile::encodeName(linkPath);
    auto hold = std::make_unique<HoldStops>();
    QByteArray aside;
    int renamed = -1;
    for (int tries = 0; tries < 100; ++tries) {
        aside = QFile::encodeName(nameLockPath(linkPath).chopped(5) + QStringLiteral(".stale")
                                  + (tries > 0 ? QStringLiteral("-%1").arg(tries) : QString()));
        renamed = ::renameat2(AT_FDCWD, name.constData(), AT_FDCWD, aside.constData(), RENAME_NOREPLACE);
        if (renamed == 0 || errno != EEXIST)
            break;
    }
    if (renamed != 0) {
        if (errno == ENOENT)
            return Taken; // gone meanwhile: nothing to remove
        m_message = QStringLiteral("cannot remove the stale link %1: %2").arg(linkPath, systemError());
        return Failed;
    }
    stopAt(QStringLiteral("aside"));
    const QString moved = QFile::symLinkTarget(QFile::decodeName(aside));
    if (!staleTerminal(moved)) {
        m_message = moved.isEmpty() ? QStringLiteral("%1 was made by another program meanwhile").arg(linkPath)
                                    : QStringLiteral("%1 was linked to %2 by another program meanwhile").arg(linkPath, moved);
        const bool back = ::renameat2(AT_FDCWD, aside.constData(), AT_FDCWD, name.constData(), RENAME_NOREPLACE) == 0;
        m_message += back ? QStringLiteral(": it is left as it is")
                          : QStringLiteral(": it is left at %1, where it was moved to be looked at (%2)")
                                .arg(QFile::decodeName(aside), systemError());
        if (!back)
            m_heldStops = std::move(hold);
        return Refused;
    }
    ::unlink(aside.constData());
    stopAt(QStringLiteral("cleared"));
    return Taken;
}
