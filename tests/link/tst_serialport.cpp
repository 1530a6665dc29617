// serialPort against the simulated drive over real pseudo-terminals: the requester-code
// table, the pending marks, the reply paths and every way a drive can misbehave.

#include "boundedwait.h"
#include "framecodec.h"
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

enum class Kind { Read, Write06, Write10, Status, CaptureRead, CaptureWrite, LiveTrend };

QString kindName(Kind kind)
{
    switch (kind) {
    case Kind::Read: return QStringLiteral("read");
    case Kind::Write06: return QStringLiteral("write 06");
    case Kind::Write10: return QStringLiteral("write 10");
    case Kind::Status: return QStringLiteral("status");
    case Kind::CaptureRead: return QStringLiteral("capture read");
    case Kind::CaptureWrite: return QStringLiteral("capture write");
    case Kind::LiveTrend: return QStringLiteral("live trend");
    }
    return QString();
}

bool isWriteKind(Kind kind)
{
    return kind == Kind::Write06 || kind == Kind::Write10 || kind == Kind::CaptureWrite;
}

QString withCrc(const QString &body)
{
    return body + FrameCodec::crc16Modbus(body);
}

// The signal that answers each kind with its usual requester code, and what it must carry.
QString answerSignal(Kind kind)
{
    switch (kind) {
    case Kind::Read: return QStringLiteral("readDataToShow");
    case Kind::Write06:
    case Kind::Write10: return QStringLiteral("writeDataToCheck");
    case Kind::Status: return QStringLiteral("sendStatus");
    case Kind::CaptureRead: return QStringLiteral("FrameDataIsOK");
    case Kind::CaptureWrite: return QStringLiteral("WriteGraphToCheck");
    case Kind::LiveTrend: return QStringLiteral("readDataToDynamic");
    }
    return QString();
}

const QVector<QString> kTwoWords{QStringLiteral("1234"), QStringLiteral("ABCD")};
const QString kEcho06 = withCrc(QStringLiteral("0106002000AB"));
const QString kEcho10 = withCrc(QStringLiteral("011000300002"));

} // namespace

Q_DECLARE_METATYPE(Kind)

class SerialPortTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void requesterCodes_data();
    void requesterCodes();
    void writeStaticPic2AnswersTheLastCaptureWriter_data();
    void writeStaticPic2AnswersTheLastCaptureWriter();
    void readAnswersCarryWordsUntilTreeViewOk_data();
    void readAnswersCarryWordsUntilTreeViewOk();
    void queryStatusDropRule_data();
    void queryStatusDropRule();
    void queryInterface_data();
    void queryInterface();
    void captureUpload_data();
    void captureUpload();
    void portClosedWarning_data();
    void portClosedWarning();
    void malformedFieldsSendNothing_data();
    void malformedFieldsSendNothing();
    void failures_data();
    void failures();
    void lateReplyDoesNotAnswerTheNextRequest();
    void replacedRequestIsNeverAnswered();
    void stationsOnOneLine();
    void linkLost_data();
    void linkLost();

private:
    void openLink();
    void makeSpies();
    void send(Kind kind, int code = -100);
    int answers() const;
    QStringList fired() const;
    QSignalSpy &spy(const QString &name) { return *m_spies.at(name); }
    bool waitHeard(int count) { return BoundedWait::until([&] { return m_drive->requestCount() >= count; }, kAnswerLimit); }
    bool waitSignal(const QString &name) { return BoundedWait::until([&] { return spy(name).count() > 0; }, kAnswerLimit); }
    void verifyAnswer(Kind kind);

    std::unique_ptr<SimulatedDrive> m_drive;
    std::unique_ptr<serialPort> m_link;
    std::unique_ptr<ModalBoxAnswerer> m_boxes;
    std::map<QString, std::unique_ptr<QSignalSpy>> m_spies;
    QStringList m_order;
};

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
    makeSpies();
    openLink();
}

void SerialPortTest::cleanup()
{
    m_spies.clear();
    m_link.reset();
    m_boxes.reset();
    m_drive.reset();
}

void SerialPortTest::openLink()
{
    QVERIFY(m_link->openPort(m_drive->portName(), 115200));
    QVERIFY(m_link->isPortOpen());
}

