#include "function_af4.h"
#include "ui_function_af4.h"

#include <QEvent>
#include <QHeaderView>
#include <QMessageBox>
#include <QPalette>

#include "alarmhistory.h"
#include "answerbox.h"
#include "auxcoding.h"
#include "auxdialog.h"
#include "drivecommands.h"
#include "boundedwait.h"
#include "choicefiles.h"
#include "unreadvalue.h"

namespace {
const int kId = AuxCoding::AlarmWindow;
const int kCurrentIndex = 20;
const int kResetSettleMs = 900;
}

function_AF4::function_AF4(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::function_AF4)
{
    ui->setupUi(this);
    setFixedSize(880, 500);
    QTableWidget *table = ui->tableWidget;
    table->setColumnCount(3);
    table->setRowCount(AlarmHistory::EntryCount);
    setHeaderLabels();
    table->verticalHeader()->setVisible(false);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->setColumnWidth(0, 170);
    table->setColumnWidth(1, 200);
    table->setColumnWidth(2, 500);
    // The three columns ask for a little more than the table's width; the last one gives way
    // rather than a scroll bar coming up under the table.
    table->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setAlternatingRowColors(true);
    QPalette palette = table->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, QColor(233, 245, 252));
    table->setPalette(palette);
    table->setFocusPolicy(Qt::NoFocus);
    table->horizontalHeader()->setStyleSheet(QStringLiteral(
        "QHeaderView::section{border:2px groove gray;border-radius:2px;padding:2px 4px;"
        "background-color:rgb(170, 170, 255);font: 12pt '楷体'}"));

    ui->pushButton_UploadAlarm->hide();
    ui->lineEdit_current->setEnabled(false);
    setWindowModality(Qt::ApplicationModal);
    // The history read over a lost link is not the drive's now, as the current alarm is not.
    AuxDialog::whenLinkLost(this, [this] { showHistoryUnread(); });
}

// Every entry shows that it was not read (its code and time), and no text of an alarm.
void function_AF4::showHistoryUnread()
{
    for (int k = 0; k < AlarmHistory::EntryCount; ++k) {
        ui->tableWidget->setItem(k, 0, new QTableWidgetItem(UnreadValue::text()));
        ui->tableWidget->setItem(k, 1, new QTableWidgetItem(UnreadValue::text()));
        delete ui->tableWidget->takeItem(k, 2);
    }
}

function_AF4::~function_AF4()
{
    delete ui;
}

int function_AF4::readLanguageChoice() const
{
    return ChoiceFiles::languageChoice();
}

void function_AF4::setHeaderLabels()
{
    ui->tableWidget->setHorizontalHeaderLabels({ tr("报警号"), tr("报警时间(S)"), tr("说明") });
}

void function_AF4::updateButtons()
{
    ui->pushButton_UploadAlarm->setEnabled(!running);
    ui->pushButton_resert->setEnabled(!running);
    ui->pushButton_AF4->setEnabled(!running);
}

// The panel waits for the answer before it returns, so each answer lands in its own row.
void function_AF4::readRegister(int index, const QByteArray &addr, const QByteArray &count)
{
    replyReceived = false;
    pendingIndex = index;
    if (index == kCurrentIndex)
        AuxDialog::showUnread(ui->lineEdit_current);
    emit sendToMasterAlarm(addr, count, kId);
}

bool function_AF4::write(const QByteArray &addr, const QByteArray &value)
{
    writeResult = -1;
    emit sendToMaster(addr, value, kId);
    return AuxDialog::writeReached(this, writeResult);
}

// Opened again while a command of the dialog runs (the dialog closed in its pause), it comes up
// as it stands: the history is not read inside the command.
void function_AF4::showAF4()
{
    on_pushButton_UploadAlarm_clicked();
    show();
}

void function_AF4::on_pushButton_UploadAlarm_clicked()
{
    const AuxDialog::Pass pass(running, [this] { updateButtons(); });
    if (pass.started())
        readHistory();
}

