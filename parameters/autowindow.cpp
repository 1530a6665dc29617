#include "autowindow.h"
#include "ui_autowindow.h"

#include "automationmode.h"
#include "boundedwait.h"
#include "drivecommands.h"
#include "filelocations.h"
#include "writeecho.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTimer>

#include <cerrno>
#include <cstdio>
#if defined(Q_OS_WIN)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

using CommandFile::Command;

namespace {

const char autoIni[] = "./Auto.ini";
// The requester code of the command file's drive requests: their answers come straight here.
const int autoRequester = 7;

// Reasons written after "-1" in the answer's second line.
const char noDriveAnswer[] = "no answer from the drive";
const char portNotOpen[] = "serial port not open";

// What the command file holds, and when it was last written. The time is taken after the
// text: a write between the two makes the text look older than it is, never newer, so a
// request written again with the same words is still told from the one read before.
struct FileSnapshot
{
    bool exists = false;
    bool readable = false;
    QString text;
    QDateTime written;
    QString error;

    static FileSnapshot of(const QString &path)
    {
        FileSnapshot snapshot;
        QFile file(path);
        snapshot.exists = file.exists();
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            snapshot.error = file.errorString();
            return snapshot;
        }
        snapshot.readable = true;
        snapshot.text = QString::fromLocal8Bit(file.readAll());
        file.close();
        snapshot.written = QFileInfo(path).lastModified();
        return snapshot;
    }
};

// The answer, written whole and synced to disk in a file of its own beside the command file,
// then put in the command file's place in one step (a rename: an outside program reads either
// the whole request or the whole answer). Between the two the command file can be looked at
// once more, with nothing left to do but the rename. A draft not put in place is removed.
class AnswerDraft
{
public:
    explicit AnswerDraft(const QString &commandPath)
        : target(QFileInfo(commandPath).isSymLink() ? QFileInfo(commandPath).symLinkTarget() : commandPath)
        , draft(target + QStringLiteral(".answer"))
    {
    }
    ~AnswerDraft()
    {
        if (written && !replaced)
            QFile::remove(draft.fileName());
    }
    AnswerDraft(const AnswerDraft &) = delete;
    AnswerDraft &operator=(const AnswerDraft &) = delete;

    bool write(const QByteArray &text)
    {
        // Text mode: the system's line ends, as the outside program reads them.
        if (!draft.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
            error = draft.errorString();
            return false;
        }
        written = true;
        if (QFile::exists(target))
            draft.setPermissions(QFile::permissions(target));
        if (draft.write(text) != text.size() || !draft.flush()) {
            error = draft.errorString();
            return false;
        }
#if defined(Q_OS_WIN)
        const bool synced = ::_commit(draft.handle()) == 0;
#else
        const bool synced = ::fsync(draft.handle()) == 0;
#endif
        if (!synced) {
            error = qt_error_string(errno);
            return false;
        }
        draft.close();
        return true;
    }

    bool replace()
    {
#if defined(Q_OS_WIN)
        replaced = ::MoveFileExW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(draft.fileName()).utf16()),
                                 reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(target).utf16()),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        if (!replaced)
            error = qt_error_string(int(::GetLastError()));
#else
        replaced = std::rename(QFile::encodeName(draft.fileName()).constData(), QFile::encodeName(target).constData()) == 0;
        if (!replaced)
            error = qt_error_string(errno);
#endif
        return replaced;
    }

    QString errorString() const { return error; }

private:
    QString target;
    QFile draft;
    QString error;
    bool written = false;
    bool replaced = false;
};

// Restores a flag when the scope ends, however it ends.
class FlagScope
{
public:
    explicit FlagScope(bool &flag)
        : flag(flag)
    {
        flag = true;
    }
    ~FlagScope() { flag = false; }
    FlagScope(const FlagScope &) = delete;
    FlagScope &operator=(const FlagScope &) = delete;

private:
    bool &flag;
};

bool isDriveRequest(Command kind)
{
    return kind == Command::ReadParameter || kind == Command::WriteParameter
        || kind == Command::ReadMonitor || kind == Command::WriteVariable
        || kind == Command::ReadVariable;
}

} // namespace

AutoWindow::AutoWindow(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::AutoWindow)
{
    ui->setupUi(this);
    relabel();
    pollTimer = new QTimer(this);
    connect(pollTimer, &QTimer::timeout, this, &AutoWindow::timeSlot);
    handshakeTimer = new QTimer(this);
    connect(handshakeTimer, &QTimer::timeout, this, &AutoWindow::timerSlot_WV);
}

