#include "linkclaim.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
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
} // namespace

LinkClaim::~LinkClaim()
{
    if (m_lock >= 0)
        ::close(m_lock);
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

LinkClaim::Outcome LinkClaim::take(const QString &linkPath, const QString &lockDir)
{
    QDir().mkpath(lockDir);
    const QString lockPath = lockFilePath(linkPath, lockDir);
    const int fd = ::open(QFile::encodeName(lockPath).constData(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        m_message = QStringLiteral("cannot open the lock file %1: %2").arg(lockPath, systemError());
        return Failed;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        m_message = held ? QStringLiteral("%1 is held by another running simulated drive (%2 is locked)").arg(linkPath, lockPath)
                         : QStringLiteral("cannot lock %1: %2").arg(lockPath, systemError());
        ::close(fd);
        return held ? Refused : Failed;
    }
    m_lock = fd;

    // With the lock held no drive of this lock folder has the name; a drive of another folder, or
    // any other program, may still hold the terminal a link points to. Only a link to a
    // pseudo-terminal that no longer exists is one left behind.
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
    // A drive of another lock folder may be clearing the same stale link at this moment and link
    // its own there: the link is moved aside in one step and looked at again, so that only a
    // stale one is removed and a live one goes back. Whoever then links the name first has it.
    const QByteArray aside = QFile::encodeName(linkPath + QStringLiteral(".stale-%1").arg(::getpid()));
    if (::rename(QFile::encodeName(linkPath).constData(), aside.constData()) != 0) {
        if (errno == ENOENT)
            return Taken; // cleared by the other drive
        m_message = QStringLiteral("cannot remove the stale link %1: %2").arg(linkPath, systemError());
        return Failed;
    }
    const QString moved = QFile::symLinkTarget(QFile::decodeName(aside));
    if (!staleTerminal(moved)) {
        // Put back; link() never replaces what stands there again.
        [[maybe_unused]] const int kept = ::link(aside.constData(), QFile::encodeName(linkPath).constData());
        ::unlink(aside.constData());
        m_message = QStringLiteral("%1 was linked to %2 by another drive meanwhile: it is left as it is").arg(linkPath, moved);
        return Refused;
    }
    ::unlink(aside.constData());
    return Taken;
}