void function_AF4::readHistory()
{
    ui->tableWidget->clear();
    setHeaderLabels();
    // Until its answer comes, each entry shows that it was not read.
    showHistoryUnread();
    for (int k = 0; k < AlarmHistory::EntryCount; ++k)
        readRegister(k, AlarmHistory::timeRegister(k), QByteArrayLiteral("0002"));
    for (int k = 0; k < AlarmHistory::EntryCount; ++k)
        readRegister(AlarmHistory::EntryCount + k, AlarmHistory::codeRegister(k), QByteArrayLiteral("0001"));
    readRegister(kCurrentIndex, AlarmHistory::currentAlarmRegister(), QByteArrayLiteral("0001"));
}

void function_AF4::receiveAlarmData(QVector<QString> words)
{
    if (pendingIndex >= 0 && pendingIndex < AlarmHistory::EntryCount) {
        ui->tableWidget->setItem(pendingIndex, 1, makeAlarmItem(words, words.size()));
    } else if (pendingIndex >= AlarmHistory::EntryCount && pendingIndex < kCurrentIndex) {
        ui->tableWidget->setItem(pendingIndex - AlarmHistory::EntryCount, 0, makeAlarmItem(words, words.size()));
        fillAlarmTexts();
    } else if (pendingIndex == kCurrentIndex) {
        const AlarmHistory::Current current = AlarmHistory::currentAlarm(words.value(0));
        if (current.valid)
            ui->lineEdit_current->setText(current.present ? current.code : tr("No Alarm"));
    }
    replyReceived = true;
    emit AlarmIsOK(true);
}

QTableWidgetItem *function_AF4::makeAlarmItem(const QVector<QString> &words, int kind)
{
    if (kind != 1 && kind != 2)
        return nullptr;
    return new QTableWidgetItem(AlarmHistory::cellText(words.mid(0, kind)));
}

void function_AF4::fillAlarmTexts()
{
    const int row = pendingIndex - AlarmHistory::EntryCount;
    const QTableWidgetItem *codeItem = ui->tableWidget->item(row, 0);
    const QString code = codeItem ? codeItem->text() : QString();
    const AlarmHistory::Table table = AlarmHistory::loadTable(readLanguageChoice());
    if (!table.error.isEmpty()) {
        // This runs in the answer's slot: the box opens once the history read is over, told
        // at the first code only.
        if (row == 0)
            AnswerBox::warningLater(this, tr("error"), table.error);
        return;
    }
    const auto found = table.texts.constFind(code);
    if (found != table.texts.constEnd())
        ui->tableWidget->setItem(row, 2, new QTableWidgetItem(found.value()));
}

void function_AF4::on_pushButton_resert_clicked()
{
    const AuxDialog::Pass pass(running, [this] { updateButtons(); });
    if (!pass.started())
        return;
    DriveCommands::Hold commands(this, DriveCommands::Operation::AlarmReset);
    if (!commands.taken()) {
        AnswerBox::commandsHeld(this);
        return;
    }
    const bool reset = write(AuxCoding::functionSelect(), "0000")
        && write(AuxCoding::functionSelect(), "2001")
        && write(AuxCoding::subCommand(), "0001");
    if (reset) {
        BoundedWait::pause(kResetSettleMs);
        readRegister(kCurrentIndex, AlarmHistory::currentAlarmRegister(), QByteArrayLiteral("0001"));
    }
}

void function_AF4::on_pushButton_AF4_clicked()
{
    const AuxDialog::Pass pass(running, [this] { updateButtons(); });
    if (!pass.started())
        return;
    if (AuxDialog::refuseWhenPortClosed(this))
        return;
    if (QMessageBox::question(this, tr("Waring"), tr("是否清除报警记录？"),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) != QMessageBox::Yes)
        return;
    DriveCommands::Hold commands(this, DriveCommands::Operation::AlarmHistoryClear);
    if (!commands.taken()) {
        AnswerBox::commandsHeld(this);
        return;
    }
    const bool cleared = write(AuxCoding::functionSelect(), "0000")
        && write(AuxCoding::functionSelect(), "1004")
        && write(AuxCoding::subCommand(), "0001");
    if (cleared)
        readHistory();
}

void function_AF4::receiveWriteOutcome(int windowId, int outcome)
{
    if (windowId == kId)
        writeResult = outcome;
}

void function_AF4::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}
