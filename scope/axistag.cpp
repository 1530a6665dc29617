#include "axistag.h"

#include <QFontMetrics>

#include <qcustomplot.h>

namespace {
// How far the box stands off the axis: the arrow's length.
const int kArrowLength = 15;
}

axisTag::axisTag(QCPAxis *parentAxis)
    : QObject(parentAxis)
    , axis(parentAxis)
{
    QCustomPlot *plot = axis->parentPlot();

    // The invisible anchor: the right edge of the axis rectangle, at a value of the axis.
    tracer = new QCPItemTracer(plot);
    tracer->setVisible(false);
    tracer->position->setTypeX(QCPItemPosition::ptAxisRectRatio);
    tracer->position->setTypeY(QCPItemPosition::ptPlotCoords);
    tracer->position->setAxisRect(axis->axisRect());
    tracer->position->setAxes(nullptr, axis);
    tracer->position->setCoords(1, 0);

    // The arrow: head on the tracer, tail 15 pixels to its right; drawn outside the axis rectangle.
    arrow = new QCPItemLine(plot);
    arrow->setLayer(QStringLiteral("overlay"));
    arrow->setClipAxisRect(nullptr);
    arrow->setHead(QCPLineEnding(QCPLineEnding::esSpikeArrow, 8, 10, false));
    arrow->end->setParentAnchor(tracer->position);
    arrow->start->setParentAnchor(arrow->end);
    arrow->start->setCoords(kArrowLength, 0);

    // The box, its top-left corner at the arrow's tail.
    label = new QCPItemText(plot);
    label->setLayer(QStringLiteral("overlay"));
    label->setClipAxisRect(nullptr);
    label->setPadding(QMargins(3, 0, 3, 0));
    label->setBrush(QBrush(Qt::white));
    label->setPen(QPen(Qt::blue));
    label->setPositionAlignment(Qt::AlignLeft);
    label->position->setParentAnchor(arrow->start);
}

axisTag::~axisTag()
{
    // Items the plot has already cleared are gone; the rest leave the plot here.
    if (tracer)
        tracer->parentPlot()->removeItem(tracer);
    if (arrow)
        arrow->parentPlot()->removeItem(arrow);
    if (label)
        label->parentPlot()->removeItem(label);
}

void axisTag::setPen(const QPen &pen)
{
    if (arrow)
        arrow->setPen(pen);
    if (label)
        label->setPen(pen);
}

void axisTag::setBrush(const QBrush &brush)
{
    if (label)
        label->setBrush(brush);
}

void axisTag::setText(const QString &text)
{
    if (label)
        label->setText(text);
}

void axisTag::moveToValue(double value)
{
    if (tracer)
        tracer->position->setCoords(1, value);
    // The head touches the axis line, which may stand off the axis rectangle.
    if (arrow)
        arrow->end->setCoords(axis->offset(), 0);
}

void axisTag::makeRoomFor(const QStringList &texts)
{
    if (!label)
        return;
    const QFontMetrics metrics(label->font());
    int widest = 0;
    for (const QString &text : texts)
        widest = qMax(widest, metrics.horizontalAdvance(text));
    const QMargins padding = label->padding();
    // The box's frame is drawn on its edge; a pixel more keeps it off the plot's edge.
    const int room = axis->offset() + kArrowLength + padding.left() + widest + padding.right()
        + qCeil(label->pen().widthF()) + 2;
    // The tag stands at the rectangle's right edge.
    QCPAxisRect *rect = axis->axisRect();
    QMargins margins = rect->minimumMargins();
    margins.setRight(room);
    rect->setMinimumMargins(margins);
}
