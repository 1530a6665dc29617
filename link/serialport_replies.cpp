// The reply side of the link: gathers the pieces of the reply to the request on the line, takes
// it only when it is whole and valid for that request, and hands it to that request's signal.
// Bytes that come while no request is on the line (a late reply, noise) are dropped.

#include "serialport.h"
#include "framecodec.h"
#include "linklog.h"

#include <QMessageBox>

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

    const ReplyGatherer::Result result = gatherer.feed(piece);
    if (result == ReplyGatherer::Result::Complete)
        takeReply(gatherer.frame());
    else if (result == ReplyGatherer::Result::Refused || result == ReplyGatherer::Result::Exception)
        refuseReply(result);
}

void serialPort::dropBytes(const QByteArray &bytes, const char *why)
{
    qCDebug(linkLog) << "dropped" << FrameCodec::bytesToHexText(bytes) << "(" << why << ")";
    // A frame still coming in must end before the next request goes out.
    lastDropped.start();
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
    finishCurrent();
    sendNext();
    if (modelQuery) {
        modelName.clear();
        QMessageBox::information(this, tr("information"), tr("数据出错"), QMessageBox::Ok);
    }
}

void serialPort::takeReply(const QByteArray &frame)
{
    const Request request = current;
    replyText = FrameCodec::bytesToHexText(frame);
    // The request is over before anyone hears of it: no second reply can reach it, and a slot
    // that asks again (or waits in a box) does not hold the line.
    finishCurrent();
    switch (request.kind) {
    case ModelQueryMark:
        parseModelReply(frame);
        break;
    case GraphReadMark:
    case GraphWriteMark:
        parseGraphReply(request, frame);
        break;
    case StatusMark: {
        qDebug() << "staus OK";
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
    sendNext();
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
        QMessageBox::information(this, tr("information"), tr("数据出错"), QMessageBox::Ok);
        return;
    }
    replySeen = true;
    modelName = decodeModelName(modelWords.first());
}
