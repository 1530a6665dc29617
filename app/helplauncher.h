#ifndef HELPLAUNCHER_H
#define HELPLAUNCHER_H

#include <QString>

class QProcess;

// Owns the help viewer (Qt Assistant) as a child process: starts it once with the tool's help
// collection and its remote control switched on, reuses it for every page, and ends it when
// the launcher goes.
class HelpLauncher
{
public:
    HelpLauncher();
    ~HelpLauncher();
    HelpLauncher(const HelpLauncher &) = delete;
    HelpLauncher &operator=(const HelpLauncher &) = delete;

    // True when the viewer runs (started now or already running); a viewer that cannot be
    // started is reported in a critical box and gives false.
    bool startAssistant();
    // Makes sure the viewer runs and asks it to show the page (a file name under htmlfile/).
    void showDocumentation(const QString &page);

    // The viewer program: "assistant.exe" on Windows, "assistant" elsewhere; tests put a
    // stand-in here.
    void setProgram(const QString &program) { viewerProgram = program; }
    QString program() const { return viewerProgram; }
    static QString defaultProgram();

    // "Tavhelp.qhc" next to the executable (the build puts it there).
    static QString collectionFile();
    static QString pageAddress(const QString &page);

    bool isRunning() const;

private:
    QProcess *process = nullptr;
    QString viewerProgram;
};

#endif // HELPLAUNCHER_H
