// Arbitrary command-file contents: the request reader must never crash, must refuse what is
// not a whole valid request, and every request it accepts must turn into whole registers and
// words; its answer must never read as a request again. A valid request made from the same
// bytes must be accepted with the register and words it names, and with one of its number
// fields spoilt it must be refused by that field's name.

#include "commandfile.h"
#include "fuzzcheck.h"

#include <cstring>

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

QString hexWord(quint32 value)
{
    return QStringLiteral("%1").arg(value & 0xFFFFu, 4, 16, QLatin1Char('0')).toUpper();
}

// The fuzz bytes as numbers, 0 once they run out.
struct Numbers
{
    const uint8_t *data;
    size_t size;
    size_t at = 0;

    quint32 next()
    {
        quint32 value = 0;
        for (int i = 0; i < 4 && at < size; ++i)
            value |= quint32(data[at++]) << (8 * i);
        return value;
    }
};

struct ValidRequest
{
    QStringList fields;
    QString address;    // the register or variable word it names; empty for the operations
    QStringList words;  // the words a write sends
    int numberFields = 0; // fields 1 to numberFields hold numbers
};

// field2 of a write of this type, holding v, and the words it sends.
void writeValue(ValidRequest &r, const QString &type, quint32 v, bool upper)
{
    if (type == QLatin1String("u16") || type == QLatin1String("cl")) {
        r.fields[2] = QString::number(v & 0xFFFFu);
        r.words = QStringList{hexWord(v)};
    } else if (type == QLatin1String("i16")) {
        r.fields[2] = QString::number(qint16(v));
        r.words = QStringList{hexWord(v)};
    } else if (type == QLatin1String("h16")) {
        r.fields[2] = QString::number(v & 0xFFFFu, 16);
        if (upper)
            r.fields[2] = r.fields[2].toUpper();
        r.words = QStringList{hexWord(v)};
    } else {
        quint32 bits = v;
        if (type == QLatin1String("u32")) {
            r.fields[2] = QString::number(v);
        } else if (type == QLatin1String("i32")) {
            r.fields[2] = QString::number(qint32(v));
        } else { // f32: a value a float holds exactly
            const float f = float(qint16(v)) + 0.25f * float((v >> 16) & 3u);
            r.fields[2] = QString::number(double(f), 'f', 2);
            std::memcpy(&bits, &f, sizeof bits);
        }
        r.words = QStringList{hexWord(bits), hexWord(bits >> 16)};
    }
}

ValidRequest makeValid(Numbers &in)
{
    static const char *const commands[] = {"rp", "wp", "dp", "wv", "rv", "wop", "rop"};
    static const QStringList typesOf[] = {
        {"u16", "i16", "h16", "u32", "i32"}, {"u16", "i16", "h16", "u32", "i32", "cl"},
        {"u16", "i16", "u32", "i32", "io"}, {"f32", "u32", "i32"},
        {"u16", "i16", "u32", "i32", "f32", "h16", "io", "cl"}};
    const quint32 pick = in.next(), a = in.next(), v = in.next();
    const int command = int(pick % 7);
    const bool upper = pick & 0x10000u;
    ValidRequest r;
    r.fields = QStringList{QString::fromLatin1(commands[command]), QString(), QStringLiteral("0"), QStringLiteral("0")};
    if (command >= 5) {
        r.fields[1] = QStringLiteral("S%1").arg(1 + a % (command == 5 ? 3 : 2));
        return r;
    }
    const QStringList &types = typesOf[command];
    const QString type = types.at(int((pick >> 8) % quint32(types.size())));
    r.fields[3] = type;
    r.numberFields = command == 1 || command == 3 ? 2 : 1;
    if (command <= 1) {
        r.fields[1] = type == QLatin1String("cl") ? hexWord(a) : QString::number(a & 0xFFFFu, 16);
        if (upper)
            r.fields[1] = r.fields[1].toUpper();
        r.address = hexWord(a);
    } else if (command == 2) {
        r.fields[1] = QString::number(a & 0xFFFu, 16);
        r.address = hexWord(0xE000u | (a & 0xFFFu));
    } else {
        const int number = int(a % 98304u) - 32768;
        r.fields[1] = QString::number(number);
        r.address = hexWord(quint32(number));
    }
    if (r.numberFields == 2)
        writeValue(r, type, v, upper);
    return r;
}

// A reader that refused every request would pass the checks on arbitrary bytes.
void checkValid(const uint8_t *data, size_t size)
{
    Numbers in{data, size};
    const ValidRequest valid = makeValid(in);
    const QString line = valid.fields.join(QLatin1Char(' '));
    const QString end = in.next() & 1 ? QStringLiteral("\r\n") : QStringLiteral("\n");
    const FileContents file = examineFile(line + end + line + end);
    require(file.state == FileState::Request && file.fields == valid.fields);
    const Request request = parseRequest(file.fields);
    require(request.isValid());
    switch (request.kind) {
    case Command::ReadParameter:
    case Command::WriteParameter:
        require((request.type == Type::Cl ? directAddress(request.field1) : parameterAddress(request.field1))
                == valid.address);
        break;
    case Command::ReadMonitor:
        require(monitorAddress(request.field1) == valid.address);
        break;
    case Command::WriteVariable:
    case Command::ReadVariable:
        require(variableNumberWord(request.field1) == valid.address);
        break;
    default:
        break;
    }
    if (valid.numberFields == 2)
        require(valueWords(request.type, request.field2) == valid.words);

    for (int field = 1; field <= valid.numberFields; ++field) {
        QStringList spoilt = valid.fields;
        spoilt[field] += QLatin1Char('G');
        require(parseRequest(spoilt).error.startsWith(QStringLiteral("field %1 ").arg(field)));
    }
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
    checkValid(data, size);
    return 0;
}