AutoWindow::~AutoWindow()
{
    if (ui->checkBox->isChecked())
        AutomationMode::setOn(false);
    pollTimer->stop();
    handshakeTimer->stop();
    delete ui;
}

// "选择保存目录": the capture window saves the current capture; then the command file may be
// chosen and the automatic mode switched on.
void AutoWindow::on_pushButton_2_clicked()
{
    // The label tells how this save goes: a failure said before it is over.
    ui->label_error->clear();
    emit StartSampling(QStringLiteral("S3"), QStringLiteral("0"), QStringLiteral("0"));
    ui->pushButton->setEnabled(true);
    ui->checkBox->setEnabled(true);
}

// "开始配置": asks for the command file. Nothing of it is read or carried out before the
// automatic mode is switched on ("自动").
void AutoWindow::on_pushButton_clicked()
{
    const QString lastFolder = FileLocations::lastFilePath(QString::fromLatin1(autoIni));
    const QString chosen = QFileDialog::getOpenFileName(this, tr("load file"), lastFolder, tr("Files(*.txt)"));
    if (chosen.isEmpty())
        return; // cancelled: the file chosen before, if any, stays
    if (chosen != filePath) {
        // What was held for the file chosen before never goes into this one.
        answerHeld = false;
        takenText.clear();
        answeredText.clear();
    }
    filePath = chosen;
    chooseFile = false;
    if (FileLocations::folderOf(filePath) != lastFolder)
        FileLocations::storeLastFilePath(filePath, QString::fromLatin1(autoIni));
}

void AutoWindow::timeSlot()
{
    if (!ui->checkBox->isChecked()) {
        pollTimer->stop();
        return;
    }
    readCommandFile();
}

void AutoWindow::timerSlot_WV()
{
    // In automatic mode nobody watches the screen: a link that dropped during the handshake
    // is answered in the file, without the parameter window's box.
    if (!portOpen && ui->checkBox->isChecked()) {
        receiveEndOperation(false, 0);
        return;
    }
    emit sendToQuery_Wv();
}

void AutoWindow::on_checkBox_stateChanged(int state)
{
    AutomationMode::setOn(state == Qt::Checked);
    if (state == Qt::Checked) {
        emit stopMainWindowQuery();
        ui->pushButton->setEnabled(false);
        ui->pushButton_2->setEnabled(false);
        pollTimer->start(500);
    } else {
        emit startMainWindowQuery();
        ui->pushButton->setEnabled(true);
        ui->pushButton_2->setEnabled(true);
        pollTimer->stop();
        handshakeTimer->stop();
    }
}

void AutoWindow::changeEvent(QEvent *e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::LanguageChange)
        relabel();
}

void AutoWindow::relabel()
{
    setWindowTitle(tr("Form"));
    ui->pushButton_2->setText(tr("选择保存目录"));
    ui->checkBox->setText(tr("自动"));
    ui->pushButton->setText(tr("开始配置"));
    ui->label->setText(QStringLiteral("<html><head/><body><p align=\"center\"><span style=\" "
                                      "font-size:18pt; color:#55aa00;\">%1</span></p></body></html>")
                           .arg(tr("请先选择保存目录再配置")));
    ui->label_error->clear();
}

// Nobody watches the screen in automatic mode: a problem with the file is said in the
// window's label, never in a box that would stop the poll until someone presses OK.
void AutoWindow::showFileError(const QString &text)
{
    ui->label_error->setText(text);
}

