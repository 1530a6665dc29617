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
#include "framecodec.h"
#include "linklog.h"
#include "linktiming.h"

#include <QMessageBox>

#include <algorithm>

namespace {

int readReplyBytes(const QByteArray &countText)
{
    bool ok = false;
    const int words = QString::fromLatin1(countText).toInt(&ok, 16);
    return LinkTiming::readReplyBytes(ok ? words : 0);
}

} // namespace

bool serialPort::requestAllowed()
{
    if (portOpen)
        return true;
    QMessageBox::warning(this, tr("error"), tr("串口未打开/设备未连接"), QMessageBox::Ok);
    return false;
}

bool serialPort::hasRequest(Mark kind) const
{
    const auto matches = [&](const Request &r) { return r.kind == kind; };
    if (onLine && matches(current))
        return true;
    return std::any_of(queue.cbegin(), queue.cend(), matches);
}

bool serialPort::busy() const
{
    if (onLine && current.kind != StatusMark)
        return true;
    return std::any_of(queue.cbegin(), queue.cend(), [](const Request &r) { return r.kind != StatusMark; });
}

void serialPort::enqueue(Mark kind, int code, const QString &frameText)
{
    Request request;
    request.kind = kind;
    request.code = code;
    request.station = station;
    request.ticket = LineTickets::take();
    if (frameText.isEmpty()) {
        // A malformed request goes nowhere; whoever waits for it learns at once that it is over.
        qCWarning(linkLog) << "refused to send a malformed request of kind" << int(kind);
        LineTickets::finish(request.ticket);
        return;
    }
    request.frame = FrameCodec::hexStringToBytes(frameText);
    if (kind == ReadMark || kind == ModelQueryMark || kind == GraphReadMark || kind == DynamicMark
        || kind == StatusMark)
        request.replyBytes = readReplyBytes(request.frame.mid(4, 2).toHex());
    else
        request.replyBytes = LinkTiming::writeMultipleReplyBytes();
    queue.enqueue(request);
    sendNext();
}

// Puts the next request on the line, unless one is on it, or the line still settles after a
// request to the same station that was given up.
void serialPort::sendNext()
{
    if (onLine || queue.isEmpty() || !port)
        return;
    if (lastDropped.isValid() && lastDropped.elapsed() < LinkTiming::quietGapMs()) {
        settleTimer->start(int(LinkTiming::quietGapMs() - lastDropped.elapsed()) + 1);
        return;
    }
    if (queue.head().station == settleStation && !settleEnd.hasExpired()) {
        settleTimer->start(int(settleEnd.remainingTime()) + 1);
        return;
    }
    current = queue.dequeue();
    onLine = true;
    sendFrame(current);
}

void serialPort::sendFrame(const Request &request)
{
    // Whatever is still waiting belongs to an earlier request.
    const QByteArray stale = port->readAll();
    if (!stale.isEmpty())
        qCDebug(linkLog) << "discarded" << FrameCodec::bytesToHexText(stale);
    gatherer.start(request.frame);
    qCDebug(linkLog) << "TX" << FrameCodec::bytesToHexText(request.frame);
    port->write(request.frame);
    // On the line now, not at the event loop's next turn: the reply's wait starts with it.
    port->flush();
    LineTickets::putOnLine(request.ticket);
    responseTimer->start(LinkTiming::responseLimitMs(request.frame.size(), request.replyBytes));
}

// The request on the line is over (answered, refused or given up). The caller sends the next one
// once it has told whoever asked.
void serialPort::finishCurrent()
{
    if (!onLine)
        return;
    onLine = false;
    responseTimer->stop();
    gatherer.stop();
    LineTickets::finish(current.ticket);
}

void serialPort::responseTimedOut()
{
    if (!onLine)
        return;
    // A waiting window may have asked for more time than the link's own limit.
    const qint64 asked = LineTickets::askedMs(current.ticket) - LineTickets::msOnLine(current.ticket);
    if (asked > 0) {
        responseTimer->start(int(asked));
        return;
    }
    qCDebug(linkLog) << "no reply to" << FrameCodec::bytesToHexText(current.frame) << "after"
                     << LineTickets::msOnLine(current.ticket) << "ms; the line settles";
    // Its answer may still come: nothing more goes to that station until it could no longer.
    settleStation = current.station;
    settleEnd.setRemainingTime(LinkTiming::settleMs(current.replyBytes) - int(LineTickets::msOnLine(current.ticket)));
    finishCurrent();
    sendNext();
}

void serialPort::dropQueue()
{
    if (onLine)
        LineTickets::finish(current.ticket);
    onLine = false;
    for (const Request &r : qAsConst(queue))
        LineTickets::finish(r.ticket);
    queue.clear();
    gatherer.stop();
    if (responseTimer)
        responseTimer->stop();
    if (settleTimer)
        settleTimer->stop();
    settleStation.clear();
    lastDropped.invalidate();
}

void serialPort::readSerial(QByteArray addr, QByteArray data, int flags)
{
    if (!requestAllowed())
        return;
    qDebug() << "read" << addr << data;
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

void serialPort::startDrow(bool draw)
{
    graphWords.clear();
    if (draw)
        graphWordText.clear();
}

void serialPort::endDrow(bool draw, int which)
{
    if (!draw)
        return;
    const QVector<QString> words = graphWords.take(which);
    qDebug() << "capture words gathered:" << words.size();
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
