// The command-file rules alone: which files are requests, which requests are refused and
// why, the words a value becomes, and what a reply reads as.

#include "commandfile.h"

#include <QtTest>

using namespace CommandFile;

Q_DECLARE_METATYPE(CommandFile::FileState)
Q_DECLARE_METATYPE(CommandFile::Command)
Q_DECLARE_METATYPE(CommandFile::Type)

class CommandFileTest : public QObject
{
    Q_OBJECT

private slots:
    void examineFile_data();
    void examineFile();
    void parseRequest_data();
    void parseRequest();
    void valueWords_data();
    void valueWords();
    void registerReply_data();
    void registerReply();
    void variable_data();
    void variable();
    void statusWord_data();
    void statusWord();
    void answerLines_data();
    void answerLines();
};

void CommandFileTest::examineFile_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<FileState>("state");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QString>("fields");

    const QString line = QStringLiteral("rp 100 0 u16");
    QTest::newRow("empty file: not written yet") << QString() << FileState::NotReady << 0 << QString();
    QTest::newRow("first line only") << line + "\n" << FileState::NotReady << 1 << QString();
    QTest::newRow("second line half written") << line + "\nrp 100 0 u1" << FileState::NotReady << 2 << QString();
    QTest::newRow("request, LF") << line + "\n" + line + "\n" << FileState::Request << 2 << line;
    QTest::newRow("request, CR LF, no final line end") << line + "\r\n" + line << FileState::Request << 2 << line;
    QTest::newRow("extra blanks and a fifth field")
        << QStringLiteral("rp  100 0 u16 \n rp 100 0 u16 extra\n") << FileState::Request << 2 << line;
    QTest::newRow("request with a blank third line") << line + "\n" + line + "\n\n" << FileState::Other << 3 << QString();
    QTest::newRow("an answer") << line + "\n65535\nrp T" << FileState::Other << 3 << QString();
    // Editors on Windows begin a UTF-8 file with a byte-order mark.
    QTest::newRow("request after a byte-order mark")
        << QChar(0xFEFF) + line + "\r\n" + line + "\r\n" << FileState::Request << 2 << line;
    QTest::newRow("a tab joins two fields")
        << QStringLiteral("rp\t100 0 u16\nrp\t100 0 u16") << FileState::Request << 2 << QStringLiteral("rp\t100 0 u16");
}

void CommandFileTest::examineFile()
{
    QFETCH(QString, text);
    QFETCH(FileState, state);
    QFETCH(int, lines);
    QFETCH(QString, fields);
    const FileContents contents = CommandFile::examineFile(text);
    QCOMPARE(contents.state, state);
    QCOMPARE(contents.lineCount, lines);
    QCOMPARE(contents.fields.join(' '), fields);
}

