// serialPort against the simulated drive over real pseudo-terminals: the requester-code
// table, the queue of requests, the reply paths and every way a drive can misbehave.

#include "boundedwait.h"
#include "framecodec.h"
#include "linetickets.h"
#include "linktiming.h"
#include "modalanswerer.h"
#include "serialport.h"
#include "simulateddrive.h"

#include <QtTest>

#include <map>
#include <memory>

using Failure = SimulatedDrive::Failure;
Q_DECLARE_METATYPE(SimulatedDrive::Failure)

namespace {

// Generous limits: a loaded two-core machine must not turn a slow answer into a failure.
constexpr int kAnswerLimit = 5000; // an answer that must come
constexpr int kSilence = 300;      // how long an answer that must not come is given to show up
constexpr int kSettle = 150;       // after the drive has written a reply, for it to cross the pair

const QString kPortClosed = QStringLiteral("串口未打开/设备未连接");

// CaptureWrite2 (writeStaticPic2) answers through the last capture writer's code.
enum class Kind { Read, Write06, Write10, Status, CaptureRead, CaptureWrite, LiveTrend, CaptureWrite2 };
const QList<Kind> kKinds{Kind::Read,        Kind::Write06,      Kind::Write10,  Kind::Status,
                         Kind::CaptureRead, Kind::CaptureWrite, Kind::LiveTrend};

// Each kind's name and the signal that answers it with its usual requester code.
struct KindInfo {
    const char *name;
    const char *signal;
};
const KindInfo kInfo[] = {{"read", "readDataToShow"},          {"write 06", "writeDataToCheck"},
                          {"write 10", "writeDataToCheck"},    {"status", "sendStatus"},
                          {"capture read", "FrameDataIsOK"},   {"capture write", "WriteGraphToCheck"},
                          {"live trend", "readDataToDynamic"}, {"capture write 2", "WriteGraphToCheck"}};
const char *kindName(Kind kind) { return kInfo[int(kind)].name; }
QString answerSignal(Kind kind) { return QString::fromLatin1(kInfo[int(kind)].signal); }

QString withCrc(const QString &body)
{
    return body + FrameCodec::crc16Modbus(body);
}

const QVector<QString> kTwoWords{QStringLiteral("1234"), QStringLiteral("ABCD")};
const QString kEcho06 = withCrc(QStringLiteral("0106002000AB"));
const QString kEcho10 = withCrc(QStringLiteral("011000300002"));

} // namespace

Q_DECLARE_METATYPE(Kind)

class SerialPortTest : public QObject
{
    Q_OBJECT

public slots:
    void heard(); // records the order of the link's answers (not a test)

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void requesterCodes_data();
    void requesterCodes();
    void eachAnswerCarriesItsOwnWords();
    void requestsWaitTheirTurn();
    void lateReplyAfterStallAnswersNothing_data();
    void lateReplyAfterStallAnswersNothing();
    void pendingRequest_data();
    void pendingRequest();
    void captureUpload_data();
    void captureUpload();
    void malformedFieldsSendNothing_data();
    void malformedFieldsSendNothing();
    void failures_data();
    void failures();
    void onlyItsOwnReplyAnswersARequest();
    void portClosedOrLost_data();
    void portClosedOrLost();

private:
    void send(Kind kind, int code = -100);
    void forget();
    QSignalSpy &spy(const QString &name) { return *m_spies.at(name); }
    bool waitHeard(int count) { return BoundedWait::until([&] { return m_drive->requestCount() >= count; }, kAnswerLimit); }
    bool waitSignal(const QString &name) { return BoundedWait::until([&] { return spy(name).count() > 0; }, kAnswerLimit); }
    void verifyAnswer(Kind kind);
    bool idle() const { return !m_link->busy() && !m_link->hasRequest(serialPort::StatusMark); }

    std::unique_ptr<SimulatedDrive> m_drive;
    std::unique_ptr<serialPort> m_link;
    std::unique_ptr<ModalBoxAnswerer> m_boxes;
    std::map<QString, std::unique_ptr<QSignalSpy>> m_spies;
    QStringList m_order; // every signal of the link but the two state reports, in order
};

