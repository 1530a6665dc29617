#include "testframes.h"

namespace TestFrames {

quint16 crc16(const QByteArray &bytes)
{
    quint16 crc = 0xFFFF;
    for (const char c : bytes) {
        crc ^= quint8(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
    }
    return crc;
}

QByteArray withCrc(QByteArray body)
{
    const quint16 crc = crc16(body);
    body.append(char(crc & 0xFF));
    body.append(char(crc >> 8));
    return body;
}

QByteArray frame(const char *hexBody)
{
    return withCrc(QByteArray::fromHex(hexBody));
}

} // namespace TestFrames
