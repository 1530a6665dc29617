#include "linkclaim.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <csignal>
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

// Stops at a step of the claim named in TAVRILON_SIMDRIVE_CLAIM_STOPS, so that a test can start
// other drives there.
void stopAt(const QString &step)
{
    if (qEnvironmentVariable("TAVRILON_SIMDRIVE_CLAIM_STOPS").split(QLatin1Char(',')).contains(step))
        ::raise(SIGSTOP);
}
} // namespace

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
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
        return Taken;
    const bool held = errno == EWOULDBLOCK;
    m_message = held ? QStringLiteral("%1 is held by another running simulated drive (%2 is locked)").arg(linkPath, lockPath)
                     : QStringLiteral("cannot lock %1 with %2: %3; the name is not taken unlocked").arg(linkPath, lockPath, systemError());
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
    if (::unlink(QFile::encodeName(linkPath).constData()) != 0 && errno != ENOENT) {
        m_message = QStringLiteral("cannot remove the stale link %1: %2").arg(linkPath, systemError());
        return Failed;
    }
    stopAt(QStringLiteral("cleared"));
    return Taken;
}