// A link that cannot make one exchange (a wrong CRC, a frame the drive refuses) fails here in
// seconds, before every case below would wait for answers that never come.
void SerialPortTest::initTestCase()
{
    init();
    m_link->readSerial("0010", "0002", 1);
    QVERIFY2(BoundedWait::forReply([&] { return spy("readDataToShow").count() == 1; }, 0), "no read answered");
    m_link->writeSerial2("0030", "00020400640000", 1);
    QVERIFY2(BoundedWait::forReply([&] { return spy("writeDataToCheck").count() == 1; }, 0), "no write echoed");
    QCOMPARE(m_drive->rejectedFrameCount(), 0);
    cleanup();
}

void SerialPortTest::init()
{
    m_drive = std::make_unique<SimulatedDrive>(1);
    QVERIFY2(m_drive->start(), qPrintable(m_drive->errorString()));
    m_drive->setRegister(0x0010, 0x1234);
    m_drive->setRegister(0x0011, 0xABCD);
    m_drive->setRegister(0x0012, 0x0042);
    m_drive->setRegister(0x0013, 0x0043);
    m_link = std::make_unique<serialPort>();
    m_boxes = std::make_unique<ModalBoxAnswerer>(ModalBoxAnswerer::Answer::Ok);

    // A spy on every signal serialPort declares, so an answer through a wrong signal shows.
    m_order.clear();
    const QMetaObject &mo = serialPort::staticMetaObject;
    const QMetaMethod recorder = metaObject()->method(metaObject()->indexOfSlot("heard()"));
    for (int i = mo.methodOffset(); i < mo.methodCount(); ++i) {
        const QMetaMethod signal = mo.method(i);
        if (signal.methodType() != QMetaMethod::Signal)
            continue;
        const QString name = QString::fromLatin1(signal.name());
        m_spies[name] = std::make_unique<QSignalSpy>(m_link.get(), ("2" + signal.methodSignature()).constData());
        if (name != QLatin1String("sendQueryOperateInterface") && name != QLatin1String("isOpenSerial"))
            connect(m_link.get(), signal, this, recorder);
    }
    QVERIFY(m_link->openPort(m_drive->portName(), 115200));
}

void SerialPortTest::cleanup()
{
    m_spies.clear();
    m_link.reset();
    m_boxes.reset();
    m_drive.reset();
}

void SerialPortTest::heard()
{
    m_order.append(QString::fromLatin1(m_link->metaObject()->method(senderSignalIndex()).name()));
}

void SerialPortTest::forget()
{
    m_order.clear();
    for (auto &s : m_spies)
        s.second->clear();
}

// Sends one request of the kind; code -100 means the kind's usual code (1, or 0 for captures).
void SerialPortTest::send(Kind kind, int code)
{
    const bool usual = code == -100;
    switch (kind) {
    case Kind::Read: m_link->readSerial("0010", "0002", usual ? 1 : code); break;
    case Kind::Write06: m_link->writeSerial("0020", "00AB", usual ? 1 : code); break;
    case Kind::Write10: m_link->writeSerial2("0030", "00020400640000", usual ? 1 : code); break;
    case Kind::Status: m_link->queryStatus("0010", "0001"); break;
    case Kind::CaptureRead: m_link->readStaticPic("0010", "0002", usual ? 0 : code); break;
    case Kind::CaptureWrite: m_link->writeStaticPic("0020", "00AB", usual ? 0 : code); break;
    case Kind::LiveTrend: m_link->readDynamic("0010", "0002"); break;
    case Kind::CaptureWrite2: m_link->writeStaticPic2("0030", "00020400640000"); break;
    }
}

void SerialPortTest::verifyAnswer(Kind kind)
{
    QSignalSpy &s = spy(answerSignal(kind));
    QCOMPARE(s.count(), 1);
    const QVariant arg = s.first().first();
    switch (kind) {
    case Kind::Read:
    case Kind::LiveTrend: QCOMPARE(arg.value<QVector<QString>>(), kTwoWords); break;
    case Kind::Status: QCOMPARE(arg.value<QVector<QString>>(), QVector<QString>{"1234"}); break;
    case Kind::CaptureRead:
        QCOMPARE(arg.toBool(), true);
        QCOMPARE(spy("sendPicFinished").first().first().toString(), QStringLiteral("1234ABCD"));
        QCOMPARE(m_order, (QStringList{"sendPicFinished", "FrameDataIsOK"}));
        return;
    case Kind::Write06:
    case Kind::CaptureWrite:
        QCOMPARE(arg.toString(), kEcho06);
        QCOMPARE(m_drive->registerValue(0x0020), quint16(0x00AB));
        break;
    case Kind::Write10:
    case Kind::CaptureWrite2:
        QCOMPARE(arg.toString(), kEcho10);
        QCOMPARE(m_drive->registerValue(0x0030), quint16(0x0064));
        break;
    }
    QCOMPARE(m_order.size(), 1);
}