void SerialPortTest::makeSpies()
{
    m_order.clear();
    m_spies.clear();
    serialPort *link = m_link.get();
    auto add = [&](const QString &name, auto signal) {
        m_spies[name] = std::make_unique<QSignalSpy>(link, signal);
        connect(link, signal, this, [this, name] { m_order.append(name); });
    };
    add(QStringLiteral("readDataToShow"), &serialPort::readDataToShow);
    add(QStringLiteral("readDataTOMonitor"), &serialPort::readDataTOMonitor);
    add(QStringLiteral("readDataToControl"), &serialPort::readDataToControl);
    add(QStringLiteral("readDataToEncoder"), &serialPort::readDataToEncoder);
    add(QStringLiteral("sendEncodeQuery"), &serialPort::sendEncodeQuery);
    add(QStringLiteral("readDataToMaster"), &serialPort::readDataToMaster);
    add(QStringLiteral("readDataToAuto"), &serialPort::readDataToAuto);
    add(QStringLiteral("SendVision"), &serialPort::SendVision);
    add(QStringLiteral("writeDataToCheck"), &serialPort::writeDataToCheck);
    add(QStringLiteral("writeDataToControl"), &serialPort::writeDataToControl);
    add(QStringLiteral("writeDataToEncoder"), &serialPort::writeDataToEncoder);
    add(QStringLiteral("writeDataToMaster"), &serialPort::writeDataToMaster);
    add(QStringLiteral("writeDataToAuto"), &serialPort::writeDataToAuto);
    add(QStringLiteral("FrameDataIsOK"), &serialPort::FrameDataIsOK);
    add(QStringLiteral("FrameDataIsOK1"), &serialPort::FrameDataIsOK1);
    add(QStringLiteral("sendPicFinished"), &serialPort::sendPicFinished);
    add(QStringLiteral("sendPicFinished1"), &serialPort::sendPicFinished1);
    add(QStringLiteral("WriteGraphToCheck"), &serialPort::WriteGraphToCheck);
    add(QStringLiteral("WriteGraphToCheck1"), &serialPort::WriteGraphToCheck1);
    add(QStringLiteral("readDataToPaint"), &serialPort::readDataToPaint);
    add(QStringLiteral("readDataToPaint1"), &serialPort::readDataToPaint1);
    add(QStringLiteral("readDataToDynamic"), &serialPort::readDataToDynamic);
    add(QStringLiteral("sendStatus"), &serialPort::sendStatus);
    m_spies[QStringLiteral("sendQueryOperateInterface")] =
        std::make_unique<QSignalSpy>(link, &serialPort::sendQueryOperateInterface);
    m_spies[QStringLiteral("isOpenSerial")] = std::make_unique<QSignalSpy>(link, &serialPort::isOpenSerial);
}

int SerialPortTest::answers() const
{
    return m_order.size();
}

QStringList SerialPortTest::fired() const
{
    return m_order;
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
    }
}

void SerialPortTest::verifyAnswer(Kind kind)
{
    QSignalSpy &s = spy(answerSignal(kind));
    QCOMPARE(s.count(), 1);
    switch (kind) {
    case Kind::Read:
    case Kind::LiveTrend:
        QCOMPARE(s.first().first().value<QVector<QString>>(), kTwoWords);
        break;
    case Kind::Status:
        QCOMPARE(s.first().first().value<QVector<QString>>(), QVector<QString>{QStringLiteral("1234")});
        break;
    case Kind::CaptureRead:
        QCOMPARE(s.first().first().toBool(), true);
        QCOMPARE(spy(QStringLiteral("sendPicFinished")).count(), 1);
        QCOMPARE(spy(QStringLiteral("sendPicFinished")).first().first().toString(), QStringLiteral("1234ABCD"));
        QCOMPARE(m_order, (QStringList{QStringLiteral("sendPicFinished"), QStringLiteral("FrameDataIsOK")}));
        break;
    case Kind::Write06:
    case Kind::CaptureWrite:
        QCOMPARE(s.first().first().toString(), kEcho06);
        QVERIFY(checkFrameCrc(s.first().first().toString()));
        QCOMPARE(m_drive->registerValue(0x0020), quint16(0x00AB));
        break;
    case Kind::Write10:
        QCOMPARE(s.first().first().toString(), kEcho10);
        QCOMPARE(m_drive->registerValue(0x0030), quint16(0x0064));
        QCOMPARE(m_drive->registerValue(0x0031), quint16(0x0000));
        break;
    }
    if (kind != Kind::CaptureRead)
        QCOMPARE(m_order.size(), 1);
}

