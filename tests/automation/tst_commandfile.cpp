// The command-file rules alone: which files are requests, the words a value becomes, and
// what a reply reads as. Which requests are refused, and why, is run through the window in
// tst_autowindow.

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
    void valueWords_data();
    void valueWords();
    void registerReply_data();
    void registerReply();
    void variable_data();
    void variable();
    void statusWord_data();
    void statusWord();
    void answerLines();
};

void CommandFileTest::examineFile_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<FileState>("state");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QString>("fields");

    // The window's own half-written cases are in tst_autowindow.
    const QString line = QStringLiteral("rp 100 0 u16");
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

void CommandFileTest::answerLines()
{
    // The request line in the answer has single blanks whatever the spacing it came with.
    QCOMPARE(answerText(CommandFile::parseRequest(splitLine("  rp   100 0  u16 x")), "65535", true),
             QStringLiteral("rp 100 0 u16\n65535\nrp T"));
}

QTEST_APPLESS_MAIN(CommandFileTest)
#include "tst_commandfile.moc"
