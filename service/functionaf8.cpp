#include "functionaf8.h"
#include "ui_functionaf8.h"

#include <QEvent>
#include <QMessageBox>

#include "answerbox.h"
#include "auxcoding.h"
#include "auxdialog.h"
#include "drivecommands.h"

namespace {
const int kId = AuxCoding::TorqueOffsetWindow;
const int kRegisterBits = 16;
}

FunctionAF8::FunctionAF8(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::FunctionAF8)
{
    ui->setupUi(this);
    setFixedSize(426, 342);
    setWindowModality(Qt::ApplicationModal);
    ui->lineEdit_AF8Location->setEnabled(false);
}

FunctionAF8::~FunctionAF8()
{
    delete ui;
}

// Index 0: the torque command voltage (E009); 1: the torque command offset (E30C).
void FunctionAF8::readValues()
{
    const QByteArray registers[2] = { QByteArrayLiteral("E009"), QByteArrayLiteral("E30C") };
    for (int index = 0; index < 2; ++index) {
        valueIndex = index;
        replyReceived = false;
        AuxDialog::showUnread(index == 0 ? ui->lineEdit_AF8Location : ui->lineEdit_AF8Value);
        emit sendToMasterRead(registers[index], QByteArrayLiteral("0001"), kId);
    }
}

bool FunctionAF8::write(const QByteArray &addr, const QByteArray &value)
{
    writeResult = -1;
    emit sendToMaster(addr, value, kId);
    return AuxDialog::writeReached(this, writeResult);
}

// The one place that enables the buttons and the offset field: none while the opening's reads or
// a command run, so nothing is typed that the read-back would replace.
void FunctionAF8::updateButtons()
{
    ui->pushButton_adjust->setEnabled(!running);
    ui->pushButton_AF8Down->setEnabled(!running);
    ui->pushButton_AF8Up->setEnabled(!running);
    ui->lineEdit_AF8Value->setEnabled(!running);
}

// Shown before its values are read: no step starts inside those reads.
void FunctionAF8::showAF8()
{
    show();
    const AuxDialog::Pass pass(running, [this] { updateButtons(); });
    if (!pass.started())
        return;
    readValues();
}

void FunctionAF8::step(const QByteArray &subCommand)
{
    const AuxDialog::Pass pass(running, [this] { updateButtons(); });
    if (!pass.started())
        return;
    DriveCommands::Hold commands(this, DriveCommands::Operation::TorqueOffset);
    if (!commands.taken()) {
        AnswerBox::commandsHeld(this);
        return;
    }
    const bool stepped = write(AuxCoding::functionSelect(), "0000")
        && write(AuxCoding::functionSelect(), "1008")
        && write(AuxCoding::subCommand(), subCommand);
    if (stepped)
        readValues();
}

void FunctionAF8::on_pushButton_AF8Up_clicked()
{
    step("0002");
}

void FunctionAF8::on_pushButton_AF8Down_clicked()
{
    step("0003");
}

void FunctionAF8::on_pushButton_adjust_clicked()
{
    const AuxDialog::Pass pass(running, [this] { updateButtons(); });
    if (!pass.started())
        return;
    // The typed offset is judged before anything is written: a refused entry sends nothing.
    const AuxCoding::OffsetEntry entry = AuxCoding::parseOffset(ui->lineEdit_AF8Value->text(), kRegisterBits);
    if (entry.result == AuxCoding::OffsetEntry::NotANumber) {
        QMessageBox::warning(this, tr("error"), tr("调整值必须是整数"), QMessageBox::Ok);
    } else if (entry.result == AuxCoding::OffsetEntry::OutOfRange) {
        QMessageBox::warning(this, tr("error"),
                             tr("调整值超出范围: %1 ~ %2").arg(entry.minimum).arg(entry.maximum), QMessageBox::Ok);
    } else if (write(AuxCoding::unlockRegister(), AuxCoding::unlockWord())
               && write(QByteArrayLiteral("0E56"), AuxCoding::torqueOffsetWord(entry.typed))) {
        readValues();
    }
}

void FunctionAF8::readDataToAF8(QVector<QString> words)
{
    qint16 value = 0;
    if (!AuxCoding::firstSigned16(words, &value))
        return;
    if (valueIndex == 0)
        ui->lineEdit_AF8Location->setText(QString::number(value));
    else if (valueIndex == 1)
        ui->lineEdit_AF8Value->setText(QString::number(AuxCoding::shownOffset(value)));
    else
        return;
    replyReceived = true;
    emit AlarmIsOk(true);
}

void FunctionAF8::receiveWriteOutcome(int windowId, int outcome)
{
    if (windowId == kId)
        writeResult = outcome;
}

void FunctionAF8::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}
