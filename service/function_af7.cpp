#include "function_af7.h"
#include "ui_function_af7.h"

#include <QEvent>
#include <QMessageBox>

#include "answerbox.h"
#include "auxcoding.h"
#include "auxdialog.h"
#include "drivecommands.h"

namespace {
const int kId = AuxCoding::SpeedOffsetWindow;
// The offset is read back from E30B, one signed word holding 16 times the offset: a typed
// offset must fit that word (-2048..2047), although 0E53 itself would take 32 bits.
const int kReadBackBits = 16;
}

Function_AF7::Function_AF7(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::Function_AF7)
{
    ui->setupUi(this);
    setFixedSize(426, 342);
    setWindowModality(Qt::ApplicationModal);
    ui->lineEdit_AF7Speed->setEnabled(false);
}

Function_AF7::~Function_AF7()
{
    delete ui;
}

// Index 0: the speed command voltage (E007); 1: the speed command offset (E30B).
void Function_AF7::readValues()
{
    const QByteArray registers[2] = { QByteArrayLiteral("E007"), QByteArrayLiteral("E30B") };
    for (int index = 0; index < 2; ++index) {
        valueIndex = index;
        replyReceived = false;
        AuxDialog::showUnread(index == 0 ? ui->lineEdit_AF7Speed : ui->lineEdit_AF7Value);
        emit sendToMasterRead(registers[index], QByteArrayLiteral("0001"), kId);
    }
}

bool Function_AF7::write(const QByteArray &addr, const QByteArray &value)
{
    writeResult = -1;
    emit sendToMaster(addr, value, kId);
    return AuxDialog::writeReached(this, writeResult);
}

// The one place that enables the buttons and the offset field: none while the opening's reads or
// a command run, so nothing is typed that the read-back would replace.
void Function_AF7::updateButtons()
{
    ui->pushButton_AF7DOWN->setEnabled(!running);
    ui->pushButton_adjust->setEnabled(!running);
    ui->pushButton_AF7UP->setEnabled(!running);
    ui->lineEdit_AF7Value->setEnabled(!running);
}

// Opened again while a pass runs, the dialog comes up as it stands.
void Function_AF7::showAF7()
{
    {
        const AuxDialog::Pass pass(running, [this] { updateButtons(); });
        if (pass.started())
            readValues();
    }
    show();
}

void Function_AF7::step(const QByteArray &subCommand)
{
    const AuxDialog::Pass pass(running, [this] { updateButtons(); });
    if (!pass.started())
        return;
    DriveCommands::Hold commands(this, DriveCommands::Operation::SpeedOffset);
    if (!commands.taken()) {
        AnswerBox::commandsHeld(this);
        return;
    }
    const bool stepped = write(AuxCoding::functionSelect(), "0000")
        && write(AuxCoding::functionSelect(), "1007")
        && write(AuxCoding::subCommand(), subCommand);
    if (stepped)
        readValues();
}

void Function_AF7::on_pushButton_AF7UP_clicked()
{
    step("0002");
}

void Function_AF7::on_pushButton_AF7DOWN_clicked()
{
    step("0003");
}

void Function_AF7::on_pushButton_adjust_clicked()
{
    const AuxDialog::Pass pass(running, [this] { updateButtons(); });
    if (!pass.started())
        return;
    // The typed offset is judged before anything is written: a refused entry sends nothing.
    const AuxCoding::OffsetEntry entry = AuxCoding::parseOffset(ui->lineEdit_AF7Value->text(), kReadBackBits);
    if (entry.result == AuxCoding::OffsetEntry::NotANumber) {
        QMessageBox::warning(this, tr("error"), tr("调整值必须是整数"), QMessageBox::Ok);
    } else if (entry.result == AuxCoding::OffsetEntry::OutOfRange) {
        QMessageBox::warning(this, tr("error"),
                             tr("调整值超出范围: %1 ~ %2").arg(entry.minimum).arg(entry.maximum), QMessageBox::Ok);
    } else if (write(AuxCoding::unlockRegister(), AuxCoding::unlockWord())) {
        writeResult = -1;
        emit sendToMasterWrite2(QByteArrayLiteral("0E53"), AuxCoding::speedOffsetData(entry.typed), kId);
        if (AuxDialog::writeReached(this, writeResult))
            readValues();
    }
}

void Function_AF7::readDataToAF7(QVector<QString> words)
{
    qint16 value = 0;
    if (!AuxCoding::firstSigned16(words, &value))
        return;
    if (valueIndex == 0)
        ui->lineEdit_AF7Speed->setText(QString::number(value));
    else if (valueIndex == 1)
        ui->lineEdit_AF7Value->setText(QString::number(AuxCoding::shownOffset(value)));
    else
        return;
    replyReceived = true;
    emit AlarmIsOk(true);
}

void Function_AF7::receiveWriteOutcome(int windowId, int outcome)
{
    if (windowId == kId)
        writeResult = outcome;
}

void Function_AF7::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}
