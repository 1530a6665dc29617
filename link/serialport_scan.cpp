// The station scan run by Connect, and OK, which confirms the drive to work with.

#include "serialport.h"
#include "automationmode.h"
#include "boundedwait.h"
#include "drivemodel.h"
#include "linklog.h"
#include "ui_serialport.h"

#include <QMessageBox>
#include <QTableWidgetItem>

namespace {

constexpr int tableRows = 20;      // answers beyond the 20th are not listed
constexpr int replyLimitMs = 500;  // a station that has not answered by then has no row
constexpr int afterRowPauseMs = 100;

} // namespace

void serialPort::on_pushButton_Search_clicked()
{
    if (scanning)
        return;
    scanning = true;
    // While the scan runs, OK could confirm one station while the scan goes on addressing
    // others; it is offered again once the scan has ended.
    ui->pushButton_OK->setEnabled(false);

    readDriverChoice();
    const QByteArray modelRegister = DriveModel::modelRegister(driveFamily);

    QTableWidget *table = ui->tableWidget;
    table->clearContents();
    table->setRowCount(tableRows);
    setTableHeaders();
    table->setSelectionBehavior(QAbstractItemView::SelectRows);

    modelWords.clear();

    const DriveModel::ScanRange range = DriveModel::scanRange(ui->lineEdit_Start->text(), ui->lineEdit_End->text());
    ui->lineEdit_Start->setText(range.startText);
    ui->lineEdit_End->setText(range.endText);

    ui->progressBar->setRange(range.from, range.to);
    ui->progressBar->setValue(range.from);
    ui->progressBar->show();

    int row = 0;
    bool lost = false;
    for (int n = range.from; n <= range.to; ++n) {
        replySeen = false;
        modelRefused = false;
        modelWords.clear();
        station = DriveModel::stationDigits(n);
        if (!portOpen) {
            // A scan whose dialog was left while it ran ends without a word.
            if (!scanWithdrawn && !lostPortName.isEmpty())
                warnLinkLost(lostPortName, AutomationMode::isOn());
            else if (!scanWithdrawn)
                QMessageBox::warning(this, tr("error"), tr("串口未打开/设备未连接"), QMessageBox::Ok);
            lostPortName.clear();
            lost = true;
            break;
        }
        // A late answer of the station before carries that station's address: it cannot be
        // taken for this one's.
        sendModelQuery(modelRegister);
        ui->progressBar->setValue(n);

        // A disconnect during the wait ends it at once; the next station reports the closed port.
        BoundedWait::forReply([this] { return replySeen || !portOpen; }, replyLimitMs);
        if (modelRefused && portOpen)
            QMessageBox::information(this, tr("information"), tr("数据出错"), QMessageBox::Ok);
        if (!replySeen)
            continue;

        qCDebug(linkLog) << "scan: station" << station << "answered";
        if (row < tableRows) {
            table->setItem(row, 0, new QTableWidgetItem(QString::number(station.toInt(nullptr, 16))));
            table->setItem(row, 1, new QTableWidgetItem(modelName));
        }
        ++row;
        BoundedWait::pause(afterRowPauseMs);
    }

    ui->progressBar->hide();
    ui->pushButton_OK->setEnabled(true);
    scanning = false;
    // A search in a running session leaves the drive worked with as it was, until OK takes another.
    if (linkConfirmed)
        station = confirmedStation;
    const bool withdrawn = scanWithdrawn;
    scanWithdrawn = false;
    if (row > 0 || lost || withdrawn || !portOpen)
        return;
    // Nobody answered (a stalled or missing drive, a wrong line setting): said so, and the
    // dialog is left as before Connect, so that Connect scans again.
    closeUnconfirmedLink();
    QMessageBox::warning(this, tr("error"), tr("没有驱动器应答"), QMessageBox::Ok);
}

void serialPort::on_pushButton_OK_clicked()
{
    const QList<QTableWidgetItem *> selected = ui->tableWidget->selectedItems();
    QTableWidgetItem *stationItem = selected.isEmpty() ? nullptr : ui->tableWidget->item(selected.first()->row(), 0);
    if (!stationItem) {
        QMessageBox::warning(this, QStringLiteral("error"), tr("Address not selected"), QMessageBox::Ok);
        return;
    }
    const int row = stationItem->row();
    station = DriveModel::stationDigits(stationItem->text().toInt());
    confirmedStation = station;
    const QTableWidgetItem *modelItem = ui->tableWidget->item(row, 1);
    modelName = modelItem ? modelItem->text() : QString();

    emit changeFirst(true);
    linkConfirmed = portOpen;
    sessionRunning = true;
    emit isOpenSerial(portOpen);
    emit driverModelToSave(modelName);

    qCDebug(linkLog) << "working with station" << station;
    emit showMainWindow();
    hide();
}
