#include "helplauncher.h"

#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>
#include <QObject>
#include <QProcess>

HelpLauncher::HelpLauncher()
    : viewerProgram(defaultProgram())
{
}

HelpLauncher::~HelpLauncher()
{
    if (!process)
        return;
    if (process->state() != QProcess::NotRunning) {
        process->closeWriteChannel();
        process->terminate();
        if (!process->waitForFinished(3000)) {
            process->kill();
            process->waitForFinished(1000);
        }
    }
    delete process;
}

QString HelpLauncher::defaultProgram()
{
#ifdef Q_OS_WIN
    return QStringLiteral("assistant.exe");
#else
    return QStringLiteral("assistant");
#endif
}

QString HelpLauncher::collectionFile()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Tavhelp.qhc"));
}

QString HelpLauncher::pageAddress(const QString &page)
{
    return QStringLiteral("qthelp://Tavrilon.help/doc/htmlfile/") + page;
}

bool HelpLauncher::isRunning() const
{
    return process && process->state() == QProcess::Running;
}

bool HelpLauncher::startAssistant()
{
    if (!process) {
        process = new QProcess;
        // Nothing reads the viewer's output: it goes where ours goes, so no pipe fills up.
        process->setProcessChannelMode(QProcess::ForwardedChannels);
    }
    if (process->state() == QProcess::Running)
        return true;

    const QStringList arguments{QStringLiteral("-collectionFile"), collectionFile(),
                                QStringLiteral("-enableRemoteControl")};
    process->start(viewerProgram, arguments, QIODevice::ReadWrite);
    if (!process->waitForStarted(30000)) {
        QMessageBox::critical(nullptr, QObject::tr("help"),
                              QObject::tr("Unable to launch Qt Assistant(%1)").arg(1), QMessageBox::Ok);
        return false;
    }
    return true;
}

void HelpLauncher::showDocumentation(const QString &page)
{
    if (!startAssistant())
        return;
    // Qt Assistant's remote control reads one command per line on its standard input.
    QByteArray command("setSource ");
    command += pageAddress(page).toLocal8Bit();
    command += '\n';
    process->write(command);
}
