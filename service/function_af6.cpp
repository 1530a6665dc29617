#include "function_af6.h"
#include "ui_function_af6.h"

#include <QEvent>

#include "answerbox.h"
#include "auxcoding.h"
#include "auxdialog.h"
#include "drivecommands.h"

namespace {
const int kId = AuxCoding::AnalogOffsetWindow;
}

Function_AF6::Function_AF6(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::Function_AF6)
{
    ui->setupUi(this);
    setFixedSize(472, 328);
    setWindowModality(Qt::ApplicationModal);
    ui->lineEdit_Speed->setEnabled(false);
    ui->lineEdit_location->setEnabled(false);
}

Function_AF6::~Function_AF6()
{
    delete ui;
}

void Function_AF6::readVoltages()
{
    const QByteArray registers[2] = { QByteArrayLiteral("E007"), QByteArrayLiteral("E009") };
    for (int index = 0; index < 2; ++index) {
        valueIndex = index;
        replyReceived = false;
        AuxDialog::showUnread(index == 0 ? ui->lineEdit_Speed : ui->lineEdit_location);
        emit sendToMasterRead(registers[index], QByteArrayLiteral("0001"), kId);
    }
}

bool Function_AF6::write(const QByteArray &addr, const QByteArray &value)
{
    writeResult = -1;
    emit sendToMaster(addr, value, kId);
    return AuxDialog::writeReached(this, writeResult);
}

void Function_AF6::showAF6()
{
    readVoltages();
    show();
}

void Function_AF6::on_pushButton_AF6_clicked()
{
    DriveCommands::Hold commands(this, DriveCommands::Operation::AnalogOffset);
    if (!commands.taken()) {
        AnswerBox::commandsHeld(this);
        return;
    }
    ui->pushButton_AF6->setEnabled(false);
    const bool started = write(AuxCoding::functionSelect(), "0000")
        && write(AuxCoding::functionSelect(), "1006")
        && write(AuxCoding::subCommand(), "0001");
    if (started)
        readVoltages();
    ui->pushButton_AF6->setEnabled(true);
}

void Function_AF6::readDataToAF6(QVector<QString> words)
{
    qint16 value = 0;
    if (!AuxCoding::firstSigned16(words, &value))
        return;
    if (valueIndex == 0)
        ui->lineEdit_Speed->setText(QString::number(value));
    else if (valueIndex == 1)
        ui->lineEdit_location->setText(QString::number(value));
    else
        return;
    replyReceived = true;
    emit AlarmIsOk(true);
}

void Function_AF6::receiveWriteOutcome(int windowId, int outcome)
{
    if (windowId == kId)
        writeResult = outcome;
}

void Function_AF6::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}
