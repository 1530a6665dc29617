#ifndef LANGUAGESWITCHER_H
#define LANGUAGESWITCHER_H

#include <QTranslator>

#include <memory>

// The one place that swaps the running program's translation. It owns the translator that a
// language switch loads. The start-up translator of main is handed over with
// adoptStartupTranslator and taken out at the first switch: left behind the new one, it would
// answer every text the new file leaves as its source (a Chinese source would come back in
// English after a switch to Chinese).
// Installing sends a language-change event to every window, which relabels its form
// (changeEvent / retranslateUi).
class LanguageSwitcher
{
public:
    LanguageSwitcher() = default;
    ~LanguageSwitcher();
    LanguageSwitcher(const LanguageSwitcher &) = delete;
    LanguageSwitcher &operator=(const LanguageSwitcher &) = delete;

    // 0 English, anything else Chinese. Returns whether the translation loaded; a translation
    // that does not load leaves the texts as they were.
    bool switchTo(int language);

    // The translator main installed at start (main keeps owning it).
    static void adoptStartupTranslator(QTranslator *startup);

    // Writes the choice to "language.ini", "config/languageChoose".
    static void saveLanguageChoice(int language);

private:
    std::unique_ptr<QTranslator> translator;
};

#endif // LANGUAGESWITCHER_H
