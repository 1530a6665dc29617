// The parameter window's command-file services: the automation window's register and
// variable requests, sent with requester 7 (the link answers the automation window directly),
// and the drive's variable-operation mailbox:
//   CEA0  number of the variable          CEA1  command (1 write, 3 read) / status (2 finished)
//   CEA2  low word of the value           CEA3  high word of the value
// These services never see a reply; they send, wait fixed times with events processed, and
// report the end of a variable operation and the stages of a variable read.
// A request whose fields do not check out sends nothing: it is never written to the drive
// as some default value.

#include "parameterwindow.h"

#include "boundedwait.h"
#include "commandfile.h"

#include <QMessageBox>

namespace {

const int autoRequester = 7;

QByteArray latin(const QString &text)
{
    return text.toUpper().toLatin1();
}

CommandFile::Request checkedRequest(const char *command, const QString &field1, const QString &field2,
                                    const QString &field3)
{
    return CommandFile::parseRequest({QString::fromLatin1(command), field1, field2, field3});
}

} // namespace

bool parameterWindow::autoPortReady()
{
    if (portOpen)
        return true;
    QMessageBox::warning(this, tr("error"), tr("串口未打开/设备未连接"));
    return false;
}

// The link dropped in the middle of a variable operation: the automation window hears it
// once, and the rest of the operation sends nothing.
bool parameterWindow::autoLinkLost()
{
    if (portOpen)
        return false;
    emit endOperation(false, 0);
    return true;
}

void parameterWindow::autoRead(const QString &address, int words)
{
    emit TreeViewOk(true);
    emit readSerialStr(latin(address), words == 2 ? QByteArray("0002") : QByteArray("0001"), autoRequester);
    BoundedWait::pause(100);
    emit TreeViewOk(true);
}

void parameterWindow::AutoReadParameter(QString field1, QString field2, QString field3)
{
    if (!autoPortReady())
        return;
    const CommandFile::Request request = checkedRequest("rp", field1, field2, field3);
    if (!request.isValid())
        return;
    autoRead(CommandFile::parameterAddress(field1), CommandFile::readWordCount(request.type));
}

void parameterWindow::AutoReadMonitor(QString field1, QString field2, QString field3)
{
    if (!autoPortReady())
        return;
    const CommandFile::Request request = checkedRequest("dp", field1, field2, field3);
    if (!request.isValid())
        return;
    autoRead(CommandFile::monitorAddress(field1), CommandFile::readWordCount(request.type));
}

void parameterWindow::AutoWriteParameter(QString field1, QString field2, QString field3)
{
    if (!autoPortReady())
        return;
    const CommandFile::Request request = checkedRequest("wp", field1, field2, field3);
    if (request.isValid()) {
        const QStringList words = CommandFile::valueWords(request.type, field2);
        switch (request.type) {
        case CommandFile::Type::U32:
        case CommandFile::Type::I32:
            // Function 10: address, quantity 2, byte count 4, then the low and the high word.
            emit writeSerialStr2(latin(CommandFile::parameterAddress(field1) + QStringLiteral("000204")),
                                 latin(words.at(0) + words.at(1)), autoRequester);
            break;
        case CommandFile::Type::Cl:
            emit writeSerialStr(latin(CommandFile::directAddress(field1)), latin(words.at(0)), autoRequester);
            break;
        default:
            emit writeSerialStr(latin(CommandFile::parameterAddress(field1)), latin(words.at(0)), autoRequester);
            break;
        }
    }
    BoundedWait::pause(100);
}

void parameterWindow::AutoStartOperation_WV(QString field1, QString field2, QString field3)
{
    stopRequested = false;
    if (!autoPortReady())
        return;
    const CommandFile::Request request = checkedRequest("wv", field1, field2, field3);
    if (!request.isValid())
        return;
    const QStringList words = CommandFile::valueWords(request.type, field2);

    emit writeSerialStr("CEA0", latin(CommandFile::variableNumberWord(field1)), autoRequester);
    BoundedWait::pause(100);
    if (autoLinkLost())
        return;
    emit writeSerialStr("CEA2", latin(words.at(0)), autoRequester);
    BoundedWait::pause(50);
    if (autoLinkLost())
        return;
    emit writeSerialStr("CEA3", latin(words.at(1)), autoRequester);
    BoundedWait::pause(30);
    if (autoLinkLost())
        return;
    emit writeSerialStr("CEA1", "0001", autoRequester);
    BoundedWait::pause(30);
    for (int poll = 0; poll < 3; ++poll) {
        if (autoLinkLost())
            return;
        queryOperation_WV();
        BoundedWait::pause(40);
        if (stopRequested)
            break;
    }
    emit endOperation(true, 0);
}

void parameterWindow::AutoStartOperation_RV(QString field1, QString field2, QString field3)
{
    stopRequested = false;
    if (!autoPortReady())
        return;
    const CommandFile::Request request = checkedRequest("rv", field1, field2, field3);
    if (!request.isValid())
        return;

    emit writeSerialStr("CEA0", latin(CommandFile::variableNumberWord(field1)), autoRequester);
    BoundedWait::pause(100);
    if (autoLinkLost())
        return;
    emit writeSerialStr("CEA1", "0003", autoRequester);
    BoundedWait::pause(30);
    for (int poll = 0; poll < 3; ++poll) {
        if (autoLinkLost())
            return;
        readBackStage = 653;
        emit sendOperation_RV(readBackStage);
        queryOperation_WV();
        BoundedWait::pause(40);
        if (stopRequested)
            break;
    }
    // The value is read back whether or not a poll saw the operation finished; the
    // automation window decides from the status it saw.
    const struct {
        int stage;
        const char *address;
    } words[] = {{654, "CEA2"}, {655, "CEA3"}};
    for (const auto &word : words) {
        if (autoLinkLost())
            return;
        readBackStage = word.stage;
        emit TreeViewOk(true);
        emit sendOperation_RV(readBackStage);
        emit readSerialStr(word.address, "0001", autoRequester);
        emit TreeViewOk(true);
        BoundedWait::pause(50);
    }
    emit endOperation(true, 0);
}

void parameterWindow::queryOperation_WV()
{
    if (!portOpen) {
        // The automation window hears first, so its poll stops before the box is up.
        emit endOperation(false, 0);
        QMessageBox::warning(this, tr("error"), tr("串口未打开/设备未连接"));
        return;
    }
    emit TreeViewOk(true);
    emit readSerialStr("CEA1", "0001", autoRequester);
    emit TreeViewOk(true);
    BoundedWait::pause(30);
}

void parameterWindow::stopOperation(bool stop)
{
    stopRequested = stop;
}
