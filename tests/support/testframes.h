#ifndef TESTFRAMES_H
#define TESTFRAMES_H

#include <QByteArray>

// Modbus RTU frames for the tests and the simulated drive, with a CRC computed here rather
// than by the code under test.
namespace TestFrames {

quint16 crc16(const QByteArray &bytes);
// The body with its CRC appended (low byte first).
QByteArray withCrc(QByteArray body);
// The frame for a body given as hex text, CRC appended.
QByteArray frame(const char *hexBody);

} // namespace TestFrames

#endif // TESTFRAMES_H
