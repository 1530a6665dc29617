// The reply gatherer: a reply is taken only whole and valid for the pending request,
// whatever pieces it comes in; everything else is refused and the request keeps waiting.

#include "framecodec.h"
#include "replygatherer.h"
#include "testframes.h"

#include <QtTest>

using Result = ReplyGatherer::Result;
Q_DECLARE_METATYPE(QList<QByteArray>)

namespace {

using TestFrames::frame;

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

const QByteArray readOne = frame("010300000001");            // one word at 0000
const QByteArray reply = hex("01030200057847");              // its answer
const QByteArray writeOne = frame("01060000000A");           // 000A to 0000, echoed as sent
const QByteArray writeTwo = frame("011005A100020400640000"); // 100 to 05A1/05A2
const QByteArray echoTwo = frame("011005A10002");
const QByteArray lateEcho = frame("010600000009");           // of an earlier write to 0000

// results: one letter per piece, I(ncomplete), C(omplete), R(efused), E(xception), W (refused: a
// whole, valid echo of another write).
void row(const char *name, const QByteArray &request, const QList<QByteArray> &pieces, const char *results,
         const QByteArray &taken = QByteArray())
{
    QTest::newRow(name) << request << pieces << QString::fromLatin1(results) << taken;
}

QList<QByteArray> byteByByte(const QByteArray &bytes)
{
    QList<QByteArray> pieces;
    for (const char c : bytes)
        pieces << QByteArray(1, c);
    return pieces;
}

} // namespace

class ReplyGathererTest : public QObject
{
    Q_OBJECT

private slots:
    void replies_data();
    void replies();
    void lifecycle();
};

void ReplyGathererTest::replies_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QList<QByteArray>>("pieces");
    QTest::addColumn<QString>("results");
    QTest::addColumn<QByteArray>("taken");

    row("read: one piece", readOne, {reply}, "C", reply);
    row("read: two pieces", readOne, {reply.left(3), reply.mid(3)}, "IC", reply);
    row("read: byte by byte", readOne, byteByByte(reply), "IIIIIIC", reply);
    row("read: two words", frame("010300100002"), {frame("0103041234ABCD")}, "C", frame("0103041234ABCD"));
    const QByteArray words29 = frame(QByteArray("01033A" + QByteArray(116, '1')).constData());
    row("read: 29 words in two pieces", frame("0103E000001D"), {words29.left(40), words29.mid(40)}, "IC", words29);
    row("read: station 0A", frame("0A0300000001"), {frame("0A03020005")}, "C", frame("0A03020005"));
    row("read: over-long in one piece", readOne, {reply + hex("0000")}, "R");
    row("read: over-long, tail with the end", readOne, {reply.left(3), reply.mid(3) + hex("00")}, "IR");
    // The byte count says 4 for a one-word request: refused at once, even when the length
    // happens to be that of a one-word reply (the spoiled CRC would otherwise be a word).
    row("read: byte count 4 for one word", readOne, {hex("01030400057847")}, "R");
    row("read: one word more, CRC right", readOne, {frame("01030400051234")}, "R");
    row("read: byte count 4, length and CRC right", readOne, {frame("0103040005")}, "R");
    row("read: byte count 0", readOne, {frame("010300")}, "R");
    row("read: wrong station", readOne, {frame("0203020005")}, "R");
    row("read: bad CRC", readOne, {hex("01030200057848")}, "R");
    row("read: function 04", readOne, {frame("0104020005")}, "R");
    row("read: a write echo", readOne, {writeOne}, "R");
    row("read: exception", readOne, {frame("018302")}, "E");
    row("read: exception in two pieces", readOne, {hex("0183"), frame("018302").mid(2)}, "IE");
    row("read: exception, bad CRC", readOne, {hex("0183020000")}, "R");
    row("read: exception then the reply", readOne, {frame("018302"), reply}, "EC", reply);
    // The drive's whole answer, whatever follows it: never the reply that follows.
    row("read: exception and the reply in one delivery", readOne, {frame("018302") + reply}, "E");
    row("read: foreign station then the reply", readOne, {frame("0203020005"), reply}, "RC", reply);
    // A late reply of station 2 arriving in pieces: its tail (starting 02 00 ...) must not be
    // read as the start of a reply, whatever station is asked.
    const QByteArray foreign = frame("0203020105");
    row("read: foreign reply in pieces, then the reply", readOne,
        {foreign.left(2), foreign.mid(2, 1), foreign.mid(3), reply}, "IRIC", reply);
    row("read: foreign reply and the reply in one delivery", readOne, {frame("0203020001") + reply}, "C", reply);
    // Another station's exception frame (5 bytes) is passed over by its own length.
    const QByteArray foreignException = frame("028302");
    row("read: foreign exception and the reply in one delivery", readOne, {foreignException + reply}, "C", reply);
    row("read: foreign exception cut, its tail with the reply", readOne,
        {foreignException.left(3), foreignException.mid(3) + reply}, "RC", reply);
    row("read: noise then the reply", readOne, {hex("A4A6A7A5A0DDE2"), reply}, "RC", reply);

    row("write 06: echo in two pieces", writeOne, {writeOne.left(5), writeOne.mid(5)}, "IC", writeOne);
    row("write 06: late echo of an earlier write, then the echo", writeOne, {lateEcho, writeOne}, "WC", writeOne);
    row("write 06: late echo and the echo in one delivery", writeOne, {lateEcho + writeOne}, "C", writeOne);
    row("write 06: late echo in pieces, its tail with the echo", writeOne,
        {lateEcho.left(3), lateEcho.mid(3) + writeOne}, "IC", writeOne);
    row("write 06: tail of a late read reply with the echo", writeOne, {hex("1234ABCD0020") + writeOne}, "C",
        writeOne);
    row("write 06: echo of another address", writeOne, {frame("01060001000A")}, "W");
    row("write 06: echo of another address glued to noise", writeOne, {frame("01060001000A") + hex("123456")}, "W");
    row("write 06: bad CRC", writeOne, {hex("01060000000A09CE")}, "R");
    row("write 06: echo of another address, bad CRC", writeOne, {hex("01060001000A0000")}, "R");
    row("write 06: a function 10 echo", writeOne, {frame("011000000001")}, "W");
    row("write 06: exception", writeOne, {frame("018602")}, "E");
    row("write 06: a read reply", writeOne, {reply}, "R");
    row("write 06: over-long", writeOne, {writeOne + hex("00")}, "R");

    row("write 10: answer in three pieces", writeTwo, {echoTwo.left(2), echoTwo.mid(2, 3), echoTwo.mid(5)}, "IIC",
        echoTwo);
    row("write 10: wrong quantity", writeTwo, {frame("011005A10001")}, "W");
    row("write 10: another address", writeTwo, {frame("011005A30002")}, "W");
    row("write 10: late 06 echo, then the answer", writeTwo, {writeOne, echoTwo}, "WC", echoTwo);
    row("write 10: exception", writeTwo, {frame("019003")}, "E");
}

