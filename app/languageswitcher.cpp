#include "languageswitcher.h"
#include "choicefiles.h"
#include "translation.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>

namespace {
QPointer<QTranslator> startupTranslator;
}

void LanguageSwitcher::adoptStartupTranslator(QTranslator *startup)
{
    startupTranslator = startup;
}

LanguageSwitcher::~LanguageSwitcher()
{
    if (translator)
        QCoreApplication::removeTranslator(translator.get());
}

bool LanguageSwitcher::switchTo(int language)
{
    // Loaded aside first: a file that does not load leaves the installed one (and every text)
    // as it was.
    auto loaded = std::make_unique<QTranslator>();
    if (!loaded->load(translationResource(language), QString(), QString(), QString()))
        return false;
    if (startupTranslator) {
        QCoreApplication::removeTranslator(startupTranslator);
        startupTranslator = nullptr;
    }
    if (translator)
        QCoreApplication::removeTranslator(translator.get());
    translator = std::move(loaded);
    QCoreApplication::installTranslator(translator.get());
    // The application posts the language change to each window; delivered now, every window
    // is relabelled before the caller announces the switch.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    return true;
}

void LanguageSwitcher::saveLanguageChoice(int language)
{
    ChoiceFiles::storeLanguageChoice(language);
}
