// serialPort against the simulated drive over real pseudo-terminals: the requester-code
// table, the queue of requests, the reply paths and every way a drive can misbehave.

#include "afterwaits.h"
#include "boundedwait.h"
#include "drivecommands.h"
#include "framecodec.h"
#include "linetickets.h"
#include "linktiming.h"
#include "modalanswerer.h"
#include "pollturn.h"
#include "serialport.h"
#include "simulateddrive.h"
#include "testframes.h"

#include <QDialog>
#include <QPushButton>
#include <QtTest>

#include <map>
#include <memory>
#include <fcntl.h>
#include <unistd.h>

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
    void aSlotThatHoldsItsAnswer();
    void requestsWaitTheirTurn();
    void lateReplyAfterStallAnswersNothing_data();
    void lateReplyAfterStallAnswersNothing();
    void afterAGiveUp_data();
    void afterAGiveUp();
    void aStopGoesFirst_data();
    void aStopGoesFirst();
    void aReplyBehindSettlesAgain();
    void aWriteOnlyByItsOwnEcho_data();
    void aWriteOnlyByItsOwnEcho();
    void backInStepAfterAStall_data();
    void backInStepAfterAStall();
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
    void commandRegisterGate_data();
    void commandRegisterGate();

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
    QStringList m_order; // every signal of the link but its state reports, in order
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
        if (name != QLatin1String("sendQueryOperateInterface") && name != QLatin1String("isOpenSerial")
            && name != QLatin1String("driveAnswered") && name != QLatin1String("writeEchoRefused"))
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
// A window's slot that opens a box inside its answer (what no window may do) holds neither the
// reception nor the requests behind it: the next read is answered while the box is up, not given
// up. The test support hears of the box, so that a window doing it fails its tests.
void SerialPortTest::aSlotThatHoldsItsAnswer()
{
    QStringList told;
    LineTickets::setMisuseWatch([&](const char *what) { told << QString::fromLatin1(what); });
    m_boxes->setLeftAlone([](QWidget *w) { return w->windowTitle() == QLatin1String("probe"); });
    QString upWhenAnswered;
    connect(m_link.get(), &serialPort::readDataToShow, this, [&] {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("probe"), QStringLiteral("held"));
        QTimer::singleShot(1500, &box, &QMessageBox::accept);
        box.exec();
    });
    connect(m_link.get(), &serialPort::readDataTOMonitor, this, [&] {
        if (QApplication::activeModalWidget())
            upWhenAnswered = QApplication::activeModalWidget()->windowTitle();
    });
    m_link->readSerial("0010", "0002", 1);
    m_link->readSerial("0012", "0001", 2);
    QVERIFY2(waitSignal("readDataTOMonitor"), "the read behind the held answer was given up");
    QCOMPARE(upWhenAnswered, QStringLiteral("probe"));
    QCOMPARE(told, QStringList{"a modal box or dialog opened"});
}

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
// waits instead of being lost); the line then settles before the drive is asked again for a reply
// of the same shape, and the wait of a window counts from when its request went on the line.
void SerialPortTest::requestsWaitTheirTurn()
{
    m_drive->setFailure(Failure::NoAnswer, 1);
    QElapsedTimer clock;
    clock.start();
    m_link->readSerial("0013", "0001", 6); // silent
    m_link->readSerial("0010", "0001", 2);
    m_link->queryStatus("0011", "0001");
    m_link->readDynamic("0012", "0001");
    m_link->QueryInterface(false);
    QCOMPARE(spy("sendQueryOperateInterface").last().first().toBool(), true);
    QVERIFY(waitHeard(1));
    BoundedWait::pause(kSettle);
    QCOMPARE(m_drive->requestCount(), 1);

    // The status request is the third asked: the window waits its turn, then its own limit.
    const bool answered = BoundedWait::forReply([&] { return spy("sendStatus").count() > 0; }, 50,
                                                LineTickets::lastTaken() - 1);
    QVERIFY2(answered, "a request that waited its turn was given up before it went on the line");
    QVERIFY2(clock.elapsed() >= LinkTiming::kStallMs, "the line did not settle after the silent request");
    // A wait whose answer seems to be there already still lasts until its request is on the line.
    const LineTickets::Ticket last = LineTickets::lastTaken();
    QVERIFY(BoundedWait::forReply([] { return true; }, 0, last));
    QVERIFY2(LineTickets::isOnLine(last) || LineTickets::isFinished(last), "a wait ended before its request went on the line");
    QVERIFY(BoundedWait::until([&] { return idle(); }, kAnswerLimit));
    QCOMPARE(m_order, (QStringList{"readDataTOMonitor", "sendStatus", "readDataToDynamic"}));
    QCOMPARE(spy("readDataTOMonitor").first().first().value<QVector<QString>>(), QVector<QString>{"1234"});
    QCOMPARE(spy("sendStatus").first().first().value<QVector<QString>>(), QVector<QString>{"ABCD"});
    QCOMPARE(spy("readDataToDynamic").first().first().value<QVector<QString>>(), QVector<QString>{"0042"});
    QCOMPARE(m_drive->requestCount(), 4);
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

// After a request was given up, only a request its late reply could answer waits for the settle:
// a read of another length, a write, another station (the scan) and a stop go at once, and so does
// a read once a write's echo showed the line in step. A window that had asked for about the settle
// time itself leaves a settle that ends.
void SerialPortTest::afterAGiveUp_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("station");
    QTest::addColumn<QByteArray>("count");
    QTest::addColumn<int>("askedMs"); // by the window of the silent request
    QTest::addColumn<bool>("waits");
    QTest::newRow("a read of the same length") << "read" << "01" << QByteArray("0001") << 0 << true;
    QTest::newRow("a read of the same length, refused") << "refused read" << "01" << QByteArray("0001") << 0 << true;
    // Held, and more came with it: the drive was a reply behind, so nothing is taken.
    QTest::newRow("a read of the same length, refused, more glued") << "glued" << "01" << QByteArray("0001") << 0 << true;
    QTest::newRow("a read of another length") << "read" << "01" << QByteArray("0002") << 0 << false;
    QTest::newRow("another station") << "read" << "02" << QByteArray("0001") << 0 << false;
    QTest::newRow("a write") << "write" << "01" << QByteArray() << 0 << false;
    QTest::newRow("a stop") << "stop" << "01" << QByteArray() << 0 << false;
    QTest::newRow("a read after a write's echo") << "write, read" << "01" << QByteArray("0001") << 0 << false;
    // A window's write never overtakes its own read that waits for the settle.
    QTest::newRow("a read, then the same window's write") << "read, write" << "01" << QByteArray("0001") << 0 << true;
    // A new connection owes nothing of the old one: its read goes before another window's.
    QTest::newRow("a read after a reconnect") << "reconnect, read" << "01" << QByteArray("0001") << 0 << false;
    const int settle = LinkTiming::settleMs(LinkTiming::readReplyBytes(1));
    for (int edge : {settle - 1, settle, settle + 1})
        QTest::addRow("given up after %d ms", edge) << "read" << "01" << QByteArray("0001") << edge << false;
}

