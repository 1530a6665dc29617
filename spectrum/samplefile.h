#ifndef SAMPLEFILE_H
#define SAMPLEFILE_H

#include <QString>
#include <QVector>

class QIODevice;

// The spectrum sample file ".fft": eight text lines (date, drive model, 125, the multiplier, the
// channel, a caption, "CH1:", the samples each followed by ","). The reader takes only line 4 (the
// multiplier) and line 8 (the samples) from any text file of that layout, ".Static" capture files
// included. No widgets: the window decides what to show.
namespace SampleFile {

constexpr int kMaxSamples = 1024;

struct Contents {
    enum Status { Ok, TooManySamples, NoSamples };
    Status status = NoSamples;
    bool hasMultiplier = false; // line 4 held a field
    int multiplier = 0;         // its first field as a decimal number (0 when it is none)
    QVector<int> samples;       // line 8, empty fields skipped, at most kMaxSamples
};

Contents read(QIODevice *device);
Contents readText(const QString &text);

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