// Each requester code reaches exactly its signal; unknown codes send the request and reach none.
// (The live trend and the status query have no code; their one signal is seen in failures().)
void SerialPortTest::requesterCodes_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("code");
    QTest::addColumn<QStringList>("answeredBy");

    const QStringList reads{"readDataToShow", "readDataTOMonitor", "readDataToControl", "readDataToEncoder",
                            "sendEncodeQuery", "readDataToMaster", "readDataToAuto", "SendVision"};
    for (int code = 1; code <= 8; ++code)
        QTest::addRow("read %d", code) << Kind::Read << code << QStringList{reads.at(code - 1)};
    for (int code : {0, 9, -1})
        QTest::addRow("read %d (unknown)", code) << Kind::Read << code << QStringList();

    const std::map<int, QString> writes{{1, "writeDataToCheck"}, {3, "writeDataToControl"},
                                        {4, "writeDataToEncoder"}, {6, "writeDataToMaster"},
                                        {7, "writeDataToAuto"}};
    for (const auto &w : writes) {
        QTest::addRow("write 06, %d", w.first) << Kind::Write06 << w.first << QStringList{w.second};
        QTest::addRow("write 10, %d", w.first) << Kind::Write10 << w.first << QStringList{w.second};
    }
    for (int code : {0, 2, 5, 8})
        QTest::addRow("write 06, %d (unknown)", code) << Kind::Write06 << code << QStringList();
    QTest::addRow("write 10, 2 (unknown)") << Kind::Write10 << 2 << QStringList();

    QTest::addRow("capture read 0") << Kind::CaptureRead << 0 << QStringList{"sendPicFinished", "FrameDataIsOK"};
    QTest::addRow("capture read 1") << Kind::CaptureRead << 1 << QStringList{"sendPicFinished1", "FrameDataIsOK1"};
    QTest::addRow("capture read 2 (unknown)") << Kind::CaptureRead << 2 << QStringList();
    QTest::addRow("capture write 0") << Kind::CaptureWrite << 0 << QStringList{"WriteGraphToCheck"};
    QTest::addRow("capture write 1") << Kind::CaptureWrite << 1 << QStringList{"WriteGraphToCheck1"};
    QTest::addRow("capture write 2 (unknown)") << Kind::CaptureWrite << 2 << QStringList();
}

void SerialPortTest::requesterCodes()
{
    QFETCH(Kind, kind);
    QFETCH(int, code);
    QFETCH(QStringList, answeredBy);

    send(kind, code);
    QVERIFY2(BoundedWait::until([&] { return m_drive->replyCount() > 0 && idle(); }, kAnswerLimit),
             "the drive's reply was never taken");
    QCOMPARE(m_order, answeredBy);
    QCOMPARE(m_drive->requestCount(), 1);
    if (kind == Kind::Read && !answeredBy.isEmpty())
        QCOMPARE(spy(answeredBy.last()).first().first().value<QVector<QString>>(), kTwoWords);
    if ((kind == Kind::Write06 || kind == Kind::Write10) && !answeredBy.isEmpty())
        QCOMPARE(spy(answeredBy.last()).first().first().toString(), kind == Kind::Write06 ? kEcho06 : kEcho10);

    if (kind == Kind::CaptureWrite) {
        // The 32-bit write of the same set-up (writeStaticPic2) answers the same window.
        forget();
        send(Kind::CaptureWrite2);
        QVERIFY(BoundedWait::until([&] { return m_drive->replyCount() > 1 && idle(); }, kAnswerLimit));
        QCOMPARE(m_order, answeredBy);
        if (!answeredBy.isEmpty())
            QCOMPARE(spy(answeredBy.last()).first().first().toString(), kEcho10);
        QCOMPARE(m_drive->registerValue(0x0030), quint16(0x0064));
    }
}

