#include "simulateddrive.h"
#include "testframes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMetaObject>
#include <QTemporaryDir>

#include <modbus/modbus.h>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <csignal>
#include <cstring>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

// The drive does its own line I/O (so that several stations, and silent ones, can share the
// line: libmodbus's own receive expects a silent station's reply and would swallow the next
// request), but every request is parsed and every reply is built by libmodbus: modbus_reply
// writes into a pipe, and the drive sends those bytes on, or a spoiled copy of them.

namespace {

using TestFrames::crc16;
using TestFrames::withCrc;

bool crcRight(const QByteArray &frame)
{
    return frame.size() >= 4 && crc16(frame) == 0;
}

// Length of the request at the start of buf, 0 while it cannot be told yet (or never can:
// an unknown function is taken whole at the next pause on the line).
int requestLength(const QByteArray &buf)
{
    if (buf.size() < 2)
        return 0;
    switch (quint8(buf.at(1))) {
    case 0x03:
    case 0x06:
        return 8;
    case 0x10:
        return buf.size() < 7 ? 0 : 9 + quint8(buf.at(6));
    default:
        return 0;
    }
}

constexpr int kKeptRequests = 100000;

bool isWrite(quint8 function)
{
    return function == 0x06 || function == 0x10;
}

} // namespace

struct SimulatedDrive::StationMap
{
    modbus_mapping_t *map = nullptr;
    StationMap() { map = modbus_mapping_new(0, 0, 0x10000, 0); }
    ~StationMap() { modbus_mapping_free(map); }
};

SimulatedDrive::SimulatedDrive(int station)
    : m_firstStation(station)
{
    m_stations[station] = std::make_unique<StationMap>();
}

SimulatedDrive::~SimulatedDrive()
{
    stop();
}

void SimulatedDrive::setLinkPath(const QString &path)
{
    m_linkPath = path;
}

bool SimulatedDrive::start()
{
    if (isRunning())
        return true;
    stop(); // what is left of an earlier run (a dropped link, say)
    m_error.clear();
    m_linkPathTaken = false;
    m_dir = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/tavrilon-drive-XXXXXX"));
    if (!m_dir->isValid()) {
        m_error = QStringLiteral("no temporary folder: ") + m_dir->errorString();
        return false;
    }
    m_drivePath = m_dir->filePath(QStringLiteral("drive"));
    const QString pairToolPath = m_dir->filePath(QStringLiteral("tool"));
    m_toolPath = m_linkPath.isEmpty() ? pairToolPath : QFileInfo(m_linkPath).absoluteFilePath();

    if (!startSocat(pairToolPath))
        return false;
    if (!QFileInfo::exists(m_drivePath) || !QFileInfo::exists(pairToolPath)) {
        m_error = QStringLiteral("the pty links are missing");
        stop();
        return false;
    }
    // The link at the given path is the drive's own, not socat's (which would replace whatever
    // stands there, and remove it at the end wherever it then points): made only where nothing
    // stands, and removed in stop() only while it still points to this pair's terminal.
    if (!m_linkPath.isEmpty()) {
        m_terminal = QFile::symLinkTarget(pairToolPath);
        if (::symlink(QFile::encodeName(m_terminal).constData(), QFile::encodeName(m_toolPath).constData()) != 0) {
            const int error = errno;
            m_linkPathTaken = error == EEXIST;
            const QFileInfo standing(m_toolPath);
            m_error = !m_linkPathTaken ? QStringLiteral("cannot link %1: %2").arg(m_toolPath, QString::fromLocal8Bit(strerror(error)))
                      : standing.isSymLink()
                          ? QStringLiteral("%1 was linked to %2 by another drive or program meanwhile: it is left as it is")
                                .arg(m_toolPath, standing.symLinkTarget())
                          : QStringLiteral("%1 was made by another program meanwhile: it is left as it is").arg(m_toolPath);
            m_terminal.clear();
            stop();
            return false;
        }
    }

    const int fd = ::open(QFile::encodeName(m_drivePath).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        m_error = QStringLiteral("cannot open the drive end: ") + QString::fromLocal8Bit(strerror(errno));
        stop();
        return false;
    }
    termios tio{};
    if (tcgetattr(fd, &tio) == 0) {
        cfmakeraw(&tio);
        tcsetattr(fd, TCSANOW, &tio);
    }
    m_fd = fd;

    int pipeFds[2];
    if (::pipe2(pipeFds, O_NONBLOCK | O_CLOEXEC) != 0) {
        m_error = QStringLiteral("no pipe");
        stop();
        return false;
    }
    m_pipeRead = pipeFds[0];
    m_pipeWrite = pipeFds[1];
    m_ctx = modbus_new_rtu(QFile::encodeName(m_drivePath).constData(), 115200, 'N', 8, 1);
    if (!m_ctx) {
        m_error = QStringLiteral("libmodbus refused the context");
        stop();
        return false;
    }
    modbus_set_socket(m_ctx, m_pipeWrite);

    m_wake = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    m_stopping = false;
    m_linkLost = false;
    m_thread = std::thread([this] { serve(); });
    return true;
}

