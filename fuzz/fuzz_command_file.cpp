// Arbitrary command-file contents: the request reader must never crash, must refuse what is
// not a whole valid request, and every request it accepts must turn into whole registers and
// words; its answer must never read as a request again.

#include "commandfile.h"
#include "fuzzcheck.h"

using namespace CommandFile;

namespace {

bool isWord(const QString &word)
{
    if (word.size() != 4)
        return false;
    for (const QChar c : word) {
        if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('F'))))
            return false;
    }
    return true;
}

void checkRequest(const Request &request)
{
    const QString answer = answerText(request, request.isValid() ? QStringLiteral("0") : failureText(request.error),
                                      request.isValid());
    const FileContents again = examineFile(answer);
    require(again.state == FileState::Other && again.lineCount == 3);
    if (!request.isValid())
        return;

    switch (request.kind) {
    case Command::ReadParameter:
        require(isWord(parameterAddress(request.field1)));
        break;
    case Command::ReadMonitor:
        require(isWord(monitorAddress(request.field1)));
        require(monitorAddress(request.field1).startsWith(QLatin1Char('E')));
        break;
    case Command::WriteParameter: {
        const QString address = request.type == Type::Cl ? directAddress(request.field1)
                                                          : parameterAddress(request.field1);
        require(isWord(address));
        const QStringList words = valueWords(request.type, request.field2);
        require(words.size() == readWordCount(request.type));
        for (const QString &w : words)
            require(isWord(w));
        break;
    }
    case Command::WriteVariable: {
        require(isWord(variableNumberWord(request.field1)));
        const QStringList words = valueWords(request.type, request.field2);
        require(words.size() == 2 && isWord(words.at(0)) && isWord(words.at(1)));
        break;
    }
    case Command::ReadVariable:
        require(isWord(variableNumberWord(request.field1)));
        break;
    case Command::WriteOperation:
    case Command::ReadOperation:
        require(request.field1.startsWith(QLatin1Char('S')));
        break;
    case Command::Unknown:
        require(false);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    const QString text = QString::fromLocal8Bit(bytes);
    const FileContents contents = examineFile(text);
    require(contents.lineCount == textLines(text).size());
    if (contents.state == FileState::Request) {
        require(contents.lineCount == 2 && !contents.fields.isEmpty() && contents.fields.size() <= 4);
        checkRequest(parseRequest(contents.fields));
    } else {
        require(contents.fields.isEmpty());
    }

    // The same bytes as reply words: a conversion either refuses or gives a text.
    QVector<QString> words;
    for (const QString &piece : text.split(QLatin1Char(' ')))
        words.append(piece);
    for (Type type : {Type::U16, Type::I16, Type::U32, Type::I32, Type::H16, Type::Io, Type::F32}) {
        QString result;
        if (convertRegisterReply(Command::ReadParameter, type, words, &result))
            require(!result.isEmpty());
        if (convertRegisterReply(Command::ReadMonitor, type, words, &result))
            require(!result.isEmpty());
        if (convertVariable(type, words.value(0), words.value(1), &result))
            require(!result.isEmpty());
    }
    statusWord(words);
    return 0;
}