void AutoWindow::readCommandFile()
{
    // A request still being carried out (its waits process events, the poll keeps ticking)
    // is not read and carried out a second time.
    if (busy)
        return;
    FlagScope scope(busy);

    emit stopMainWindowQuery();
    if (chooseFile || filePath.isEmpty()) {
        // Only a click asks for the file (a tick would open a dialog every half second).
        showFileError(tr("未选择命令文件：请取消“自动”，用“开始配置”选择"));
        return;
    }

    // Answers go into the file in the order of their requests: one not written yet goes
    // first, and a request read meanwhile is carried out at the next tick, once the answer
    // before it has been in the file.
    if (answerHeld) {
        deliverAnswer();
        return;
    }
    if (!takenText.isNull()) {
        const QString text = takenText;
        requestText = text;
        requestWritten = takenWritten;
        takenText.clear();
        const CommandFile::FileContents contents = CommandFile::examineFile(text);
        lineCount = contents.lineCount;
        carryOut(CommandFile::parseRequest(contents.fields));
        return;
    }

    const FileSnapshot now = FileSnapshot::of(filePath);
    if (!now.readable) {
        showFileError(now.error);
        return;
    }
    const QString lastFolder = FileLocations::lastFilePath(QString::fromLatin1(autoIni));
    if (FileLocations::folderOf(filePath) != lastFolder)
        FileLocations::storeLastFilePath(filePath, QString::fromLatin1(autoIni));
    const QString &text = now.text;
    // The answer written last, still waiting to be read by the outside program: all is well.
    if (text == answeredText)
        return;

    const CommandFile::FileContents contents = CommandFile::examineFile(text);
    lineCount = contents.lineCount;
    if (contents.state != CommandFile::FileState::Request) {
        // Still being written, or not a request: neither carried out nor overwritten. The
        // message stays until the next request is answered.
        const QStringList lines = CommandFile::textLines(text);
        if (!lines.isEmpty() && CommandFile::splitLine(lines.first()).size() < 4)
            showFileError(tr("文件读取错误"));
        else if (lines.size() >= 2)
            showFileError(tr("文件错误"));
        return;
    }
    requestText = text;
    requestWritten = now.written;
    carryOut(CommandFile::parseRequest(contents.fields));
}

void AutoWindow::carryOut(const CommandFile::Request &request)
{
    current = request;
    command = request.command;
    field1 = request.field1;
    field2 = request.field2;
    field3 = request.field3;
    resultText = CommandFile::failureText();
    resultOk = false;
    operationEnded = false;
    replied = false;
    goodEchoes = 0;
    badEchoes = 0;
    refusedWith = -1;
    lastStatus = -1;
    valueRead = false;
    captureAnswered = false;
    pending = true;

    if (!request.isValid()) {
        // Refused before anything reaches the drive.
        fail(request.error);
        return;
    }
    if (isDriveRequest(request.kind) && !portOpen) {
        fail(QString::fromLatin1(portNotOpen));
        return;
    }

    switch (request.kind) {
    case Command::ReadParameter:
    case Command::WriteParameter:
    case Command::ReadMonitor:
        runRegisterRequest(request);
        return;
    case Command::WriteVariable:
    case Command::ReadVariable:
        runVariableRequest(request);
        break;
    case Command::WriteOperation:
    case Command::ReadOperation:
        runCaptureRequest(request);
        break;
    default:
        fail(QStringLiteral("unknown command"));
        return;
    }
    // Variable and capture requests poll faster from now on.
    if (pollTimer->isActive())
        pollTimer->start(200);
}

QString AutoWindow::missingAnswerReason()
{
    if (!portOpen)
        return QString::fromLatin1(portNotOpen);
    if (refusedWith >= 0)
        return QStringLiteral("drive refused the request (exception %1)")
            .arg(QString::number(refusedWith, 16).rightJustified(2, QLatin1Char('0')).toUpper());
    return QString::fromLatin1(noDriveAnswer);
}

// The operations stop at the first write left unconfirmed, so what came while it waited tells
// why: an echo that confirmed nothing is a wrong echo; else an exception, or nothing, is said.
QString AutoWindow::unconfirmedWriteReason()
{
    return badEchoes > 0 ? QStringLiteral("wrong echo") : missingAnswerReason();
}

void AutoWindow::runRegisterRequest(const CommandFile::Request &request)
{
    switch (request.kind) {
    case Command::ReadParameter:
        emit readDataFromParameter(request.field1, request.field2, request.field3);
        break;
    case Command::ReadMonitor:
        emit readMonitorFromParameter(request.field1, request.field2, request.field3);
        break;
    default:
        emit writeDataFromParameter(request.field1, request.field2, request.field3);
        break;
    }
    // The parameter window has waited for the answer; one that comes later is not taken. A
    // write is done on its own echo, whatever came before it.
    if (request.kind == Command::WriteParameter) {
        if (goodEchoes > 0)
            answer(QStringLiteral("0"), true);
        else
            fail(unconfirmedWriteReason());
    } else if (!replied) {
        fail(missingAnswerReason());
    } else if (resultOk) {
        answer(resultText, true);
    } else {
        fail(QStringLiteral("reply does not fit the type"));
    }
}