// A read's answer carries its own words only, whatever came before and whether or not the
// window ended its exchange.
void SerialPortTest::eachAnswerCarriesItsOwnWords()
{
    QSignalSpy &answers = spy("readDataToShow");
    auto read = [&](const char *address) {
        const int before = answers.count();
        m_link->readSerial(address, "0001", 1);
        return BoundedWait::until([&] { return answers.count() > before; }, kAnswerLimit)
            ? answers.last().first().value<QVector<QString>>() : QVector<QString>();
    };
    QCOMPARE(read("0010"), QVector<QString>{"1234"});
    QCOMPARE(read("0012"), QVector<QString>{"0042"});
    m_link->TreeViewOk(false);
    QCOMPARE(read("0013"), QVector<QString>{"0043"});
}

// Requests of several windows asked at once go on the line one at a time, in the order asked;
// each is answered through its own signal with its own register's words. While one waits for a
// silent drive the others wait their turn (the link reports itself busy, the status poll too
// waits instead of being lost); the line then settles before the drive is asked again, and the
// wait of a window counts from when its request went on the line.
void SerialPortTest::requestsWaitTheirTurn()
{
    m_drive->setFailure(Failure::NoAnswer, 1);
    QElapsedTimer clock;
    clock.start();
    m_link->readSerial("0013", "0001", 6); // silent
    m_link->readSerial("0010", "0001", 2);
    m_link->queryStatus("0011", "0001");
    m_link->readDynamic("0012", "0001");
    m_link->writeSerial("0020", "00AB", 3);
    m_link->QueryInterface(false);
    QCOMPARE(spy("sendQueryOperateInterface").last().first().toBool(), true);
    QVERIFY(waitHeard(1));
    BoundedWait::pause(kSettle);
    QCOMPARE(m_drive->requestCount(), 1);

    // The status request is the third asked: the window waits its turn, then its own limit.
    const bool answered = BoundedWait::forReply([&] { return spy("sendStatus").count() > 0; }, 50,
                                                LineTickets::lastTaken() - 2);
    QVERIFY2(answered, "a request that waited its turn was given up before it went on the line");
    QVERIFY2(clock.elapsed() >= LinkTiming::kStallMs, "the line did not settle after the silent request");
    // A wait whose answer seems to be there already still lasts until its request is on the line.
    QVERIFY(BoundedWait::forReply([] { return true; }, 0, LineTickets::lastTaken()));
    QVERIFY2(spy("readDataToDynamic").count() == 1, "a wait ended before its request went on the line");
    QVERIFY(BoundedWait::until([&] { return idle(); }, kAnswerLimit));
    QCOMPARE(m_order, (QStringList{"readDataTOMonitor", "sendStatus", "readDataToDynamic", "writeDataToControl"}));
    QCOMPARE(spy("readDataTOMonitor").first().first().value<QVector<QString>>(), QVector<QString>{"1234"});
    QCOMPARE(spy("sendStatus").first().first().value<QVector<QString>>(), QVector<QString>{"ABCD"});
    QCOMPARE(spy("readDataToDynamic").first().first().value<QVector<QString>>(), QVector<QString>{"0042"});
    QCOMPARE(spy("writeDataToControl").first().first().toString(), kEcho06);
    QCOMPARE(m_drive->requestCount(), 5);
    QCOMPARE(m_boxes->count(), 0);
}

// A drive that stalls (up to a second) and then answers a request the link gave up on: the
// late reply answers nothing, and the next request of the same shape gets its own value. A
// window that asked for more time than the link's own limit gets its answer.
void SerialPortTest::lateReplyAfterStallAnswersNothing_data()
{
    QTest::addColumn<int>("stallMs");
    QTest::addColumn<int>("askedMs");
    QTest::newRow("just after the limit") << 450 << 0;
    QTest::newRow("one second") << 950 << 0;
    QTest::newRow("within what the window asked") << 450 << 1500;
}

