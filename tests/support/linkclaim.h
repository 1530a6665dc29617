#ifndef LINKCLAIM_H
#define LINKCLAIM_H

#include <QString>

#include <memory>

// The name tavrilon-simdrive links its port as (--link), held for the drive's life, however the
// drive was started. The name is locked by a lock file beside it (flock, given back by the system
// however the drive ends), whatever else the drive is told, so that claims on one name follow one
// another: no drive looks at the name or changes it while another holds it. The lock in the lock
// folder, as older drives take it, is held as well. Only a link to a pseudo-terminal that no
// longer exists (left by a drive that ended) is cleared away for the new link, and only while it
// still is one when it goes; a link to a terminal that is open (whatever made it, and whenever),
// a link to anything else and anything not a link are left as they are.
//
// For tests: TAVRILON_SIMDRIVE_CLAIM_STOPS, a list of steps ("locked": the name locked, nothing
// looked at; "looked": a stale link found, not yet moved; "aside": it moved aside, not yet looked
// at again; "cleared": a stale link removed, the new one not yet made), stops the drive there
// (SIGSTOP) until it is continued.
class LinkClaim
{
public:
    enum Outcome { Taken, Refused, Failed };

    LinkClaim();
    ~LinkClaim(); // gives the locks back; a stop signal held meanwhile ends the drive then
    LinkClaim(const LinkClaim &) = delete;
    LinkClaim &operator=(const LinkClaim &) = delete;

    // The lock file beside a link path: "/dev/.tavrilon-simdrive-COM3.lock" for /dev/COM3.
    static QString nameLockPath(const QString &linkPath);
    // The lock file of a link path in a lock folder: "tavrilon-simdrive-COM3.lock" for /dev/COM3. A
    // path outside /dev adds a digest of its folder, so that like-named links in two folders do
    // not share a lock.
    static QString lockFilePath(const QString &linkPath, const QString &lockDir);

    // Locks the name (once a drive that is ending has let it go) and removes a stale link from
    // it. Refused: the name is not this drive's to take; Failed: the name could not be locked (it
    // is never taken unlocked). message() says why; where it says that a live link was left
    // aside, a stop signal that came while it was aside is held until the claim ends, so that
    // the drive ends only once it has said where.
    Outcome take(const QString &linkPath, const QString &lockDir);
    QString message() const { return m_message; }
    // Once the drive runs with the name it took: other drives then say that a running drive holds
    // the name, not one that is taking or refusing it at that moment.
    void markRunning();
    // Once the drive ends (async-signal-safe): a drive started then waits for the name, which
    // this one gives back once its link is gone.
    void markEnding() const;

private:
    Outcome lock(const QString &linkPath, const QString &lockPath, int &fd);

    class HoldStops;

    int m_nameLock = -1;
    int m_folderLock = -1;
    QString m_message;
    std::unique_ptr<HoldStops> m_heldStops;
};

#endif // LINKCLAIM_H
