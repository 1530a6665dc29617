#include "wholefile.h"

#include <QSaveFile>
#include <QTextStream>

namespace WholeFile {

bool writeText(const QString &path, const QString &text, QString *errorText, const char *codec)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        QTextStream out(&file);
        if (codec)
            out.setCodec(codec);
        out << text;
        out.flush();
        // commit() refuses when any write failed, and then leaves the earlier file as it was.
        if (out.status() == QTextStream::Ok && file.commit())
            return true;
    }
    if (errorText)
        *errorText = file.errorString();
    return false;
}

} // namespace WholeFile