// Each requester code reaches exactly its signal; unknown codes send the request and reach none.
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
    QTest::addRow("live trend") << Kind::LiveTrend << -100 << QStringList{"readDataToDynamic"};
    QTest::addRow("status") << Kind::Status << -100 << QStringList{"sendStatus"};
}

void SerialPortTest::requesterCodes()
{
    QFETCH(Kind, kind);
    QFETCH(int, code);
    QFETCH(QStringList, answeredBy);

    send(kind, code);
    // The reply has been taken once the request's mark (or, for captures, the word list) says so.
    const bool taken = BoundedWait::until(
        [&] {
            switch (kind) {
            case Kind::Read: return !m_link->readPending;
            case Kind::Write06:
            case Kind::Write10: return !m_link->writePending;
            case Kind::CaptureRead: return !m_link->graphWords.isEmpty();
            case Kind::CaptureWrite: return !m_link->graphWritePending;
            case Kind::Status: return !m_link->statusPending;
            case Kind::LiveTrend: return !m_link->dynamicWords.isEmpty();
            }
            return false;
        },
        kAnswerLimit);
    QVERIFY2(taken, "the drive's reply was never taken");
    QCOMPARE(fired(), answeredBy);
    QCOMPARE(m_drive->requestCount(), 1);

    if (!answeredBy.isEmpty()) {
        const QList<QVariant> args = spy(answeredBy.last()).first();
        if (kind == Kind::Read || kind == Kind::LiveTrend)
            QCOMPARE(args.first().value<QVector<QString>>(), kTwoWords);
        else if (kind == Kind::Write06 || kind == Kind::CaptureWrite)
            QCOMPARE(args.first().toString(), kEcho06);
        else if (kind == Kind::Write10)
            QCOMPARE(args.first().toString(), kEcho10);
    }
    // A code that answered drops back; an unknown one stays as it was given.
    if (kind == Kind::Read)
        QCOMPARE(m_link->readTarget, answeredBy.isEmpty() ? code : 0);
    if (kind == Kind::Write06 || kind == Kind::Write10)
        QCOMPARE(m_link->writeTarget, answeredBy.isEmpty() ? code : 0);
    if (kind == Kind::CaptureRead)
        QCOMPARE(m_link->graphReadTarget, answeredBy.isEmpty() ? code : -1);
    if (kind == Kind::CaptureWrite)
        QCOMPARE(m_link->graphWriteTarget, answeredBy.isEmpty() ? code : -1);
}

void SerialPortTest::writeStaticPic2AnswersTheLastCaptureWriter_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("signal");
    QTest::newRow("capture window") << 0 << "WriteGraphToCheck";
    QTest::newRow("spectrum window") << 1 << "WriteGraphToCheck1";
    QTest::newRow("unknown") << 2 << "";
}

void SerialPortTest::writeStaticPic2AnswersTheLastCaptureWriter()
{
    QFETCH(int, code);
    QFETCH(QString, signal);

    // A set-up sequence: a one-register write, then the 32-bit write of the same window.
    m_link->writeStaticPic("0020", "00AB", code);
    QVERIFY(BoundedWait::until([&] { return !m_link->graphWritePending; }, kAnswerLimit));
    m_order.clear();
    for (auto &s : m_spies)
        s.second->clear();

    m_link->writeStaticPic2("0030", "00020400640000");
    QVERIFY(BoundedWait::until([&] { return !m_link->graphWritePending; }, kAnswerLimit));
    if (signal.isEmpty()) {
        QVERIFY(fired().isEmpty());
    } else {
        QCOMPARE(fired(), QStringList{signal});
        QCOMPARE(spy(signal).first().first().toString(), kEcho10);
    }
    QCOMPARE(m_drive->registerValue(0x0030), quint16(0x0064));
}

void SerialPortTest::readAnswersCarryWordsUntilTreeViewOk_data()
{
    QTest::addColumn<int>("between"); // -1 none, 0 TreeViewOk(false), 1 TreeViewOk(true)
    QTest::addColumn<QVector<QString>>("second");
    QTest::newRow("no TreeViewOk between") << -1 << QVector<QString>{"1234", "0042"};
    QTest::newRow("TreeViewOk(false) between") << 0 << QVector<QString>{"0042"};
    QTest::newRow("TreeViewOk(true) between") << 1 << QVector<QString>{"0042"};
}