void AutoWindow::runVariableRequest(const CommandFile::Request &request)
{
    const bool write = request.kind == Command::WriteVariable;
    if (!write)
        readBackStage = 0;
    if (!mailboxHandshake()) {
        // The mailbox stayed busy, or its status was never answered.
        fail(portOpen && lastStatus != -1 ? QStringLiteral("variable mailbox busy") : missingAnswerReason());
        return;
    }
    resultOk = false;
    lastStatus = -1;
    goodEchoes = 0;
    badEchoes = 0;
    refusedWith = -1;
    operationEnded = false;
    valueRead = false;
    lowWordText.clear();
    highWordText.clear();
    joinedText.clear();
    if (write)
        emit startOperation_WV(request.field1, request.field2, request.field3);
    else
        emit startOperation_RV(request.field1, request.field2, request.field3);
    // The operation has run (or stopped at an answer that did not come) inside the emission.
    if (!pending)
        return; // the link went away and that was answered

    // Done only when every write of the operation was confirmed by its own echo and the mailbox
    // said so: "wv" writes CEA0, CEA2, CEA3 and CEA1; "rv" writes CEA0 and CEA1. A read the
    // drive refused ended the operation: its refusal is the answer, whatever status came before.
    const bool finished = lastStatus == 0 || lastStatus == 2;
    if (goodEchoes < (write ? 4 : 2))
        fail(unconfirmedWriteReason());
    else if (lastStatus == -1 || refusedWith >= 0 || (!write && !valueRead && highWordText.isEmpty()))
        fail(missingAnswerReason());
    else if (!finished)
        fail(QStringLiteral("variable operation not finished"));
    else if (write)
        answer(QStringLiteral("2"), true);
    else if (valueRead)
        answer(resultText, true);
    else
        fail(QStringLiteral("reply does not fit the type"));
}

bool AutoWindow::mailboxHandshake()
{
    mailboxState = -1;
    emit sendToQuery_Wv();
    handshakeTimer->start(80);
    BoundedWait::until([this] { return mailboxState == 0 || !pending; }, handshakeLimitMs);
    handshakeTimer->stop();
    return pending && mailboxState == 0;
}

void AutoWindow::runCaptureRequest(const CommandFile::Request &request)
{
    const bool earlierRunning = captureRuns > 0;
    if (request.kind == Command::WriteOperation) {
        captureFailure.clear(); // "rop" tells the reason of the last operation only
        // The capture window answers before it runs the operation, so the answer is in the
        // file while a capture still runs inside this emission.
        ++captureRuns;
        if (request.field1 == QLatin1String("S2"))
            emit StopSampling(request.field1, request.field2, request.field3);
        else
            emit StartSampling(request.field1, request.field2, request.field3);
        --captureRuns;
    } else {
        emit QueryStatus_WOP(request.field1, request.field2, request.field3);
    }
    // The capture window answers inside the emission, or not at all: it turns away without an
    // answer a request that comes while an operation of the file still runs (only "S2" stops
    // a capture).
    if (!pending)
        return;
    if (!captureAnswered)
        fail(earlierRunning ? QStringLiteral("previous capture operation still running")
                            : QStringLiteral("no answer from the capture window"));
    else if (resultOk)
        answer(QString::number(captureStatus), true);
    else
        fail(captureFailure.isEmpty() ? QStringLiteral("capture operation failed") : captureFailure);
}

void AutoWindow::fail(const QString &reason)
{
    answer(CommandFile::failureText(reason), false);
}

void AutoWindow::answer(const QString &result, bool ok)
{
    if (!pending)
        return; // a request is answered once
    pending = false;
    resultText = result;
    resultOk = ok;
    // The label tells how the last request went, in the language of the interface (the file
    // keeps the outside program's English); a file error said before it is over.
    ui->label_error->setText(ok ? QString() : shownResult(result));
    // An answer that cannot be written now is written by a later tick; the request, still in
    // the file, is not carried out a second time.
    answerHeld = true;
    deliverAnswer();
    // From here on the poll may carry out the next request, even while a capture that this
    // request started is still running.
    busy = false;
}