void SimulatedDrive::stop()
{
    m_stopping = true;
    if (m_wake >= 0) {
        const quint64 one = 1;
        [[maybe_unused]] const ssize_t n = ::write(m_wake, &one, sizeof one);
    }
    if (m_thread.joinable())
        m_thread.join();
    if (m_ctx) {
        modbus_free(m_ctx);
        m_ctx = nullptr;
    }
    for (int *fd : {&m_fd, &m_pipeRead, &m_pipeWrite, &m_wake}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
    endSocat(SIGTERM);
    if (!m_terminal.isEmpty() && QFile::symLinkTarget(m_toolPath) == m_terminal)
        QFile::remove(m_toolPath);
    m_terminal.clear();
    m_dir.reset();
}

bool SimulatedDrive::isRunning() const
{
    return m_thread.joinable() && !m_stopping && !m_linkLost;
}

void SimulatedDrive::dropLink()
{
    endSocat(SIGKILL);
}

bool SimulatedDrive::startSocat(const QString &toolPath)
{
    // socat's own messages go to a file: it says when both ptys are set up and it relays.
    const QByteArray logPath = QFile::encodeName(m_dir->filePath(QStringLiteral("socat.log")));
    const QByteArray driveArg = "pty,raw,echo=0,link=" + QFile::encodeName(m_drivePath);
    const QByteArray toolArg = "pty,raw,echo=0,link=" + QFile::encodeName(toolPath);
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid < 0) {
        m_error = QStringLiteral("cannot fork: ") + QString::fromLocal8Bit(strerror(errno));
        return false;
    }
    if (pid == 0) {
        // socat ends with the test that started it, even when the test crashes or is killed.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent)
            ::_exit(127);
        const int log = ::open(logPath.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        const int null = ::open("/dev/null", O_RDWR | O_CLOEXEC);
        if (log < 0 || null < 0)
            ::_exit(127);
        ::dup2(null, STDIN_FILENO);
        ::dup2(null, STDOUT_FILENO);
        ::dup2(log, STDERR_FILENO);
        ::execlp("socat", "socat", "-d", "-d", driveArg.constData(), toolArg.constData(), static_cast<char *>(nullptr));
        ::_exit(127);
    }
    m_socatPid = pid;

    QFile log(QString::fromLocal8Bit(logPath));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (;;) {
        QByteArray text;
        if (log.open(QIODevice::ReadOnly)) {
            text = log.readAll();
            log.close();
        }
        if (text.contains("starting data transfer loop"))
            return true;
        int status = 0;
        const bool exited = ::waitpid(m_socatPid, &status, WNOHANG) == m_socatPid;
        if (exited)
            m_socatPid = -1;
        if (exited || std::chrono::steady_clock::now() > deadline) {
            m_error = QStringLiteral("socat did not set up the pair: ") + QString::fromLocal8Bit(text);
            stop();
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

void SimulatedDrive::endSocat(int signal)
{
    if (m_socatPid <= 0)
        return;
    ::kill(m_socatPid, signal);
    int status = 0;
    for (int i = 0; i < 300; ++i) { // 3 s, then no more asking
        if (::waitpid(m_socatPid, &status, WNOHANG) != 0)
            break;
        if (i == 100)
            ::kill(m_socatPid, SIGKILL);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    m_socatPid = -1;
}

void SimulatedDrive::addStation(int station)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_stations.count(station))
        m_stations[station] = std::make_unique<StationMap>();
}

QList<int> SimulatedDrive::stations() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    QList<int> list;
    for (const auto &entry : m_stations)
        list.append(entry.first);
    return list;
}

SimulatedDrive::StationMap *SimulatedDrive::stationMap(int station)
{
    const auto it = m_stations.find(station < 0 ? m_firstStation : station);
    return it == m_stations.end() ? nullptr : it->second.get();
}

const SimulatedDrive::StationMap *SimulatedDrive::stationMap(int station) const
{
    const auto it = m_stations.find(station < 0 ? m_firstStation : station);
    return it == m_stations.end() ? nullptr : it->second.get();
}

void SimulatedDrive::setRegister(quint16 addr, quint16 value, int station)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (StationMap *s = stationMap(station))
        s->map->tab_registers[addr] = value;
}

void SimulatedDrive::setRegister32(quint16 addr, quint32 value, int station)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (StationMap *s = stationMap(station)) {
        s->map->tab_registers[addr] = quint16(value & 0xFFFF);
        s->map->tab_registers[quint16(addr + 1)] = quint16(value >> 16);
    }
}

