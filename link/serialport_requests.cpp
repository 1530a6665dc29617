// The request side of the link: every request joins a queue and goes on the line when the one
// before it has been answered or given up; the queue keeps the order in which they were asked.
//
// Requester codes and the signal that carries the answer:
//   readSerial     1 readDataToShow    2 readDataTOMonitor  3 readDataToControl  4 readDataToEncoder
//                  5 sendEncodeQuery   6 readDataToMaster   7 readDataToAuto     8 SendVision
//   writeSerial(2) 1 writeDataToCheck  3 writeDataToControl 4 writeDataToEncoder
//                  6 writeDataToMaster 7 writeDataToAuto
//   readStaticPic  0 FrameDataIsOK / sendPicFinished        1 FrameDataIsOK1 / sendPicFinished1
//   writeStaticPic 0 WriteGraphToCheck                      1 WriteGraphToCheck1
//   endDrow        0 readDataToPaint                        1 readDataToPaint1
// Any other code sends the request and answers nothing.

#include "serialport.h"
#include "answerbox.h"
#include "drivecommands.h"
#include "framecodec.h"
#include "linklog.h"
#include "linktiming.h"

#include <algorithm>

bool serialPort::requestAllowed()
{
    if (portOpen)
        return true;
    if (lossTold) {
        // The lost link was told once; what the windows still ask of it goes nowhere, without a
        // second message.
        qCDebug(linkLog) << "refused a request: the link was lost";
        return false;
    }
    // Said once for the requests that come while it is up; opened from the event loop, since a
    // window may ask from a slot of the link's. A Connect made before it opens has opened the
    // port: then there is nothing to say.
    if (!closedBoxAsked) {
        closedBoxAsked = true;
        AnswerBox::later(this, [this] {
            if (!portOpen)
                AnswerBox::warning(this, tr("error"), tr("串口未打开/设备未连接"));
            closedBoxAsked = false;
        });
    }
    return false;
}

bool serialPort::hasRequest(Mark kind) const
{
    const auto matches = [&](const Request &r) { return r.kind == kind; };
    if (onLine && matches(current))
        return true;
    return std::any_of(queue.cbegin(), queue.cend(), matches)
        || std::any_of(answers.cbegin(), answers.cend(), [&](const Answer &a) { return matches(a.request); });
}

bool serialPort::busy() const
{
    if (onLine && current.kind != StatusMark)
        return true;
    const auto notStatus = [](const Request &r) { return r.kind != StatusMark; };
    return std::any_of(queue.cbegin(), queue.cend(), notStatus)
        || std::any_of(answers.cbegin(), answers.cend(), [&](const Answer &a) { return notStatus(a.request); });
}

void serialPort::enqueue(Mark kind, int code, const QString &frameText)
{
    Request request;
    request.kind = kind;
    request.code = code;
    request.station = station;
    request.ticket = LineTickets::take();
    request.first = LineTickets::takingFirst();
    if (frameText.isEmpty()) {
        // A malformed request goes nowhere; whoever waits for it learns at once that it is over.
        qCWarning(linkLog) << "refused to send a malformed request of kind" << int(kind);
        LineTickets::finish(request.ticket);
        return;
    }
    request.frame = FrameCodec::hexStringToBytes(frameText);
    LineTickets::describe(request.ticket, request.frame);
    const QString refused = commandWriteRefusal(request);
    if (!refused.isEmpty()) {
        qCDebug(linkLog) << "refused" << FrameCodec::bytesToHexText(request.frame) << "(" << refused << ")";
        LineTickets::refuse(request.ticket, refused);
        return;
    }
    if (kind == ReadMark || kind == ModelQueryMark || kind == GraphReadMark || kind == DynamicMark
        || kind == StatusMark)
        request.replyBytes = LinkTiming::readReplyBytes((quint8(request.frame.at(4)) << 8) | quint8(request.frame.at(5)));
    else
        request.replyBytes = LinkTiming::writeMultipleReplyBytes();
    if (!request.first) {
        queue.enqueue(request);
        sendNext();
        return;
    }
    // A stop goes ahead of every request waiting, behind the stops asked before it.
    int at = 0;
    while (at < queue.size() && queue.at(at).first)
        ++at;
    queue.insert(at, request);
    if (holding) {
        // A reply held to see whether the line is in step waits for no stop: its request ends
        // unanswered, and its own reply may still come.
        giveUpCurrent("a stop waits");
    } else if (onLine) {
        // More time a window asked for its request is not given while a stop waits.
        const int ownLimit = LinkTiming::responseLimitMs(current.frame.size(), current.replyBytes);
        responseTimer->start(int(qMax<qint64>(0, ownLimit - LineTickets::msOnLine(current.ticket))));
    }
    sendNext();
}

