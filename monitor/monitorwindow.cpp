#include "monitorwindow.h"
#include "ui_monitorwindow.h"

#include <QCloseEvent>
#include <QDebug>
#include <QFile>
#include <QMessageBox>
#include <QScrollBar>
#include <QTimer>

#include "choicefiles.h"
#include "linetickets.h"
#include "linklog.h"
#include "linktiming.h"
#include "monitordecoding.h"
#include "pollturn.h"
#include "treemodel.h"
#include "unreadvalue.h"

namespace {

constexpr int NumberColumn = 0;
constexpr int ValueColumn = 3;
constexpr int TypeColumn = 5;
constexpr int SweepIntervalMs = 1000;
constexpr int RowWaitMs = 300;

} // namespace

MonitorWindow::MonitorWindow(QWidget *parent)
    : QWidget(parent), ui(new Ui::MonitorWindow)
{
    ui->setupUi(this);
    setWindowModality(Qt::ApplicationModal);

    turn = new PollTurn(this);
    connect(turn, &PollTurn::ended, this, &MonitorWindow::rowEnded);
    readDriverChoice();
    setTable(tableOfLanguage());

    timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &MonitorWindow::pollAll);

    ui->treeView->setAlternatingRowColors(true);
    ui->treeView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ui->treeView->header()->setStyleSheet(QStringLiteral(
        "QHeaderView::section{border:2px groove gray;border-radius:2px;padding:2px 4px;"
        "background-color:rgb(170, 170, 255);font: 12pt '楷体'}"));
    applyColumns();

    ui->pushButton_startMonitor->hide();
    ui->pushButton_endMonitor->hide();
}

MonitorWindow::~MonitorWindow()
{
    timer->stop();
    stopSweep();
    delete ui;
}

bool MonitorWindow::isMonitoring() const
{
    return monitoring;
}

QStringList MonitorWindow::headers() const
{
    return { tr("监视号"), tr("监视号"), tr("内容"), tr("值/状态"), tr("单位"), tr("属性") };
}

// The monitor table is the VR family's; its names follow the chosen language.
QString MonitorWindow::tableOfLanguage() const
{
    return readLanguageChoice() == 0 ? QStringLiteral(":/monitor_EN.txt") : QStringLiteral(":/monitor.txt");
}

void MonitorWindow::setTable(const QString &resource)
{
    if (resource == tableResource && model)
        return;
    tableResource = resource;
    QFile file(resource);
    QString text;
    if (file.open(QIODevice::ReadOnly)) {
        text = QString::fromUtf8(file.readAll());
        file.close();
    } else {
        qWarning() << "monitor table missing:" << resource;
    }
    // The view lets go of the old model before it is released.
    auto replacement = std::make_unique<TreeModel>(headers(), text);
    ui->treeView->setModel(replacement.get());
    model = std::move(replacement);
    clearValues();
}

// No value is shown that was not read from the drive in this connection: the table file's
// fourth fields are row numbers, not values.
void MonitorWindow::clearValues()
{
    for (int row = 0; row < model->rowCount(); ++row)
        model->setData(model->index(row, ValueColumn), UnreadValue::text(), Qt::EditRole);
}

void MonitorWindow::applyColumns()
{
    ui->treeView->setColumnHidden(NumberColumn, true);
    ui->treeView->setColumnHidden(TypeColumn, true);
    // Measured in the fonts the style sheets give. A value or unit text (or header) longer
    // than its usual width, as in English, widens its column instead of being cut; the names
    // keep their width and end in an ellipsis.
    ensurePolished();
    for (int column = 0; column < model->columnCount(); ++column)
        ui->treeView->resizeColumnToContents(column);
    ui->treeView->setColumnWidth(2, 300);
    ui->treeView->setColumnWidth(3, qMax(100, ui->treeView->columnWidth(3)));
    ui->treeView->setColumnWidth(4, qMax(100, ui->treeView->columnWidth(4)));

    // The window is widened as far as the shown columns need, so values and units are in view
    // without scrolling sideways.
    const QMargins margins = layout()->contentsMargins();
    const int needed = ui->treeView->header()->length() + ui->treeView->verticalScrollBar()->sizeHint().width()
        + 2 * ui->treeView->frameWidth() + margins.left() + margins.right();
    if (width() < needed)
        resize(needed, height());
}

void MonitorWindow::readDriverChoice()
{
    driverChoice = ChoiceFiles::driverChoice();
}

int MonitorWindow::readLanguageChoice() const
{
    return ChoiceFiles::languageChoice();
}

QByteArray MonitorWindow::monitorRegister() const
{
    const QString number = model->index(currentRow, NumberColumn).data(Qt::EditRole).toString();
    return MonitorDecoding::registerOf(number);
}

QString MonitorWindow::bitsToString(int value) const
{
    return MonitorDecoding::bitsToString(value);
}

void MonitorWindow::reportLinkDown()
{
    QMessageBox::warning(this, tr("error"), tr("串口未打开/设备未连接/地址未选择"), QMessageBox::Ok);
}

void MonitorWindow::pollAll()
{
    // Never two sweeps at once: a tick while one runs leaves it to the next tick.
    if (sweeping)
        return;
    sweeping = true;
    currentRow = 0;
    rowWords.clear();
    askRow();
}

// A port that went away ends monitoring; the link tells the user, the window shows that it
// stopped.
void MonitorWindow::linkLost()
{
    stopSweep();
    if (!monitoring)
        return;
    endMonitoring();
    ui->label_state->setText(tr("通讯中断，监控已停止"));
}

