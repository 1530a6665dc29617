#ifndef PARAMETERCATALOGUE_H
#define PARAMETERCATALOGUE_H

#include <QPair>
#include <QString>
#include <QVector>

// Which catalogue resource belongs to a drive family and language, how its parameter rows
// split over the group tabs, and reading it. No widgets.
namespace ParameterCatalogue {

// ":/English_New.txt" / ":/defaults_New.txt" for family 0, ":/English_t.txt" / ":/defaults.txt"
// for any other family; language 0 is English, anything else Chinese.
QString resource(int family, int language);

// The whole resource decoded from UTF-8; an empty text when it cannot be opened.
QString readText(const QString &resource);

// The parameter-row ranges (first, last; last -1 = to the end) of the seven group tabs
// "PA0xx", "PA1xx", ..., "PA6/7xx". Empty for a family other than 0 and 1.
QVector<QPair<int, int>> groupRanges(int family);

// True when the parameter row lies in the range.
inline bool inRange(const QPair<int, int> &range, int row)
{
    return row >= range.first && (range.second < 0 || row <= range.second);
}

} // namespace ParameterCatalogue

#endif // PARAMETERCATALOGUE_H
