#ifndef PLOTLOOK_H
#define PLOTLOOK_H

#include <QLinearGradient>

// The dark look every plot of the program shares: a grey background fading downwards, and a
// darker fade behind the axes.
namespace PlotLook {

QLinearGradient background();
QLinearGradient axisBackground();

} // namespace PlotLook

#endif // PLOTLOOK_H