// Asks for the current row's read; the sweep ends after the last row.
void MonitorWindow::askRow()
{
    if (!serialOpen) {
        linkLost();
        return;
    }
    if (currentRow >= model->rowCount()) {
        sweeping = false;
        return;
    }
    replyOk = false;
    const QByteArray address = monitorRegister();
    const int type = model->index(currentRow, TypeColumn).data(Qt::EditRole).toInt();
    const QByteArray count = MonitorDecoding::countOf(type);
    if (!count.isEmpty())
        rowWords = count;
    const int words = qMax(1, rowWords.toInt(nullptr, 16));
    const QByteArray asked = rowWords;
    awaitingRow = currentRow;
    if (!turn->ask([&] { emit readSerial(address, asked, 2); }, LinkTiming::readLimitMs(RowWaitMs, words))) {
        // The link took nothing: the sweep cannot go on.
        stopSweep();
        return;
    }
    rowTicket = LineTickets::lastTaken();
}

// The current row's read has ended, answered or not; the next row's read follows.
void MonitorWindow::rowEnded()
{
    const int row = awaitingRow;
    awaitingRow = -1;
    rowTicket = 0;
    // An unanswered row shows no value rather than the last one as if it were current.
    if (!replyOk)
        model->setData(model->index(row, ValueColumn), UnreadValue::text(), Qt::EditRole);
    emit treeViewOK(replyOk);
    ++currentRow;
    askRow();
}

// The sweep ends where it stands: its read is taken back if it still waits its turn, and an
// answer to it that still comes lands nowhere.
void MonitorWindow::stopSweep()
{
    turn->drop();
    sweeping = false;
    awaitingRow = -1;
    rowTicket = 0;
}

void MonitorWindow::receiveMonitorData(QVector<QString> words)
{
    qCDebug(linkLog) << "monitor answer" << words;
    if (driverChoice != 0)
        return;
    // The link finishes a request just before it hands over its answer: an answer to a read
    // of an ended sweep comes while the row's own read still waits behind it.
    if (awaitingRow < 0 || rowTicket == 0 || !LineTickets::isFinished(rowTicket) || replyOk)
        return;
    const QModelIndex cell = model->index(awaitingRow, ValueColumn);
    if (!cell.isValid())
        return;
    const int type = model->index(awaitingRow, TypeColumn).data(Qt::EditRole).toInt();
    const QVariant value = MonitorDecoding::decode(type, words);
    // An answer that does not fit the row is not taken: the row then shows that it was not read.
    if (!value.isValid())
        return;
    model->setData(cell, value, Qt::EditRole);
    replyOk = true;
}

void MonitorWindow::showMonitor()
{
    readDriverChoice();
    setTable(tableOfLanguage());
    applyColumns();
    if (!serialOpen) {
        show();
        return;
    }
    emit sendThis(this);
    on_pushButton_startMonitor_clicked();
}

void MonitorWindow::on_pushButton_startMonitor_clicked()
{
    if (!serialOpen) {
        reportLinkDown();
        timer->stop();
        return;
    }
    ui->pushButton_startMonitor->setEnabled(false);
    ui->label_state->clear();
    emit stopMainWindowQuery();
    monitoring = true;
    pollAll();
    if (monitoring)
        timer->start(SweepIntervalMs);
}

void MonitorWindow::endMonitoring()
{
    monitoring = false;
    timer->stop();
    stopSweep();
    ui->pushButton_startMonitor->setEnabled(true);
    emit startMainWindowQuery();
}

void MonitorWindow::on_pushButton_endMonitor_clicked()
{
    endMonitoring();
}

void MonitorWindow::setSerialOpen(bool open)
{
    serialOpen = open;
    // Values read before a lost link are not the drive's now; a new connection starts
    // without the note of the old one's end.
    if (!open) {
        linkLost();
        clearValues();
    } else if (!monitoring)
        ui->label_state->clear();
    ui->pushButton_startMonitor->setEnabled(open);
    ui->pushButton_endMonitor->setEnabled(open);
}

void MonitorWindow::setOnline(bool online)
{
    ui->pushButton_startMonitor->setEnabled(online);
    ui->pushButton_endMonitor->setEnabled(online);
}

void MonitorWindow::closeMonitor()
{
    monitoring = false;
    timer->stop();
    stopSweep();
    emit removeMonitor(this);
    ui->pushButton_startMonitor->setEnabled(true);
    close();
}

void MonitorWindow::loadTreeChinese()
{
    setTable(QStringLiteral(":/monitor.txt"));
    ui->label_state->clear();
    applyColumns();
    update();
    close();
}

void MonitorWindow::loadTreeEnglish()
{
    setTable(QStringLiteral(":/monitor_EN.txt"));
    ui->label_state->clear();
    applyColumns();
    update();
    close();
}

void MonitorWindow::closeEvent(QCloseEvent *event)
{
    endMonitoring();
    event->accept();
}

void MonitorWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        setWindowTitle(QCoreApplication::translate("MonitorWindow", "监控"));
        ui->pushButton_startMonitor->setText(QCoreApplication::translate("MonitorWindow", "开始监控"));
        ui->pushButton_endMonitor->setText(QCoreApplication::translate("MonitorWindow", "结束监控"));
        return;
    }
    QWidget::changeEvent(event);
}