void SerialPortTest::lateReplyAfterStallAnswersNothing()
{
    QFETCH(int, stallMs);
    QFETCH(int, askedMs);
    m_drive->setLateDelay(stallMs);
    m_drive->setFailure(Failure::Late, 1);
    m_link->readSerial("0010", "0001", 7);
    QVERIFY(waitHeard(1));
    QCOMPARE(BoundedWait::forReply([&] { return !m_order.isEmpty(); }, askedMs), askedMs > 0);
    m_link->readSerial("0012", "0001", 7);
    QVERIFY(BoundedWait::until([&] { return spy("readDataToAuto").count() == (askedMs > 0 ? 2 : 1); }, kAnswerLimit));
    BoundedWait::pause(kSilence);
    QVector<QVector<QString>> answers;
    for (const QList<QVariant> &a : spy("readDataToAuto"))
        answers << a.first().value<QVector<QString>>();
    using Answers = QVector<QVector<QString>>;
    const Answers expected = askedMs > 0 ? Answers{{"1234"}, {"0042"}} : Answers{{"0042"}};
    QCOMPARE(answers, expected);
}

// QueryInterface reports the link busy while a window's request is on the line (the status poll
// does not count), and free again once the link has given the request up.
void SerialPortTest::pendingRequest_data()
{
    QTest::addColumn<int>("pending"); // -1: nothing
    QTest::addColumn<bool>("busy");
    QTest::newRow("idle") << -1 << false;
    for (Kind kind : kKinds)
        QTest::addRow("%s waits", kindName(kind)) << int(kind) << (kind != Kind::Status);
}

void SerialPortTest::pendingRequest()
{
    QFETCH(int, pending);
    QFETCH(bool, busy);

    if (pending >= 0) {
        m_drive->setFailure(Failure::NoAnswer, 1);
        send(Kind(pending));
        QVERIFY(waitHeard(1));
    }
    QSignalSpy &busySpy = spy("sendQueryOperateInterface");
    for (bool argument : {false, true}) {
        m_link->QueryInterface(argument);
        QCOMPARE(busySpy.count(), argument ? 2 : 1); // emitted at once
        QCOMPARE(busySpy.last().first().toBool(), busy);
    }
    QVERIFY(!BoundedWait::forReply([] { return false; }, 0));
    m_link->QueryInterface(false);
    QCOMPARE(busySpy.last().first().toBool(), false);
    QVERIFY(m_order.isEmpty());
    QCOMPARE(m_boxes->count(), 0);
}

void SerialPortTest::captureUpload_data()
{
    QTest::addColumn<bool>("draw");
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("signal");
    QTest::newRow("capture window") << true << 0 << "readDataToPaint";
    QTest::newRow("spectrum window") << true << 1 << "readDataToPaint1";
    QTest::newRow("another window's end") << true << 2 << "";
    QTest::newRow("not drawn") << false << 0 << "";
}

void SerialPortTest::captureUpload()
{
    QFETCH(bool, draw);
    QFETCH(int, which);
    QFETCH(QString, signal);

    m_link->startDrow(true);
    // Three blocks, one of them arriving in pieces: each is acknowledged, all are kept in order;
    // the other window's capture read between them keeps its words apart.
    const int reader = which == 1 ? 1 : 0;
    const QString acknowledged = reader == 1 ? "FrameDataIsOK1" : "FrameDataIsOK";
    const QList<QPair<QByteArray, QByteArray>> blocks{{"0010", "0002"}, {"0012", "0001"}, {"0013", "0001"}};
    for (int i = 0; i < blocks.size(); ++i) {
        if (i == 1)
            m_drive->setFailure(Failure::Split, 1);
        m_link->readStaticPic(blocks.at(i).first, blocks.at(i).second, reader);
        m_link->readStaticPic("0013", "0001", 1 - reader);
        QVERIFY(BoundedWait::until([&] { return spy(acknowledged).count() == i + 1 && idle(); }, kAnswerLimit));
    }
    const QVector<QString> all{"1234", "ABCD", "0042", "0043"};
    QCOMPARE(m_link->graphWords.value(reader), all);
    m_order.clear();

    m_link->endDrow(draw, which);
    QCOMPARE(m_order, signal.isEmpty() ? QStringList() : QStringList{signal});
    if (!signal.isEmpty())
        QCOMPARE(spy(signal).first().first().value<QVector<QString>>(), all);
    // Words not drawn stay for a later endDrow; drawn ones are gone.
    QCOMPARE(m_link->graphWords.value(reader), draw && which == reader ? QVector<QString>() : all);
}

