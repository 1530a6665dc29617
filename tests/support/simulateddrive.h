#ifndef SIMULATEDDRIVE_H
#define SIMULATEDDRIVE_H

#include <QByteArray>
#include <QList>
#include <QString>

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <typeindex>
#include <utility>

class QTemporaryDir;
struct _modbus;

// A drive for the tests: a Modbus RTU slave built on libmodbus, serving on one end of a
// socat pseudo-terminal pair that it starts itself; the tool opens the other end (portName()).
// The drive reads whole frames off the line itself (so that silent stations can share it);
// each request is parsed and each reply built by libmodbus (modbus_reply), so our framing is
// checked by code we did not write; a misbehaving reply is spoiled from those bytes. socat
// ends with the process that started it. It serves on its own thread, so the GUI-thread QSerialPort of a test
// talks to it for real. Every instance has its own pty pair in its own temporary folder.
//
// Each station has a full register map (0..0xFFFF, default 0). Several stations can answer on
// one line (addStation); a request to any other station is heard and left unanswered.
class SimulatedDrive
{
public:
    // Ways to misbehave, each applied to the reply of one request:
    enum class Failure {
        None,           // answer normally
        NoAnswer,       // the request is not heard: nothing stored, nothing sent
        Late,           // the normal reply, after lateDelay() ms
        Split,          // the normal reply in three pieces with pauses between them
        BadCrc,         // the normal reply with its last CRC byte spoiled
        Exception,      // a Modbus exception reply (illegal data address); nothing stored
        ForeignStation, // the normal reply from the next station number (CRC made right)
        OverLong,       // the normal reply followed by two more bytes, in one write
        WrongByteCount, // reads: one word more than asked, byte count and CRC to match
        NoEchoOnce,     // writes: the next write is stored but not echoed (then normal again)
        NoEchoEver,     // writes: stored but never echoed
        LateEcho,       // the echo of the previous write first, then the right reply
        Garbled,        // line noise of the reply's length instead of the reply
    };

    using WriteHook = std::function<void(int station, quint16 addr, quint16 value)>;
    using ReadHook = std::function<void(int station, quint16 addr, quint16 count)>;

    explicit SimulatedDrive(int station = 1);
    ~SimulatedDrive();
    SimulatedDrive(const SimulatedDrive &) = delete;
    SimulatedDrive &operator=(const SimulatedDrive &) = delete;

    // Where the tool's end of the pair appears; by default a link inside the drive's own
    // temporary folder. Set before start(), to a path where nothing stands: start() fails
    // rather than replace anything, and stop() removes the link only while it still points to
    // the pair's terminal.
    void setLinkPath(const QString &path);

    // Starts socat, waits until both ends exist, opens the drive end and starts serving.
    bool start();
    // Stops serving and ends the pair; also done by the destructor.
    void stop();
    bool isRunning() const;
    QString errorString() const { return m_error; }
    // start() failed because something stood at the link path by the time the link was made:
    // another drive (or program) took the name after this one looked.
    bool linkPathTaken() const { return m_linkPathTaken; }

    // Absolute path of the tool's end of the pair (a valid QSerialPort port name).
    QString portName() const { return m_toolPath; }
    QString drivePortName() const { return m_drivePath; }

    // Stations; the first one (constructor) is the default for the register functions.
    void addStation(int station);
    QList<int> stations() const;

    void setRegister(quint16 addr, quint16 value, int station = -1);
    // A 32-bit value in two registers, the low word first (the drive's order).
    void setRegister32(quint16 addr, quint32 value, int station = -1);
    quint16 registerValue(quint16 addr, int station = -1) const;

    // Called on the drive thread: the write hook after each written register is stored,
    // the read hook before a read is answered (so it may change the registers read).
    void setWriteHook(WriteHook hook);
    void setReadHook(ReadHook hook);
    // Further hooks, kept for the drive's life and called after the one set above, in the
    // order added: each part of the drive model (parameters, sampler, motor, ...) adds its own.
    void addWriteHook(WriteHook hook);
    void addReadHook(ReadHook hook);

