#include "function_af1.h"
#include "ui_function_af1.h"

#include <QEvent>

#include "answerbox.h"
#include "auxcoding.h"
#include "auxdialog.h"
#include "drivecommands.h"

namespace {
const int kId = AuxCoding::TeachingWindow;
}

Function_AF1::Function_AF1(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::Function_AF1)
{
    ui->setupUi(this);
    setFixedSize(600, 400);
    ui->lineEdit->setEnabled(false);
    ui->lineEdit_given->setEnabled(false);
    setWindowModality(Qt::ApplicationModal);
}

Function_AF1::~Function_AF1()
{
    delete ui;
}

// Index 0: feedback pulses (E001), 1: command pulses (E003), two words each.
void Function_AF1::read(int index)
{
    valueIndex = index;
    AuxDialog::showUnread(index == 0 ? ui->lineEdit : ui->lineEdit_given);
    emit sendToMasterToRead(index == 0 ? QByteArrayLiteral("E001") : QByteArrayLiteral("E003"),
                            QByteArrayLiteral("0002"), kId);
}

bool Function_AF1::write(const QByteArray &addr, const QByteArray &value)
{
    writeResult = -1;
    emit sendToMaster(addr, value, kId);
    return AuxDialog::writeReached(this, writeResult);
}

void Function_AF1::showFunctionAF1()
{
    read(1);
    read(0);
    show();
}

void Function_AF1::on_pushButton_AF1_clicked()
{
    DriveCommands::Hold commands(this, DriveCommands::Operation::PositionTeaching);
    if (!commands.taken()) {
        AnswerBox::commandsHeld(this);
        return;
    }
    ui->pushButton_AF1->setEnabled(false);
    const bool started = write(AuxCoding::functionSelect(), "0000")
        && write(AuxCoding::functionSelect(), "1001")
        && write(AuxCoding::subCommand(), "0004");
    if (started) {
        read(0);
        read(1);
    }
    ui->pushButton_AF1->setEnabled(true);
}

void Function_AF1::ReadDataToShow(QVector<QString> words)
{
    qint32 value = 0;
    if (!AuxCoding::signed32(words, &value))
        return;
    if (valueIndex == 0)
        ui->lineEdit->setText(QString::number(value));
    else if (valueIndex == 1)
        ui->lineEdit_given->setText(QString::number(value));
    else
        return;
    emit AlarmIsOk(true);
}

void Function_AF1::receiveWriteOutcome(int windowId, int outcome)
{
    if (windowId == kId)
        writeResult = outcome;
}

void Function_AF1::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}