void SerialPortTest::afterAGiveUp()
{
    QFETCH(QString, kind);
    QFETCH(QString, station);
    QFETCH(QByteArray, count);
    QFETCH(int, askedMs);
    QFETCH(bool, waits);
    m_drive->addStation(2);
    m_drive->setRegister(0x0010, 0x1234, 2);
    m_drive->setFailure(Failure::NoAnswer, 1);
    m_link->readSerial("0013", "0001", 6);
    const LineTickets::Ticket silent = LineTickets::lastTaken();
    LineTickets::askAtLeast(silent, askedMs);
    QVERIFY(BoundedWait::until([&] { return LineTickets::isFinished(silent); }, askedMs + kAnswerLimit));
    if (kind == QLatin1String("write, read")) {
        m_link->writeSerial("0020", "00AB", 3);
        QVERIFY(waitSignal("writeDataToControl"));
    }
    QElapsedTimer clock;
    clock.start();
    m_link->setStation(station);
    if (kind == QLatin1String("glued")) {
        m_drive->missRequests(0x0010, 1);
        m_link->readSerial("0010", count, 1);
        const LineTickets::Ticket asked = LineTickets::lastTaken();
        QVERIFY(waitHeard(2));
        const QByteArray bytes = TestFrames::frame("018302") + TestFrames::frame("0103021234");
        const int line = ::open(QFile::encodeName(m_drive->drivePortName()).constData(), O_WRONLY | O_NOCTTY);
        QVERIFY(line >= 0 && ::write(line, bytes.constData(), size_t(bytes.size())) == bytes.size() && ::close(line) == 0);
        QVERIFY(BoundedWait::until([&] { return LineTickets::isFinished(asked); }, kAnswerLimit));
        QCOMPARE(m_order, QStringList());
        return;
    }
    QString answer = QString::fromLatin1(kind == QLatin1String("refused read") ? "driveRefused" : "readDataToShow");
    m_drive->setFailure(kind == QLatin1String("refused read") ? Failure::Exception : Failure::None, 1);
    if (kind == QLatin1String("write")) {
        m_link->writeSerial("0020", "00AB", 1);
        answer = QStringLiteral("writeDataToCheck");
    } else if (kind == QLatin1String("stop")) {
        LineTickets::sendFirst([&] { m_link->writeSerial("2001", "0000", 3); });
        answer = QStringLiteral("writeDataToControl");
    } else {
        if (kind == QLatin1String("reconnect, read")) {
            m_link->closePort();
            QVERIFY(m_link->openPort(m_drive->portName(), 115200));
        }
        m_link->readSerial("0010", count, 1);
        if (kind == QLatin1String("read, write"))
            m_link->writeSerial("0020", "00AB", 1);
        if (kind == QLatin1String("reconnect, read"))
            m_link->readSerial("0010", "0002", 2);
    }
    QVERIFY2(waitSignal(answer), "no answer");
    if (kind == QLatin1String("read, write") || kind == QLatin1String("reconnect, read")) {
        const QString next = kind == QLatin1String("read, write") ? "writeDataToCheck" : "readDataTOMonitor";
        QVERIFY(waitSignal(next));
        QCOMPARE(m_order.mid(m_order.size() - 2), (QStringList{"readDataToShow", next}));
        return;
    }
    // A read of the same shape that waited is also held until the line stays quiet.
    QVERIFY2(waits == (clock.elapsed() >= LinkTiming::kStallMs), qPrintable(QStringLiteral("answered after %1 ms").arg(clock.elapsed())));
    QCOMPARE(m_order.last(), answer);
}