// Who asked: a request may go ahead of a waiting one of another window, never of its own.
int serialPort::requesterOf(const Request &request)
{
    switch (request.kind) {
    case ReadMark:
    case WriteMark: return request.code;
    case GraphReadMark:
    case GraphWriteMark: return 100 + request.code;
    case DynamicMark: return 200;
    case StatusMark: return 300;
    case ModelQueryMark: return 400;
    }
    return -1;
}

// The requester by which each operation that holds the drive's command registers writes them.
int serialPort::writerOf(DriveCommands::Operation operation)
{
    using Op = DriveCommands::Operation;
    switch (operation) {
    case Op::FactoryReset: return 1;
    case Op::Jog:
    case Op::ProgramRun:
    case Op::Homing: return 3;
    case Op::MotorAlarmClear:
    case Op::MotorExecute:
    case Op::EncoderInitialisation:
    case Op::TestRun: return 4;
    case Op::Capture: return 100;
    case Op::SpectrumCapture: return 101;
    default: return 6; // the auxiliary functions, through their panel
    }
}

// The one gate of the drive's command registers: while an operation holds them, a write to any
// of them from another requester would land under that operation's function, so it is refused
// unsent, with the reason the holder gives. A stop goes whoever holds them; with nothing held,
// every write goes.
QString serialPort::commandWriteRefusal(const Request &request) const
{
    if (request.first || !DriveCommands::isHeld() || (request.kind != WriteMark && request.kind != GraphWriteMark))
        return QString();
    const quint16 address = quint16((quint8(request.frame.at(2)) << 8) | quint8(request.frame.at(3)));
    const int words = quint8(request.frame.at(1)) == 0x10 ? quint8(request.frame.at(5)) : 1;
    bool guarded = false;
    for (int i = 0; i < words; ++i)
        guarded = guarded || DriveCommands::isCommandRegister(driveFamily, quint16(address + i));
    if (!guarded || requesterOf(request) == writerOf(DriveCommands::holding()))
        return QString();
    return DriveCommands::refusalReason();
}

bool serialPort::firstWaiting() const
{
    return !queue.isEmpty() && queue.head().first;
}

// Puts the next request on the line, unless one is on it. A request whose reply could be taken
// for a late one owed by its station waits until the line has settled; the requests of other
// windows behind it go meanwhile. A stop never waits. Requests their windows took back are
// passed over.
void serialPort::sendNext()
{
    if (onLine || !port)
        return;
    const qint64 now = lineClock.elapsed();
    qint64 wakeAt = -1;
    QVector<int> heldBack;
    for (int i = 0; i < queue.size();) {
        const Request &request = queue.at(i);
        if (LineTickets::isFinished(request.ticket)) {
            qCDebug(linkLog) << "taken back before its turn:" << FrameCodec::bytesToHexText(request.frame);
            queue.removeAt(i);
            continue;
        }
        const qint64 at = request.first ? now : doubt.mayGoAt(request.frame, now);
        const int requester = requesterOf(request);
        if (at <= now && !heldBack.contains(requester)) {
            current = queue.takeAt(i);
            onLine = true;
            sendFrame(current);
            return;
        }
        if (at > now)
            wakeAt = wakeAt < 0 ? at : qMin(wakeAt, at);
        heldBack.append(requester);
        ++i;
    }
    if (wakeAt > now)
        settleTimer->start(int(wakeAt - now));
}

void serialPort::sendFrame(Request &request)
{
    // Whatever is still waiting belongs to an earlier request.
    const QByteArray stale = port->readAll();
    if (!stale.isEmpty())
        dropBytes(stale, "left from an earlier request");
    gatherer.start(request.frame);
    qCDebug(linkLog) << "TX" << FrameCodec::bytesToHexText(request.frame);
    port->write(request.frame);
    // On the line now, not at the event loop's next turn: the reply's wait starts with it.
    port->flush();
    request.sentMs = lineClock.elapsed();
    LineTickets::putOnLine(request.ticket);
    responseTimer->start(LinkTiming::responseLimitMs(request.frame.size(), request.replyBytes));
}

// The request on the line is over (answered, refused or given up). The caller sends the next one
// once it has told whoever asked.
void serialPort::finishCurrent(bool endTicket)
{
    if (!onLine)
        return;
    onLine = false;
    holding = false;
    heldReply.clear();
    responseTimer->stop();
    confirmTimer->stop();
    gatherer.stop();
    if (endTicket)
        LineTickets::finish(current.ticket);
}