void SerialPortTest::readAnswersCarryWordsUntilTreeViewOk()
{
    QFETCH(int, between);
    QFETCH(QVector<QString>, second);

    m_link->readSerial("0010", "0001", 1);
    QVERIFY(waitSignal("readDataToShow"));
    QCOMPARE(spy("readDataToShow").first().first().value<QVector<QString>>(), QVector<QString>{"1234"});
    if (between >= 0)
        m_link->TreeViewOk(between == 1);
    m_link->readSerial("0012", "0001", 1);
    QVERIFY(BoundedWait::until([&] { return spy("readDataToShow").count() == 2; }, kAnswerLimit));
    QCOMPARE(spy("readDataToShow").at(1).first().value<QVector<QString>>(), second);
}

// The status poll never interrupts another window's exchange; a live-trend read or an
// earlier status query does not hold it back.
void SerialPortTest::queryStatusDropRule_data()
{
    QTest::addColumn<int>("pending"); // -1: nothing pending
    QTest::addColumn<bool>("sent");
    QTest::newRow("nothing pending") << -1 << true;
    QTest::newRow("read waits") << int(Kind::Read) << false;
    QTest::newRow("write 06 waits") << int(Kind::Write06) << false;
    QTest::newRow("write 10 waits") << int(Kind::Write10) << false;
    QTest::newRow("capture read waits") << int(Kind::CaptureRead) << false;
    QTest::newRow("capture write waits") << int(Kind::CaptureWrite) << false;
    QTest::newRow("live trend waits") << int(Kind::LiveTrend) << true;
    QTest::newRow("status waits") << int(Kind::Status) << true;
}

void SerialPortTest::queryStatusDropRule()
{
    QFETCH(int, pending);
    QFETCH(bool, sent);

    if (pending >= 0) {
        const Kind kind = Kind(pending);
        // Captures and live trends stay marked after their answer; the others need a silent drive.
        if (kind != Kind::CaptureRead && kind != Kind::LiveTrend)
            m_drive->setFailure(Failure::NoAnswer, 1);
        send(kind);
        QVERIFY(waitHeard(1));
        if (kind == Kind::CaptureRead || kind == Kind::LiveTrend)
            QVERIFY(waitSignal(answerSignal(kind)));
    }
    const int heard = m_drive->requestCount();
    m_order.clear();

    send(Kind::Status);
    if (sent) {
        QVERIFY(waitSignal("sendStatus"));
        QCOMPARE(m_drive->requestCount(), heard + 1);
        QCOMPARE(m_order, QStringList{"sendStatus"});
        QVERIFY(!m_link->dynamicPending);
    } else {
        BoundedWait::pause(kSilence);
        QCOMPARE(m_drive->requestCount(), heard);
        QVERIFY(m_order.isEmpty());
        QVERIFY(!m_link->statusPending);
        QVERIFY(m_link->readPending || m_link->writePending || m_link->graphReadPending || m_link->graphWritePending);
    }
    QCOMPARE(m_boxes->count(), 0);
}

void SerialPortTest::queryInterface_data()
{
    QTest::addColumn<int>("pending"); // -1: nothing
    QTest::addColumn<bool>("answered");
    QTest::addColumn<bool>("busy");
    QTest::newRow("idle") << -1 << false << false;
    QTest::newRow("read waits") << int(Kind::Read) << false << true;
    QTest::newRow("read answered") << int(Kind::Read) << true << false;
    QTest::newRow("write waits") << int(Kind::Write06) << false << true;
    QTest::newRow("write answered") << int(Kind::Write06) << true << false;
    QTest::newRow("status waits") << int(Kind::Status) << false << false;
    QTest::newRow("capture read answered") << int(Kind::CaptureRead) << true << true;
    QTest::newRow("capture write waits") << int(Kind::CaptureWrite) << false << true;
    QTest::newRow("live trend answered") << int(Kind::LiveTrend) << true << true;
}

