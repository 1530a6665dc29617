#ifndef REPLYGATHERER_H
#define REPLYGATHERER_H

#include <QByteArray>
#include <QString>

#include <utility>

// Gathers the reply to one pending Modbus RTU request from the pieces the serial port
// delivers, and takes it only when it is whole and valid for that request: the station,
// the function, the byte count (reads), the CRC, and for writes the echo of the request.
// Widget-free and port-free, so it can be tested and fuzzed alone.
class ReplyGatherer
{
public:
    enum class Result {
        Idle,       // nothing is pending; the bytes were not looked at
        Incomplete, // the reply so far is a valid beginning; waiting for more
        Complete,   // frame() holds the whole, valid reply
        Refused,    // the bytes cannot be the reply; reason() says why; still waiting
        Exception,  // the drive answered with a Modbus exception; frame() holds it, reason() its code
    };

    // Starts waiting for the reply to the request frame (bytes, CRC included).
    void start(const QByteArray &requestFrame);
    // Forgets the request: later bytes are not taken.
    void stop();

    bool isActive() const { return m_active; }
    Result feed(const QByteArray &piece);

    QByteArray frame() const { return m_frame; }
    // The bytes that came after an exception reply in the same delivery (empty when none).
    QByteArray trailing() const { return m_trailing; }
    QString reason() const { return m_reason; }
    // True when the last refused bytes came from another station (a late or foreign reply).
    bool refusedOtherStation() const { return m_otherStation; }
    // True once after a whole, valid write echo was refused as not this write's (it repeats
    // another register, quantity or value) since the last call.
    bool takeRefusedEcho() { return std::exchange(m_refusedEcho, false); }
    int expectedLength() const;

private:
    // Records why the gathered bytes were refused and, when known, the refused frame's length.
    Result refuse(const QString &why, bool otherStation = false, int frameLength = 0);
    Result check();

    QByteArray m_request;
    QByteArray m_buffer;
    QByteArray m_frame;
    QByteArray m_trailing;
    QString m_reason;
    bool m_active = false;
    bool m_otherStation = false;
    bool m_refusedEcho = false;
    int m_skip = 0;          // bytes of a refused frame still to pass over
    int m_refusedLength = 0; // length of the frame just refused, when it told it
};

#endif // REPLYGATHERER_H