void CommandFileTest::parseRequest_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("error");

    // The commands' good fields and most refusals are run through the window in
    // tst_autowindow; here the corners.
    const QString ok, unknownCommand = "unknown command", missing = "missing field";
    const QString f1NaN = "field 1 is not a number", f1Range = "field 1 out of range";
    const QString f2NaN = "field 2 is not a number", f2Range = "field 2 out of range";
    const QString notSupported = "type not supported", unknownOp = "unknown operation";

    QTest::newRow("command is case-sensitive") << "RP 1 0 u16" << unknownCommand;
    QTest::newRow("tab joins command and field") << "rp\t100 0 u16" << unknownCommand;
    QTest::newRow("rop missing field") << "rop S1" << missing;
    QTest::newRow("rp address of five digits") << "rp 12345 0 u16" << f1Range;
    QTest::newRow("rp cannot read f32") << "rp 100 0 f32" << notSupported;
    QTest::newRow("rp cannot read io") << "rp 100 0 io" << notSupported;
    QTest::newRow("dp h16 not readable") << "dp 7 0 h16" << notSupported;
    QTest::newRow("dp number of four digits") << "dp 1000 0 u16" << f1Range;
    QTest::newRow("wp u16 negative") << "wp 10 -1 u16" << f2Range;
    QTest::newRow("wp i16 below range") << "wp 10 -32769 i16" << f2Range;
    QTest::newRow("wp i16 decimal point") << "wp 10 1.5 i16" << f2NaN;
    QTest::newRow("wp u32 above range") << "wp 10 4294967296 u32" << f2Range;
    QTest::newRow("wp i32 above range") << "wp 10 2147483648 i32" << f2Range;
    QTest::newRow("wp i32 bottom") << "wp 10 -2147483648 i32" << ok;
    QTest::newRow("wp huge number") << "wp 10 99999999999999999999999 i32" << f2Range;
    QTest::newRow("wp h16 five digits") << "wp 10 12345 h16" << f2Range;
    QTest::newRow("wp h16 not hex") << "wp 10 1g h16" << f2NaN;
    QTest::newRow("wp cl needs a whole address") << "wp 20 5 cl" << f1Range;
    QTest::newRow("wv f32 exponent") << "wv 100 -2.5e3 f32" << ok;
    QTest::newRow("wv f32 nan") << "wv 100 nan f32" << f2NaN;
    QTest::newRow("wv f32 comma") << "wv 100 1,5 f32" << f2NaN;
    QTest::newRow("wv variable number hex") << "wv 0x10 1 i32" << f1NaN;
    QTest::newRow("wv u16 not writable") << "wv 100 1 u16" << notSupported;
    QTest::newRow("rv negative variable") << "rv -1 0 f32" << f1Range;
    QTest::newRow("rv h16 not readable") << "rv 100 0 h16" << notSupported;
    QTest::newRow("wop lower case") << "wop s1 0 0" << unknownOp;
}

void CommandFileTest::parseRequest()
{
    QFETCH(QString, line);
    QFETCH(QString, error);
    QCOMPARE(CommandFile::parseRequest(splitLine(line)).error, error);
}

void CommandFileTest::valueWords_data()
{
    QTest::addColumn<Type>("type");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("words");

    QTest::newRow("u16") << Type::U16 << "65535" << "FFFF";
    QTest::newRow("u16 refused, not wrapped") << Type::U16 << "70000" << "";
    QTest::newRow("i16 -5") << Type::I16 << "-5" << "FFFB";
    QTest::newRow("cl as u16") << Type::Cl << "258" << "0102";
    QTest::newRow("u32 low word first") << Type::U32 << "100000" << "86A0 0001";
    QTest::newRow("i32 -2") << Type::I32 << "-2" << "FFFE FFFF";
    QTest::newRow("f32 -2") << Type::F32 << "-2" << "0000 C000";
    QTest::newRow("f32 not a number") << Type::F32 << "x" << "";
    QTest::newRow("io not writable") << Type::Io << "1" << "";
}

void CommandFileTest::valueWords()
{
    QFETCH(Type, type);
    QFETCH(QString, text);
    QFETCH(QString, words);
    QCOMPARE(CommandFile::valueWords(type, text).join(' '), words);
}