void SerialPortTest::queryInterface()
{
    QFETCH(int, pending);
    QFETCH(bool, answered);
    QFETCH(bool, busy);

    if (pending >= 0) {
        const Kind kind = Kind(pending);
        if (!answered)
            m_drive->setFailure(Failure::NoAnswer, 1);
        send(kind);
        QVERIFY(waitHeard(1));
        if (answered)
            QVERIFY(waitSignal(answerSignal(kind)));
    }
    for (bool argument : {false, true}) {
        m_link->QueryInterface(argument);
        QSignalSpy &s = spy("sendQueryOperateInterface");
        QCOMPARE(s.count(), argument ? 2 : 1); // emitted at once
        QCOMPARE(s.last().first().toBool(), busy);
    }
}

void SerialPortTest::captureUpload_data()
{
    QTest::addColumn<bool>("draw");
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("signal");
    QTest::addColumn<bool>("wordsKept");
    QTest::newRow("capture window") << true << 0 << "readDataToPaint" << false;
    QTest::newRow("spectrum window") << true << 1 << "readDataToPaint1" << false;
    QTest::newRow("unknown window") << true << 2 << "" << false;
    QTest::newRow("not drawn") << false << 0 << "" << true;
}

void SerialPortTest::captureUpload()
{
    QFETCH(bool, draw);
    QFETCH(int, which);
    QFETCH(QString, signal);
    QFETCH(bool, wordsKept);

    m_link->startDrow(true);
    // Three blocks, one of them arriving in pieces: each is acknowledged, all are kept in order.
    const QList<QPair<QByteArray, QByteArray>> blocks{{"0010", "0002"}, {"0012", "0001"}, {"0013", "0001"}};
    for (int i = 0; i < blocks.size(); ++i) {
        if (i == 1)
            m_drive->setFailure(Failure::Split, 1);
        m_link->readStaticPic(blocks.at(i).first, blocks.at(i).second, 0);
        QVERIFY(BoundedWait::until([&] { return spy("FrameDataIsOK").count() == i + 1; }, kAnswerLimit));
    }
    QCOMPARE(spy("sendPicFinished").count(), 3);
    const QVector<QString> all{"1234", "ABCD", "0042", "0043"};
    QCOMPARE(m_link->graphWords, all);
    m_order.clear();

    m_link->endDrow(draw, which);
    QVERIFY(!m_link->graphReadPending);
    if (signal.isEmpty()) {
        QVERIFY(m_order.isEmpty());
    } else {
        QCOMPARE(m_order, QStringList{signal});
        QCOMPARE(spy(signal).first().first().value<QVector<QString>>(), all);
        QCOMPARE(m_link->graphReadTarget, -1);
    }
    QCOMPARE(m_link->graphWords, wordsKept ? all : QVector<QString>());
    if (!draw)
        QCOMPARE(m_link->graphReadTarget, which);
}

void SerialPortTest::portClosedWarning_data()
{
    QTest::addColumn<int>("slot");
    QTest::newRow("readSerial") << 0;
    QTest::newRow("writeSerial") << 1;
    QTest::newRow("writeSerial2") << 2;
    QTest::newRow("readStaticPic") << 3;
    QTest::newRow("writeStaticPic") << 4;
    QTest::newRow("writeStaticPic2") << 5;
    QTest::newRow("readDynamic") << 6;
    QTest::newRow("queryStatus") << 7;
}

