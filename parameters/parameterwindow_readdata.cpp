// Addressing of the row at the row cursor and the read-reply slot of requester 1.

#include "parameterwindow.h"

#include "answerbox.h"
#include "parameterconversion.h"
#include "treemodel.h"

namespace {

constexpr int ValueColumn = 2;
constexpr int MinimumColumn = 3;
constexpr int MaximumColumn = 4;
constexpr int DefaultColumn = 5;
constexpr int AttributeColumn = 7;

} // namespace

QByteArray parameterWindow::paramAddressHex()
{
    const QString number = model->index(rowCursor, 0).data(Qt::EditRole).toString();
    return ParameterConversion::addressVr(number).toLatin1();
}

QByteArray parameterWindow::paramAddressDec()
{
    const QString number = model->index(rowCursor, 0).data(Qt::EditRole).toString();
    return ParameterConversion::addressHxq(number).toLatin1();
}

QString parameterWindow::toHexText(int value)
{
    return ParameterConversion::toHexText(value);
}

void parameterWindow::noteDriveValue(int row)
{
    if (row < driveValueTexts.size())
        driveValueTexts[row] = model->index(row, ValueColumn).data(Qt::EditRole).toString();
    if (row < typedOrLoaded.size())
        typedOrLoaded[row] = false;
}

// Stores one read reply: the value of a single parameter while an upload or a factory reset
// runs, or the parameter-information record (value, limits, default) during the first read.
// A reply is taken whole or not at all: one that lacks a word or holds a word that is not
// four hex digits changes nothing and leaves the reply flag clear, so the waiting operation
// treats the request as unanswered. The link calls this while it hands the reply over: a box
// it shows opens once the slot has returned and no wait for the drive runs.
bool parameterWindow::readData(QVector<QString> words)
{
    if (!portOpen) {
        AnswerBox::warningLater(this, tr("error"), tr("串口未打开/设备未连接/地址未选择"));
        readReplyOk = false;
        return false;
    }

    int row = -1;
    if (!firstRead) {
        if (uploadRunning) {
            row = replyRow;
        } else if (resetRunning) {
            row = rowCursor;
        } else {
            AnswerBox::warningLater(this, QStringLiteral("error"), QStringLiteral("Read Data error"));
            readReplyOk = false;
            return false;
        }
    } else {
        if (!uploadRunning) {
            AnswerBox::warningLater(this, QStringLiteral("error"), QStringLiteral("Frist Read Data error"));
            readReplyOk = false;
            return false;
        }
        row = rowCursor;
    }

    if (!model || row < 0 || row >= model->rowCount()) {
        readReplyOk = false;
        return false;
    }

    const int code = ParameterConversion::attributeCode(model->index(row, AttributeColumn).data(Qt::EditRole));

    if (!firstRead) {
        bool ok = false;
        const QVariant value = ParameterConversion::decodeSingle(driverFamily, code, words, &ok);
        if (!ok) {
            readReplyOk = false;
            return false;
        }
        model->setData(model->index(row, ValueColumn), value, Qt::EditRole);
        noteDriveValue(row);
        readReplyOk = true;
        return true;
    }

    ParameterConversion::InfoRecord record;
    if (!ParameterConversion::decodeRecord(driverFamily, code, words, &record)) {
        readReplyOk = false;
        return false;
    }
    model->setData(model->index(row, MaximumColumn), record.maximum, Qt::EditRole);
    model->setData(model->index(row, MinimumColumn), record.minimum, Qt::EditRole);
    model->setData(model->index(row, DefaultColumn), record.defaultValue, Qt::EditRole);
    model->setData(model->index(row, ValueColumn), record.value, Qt::EditRole);
    noteDriveValue(row);
    progressCount += ParameterConversion::recordWordCount(driverFamily);
    readReplyOk = true;
    return true;
}
