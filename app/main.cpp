// Program start: translation, the windows in their fixed creation order, their wiring,
// the style sheet and the event loop. The windows are destroyed in reverse order.

#include <QApplication>
#include <QFile>
#include <QTranslator>

#include <memory>

#include "choicefiles.h"
#include "serialport.h"
#include "translation.h"

int main(int argc, char *argv[])
{
    QApplication a(argc, argv);

    const int language = readLanguageChoice();
    QTranslator translator;
    translator.load(translationResource(language), QString(), QString(), QString());
    a.installTranslator(&translator);

    // Windows, in creation order; each gets its quit-on-close attribute right after creation.
    // 8 serialPort
    auto link = std::make_unique<serialPort>();
    link->setAttribute(Qt::WA_QuitOnClose, true);
    link->show();

    QApplication::setQuitOnLastWindowClosed(true);

    QFile styleFile(QStringLiteral(":/qss/qss/style1.qss"));
    styleFile.open(QFile::ReadOnly);
    a.setStyleSheet(QString::fromUtf8(styleFile.readAll().constData()));
    styleFile.close();

    return a.exec();
}