void SerialPortTest::portClosedWarning()
{
    QFETCH(int, slot);

    m_link->closePort();
    QVERIFY(!m_link->isPortOpen());
    switch (slot) {
    case 0: m_link->readSerial("E31B", "0001", 1); break;
    case 1: m_link->writeSerial("0020", "00AB", 1); break;
    case 2: m_link->writeSerial2("0030", "00020400640000", 1); break;
    case 3: m_link->readStaticPic("0010", "0002", 0); break;
    case 4: m_link->writeStaticPic("0020", "00AB", 0); break;
    case 5: m_link->writeStaticPic2("0030", "00020400640000"); break;
    case 6: m_link->readDynamic("0010", "0002"); break;
    case 7: m_link->queryStatus("0010", "0001"); break;
    }
    QCOMPARE(m_boxes->count(), 1);
    const ModalBoxAnswerer::Box box = m_boxes->last();
    QCOMPARE(box.title, QStringLiteral("error"));
    QCOMPARE(box.text, kPortClosed);
    QCOMPARE(box.icon, QMessageBox::Warning);
    // Nothing was sent, nothing changed.
    QCOMPARE(m_link->readTarget, 0);
    QCOMPARE(m_link->writeTarget, 0);
    QCOMPARE(m_link->graphReadTarget, -1);
    QCOMPARE(m_link->graphWriteTarget, -1);
    QVERIFY(!m_link->readPending && !m_link->writePending && !m_link->graphReadPending
            && !m_link->graphWritePending && !m_link->dynamicPending && !m_link->statusPending);
    BoundedWait::pause(200);
    QCOMPARE(m_drive->requestCount(), 0);
    QVERIFY(m_order.isEmpty());
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
    QTest::newRow("write 06, non-hex value") << 1 << QByteArray("0020") << QByteArray("12X4");
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

    const QList<Kind> kinds{Kind::Read, Kind::Write06, Kind::Write10, Kind::Status,
                            Kind::CaptureRead, Kind::CaptureWrite, Kind::LiveTrend};
    for (Kind kind : kinds) {
        const QByteArray k = kindName(kind).toLatin1();
        for (Failure f : {Failure::None, Failure::Split, Failure::Late, Failure::LateEcho})
            QTest::addRow("%s: %s", k.constData(), qPrintable(SimulatedDrive::failureName(f))) << kind << f << true;
        for (Failure f : {Failure::NoAnswer, Failure::BadCrc, Failure::Exception, Failure::ForeignStation,
                          Failure::OverLong, Failure::Garbled})
            QTest::addRow("%s: %s", k.constData(), qPrintable(SimulatedDrive::failureName(f))) << kind << f << false;
        if (isWriteKind(kind))
            QTest::addRow("%s: NoEchoOnce", k.constData()) << kind << Failure::NoEchoOnce << false;
        else
            QTest::addRow("%s: WrongByteCount", k.constData()) << kind << Failure::WrongByteCount << false;
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
        m_order.clear();
        for (auto &s : m_spies)
            s.second->clear();
    }
    const int before = m_drive->requestCount();
    const int repliesBefore = m_drive->replyCount();
    m_drive->setLateDelay(600);
    m_drive->setFailure(failure, 1);

    send(kind);
    QVERIFY(waitHeard(before + 1));
    if (answered) {
        if (failure == Failure::Late)
            QVERIFY2(!BoundedWait::until([&] { return answers() > 0; }, 250), "a late reply came early");
        QVERIFY2(waitSignal(answerSignal(kind)), "no answer");
        verifyAnswer(kind);
        return;
    }

    // Refused (or never sent): no answer of any kind, however long one waits.
    if (failure == Failure::NoAnswer || failure == Failure::NoEchoOnce) {
        BoundedWait::pause(kSilence);
    } else {
        QVERIFY(BoundedWait::until([&] { return m_drive->replyCount() > repliesBefore; }, kAnswerLimit));
        BoundedWait::pause(kSettle);
    }
    QVERIFY2(m_order.isEmpty(), qPrintable(m_order.join(QLatin1Char(','))));
    QCOMPARE(m_boxes->count(), 0);
    if (kind != Kind::Status) {
        m_link->QueryInterface(false);
        QCOMPARE(spy("sendQueryOperateInterface").last().first().toBool(), true);
    }
    if (failure == Failure::Exception || failure == Failure::NoAnswer)
        QCOMPARE(m_drive->registerValue(0x0020), quint16(0)); // nothing stored

    // The requester's retry, with the drive behaving again, is answered as usual.
    m_link->TreeViewOk(false);
    send(kind);
    QVERIFY2(waitSignal(answerSignal(kind)), "the retry was not answered");
    verifyAnswer(kind);
}

// A window gives up on a late read and writes instead: the read reply that comes at last
// must not be taken for the write's echo, and the echo still acknowledges the write.
void SerialPortTest::lateReplyDoesNotAnswerTheNextRequest()
{
    m_drive->setLateDelay(600);
    m_drive->setFailure(Failure::Late, 1);
    send(Kind::Read);
    QVERIFY(waitHeard(1));
    QVERIFY(!BoundedWait::until([&] { return answers() > 0; }, 200));
    m_link->TreeViewOk(false);
    send(Kind::Write06);
    QVERIFY(waitSignal("writeDataToCheck"));
    verifyAnswer(Kind::Write06);
    BoundedWait::pause(200);
    QCOMPARE(spy("readDataToShow").count(), 0);
}

