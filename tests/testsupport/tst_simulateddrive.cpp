// The simulated drive, seen from the line: every failure mode sends exactly the bytes it
// promises (the link's tests rely on that), counts and hooks work (several stations on one
// line are seen in the link's tests). Talks through a plain file descriptor on the tool's end, not through our link.

#include "simulateddrive.h"
#include "testframes.h"

#include <QtTest>

#include <atomic>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

using Failure = SimulatedDrive::Failure;
Q_DECLARE_METATYPE(SimulatedDrive::Failure)

namespace {

using TestFrames::frame;

// A bare client on the tool's end of the pair.
class Line
{
public:
    explicit Line(const QString &path)
    {
        m_fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        termios tio{};
        if (m_fd >= 0 && tcgetattr(m_fd, &tio) == 0) {
            cfmakeraw(&tio);
            tcsetattr(m_fd, TCSANOW, &tio);
        }
    }
    ~Line()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool isOpen() const { return m_fd >= 0; }

    // Sends a request and gathers what comes back: waits up to firstMs for the first byte,
    // then until the line has been quiet for 150 ms.
    QByteArray exchange(const QByteArray &request, int firstMs = 5000)
    {
        [[maybe_unused]] const ssize_t written = ::write(m_fd, request.constData(), size_t(request.size()));
        QByteArray got;
        QElapsedTimer clock;
        clock.start();
        firstByteMs = -1;
        for (;;) {
            pollfd p{m_fd, POLLIN, 0};
            const int wait = got.isEmpty() ? int(qMax<qint64>(0, firstMs - clock.elapsed())) : 150;
            char chunk[256];
            const ssize_t n = ::poll(&p, 1, wait) > 0 ? ::read(m_fd, chunk, sizeof chunk) : 0;
            if (n <= 0)
                return got;
            if (got.isEmpty())
                firstByteMs = clock.elapsed();
            got.append(chunk, int(n));
        }
    }

    bool hungUp(int limitMs)
    {
        pollfd p{m_fd, POLLIN, 0};
        if (::poll(&p, 1, limitMs) <= 0)
            return false;
        char c;
        return (p.revents & (POLLHUP | POLLERR)) || ::read(m_fd, &c, 1) <= 0;
    }

    qint64 firstByteMs = -1;

private:
    int m_fd = -1;
};

const QByteArray kRead = frame("010300100002");
const QByteArray kReply = frame("0103041234ABCD");
const QByteArray kBadCrcReply = kReply.left(kReply.size() - 1) + char(kReply.at(kReply.size() - 1) ^ 0xFF);
const QByteArray kWrite = frame("0106002000AB");
const QByteArray kWrite10 = frame("011000300002040064000A");
const QByteArray kEcho10 = frame("011000300002");

} // namespace

class SimulatedDriveTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void failureBytes_data();
    void failureBytes();
    void failureTiming();
    void writesAndReadsAreHooked();
    void dropLinkHangsUpTheLine();

private:
    std::unique_ptr<SimulatedDrive> m_drive;
    std::unique_ptr<Line> m_line;
};

void SimulatedDriveTest::init()
{
    m_drive = std::make_unique<SimulatedDrive>(1);
    QVERIFY2(m_drive->start(), qPrintable(m_drive->errorString()));
    QVERIFY(QFileInfo(m_drive->portName()).isAbsolute());
    m_drive->setRegister(0x0010, 0x1234);
    m_drive->setRegister(0x0011, 0xABCD);
    m_line = std::make_unique<Line>(m_drive->portName());
    QVERIFY(m_line->isOpen());
}

void SimulatedDriveTest::cleanup()
{
    m_line.reset();
    m_drive.reset();
}

void SimulatedDriveTest::failureBytes_data()
{
    QTest::addColumn<Failure>("failure");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("reply");

    QByteArray garbled = kReply;
    for (char &c : garbled)
        c = char(c ^ 0xA5);
    QTest::newRow("read: None") << Failure::None << kRead << kReply;
    QTest::newRow("read: Split") << Failure::Split << kRead << kReply;
    QTest::newRow("read: NoAnswer") << Failure::NoAnswer << kRead << QByteArray();
    QTest::newRow("read: BadCrc") << Failure::BadCrc << kRead << kBadCrcReply;
    QTest::newRow("read: Exception") << Failure::Exception << kRead << frame("018302");
    QTest::newRow("read: ForeignStation") << Failure::ForeignStation << kRead << frame("0203041234ABCD");
    QTest::newRow("read: OverLong") << Failure::OverLong << kRead << kReply + QByteArray(2, '\0');
    QTest::newRow("read: WrongByteCount") << Failure::WrongByteCount << kRead << frame("0103061234ABCD1234");
    QTest::newRow("read: NoEchoEver (reads answered)") << Failure::NoEchoEver << kRead << kReply;
    QTest::newRow("read: LateEcho, no earlier write") << Failure::LateEcho << kRead << kReply;
    QTest::newRow("read: Garbled") << Failure::Garbled << kRead << garbled;
    QTest::newRow("write 06: None") << Failure::None << kWrite << kWrite;
    QTest::newRow("write 06: NoEchoEver") << Failure::NoEchoEver << kWrite << QByteArray();
    QTest::newRow("write 06: Exception") << Failure::Exception << kWrite << frame("018602");
    QTest::newRow("write 06: WrongByteCount (writes echoed)") << Failure::WrongByteCount << kWrite << kWrite;
    QTest::newRow("write 10: None") << Failure::None << kWrite10 << kEcho10;
    QTest::newRow("write 10: ForeignStation") << Failure::ForeignStation << kWrite10 << frame("021000300002");
    QTest::newRow("read beyond the map: exception from libmodbus") << Failure::None << frame("0103FFFF0002")
                                                                   << frame("018302");
}

