// The capture plot: eight traces (four channels, four I/O signals), each on a value axis of
// its own in its colour, and what the user does with the plot: the read-out under the mouse,
// "Replot", "Full screen" and the fixed axis ranges.

#include "staticwindow.h"
#include "ui_staticwindow.h"

#include "capturecatalogue.h"

#include <QMouseEvent>
#include <QToolTip>

#include <cmath>

namespace {

struct Trace
{
    QCPGraph *staticWindow::*handle;
    QCheckBox *Ui::staticWindow::*check;
    QComboBox *Ui::staticWindow::*box;
    QVector<int> staticWindow::*values; // the channels
    QVector<short> staticWindow::*states; // the I/O signals
    const char *prefix;
    QCPAxis::AxisType side;
    int axisIndex; // 0: yAxis / yAxis2, shown from the start; 1 to 3: shown while drawn
    const char *colour;
    int penWidth;
    const char *incomplete;
};

using W = staticWindow;
using U = Ui::staticWindow;
const Trace traces[] = {
    {&W::graphCH1, &U::checkBox_CH1, &U::comboBox_CH1, &W::dataCH1, nullptr, "CH1:", QCPAxis::atLeft, 0,
     "#ff00ff", 1, QT_TRANSLATE_NOOP("staticWindow", "数据CH1未完成")},
    {&W::graphCH2, &U::checkBox_CH2, &U::comboBox_CH2, &W::dataCH2, nullptr, "CH2:", QCPAxis::atRight, 0,
     "#60cc00", 1, QT_TRANSLATE_NOOP("staticWindow", "数据CH2未完成")},
    {&W::graphCH3, &U::checkBox_CH3, &U::comboBox_CH3, &W::dataCH3, nullptr, "CH3:", QCPAxis::atLeft, 1,
     "#FFA100", 1, QT_TRANSLATE_NOOP("staticWindow", "数据CH3未完成")},
    {&W::graphCH4, &U::checkBox_CH4, &U::comboBox_CH4, &W::dataCH4, nullptr, "CH4:", QCPAxis::atRight, 1,
     "#ff0000", 1, QT_TRANSLATE_NOOP("staticWindow", "数据CH4未完成")},
    {&W::graphIO1, &U::checkBox_CH1_IO, &U::comboBox_CH1_IO, nullptr, &W::dataIO1, "IO1:", QCPAxis::atLeft, 2,
     "#c8aa69", 2, QT_TRANSLATE_NOOP("staticWindow", "数据IO1未完成")},
    {&W::graphIO2, &U::checkBox_CH2_IO, &U::comboBox_CH2_IO, nullptr, &W::dataIO2, "IO2:", QCPAxis::atRight, 2,
     "#00ffff", 2, QT_TRANSLATE_NOOP("staticWindow", "数据IO2未完成")},
    {&W::graphIO3, &U::checkBox_CH3_IO, &U::comboBox_CH3_IO, nullptr, &W::dataIO3, "IO3:", QCPAxis::atLeft, 3,
     "#00aa7f", 2, QT_TRANSLATE_NOOP("staticWindow", "数据IO3未完成")},
    {&W::graphIO4, &U::checkBox_CH4_IO, &U::comboBox_CH4_IO, nullptr, &W::dataIO4, "IO4:", QCPAxis::atRight, 3,
     "#ba89ff", 2, QT_TRANSLATE_NOOP("staticWindow", "数据IO4未完成")},
};
constexpr int traceCount = int(sizeof(traces) / sizeof(traces[0]));

QPen colourPen(const QColor &colour, int width)
{
    return QPen(QBrush(colour), width, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
}

// Rounds to the nearest integer, halves upward.
int nearest(double value)
{
    return int(std::floor(value + 0.5));
}

} // namespace

void staticWindow::channelOne() { drawTrace(0); }
void staticWindow::channelTwo() { drawTrace(1); }
void staticWindow::channelThree() { drawTrace(2); }
void staticWindow::channelFour() { drawTrace(3); }
void staticWindow::channelOne_IO() { drawTrace(4); }
void staticWindow::channelTwo_IO() { drawTrace(5); }
void staticWindow::channelThree_IO() { drawTrace(6); }
void staticWindow::channelFour_IO() { drawTrace(7); }

void staticWindow::redrawCheckedTraces()
{
    // One replot for all of them, not one per trace.
    redrawingTraces = true;
    for (int t = 0; t < traceCount; ++t) {
        if ((ui->*traces[t].check)->isChecked())
            drawTrace(t);
    }
    redrawingTraces = false;
    ui->widget_Static->replot();
}

// No data: no trace stands, and no axis of one.
void staticWindow::removeAllTraces()
{
    for (const Trace &trace : traces) {
        removeTraceGraph(this->*trace.handle);
        if (trace.axisIndex > 0)
            ui->widget_Static->axisRect(0)->axis(trace.side, trace.axisIndex)->setVisible(false);
    }
    ui->widget_Static->replot();
}

// Takes the trace's own graph out of the plot and forgets it; a handle that no longer points
// to a graph of the plot is only forgotten.
void staticWindow::removeTraceGraph(QCPGraph *&handle)
{
    if (handle && ui->widget_Static->hasPlottable(handle))
        ui->widget_Static->removeGraph(handle);
    handle = nullptr;
}

void staticWindow::drawTrace(int t)
{
    const Trace &trace = traces[t];
    QCustomPlot *plot = ui->widget_Static;
    QCPAxis *valueAxis = plot->axisRect(0)->axis(trace.side, trace.axisIndex);
    QCPGraph *&handle = this->*trace.handle;

    if (!(ui->*trace.check)->isChecked()) {
        removeTraceGraph(handle);
        if (trace.axisIndex > 0)
            valueAxis->setVisible(false);
        if (!redrawingTraces)
            plot->replot();
        return;
    }

    const QString name = QLatin1String(trace.prefix) + traceName(t);
    if (trace.axisIndex > 0)
        valueAxis->setLabel(name);
    // One sample every interval x 125 µs: the interval the capture shown was taken or loaded
    // under; before any capture, the form's.
    const CaptureSetup shown = shownSetup();
    const int interval = driverChoice == 0 ? shown.interval : shown.hxqTime;
    plot->xAxis->setLabel(QStringLiteral("Time: 125μs*") + QString::number(interval));

    const int n = sampleWidth == 2 ? 500 : 1000;
    const int available = trace.values ? (this->*trace.values).size() : (this->*trace.states).size();
    if (available < n) {
        // The curve of an earlier capture must not stand under this capture's name.
        removeTraceGraph(handle);
        if (trace.axisIndex > 0)
            valueAxis->setVisible(false);
        if (!redrawingTraces)
            plot->replot();
        tell(tr(trace.incomplete), "capture data incomplete", Box::Information);
        return;
    }
    QVector<QCPGraphData> points(n);
    for (int i = 0; i < n; ++i) {
        points[i].key = i;
        points[i].value = trace.values ? (this->*trace.values).at(i) : (this->*trace.states).at(i);
    }

    const QColor colour(trace.colour);
    valueAxis->setLabelColor(colour);
    valueAxis->setTickLabelColor(colour);
    valueAxis->setBasePen(colourPen(colour, 1));
    valueAxis->setTickPen(colourPen(colour, 1));
    valueAxis->setSubTickPen(colourPen(colour, 1));
    valueAxis->setLabel(name);

    // A redraw replaces the trace's own graph, never another trace's.
    removeTraceGraph(handle);
    handle = plot->addGraph(plot->axisRect(0)->axis(QCPAxis::atBottom, 0), valueAxis);
    handle->data()->set(points, true);
    if (trace.axisIndex > 0)
        valueAxis->setVisible(true);
    handle->setLineStyle(QCPGraph::lsLine);
    handle->setPen(colourPen(colour, trace.penWidth));
    handle->rescaleAxes(false);
    if (!redrawingTraces)
        plot->replot();
}

// The boxes' choices behind the data now held, in trace order (CH1 to CH4, IO1 to IO4): taken
// when a capture starts (kept when it is drawn) or a file is loaded.
QVector<int> staticWindow::boxChoices() const
{
    QVector<int> choices;
    for (const Trace &trace : traces)
        choices.append((ui->*trace.box)->currentIndex());
    return choices;
}

// The name of the data a trace holds: the entry it was captured or loaded under, in the
// language shown now, whatever the box offers since (another access level drops entries).
// Before any data the box's own choice.
QString staticWindow::traceName(int t) const
{
    using namespace CaptureCatalogue;
    const int entry = dataChoices.value(t, -1);
    if (entry < 0)
        return (ui->*traces[t].box)->currentText();
    const Language language = englishLists ? Language::English : Language::Chinese;
    const QVector<const char *> names =
        t < 4 ? channelTexts(dataFamily, language, true, t + 1) : texts(ioSignals(), Language::Chinese, true);
    return entry < names.size() ? tr(names.at(entry)) : QString();
}

void staticWindow::relabelTraceAxes()
{
    QCustomPlot *plot = ui->widget_Static;
    for (int t = 0; t < traceCount; ++t) {
        const Trace &trace = traces[t];
        if (this->*trace.handle)
            plot->axisRect(0)->axis(trace.side, trace.axisIndex)->setLabel(QLatin1String(trace.prefix) + traceName(t));
    }
    plot->replot();
}

void staticWindow::myMouseMoveEvent(QMouseEvent *event)
{
    QCustomPlot *plot = ui->widget_Static;
    if (plot->graphCount() == 0)
        return;
    const double key = plot->xAxis->pixelToCoord(nearest(event->localPos().x()));
    const int i = int(float(key));
    if (i < 0 || i >= dataCH1.size())
        return;
    // Only the channels that hold a sample at i: after an HXQ capture CH3 and CH4 hold none.
    const struct {
        const char *prefix;
        const char *format;
        const QVector<int> &values;
    } channels[] = {{"CH1:", QT_TR_NOOP("(%1, %2)"), dataCH1},
                    {"CH2:", QT_TR_NOOP("(%3, %4)"), dataCH2},
                    {"CH3:", QT_TR_NOOP("(%5, %6)"), dataCH3},
                    {"CH4:", QT_TR_NOOP("(%7, %8)"), dataCH4}};
    QStringList lines;
    for (const auto &channel : channels) {
        if (i < channel.values.size())
            lines << QLatin1String(channel.prefix) + tr(channel.format).arg(i).arg(channel.values.at(i));
    }
    const QPointF screen = event->screenPos();
    QToolTip::showText(QPoint(nearest(screen.x()), nearest(screen.y())), lines.join(QLatin1Char('\n')),
                       ui->widget_Static);
}

void staticWindow::on_pushButton_Reset_clicked()
{
    ui->widget_Static->rescaleAxes(false);
    ui->widget_Static->replot();
}

void staticWindow::on_pushButton_FullScreen_clicked()
{
    ui->tabWidget->setVisible(ui->tabWidget->isHidden());
}

void staticWindow::on_checkBox_fixed_clicked()
{
    if (!ui->checkBox_fixed->isChecked())
        return;
    QCustomPlot *plot = ui->widget_Static;
    QCPAxisRect *rect = plot->axisRect(0);
    const struct {
        QCPAxis *axis;
        QSpinBox *lower;
        QSpinBox *upper;
    } ranges[] = {{plot->yAxis, ui->spinBox_CH1_1, ui->spinBox_CH1_2},
                  {plot->yAxis2, ui->spinBox_CH2_1, ui->spinBox_CH2_2},
                  {rect->axis(QCPAxis::atLeft, 1), ui->spinBox_CH3_1, ui->spinBox_CH3_2},
                  {rect->axis(QCPAxis::atRight, 1), ui->spinBox_CH4_1, ui->spinBox_CH4_2},
                  {plot->xAxis, ui->spinBox_X_1, ui->spinBox_X_2}};
    for (const auto &range : ranges)
        range.axis->setRange(range.lower->value(), range.upper->value());
    ui->spinBox_X_3->setValue(ui->spinBox_X_1->value());
    ui->spinBox_X_4->setValue(ui->spinBox_X_2->value());
    plot->replot();
}