// A stop goes on the line as soon as the request on it has ended: ahead of the requests waiting
// their turn (and behind a stop asked before it), through a settle, without the longer wait a
// window asked for, and without waiting for a held reply to be confirmed, whether it asked during
// the hold or just before the reply came (that request then ends unanswered). A motion command or
// a poll taken back before its turn never follows it.
void SerialPortTest::aStopGoesFirst_data()
{
    QTest::addColumn<QString>("when");
    QTest::addColumn<int>("withinMs"); // from the stop asked to its echo
    QTest::newRow("requests queued") << "queued" << LinkTiming::kStallMs;
    QTest::newRow("a motion command and a poll taken back") << "taken back" << LinkTiming::kStallMs;
    QTest::newRow("during a settle") << "settle" << LinkTiming::kStallMs / 2;
    QTest::newRow("a window's longer wait") << "longer wait" << 2 * LinkTiming::kStallMs;
    QTest::newRow("a reply held") << "held" << LinkTiming::kStallMs / 2;
    QTest::newRow("just before a reply that will be held") << "before held" << LinkTiming::kStallMs / 2;
}

void SerialPortTest::aStopGoesFirst()
{
    QFETCH(QString, when);
    QFETCH(int, withinMs);
    const QByteArray a = TestFrames::frame("010300100001"), b = TestFrames::frame("010300110001");
    const QByteArray stopFrame = TestFrames::frame("010620010000"), offFrame = TestFrames::frame("010620000000");
    QElapsedTimer clock;
    auto stop = [&](const char *reg) {
        clock.start();
        LineTickets::sendFirst([&] { m_link->writeSerial(reg, "0000", 3); });
    };
    const bool silent = when != QLatin1String("queued") && when != QLatin1String("taken back");
    m_drive->setReplyDelay(100);
    if (silent)
        m_drive->setFailure(Failure::NoAnswer, 1);
    m_link->readSerial("0010", "0001", 1);
    const LineTickets::Ticket first = LineTickets::lastTaken();
    QVERIFY(waitHeard(1));
    QList<QByteArray> heard{a};
    if (when == QLatin1String("queued")) {
        m_link->readSerial("0011", "0001", 2);
        stop("2001");
        stop("2000");
        heard << stopFrame << offFrame << b;
    } else if (when == QLatin1String("taken back")) {
        m_link->writeSerial("2001", "0002", 3);
        QVERIFY(LineTickets::withdraw(LineTickets::lastTaken()));
        PollTurn poll;
        QVERIFY(poll.ask([&] { m_link->readSerial("0011", "0001", 2); }));
        poll.drop();
        stop("2001");
        heard << stopFrame;
    } else if (when == QLatin1String("longer wait")) {
        LineTickets::askAtLeast(first, 3 * LinkTiming::kStallMs);
        stop("2001");
        heard << stopFrame;
    } else {
        const bool held = when != QLatin1String("settle");
        QVERIFY(BoundedWait::until([&] { return LineTickets::isFinished(first); }, kAnswerLimit));
        BoundedWait::pause(held ? LinkTiming::settleMs(LinkTiming::readReplyBytes(1)) : 0);
        m_link->readSerial("0011", "0001", 2);
        // The held reply is the drive's own, held until the line has stayed quiet; or the stop
        // is asked while the drive takes its time over the read, and its reply comes after.
        const bool during = when == QLatin1String("held");
        QVERIFY(during ? BoundedWait::until([&] { return m_drive->replyCount() > 0; }, kAnswerLimit) : !held || waitHeard(2));
        BoundedWait::pause(during ? 30 : 0);
        stop("2001");
        heard << (held ? QList<QByteArray>{b, stopFrame} : QList<QByteArray>{stopFrame, b});
    }
    QVERIFY(waitSignal("writeDataToControl"));
    QVERIFY2(clock.elapsed() < withinMs, qPrintable(QStringLiteral("the stop was echoed after %1 ms").arg(clock.elapsed())));
    QVERIFY(BoundedWait::until([&] { return idle() && m_drive->requestCount() == heard.size(); }, kAnswerLimit));
    BoundedWait::pause(kSilence);
    QCOMPARE(m_drive->requests(), heard);
    QCOMPARE(m_order.contains(QStringLiteral("readDataTOMonitor")), heard.contains(b) && !when.contains(QLatin1String("held")));
}