// A read sent while an earlier read still waits: the earlier one is never answered,
// the later one is answered through its own code.
void SerialPortTest::replacedRequestIsNeverAnswered()
{
    m_drive->setFailure(Failure::NoAnswer, 1);
    m_link->readSerial("0010", "0002", 1);
    QVERIFY(waitHeard(1));
    m_link->readSerial("0012", "0001", 2);
    QVERIFY(waitSignal("readDataTOMonitor"));
    BoundedWait::pause(200);
    QCOMPARE(m_order, QStringList{"readDataTOMonitor"});
    QCOMPARE(spy("readDataTOMonitor").first().first().value<QVector<QString>>(), QVector<QString>{"0042"});
}

// Several stations on one line: each answers from its own registers, a silent one not at
// all, and a silent station's request does not disturb the next exchange.
void SerialPortTest::stationsOnOneLine()
{
    m_drive->addStation(2);
    m_drive->setRegister(0x0010, 0x2222, 2);
    m_drive->setRegister(0x0011, 0x2223, 2);

    m_link->setStation("02");
    send(Kind::Read);
    QVERIFY(waitSignal("readDataToShow"));
    QCOMPARE(spy("readDataToShow").last().first().value<QVector<QString>>(), (QVector<QString>{"2222", "2223"}));

    m_link->TreeViewOk(false);
    m_link->setStation("03");
    send(Kind::Read);
    QVERIFY(waitHeard(2));
    BoundedWait::pause(kSilence);
    QCOMPARE(spy("readDataToShow").count(), 1);

    m_link->TreeViewOk(false);
    m_link->setStation("01");
    send(Kind::Read);
    QVERIFY(BoundedWait::until([&] { return spy("readDataToShow").count() == 2; }, kAnswerLimit));
    QCOMPARE(spy("readDataToShow").last().first().value<QVector<QString>>(), kTwoWords);
    QCOMPARE(m_drive->requestCount(), 3);
    QCOMPARE(quint8(m_drive->requests().at(1).at(0)), quint8(3));

    // A station above 9 goes out as its hex digits, and its status reply is taken.
    m_drive->addStation(10);
    m_drive->setRegister(0x0010, 0x0A0A, 10);
    m_link->setStation("0a");
    send(Kind::Status);
    QVERIFY(waitSignal("sendStatus"));
    QCOMPARE(spy("sendStatus").first().first().value<QVector<QString>>(), QVector<QString>{"0A0A"});
    QCOMPARE(quint8(m_drive->lastRequest().at(0)), quint8(10));
}

// The line goes away (adapter pulled): the link says so once, and every later request
// shows the closed-port warning and sends nothing.
void SerialPortTest::linkLost_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<bool>("waiting");
    for (Kind kind : {Kind::Read, Kind::Write06, Kind::Write10, Kind::Status, Kind::CaptureRead,
                      Kind::CaptureWrite, Kind::LiveTrend}) {
        QTest::addRow("%s", qPrintable(kindName(kind))) << kind << false;
        QTest::addRow("%s, while one waits", qPrintable(kindName(kind))) << kind << true;
    }
}

void SerialPortTest::linkLost()
{
    QFETCH(Kind, kind);
    QFETCH(bool, waiting);

    if (waiting) {
        m_drive->setFailure(Failure::NoAnswer);
        send(kind);
        QVERIFY(waitHeard(1));
    }
    m_drive->dropLink();
    QVERIFY2(waitSignal("isOpenSerial"), "the lost line went unnoticed");
    QCOMPARE(spy("isOpenSerial").count(), 1);
    QCOMPARE(spy("isOpenSerial").first().first().toBool(), false);
    QVERIFY(!m_link->isPortOpen());
    m_link->QueryInterface(false);
    QCOMPARE(spy("sendQueryOperateInterface").last().first().toBool(), false);

    send(kind);
    QCOMPARE(m_boxes->count(), 1);
    QCOMPARE(m_boxes->last().text, kPortClosed);
    BoundedWait::pause(100);
    QVERIFY(m_order.isEmpty());
    QCOMPARE(spy("isOpenSerial").count(), 1);
}

QTEST_MAIN(SerialPortTest)
#include "tst_serialport.moc"
