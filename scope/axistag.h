#ifndef AXISTAG_H
#define AXISTAG_H

#include <QBrush>
#include <QObject>
#include <QPen>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <qcustomplot.h>

// A value tag beside a plot axis: a text box outside the axis rectangle, joined to the axis by
// a short arrow whose head touches the axis at the tagged value. The three plot items hang on
// each other's anchors, so moving the invisible tracer moves the whole tag. The plot owns the
// items; if it removes them first (clearItems), the tag's guarded pointers go empty and every
// operation of the tag then does nothing.
class axisTag : public QObject
{
    Q_OBJECT

public:
    explicit axisTag(QCPAxis *parentAxis);
    ~axisTag() override;

    void setPen(const QPen &pen);
    void setBrush(const QBrush &brush);
    void setText(const QString &text);
    void moveToValue(double value);
    // Keeps the axis rectangle's right margin wide enough for a tag showing the widest of these
    // texts, so that the tag stays inside the plot (the margin grows further when the axis
    // itself needs more).
    void makeRoomFor(const QStringList &texts);

    QCPItemTracer *tracerItem() const { return tracer; }
    QCPItemLine *arrowItem() const { return arrow; }
    QCPItemText *labelItem() const { return label; }

private:
    QCPAxis *axis;
    QPointer<QCPItemTracer> tracer;
    QPointer<QCPItemLine> arrow;
    QPointer<QCPItemText> label;
};

#endif // AXISTAG_H
