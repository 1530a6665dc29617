#include "mastercontrol.h"
#include "ui_mastercontrol.h"

#include <QCloseEvent>
#include <QMessageBox>

#include "auxcoding.h"
#include "auxdialog.h"
#include "boundedwait.h"
#include "linklog.h"
#include "linktiming.h"
#include "onerun.h"
#include "writeecho.h"

namespace {
const int kRequester = 6;
}

masterControl::masterControl(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::masterControl)
{
    ui->setupUi(this);
    setFixedSize(710, 370);
    setWindowModality(Qt::ApplicationModal);
}

masterControl::~masterControl()
{
    AuxDialog::setPortOpen(false);
    delete ui;
}

// A refused write always says why: the user pressed a button that would write, and a dialog
// ends its sequence at the first write that is not done. Refused reads (a dialog opened with
// the link down reads its values) say it once until a request is accepted again.
bool masterControl::accept(int windowId, bool write)
{
    if (!portFlag) {
        if (write || warningGiven == 0) {
            warningGiven = 1;
            QMessageBox::warning(this, tr("error"), tr("串口未打开/设备未连接/地址未选择"), QMessageBox::Ok);
        }
        return false;
    }
    warningGiven = 0;
    pendingId = windowId;
    return true;
}

void masterControl::relayWrite(int windowId, int limitMs, const QByteArray &address, const QByteArray &data,
                               const std::function<void()> &send)
{
    if (!accept(windowId, true)) {
        emit writeOutcome(windowId, AuxCoding::WriteRefused);
        return;
    }
    // A read still waiting (a request made from inside its wait) gives up its claim.
    readOutstanding = false;
    const OneRun waiting(relayWaiting);
    // Done only on its own echo: a late echo of an earlier write, or another window's, is none.
    WriteEcho write(address, data);
    write.send(send);
    write.wait(limitMs);
    qCDebug(linkLog) << "aux write" << windowId << (write.confirmed() ? "echoed" : "no valid echo");
    // A link lost meanwhile has told the user itself: the write counts as not done for it.
    const int outcome = write.confirmed() ? AuxCoding::WriteConfirmed
                        : portFlag        ? AuxCoding::WriteUnconfirmed
                                          : AuxCoding::WriteRefused;
    emit writeOutcome(windowId, outcome);
}

void masterControl::receiveFunctionAF(QByteArray addr, QByteArray value, int windowId)
{
    qCDebug(linkLog) << "aux write" << addr << value << windowId;
    relayWrite(windowId, LinkTiming::writeLimitMs(writeWaitMs), addr, value,
               [&] { emit writeSerialMoster(addr, value, kRequester); });
}

void masterControl::receiveFunctionAF2(QByteArray addr, QByteArray data, int windowId)
{
    qCDebug(linkLog) << "aux write2" << addr << data << windowId;
    relayWrite(windowId, LinkTiming::write2LimitMs(writeWaitMs), addr, data,
               [&] { emit writeSerialMoster2(addr, data, kRequester); });
}

void masterControl::receiveFunctionAFRead(QByteArray addr, QByteArray count, int windowId)
{
    qCDebug(linkLog) << "aux read" << addr << count << windowId;
    if (!accept(windowId, false))
        return;
    emit AlarmOK(replyTaken);
    replyTaken = false;
    readOutstanding = true;
    const OneRun waiting(relayWaiting);
    emit readSerialMoster(addr, count, kRequester);
    const int words = qMax(1, count.toInt(nullptr, 16));
    BoundedWait::forReply([this] { return replyTaken; }, LinkTiming::readLimitMs(readWaitMs, words));
    readOutstanding = false;
    emit AlarmOK(replyTaken);
}

void masterControl::receiveToCheck(QString echo)
{
    qCDebug(linkLog) << "aux echo" << echo;
    WriteEcho::offer(echo);
}

void masterControl::receiveToShowAlarm(QVector<QString> words)
{
    // One reply per read, and only while that read waits for it.
    if (!readOutstanding)
        return;
    readOutstanding = false;
    switch (pendingId) {
    case AuxCoding::TeachingWindow:
        emit sendToShowAF1(words);
        break;
    case AuxCoding::AlarmWindow:
        qCDebug(linkLog) << "aux alarm reply" << words;
        emit sendToShowAlram(words);
        break;
    case AuxCoding::AnalogOffsetWindow:
        emit sendToShowAF6(words);
        break;
    case AuxCoding::SpeedOffsetWindow:
        emit sendToShowAF7(words);
        break;
    case AuxCoding::TorqueOffsetWindow:
        emit sendToShowAF8(words);
        break;
    case AuxCoding::EncoderResetWindow:
        emit sendToShowAF11(words);
        break;
    case AuxCoding::RigidityWindow:
        emit sendToShowAF30(words);
        break;
    default:
        break;
    }
}

void masterControl::AlarmIsOk(bool ok)
{
    replyTaken = ok;
}

void masterControl::showMasterWindow()
{
    emit stopMainWindowQuery();
    emit sendThisWindow(this);
}

void masterControl::setButtonsEnabled(bool enabled)
{
    ui->commandLinkButton->setEnabled(enabled);
    ui->commandLinkButton_2->setEnabled(enabled);
    ui->commandLinkButton_3->setEnabled(enabled);
    ui->commandLinkButton_4->setEnabled(enabled);
    ui->commandLinkButton_5->setEnabled(enabled);
    ui->commandLinkButton_6->setEnabled(enabled);
    ui->commandLinkButton_AF30->setEnabled(enabled);
}

void masterControl::receiveSerialIsOK(bool open)
{
    // A link that went down has been told by the link itself: the reads that the open dialogs
    // make after it are refused without a second box (a write the user asks for says why).
    if (portFlag && !open)
        warningGiven = 1;
    // What the open dialogs read over the lost link is not the drive's now.
    if (!open)
        AuxDialog::forgetDriveValues();
    portFlag = open;
    AuxDialog::setPortOpen(open);
    setButtonsEnabled(open);
}

void masterControl::receiveMainWindow(bool online)
{
    setButtonsEnabled(online);
}

void masterControl::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}

void masterControl::closeEvent(QCloseEvent *event)
{
    hide();
    emit startMainWindowQuery();
    event->accept();
}

// A dialog opens by reading its values through this relay, which keeps one pending request for
// all dialogs. A press while a request waits here (a second press during a dialog's reads, or a
// press on another function's button) would read through it and take the answer that waits:
// it starts nothing, and the dialog whose requests run comes up once they end.
void masterControl::openDialog(void (masterControl::*open)())
{
    if (relayWaiting)
        return;
    emit (this->*open)();
}

void masterControl::on_commandLinkButton_clicked()
{
    openDialog(&masterControl::showAF1);
}

void masterControl::on_commandLinkButton_2_clicked()
{
    openDialog(&masterControl::showAF4);
}

void masterControl::on_commandLinkButton_3_clicked()
{
    openDialog(&masterControl::showAF6);
}

void masterControl::on_commandLinkButton_4_clicked()
{
    openDialog(&masterControl::showAF7);
}

void masterControl::on_commandLinkButton_5_clicked()
{
    openDialog(&masterControl::showAF8);
}

void masterControl::on_commandLinkButton_6_clicked()
{
    openDialog(&masterControl::showAF11);
}

void masterControl::on_commandLinkButton_AF30_clicked()
{
    openDialog(&masterControl::showAF30);
}