// A field that is not hex text of the right length never reaches the line; the requester's
// time-out takes over as for a silent drive, and the next good request goes through.
void SerialPortTest::malformedFieldsSendNothing_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QByteArray>("addr");
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("read, non-hex count") << 0 << QByteArray("0010") << QByteArray("00G1");
    QTest::newRow("read, short address") << 0 << QByteArray("010") << QByteArray("0001");
    QTest::newRow("write 06, long value") << 1 << QByteArray("0020") << QByteArray("000AB");
    QTest::newRow("write 10, 17 digits") << 2 << QByteArray("0030") << QByteArray("0002040064000");
    QTest::newRow("live trend, empty count") << 3 << QByteArray("0010") << QByteArray();
}

void SerialPortTest::malformedFieldsSendNothing()
{
    QFETCH(int, slot);
    QFETCH(QByteArray, addr);
    QFETCH(QByteArray, data);

    switch (slot) {
    case 0: m_link->readSerial(addr, data, 1); break;
    case 1: m_link->writeSerial(addr, data, 1); break;
    case 2: m_link->writeSerial2(addr, data, 1); break;
    case 3: m_link->readDynamic(addr, data); break;
    }
    BoundedWait::pause(kSilence);
    QCOMPARE(m_drive->requestCount(), 0);
    QCOMPARE(m_drive->rejectedFrameCount(), 0);
    QVERIFY(m_order.isEmpty());
    QCOMPARE(m_boxes->count(), 0);

    send(Kind::Read);
    QVERIFY(waitSignal("readDataToShow"));
    verifyAnswer(Kind::Read);
}

void SerialPortTest::failures_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<Failure>("failure");
    QTest::addColumn<bool>("answered");

    for (Kind kind : kKinds) {
        const bool write = kind == Kind::Write06 || kind == Kind::Write10 || kind == Kind::CaptureWrite;
        auto add = [&](Failure f, bool answered) {
            QTest::addRow("%s: %s", kindName(kind), qPrintable(SimulatedDrive::failureName(f)))
                << kind << f << answered;
        };
        for (Failure f : {Failure::None, Failure::Split, Failure::Late, Failure::LateEcho})
            add(f, true);
        QTest::addRow("%s: after the link's limit", kindName(kind)) << kind << Failure::Late << false;
        for (Failure f : {Failure::NoAnswer, Failure::BadCrc, Failure::Exception, Failure::ForeignStation,
                          Failure::OverLong, Failure::Garbled, write ? Failure::NoEchoOnce : Failure::WrongByteCount})
            add(f, false);
    }
}

void SerialPortTest::failures()
{
    QFETCH(Kind, kind);
    QFETCH(Failure, failure);
    QFETCH(bool, answered);

    if (failure == Failure::LateEcho) {
        // An earlier write whose echo the drive will send again, late, before this reply.
        m_link->writeSerial("0020", "0055", 1);
        QVERIFY(waitSignal("writeDataToCheck"));
        m_link->TreeViewOk(true);
        forget();
    }
    const int before = m_drive->requestCount();
    const int repliesBefore = m_drive->replyCount();
    // A drive that starts its answer late, but within the link's limit; or only after it.
    m_drive->setLateDelay(answered ? LinkTiming::kDriveAnswerMs - 100 : 600);
    m_drive->setFailure(failure, 1);

    send(kind);
    QVERIFY(waitHeard(before + 1));
    if (answered) {
        if (failure == Failure::Late)
            QVERIFY2(!BoundedWait::until([&] { return !m_order.isEmpty(); }, 150), "a late reply came early");
        QVERIFY2(waitSignal(answerSignal(kind)), "no answer");
        verifyAnswer(kind);
        return;
    }

    // Refused (or never sent): no answer of any kind, however long one waits. An exception is
    // the drive's whole answer and ends the request at once; other refused bytes do not.
    if (failure == Failure::NoAnswer || failure == Failure::NoEchoOnce) {
        BoundedWait::pause(kSilence);
    } else {
        QVERIFY(BoundedWait::until([&] { return m_drive->replyCount() > repliesBefore; }, kAnswerLimit));
        BoundedWait::pause(kSettle);
    }
    m_link->QueryInterface(false);
    if (failure == Failure::Exception)
        QCOMPARE(spy("sendQueryOperateInterface").last().first().toBool(), false);
    QVERIFY(!BoundedWait::forReply([] { return false; }, 0));
    BoundedWait::pause(failure == Failure::Late ? 600 : 0); // the late reply comes and is dropped
    QVERIFY2(m_order.isEmpty(), qPrintable(m_order.join(QLatin1Char(','))));
    QCOMPARE(m_boxes->count(), 0);
    if (failure == Failure::Exception || failure == Failure::NoAnswer)
        QCOMPARE(m_drive->registerValue(0x0020), quint16(0)); // nothing stored

    // The requester's retry, with the drive behaving again, is answered as usual.
    m_link->TreeViewOk(false);
    send(kind);
    QVERIFY2(waitSignal(answerSignal(kind)), "the retry was not answered");
    verifyAnswer(kind);
}

