#ifndef LINKCLAIM_H
#define LINKCLAIM_H

#include <QString>

// The name tavrilon-simdrive links its port as (--link), held for the drive's life, however the
// drive was started: a lock per name (flock on a lock file, given back by the system however the
// drive ends), so that two drives never share a name, and a look at what stands there already.
// Only a link to a pseudo-terminal that no longer exists (left by a drive that ended) is cleared
// away for the new link; a name another running drive holds, a link to a terminal that is open
// (whatever lock folder its drive used, or none), a link to anything else and anything not a link
// are left as they are.
class LinkClaim
{
public:
    enum Outcome { Taken, Refused, Failed };

    LinkClaim() = default;
    ~LinkClaim(); // gives the lock back
    LinkClaim(const LinkClaim &) = delete;
    LinkClaim &operator=(const LinkClaim &) = delete;

    // The lock file of a link path: "tavrilon-simdrive-COM3.lock" for /dev/COM3. A path outside
    // /dev adds a digest of its folder, so that like-named links in two folders do not share a lock.
    static QString lockFilePath(const QString &linkPath, const QString &lockDir);

    // Locks the name and removes a stale link from it. Refused: the name is not this drive's
    // to take; Failed: the lock could not be had. message() says why.
    Outcome take(const QString &linkPath, const QString &lockDir);
    QString message() const { return m_message; }

private:
    int m_lock = -1;
    QString m_message;
};

#endif // LINKCLAIM_H
