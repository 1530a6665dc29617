#include "function_af30.h"
#include "ui_function_af30.h"

#include <QEvent>
#include <QLineEdit>
#include <QMessageBox>

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
    AuxDialog::whenLinkLost(this, [this] { driveLevel = 0; });
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
    // Unanswered, the field stays empty: the drive's level is unknown and none is written
    // until the user picks one.
    {
        const QSignalBlocker quiet(ui->lineEdit_Value);
        AuxDialog::showUnread(ui->lineEdit_Value);
    }
    driveLevel = 0;
    emit sendToMasterToRead(QByteArrayLiteral("0100"), QByteArrayLiteral("0001"), kId);
}

void function_AF30::receiveAF30Values(QVector<QString> words)
{
    qint16 gain = 0;
    if (!AuxCoding::firstSigned16(words, &gain))
        return;
    // A gain beyond the last level is shown as the last level, in the field and on the slider.
    driveLevel = AuxCoding::levelForSpeedLoopGain(gain);
    showLevel(driveLevel);
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

namespace {

// The level a text names, or 0 when it names none of 1..25.
int typedLevel(const QString &text)
{
    bool ok = false;
    const int level = text.trimmed().toInt(&ok);
    return ok && level >= AuxCoding::MinRigidity && level <= AuxCoding::MaxRigidity ? level : 0;
}

} // namespace

// The slider and the level's values follow a typed level only once the entry is done (Return,
// leaving the field, the write): a number on its way ("1" and "10" of "100") moves nothing.
void function_AF30::on_lineEdit_Value_textChanged(const QString &)
{
}

// A level is taken; any other text stays as typed (never silently replaced by the nearest
// level) and the write refuses it.
void function_AF30::on_lineEdit_Value_editingFinished()
{
    const int level = typedLevel(ui->lineEdit_Value->text());
    if (level != 0)
        showLevel(level);
}

void function_AF30::showLevel(int level)
{
    ui->horizontalSlider->setValue(level);
    ui->lineEdit_Value->setText(QString::number(level));
}

bool function_AF30::write(const QByteArray &addr, int value)
{
    writeResult = -1;
    emit sendToMaster(addr, AuxCoding::hexWord(value), kId);
    return AuxDialog::writeReached(this, writeResult);
}

void function_AF30::on_pushButton_write_clicked()
{
    const int level = typedLevel(ui->lineEdit_Value->text());
    if (level == 0) {
        QMessageBox::warning(this, tr("error"),
                             tr("刚性等级必须是 %1 ~ %2 的整数").arg(AuxCoding::MinRigidity).arg(AuxCoding::MaxRigidity),
                             QMessageBox::Ok);
        // The refused text goes: field and slider show the drive's level, or the field the
        // unread mark where that level is not known.
        if (driveLevel != 0) {
            showLevel(driveLevel);
        } else {
            const QSignalBlocker quiet(ui->lineEdit_Value);
            AuxDialog::showUnread(ui->lineEdit_Value);
        }
        return;
    }
    showLevel(level);
    ui->horizontalSlider->setEnabled(false);
    ui->lineEdit_Value->setEnabled(false);
    if (write(QByteArrayLiteral("0100"), speedLoopGain) && write(QByteArrayLiteral("0101"), speedIntegralTime)
        && write(QByteArrayLiteral("0102"), positionLoopGain) && write(QByteArrayLiteral("0401"), torqueFilterTime))
        driveLevel = level;
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
