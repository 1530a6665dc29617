#include "commandfile.h"
#include "framecodec.h"

#include <QRegularExpression>

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>

namespace CommandFile {

namespace {

const int requestFields = 4;

enum class Number { Ok, NotNumber, OutOfRange };

// Hex digits only, 1 to maxDigits of them.
Number readHex(const QString &text, int maxDigits, quint32 *value)
{
    if (text.isEmpty())
        return Number::NotNumber;
    for (const QChar c : text) {
        if (FrameCodec::hexDigitValue(c) < 0)
            return Number::NotNumber;
    }
    if (text.size() > maxDigits)
        return Number::OutOfRange;
    quint32 v = 0;
    for (const QChar c : text)
        v = (v << 4) | quint32(FrameCodec::hexDigitValue(c));
    *value = v;
    return Number::Ok;
}

// An optional sign and decimal digits, nothing else; the value must lie in [low, high].
Number readDecimal(const QString &text, qint64 low, qint64 high, qint64 *value)
{
    int i = 0;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    if (i >= text.size())
        return Number::NotNumber;
    qint64 v = 0;
    bool tooBig = false;
    for (; i < text.size(); ++i) {
        const ushort u = text.at(i).unicode();
        if (u < '0' || u > '9')
            return Number::NotNumber;
        if (!tooBig) {
            v = v * 10 + (u - '0');
            if (v > (qint64(1) << 40))
                tooBig = true;
        }
    }
    if (tooBig)
        return Number::OutOfRange;
    if (negative)
        v = -v;
    if (v < low || v > high)
        return Number::OutOfRange;
    *value = v;
    return Number::Ok;
}

// A decimal fraction with an optional exponent, as a single-precision value.
Number readFloat(const QString &text, float *value)
{
    static const QRegularExpression pattern(
        QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
    if (!pattern.match(text).hasMatch())
        return Number::NotNumber;
    bool ok = false;
    const double d = text.toDouble(&ok);
    // The text is a number; what a double or a float cannot hold is out of range.
    if (!ok || !std::isfinite(d) || std::fabs(d) > double(FLT_MAX))
        return Number::OutOfRange;
    *value = float(d);
    return Number::Ok;
}

QString hexWord(quint32 value)
{
    return QStringLiteral("%1").arg(value & 0xFFFFu, 4, 16, QLatin1Char('0')).toUpper();
}

QString numberError(int field, Number result)
{
    return result == Number::NotNumber ? QStringLiteral("field %1 is not a number").arg(field)
                                       : QStringLiteral("field %1 out of range").arg(field);
}

// Field 1 of the register and variable requests, by command.
QString addressError(Command command, Type type, const QString &field1)
{
    quint32 hex = 0;
    qint64 dec = 0;
    Number result = Number::Ok;
    switch (command) {
    case Command::ReadParameter:
    case Command::WriteParameter:
        result = readHex(field1, 4, &hex);
        if (result == Number::Ok && type == Type::Cl && field1.size() != 4)
            result = Number::OutOfRange;
        break;
    case Command::ReadMonitor:
        result = readHex(field1, 3, &hex);
        break;
    case Command::WriteVariable:
    case Command::ReadVariable:
        // Signed decimal, sent as one word: a number that no word holds would reach another
        // variable, so it is refused.
        result = readDecimal(field1, -32768, 0xFFFF, &dec);
        break;
    default:
        break;
    }
    return result == Number::Ok ? QString() : numberError(1, result);
}

bool typeAllowed(Command command, Type type)
{
    switch (command) {
    case Command::ReadParameter:
        return type == Type::U16 || type == Type::I16 || type == Type::H16 || type == Type::U32
            || type == Type::I32;
    case Command::ReadMonitor:
        return type == Type::U16 || type == Type::I16 || type == Type::U32 || type == Type::I32
            || type == Type::Io;
    case Command::WriteParameter:
        return type == Type::U16 || type == Type::I16 || type == Type::H16 || type == Type::U32
            || type == Type::I32 || type == Type::Cl;
    case Command::WriteVariable:
        return type == Type::F32 || type == Type::U32 || type == Type::I32;
    case Command::ReadVariable:
        return true; // the type word only chooses how the value read is written
    default:
        return true;
    }
}

bool wordsAreHex(const QVector<QString> &words)
{
    for (const QString &w : words) {
        if (w.size() != 4)
            return false;
        for (const QChar c : w) {
            if (FrameCodec::hexDigitValue(c) < 0)
                return false;
        }
    }
    return true;
}

quint32 wordValue(const QString &word)
{
    return word.toUInt(nullptr, 16) & 0xFFFFu;
}

QString floatText(float value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, int(result.ptr - buffer));
}

} // namespace

Command commandFromWord(const QString &word)
{
    if (word == QLatin1String("rp"))
        return Command::ReadParameter;
    if (word == QLatin1String("wp"))
        return Command::WriteParameter;
    if (word == QLatin1String("dp"))
        return Command::ReadMonitor;
    if (word == QLatin1String("wv"))
        return Command::WriteVariable;
    if (word == QLatin1String("rv"))
        return Command::ReadVariable;
    if (word == QLatin1String("wop"))
        return Command::WriteOperation;
    if (word == QLatin1String("rop"))
        return Command::ReadOperation;
    return Command::Unknown;
}

Type typeFromWord(const QString &word)
{
    if (word == QLatin1String("u16"))
        return Type::U16;
    if (word == QLatin1String("i16"))
        return Type::I16;
    if (word == QLatin1String("u32"))
        return Type::U32;
    if (word == QLatin1String("i32"))
        return Type::I32;
    if (word == QLatin1String("f32"))
        return Type::F32;
    if (word == QLatin1String("h16"))
        return Type::H16;
    if (word == QLatin1String("io"))
        return Type::Io;
    if (word == QLatin1String("cl"))
        return Type::Cl;
    return Type::Unknown;
}

QStringList splitLine(const QString &line)
{
    return line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QStringList textLines(const QString &text)
{
    // A byte-order mark (editors on Windows begin UTF-8 files with one) is no part of the
    // first line: left there, it would make the first field differ from the second line's.
    const QString body = text.startsWith(QChar(0xFEFF)) ? text.mid(1) : text;
    if (body.isEmpty())
        return {};
    QStringList lines = body.split(QLatin1Char('\n'));
    if (lines.last().isEmpty())
        lines.removeLast();
    for (QString &line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return lines;
}

FileContents examineFile(const QString &text)
{
    FileContents contents;
    const QStringList lines = textLines(text);
    contents.lineCount = lines.size();
    if (lines.size() > 2) {
        contents.state = FileState::Other;
        return contents;
    }
    if (lines.size() < 2)
        return contents;
    const QStringList first = splitLine(lines.at(0)).mid(0, requestFields);
    const QStringList second = splitLine(lines.at(1)).mid(0, requestFields);
    if (first.isEmpty() || first != second)
        return contents;
    contents.state = FileState::Request;
    contents.fields = first;
    return contents;
}

Request parseRequest(const QStringList &fields)
{
    Request request;
    request.command = fields.value(0);
    request.field1 = fields.value(1);
    request.field2 = fields.value(2);
    request.field3 = fields.value(3);
    request.kind = commandFromWord(request.command);
    request.type = typeFromWord(request.field3);

    if (request.kind == Command::Unknown) {
        request.error = QStringLiteral("unknown command");
        return request;
    }
    if (fields.size() < requestFields) {
        request.error = QStringLiteral("missing field");
        return request;
    }

    switch (request.kind) {
    case Command::WriteOperation:
        if (request.field1 != QLatin1String("S1") && request.field1 != QLatin1String("S2")
            && request.field1 != QLatin1String("S3"))
            request.error = QStringLiteral("unknown operation");
        return request;
    case Command::ReadOperation:
        if (request.field1 != QLatin1String("S1") && request.field1 != QLatin1String("S2"))
            request.error = QStringLiteral("unknown operation");
        return request;
    default:
        break;
    }

    if (request.type == Type::Unknown && request.kind != Command::ReadVariable) {
        request.error = QStringLiteral("unknown type");
        return request;
    }
    if (!typeAllowed(request.kind, request.type)) {
        request.error = QStringLiteral("type not supported");
        return request;
    }
    request.error = addressError(request.kind, request.type, request.field1);
    if (!request.error.isEmpty())
        return request;
    if (request.kind == Command::WriteParameter || request.kind == Command::WriteVariable)
        request.error = valueError(request.type, request.field2);
    return request;
}

QString parameterAddress(const QString &field1)
{
    quint32 value = 0;
    if (readHex(field1, 4, &value) != Number::Ok)
        return {};
    return hexWord(value);
}

QString monitorAddress(const QString &field1)
{
    quint32 value = 0;
    if (readHex(field1, 3, &value) != Number::Ok)
        return {};
    return hexWord(0xE000u | value);
}

QString directAddress(const QString &field1)
{
    quint32 value = 0;
    if (field1.size() != 4 || readHex(field1, 4, &value) != Number::Ok)
        return {};
    return hexWord(value);
}

QString variableNumberWord(const QString &field1)
{
    qint64 value = 0;
    if (readDecimal(field1, -32768, 0xFFFF, &value) != Number::Ok)
        return {};
    return hexWord(quint32(value) & 0xFFFFu);
}

int readWordCount(Type type)
{
    return type == Type::U32 || type == Type::I32 ? 2 : 1;
}

QString valueError(Type type, const QString &field2)
{
    qint64 dec = 0;
    quint32 hex = 0;
    float f = 0;
    Number result = Number::Ok;
    switch (type) {
    case Type::U16:
    case Type::Cl:
        result = readDecimal(field2, 0, 0xFFFF, &dec);
        break;
    case Type::I16:
        result = readDecimal(field2, -32768, 32767, &dec);
        break;
    case Type::U32:
        result = readDecimal(field2, 0, 0xFFFFFFFFLL, &dec);
        break;
    case Type::I32:
        result = readDecimal(field2, -2147483648LL, 2147483647LL, &dec);
        break;
    case Type::H16:
        result = readHex(field2, 4, &hex);
        break;
    case Type::F32:
        result = readFloat(field2, &f);
        break;
    default:
        return QStringLiteral("type not supported");
    }
    return result == Number::Ok ? QString() : numberError(2, result);
}

QStringList valueWords(Type type, const QString &field2)
{
    if (!valueError(type, field2).isEmpty())
        return {};
    qint64 dec = 0;
    quint32 bits = 0;
    switch (type) {
    case Type::U16:
    case Type::Cl:
    case Type::I16:
        readDecimal(field2, -32768, 0xFFFF, &dec);
        return {hexWord(quint32(dec))};
    case Type::H16:
        readHex(field2, 4, &bits);
        return {hexWord(bits)};
    case Type::U32:
    case Type::I32:
        readDecimal(field2, -2147483648LL, 0xFFFFFFFFLL, &dec);
        bits = quint32(dec);
        break;
    case Type::F32: {
        float f = 0;
        readFloat(field2, &f);
        std::memcpy(&bits, &f, sizeof bits);
        break;
    }
    default:
        return {};
    }
    return {hexWord(bits), hexWord(bits >> 16)};
}

bool convertRegisterReply(Command command, Type type, const QVector<QString> &words, QString *text)
{
    if (words.isEmpty() || !wordsAreHex(words))
        return false;
    if (command != Command::ReadParameter && command != Command::ReadMonitor)
        return false;
    if (!typeAllowed(command, type))
        return false;
    if (words.size() != readWordCount(type))
        return false;
    const quint32 w0 = wordValue(words.at(0));
    switch (type) {
    case Type::U32:
        *text = QString::number(quint32(FrameCodec::join32(quint16(w0), quint16(wordValue(words.at(1))))));
        return true;
    case Type::I32:
        *text = QString::number(FrameCodec::join32(quint16(w0), quint16(wordValue(words.at(1)))));
        return true;
    case Type::I16:
        *text = QString::number(qint16(w0));
        return true;
    case Type::U16:
        *text = QString::number(w0);
        return true;
    case Type::H16:
        *text = words.at(0);
        return true;
    case Type::Io:
        *text = bitToText(int(w0));
        return true;
    default:
        return false;
    }
}

bool convertVariable(Type type, const QString &lowWord, const QString &highWord, QString *text)
{
    if (!wordsAreHex({lowWord, highWord}))
        return false;
    const quint32 bits = quint32(FrameCodec::join32(quint16(wordValue(lowWord)), quint16(wordValue(highWord))));
    switch (type) {
    case Type::F32: {
        float f = 0;
        std::memcpy(&f, &bits, sizeof f);
        *text = floatText(f);
        return true;
    }
    case Type::I16:
        *text = QString::number(qint16(bits & 0xFFFFu));
        return true;
    case Type::U32:
        *text = QString::number(bits);
        return true;
    default:
        // Every other type word: the joined words as a signed 32-bit number.
        *text = QString::number(qint32(bits));
        return true;
    }
}

QString bitToText(int value)
{
    QString text;
    for (int bit = 0; bit < 8; ++bit)
        text.append((value >> bit) & 1 ? QLatin1Char('1') : QLatin1Char('0'));
    return text;
}

int statusWord(const QVector<QString> &words)
{
    if (words.size() != 1 || !wordsAreHex(words))
        return -1;
    return int(wordValue(words.at(0)));
}

QString failureText(const QString &reason)
{
    return reason.isEmpty() ? QStringLiteral("-1") : QStringLiteral("-1 ") + reason;
}

QString answerText(const Request &request, const QString &result, bool ok)
{
    QStringList first{request.command};
    for (const QString &field : {request.field1, request.field2, request.field3}) {
        if (!field.isEmpty())
            first.append(field);
    }
    return first.join(QLatin1Char(' ')) + QLatin1Char('\n') + result + QLatin1Char('\n')
        + request.command + (ok ? QLatin1String(" T") : QLatin1String(" F"));
}

} // namespace CommandFile
