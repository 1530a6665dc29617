#ifndef LINEEND_H
#define LINEEND_H

#include <QIODevice>
#include <QString>

// Whether a text ends with a line end. The file readers use it to tell a file whose last line
// only lost its line end from one that was cut inside that line. A lone CR counts: only the LF
// of a CR LF was lost.
namespace LineEnd {

inline bool endsWithOne(const QString &text)
{
    return text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r'));
}

// The same for the whole content of `device`, however far it has been read; its position is
// kept. A device that cannot seek, or an empty one, counts as ending with one.
inline bool endsWithOne(QIODevice *device)
{
    if (device->isSequential() || device->size() <= 0)
        return true;
    const qint64 at = device->pos();
    char last = 0;
    const bool read = device->seek(device->size() - 1) && device->getChar(&last);
    device->seek(at);
    // A text-mode device drops a last CR: nothing read then.
    return !read || last == '\n' || last == '\r';
}

} // namespace LineEnd

#endif // LINEEND_H
