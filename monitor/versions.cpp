#include "versions.h"
#include "ui_versions.h"

#include <QLineEdit>
#include <QMessageBox>

#include "boundedwait.h"
#include "driveinfodecoding.h"
#include "linktiming.h"
#include "onerun.h"
#include "unreadvalue.h"

Versions::Versions(QWidget *parent)
    : QWidget(parent), ui(new Ui::Versions)
{
    ui->setupUi(this);
    ui->lineEdit_DSP1->setEnabled(false);
    ui->lineEdit_DSP2->setEnabled(false);
    ui->lineEdit_FPGA->setEnabled(false);
    ui->PushButton_Refresh->hide();
}

Versions::~Versions()
{
    delete ui;
}

QString Versions::versionText(const QString &word) const
{
    return DriveInfoDecoding::versionText(word);
}

void Versions::setSerialOpen(bool open)
{
    serialOpen = open;
    // What was read over a lost link may no longer hold.
    if (!open)
        clearFields();
}

// Every field starts empty, so one whose read goes unanswered never shows an older value.
void Versions::clearFields()
{
    for (const DriveInfoDecoding::Step &step : DriveInfoDecoding::steps()) {
        if (auto *field = findChild<QLineEdit *>(QLatin1String(step.field)))
            UnreadValue::show(field);
    }
}

void Versions::showVersionWindow()
{
    show();
    raise();
    activateWindow();
    on_PushButton_Refresh_clicked();
}

// Opened again while it reads (its waits let the menu through), the window is only raised:
// the read that runs goes on, and a second one would take its answers into other fields.
void Versions::on_PushButton_Refresh_clicked()
{
    const OneRun run(reading);
    if (!run.started())
        return;
    if (!serialOpen) {
        QMessageBox::warning(this, tr("error"), tr("串口未打开/设备未连接/地址未选择"), QMessageBox::Ok);
        return;
    }
    emit VersionOK(replyOk);
    clearFields();
    const QVector<DriveInfoDecoding::Step> &steps = DriveInfoDecoding::steps();
    for (int i = 0; i < steps.size(); ++i) {
        // The port may go away while the sequence waits.
        if (!serialOpen)
            break;
        step = i + 1;
        replyOk = false;
        stepAnswered = false;
        awaitingStep = step;
        emit readVisons(steps.at(i).address, QByteArrayLiteral("0001"), 8);
        BoundedWait::forReply([this] { return replyOk; }, LinkTiming::readLimitMs(steps.at(i).waitMs, 1));
        awaitingStep = 0;
        emit VersionOK(replyOk);
    }
}

void Versions::receiveVersion(QVector<QString> words)
{
    if (step < 1 || step > 15 || awaitingStep != step || stepAnswered || words.size() != 1)
        return;
    stepAnswered = true;
    const DriveInfoDecoding::Shown shown = DriveInfoDecoding::decode(step, words.first());
    auto *field = findChild<QLineEdit *>(QLatin1String(DriveInfoDecoding::steps().at(step - 1).field));
    if (field && shown.setText)
        field->setText(shown.text);
    if (shown.picture == DriveInfoDecoding::Picture::First) {
        ui->frame_4->show();
        ui->frame_6->hide();
    } else if (shown.picture == DriveInfoDecoding::Picture::Second) {
        ui->frame_6->show();
        ui->frame_4->hide();
    }
    // The three versions end their waits at once; the ratings wait out their limits.
    if (step <= 3)
        replyOk = true;
}

void Versions::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}
