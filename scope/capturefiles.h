#ifndef CAPTUREFILES_H
#define CAPTUREFILES_H

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

// The capture window's files, without widgets or message boxes.
//
// ".Static": line 1 the time of saving, line 2 the drive model, line 3 a label, line 4 the
// capture settings, line 5 a label, then per trace a label line, a name line and a values line
// (VR family: CH1, IO1, CH2, IO2, CH3, IO3, CH4, IO4, 29 lines; HXQ family: CH1, CH2, 11 lines).
// Fields are separated by ","; every value is followed by ",". Readers find each item by its
// line number and skip the label lines.
//
// ".QCS": eight lines "n<TAB>v<TAB>v<TAB>...", CH1, IO1, CH2, IO2, CH3, IO3, CH4, IO4, with a
// line feed after lines 1 to 7 and none after line 8.
namespace CaptureFiles {

enum Family { Vr = 0, Hxq = 1 };

// One capture as the file holds it.
struct StaticCapture {
    int family = Vr;
    QString stamp; // line 1
    QString model; // line 2
    // VR: interval, trigger combination, trigger 1 type, source, level, trigger 2 type,
    // source, level, pre-trigger count. HXQ: interval, trigger mode, threshold.
    QStringList settings;
    // The selection-box texts and values of each trace in file order (VR: CH1, IO1, CH2, IO2,
    // ...; HXQ: CH1, CH2).
    QStringList names;
    QVector<QVector<int>> values;
};

int staticLineCount(int family);
int settingsFieldCount(int family);
int traceCount(int family);

// The file's text, every line ending with "\n". `settingsLabel` and `valueLabel` are the
// (translated) texts of lines 3 and 5.
QString formatStatic(const StaticCapture &capture, const QString &settingsLabel, const QString &valueLabel);

enum class Problem {
    None,
    EndsEarly,      // fewer lines than the family's layout
    EndsInsideLine, // the text stops without a line end inside a values line, after no comma
    TooManyLines,   // more (non-empty) lines than the family's layout
    OtherFamily,    // a sound file in the layout of the other family
    NotCaptureFile, // lines in the wrong number, and line 4 no settings line of the family
    ShortSettings,  // the settings line has too few fields
    BadSetting,     // a number of the settings line is no integer or out of its range
    MissingName,    // a name line without text
    BadValue,       // a values line holds a field that is no integer of the trace's width
    ShortTrace,     // a values line holds fewer values than a trace draws
    UnknownName,    // a name the window's lists do not offer (the window finds these)
};

struct StaticParse {
    Problem problem = Problem::None;
    int line = 0;       // the 1-based line it failed on
    QString field;      // the field that was refused, if any
    StaticCapture capture;
    bool ok() const { return problem == Problem::None; }
};

// True when every trace's values line is empty: a file saved before any capture, holding the
// settings and names only.
bool holdsNoValues(const StaticCapture &capture);

// Parses the whole text for `family`; only a sound file comes back ok. LF or CR LF line ends;
// empty fields are dropped; fields after the last one the layout names are ignored.
StaticParse parseStatic(const QString &text, int family);

// Fails the parse on the first trace holding fewer than `points` values, naming its values line
// and its name: a capture is shown whole or not at all.
void requireValues(StaticParse *parse, int points);

// One sentence saying why and where a parse failed (context "CaptureFiles").
QString describe(const StaticParse &parse);

// The quick-change text of eight traces (CH1, IO1, CH2, IO2, CH3, IO3, CH4, IO4).
QString formatQuickChange(const QVector<QVector<int>> &traces);

// "yyyy-MM-dd_hh-mm-ss"
QString timeStamp(const QDateTime &when);
// What a save dialog proposes: the last folder, the stamp, the model, "-" and `name`.
QString defaultFileName(const QString &lastFolder, const QDateTime &when, const QString &model,
                        const QString &name);
bool readTextFile(const QString &path, QString *text, QString *errorText);

} // namespace CaptureFiles

#endif // CAPTUREFILES_H
