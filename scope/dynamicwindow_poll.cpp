// The live trend's tick: the reads through the trend's turn on the line, their answers, and the
// point drawn from them.

#include "dynamicwindow.h"
#include "ui_dynamicwindow.h"

#include "axistag.h"
#include "pollturn.h"

#include <QTimer>

#include <cmath>
#include <limits>

void dynamicWindow::timerSlot()
{
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
    if (!serialOpen) {
        noteAnswer(true);
        return;
    }
    readDataFromSerial();
}

// A tick asks for CH1's read and returns; the read's end asks for CH2's (readEnded). A closed
// port gets no requests (the link would answer each with a box), and a read still out (a slow
// drive) skips the tick rather than stacking another read behind it.
void dynamicWindow::readDataFromSerial()
{
    if (serialOpen)
        askChannel(1, ui->comboBox_CH1->currentIndex());
}

bool dynamicWindow::askChannel(int channelNumber, int boxIndex)
{
    // The read out keeps its channel and word count until it has ended.
    if (readTurn->waiting())
        return false;
    const LiveTrend::Channel c = LiveTrend::channel(boxIndex);
    pendingChannel = channelNumber;
    roundChannel = channelNumber;
    wordCount = c.words;
    replyReceived = false;
    if (channelNumber == 1)
        freshCH1 = false;
    if (readTurn->ask([&] { emit readDynamicData(QByteArray(c.address), LiveTrend::countText(c.words)); }))
        return true;
    pendingChannel = roundChannel = wordCount = 0;
    return false;
}

// The link has finished with the read: answered, or given up. A reply that comes after this
// is not taken.
void dynamicWindow::readEnded()
{
    const int channel = roundChannel;
    const bool answered = replyReceived;
    pendingChannel = roundChannel = wordCount = 0;
    replyReceived = false;
    if (channel != 1)
        return;
    noteAnswer(answered || !serialOpen);
    // A read without an answer draws nothing: the curve holds only values the drive gave, and
    // what is saved is what was drawn. CH1 may have been switched off, or another variable
    // chosen, while its read was out: then nothing of that read is drawn.
    const bool draw = freshCH1 && graphCH1 && tagCH1 && ui->checkBox_CH1->isChecked();
    freshCH1 = false;
    if (draw) {
        appendHistory(valueCH1);
        plotPoint();
    }
    // The hidden CH2 read follows an answered CH1 read while the trend runs; a drive that left
    // CH1 unanswered is not asked again before the next tick.
    if (answered && serialOpen && trendTimer->isActive())
        askChannel(2, ui->comboBox_CH2->currentIndex());
}

void dynamicWindow::noteAnswer(bool answered)
{
    switch (silence.count(answered)) {
    case LiveTrend::SilentReads::Note::Show:
        setWindowTitle(tr("DynamicWindow") + QStringLiteral(" - ") + tr("驱动器无应答,曲线已暂停更新"));
        break;
    case LiveTrend::SilentReads::Note::Hide:
        setWindowTitle(tr("DynamicWindow"));
        break;
    case LiveTrend::SilentReads::Note::Unchanged:
        break;
    }
}

void dynamicWindow::readGraphDataRecieve(QVector<QString> words)
{
    qint32 value = 0;
    if (!LiveTrend::decodeValue(words, wordCount, &value))
        return;
    // Answered: a second reply to the same read is not taken. A read of a variable no longer
    // chosen (pendingChannel cleared) is answered, but its value goes nowhere.
    wordCount = 0;
    replyReceived = true;
    if (pendingChannel == 1) {
        valueCH1 = value;
        freshCH1 = true;
    } else if (pendingChannel == 2) {
        valueCH2 = value;
    }
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
