#include "linkclaim.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
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

// Another drive has the name locked: either one that runs with it (it marks so once it has linked
// the name: a read lock on the lock file's first byte, an open-file lock apart from the flock), or
// one taking or refusing the name at this very moment, whose lock lasts that moment only.
QString lockedBy(const QString &linkPath, const QString &lockPath, int fd)
{
    struct flock mark {};
    mark.l_type = F_WRLCK;
    mark.l_whence = SEEK_SET;
    mark.l_len = 1;
    if (::fcntl(fd, F_OFD_GETLK, &mark) == 0 && mark.l_type != F_UNLCK)
        return QStringLiteral("%1 is held by another running simulated drive (%2 is locked)").arg(linkPath, lockPath);
    const QString target = QFile::symLinkTarget(linkPath);
    if (ptyPath(target) && !staleTerminal(target))
        return QStringLiteral("%1 links to %2, a terminal that is open: it is left as it is (another simulated drive, "
                              "which has %3 locked, is looking at it at this moment)").arg(linkPath, target, lockPath);
    return QStringLiteral("%1 is being taken or refused by another simulated drive at this moment (%2 is locked): "
                          "it is left to it").arg(linkPath, lockPath);
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
    struct flock mark {};
    mark.l_type = F_RDLCK;
    mark.l_whence = SEEK_SET;
    mark.l_len = 1;
    if (m_nameLock >= 0)
        ::fcntl(m_nameLock, F_OFD_SETLK, &mark);
}

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
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
        return Taken;
    const bool held = errno == EWOULDBLOCK;
    if (!held)
        m_message = QStringLiteral("cannot lock %1 with %2: %3; the name is not taken unlocked")
                        .arg(linkPath, lockPath, systemError());
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
    QDir().mkpath(lockDir);
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
    // stays aside (the message says where).
    const QByteArray name = QFile::encodeName(linkPath);
    const QByteArray aside = QFile::encodeName(nameLockPath(linkPath).chopped(5) + QStringLiteral(".stale"));
    if (::rename(name.constData(), aside.constData()) != 0) {
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
        return Refused;
    }
    ::unlink(aside.constData());
    stopAt(QStringLiteral("cleared"));
    return Taken;
}
