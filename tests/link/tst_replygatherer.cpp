// The reply gatherer: a reply is taken only whole and valid for the pending request,
// whatever pieces it comes in; everything else is refused and the request keeps waiting.

#include "framecodec.h"
#include "replygatherer.h"

#include <QtTest>

using Result = ReplyGatherer::Result;
Q_DECLARE_METATYPE(QList<QByteArray>)
Q_DECLARE_METATYPE(QList<Result>)

namespace {

// Our own CRC, so the test data does not lean on the code under test.
QByteArray frame(const char *hexBody)
{
    QByteArray bytes = QByteArray::fromHex(hexBody);
    quint16 crc = 0xFFFF;
    for (const char c : bytes) {
        crc ^= quint8(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
    }
    bytes.append(char(crc & 0xFF));
    bytes.append(char(crc >> 8));
    return bytes;
}

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

const QByteArray readOne = frame("010300000001");      // one word at 0000
const QByteArray readTwo = frame("010300100002");      // two words at 0010
const QByteArray writeOne = frame("01060000000A");     // 000A to 0000
const QByteArray writeTwo = frame("011005A100020400640000");  // 100 to 05A1/05A2

} // namespace

class ReplyGathererTest : public QObject
{
    Q_OBJECT

private slots:
    void replies_data();
    void replies();
    void idleUntilStarted();
    void takenOnlyOnce();
    void discardPartialDropsTheStart();
    void expectedLength_data();
    void expectedLength();
};

void ReplyGathererTest::replies_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QList<QByteArray>>("pieces");
    QTest::addColumn<QList<Result>>("results");
    QTest::addColumn<QByteArray>("taken");

    const QByteArray reply = hex("01030200057847");
    const QByteArray write32 = writeTwo;
    const QByteArray echo32 = frame("011005A10002");

    QTest::newRow("read: one piece") << readOne << QList<QByteArray>{reply} << QList<Result>{Result::Complete}
                                     << reply;
    QTest::newRow("read: two pieces") << readOne << QList<QByteArray>{reply.left(3), reply.mid(3)}
                                      << QList<Result>{Result::Incomplete, Result::Complete} << reply;
    QTest::newRow("read: three pieces") << readOne << QList<QByteArray>{reply.left(1), reply.mid(1, 4), reply.mid(5)}
                                        << QList<Result>{Result::Incomplete, Result::Incomplete, Result::Complete}
                                        << reply;
    QTest::newRow("read: byte by byte")
        << readOne
        << QList<QByteArray>{reply.mid(0, 1), reply.mid(1, 1), reply.mid(2, 1), reply.mid(3, 1), reply.mid(4, 1),
                             reply.mid(5, 1), reply.mid(6, 1)}
        << QList<Result>{Result::Incomplete, Result::Incomplete, Result::Incomplete, Result::Incomplete,
                         Result::Incomplete, Result::Incomplete, Result::Complete}
        << reply;
    QTest::newRow("read: two words") << readTwo << QList<QByteArray>{frame("0103041234ABCD")}
                                     << QList<Result>{Result::Complete} << frame("0103041234ABCD");
    QTest::newRow("read: station 0A") << frame("0A0300000001") << QList<QByteArray>{frame("0A03020005")}
                                      << QList<Result>{Result::Complete} << frame("0A03020005");
    QTest::newRow("read: over-long in one piece") << readOne << QList<QByteArray>{reply + hex("0000")}
                                                  << QList<Result>{Result::Refused} << QByteArray();
    QTest::newRow("read: over-long, tail with the end")
        << readOne << QList<QByteArray>{reply.left(3), reply.mid(3) + hex("00")}
        << QList<Result>{Result::Incomplete, Result::Refused} << QByteArray();
    // The byte count says 4 for a one-word request: refused at once, even when the length
    // happens to be that of a one-word reply (the spoiled CRC would otherwise be a word).
    QTest::newRow("read: byte count 4 for one word") << readOne << QList<QByteArray>{hex("01030400057847")}
                                                     << QList<Result>{Result::Refused} << QByteArray();
    QTest::newRow("read: one word more, CRC right") << readOne << QList<QByteArray>{frame("01030400051234")}
                                                    << QList<Result>{Result::Refused} << QByteArray();
    QTest::newRow("read: byte count 0") << readOne << QList<QByteArray>{frame("010300")}
                                        << QList<Result>{Result::Refused} << QByteArray();
    QTest::newRow("read: wrong station") << readOne << QList<QByteArray>{frame("0203020005")}
                                         << QList<Result>{Result::Refused} << QByteArray();
    QTest::newRow("read: bad CRC") << readOne << QList<QByteArray>{hex("01030200057848")}
                                   << QList<Result>{Result::Refused} << QByteArray();
    QTest::newRow("read: function 04") << readOne << QList<QByteArray>{frame("0104020005")}
                                       << QList<Result>{Result::Refused} << QByteArray();
    QTest::newRow("read: exception") << readOne << QList<QByteArray>{frame("018302")}
                                     << QList<Result>{Result::Exception} << QByteArray();
    QTest::newRow("read: exception in two pieces") << readOne << QList<QByteArray>{hex("0183"), frame("018302").mid(2)}
                                                   << QList<Result>{Result::Incomplete, Result::Exception}
                                                   << QByteArray();
    QTest::newRow("read: exception, bad CRC") << readOne << QList<QByteArray>{hex("0183020000")}
                                              << QList<Result>{Result::Refused} << QByteArray();
    QTest::newRow("read: exception then the reply")
        << readOne << QList<QByteArray>{frame("018302"), reply}
        << QList<Result>{Result::Exception, Result::Complete} << reply;
    QTest::newRow("read: foreign station then the reply")
        << readOne << QList<QByteArray>{frame("0203020005"), reply} << QList<Result>{Result::Refused, Result::Complete}
        << reply;
    // A late reply of station 2 arriving in pieces: its tail (starting 02 00 ...) must not be
    // read as the start of a reply, whatever station is asked.
    QTest::newRow("read: foreign reply in pieces, then the reply")
        << readOne
        << QList<QByteArray>{frame("0203020105").left(2), frame("0203020105").mid(2, 1), frame("0203020105").mid(3),
                             reply}
        << QList<Result>{Result::Incomplete, Result::Refused, Result::Incomplete, Result::Complete} << reply;
    QTest::newRow("read: foreign reply and the reply in one delivery")
        << readOne << QList<QByteArray>{frame("0203020001") + reply} << QList<Result>{Result::Complete} << reply;
    QTest::newRow("read: noise then the reply") << readOne << QList<QByteArray>{hex("A4A6A7A5A0DDE2"), reply}
                                                << QList<Result>{Result::Refused, Result::Complete} << reply;
    QTest::newRow("read: a write echo") << readOne << QList<QByteArray>{writeOne}
                                        << QList<Result>{Result::Refused} << QByteArray();

