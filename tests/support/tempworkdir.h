#ifndef TEMPWORKDIR_H
#define TEMPWORKDIR_H

#include <QDir>
#include <QString>
#include <QTemporaryDir>

// Makes a fresh temporary folder the current directory for as long as it lives (the tool
// keeps its INI files in the working directory), then goes back and removes the folder.
class TempWorkDir
{
public:
    TempWorkDir()
        : m_previous(QDir::currentPath())
    {
        if (m_dir.isValid())
            QDir::setCurrent(m_dir.path());
    }
    ~TempWorkDir() { QDir::setCurrent(m_previous); }
    TempWorkDir(const TempWorkDir &) = delete;
    TempWorkDir &operator=(const TempWorkDir &) = delete;

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

private:
    QString m_previous;
    QTemporaryDir m_dir;
};

#endif // TEMPWORKDIR_H