    // The parts of a drive model (SimulatedModel): kept for the drive's life and found again
    // by their type and station (-1: the first station); null when none was kept.
    template <class Part>
    void keepPart(std::shared_ptr<Part> part, int station = -1)
    {
        keepPart(std::type_index(typeid(Part)), station, std::move(part));
    }
    template <class Part>
    Part *part(int station = -1) const
    {
        return static_cast<Part *>(findPart(std::type_index(typeid(Part)), station));
    }

    // Requests heard (whole frames with a right CRC, to any station; requests() keeps the
    // last 100000), and frames refused
    // for a wrong CRC (the tool should never send one).
    int requestCount() const;
    int rejectedFrameCount() const;
    // Replies written to the line, counted as they start (spoiled ones included; a split reply
    // counts once).
    int replyCount() const;
    QByteArray lastRequest() const;
    QList<QByteArray> requests() const;
    void clearRequests();

    // A pause before every reply (ms), and the extra wait of Failure::Late.
    void setReplyDelay(int ms);
    void setLateDelay(int ms);
    int lateDelay() const;

    // Whether the drive posts an event to the application after each request it heard and each
    // reply it sent, so that a test waiting in an event loop looks again (on by default). A
    // benchmark turns it off: those wake-ups are the test's, not the tool's.
    void setWakesTestThread(bool wakes) { m_wakesTestThread = wakes; }

    // times: -1 = until changed; N = the next N requests the failure applies to
    // (reads for WrongByteCount, writes for NoEcho*; NoEchoOnce means one write).
    void setFailure(Failure failure, int times = -1);
    Failure failure() const;
    // The next `times` requests to register addr are not heard, whatever else comes between.
    void missRequests(quint16 addr, int times);

    // Kills socat: the tool's port loses its line as when an adapter is pulled.
    void dropLink();
    bool linkLost() const { return m_linkLost; }

    static QString failureName(Failure failure);

private:
    void keepPart(std::type_index type, int station, std::shared_ptr<void> part);
    void *findPart(std::type_index type, int station) const;
    struct StationMap;
    StationMap *stationMap(int station);
    const StationMap *stationMap(int station) const;
    bool startSocat(const QString &toolPath);
    void endSocat(int signal);
    void serve();
    bool takeFrame(const QByteArray &frame);
    void handleRequest(const QByteArray &req);
    Failure takeFailure(quint8 function);
    QByteArray libmodbusReply(const QByteArray &req, bool exception);
    void sendRaw(const QByteArray &bytes);
    void pauseMs(int ms) const;
    void wakeTestThread() const;

    int m_firstStation;
    std::map<std::pair<int, std::type_index>, std::shared_ptr<void>> m_parts; // guarded by m_mutex
    std::map<int, std::unique_ptr<StationMap>> m_stations;
    mutable std::mutex m_mutex;

    std::unique_ptr<QTemporaryDir> m_dir;
    int m_socatPid = -1;
    QString m_linkPath;
    QString m_toolPath;
    QString m_terminal; // the tool end's pseudo-terminal, while the drive's link at m_linkPath stands
    QString m_drivePath;
    QString m_error;
    bool m_linkPathTaken = false;

    _modbus *m_ctx = nullptr; // builds the replies; its "socket" is m_pipeWrite
    int m_fd = -1;            // the drive end of the pair
    int m_pipeRead = -1;
    int m_pipeWrite = -1;
    int m_wake = -1;          // wakes the serving thread for stop()
    std::thread m_thread;
    std::atomic<bool> m_stopping{false};
    std::atomic<bool> m_linkLost{false};
    std::atomic<bool> m_wakesTestThread{true};

    // guarded by m_mutex
    WriteHook m_writeHook;
    ReadHook m_readHook;
    QList<WriteHook> m_extraWriteHooks;
    QList<ReadHook> m_extraReadHooks;
    QList<QByteArray> m_requests;
    int m_requestCount = 0;
    int m_rejectedFrames = 0;
    int m_replyCount = 0;
    QByteArray m_lastEcho;
    int m_replyDelay = 0;
    int m_lateDelay = 800;
    Failure m_failure = Failure::None;
    int m_failureTimes = -1;
    std::map<quint16, int> m_missed; // register -> requests still to miss
};

#endif // SIMULATEDDRIVE_H