void SimulatedDriveTest::failureBytes()
{
    QFETCH(Failure, failure);
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, reply);

    m_drive->setFailure(failure);
    QCOMPARE(m_line->exchange(request, reply.isEmpty() ? 300 : 5000).toHex(' '), reply.toHex(' '));
    QCOMPARE(m_drive->requestCount(), 1);
    QCOMPARE(m_drive->lastRequest(), request);
}

// Late replies come late; a failure lasts for the number of requests it was set for; a request
// with a spoiled CRC is refused unanswered and not counted as heard.
void SimulatedDriveTest::failureTiming()
{
    QByteArray spoiled = kRead;
    spoiled[spoiled.size() - 1] = char(spoiled.at(spoiled.size() - 1) ^ 0x01);
    QCOMPARE(m_line->exchange(spoiled, 300), QByteArray());
    QCOMPARE(m_drive->rejectedFrameCount(), 1);

    m_drive->setLateDelay(300);
    m_drive->setFailure(Failure::Late, 1);
    QCOMPARE(m_line->exchange(kRead).toHex(), kReply.toHex());
    QVERIFY2(m_line->firstByteMs >= 250, qPrintable(QString::number(m_line->firstByteMs)));

    // The echo of the previous write comes first, then the right reply.
    QCOMPARE(m_line->exchange(kWrite).toHex(), kWrite.toHex());
    m_drive->setFailure(Failure::LateEcho, 1);
    QCOMPARE(m_line->exchange(kWrite10).toHex(' '), (kWrite + kEcho10).toHex(' '));

    m_drive->setFailure(Failure::BadCrc, 2);
    QCOMPARE(m_line->exchange(kRead), kBadCrcReply);
    QCOMPARE(m_line->exchange(kRead), kBadCrcReply);
    QCOMPARE(m_line->exchange(kRead), kReply);
    QCOMPARE(m_drive->failure(), Failure::None);

    m_drive->setFailure(Failure::NoAnswer); // until changed
    QCOMPARE(m_line->exchange(kRead, 300), QByteArray());
    QCOMPARE(m_line->exchange(kRead, 300), QByteArray());
    m_drive->setFailure(Failure::NoEchoOnce);
    QCOMPARE(m_line->exchange(kRead), kReply); // a read does not use it up
    QCOMPARE(m_line->exchange(frame("0106002000CD"), 300), QByteArray());
    QCOMPARE(m_drive->registerValue(0x0020), quint16(0x00CD)); // stored, only the echo is lost
    QCOMPARE(m_line->exchange(kWrite), kWrite);
    QCOMPARE(m_drive->requestCount(), 11);
    QCOMPARE(m_drive->replyCount(), 8);
}

void SimulatedDriveTest::writesAndReadsAreHooked()
{
    QList<QList<int>> writes;
    std::mutex mutex;
    m_drive->setWriteHook([&](int station, quint16 addr, quint16 value) {
        std::lock_guard<std::mutex> lock(mutex);
        writes.append({station, addr, value});
    });
    QCOMPARE(m_line->exchange(kWrite), kWrite);
    QCOMPARE(m_line->exchange(kWrite10), kEcho10);
    m_drive->setFailure(Failure::Exception, 1);
    QCOMPARE(m_line->exchange(frame("010600210001")), frame("018602"));
    {
        std::lock_guard<std::mutex> lock(mutex);
        QCOMPARE(writes, (QList<QList<int>>{{1, 0x20, 0xAB}, {1, 0x30, 0x64}, {1, 0x31, 0x0A}}));
    }
    QCOMPARE(m_drive->registerValue(0x0031), quint16(0x000A));
    QCOMPARE(m_drive->registerValue(0x0021), quint16(0)); // an exception stores nothing

    // A read hook runs before the reply: a register that changes whenever it is read.
    SimulatedDrive *drive = m_drive.get();
    std::atomic<int> reads{0};
    m_drive->setReadHook([drive, &reads](int station, quint16 addr, quint16 count) {
        if (station == 1 && addr == 0x0010 && count == 2)
            drive->setRegister(0x0010, quint16(0x1000 + ++reads));
    });
    QCOMPARE(m_line->exchange(kRead), frame("0103041001ABCD"));
    QCOMPARE(m_line->exchange(kRead), frame("0103041002ABCD"));

    // A 32-bit value goes in low word first.
    m_drive->setRegister32(0x0040, 0x00055555);
    QCOMPARE(m_drive->registerValue(0x0040), quint16(0x5555));
    QCOMPARE(m_drive->registerValue(0x0041), quint16(0x0005));
}

void SimulatedDriveTest::dropLinkHangsUpTheLine()
{
    m_drive->dropLink();
    // The tool's end hangs up (as a pulled adapter does), and the drive knows its line is gone.
    QVERIFY(m_line->hungUp(5000));
    QTRY_VERIFY_WITH_TIMEOUT(m_drive->linkLost(), 5000);
    QVERIFY(!m_drive->isRunning());

    // Started again, it serves on a new pair with its registers as they were.
    QVERIFY2(m_drive->start(), qPrintable(m_drive->errorString()));
    Line line(m_drive->portName());
    QVERIFY(line.isOpen());
    QCOMPARE(line.exchange(kRead), kReply);
}

QTEST_GUILESS_MAIN(SimulatedDriveTest)
#include "tst_simulateddrive.moc"