// A drive found a reply behind (a second reply while a late one was held): neither is taken, and
// the line settles again from then. The first read is given up at about 0.4 s, the second goes
// after the settle (1.1 s) and is still on the line when the late reply and then its own come.
void SerialPortTest::aReplyBehindSettlesAgain()
{
    m_drive->setReplyDelay(50);
    m_drive->setLateDelay(1300);
    m_drive->setFailure(Failure::Late, 1);
    m_link->readSerial("0013", "0001", 6);
    m_link->readSerial("0010", "0001", 1);
    const LineTickets::Ticket second = LineTickets::lastTaken();
    QVERIFY(BoundedWait::until([&] { return LineTickets::isFinished(second); }, kAnswerLimit));
    QElapsedTimer clock;
    clock.start();
    m_link->readSerial("0012", "0001", 2);
    QVERIFY(waitSignal("readDataTOMonitor"));
    QVERIFY2(clock.elapsed() >= LinkTiming::kStallMs, "the line did not settle again");
    QCOMPARE(spy("readDataTOMonitor").first().first().value<QVector<QString>>(), QVector<QString>{"0042"});
    QCOMPARE(m_order, QStringList{"readDataTOMonitor"});
}

// A write given up whose echo comes late, then at once a second write: a function 10 echo repeats
// no values, so the late echo of the first must never confirm a second of other values to the same
// registers (had the drive refused it, the window would report success). A write whose own echo
// tells it from the late one is confirmed by it without waiting for the settle.
void SerialPortTest::aWriteOnlyByItsOwnEcho_data()
{
    QTest::addColumn<QByteArray>("first");  // address + data of the write given up
    QTest::addColumn<QByteArray>("second"); // the write that follows (a 10 when it has 14 digits)
    QTest::addColumn<bool>("refused");      // the drive answers the second with an exception
    QTest::addColumn<bool>("prompt");       // its own echo confirms it before the settle's end
    const QByteArray w10 = "0030" "00020400640000";
    QTest::newRow("10, other values, refused") << w10 << QByteArray("0030" "00020400C80000") << true << false;
    QTest::newRow("10, other values, taken") << w10 << QByteArray("0030" "00020400C80000") << false << false;
    QTest::newRow("10 to other registers") << w10 << QByteArray("0032" "00020400C80000") << false << true;
    QTest::newRow("06 of another value") << QByteArray("0020" "0064") << QByteArray("0020" "00C8") << false << true;
}

