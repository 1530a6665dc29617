#include "function_af30.h"
#include "ui_function_af30.h"

#include <QEvent>

#include "auxcoding.h"
#include "auxdialog.h"

namespace {
const int kId = AuxCoding::RigidityWindow;
}

function_AF30::function_AF30(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::function_AF30)
{
    ui->setupUi(this);
    // Moving the slider from 0 into its range selects level 1.
    ui->horizontalSlider->setRange(AuxCoding::MinRigidity, AuxCoding::MaxRigidity);
    setWindowModality(Qt::ApplicationModal);
    ui->pushButton_read->hide();
}

function_AF30::~function_AF30()
{
    delete ui;
}

void function_AF30::showAF30Window()
{
    on_pushButton_read_clicked();
    show();
}

void function_AF30::on_pushButton_read_clicked()
{
    emit sendToMasterToRead(QByteArrayLiteral("0100"), QByteArrayLiteral("0001"), kId);
}

void function_AF30::receiveAF30Values(QVector<QString> words)
{
    qint16 gain = 0;
    if (!AuxCoding::firstSigned16(words, &gain))
        return;
    ui->lineEdit_Value->setText(QString::number(AuxCoding::levelForSpeedLoopGain(gain)));
    emit AlarmIsOk(true);
}

void function_AF30::on_horizontalSlider_valueChanged(int level)
{
    ui->lineEdit_Value->setText(QString::number(level));
    const AuxCoding::RigidityLevel values = AuxCoding::rigidityLevel(level);
    speedLoopGain = values.speedLoopGain;
    speedIntegralTime = values.speedIntegralTime;
    positionLoopGain = values.positionLoopGain;
    torqueFilterTime = values.torqueFilterTime;
}

void function_AF30::on_lineEdit_Value_textChanged(const QString &text)
{
    // An empty field is a level being typed; anything else moves the slider, and the field
    // then shows the level the slider took, never one outside 1..25.
    if (text.isEmpty())
        return;
    bool ok = false;
    const int typed = text.toInt(&ok);
    if (ok)
        ui->horizontalSlider->setValue(typed);
    const QString level = QString::number(ui->horizontalSlider->value());
    if (text != level)
        ui->lineEdit_Value->setText(level);
}

void function_AF30::on_lineEdit_Value_editingFinished()
{
    ui->lineEdit_Value->setText(QString::number(ui->horizontalSlider->value()));
}

bool function_AF30::write(const QByteArray &addr, int value)
{
    writeResult = -1;
    emit sendToMaster(addr, AuxCoding::hexWord(value), kId);
    return AuxDialog::writeReached(this, writeResult);
}

void function_AF30::on_pushButton_write_clicked()
{
    ui->horizontalSlider->setEnabled(false);
    ui->lineEdit_Value->setEnabled(false);
    ui->lineEdit_Value->setText(QString::number(ui->horizontalSlider->value()));
    write(QByteArrayLiteral("0100"), speedLoopGain) && write(QByteArrayLiteral("0101"), speedIntegralTime)
        && write(QByteArrayLiteral("0102"), positionLoopGain) && write(QByteArrayLiteral("0401"), torqueFilterTime);
    ui->horizontalSlider->setEnabled(true);
    ui->lineEdit_Value->setEnabled(true);
}

void function_AF30::receiveWriteOutcome(int windowId, int outcome)
{
    if (windowId == kId)
        writeResult = outcome;
}

void function_AF30::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}