quint16 SimulatedDrive::registerValue(quint16 addr, int station) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const StationMap *s = stationMap(station);
    return s ? s->map->tab_registers[addr] : 0;
}

void SimulatedDrive::keepPart(std::type_index type, int station, std::shared_ptr<void> part)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_parts[std::make_pair(station < 0 ? m_firstStation : station, type)] = std::move(part);
}

void *SimulatedDrive::findPart(std::type_index type, int station) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = m_parts.find(std::make_pair(station < 0 ? m_firstStation : station, type));
    return it == m_parts.end() ? nullptr : it->second.get();
}

void SimulatedDrive::setWriteHook(WriteHook hook)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_writeHook = std::move(hook);
}

void SimulatedDrive::setReadHook(ReadHook hook)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_readHook = std::move(hook);
}

void SimulatedDrive::addWriteHook(WriteHook hook)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_extraWriteHooks.append(std::move(hook));
}

void SimulatedDrive::addReadHook(ReadHook hook)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_extraReadHooks.append(std::move(hook));
}

int SimulatedDrive::requestCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requestCount;
}

int SimulatedDrive::rejectedFrameCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_rejectedFrames;
}

int SimulatedDrive::replyCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_replyCount;
}

QByteArray SimulatedDrive::lastRequest() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests.isEmpty() ? QByteArray() : m_requests.last();
}

QList<QByteArray> SimulatedDrive::requests() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
}

void SimulatedDrive::clearRequests()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_requests.clear();
    m_requestCount = 0;
    m_rejectedFrames = 0;
    m_replyCount = 0;
}

void SimulatedDrive::setReplyDelay(int ms)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_replyDelay = qMax(0, ms);
}

void SimulatedDrive::setLateDelay(int ms)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_lateDelay = qMax(0, ms);
}

int SimulatedDrive::lateDelay() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_lateDelay;
}

void SimulatedDrive::setFailure(Failure failure, int times)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_failure = failure;
    m_failureTimes = (failure == Failure::NoEchoOnce && times < 0) ? 1 : times;
}

SimulatedDrive::Failure SimulatedDrive::failure() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_failure;
}

QString SimulatedDrive::failureName(Failure failure)
{
    switch (failure) {
    case Failure::None: return QStringLiteral("None");
    case Failure::NoAnswer: return QStringLiteral("NoAnswer");
    case Failure::Late: return QStringLiteral("Late");
    case Failure::Split: return QStringLiteral("Split");
    case Failure::BadCrc: return QStringLiteral("BadCrc");
    case Failure::Exception: return QStringLiteral("Exception");
    case Failure::ForeignStation: return QStringLiteral("ForeignStation");
    case Failure::OverLong: return QStringLiteral("OverLong");
    case Failure::WrongByteCount: return QStringLiteral("WrongByteCount");
    case Failure::NoEchoOnce: return QStringLiteral("NoEchoOnce");
    case Failure::NoEchoEver: return QStringLiteral("NoEchoEver");
    case Failure::LateEcho: return QStringLiteral("LateEcho");
    case Failure::Garbled: return QStringLiteral("Garbled");
    }
    return QString();
}

// Serving thread -------------------------------------------------------------------------

