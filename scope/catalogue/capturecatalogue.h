#ifndef CAPTURECATALOGUE_H
#define CAPTURECATALOGUE_H

#include <QString>
#include <QVector>

// The entries of the capture window's selection boxes: the channel lists of both drive
// families, the I/O signal list and the short trigger lists, each with its Chinese and its
// English text. The position of an entry is its meaning (the sampler coding turns positions
// into drive codes), so both languages hold the same entries in the same order. Capture files
// select entries by text, so every text stays exactly as it is here, typos included.
//
// The texts are source texts: the window passes each one through its translation lookup
// (context "staticWindow") when it adds it to a box.
namespace CaptureCatalogue {

enum class Language { Chinese, English };

struct Entry
{
    const char *chinese;
    const char *english;
};

// One list: all its entries, and how many of them are offered without the first access level.
struct List
{
    const Entry *entries;
    int count;
    int reducedCount;

    int offered(bool access) const { return access ? count : reducedCount; }
};

List vrChannels();          // 32 entries, 16 without the access level
List hxqChannels();         // 29 entries, 11 without the access level
List ioSignals();           // 41 names (the same in both languages), 34 without the access level
List triggerConditions();   // 6
List triggerSources();      // 6; position 5 is "I/O"
List triggerCombinations(); // 3
List triggerKinds();        // 2
List hxqTriggerModes();     // 4

// The texts a box receives, in order: the first offered(access) entries in the language.
QVector<const char *> texts(const List &list, Language language, bool access = true);

// The channel list of a drive family (0 the VR family, anything else the HXQ family) as
// channel box 1 to 4 receives it. In English the fourth box writes HXQ entry 27 with two
// blanks ("Flow  given"); capture files saved from that box name it so.
QVector<const char *> channelTexts(int family, Language language, bool access, int box);

// The position of the entry whose text is `text` in either language, as source text or as the
// translation the boxes show; -1 when no entry of the whole list has it.
int find(const List &list, const QString &text);

// Positions the trigger-source rule and the capture run rely on.
constexpr int triggerSourceIo = 5;
constexpr int levelConditionAbove = 4;
constexpr int levelConditionBelow = 5;

} // namespace CaptureCatalogue

#endif // CAPTURECATALOGUE_H
