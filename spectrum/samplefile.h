#ifndef SAMPLEFILE_H
#define SAMPLEFILE_H

#include <QString>
#include <QVector>

class QIODevice;

// The spectrum sample file ".fft": eight text lines (date, drive model, 125, the multiplier, the
// channel, a caption, "CH1:", the samples each followed by ","). The reader takes line 4 (the
// multiplier) and line 8 (the samples), with the names of line 2 (the model) and of the channel,
// from any text file of that layout, ".Static" capture files included, and refuses the file at the first field that is no usable number. No widgets: the
// window decides what to show.
namespace SampleFile {

// The spectrum is taken over exactly this many samples.
constexpr int kMaxSamples = 1024;
// The sampling interval in units of 125 us, as the window's spin box offers it.
constexpr int kMinMultiplier = 1;
constexpr int kMaxMultiplier = 99;
// No valid line is longer (1024 fields of "-2147483648,"); reading stops beyond it.
constexpr int kMaxLineLength = 16384;

struct Contents {
    enum Status {
        Ok,             // line 8 held exactly kMaxSamples integers
        TooManySamples, // more than kMaxSamples fields, or a line longer than any valid one
        NoSamples,      // fewer than eight lines, or an empty line 8
        BadValue,       // a field of line 4 or 8 is no integer (`line`, `field`)
        BadInterval,    // line 4's first field is an integer outside 1..99 (`line`, `field`)
        TooFewSamples,  // line 8 held fewer than kMaxSamples integers (their count in `count`)
        EndsInsideLine, // the text stops without a line end inside line 8, after no comma
    };
    Status status = NoSamples;
    int line = 0;               // the line refused
    QString field;              // the field refused
    int count = 0;              // the fields of line 8
    bool hasMultiplier = false; // line 4 held a field
    int multiplier = 0;         // its first field
    QVector<int> samples;       // line 8, empty fields skipped; empty unless the status is Ok
    // The name the samples were saved under: line 5 of a spectrum sample file (its line 3 reads
    // "125"), else line 7 (the CH1 name line of a capture file).
    QString channel;
    // Line 2: the drive model they were taken from (in a sample file and a capture file alike).
    QString driveModel;
};

Contents read(QIODevice *device);
Contents readText(const QString &text);

// Why a file was refused, for BadValue, BadInterval, TooFewSamples and EndsInsideLine, in the
// user's language (context "SampleFile"); empty for the other statuses.
QString describe(const Contents &contents);

struct Header {
    QString dateTime;    // "yyyy-MM-dd_hh-mm-ss"
    QString driveModel;
    int multiplier = 1;
    QString channel;     // the channel's name as the list shows it
    QString valueCaption;
    QString channelCaption;
};

// The whole file as text, lines ended by "\n".
QString format(const Header &header, const QVector<int> &samples);

// The name the save dialog proposes: folder, date, model, "-PicData".
QString proposedName(const QString &folder, const QString &dateTime, const QString &driveModel);

// Writes the text whole or not at all; on failure *error holds the reason.
bool save(const QString &path, const QString &text, QString *error);

} // namespace SampleFile

#endif // SAMPLEFILE_H