void SerialPortTest::aWriteOnlyByItsOwnEcho()
{
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, second);
    QFETCH(bool, refused);
    QFETCH(bool, prompt);
    const auto write = [&](const QByteArray &w) {
        w.size() > 8 ? m_link->writeSerial2(w.left(4), w.mid(4), 1) : m_link->writeSerial(w.left(4), w.mid(4), 1);
    };
    // The drive sends the echo of the second only after the late one of the first (and apart).
    int repliesAtEcho = -1;
    m_drive->setReplyDelay(50);
    connect(m_link.get(), &serialPort::writeDataToCheck, this, [&] { repliesAtEcho = m_drive->replyCount(); });
    m_drive->setLateDelay(600);
    m_drive->setFailure(Failure::Late, 1);
    write(first);
    const LineTickets::Ticket givenUp = LineTickets::lastTaken();
    QVERIFY(BoundedWait::until([&] { return LineTickets::isFinished(givenUp); }, kAnswerLimit));
    QCOMPARE(spy("writeDataToCheck").count(), 0);
    m_drive->setFailure(refused ? Failure::Exception : Failure::None, 1);
    QElapsedTimer clock;
    clock.start();
    write(second);
    const LineTickets::Ticket asked = LineTickets::lastTaken();
    QVERIFY(BoundedWait::until([&] { return LineTickets::isFinished(asked) && idle(); }, kAnswerLimit));
    const int echoes = spy("writeDataToCheck").count();
    if (refused || repliesAtEcho >= 0)
        QVERIFY2(echoes == 0 || (!refused && repliesAtEcho >= 2), "confirmed by the late echo of the first");
    if (prompt) {
        QCOMPARE(echoes, 1);
        QVERIFY2(clock.elapsed() < LinkTiming::kStallMs, qPrintable(QString::number(clock.elapsed())));
    }
}

// Two windows keep the line busy back to back, each asking its next read when its last one
// ended, while the drive stalls once for a second or more and then answers everything it heard,
// in order. No answer ever reaches a request it does not answer, and the line is back in step.
void SerialPortTest::backInStepAfterAStall_data()
{
    QTest::addColumn<int>("delay");
    QTest::addColumn<int>("stallMs");
    for (int stall : {1000, 1100, 1200, 1500, 2000, 3000})
        QTest::addRow("drive at 120 ms, %d ms stall", stall) << 120 << stall;
    QTest::newRow("prompt drive, 1100 ms stall") << 0 << 1100;
    QTest::newRow("drive at 300 ms, 1100 ms stall") << 300 << 1100;
}