    QTest::newRow("write 06: echo") << writeOne << QList<QByteArray>{writeOne} << QList<Result>{Result::Complete}
                                    << writeOne;
    QTest::newRow("write 06: echo in two pieces") << writeOne << QList<QByteArray>{writeOne.left(5), writeOne.mid(5)}
                                                  << QList<Result>{Result::Incomplete, Result::Complete} << writeOne;
    QTest::newRow("write 06: late echo of an earlier write, then the echo")
        << writeOne << QList<QByteArray>{frame("010600000009"), writeOne}
        << QList<Result>{Result::Refused, Result::Complete} << writeOne;
    QTest::newRow("write 06: late echo and the echo in one delivery")
        << writeOne << QList<QByteArray>{frame("010600000009") + writeOne} << QList<Result>{Result::Complete}
        << writeOne;
    QTest::newRow("write 06: late echo in pieces, its tail with the echo")
        << writeOne << QList<QByteArray>{frame("010600000009").left(3), frame("010600000009").mid(3) + writeOne}
        << QList<Result>{Result::Incomplete, Result::Complete} << writeOne;
    QTest::newRow("write 06: tail of a late read reply with the echo")
        << writeOne << QList<QByteArray>{hex("1234ABCD0020") + writeOne} << QList<Result>{Result::Complete}
        << writeOne;
    QTest::newRow("write 06: echo of another address") << writeOne << QList<QByteArray>{frame("01060001000A")}
                                                       << QList<Result>{Result::Refused} << QByteArray();
    QTest::newRow("write 06: bad CRC") << writeOne << QList<QByteArray>{hex("01060000000A09CE")}
                                       << QList<Result>{Result::Refused} << QByteArray();
    QTest::newRow("write 06: exception") << writeOne << QList<QByteArray>{frame("018602")}
                                         << QList<Result>{Result::Exception} << QByteArray();
    QTest::newRow("write 06: a read reply") << writeOne << QList<QByteArray>{reply}
                                            << QList<Result>{Result::Refused} << QByteArray();
    QTest::newRow("write 06: over-long") << writeOne << QList<QByteArray>{writeOne + hex("00")}
                                         << QList<Result>{Result::Refused} << QByteArray();

