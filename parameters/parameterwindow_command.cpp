// The parameter window's command-file services: the automation window's register and
// variable requests, sent with requester 7 (the link answers the automation window directly),
// and the drive's variable-operation mailbox:
//   CEA0  number of the variable          CEA1  command (1 write, 3 read) / status (2 finished)
//   CEA2  low word of the value           CEA3  high word of the value
// The replies go to the automation window; the link also tells these services that the
// answer came, so each request waits for its own answer before the next one goes out. A write
// goes on only on its own echo (the automation window hands every echo to WriteEcho): a wrong
// echo, one of another request, or none within the limit ends the operation, nothing more is
// sent (no mailbox command follows a mailbox write the drive did not confirm), and the answer
// that comes late finds no request waiting for it.
// A request whose fields do not check out sends nothing: it is never written to the drive
// as some default value.

#include "parameterwindow.h"

#include "automationmode.h"
#include "boundedwait.h"
#include "commandfile.h"
#include "linetickets.h"
#include "linktiming.h"
#include "writeecho.h"

#include <QMessageBox>

namespace {

const int autoRequester = 7;
// The limit of one command-file exchange, stretched for a slow line as every wait on the link.
const int autoWaitMs = 300;

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
    if (!autoRefuses())
        return true;
    // In automatic mode the command file is answered instead (the automation window does).
    if (!AutomationMode::isOn())
        QMessageBox::warning(this, tr("error"), tr("串口未打开/设备未连接"));
    return false;
}

// True while the port flag is down: then nothing is sent, and the automation window hears
// why. The flag is down while the port is closed, and also once the main window has closed
// this window, until the next connection: the port may well be open then, and the drive was
// not asked.
bool parameterWindow::autoRefuses()
{
    if (portOpen)
        return false;
    emit autoRequestRefused(QString::fromLatin1(closedWithMainWindow ? "parameter window closed"
                                                                     : "serial port not open"));
    return true;
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

void parameterWindow::autoAnswerCame()
{
    if (autoWaiting)
        autoAnswered = true;
}

// Sends one request and waits for its answer: any answer, or, when done is given, until done()
// holds or the link has finished with the request; returns whether it was answered (done()).
// A call made while another request waits (a timer of the automation window firing inside the
// wait) sends nothing: it would take the link away from the request that waits.
bool parameterWindow::autoExchange(const std::function<void()> &send, int limitMs, const std::function<bool()> &done)
{
    if (autoWaiting)
        return false;
    autoWaiting = true;
    autoAnswered = false;
    const auto answered = [&] { return done ? done() : autoAnswered; };
    const LineTickets::Ticket before = LineTickets::lastTaken();
    send();
    // Refused unsent (a register another operation holds): the automation window hears why.
    const LineTickets::Ticket ticket = LineTickets::lastTaken();
    const QString refused = ticket != before ? LineTickets::refusal(ticket) : QString();
    if (refused.isEmpty())
        BoundedWait::forReply([&] { return answered() || !portOpen; }, limitMs);
    else
        emit autoRequestRefused(refused);
    autoWaiting = false;
    // Judged once the wait is over, so after every slot the echo reached (the automation
    // window's offers it to WriteEcho), whatever their order.
    return answered();
}

// True only when the write's own echo confirmed it. The automation window also counts the
// echoes for its answer.
bool parameterWindow::autoWrite(const QByteArray &address, const QByteArray &value, bool twoRegisters)
{
    WriteEcho write(address, value);
    return autoExchange(
        [&] {
            write.send([&] {
                if (twoRegisters)
                    emit writeSerialStr2(address, value, autoRequester);
                else
                    emit writeSerialStr(address, value, autoRequester);
            });
        },
        twoRegisters ? LinkTiming::write2LimitMs(autoWaitMs) : LinkTiming::writeLimitMs(autoWaitMs),
        [&] { return write.confirmed(); });
}

bool parameterWindow::autoRead(const QString &address, int words)
{
    if (autoWaiting)
        return false;
    emit TreeViewOk(true);
    const bool answered = autoExchange(
        [&] {
            emit readSerialStr(latin(address), words == 2 ? QByteArray("0002") : QByteArray("0001"), autoRequester);
        },
        LinkTiming::readLimitMs(autoWaitMs, words));
    emit TreeViewOk(true);
    return answered;
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
        case CommandFile::Type::I32: {
            // Function 10: address, quantity 2, byte count 4, then the low and the high word.
            const QByteArray address = latin(CommandFile::parameterAddress(field1) + QStringLiteral("000204"));
            autoWrite(address, latin(words.at(0) + words.at(1)), true);
            break;
        }
        case CommandFile::Type::Cl:
            autoWrite(latin(CommandFile::directAddress(field1)), latin(words.at(0)));
            break;
        default:
            autoWrite(latin(CommandFile::parameterAddress(field1)), latin(words.at(0)));
            break;
        }
    }
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

    // Each write waits for its own echo; one that does not confirm it ends the operation here
    // (CEA1 is written only after CEA0, CEA2 and CEA3 were confirmed), and the automation
    // window, missing its echoes, answers that it failed.
    const QByteArray writes[][2] = {{"CEA0", latin(CommandFile::variableNumberWord(field1))},
                                    {"CEA2", latin(words.at(0))},
                                    {"CEA3", latin(words.at(1))},
                                    {"CEA1", "0001"}};
    bool answered = true;
    for (const auto &write : writes) {
        if (autoLinkLost())
            return;
        if (!(answered = autoWrite(write[0], write[1])))
            break;
    }
    for (int poll = 0; answered && poll < 3; ++poll) {
        if (autoLinkLost())
            return;
        answered = autoQueryStatus();
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

    // The command goes out only once the drive confirmed the variable's number.
    bool answered = autoWrite("CEA0", latin(CommandFile::variableNumberWord(field1)));
    if (autoLinkLost())
        return;
    if (answered)
        answered = autoWrite("CEA1", "0003");
    for (int poll = 0; answered && poll < 3; ++poll) {
        if (autoLinkLost())
            return;
        readBackStage = 653;
        emit sendOperation_RV(readBackStage);
        answered = autoQueryStatus();
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
        if (!answered)
            break;
        if (autoLinkLost())
            return;
        readBackStage = word.stage;
        emit sendOperation_RV(readBackStage);
        answered = autoRead(QString::fromLatin1(word.address), 1);
    }
    emit endOperation(true, 0);
}

void parameterWindow::queryOperation_WV()
{
    if (autoRefuses()) {
        // The automation window hears first, so its poll stops before the box is up.
        emit endOperation(false, 0);
        if (!AutomationMode::isOn())
            QMessageBox::warning(this, tr("error"), tr("串口未打开/设备未连接"));
        return;
    }
    autoQueryStatus();
}

// One read of the mailbox status; true when the drive answered it.
bool parameterWindow::autoQueryStatus()
{
    return autoRead(QStringLiteral("CEA1"), 1);
}

void parameterWindow::stopOperation(bool stop)
{
    stopRequested = stop;
}