void SimulatedDrive::serve()
{
    QByteArray buf;
    char chunk[512];
    while (!m_stopping) {
        pollfd fds[2] = {{m_fd, POLLIN, 0}, {m_wake, POLLIN, 0}};
        pollfd &p = fds[0];
        // A pause on the line ends a frame whose length could not be told from its header.
        const int r = ::poll(fds, m_wake >= 0 ? 2 : 1, buf.isEmpty() ? 1000 : 50);
        if (m_stopping)
            break;
        if (r < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (r == 0) {
            if (!buf.isEmpty()) {
                takeFrame(buf);
                buf.clear();
            }
            continue;
        }
        if (p.revents & POLLIN) {
            const ssize_t n = ::read(m_fd, chunk, sizeof chunk);
            if (n > 0) {
                buf.append(chunk, int(n));
            } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
                break; // the other side of the line is gone
            }
        } else if (p.revents & (POLLHUP | POLLERR | POLLNVAL)) {
            break;
        }
        for (int need = requestLength(buf); need > 0 && buf.size() >= need; need = requestLength(buf)) {
            const QByteArray frame = buf.left(need);
            buf.remove(0, need);
            if (!takeFrame(frame)) {
                buf.clear(); // out of step with the line: start again at the next pause
                break;
            }
        }
    }
    if (!m_stopping)
        m_linkLost = true;
    wakeTestThread();
}

bool SimulatedDrive::takeFrame(const QByteArray &frame)
{
    if (!crcRight(frame)) {
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_rejectedFrames;
        return false;
    }
    handleRequest(frame);
    return true;
}

void SimulatedDrive::missRequests(quint16 addr, int times)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_missed[addr] = times;
}

SimulatedDrive::Failure SimulatedDrive::takeFailure(quint8 function)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const Failure f = m_failure;
    bool applies = true;
    if (f == Failure::None)
        applies = false;
    else if (f == Failure::WrongByteCount)
        applies = function == 0x03;
    else if (f == Failure::NoEchoOnce || f == Failure::NoEchoEver)
        applies = isWrite(function);
    if (!applies)
        return Failure::None;
    if (m_failureTimes > 0 && --m_failureTimes == 0)
        m_failure = Failure::None;
    return f;
}

QByteArray SimulatedDrive::libmodbusReply(const QByteArray &req, bool exception)
{
    // Anything left in the pipe belongs to nobody.
    char sink[512];
    while (::read(m_pipeRead, sink, sizeof sink) > 0) {
    }
    const int station = quint8(req.at(0));
    const int rc = [&] {
        std::lock_guard<std::mutex> lock(m_mutex);
        modbus_set_slave(m_ctx, station);
        if (exception)
            return modbus_reply_exception(m_ctx, reinterpret_cast<const uint8_t *>(req.constData()),
                                          MODBUS_EXCEPTION_ILLEGAL_DATA_ADDRESS);
        return modbus_reply(m_ctx, reinterpret_cast<const uint8_t *>(req.constData()), req.size(),
                            stationMap(station)->map);
    }();
    QByteArray reply;
    if (rc <= 0)
        return reply;
    ssize_t n;
    while ((n = ::read(m_pipeRead, sink, sizeof sink)) > 0)
        reply.append(sink, int(n));
    return reply;
}

