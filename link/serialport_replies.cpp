// The reply side of the link: gathers the pieces of the pending request's reply, takes it
// only when it is whole and valid, and hands it to the requester's signal.

#include "serialport.h"
#include "framecodec.h"
#include "linklog.h"

#include <QMessageBox>

void serialPort::HaveReadData()
{
    if (!port)
        return;
    // With nothing waiting the bytes stay in the port until the next request discards them.
    if (!gatherer.isActive())
        return;
    const QByteArray piece = port->readAll();
    if (piece.isEmpty())
        return;
    qCDebug(linkLog) << "RX" << FrameCodec::bytesToHexText(piece);

    const ReplyGatherer::Result result = gatherer.feed(piece);
    if (result == ReplyGatherer::Result::Complete)
        takeReply(gatherer.frame());
    else if (result == ReplyGatherer::Result::Refused || result == ReplyGatherer::Result::Exception)
        refuseReply(result);
}

void serialPort::refuseReply(ReplyGatherer::Result result)
{
    qCDebug(linkLog) << (result == ReplyGatherer::Result::Exception ? "exception reply:" : "refused reply:")
                     << gatherer.reason();
    // The model query of the station scan says so at once when the asked station answered
    // garbage; a late reply of another station is passed over and the wait goes on.
    // Every other requester's time-out takes over.
    if (modelQueryPending && !gatherer.refusedOtherStation()) {
        modelName.clear();
        modelQueryPending = false;
        gatherer.stop();
        QMessageBox::information(this, tr("information"), tr("数据出错"), QMessageBox::Ok);
    }
}

void serialPort::takeReply(const QByteArray &frame)
{
    if (modelQueryPending)
        parseModelReply(frame);
    else if (graphReadPending || graphWritePending)
        parseGraphReply(frame);
    else if (statusPending)
        parseStatusReply(frame);
    else if (readPending || writePending)
        parseRegisterReply(frame);
    else if (dynamicPending)
        parseDynamicReply(frame);
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

void serialPort::parseRegisterReply(const QByteArray &frame)
{
    replyText = FrameCodec::bytesToHexText(frame);
    replySeen = true;
    if (readPending) {
        readPending = false;
        readWords += FrameCodec::replyWords(frame);
        const int code = readTarget;
        if (code >= 1 && code <= 8)
            readTarget = 0;
        emitReadAnswer(code, readWords);
    } else {
        writePending = false;
        const int code = writeTarget;
        if (emitWriteEcho(code, replyText))
            writeTarget = 0;
    }
}

void serialPort::parseGraphReply(const QByteArray &frame)
{
    replyText = FrameCodec::bytesToHexText(frame);
    if (graphWritePending) {
        graphWritePending = false;
        const int code = graphWriteTarget;
        if (code == 0)
            emit WriteGraphToCheck(replyText);
        else if (code == 1)
            emit WriteGraphToCheck1(replyText);
        if (code == 0 || code == 1)
            graphWriteTarget = -1;
        return;
    }
    // The capture read stays marked until endDrow; each reply adds its words to the upload.
    const QVector<QString> words = FrameCodec::replyWords(frame);
    graphWords += words;
    graphWordText.clear();
    for (const QString &word : words)
        graphWordText += word;
    const int code = graphReadTarget;
    if (code == 0) {
        emit sendPicFinished(graphWordText);
        emit FrameDataIsOK(true);
    } else if (code == 1) {
        emit sendPicFinished1(graphWordText);
        emit FrameDataIsOK1(true);
    }
    if (code == 0 || code == 1)
        graphReadTarget = -1;
}

void serialPort::parseDynamicReply(const QByteArray &frame)
{
    dynamicWords = FrameCodec::replyWords(frame);
    emit readDataToDynamic(dynamicWords);
}

void serialPort::parseStatusReply(const QByteArray &frame)
{
    qDebug() << "staus OK";
    statusPending = false;
    const QVector<QString> words = FrameCodec::replyWords(frame);
    if (!words.isEmpty())
        emit sendStatus({words.first()});
}

void serialPort::parseModelReply(const QByteArray &frame)
{
    modelQueryPending = false;
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
