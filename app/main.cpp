// Program start: translation, the windows in their fixed creation order with their wiring,
// the style sheet and the event loop. The windows are destroyed in reverse order.

#include <QApplication>
#include <QFile>
#include <QTranslator>

#include "choicefiles.h"
#include "languageswitcher.h"
#include "translation.h"
#include "windowset.h"

int main(int argc, char *argv[])
{
    QApplication a(argc, argv);

    const int language = readLanguageChoice();
    QTranslator translator;
    translator.load(translationResource(language), QString(), QString(), QString());
    a.installTranslator(&translator);
    // A language switch later takes it out in favour of the chosen file.
    LanguageSwitcher::adoptStartupTranslator(&translator);

    WindowSet windows;

    QApplication::setQuitOnLastWindowClosed(true);

    QFile styleFile(QStringLiteral(":/qss/qss/style1.qss"));
    styleFile.open(QFile::ReadOnly);
    a.setStyleSheet(QString::fromUtf8(styleFile.readAll().constData()));
    styleFile.close();

    return a.exec();
}
