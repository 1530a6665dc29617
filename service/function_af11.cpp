#include "function_af11.h"
#include "ui_function_af11.h"

#include <QEvent>
#include <QMessageBox>

#include "answerbox.h"
#include "auxcoding.h"
#include "auxdialog.h"
#include "drivecommands.h"
#include "boundedwait.h"

namespace {
const int kId = AuxCoding::EncoderResetWindow;
}

Function_AF11::Function_AF11(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::Function_AF11)
{
    ui->setupUi(this);
    setFixedSize(400, 300);
    setWindowModality(Qt::ApplicationModal);
    ui->lineEdit_Value->setEnabled(false);
}

Function_AF11::~Function_AF11()
{
    delete ui;
}

bool Function_AF11::write(const QByteArray &addr, const QByteArray &value)
{
    writeResult = -1;
    emit sendToMaster(addr, value, kId);
    return AuxDialog::writeReached(this, writeResult);
}

void Function_AF11::updateButtons()
{
    ui->pushButton_AF11->setEnabled(!running);
}

// Shown before the turns are read: the reset does not start inside that read. Opened again while
// a reset polls its result (the dialog closed meanwhile), it comes up as it stands.
void Function_AF11::showAF11()
{
    show();
    const AuxDialog::Pass pass(running, [this] { updateButtons(); });
    if (!pass.started())
        return;
    answerMode = 1;
    AuxDialog::showUnread(ui->lineEdit_Value);
    emit sendToMasterToRead(QByteArrayLiteral("E162"), QByteArrayLiteral("0001"), kId);
    answerMode = 0;
}

void Function_AF11::on_pushButton_AF11_clicked()
{
    const AuxDialog::Pass pass(running, [this] { updateButtons(); });
    if (!pass.started())
        return;
    if (AuxDialog::refuseWhenPortClosed(this))
        return;
    // The reset moves the machine's reference: it runs only when the user confirms it.
    if (QMessageBox::question(this, tr("注意"),
                              tr("复位后编码器多圈数据将变为0,机械系统的基准位置也会改变。是否复位？"),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    DriveCommands::Hold commands(this, DriveCommands::Operation::EncoderReset);
    if (!commands.taken()) {
        AnswerBox::commandsHeld(this);
        return;
    }
    const bool started = write(AuxCoding::functionSelect(), "0000")
        && write(AuxCoding::functionSelect(), "1011")
        && write(AuxCoding::subCommand(), "0002")
        && write(AuxCoding::subCommand(), "0001");
    // Without a confirmed start the result register may still hold an earlier result:
    // it is not read.
    if (started)
        pollResult();
    answerMode = 0;
}

void Function_AF11::pollResult()
{
    for (retryCount = 0;; ++retryCount) {
        answerMode = 2;
        result = -1;
        emit sendToMasterToRead(AuxCoding::resultRegister(), QByteArrayLiteral("0001"), kId);
        answerMode = 0;
        if (result != 0 || retryCount == MaxRetries)
            break;
        BoundedWait::pause(retryPauseMs);
    }
    const char *outcome = result == 1 ? QT_TR_NOOP("复位成功,断电重启生效")
        : result == 2                  ? QT_TR_NOOP("复位异常")
        : result == 0                  ? QT_TR_NOOP("复位不成功")
                                       : nullptr;
    // No answer, or a result the dialog does not know: the poll ends without a word.
    if (!outcome)
        return;
    // The reset is over: the drive's command registers are given back before the box that
    // tells how it went.
    DriveCommands::release(this);
    QMessageBox::information(this, tr("提示"), tr(outcome), QMessageBox::Ok);
    if (result == 1)
        hide();
}

void Function_AF11::ReadDataToAF11(QVector<QString> words)
{
    quint16 word = 0;
    if (answerMode == 1 && words.size() == 1 && AuxCoding::wordValue(words.first(), &word)) {
        ui->lineEdit_Value->setText(QString::number(qint16(word)));
        replyReceived = true;
        emit AlarmIsOk(true);
    } else if (answerMode == 2 && !words.isEmpty() && AuxCoding::wordValue(words.first(), &word)) {
        result = word;
        answerMode = 0;
        emit AlarmIsOk(true);
    }
}

void Function_AF11::receiveWriteOutcome(int windowId, int outcome)
{
    if (windowId == kId)
        writeResult = outcome;
}

void Function_AF11::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}
