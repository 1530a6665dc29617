// The request side of the link: one request pending at a time, each replacing the last.
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

#include <QMessageBox>

bool serialPort::requestAllowed()
{
    if (portOpen)
        return true;
    QMessageBox::warning(this, tr("error"), tr("串口未打开/设备未连接"), QMessageBox::Ok);
    return false;
}

void serialPort::markPending(Mark mark)
{
    readPending = mark == ReadMark;
    writePending = mark == WriteMark;
    modelQueryPending = mark == ModelQueryMark;
    graphReadPending = mark == GraphReadMark;
    graphWritePending = mark == GraphWriteMark;
    dynamicPending = mark == DynamicMark;
    statusPending = mark == StatusMark;
    if (mark == NoMark)
        gatherer.stop();
}

void serialPort::sendFrame(const QString &frameText)
{
    if (!port)
        return;
    // Whatever is still waiting belongs to an earlier request.
    const QByteArray stale = port->readAll();
    if (!stale.isEmpty())
        qCDebug(linkLog) << "discarded" << FrameCodec::bytesToHexText(stale);
    if (frameText.isEmpty()) {
        // A refused frame goes nowhere; the caller's time-out takes over as for a silent drive.
        gatherer.stop();
        return;
    }
    const QByteArray bytes = FrameCodec::hexStringToBytes(frameText);
    gatherer.start(bytes);
    qCDebug(linkLog) << "TX" << frameText;
    port->write(bytes);
    // On the line now, not at the event loop's next turn: the reply's wait starts with it.
    port->flush();
}

void serialPort::sendReadFrame(const QByteArray &address, const QByteArray &count)
{
    bool ok = false;
    expectedWords = QString::fromLatin1(count).toInt(&ok, 16);
    if (!ok)
        expectedWords = 0;
    const QString frame = FrameCodec::buildReadFrame(station, address, count);
    if (frame.isEmpty())
        qWarning() << "refused read frame: address" << address << "count" << count;
    sendFrame(frame);
}

void serialPort::sendWriteSingleFrame(const QByteArray &address, const QByteArray &value)
{
    const QString frame = FrameCodec::buildWriteSingleFrame(station, address, value);
    if (frame.isEmpty())
        qWarning() << "refused write frame: address" << address << "value" << value;
    sendFrame(frame);
}

void serialPort::sendWriteMultipleFrame(const QByteArray &address, const QByteArray &data)
{
    const QString frame = FrameCodec::buildWriteMultipleFrame(station, address, data);
    if (frame.isEmpty())
        qWarning() << "refused multiple write frame: address" << address << "data" << data;
    sendFrame(frame);
}

void serialPort::readSerial(QByteArray addr, QByteArray data, int flags)
{
    if (!requestAllowed())
        return;
    readTarget = flags;
    markPending(ReadMark);
    qDebug() << "read" << addr << data;
    sendReadFrame(addr, data);
}

void serialPort::writeSerial(QByteArray addr, QByteArray data, int code)
{
    if (!requestAllowed())
        return;
    writeTarget = code;
    markPending(WriteMark);
    sendWriteSingleFrame(addr, data);
}

void serialPort::writeSerial2(QByteArray addr, QByteArray data, int code)
{
    if (!requestAllowed())
        return;
    writeTarget = code;
    markPending(WriteMark);
    sendWriteMultipleFrame(addr, data);
}

void serialPort::readStaticPic(QByteArray addr, QByteArray data, int code)
{
    if (!requestAllowed())
        return;
    graphReadTarget = code;
    markPending(GraphReadMark);
    sendReadFrame(addr, data);
}

void serialPort::writeStaticPic(QByteArray addr, QByteArray data, int code)
{
    if (!requestAllowed())
        return;
    graphWriteTarget = code;
    lastGraphWriteCode = code;
    markPending(GraphWriteMark);
    sendWriteSingleFrame(addr, data);
}

void serialPort::writeStaticPic2(QByteArray addr, QByteArray data)
{
    if (!requestAllowed())
        return;
    // The 32-bit set-up write answers the window of the last one-register set-up write.
    graphWriteTarget = lastGraphWriteCode;
    markPending(GraphWriteMark);
    sendWriteMultipleFrame(addr, data);
}

void serialPort::readDynamic(QByteArray addr, QByteArray data)
{
    if (!requestAllowed())
        return;
    markPending(DynamicMark);
    sendReadFrame(addr, data);
}

void serialPort::queryStatus(QByteArray addr, QByteArray count)
{
    if (!requestAllowed())
        return;
    // The status poll never interrupts another window's exchange; the tick is simply lost.
    if (readPending || writePending || modelQueryPending || graphReadPending || graphWritePending)
        return;
    markPending(StatusMark);
    sendReadFrame(addr, count);
}

void serialPort::sendModelQuery(const QByteArray &addr)
{
    if (!requestAllowed())
        return;
    markPending(ModelQueryMark);
    sendReadFrame(addr, QByteArrayLiteral("0001"));
}

void serialPort::startDrow(bool draw)
{
    collecting = draw;
    graphWords.clear();
    if (draw)
        graphWordText.clear();
}

void serialPort::endDrow(bool draw, int which)
{
    collecting = false;
    // Ends the capture exchange, also a set-up write whose echo never came.
    if (graphReadPending || graphWritePending)
        markPending(NoMark);
    graphReadTarget = which;
    if (!draw)
        return;
    qDebug() << "capture words gathered:" << graphWords.size();
    if (which == 0)
        emit readDataToPaint(graphWords);
    else if (which == 1)
        emit readDataToPaint1(graphWords);
    if (which == 0 || which == 1)
        graphReadTarget = -1;
    graphWords.clear();
}

void serialPort::TreeViewOk(bool)
{
    readWords.clear();
    gatherer.discardPartial();
}

void serialPort::QueryInterface(bool)
{
    emit sendQueryOperateInterface(readPending || writePending || modelQueryPending || graphReadPending
                                   || graphWritePending || dynamicPending);
}