void SerialPortTest::backInStepAfterAStall()
{
    QFETCH(int, delay);
    QFETCH(int, stallMs);
    // Reader k (code k + 1) reads its own 16 registers in turn; each register holds a value of its
    // own, so an answer to another request shows.
    PollTurn turns[2];
    quint16 asked[2] = {};
    int next[2] = {};
    qint64 lastRight[2] = {-1, -1};
    QStringList wrong;
    for (quint16 r = 0x0100; r < 0x0220; ++r)
        m_drive->setRegister(r, quint16(0x8000 + r));
    QElapsedTimer clock;
    clock.start();
    bool running = true;
    auto ask = [&](int k) {
        asked[k] = quint16(0x0100 * (k + 1) + next[k]++ % 16);
        const QByteArray address = QString::number(asked[k], 16).rightJustified(4, '0').toLatin1();
        return running && turns[k].ask([&] { m_link->readSerial(address, "0001", k + 1); });
    };
    auto heard = [&](int k, const QVector<QString> &words) {
        const QString own = QString::number(0x8000 + asked[k], 16).toUpper();
        if (words == QVector<QString>{own})
            lastRight[k] = clock.elapsed();
        else
            wrong << words.toList().join(',') + QStringLiteral(" for ") + own;
    };
    connect(&turns[0], &PollTurn::ended, this, [&] { ask(0); });
    connect(&turns[1], &PollTurn::ended, this, [&] { ask(1); });
    connect(m_link.get(), &serialPort::readDataToShow, this, [&](QVector<QString> w) { heard(0, w); });
    connect(m_link.get(), &serialPort::readDataTOMonitor, this, [&](QVector<QString> w) { heard(1, w); });
    m_drive->setReplyDelay(delay);
    QVERIFY(ask(0) && ask(1));
    QVERIFY2(!turns[0].ask([&] { m_link->readSerial("0100", "0001", 1); }), "a poll was stacked");
    BoundedWait::pause(800);
    m_drive->setLateDelay(stallMs);
    m_drive->setFailure(Failure::Late, 1);
    const qint64 stalled = clock.elapsed();
    BoundedWait::pause(stallMs + 4000);
    running = false;
    QVERIFY(BoundedWait::until([&] { return idle(); }, kAnswerLimit));
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral("; "))));
    for (qint64 last : lastRight)
        QVERIFY2(last > stalled + stallMs + 1500, "the line did not come back in step");
    QCOMPARE(m_boxes->count(), 0);
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
        // Taking it back is too late once it is on the line: it still ends as the link ends it.
        const LineTickets::Ticket onLine = LineTickets::lastTaken();
        QVERIFY(!LineTickets::withdraw(onLine));
        QVERIFY(!LineTickets::isFinished(onLine));
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
    m_link->startUpload(which == 1 ? 1 : 0);
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
    // The other window starts an upload of its own: these words stay.
    m_link->startDrow(true);
    m_link->startUpload(1 - reader);
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

    // Asked as a poll asks: the poll hears at once that it ended, or it would never ask again.
    PollTurn turn;
    QSignalSpy ended(&turn, &PollTurn::ended);
    turn.ask([&] {
        switch (slot) {
        case 0: m_link->readSerial(addr, data, 1); break;
        case 1: m_link->writeSerial(addr, data, 1); break;
        case 2: m_link->writeSerial2(addr, data, 1); break;
        case 3: m_link->readDynamic(addr, data); break;
        }
    });
    QVERIFY(ended.wait(kAnswerLimit));
    QVERIFY(!turn.waiting());
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
        QVERIFY(spy("driveAnswered").count() > 0 && spy("driveAnswered").last().first().toBool());
        // The earlier 06 echo, of either write function's request.
        QCOMPARE(spy("writeEchoRefused").count(), int(failure == Failure::LateEcho && (kind == Kind::Write06 || kind == Kind::Write10)));
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
    // Only an exception is told, to a read's or write's requester, with its code.
    const bool told = failure == Failure::Exception && (kind == Kind::Read || kind == Kind::Write06 || kind == Kind::Write10);
    QVERIFY2(m_order == (told ? QStringList{"driveRefused"} : QStringList()), qPrintable(m_order.join(QLatin1Char(','))));
    QVERIFY(!told || spy("driveRefused").first() == QVariantList({1, 2}));
    QCOMPARE(m_boxes->count(), 0);
    // An exception is the drive's answer; anything else ended unanswered, and is told once.
    QCOMPARE(spy("driveAnswered").count(), 1);
    QCOMPARE(spy("driveAnswered").first().first().toBool(), failure == Failure::Exception);
    if (failure == Failure::Exception || failure == Failure::NoAnswer)
        QCOMPARE(m_drive->registerValue(0x0020), quint16(0)); // nothing stored

    // The requester's retry, with the drive behaving again, is answered as usual.
    m_link->TreeViewOk(false);
    forget();
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
    // 0 closePort(), 1 line lost, 2 line lost while a request waits, 3 line lost while the dialog
    // showed it up (told once: no second message for the requests that follow)
    QTest::addColumn<int>("how");
    for (Kind kind : kKinds + QList<Kind>{Kind::CaptureWrite2}) {
        QTest::addRow("%s, port closed", kindName(kind)) << kind << 0;
        if (kind == Kind::CaptureWrite2)
            continue;
        QTest::addRow("%s, line lost", kindName(kind)) << kind << 1;
        QTest::addRow("%s, line lost while one waits", kindName(kind)) << kind << 2;
    }
    QTest::addRow("read, a lost link told") << Kind::Read << 3;
    // 4 port closed under a modal window, then opened again before the next box would open
    QTest::addRow("read, port closed, then opened") << Kind::Read << 4;
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
    if (how == 4) {
        // The box opens over the modal window that has the input, and only while the port is
        // still closed: after a Connect it would be wrong.
        QDialog modal;
        modal.setWindowModality(Qt::ApplicationModal);
        m_boxes->setLeftAlone([&](QWidget *w) { return w == &modal; });
        modal.show();
        m_link->closePort();
        send(kind);
        QTRY_COMPARE(m_boxes->count(), 1);
        QCOMPARE(m_boxes->last().text, kPortClosed);
        QVERIFY(m_boxes->last().parent == &modal);
        send(kind);
        QVERIFY(m_link->openPort(m_drive->portName(), 115200));
        bool after = false; // runs once the box would have opened
        AfterWaits::run(m_link.get(), [&after] { after = true; });
        QTRY_VERIFY(after);
        QCOMPARE(m_boxes->count(), 1);
        QCOMPARE(m_drive->requestCount(), heard);
        return;
    }
    if (how == 3)
        m_link->findChild<QPushButton *>(QStringLiteral("pushButtot_Connect"))->setText(QStringLiteral("断开"));
    if (how == 0) {
        m_link->closePort();
    } else if (how == 3) {
        // Lost while another window waits a fixed time: the notice opens after that wait, and
        // does not hold it.
        QTimer::singleShot(0, m_link.get(), [&] { m_drive->dropLink(); });
        BoundedWait::pause(1000);
        QVERIFY(!m_link->isPortOpen());
        QCOMPARE(m_boxes->count(), 0);
    } else {
        m_drive->dropLink();
        QVERIFY2(waitSignal("isOpenSerial"), "the lost line went unnoticed");
        QCOMPARE(spy("isOpenSerial").first().first().toBool(), false);
    }
    QVERIFY(!m_link->isPortOpen());

    send(kind);
    send(kind); // said once
    QTRY_COMPARE(m_boxes->count(), 1);
    QCOMPARE(m_boxes->last().text, how == 3 ? QStringLiteral("串口 %1 的连接已断开").arg(m_drive->portName()) : kPortClosed);
    QCOMPARE(m_boxes->last().icon, QMessageBox::Warning);
    m_link->QueryInterface(false); // nothing was left marked as waiting
    QCOMPARE(spy("sendQueryOperateInterface").last().first().toBool(), false);
    BoundedWait::pause(100);
    QCOMPARE(m_boxes->count(), 1);
    QCOMPARE(m_drive->requestCount(), heard);
    QVERIFY2(m_order.isEmpty(), qPrintable(m_order.join(QLatin1Char(','))));
    QCOMPARE(spy("isOpenSerial").count(), how == 0 ? 0 : 1);
}

