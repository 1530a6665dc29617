// The reply side of the link: gathers the pieces of the reply to the request on the line, takes
// it only when it is whole and valid for that request, and hands it to that request's signal.
// Bytes that come while no request is on the line (a late reply, noise) are dropped. After a
// request was given up, a reply that could be its late one is held until the line has stayed
// quiet for the drive's answer time: a second reply meanwhile shows the drive a reply behind.

#include "serialport.h"
#include "framecodec.h"
#include "linklog.h"
#include "linktiming.h"


void serialPort::HaveReadData()
{
    if (!port)
        return;
    const QByteArray piece = port->readAll();
    if (piece.isEmpty())
        return;
    if (!onLine) {
        dropBytes(piece, "no request on the line");
        return;
    }
    qCDebug(linkLog) << "RX" << FrameCodec::bytesToHexText(piece);
    if (holding) {
        replyBehind();
        return;
    }

    const ReplyGatherer::Result result = gatherer.feed(piece);
    if (gatherer.takeRefusedEcho()) {
        // The drive is there, though this is not the write's answer.
        current.heard = true;
        if (current.kind == WriteMark) {
            // Its slot runs inside the port's handler, as a hand-over: no box, no wait there.
            const LineTickets::Delivery delivery;
            emit writeEchoRefused(current.code);
        }
    }
    if (result == ReplyGatherer::Result::Complete)
        takeReply(gatherer.frame());
    else if (result == ReplyGatherer::Result::Refused || result == ReplyGatherer::Result::Exception)
        refuseReply(result);
}

void serialPort::dropBytes(const QByteArray &bytes, const char *why)
{
    qCDebug(linkLog) << "dropped" << FrameCodec::bytesToHexText(bytes) << "(" << why << ")";
}

void serialPort::refuseReply(ReplyGatherer::Result result)
{
    const bool exception = result == ReplyGatherer::Result::Exception;
    qCDebug(linkLog) << (exception ? "exception reply:" : "refused reply:") << gatherer.reason();
    // The model query of the station scan says so at once when the asked station answered
    // garbage or an exception; a late reply of another station is passed over and the wait
    // goes on. An exception is the drive's whole answer to any request: no data, and nothing
    // more will come. Other refused bytes leave the request waiting until the link's limit.
    const bool modelQuery = current.kind == ModelQueryMark && !gatherer.refusedOtherStation();
    if (!exception && !modelQuery)
        return;
    if (!exception) {
        endRefused(modelQuery);
        return;
    }
    tellAnswered(true);
    const QByteArray reply = gatherer.frame();
    const QByteArray trailing = gatherer.trailing();
    if (doubt.judge(current.frame, reply) == LineDoubt::Verdict::Hold) {
        hold(reply, true);
        // What followed it in the same delivery came while it was held.
        if (holding && !trailing.isEmpty())
            replyBehind();
        return;
    }
    if (!trailing.isEmpty())
        dropBytes(trailing, "after the exception reply");
    doubt.inStep(quint8(current.frame.at(0)));
    endRefused(modelQuery, reply);
}

// More came while a reply was held: the drive was a reply behind, the held one answered an
// earlier request, and this one may too. Neither is taken; the request ends unanswered and the
// line settles again.
void serialPort::replyBehind()
{
    qCDebug(linkLog) << "a second reply while" << FrameCodec::bytesToHexText(heldReply)
                     << "was held: the drive was a reply behind; both dropped";
    doubt.behind(current.frame, LinkTiming::settleMs(current.replyBytes), lineClock.elapsed());
    finishCurrent();
    sendNext();
}

// The scan that asked says so once its wait is over: no box opens inside the port's handler.
// A read or write refused with an exception is told to its requester once it is over.
void serialPort::endRefused(bool modelQuery, QByteArray exception)
{
    if (modelQuery) {
        modelName.clear();
        modelRefused = true;
    }
    finishCurrent();
    if (exception.size() > 2 && (current.kind == ReadMark || current.kind == WriteMark)) {
        // Its slot runs inside the link's turn, as a hand-over: no box, no wait there.
        const LineTickets::Delivery delivery;
        emit driveRefused(current.code, quint8(exception.at(2)));
    }
    sendNext();
}

void serialPort::takeReply(const QByteArray &frame)
{
    tellAnswered(true);
    switch (doubt.judge(current.frame, frame)) {
    case LineDoubt::Verdict::Hold:
        hold(frame, false);
        return;
    case LineDoubt::Verdict::Take:
        // The drive answers in order: everything it owed came before this reply, or never will.
        doubt.inStep(quint8(current.frame.at(0)));
        break;
    case LineDoubt::Verdict::TakeSame:
        break;
    }
    deliver(frame);
}

void serialPort::tellAnswered(bool answered)
{
    if (current.kind != ModelQueryMark)
        emit driveAnswered(answered);
}

