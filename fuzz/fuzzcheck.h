#ifndef FUZZCHECK_H
#define FUZZCHECK_H

#include <QString>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// A fuzz target's oracle: a broken rule ends the run, so libFuzzer keeps the input.
inline void require(bool condition)
{
    if (!condition)
        std::abort();
}

// Numbers for building a valid input, from at most `limit` of the fuzz bytes, so that building
// costs the same whatever the size of the input. Once the bytes run out a sequence seeded by
// them goes on, so that a short input still gives numbers of every width, and inputs that
// differ in their first bytes differ in all their numbers.
class FuzzNumbers
{
public:
    FuzzNumbers(const uint8_t *data, size_t size, size_t limit) : m_data(data), m_size(size < limit ? size : limit) {}

    quint32 next()
    {
        if (m_at >= m_size) {
            m_fill = m_fill * 6364136223846793005ull + 1442695040888963407ull;
            return quint32(m_fill >> 32);
        }
        quint32 value = 0;
        for (int i = 0; i < 4 && m_at < m_size; ++i)
            value = value << 8 | m_data[m_at++];
        m_fill = (m_fill ^ value) * 1099511628211ull;
        return value;
    }

    // 0 to n - 1 (0 when n is 0).
    quint32 below(quint32 n) { return n ? next() % n : 0; }

    // A 32-bit integer of any width, either sign; the limits of 16 and of 32 bits come often.
    qint32 anyWidth()
    {
        static const qint32 edges[] = {INT32_MIN, INT32_MAX, 0,     -1,     32767, 32768,
                                       -32768,    -32769,    65535, 65536, -65536, 2147418112};
        const quint32 pick = next();
        if (pick % 4 == 0)
            return edges[(pick >> 2) % (sizeof edges / sizeof edges[0])];
        const qint32 value = qint32(next());
        return value >> ((pick >> 2) % 32);
    }

    // Text one field can hold (no ",", tab or line break), `minimum` characters or more, blanks
    // and characters beyond Latin-1 among them.
    QString text(int minimum)
    {
        static const QString alphabet = QStringLiteral(" aZ09-_./:()%+#") + QChar(0x901A) + QChar(0x00B5);
        const int length = minimum + int(below(6));
        QString text;
        for (int i = 0; i < length; ++i)
            text += alphabet.at(int(below(quint32(alphabet.size()))));
        return text;
    }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_at = 0;
    quint64 m_fill = 14695981039346656037ull;
};

// Whether an earlier run had the same first bytes. A valid input built from these bytes alone
// was checked then, and checking it again would give the same: a target whose check is costly
// may pass over it. Remembers the hashes of the last few thousand, without allocating (a run
// that left memory behind would be taken for a leak).
inline bool seenBefore(const uint8_t *data, size_t size)
{
    static quint64 seen[1 << 14];
    quint64 hash = 14695981039346656037ull ^ size;
    for (size_t i = 0; i < size; ++i)
        hash = (hash ^ data[i]) * 1099511628211ull;
    hash |= 1; // an empty slot holds 0
    quint64 &slot = seen[hash >> 50];
    if (slot == hash)
        return true;
    slot = hash;
    return false;
}

#endif // FUZZCHECK_H