void serialPort::responseTimedOut()
{
    if (!onLine || holding)
        return;
    // A waiting window may have asked for more time than the link's own limit (not while a stop
    // waits).
    const qint64 asked = LineTickets::askedMs(current.ticket) - LineTickets::msOnLine(current.ticket);
    if (asked > 0 && !firstWaiting()) {
        responseTimer->start(int(asked));
        return;
    }
    tellAnswered(current.heard);
    giveUpCurrent("no reply");
}

// The request on the line ends unanswered. Its reply may still come, however late: the line owes
// it until an exchange shows the line back in step.
void serialPort::giveUpCurrent(const char *why)
{
    qCDebug(linkLog) << "gave up" << FrameCodec::bytesToHexText(current.frame) << "after"
                     << LineTickets::msOnLine(current.ticket) << "ms (" << why << ")";
    doubt.gaveUp(current.frame, current.sentMs, LinkTiming::settleMs(current.replyBytes), lineClock.elapsed());
    ++givenUpCount;
    finishCurrent();
    sendNext();
}

void serialPort::dropQueue()
{
    if (onLine)
        LineTickets::finish(current.ticket);
    onLine = false;
    holding = false;
    heldReply.clear();
    const QQueue<Request> dropped = queue;
    queue.clear();
    for (const Request &r : dropped)
        LineTickets::finish(r.ticket);
    // Answers of the old line not handed over yet: whoever asked hears that it ended unanswered.
    const QQueue<Answer> notHanded = answers;
    answers.clear();
    for (const Answer &a : notHanded)
        LineTickets::finish(a.request.ticket);
    gatherer.stop();
    if (responseTimer)
        responseTimer->stop();
    if (settleTimer)
        settleTimer->stop();
    if (confirmTimer)
        confirmTimer->stop();
    doubt.clear();
}

void serialPort::readSerial(QByteArray addr, QByteArray data, int flags)
{
    if (!requestAllowed())
        return;
    enqueue(ReadMark, flags, FrameCodec::buildReadFrame(station, addr, data));
}

void serialPort::writeSerial(QByteArray addr, QByteArray data, int code)
{
    if (!requestAllowed())
        return;
    enqueue(WriteMark, code, FrameCodec::buildWriteSingleFrame(station, addr, data));
}

void serialPort::writeSerial2(QByteArray addr, QByteArray data, int code)
{
    if (!requestAllowed())
        return;
    enqueue(WriteMark, code, FrameCodec::buildWriteMultipleFrame(station, addr, data));
}

void serialPort::readStaticPic(QByteArray addr, QByteArray data, int code)
{
    if (!requestAllowed())
        return;
    enqueue(GraphReadMark, code, FrameCodec::buildReadFrame(station, addr, data));
}

void serialPort::writeStaticPic(QByteArray addr, QByteArray data, int code)
{
    if (!requestAllowed())
        return;
    lastGraphWriteCode = code;
    enqueue(GraphWriteMark, code, FrameCodec::buildWriteSingleFrame(station, addr, data));
}

void serialPort::writeStaticPic2(QByteArray addr, QByteArray data)
{
    if (!requestAllowed())
        return;
    // The 32-bit set-up write answers the window of the last one-register set-up write.
    enqueue(GraphWriteMark, lastGraphWriteCode, FrameCodec::buildWriteMultipleFrame(station, addr, data));
}

void serialPort::readDynamic(QByteArray addr, QByteArray data)
{
    if (!requestAllowed())
        return;
    enqueue(DynamicMark, 0, FrameCodec::buildReadFrame(station, addr, data));
}

void serialPort::queryStatus(QByteArray addr, QByteArray count)
{
    if (!requestAllowed())
        return;
    enqueue(StatusMark, 0, FrameCodec::buildReadFrame(station, addr, count));
}

void serialPort::sendModelQuery(const QByteArray &addr)
{
    if (!requestAllowed())
        return;
    enqueue(ModelQueryMark, 0, FrameCodec::buildReadFrame(station, addr, QByteArrayLiteral("0001")));
}

// An upload starts with nothing gathered for its window (main ties each window's startDrow to
// startUpload with its code); what another window is gathering stays its own.
void serialPort::startDrow(bool draw)
{
    if (draw)
        graphWordText.clear();
}

void serialPort::startUpload(int which)
{
    graphWords.remove(which);
}

void serialPort::endDrow(bool draw, int which)
{
    if (!draw)
        return;
    const QVector<QString> words = graphWords.take(which);
    qCDebug(linkLog) << "capture words gathered:" << words.size();
    if (which == 0)
        emit readDataToPaint(words);
    else if (which == 1)
        emit readDataToPaint1(words);
}

// Each answer carries only its own reply's words, and a reply being gathered belongs to the
// request on the line, which may be another window's: an exchange has nothing to end here.
void serialPort::TreeViewOk(bool)
{
}

void serialPort::QueryInterface(bool)
{
    emit sendQueryOperateInterface(busy());
}