void serialPort::hold(const QByteArray &frame, bool exception)
{
    if (firstWaiting()) {
        // A stop already waits: nothing is held before it. The request ends unanswered, as when
        // the stop comes during the hold.
        qCDebug(linkLog) << "not held, a stop waits:" << FrameCodec::bytesToHexText(frame);
        giveUpCurrent("a stop waits");
        return;
    }
    qCDebug(linkLog) << "held" << FrameCodec::bytesToHexText(frame)
                     << "until the line stays quiet: it could be a late reply";
    holding = true;
    heldException = exception;
    heldReply = frame;
    responseTimer->stop();
    gatherer.stop();
    // A drive that was a reply behind sends the request's own reply within its answer time.
    confirmTimer->start(LinkTiming::responseLimitMs(current.frame.size(), current.replyBytes));
}

// The line stayed quiet: the held reply was the request's own, and the line is in step again.
void serialPort::confirmHeld()
{
    if (!holding)
        return;
    holding = false;
    doubt.inStep(quint8(current.frame.at(0)));
    qCDebug(linkLog) << "the line stayed quiet: the held reply is taken";
    if (heldException)
        endRefused(current.kind == ModelQueryMark, heldReply);
    else
        deliver(heldReply);
}

// The request is over on the line: the next one goes out at once, and the answer is handed to
// whoever asked from the event loop, after the port's handler has returned.
void serialPort::deliver(const QByteArray &frame)
{
    answers.enqueue({current, frame});
    finishCurrent(false);
    QMetaObject::invokeMethod(this, &serialPort::handOver, Qt::QueuedConnection);
    sendNext();
}

void serialPort::handOver()
{
    if (answers.isEmpty())
        return; // dropped with the port
    const Answer answer = answers.dequeue();
    const Request &request = answer.request;
    const QByteArray &frame = answer.frame;
    // The request is over before anyone hears of it: whoever waits for it sees both at once.
    LineTickets::finish(request.ticket);
    const LineTickets::Delivery delivery(request.ticket);
    replyText = FrameCodec::bytesToHexText(frame);
    switch (request.kind) {
    case ModelQueryMark:
        parseModelReply(frame);
        break;
    case GraphReadMark:
    case GraphWriteMark:
        parseGraphReply(request, frame);
        break;
    case StatusMark: {
        const QVector<QString> words = FrameCodec::replyWords(frame);
        if (!words.isEmpty())
            emit sendStatus({words.first()});
        break;
    }
    case ReadMark:
        replySeen = true;
        emitReadAnswer(request.code, FrameCodec::replyWords(frame));
        break;
    case WriteMark:
        replySeen = true;
        emitWriteEcho(request.code, replyText);
        break;
    case DynamicMark:
        emit readDataToDynamic(FrameCodec::replyWords(frame));
        break;
    }
}

void serialPort::emitReadAnswer(int code, const QVector<QString> &words)
{
    switch (code) {
    case 1: emit readDataToShow(words); break;
    case 2: emit readDataTOMonitor(words); break;
    case 3: emit readDataToControl(words); break;
    case 4: emit readDataToEncoder(words); break;
    case 5: emit sendEncodeQuery(words); break;
    case 6: emit readDataToMaster(words); break;
    case 7: emit readDataToAuto(words); break;
    case 8: emit SendVision(words); break;
    default: break;
    }
}

bool serialPort::emitWriteEcho(int code, const QString &echo)
{
    switch (code) {
    case 1: emit writeDataToCheck(echo); return true;
    case 3: emit writeDataToControl(echo); return true;
    case 4: emit writeDataToEncoder(echo); return true;
    case 6: emit writeDataToMaster(echo); return true;
    case 7: emit writeDataToAuto(echo); return true;
    default: return false;
    }
}

void serialPort::parseGraphReply(const Request &request, const QByteArray &frame)
{
    const int code = request.code;
    if (request.kind == GraphWriteMark) {
        if (code == 0)
            emit WriteGraphToCheck(replyText);
        else if (code == 1)
            emit WriteGraphToCheck1(replyText);
        return;
    }
    // Each capture read adds its words to its own window's upload, handed over by endDrow.
    const QVector<QString> words = FrameCodec::replyWords(frame);
    if (code != 0 && code != 1)
        return;
    graphWords[code] += words;
    graphWordText.clear();
    for (const QString &word : words)
        graphWordText += word;
    if (code == 0) {
        emit sendPicFinished(graphWordText);
        emit FrameDataIsOK(true);
    } else {
        emit sendPicFinished1(graphWordText);
        emit FrameDataIsOK1(true);
    }
}

void serialPort::parseModelReply(const QByteArray &frame)
{
    modelName.clear();
    for (const QString &word : FrameCodec::replyWords(frame))
        modelWords.append(word.toUpper());
    if (modelWords.isEmpty()) {
        modelRefused = true;
        return;
    }
    replySeen = true;
    modelName = decodeModelName(modelWords.first());
}