// A failure's reason as the label shows it: the reasons of this window and of the request
// grammar are English source texts, translated here.
QString AutoWindow::shownResult(const QString &result) const
{
    static const char *const reasons[] = {
        QT_TR_NOOP("no answer from the drive"), QT_TR_NOOP("serial port not open"),
        QT_TR_NOOP("parameter window closed"),
        QT_TR_NOOP("wrong echo"), QT_TR_NOOP("reply does not fit the type"),
        QT_TR_NOOP("variable mailbox busy"), QT_TR_NOOP("variable operation not finished"),
        QT_TR_NOOP("no answer from the capture window"), QT_TR_NOOP("previous capture operation still running"),
        QT_TR_NOOP("capture operation failed"),
        QT_TR_NOOP("unknown command"), QT_TR_NOOP("missing field"), QT_TR_NOOP("unknown operation"),
        QT_TR_NOOP("unknown type"), QT_TR_NOOP("type not supported"),
        // the capture window's
        QT_TR_NOOP("capture window does not take this now (offline, or a capture not yet stopped)"),
        QT_TR_NOOP("capture not completed"), QT_TR_NOOP("capture upload incomplete"),
        QT_TR_NOOP("capture data incomplete"), QT_TR_NOOP("trigger level out of range"), QT_TR_NOOP("OSVELCC Error"),
        QT_TR_NOOP("MAXTRQC Error"), QT_TR_NOOP("quick-change files hold captures of the VR family only"),
        QT_TR_NOOP("no quick-change file chosen"), QT_TR_NOOP("quick-change file not saved"),
        QT_TR_NOOP("loop-gain read or write running")};
    const QString prefix = CommandFile::failureText() + QLatin1Char(' ');
    if (!result.startsWith(prefix))
        return result;
    const QString reason = result.mid(prefix.size());
    for (const char *known : reasons)
        if (reason == QLatin1String(known))
            return prefix + tr(known);
    const QString held = DriveCommands::shownReason(reason);
    if (!held.isEmpty())
        return prefix + held;
    static const QRegularExpression exception(QStringLiteral("^drive refused the request \\(exception (\\w+)\\)$"));
    const QRegularExpressionMatch refused = exception.match(reason);
    if (refused.hasMatch())
        return prefix + tr("drive refused the request (exception %1)").arg(refused.captured(1));
    static const QRegularExpression field(QStringLiteral("^field (\\S+) (is not a number|out of range)$"));
    const QRegularExpressionMatch match = field.match(reason);
    if (match.hasMatch())
        return prefix + (match.captured(2) == QLatin1String("out of range") ? tr("field %1 out of range")
                                                                           : tr("field %1 is not a number"))
                            .arg(match.captured(1));
    return result;
}

void AutoWindow::writeFile()
{
    deliverAnswer();
}

// The outside program may write its next request at any time, also while the tool carries
// out the last one. So the answer is first written whole and synced beside the file, and only
// then, with nothing left to do but put it in place, is the file looked at once more:
// - it still holds the request answered: the answer goes over it;
// - it holds a whole request written since: that request is taken (carried out next), and
//   the answer goes over it, so that every request is answered, in order;
// - it holds the start of a request (empty, one line, two lines that differ): the answer waits
//   for a later tick, when the request is whole;
// - anything else (our last answer, lines that are no request, no file at all) is replaced.
bool AutoWindow::deliverAnswer()
{
    if (!answerHeld || filePath.isEmpty())
        return !answerHeld;
    CommandFile::Request request;
    request.command = command;
    request.field1 = field1;
    request.field2 = field2;
    request.field3 = field3;
    const QString text = CommandFile::answerText(request, resultText, resultOk);
    AnswerDraft draft(filePath);
    if (!draft.write(text.toLocal8Bit())) {
        showFileError(draft.errorString());
        return false;
    }
    emit answerReady();

    const FileSnapshot now = FileSnapshot::of(filePath);
    bool take = false;
    if (!now.readable) {
        if (now.exists) {
            showFileError(now.error);
            return false;
        }
    } else if (now.text != requestText || now.written != requestWritten) {
        switch (CommandFile::examineFile(now.text).state) {
        case CommandFile::FileState::Request:
            take = true;
            break;
        case CommandFile::FileState::NotReady:
            return false;
        case CommandFile::FileState::Other:
            break;
        }
    }
    if (!draft.replace()) {
        showFileError(draft.errorString());
        return false;
    }
    answerHeld = false;
    if (take) {
        takenText = now.text;
        takenWritten = now.written;
    }
    // What the next tick reads back in text mode.
    answeredText = QString::fromLocal8Bit(text.toLocal8Bit());
    return true;
}