void SimulatedDrive::handleRequest(const QByteArray &req)
{
    const int station = quint8(req.at(0));
    const quint8 function = quint8(req.at(1));
    bool known = false;
    int replyDelay = 0, lateDelay = 0;
    QList<ReadHook> readHooks;
    QList<WriteHook> writeHooks;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_requestCount;
        m_requests.append(req);
        if (m_requests.size() > kKeptRequests) // a drive serving for hours keeps the recent ones
            m_requests.removeFirst();
        known = station != 0 && m_stations.count(station);
        replyDelay = m_replyDelay;
        lateDelay = m_lateDelay;
        if (m_readHook)
            readHooks.append(m_readHook);
        readHooks += m_extraReadHooks;
        if (m_writeHook)
            writeHooks.append(m_writeHook);
        writeHooks += m_extraWriteHooks;
    }
    wakeTestThread();
    if (!known)
        return; // another station's request: heard, not answered

    const quint16 addr = req.size() >= 6 ? quint16((quint8(req.at(2)) << 8) | quint8(req.at(3))) : 0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const auto missed = m_missed.find(addr);
        if (missed != m_missed.end() && missed->second > 0) {
            --missed->second;
            return;
        }
    }
    const Failure failure = takeFailure(function);
    if (failure == Failure::NoAnswer)
        return;

    const quint16 quantity = req.size() >= 6 ? quint16((quint8(req.at(4)) << 8) | quint8(req.at(5))) : 0;
    if (function == 0x03) {
        for (const ReadHook &readHook : readHooks)
            readHook(station, addr, quantity);
    }

    QByteArray reply = libmodbusReply(req, failure == Failure::Exception);
    const bool stored = isWrite(function) && reply.size() >= 2 && !(quint8(reply.at(1)) & 0x80);
    QByteArray previousEcho;
    if (stored) {
        std::lock_guard<std::mutex> lock(m_mutex);
        previousEcho = m_lastEcho;
        m_lastEcho = reply;
    } else {
        std::lock_guard<std::mutex> lock(m_mutex);
        previousEcho = m_lastEcho;
    }
    if (stored) {
        for (const WriteHook &writeHook : writeHooks) {
            if (function == 0x06) {
                writeHook(station, addr, quantity);
            } else {
                for (int k = 0; k < quantity && 7 + 2 * k + 1 < req.size(); ++k) {
                    const quint16 value = quint16((quint8(req.at(7 + 2 * k)) << 8) | quint8(req.at(8 + 2 * k)));
                    writeHook(station, quint16(addr + k), value);
                }
            }
        }
    }
    if (reply.isEmpty())
        return;

    // A reply counts as it starts to go out: whoever looks once the tool has taken it finds it
    // counted.
    bool counted = false;
    const auto send = [&](const QByteArray &bytes) {
        if (!counted) {
            counted = true;
            std::lock_guard<std::mutex> lock(m_mutex);
            ++m_replyCount;
        }
        sendRaw(bytes);
    };
    pauseMs(replyDelay);
    switch (failure) {
    case Failure::None:
    case Failure::Exception:
        send(reply);
        break;
    case Failure::NoAnswer:
    case Failure::NoEchoOnce:
    case Failure::NoEchoEver:
        break;
    case Failure::Late:
        pauseMs(lateDelay);
        send(reply);
        break;
    case Failure::Split: {
        const int n = reply.size();
        send(reply.left(2));
        pauseMs(30);
        send(reply.mid(2, n - 5));
        pauseMs(30);
        send(reply.right(3));
        break;
    }
    case Failure::BadCrc:
        reply[reply.size() - 1] = char(reply.at(reply.size() - 1) ^ 0xFF);
        send(reply);
        break;
    case Failure::ForeignStation:
        reply.chop(2);
        reply[0] = char(station == 247 ? 1 : station + 1);
        send(withCrc(reply));
        break;
    case Failure::OverLong:
        send(reply + QByteArray("\x00\x00", 2));
        break;
    case Failure::WrongByteCount:
        if (reply.size() >= 5 && !(quint8(reply.at(1)) & 0x80)) {
            reply.chop(2);
            reply[2] = char(quint8(reply.at(2)) + 2);
            reply.append(QByteArray("\x12\x34", 2));
            reply = withCrc(reply);
        }
        send(reply);
        break;
    case Failure::LateEcho:
        if (!previousEcho.isEmpty()) {
            send(previousEcho);
            pauseMs(30);
        }
        send(reply);
        break;
    case Failure::Garbled:
        for (char &c : reply)
            c = char(c ^ 0xA5);
        send(reply);
        break;
    }
    wakeTestThread();
}

void SimulatedDrive::sendRaw(const QByteArray &bytes)
{
    int done = 0;
    while (done < bytes.size() && !m_stopping) {
        const ssize_t n = ::write(m_fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += int(n);
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            pollfd p{m_fd, POLLOUT, 0};
            ::poll(&p, 1, 20);
            continue;
        }
        return; // the line is gone
    }
    tcdrain(m_fd);
}

void SimulatedDrive::pauseMs(int ms) const
{
    // Sleeps in small steps, so that stop() is not held up by a long delay.
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!m_stopping && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(
            std::chrono::milliseconds(10), end - std::chrono::steady_clock::now()));
}

void SimulatedDrive::wakeTestThread() const
{
    // A test waiting in an event loop for the drive's state gets an event to look again.
    if (!m_wakesTestThread)
        return;
    if (QCoreApplication *app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, [] {}, Qt::QueuedConnection);
}