// The one gate of the drive's command registers. While an operation holds them, a write that
// reaches one of them (a two-word write that starts below included) from anyone but the
// holder's requester is refused unsent, with the holder named in that request's reason only;
// the registers just outside each guarded range, the holder's own writes and a stop go.
// Each write: "<kind> <address> <code>", kind 06 / 10 (window writes), g06 / g10 (capture
// writes), stop (a 06 write ahead of everything); expected: r refused, w written, in order.
void SerialPortTest::commandRegisterGate_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<int>("holder"); // a DriveCommands::Operation, -1 for none
    QTest::addColumn<QStringList>("writes");
    QTest::addColumn<QString>("expected");
    struct Range
    {
        int family;
        quint16 first, last;
    };
    const Range ranges[] = {{0, 0x2000, 0x2001}, {0, 0x2008, 0x2009}, {0, 0x2036, 0x2036}, {0, 0x2100, 0x2103},
                            {0, 0x2110, 0x2113}, {0, 0x2200, 0x2203}, {0, 0x2208, 0x2208}, {0, 0x220A, 0x220B},
                            {1, 0x0980, 0x0980}, {1, 0x1000, 0x1000}, {1, 0x1003, 0x1008}};
    const auto write = [](int address) { return QStringLiteral("06 %1 1").arg(address, 4, 16, QLatin1Char('0')).toUpper(); };
    const int capture = int(DriveCommands::Operation::Capture);
    // Each register of the range refused, those just outside it written (a refusal between
    // them, so that no reason passes on to the next request).
    for (const Range &r : ranges) {
        QStringList writes{write(r.first), write(r.first - 1)};
        for (int a = r.first + 1; a <= r.last; ++a)
            writes << write(a);
        writes << write(r.last + 1);
        QTest::addRow("%s %04X-%04X", r.family ? "HXQ" : "VR", r.first, r.last)
            << r.family << capture << writes << QStringLiteral("rw") + QString(r.last - r.first, 'r') + 'w';
    }
    QTest::newRow("two words from below") << 0 << capture << QStringList{"10 1FFE 1", "10 1FFF 1", "10 2007 1"} << "wrr";
    QTest::newRow("the capture's own writes") << 0 << capture << QStringList{"g06 2000 0", "g10 2202 0", "g06 2000 1"} << "wwr";
    QTest::newRow("JOG's own writes") << 0 << int(DriveCommands::Operation::Jog) << QStringList{"06 2001 3", "06 2001 1", "g06 2100 0"} << "wrr";
    QTest::newRow("a stop from another window") << 0 << capture << QStringList{"06 2001 3", "stop 2001 3"} << "rw";
    QTest::newRow("nothing held") << 0 << -1 << QStringList{"06 2000 1", "g06 2100 1"} << "ww";
}

