#ifndef WHOLEFILE_H
#define WHOLEFILE_H

#include <QString>

// Writing a text file whole or not at all: the text goes to a temporary file that replaces the
// named one only when every byte was written, so a failed write leaves an earlier file as it was.
namespace WholeFile {

// Writes `text` to `path` in text mode, encoded by `codec` (a QTextCodec name; none: the
// system's 8-bit encoding, no byte-order mark). On failure `errorText` (when given) says why.
bool writeText(const QString &path, const QString &text, QString *errorText, const char *codec = nullptr);

} // namespace WholeFile

#endif // WHOLEFILE_H