// A request is answered only by its own reply: a read sent while an earlier read still waits
// is answered through its own code, the earlier one never; and when a window gives up on a
// late read and writes instead, the read reply that comes at last is not taken for the echo.
void SerialPortTest::onlyItsOwnReplyAnswersARequest()
{
    m_drive->setFailure(Failure::NoAnswer, 1);
    m_link->readSerial("0010", "0002", 1);
    QVERIFY(waitHeard(1));
    m_link->readSerial("0012", "0001", 2);
    QVERIFY(waitSignal("readDataTOMonitor"));
    QCOMPARE(spy("readDataTOMonitor").first().first().value<QVector<QString>>(), QVector<QString>{"0042"});
    forget();

    m_drive->setLateDelay(600);
    m_drive->setFailure(Failure::Late, 1);
    send(Kind::Read);
    QVERIFY(waitHeard(3));
    QVERIFY(!BoundedWait::until([&] { return !m_order.isEmpty(); }, 200));
    m_link->TreeViewOk(false);
    send(Kind::Write06);
    QVERIFY(waitSignal("writeDataToCheck"));
    verifyAnswer(Kind::Write06);
    BoundedWait::pause(kSilence);
    QCOMPARE(m_order, QStringList{"writeDataToCheck"});
}

// A closed port, or a line that goes away (adapter pulled, with or without a request waiting):
// a lost line is reported once, and every later request shows the closed-port warning and
// sends nothing.
void SerialPortTest::portClosedOrLost_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("how"); // 0 closePort(), 1 line lost, 2 line lost while a request waits
    for (Kind kind : kKinds + QList<Kind>{Kind::CaptureWrite2}) {
        QTest::addRow("%s, port closed", kindName(kind)) << kind << 0;
        if (kind == Kind::CaptureWrite2)
            continue;
        QTest::addRow("%s, line lost", kindName(kind)) << kind << 1;
        QTest::addRow("%s, line lost while one waits", kindName(kind)) << kind << 2;
    }
}

void SerialPortTest::portClosedOrLost()
{
    QFETCH(Kind, kind);
    QFETCH(int, how);

    if (how == 2) {
        m_drive->setFailure(Failure::NoAnswer);
        send(kind);
        QVERIFY(waitHeard(1));
    }
    const int heard = m_drive->requestCount();
    if (how == 0) {
        m_link->closePort();
    } else {
        m_drive->dropLink();
        QVERIFY2(waitSignal("isOpenSerial"), "the lost line went unnoticed");
        QCOMPARE(spy("isOpenSerial").first().first().toBool(), false);
    }
    QVERIFY(!m_link->isPortOpen());

    send(kind);
    QCOMPARE(m_boxes->count(), 1);
    QCOMPARE(m_boxes->last().text, kPortClosed);
    QCOMPARE(m_boxes->last().icon, QMessageBox::Warning);
    m_link->QueryInterface(false); // nothing was left marked as waiting
    QCOMPARE(spy("sendQueryOperateInterface").last().first().toBool(), false);
    BoundedWait::pause(100);
    QCOMPARE(m_drive->requestCount(), heard);
    QVERIFY2(m_order.isEmpty(), qPrintable(m_order.join(QLatin1Char(','))));
    QCOMPARE(spy("isOpenSerial").count(), how == 0 ? 0 : 1);
}

QTEST_MAIN(SerialPortTest)
#include "tst_serialport.moc"