void SerialPortTest::commandRegisterGate()
{
    QFETCH(int, family);
    QFETCH(int, holder);
    QFETCH(QStringList, writes);
    QFETCH(QString, expected);
    m_link->driveFamily = family;
    QObject operation; // holds them for the row
    if (holder >= 0)
        QVERIFY(DriveCommands::take(&operation, DriveCommands::Operation(holder)));
    for (int i = 0; i < writes.size(); ++i) {
        const QStringList w = writes.at(i).split(' ');
        const QByteArray address = w.at(1).toLatin1();
        const int code = w.at(2).toInt();
        const int heard = m_drive->requestCount();
        if (w.at(0) == "06")
            m_link->writeSerial(address, "0001", code);
        else if (w.at(0) == "10")
            m_link->writeSerial2(address, "00020400010000", code);
        else if (w.at(0) == "g06")
            m_link->writeStaticPic(address, "0001", code);
        else if (w.at(0) == "g10")
            m_link->writeStaticPic2(address, "00020400010000");
        else
            LineTickets::sendFirst([&] { m_link->writeSerial(address, "0000", code); });
        const LineTickets::Ticket ticket = LineTickets::lastTaken();
        const bool refused = expected.at(i) == 'r';
        QCOMPARE(LineTickets::refusal(ticket), refused ? DriveCommands::refusalReason() : QString());
        QVERIFY2(refused ? LineTickets::isFinished(ticket) : waitHeard(heard + 1), qPrintable(writes.at(i)));
        QVERIFY(BoundedWait::until([&] { return LineTickets::isFinished(ticket); }, kAnswerLimit));
        QCOMPARE(m_drive->requestCount(), heard + !refused);
    }
    QVERIFY(m_boxes->count() == 0);
}

QTEST_MAIN(SerialPortTest)
#include "tst_serialport.moc"
