#include "monitorwindow.h"
#include "ui_monitorwindow.h"

#include <QCloseEvent>
#include <QDebug>
#include <QFile>
#include <QMessageBox>
#include <QScrollBar>
#include <QTimer>

#include "boundedwait.h"
#include "choicefiles.h"
#include "linktiming.h"
#include "monitordecoding.h"
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

    readDriverChoice();
    setTable(tableOfLanguage());

    timer = new QTimer(this);
    // A sweep is 29 exchanges: one that began inside another window's wait would hold that
    // window until the whole sweep had ended, so such a tick is left out.
    connect(timer, &QTimer::timeout, this, [this] {
        if (!BoundedWait::insideAWait())
            pollAll();
    });

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
    QByteArray count;
    for (currentRow = 0; currentRow < model->rowCount(); ++currentRow) {
        // A port that went away ends monitoring; the link tells the user, the window shows
        // that it stopped.
        if (!serialOpen) {
            if (monitoring) {
                endMonitoring();
                ui->label_state->setText(tr("通讯中断，监控已停止"));
            }
            awaitingRow = -1;
            return;
        }
        replyOk = false;
        const QByteArray address = monitorRegister();
        const int type = model->index(currentRow, TypeColumn).data(Qt::EditRole).toInt();
        const QByteArray rowCount = MonitorDecoding::countOf(type);
        if (!rowCount.isEmpty())
            count = rowCount;
        const int row = currentRow;
        awaitingRow = row;
        emit readSerial(address, count, 2);
        const int words = qMax(1, count.toInt(nullptr, 16));
        BoundedWait::forReply([this] { return replyOk; }, LinkTiming::readLimitMs(RowWaitMs, words));
        awaitingRow = -1;
        if (!replyOk) {
            // An unanswered row shows no value rather than the last one as if it were current.
            if (currentRow == row)
                model->setData(model->index(row, ValueColumn), UnreadValue::text(), Qt::EditRole);
        }
        emit treeViewOK(replyOk);
        // A sweep started inside this one's wait has run to the end: nothing is left to read.
        if (currentRow != row)
            return;
    }
}

void MonitorWindow::receiveMonitorData(QVector<QString> words)
{
    qDebug() << "monitor answer" << words;
    if (driverChoice != 0)
        return;
    if (awaitingRow < 0 || awaitingRow != currentRow || replyOk)
        return;
    const QModelIndex cell = model->index(currentRow, ValueColumn);
    if (!cell.isValid())
        return;
    const int type = model->index(currentRow, TypeColumn).data(Qt::EditRole).toInt();
    const QVariant value = MonitorDecoding::decode(type, words);
    // An answer that does not fit the row belongs to another request: the row keeps its value.
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
    if (!open)
        clearValues();
    else if (!monitoring)
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
