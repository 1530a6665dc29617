#include "plotlook.h"

namespace PlotLook {

QLinearGradient background()
{
    QLinearGradient gradient(0, 0, 0, 350);
    gradient.setColorAt(0, QColor(80, 80, 80));
    gradient.setColorAt(1, QColor(50, 50, 50));
    return gradient;
}

QLinearGradient axisBackground()
{
    QLinearGradient gradient(0, 0, 0, 350);
    gradient.setColorAt(0, QColor(80, 80, 80));
    gradient.setColorAt(1, QColor(30, 30, 30));
    return gradient;
}

} // namespace PlotLook
