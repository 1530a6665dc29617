#include "function_af30.h"
#include "ui_function_af30.h"

#include <QEvent>
#include <QLineEdit>
#include <QMessageBox>

#include "auxcoding.h"
#include "auxdialog.h"
#include "unreadvalue.h"

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
    AuxDialog::whenLinkLost(this, [this] {
        driveLevel = 0;
        showLevelUnknown();
    });
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
    driveLevel = 0;
    showLevelUnknown();
    emit sendToMasterToRead(QByteArrayLiteral("0100"), QByteArrayLiteral("0001"), kId);
}

void function_AF30::receiveAF30Values(QVector<QString> words)
{
    if (readingBack) {
        for (const QString &word : words) {
            quint16 value = 0;
            if (!AuxCoding::wordValue(word, &value))
                return;
            gainsRead << value;
        }
        emit AlarmIsOk(true);
        return;
    }
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
    ui->horizontalSlider->setEnabled(true);
    ui->horizontalSlider->setToolTip(QString());
    ui->lineEdit_Value->setToolTip(QString());
    {
        const QSignalBlocker quiet(ui->horizontalSlider);
        ui->horizontalSlider->setValue(level);
    }
    // Also where the slider stood there already: it may have been moved there without its values.
    on_horizontalSlider_valueChanged(ui->horizontalSlider->value());
}

void function_AF30::showLevelUnknown(const QString &why)
{
    {
        const QSignalBlocker quiet(ui->lineEdit_Value);
        AuxDialog::showUnread(ui->lineEdit_Value);
    }
    ui->lineEdit_Value->setToolTip(why.isEmpty() ? UnreadValue::reason() : why);
    const QSignalBlocker still(ui->horizontalSlider); // the four values stay those of the last level
    ui->horizontalSlider->setValue(ui->horizontalSlider->minimum());
    ui->horizontalSlider->setEnabled(false);
    ui->horizontalSlider->setToolTip(ui->lineEdit_Value->toolTip());
}

// The drive may have run some of the writes (each one whose echo was lost, too): it may hold
// the new level, the old one, or a mix of both. Only a level its four gains all belong to is
// shown; otherwise the level is unknown, and the field's tool tip names the gains.
void function_AF30::readBack()
{
    driveLevel = 0;
    showLevelUnknown();
    gainsRead.clear();
    readingBack = true;
    emit sendToMasterToRead(QByteArrayLiteral("0100"), QByteArrayLiteral("0003"), kId);
    if (gainsRead.size() == 3)
        emit sendToMasterToRead(QByteArrayLiteral("0401"), QByteArrayLiteral("0001"), kId);
    readingBack = false;
    if (gainsRead.size() != 4)
        return;
    const int level = AuxCoding::levelOfGains(qint16(gainsRead.at(0)), gainsRead.at(1), gainsRead.at(2), gainsRead.at(3));
    if (level != 0) {
        driveLevel = level;
        showLevel(level);
        return;
    }
    showLevelUnknown(tr("驱动器的增益不属于同一刚性等级：PA100=%1, PA101=%2, PA102=%3, PA401=%4")
                         .arg(qint16(gainsRead.at(0)))
                         .arg(gainsRead.at(1))
                         .arg(gainsRead.at(2))
                         .arg(gainsRead.at(3)));
}

void function_AF30::on_pushButton_write_clicked()
{
    const int level = typedLevel(ui->lineEdit_Value->text());
    if (level == 0) {
        QMessageBox::warning(this, tr("error"),
                             tr("刚性等级必须是 %1 ~ %2 的整数").arg(AuxCoding::MinRigidity).arg(AuxCoding::MaxRigidity),
                             QMessageBox::Ok);
        // The refused text goes: field and slider show the drive's level, or the unread mark
        // where that level is not known.
        if (driveLevel != 0)
            showLevel(driveLevel);
        else
            showLevelUnknown(ui->lineEdit_Value->toolTip()); // why it is not known stays told
        return;
    }
    showLevel(level);
    // The level is neither changed nor written again while its writes go out.
    ui->horizontalSlider->setEnabled(false);
    ui->lineEdit_Value->setEnabled(false);
    ui->pushButton_write->setEnabled(false);
    const QPair<QByteArray, int> writes[] = {{QByteArrayLiteral("0100"), speedLoopGain},
                                             {QByteArrayLiteral("0101"), speedIntegralTime},
                                             {QByteArrayLiteral("0102"), positionLoopGain},
                                             {QByteArrayLiteral("0401"), torqueFilterTime}};
    int outcome = AuxCoding::WriteConfirmed;
    for (const auto &write : writes) {
        writeResult = -1;
        emit sendToMaster(write.first, AuxCoding::hexWord(write.second), kId);
        if (writeResult != AuxCoding::WriteConfirmed) {
            outcome = writeResult;
            break;
        }
    }
    if (outcome == AuxCoding::WriteConfirmed) {
        driveLevel = level;
        ui->horizontalSlider->setEnabled(true);
        ui->lineEdit_Value->setEnabled(true);
        ui->pushButton_write->setEnabled(true);
        return;
    }
    // The entry is not what the drive holds: what it holds is shown before the box says why,
    // and nothing is typed while it is read.
    readBack();
    ui->lineEdit_Value->setEnabled(true);
    ui->pushButton_write->setEnabled(true);
    AuxDialog::writeReached(this, outcome);
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
