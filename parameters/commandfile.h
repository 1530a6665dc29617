#ifndef COMMANDFILE_H
#define COMMANDFILE_H

#include <QString>
#include <QStringList>
#include <QVector>

// The command file through which an outside program drives the tool: the request grammar,
// the typed values to and from register words, and the answer lines. No widgets, no files:
// the automation window reads and writes the file and calls these.
//
// A request is a file of exactly two lines holding the same request line
//     <command> <field1> <field2> <field3> [ignored fields...]
// The answer replaces it with three lines: the request line, the result text, and the
// command word followed by " T" or " F".
namespace CommandFile {

enum class Command {
    Unknown,
    ReadParameter,  // "rp"
    WriteParameter, // "wp"
    ReadMonitor,    // "dp"
    WriteVariable,  // "wv"
    ReadVariable,   // "rv"
    WriteOperation, // "wop"
    ReadOperation,  // "rop"
};

enum class Type { Unknown, U16, I16, U32, I32, F32, H16, Io, Cl };

Command commandFromWord(const QString &word);
Type typeFromWord(const QString &word);

// A request line split at blanks; runs of blanks and leading or trailing blanks give no
// empty fields, tabs are not separators.
QStringList splitLine(const QString &line);

// The lines of a file's text as a line reader sees them: LF or CR LF ends a line, a final
// line end opens no further line, a blank line counts; a leading byte-order mark is dropped.
QStringList textLines(const QString &text);

// What a file holds, judged from its whole text.
enum class FileState {
    NotReady, // empty, one line, or two lines that differ: a request still being written
    Request,  // two lines with the same request line: to be carried out and answered
    Other,    // three lines or more (an answer, or not a request): left alone
};

struct FileContents
{
    FileState state = FileState::NotReady;
    int lineCount = 0;
    QStringList fields; // the request line's fields (at most the first four) when state is Request
};

FileContents examineFile(const QString &text);

// A request checked field by field. When `error` is not empty the request is refused:
// it is answered "F" with resultText(error) and nothing is sent to the drive.
struct Request
{
    QString command; // the words as they stand in the file (for the answer's first line)
    QString field1;
    QString field2;
    QString field3;
    Command kind = Command::Unknown;
    Type type = Type::Unknown;
    QString error;

    bool isValid() const { return error.isEmpty(); }
};

Request parseRequest(const QStringList &fields);

// ---- registers and words for the services that send the request to the drive ----

// Parameter register ("rp", "wp"): 1 to 4 hex digits, padded to 4; empty when not that.
QString parameterAddress(const QString &field1);
// Monitor register ("dp"): 1 to 3 hex digits after "E" ("7" gives "E007"); empty when not that.
QString monitorAddress(const QString &field1);
// Address of a "cl" write: exactly 4 hex digits, as they stand; empty when not that.
QString directAddress(const QString &field1);
// Variable number ("wv", "rv"): signed decimal -32768 to 65535 as one word, two's complement
// ("100" gives "0064", "-1" gives "FFFF"); empty when not that.
QString variableNumberWord(const QString &field1);
// Words read for a register request: 2 for "u32"/"i32", else 1.
int readWordCount(Type type);

// The value of field2 as register words for a write, low word first. One word for the 16-bit
// types ("u16", "i16", "h16", "cl"), two for "u32", "i32" and "f32". Empty when the text is
// not a number of that type or is out of its range, or the type is not writable.
QStringList valueWords(Type type, const QString &field2);

// Why valueWords refuses a text (empty when it would not).
QString valueError(Type type, const QString &field2);

// ---- replies to answers ----

// A register read reply ("rp", "dp") as the result text; false when the reply does not fit
// the type (wrong word count, a word that is not 4 hex digits, a type the command cannot read).
bool convertRegisterReply(Command command, Type type, const QVector<QString> &words, QString *text);

// A variable read back from the mailbox (low and high word) as the result text: "f32" as a
// float, "i16" the low word signed, "u32" unsigned, any other type word signed 32-bit.
bool convertVariable(Type type, const QString &lowWord, const QString &highWord, QString *text);

// Bits 0 to 7 as eight "1"/"0" characters, bit 0 first.
QString bitToText(int value);

// The mailbox status word as a number, -1 when the reply holds no word of 4 hex digits.
int statusWord(const QVector<QString> &words);

// The refusal text of line 2 for a request that is refused or fails: "-1", or "-1 <reason>".
QString failureText(const QString &reason = QString());

// The three answer lines; the first two end with "\n" (a text-mode write makes the system's
// line end of it), the third has none.
QString answerText(const Request &request, const QString &result, bool ok);

} // namespace CommandFile

#endif // COMMANDFILE_H