void AutoWindow::receiveReadData(QVector<QString> words)
{
    if (!pending)
        return; // nothing asked for: a stray reply
    switch (current.kind) {
    case Command::ReadParameter:
    case Command::ReadMonitor: {
        if (replied)
            return; // the reply is taken once
        replied = true;
        QString text;
        resultOk = CommandFile::convertRegisterReply(current.kind, current.type, words, &text);
        if (resultOk)
            resultText = text;
        return;
    }
    case Command::WriteVariable:
        takeStatus(words);
        return;
    case Command::ReadVariable:
        if (readBackStage == 654) {
            if (words.size() == 1)
                lowWordText = words.first();
        } else if (readBackStage == 655) {
            if (words.size() != 1)
                return;
            highWordText = words.first();
            joinedText = highWordText + lowWordText;
            QString text;
            valueRead = CommandFile::convertVariable(current.type, lowWordText, highWordText, &text);
            if (valueRead)
                resultText = text;
        } else {
            takeStatus(words);
        }
        return;
    default:
        return;
    }
}

// The mailbox status word: 0 idle, 2 the operation has finished, anything else busy.
void AutoWindow::takeStatus(const QVector<QString> &words)
{
    lastStatus = CommandFile::statusWord(words);
    resultOk = lastStatus == 0 || lastStatus == 2;
    if (lastStatus == 0) {
        mailboxState = 0;
    } else if (lastStatus == 2) {
        emit stopOperation(true);
        mailboxState = -1;
    } else {
        mailboxState = -1;
    }
}

void AutoWindow::receiveWriteResult(QString echo)
{
    if (!pending)
        return;
    // Only the echo of the write that waits for it counts as done, as for the parameter window
    // that waits for it; an echo of another request before it spoils nothing.
    const bool ok = WriteEcho::offer(echo);
    switch (current.kind) {
    case Command::WriteParameter:
    case Command::WriteVariable:
    case Command::ReadVariable:
        // What came before a write was confirmed says nothing of the next one.
        if (ok) {
            ++goodEchoes;
            badEchoes = 0;
        } else {
            ++badEchoes;
        }
        return;
    default:
        return;
    }
}

// The drive sent an echo that does not repeat the write (or one of another request): when the
// write's own echo does not follow, the answer is "wrong echo", not that the drive was silent.
void AutoWindow::receiveEchoRefused(int code)
{
    if (pending && code == autoRequester
        && (current.kind == Command::WriteParameter || current.kind == Command::WriteVariable
            || current.kind == Command::ReadVariable))
        ++badEchoes;
}

void AutoWindow::receiveDriveRefusal(int code, int exception)
{
    if (pending && code == autoRequester && isDriveRequest(current.kind))
        refusedWith = exception;
}

void AutoWindow::receiveEndOperation(bool ok, int code)
{
    if (code != 0)
        return;
    operationEnded = ok;
    if (!ok) {
        // The link is gone: the pending request is answered with why. The automatic mode
        // stays on: the requests that follow are answered too, and carried out once the link
        // is back.
        handshakeTimer->stop();
        fail(QString::fromLatin1(portNotOpen));
    }
}

void AutoWindow::receiveOperationRV(int stage)
{
    readBackStage = stage;
}

void AutoWindow::receiveOperationWOP(bool ok, int code)
{
    captureCode = code;
    // The answer to the save of "选择保存目录" starts nothing while the automatic mode is off,
    // and only the answer to a pending "wop" goes into the file.
    if (!ui->checkBox->isChecked())
        return;
    emit stopMainWindowQuery();
    pollTimer->start(200);
    if (!pending || current.kind != Command::WriteOperation)
        return;
    captureAnswered = true;
    if (ok || captureFailure.isEmpty())
        answer(QString::number(code), ok);
    else
        fail(captureFailure);
}

// Also for a capture accepted earlier that failed since: the file keeps the reason in English,
// the label shows it in the interface's language.
void AutoWindow::receiveCaptureFailure(QString reason)
{
    captureFailure = reason;
    ui->label_error->setText(shownResult(CommandFile::failureText(reason)));
}

// Nothing went to the drive: the file says why, never that the drive did not answer.
void AutoWindow::receiveRefusal(QString reason)
{
    if (pending && isDriveRequest(current.kind))
        fail(reason);
}

void AutoWindow::receiveOperationROP(bool ok, int status)
{
    if (ui->checkBox->isChecked())
        emit stopMainWindowQuery();
    captureStatus = status;
    if (!pending || current.kind != Command::ReadOperation)
        return;
    resultOk = ok;
    captureAnswered = true;
}

void AutoWindow::receivePortOpen(bool open)
{
    portOpen = open;
}

QString AutoWindow::bitToText(int value)
{
    return CommandFile::bitToText(value);
}