void ReplyGathererTest::replies()
{
    QFETCH(QByteArray, request);
    QFETCH(QList<QByteArray>, pieces);
    QFETCH(QString, results);
    QFETCH(QByteArray, taken);

    const QHash<QChar, Result> letters{{'I', Result::Incomplete}, {'C', Result::Complete},
                                       {'R', Result::Refused}, {'E', Result::Exception}, {'W', Result::Refused}};
    ReplyGatherer gatherer;
    gatherer.start(request);
    QCOMPARE(pieces.size(), results.size());
    for (int i = 0; i < pieces.size(); ++i) {
        const Result result = gatherer.feed(pieces.at(i));
        QVERIFY2(result == letters.value(results.at(i)),
                 qPrintable(QStringLiteral("piece %1: got %2, expected %3 (%4)")
                                .arg(i).arg(int(result)).arg(results.at(i)).arg(gatherer.reason())));
        const bool echo = gatherer.takeRefusedEcho();
        QVERIFY(result != Result::Refused || echo == (results.at(i) == 'W'));
        if (result == Result::Complete)
            QCOMPARE(gatherer.frame(), taken);
    }
    // Whatever was taken is whole and valid: never an exception, always a right CRC.
    if (!taken.isEmpty()) {
        QVERIFY(FrameCodec::checkFrameCrc(FrameCodec::bytesToHexText(gatherer.frame())));
        QVERIFY(!(quint8(gatherer.frame().at(1)) & 0x80));
    }
    // A refused or exception reply leaves the request waiting, not answered.
    QCOMPARE(gatherer.isActive(), !results.endsWith(QLatin1Char('C')));
}

void ReplyGathererTest::lifecycle()
{
    ReplyGatherer gatherer;
    QCOMPARE(gatherer.feed(reply), Result::Idle); // nothing asked yet
    gatherer.start(readOne);
    gatherer.stop();
    QCOMPARE(gatherer.feed(reply), Result::Idle);

    // A second copy of the reply must not answer the request again.
    gatherer.start(readOne);
    QCOMPARE(gatherer.feed(reply), Result::Complete);
    QCOMPARE(gatherer.feed(reply), Result::Idle);
}

QTEST_APPLESS_MAIN(ReplyGathererTest)
#include "tst_replygatherer.moc"
