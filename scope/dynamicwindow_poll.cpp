// The live trend's tick: the two reads with their bounded waits, the answers, and the point
// drawn from them.

#include "dynamicwindow.h"
#include "ui_dynamicwindow.h"

#include "axistag.h"
#include "boundedwait.h"
#include "linktiming.h"

#include <QTimer>

#include <cmath>
#include <limits>

namespace {

// Marks a tick as running for as long as it lasts.
struct TickGuard
{
    explicit TickGuard(bool &flag) : flag(flag) { flag = true; }
    ~TickGuard() { flag = false; }
    bool &flag;
};

} // namespace

void dynamicWindow::timerSlot()
{
    if (ticking)
        return;
    TickGuard guard(ticking);

    // Nobody sees a hidden trend: it rests as a closed one does until it is shown again.
    if (!isVisible()) {
        on_pushButton_pause_clicked();
        return;
    }
    if (!ui->checkBox_CH1->isChecked()) {
        if (graphCH1)
            ui->widget_Dynamic->removeGraph(graphCH1);
        return;
    }
    freshCH1 = false;
    readDataFromSerial();
    noteAnswer(freshCH1 || !serialOpen);
    // CH1 may have been switched off while the tick waited: nothing of it is left to draw on.
    // A tick without an answer draws nothing: the curve holds only values the drive gave, and
    // what is saved is what was drawn.
    if (!freshCH1 || !graphCH1 || !tagCH1 || !ui->checkBox_CH1->isChecked())
        return;
    appendHistory(valueCH1);
    plotPoint();
}

// After SilentTicks ticks in a row without an answer the window says, once, that the drive is
// silent; the first answer takes the note away.
void dynamicWindow::noteAnswer(bool answered)
{
    if (answered) {
        if (missedTicks >= SilentTicks)
            setWindowTitle(tr("DynamicWindow"));
        missedTicks = 0;
        return;
    }
    if (++missedTicks == SilentTicks)
        setWindowTitle(tr("DynamicWindow") + QStringLiteral(" - ") + tr("驱动器无应答,曲线已暂停更新"));
}

void dynamicWindow::readDataFromSerial()
{
    // A closed port gets no requests (the link would answer each with a box), and the value
    // stays as it was.
    if (!serialOpen)
        return;
    readChannel(1, ui->comboBox_CH1->currentIndex());
    readChannel(2, ui->comboBox_CH2->currentIndex());
}

// The tick waits for its own answer, however slow the drive: ticks that come meanwhile are
// skipped, not stacked, and a reply the link gave up on is never taken.
void dynamicWindow::readChannel(int channelNumber, int boxIndex)
{
    if (!serialOpen)
        return;
    const LiveTrend::Channel c = LiveTrend::channel(boxIndex);
    pendingChannel = channelNumber;
    wordCount = c.words;
    replyReceived = false;
    emit readDynamicData(QByteArray(c.address), LiveTrend::countText(c.words));
    BoundedWait::forReply([this] { return replyReceived || !serialOpen; }, LinkTiming::readLimitMs(ReplyWaitMs, c.words));
    pendingChannel = 0;
}

void dynamicWindow::readGraphDataRecieve(QVector<QString> words)
{
    qint32 value = 0;
    if (!LiveTrend::decodeValue(words, wordCount, &value))
        return;
    if (pendingChannel == 1) {
        valueCH1 = value;
        freshCH1 = true;
    } else if (pendingChannel == 2) {
        valueCH2 = value;
    }
    // Answered: a second reply to the same read is not taken.
    wordCount = 0;
    replyReceived = true;
}

void dynamicWindow::appendHistory(int value)
{
    history.append(value);
}

void dynamicWindow::plotPoint()
{
    if (!graphCH1)
        return;
    QCustomPlot *plot = ui->widget_Dynamic;
    QSharedPointer<QCPGraphDataContainer> data = graphCH1->data();
    const bool newCurve = data->isEmpty();
    const double key = newCurve ? 0 : (data->constEnd() - 1)->key + 1;
    graphCH1->addData(key, valueCH1);
    // Old points no view needs are dropped, so a tick costs the same however long the trend ran.
    const double keepFrom = LiveTrend::keepFromKey(data->size(), key);
    if (std::isfinite(keepFrom))
        data->removeBefore(keepFrom);

    plot->xAxis->rescale();
    // The axis only widens while a curve runs; a new curve (another variable) starts afresh,
    // around its own first value: a single value would keep the old variable's span.
    if (newCurve)
        graphCH1->valueAxis()->setRange(double(valueCH1) - 1, double(valueCH1) + 1);
    else
        graphCH1->rescaleValueAxis(true, true);
    plot->xAxis->setRange(plot->xAxis->range().upper, 100, Qt::AlignRight);

    const double last = graphCH1->dataMainValue(graphCH1->dataCount() - 1);
    if (tagCH1) {
        const QString text = QString::number(last, 'f', 2);
        tagCH1->moveToValue(last);
        tagCH1->setText(text);
        // Room for the widest value the axis shows (a drive value never leaves 32 bits, however
        // far the axis is zoomed out), so the margin does not jump at every tick.
        const QCPRange range = graphCH1->valueAxis()->range();
        const auto end = [](double v) {
            const double bounded = qBound(double(std::numeric_limits<qint32>::min()), v,
                                          double(std::numeric_limits<qint32>::max()));
            return QString::number(bounded, 'f', 2);
        };
        tagCH1->makeRoomFor({text, end(range.lower), end(range.upper)});
    }
    plot->replot();
    on_checkBox_Fixed_clicked();
}