    QTest::newRow("write 10: answer") << write32 << QList<QByteArray>{echo32} << QList<Result>{Result::Complete}
                                      << echo32;
    QTest::newRow("write 10: answer in three pieces")
        << write32 << QList<QByteArray>{echo32.left(2), echo32.mid(2, 3), echo32.mid(5)}
        << QList<Result>{Result::Incomplete, Result::Incomplete, Result::Complete} << echo32;
    QTest::newRow("write 10: wrong quantity") << write32 << QList<QByteArray>{frame("011005A10001")}
                                              << QList<Result>{Result::Refused} << QByteArray();
    QTest::newRow("write 10: another address") << write32 << QList<QByteArray>{frame("011005A30002")}
                                               << QList<Result>{Result::Refused} << QByteArray();
    QTest::newRow("write 10: late 06 echo, then the answer")
        << write32 << QList<QByteArray>{writeOne, echo32} << QList<Result>{Result::Refused, Result::Complete}
        << echo32;
    QTest::newRow("write 10: exception") << write32 << QList<QByteArray>{frame("019003")}
                                         << QList<Result>{Result::Exception} << QByteArray();
}

void ReplyGathererTest::replies()
{
    QFETCH(QByteArray, request);
    QFETCH(QList<QByteArray>, pieces);
    QFETCH(QList<Result>, results);
    QFETCH(QByteArray, taken);

    ReplyGatherer gatherer;
    gatherer.start(request);
    QCOMPARE(pieces.size(), results.size());
    for (int i = 0; i < pieces.size(); ++i) {
        const Result result = gatherer.feed(pieces.at(i));
        QVERIFY2(result == results.at(i),
                 qPrintable(QStringLiteral("piece %1: got %2, expected %3 (%4)")
                                .arg(i)
                                .arg(int(result))
                                .arg(int(results.at(i)))
                                .arg(gatherer.reason())));
        if (result == Result::Complete)
            QCOMPARE(gatherer.frame(), taken);
    }
    // Whatever was taken is whole and valid: never an exception, always a right CRC.
    if (!taken.isEmpty()) {
        QVERIFY(FrameCodec::checkFrameCrc(FrameCodec::bytesToHexText(gatherer.frame())));
        QVERIFY(!(quint8(gatherer.frame().at(1)) & 0x80));
    }
    // A refused or exception reply leaves the request waiting, not answered.
    QCOMPARE(gatherer.isActive(), results.last() != Result::Complete);
}

void ReplyGathererTest::idleUntilStarted()
{
    ReplyGatherer gatherer;
    QCOMPARE(gatherer.feed(hex("01030200057847")), Result::Idle);
    gatherer.start(readOne);
    gatherer.stop();
    QCOMPARE(gatherer.feed(hex("01030200057847")), Result::Idle);
}

void ReplyGathererTest::takenOnlyOnce()
{
    // A second copy of the reply must not answer the request again.
    ReplyGatherer gatherer;
    gatherer.start(readOne);
    QCOMPARE(gatherer.feed(hex("01030200057847")), Result::Complete);
    QCOMPARE(gatherer.feed(hex("01030200057847")), Result::Idle);
}

void ReplyGathererTest::discardPartialDropsTheStart()
{
    // The end of the exchange drops a kept start; its rest can no longer complete a reply.
    ReplyGatherer gatherer;
    gatherer.start(readOne);
    QCOMPARE(gatherer.feed(hex("010302")), Result::Incomplete);
    gatherer.discardPartial();
    QVERIFY(gatherer.isActive());
    QCOMPARE(gatherer.feed(hex("00057847")), Result::Refused);
    QCOMPARE(gatherer.feed(hex("01030200057847")), Result::Complete);
}

void ReplyGathererTest::expectedLength_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<int>("length");
    QTest::newRow("read 1") << readOne << 7;
    QTest::newRow("read 29") << frame("0103E000001D") << 63;
    QTest::newRow("write 06") << writeOne << 8;
    QTest::newRow("write 10") << writeTwo << 8;
}

void ReplyGathererTest::expectedLength()
{
    QFETCH(QByteArray, request);
    QFETCH(int, length);
    ReplyGatherer gatherer;
    gatherer.start(request);
    QCOMPARE(gatherer.expectedLength(), length);
}

QTEST_APPLESS_MAIN(ReplyGathererTest)
#include "tst_replygatherer.moc"