void CommandFileTest::registerReply_data()
{
    QTest::addColumn<Command>("command");
    QTest::addColumn<Type>("type");
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("text");

    const Command rp = Command::ReadParameter;
    const Command dp = Command::ReadMonitor;
    QTest::newRow("rp u32 high word second") << rp << Type::U32 << QStringList{"0001", "0002"} << true << "131073";
    QTest::newRow("rp u32 unsigned") << rp << Type::U32 << QStringList{"FFFF", "FFFF"} << true << "4294967295";
    QTest::newRow("rp i32 signed") << rp << Type::I32 << QStringList{"FFFF", "FFFF"} << true << "-1";
    QTest::newRow("rp u32 one word") << rp << Type::U32 << QStringList{"0001"} << false << "";
    QTest::newRow("rp u16 two words") << rp << Type::U16 << QStringList{"0001", "0002"} << false << "";
    QTest::newRow("rp u16 not hex") << rp << Type::U16 << QStringList{"12G4"} << false << "";
    QTest::newRow("rp empty reply") << rp << Type::U16 << QStringList{} << false << "";
    QTest::newRow("rp f32") << rp << Type::F32 << QStringList{"0001"} << false << "";
    QTest::newRow("dp u32 unsigned") << dp << Type::U32 << QStringList{"FFFF", "FFFF"} << true << "4294967295";
    QTest::newRow("dp io bit 0") << dp << Type::Io << QStringList{"0001"} << true << "10000000";
    QTest::newRow("dp io bit 7") << dp << Type::Io << QStringList{"0080"} << true << "00000001";
    QTest::newRow("dp io bit 8 not shown") << dp << Type::Io << QStringList{"0100"} << true << "00000000";
    QTest::newRow("dp h16") << dp << Type::H16 << QStringList{"FFFF"} << false << "";
}

void CommandFileTest::registerReply()
{
    QFETCH(Command, command);
    QFETCH(Type, type);
    QFETCH(QStringList, words);
    QFETCH(bool, ok);
    QFETCH(QString, text);
    QString result;
    QCOMPARE(convertRegisterReply(command, type, words.toVector(), &result), ok);
    QCOMPARE(result, text);
}

void CommandFileTest::variable_data()
{
    QTest::addColumn<Type>("type");
    QTest::addColumn<QString>("low");
    QTest::addColumn<QString>("high");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("text");

    QTest::newRow("f32 1.5") << Type::F32 << "0000" << "3FC0" << true << "1.5";
    QTest::newRow("f32 0.1 shortest") << Type::F32 << "CCCD" << "3DCC" << true << "0.1";
    QTest::newRow("i16 low word only") << Type::I16 << "FFFF" << "1234" << true << "-1";
    QTest::newRow("u32 unsigned") << Type::U32 << "FFFF" << "FFFF" << true << "4294967295";
    QTest::newRow("i32 signed") << Type::I32 << "FFFE" << "FFFF" << true << "-2";
    QTest::newRow("low word missing") << Type::I32 << "" << "FFFF" << false << "";
}

void CommandFileTest::variable()
{
    QFETCH(Type, type);
    QFETCH(QString, low);
    QFETCH(QString, high);
    QFETCH(bool, ok);
    QFETCH(QString, text);
    QString result;
    QCOMPARE(convertVariable(type, low, high, &result), ok);
    QCOMPARE(result, text);
}

void CommandFileTest::statusWord_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<int>("status");
    QTest::newRow("finished") << QStringList{"0002"} << 2;
    QTest::newRow("no reply") << QStringList{} << -1;
    QTest::newRow("garbled") << QStringList{"00G2"} << -1;
    QTest::newRow("stale words too") << QStringList{"0000", "0002"} << -1;
}

void CommandFileTest::statusWord()
{
    QFETCH(QStringList, words);
    QFETCH(int, status);
    QCOMPARE(CommandFile::statusWord(words.toVector()), status);
}

void CommandFileTest::answerLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("result");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("answer");

    QTest::newRow("single blanks whatever the spacing")
        << "  rp   100 0  u16 x" << "65535" << true << "rp 100 0 u16\n65535\nrp T";
    QTest::newRow("refused, fields as far as they go")
        << "rp 100" << failureText("missing field") << false << "rp 100\n-1 missing field\nrp F";
}

void CommandFileTest::answerLines()
{
    QFETCH(QString, line);
    QFETCH(QString, result);
    QFETCH(bool, ok);
    QFETCH(QString, answer);
    QCOMPARE(answerText(CommandFile::parseRequest(splitLine(line)), result, ok), answer);
}

QTEST_APPLESS_MAIN(CommandFileTest)
#include "tst_commandfile.moc"
