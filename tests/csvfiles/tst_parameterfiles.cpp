// The parameter window's save and load through its buttons and file dialogs, and its answers
// to the compare window, down to a comparison of a file against values read from the
// simulated drive.

#include "comparewindow.h"
#include "parameterconversion.h"
#include "parameterwindow.h"
#include "serialport.h"
#include "treemodel.h"

#include "driveparameters.h"
#include "simulatedmodel.h"
#include "filedialoganswer.h"
#include "modalanswerer.h"
#include "simulateddrive.h"
#include "tempworkdir.h"
#include "unreadvalue.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {

QString dataFile(const QString &name)
{
    return QStringLiteral(CSV_TEST_DATA "/") + name;
}

QString lastFilePath()
{
    return QSettings(QStringLiteral("Setting.ini"), QSettings::IniFormat).value(QStringLiteral("LastFilePath")).toString();
}

QString cell(parameterWindow &window, int row, int column, const QModelIndex &parent = QModelIndex())
{
    return window.model->index(row, column, parent).data(Qt::EditRole).toString();
}

int rowOf(parameterWindow &window, const QString &number)
{
    for (int row = 0; row < window.parameterRowCount(); ++row) {
        if (cell(window, row, 0).simplified() == number)
            return row;
    }
    return -1;
}

// A value of each row that its own check accepts: its maximum, else minimum, else default, else 0.
QString acceptedValue(parameterWindow &window, int row)
{
    const int code = ParameterConversion::attributeCode(window.model->index(row, 7).data(Qt::EditRole));
    for (const QString &candidate : {cell(window, row, 4).trimmed(), cell(window, row, 3).trimmed(),
                                     cell(window, row, 5).trimmed(), QStringLiteral("0"), QStringLiteral("0000")}) {
        if (ParameterConversion::judgeValue(code, candidate, cell(window, row, 3), cell(window, row, 4)).accepted())
            return candidate;
    }
    return QString();
}

} // namespace

class TestParameterFiles : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void saveThenLoadRestoresEveryValue_data();
    void saveThenLoadRestoresEveryValue();
    void saveAddsTheSuffixAndRemembersTheFolder();
    void cancelledDialogsAreNoError();
    void writeErrorIsReported();
    void loadTakesOnlySoundLines_data();
    void loadTakesOnlySoundLines();
    void answersToTheCompareWindowKeepTheRowCursor();
    void compareAgainstValuesReadFromTheDrive();

private:
    parameterWindow &open(int family = 0, int language = 1)
    {
        QSettings(QStringLiteral("driver.ini"), QSettings::IniFormat).setValue(QStringLiteral("config/DriverChoose"), family);
        QSettings(QStringLiteral("language.ini"), QSettings::IniFormat).setValue(QStringLiteral("config/languageChoose"), language);
        windows.push_back(std::make_unique<parameterWindow>());
        return *windows.back();
    }
    // Presses a button of `owner` that opens a file dialog, and accepts the dialog with `path`
    // (no path: the answerer cancels it).
    void withFile(QWidget &owner, const char *button, const QString &path = QString())
    {
        answerer->setFileAnswer(path);
        {
            std::unique_ptr<FileDialogAnswer> answer(path.isEmpty() ? nullptr : new FileDialogAnswer(path));
            owner.findChild<QAbstractButton *>(QLatin1String(button))->click();
        }
        answerer->setFileAnswer(QString());
    }
    QList<ModalBoxAnswerer::Box> messageBoxes() const
    {
        QList<ModalBoxAnswerer::Box> boxes;
        for (const ModalBoxAnswerer::Box &box : answerer->boxes()) {
            if (box.className == QLatin1String("QMessageBox"))
                boxes << box;
        }
        return boxes;
    }
    QString firstBoxText() const { return messageBoxes().value(0).text; }

    std::unique_ptr<TempWorkDir> dir;
    std::unique_ptr<ModalBoxAnswerer> answerer;
    std::vector<std::unique_ptr<parameterWindow>> windows;
};

void TestParameterFiles::init()
{
    dir = std::make_unique<TempWorkDir>();
    answerer = std::make_unique<ModalBoxAnswerer>();
}

void TestParameterFiles::cleanup()
{
    windows.clear();
    answerer.reset();
    dir.reset();
}

void TestParameterFiles::saveThenLoadRestoresEveryValue_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("edited"); // every value set, or the table as it opens offline
    QTest::addColumn<int>("unread");  // rows left without a value, as after a lost link
    QTest::newRow("VR Chinese") << 0 << 1 << true << 0;
    QTest::newRow("VR English") << 0 << 0 << true << 0;
    QTest::newRow("HXQ Chinese") << 1 << 1 << true << 0;
    QTest::newRow("HXQ English") << 1 << 0 << true << 0;
    QTest::newRow("VR untouched") << 0 << 1 << false << 0;
    QTest::newRow("HXQ untouched") << 1 << 0 << false << 0;
    // Save writes nothing Load would refuse: no file, and an earlier one of that name stays.
    QTest::newRow("HXQ, two rows not read") << 1 << 1 << true << 2;
}

void TestParameterFiles::saveThenLoadRestoresEveryValue()
{
    QFETCH(int, family);
    QFETCH(int, language);
    QFETCH(bool, edited);
    QFETCH(int, unread);
    parameterWindow &source = open(family, language);
    const QString model = !edited ? QString() : family == 0 ? QStringLiteral("VR1P") : QStringLiteral("HXQ1");
    source.DriverModelToSave(model);
    const int rows = source.parameterRowCount();
    QStringList values;
    for (int row = 0; row < rows; ++row) {
        values << (edited ? acceptedValue(source, row) : cell(source, row, 2));
        QVERIFY(!values.last().isEmpty());
        source.model->setData(source.model->index(row, 2), values.last(), Qt::EditRole);
    }
    const QString path = dir->filePath(QStringLiteral("all.csv"));
    if (unread) {
        for (int row = 0; row < unread; ++row)
            source.model->setData(source.model->index(row, 2), UnreadValue::text(), Qt::EditRole);
        QFile earlier(path);
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier");
        earlier.close();
        withFile(source, "pushButton_Save", path);
        QCOMPARE(messageBoxes().size(), 1);
        QVERIFY2(firstBoxText().startsWith(QStringLiteral("%1 个参数没有数值").arg(unread)), qPrintable(firstBoxText()));
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        QCOMPARE(earlier.readAll(), QByteArray("earlier"));
        return;
    }
    withFile(source, "pushButton_Save", path);
    QVERIFY(messageBoxes().isEmpty());

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromLocal8Bit(file.readAll()).split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 3 + rows + 1);
    QCOMPARE(lines.at(1), model);
    QCOMPARE(lines.at(2), QStringLiteral("编号,数值"));
    QCOMPARE(lines.at(3), cell(source, 0, 0) + QLatin1Char(',') + values.at(0)); // trailing blanks kept

    parameterWindow &target = open(family, language);
    withFile(target, "pushButton_Load", path);
    QVERIFY2(messageBoxes().isEmpty(), qPrintable(firstBoxText()));
    for (int row = 0; row < rows; ++row)
        QCOMPARE(cell(target, row, 2) + QLatin1Char('|') + cell(target, row, 8), values.at(row) + QStringLiteral("|已导入"));
    QVERIFY(target.windowTitle().endsWith(QStringLiteral("-") + path));
    if (model.isEmpty())
        return;
    // The other family's table takes nothing of a file that names a model of this family.
    parameterWindow &other = open(1 - family, language);
    withFile(other, "pushButton_Load", path);
    QVERIFY2(firstBoxText().contains(model), qPrintable(firstBoxText()));
    for (int row = 0; row < other.parameterRowCount(); ++row)
        QCOMPARE(cell(other, row, 8), QString());
}

void TestParameterFiles::saveAddsTheSuffixAndRemembersTheFolder()
{
    QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("sets")));
    withFile(open(), "pushButton_Save", dir->filePath(QStringLiteral("sets/first")));
    QVERIFY(QFile::exists(dir->filePath(QStringLiteral("sets/first.csv"))));
    QVERIFY(!QFile::exists(dir->filePath(QStringLiteral("sets/first"))));
    QCOMPARE(lastFilePath(), QDir(dir->path()).absolutePath() + QStringLiteral("/sets/"));
    QVERIFY(messageBoxes().isEmpty());
}

void TestParameterFiles::cancelledDialogsAreNoError()
{
    parameterWindow &window = open();
    const QString title = window.windowTitle();
    withFile(window, "pushButton_Save");
    withFile(window, "pushButton_Load");
    QCOMPARE(answerer->count(), 2);
    QVERIFY(messageBoxes().isEmpty());
    QCOMPARE(window.windowTitle(), title);

    QVERIFY(lastFilePath().isEmpty());
    QCOMPARE(QDir(dir->path()).entryList(QStringList{QStringLiteral("*.csv")}).size(), 0);

    // A file that gives the table nothing does not name the window either.
    const QString foreign = dir->filePath(QStringLiteral("foreign.txt"));
    QFile file(foreign);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("2026-01-01_00-00-00\nVR1P\nNumber,Value\nPA999,1\n");
    file.close();
    withFile(window, "pushButton_Load", foreign);
    QCOMPARE(messageBoxes().size(), 1);
    QCOMPARE(window.windowTitle(), title);
    QVERIFY(QFile::remove(foreign));
}

void TestParameterFiles::writeErrorIsReported()
{
    withFile(open(), "pushButton_Save", dir->filePath(QStringLiteral("missing/p.csv")));
    QCOMPARE(messageBoxes().size(), 1);
    QCOMPARE(messageBoxes().at(0).title, QStringLiteral("error"));
    QVERIFY(!firstBoxText().isEmpty());
}

void TestParameterFiles::loadTakesOnlySoundLines_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("loaded"); // "number=value"
    QTest::addColumn<QStringList>("notLoaded"); // "number=value|mark": the default stays
    QTest::addColumn<QStringList>("reported");

    QTest::newRow("CR LF, blanks, numbers without their trailing blanks")
        << "crlf_blanks.csv" << QStringList{"PA000=0011", "PA100=400", "PA124=-10000", "PA20E=1073741824"}
        << QStringList{"PA001=0000|", "PA101=2000|"} << QStringList{"已导入 4 个参数", "文件中没有以下 147 个参数"};
    // Refused rows are marked so and are not counted among the parameters the file lacks.
    // The file stops without a line end inside PA124's line, with rows after it missing.
    QTest::newRow("unknown number, bad value, truncated lines, cut inside the last")
        << "faults.csv" << QStringList{"PA000=0011", "PA103=2000"}
        << QStringList{"PA100=400|未导入", "PA101=2000|未导入", "PA102=400|未导入", "PA001=0000|未导入", "PA124=0|未导入"}
        << QStringList{"第 5 行：参数表中没有 PA999", "第 6 行：PA100 的数值 9 不可用", "第 7 行：PA101 缺少数值",
                       "第 14 行：PA001 的数值 ZZZZ 不可用", "第 15 行：文件在这一行中间结束（PA124）",
                       "文件中没有以下 144 个参数"};
    QTest::newRow("4 KB of random bytes") << "bytes.csv" << QStringList() << QStringList{"PA100=400|"}
                                          << QStringList{"文件中没有以下 151 个参数"};
}

void TestParameterFiles::loadTakesOnlySoundLines()
{
    QFETCH(QString, file);
    QFETCH(QStringList, loaded);
    QFETCH(QStringList, notLoaded);
    QFETCH(QStringList, reported);
    parameterWindow &window = open();

    withFile(window, "pushButton_Load", dataFile(file));
    for (const QString &pair : loaded) {
        const int row = rowOf(window, pair.section(QLatin1Char('='), 0, 0));
        QCOMPARE(cell(window, row, 2) + QLatin1Char('|') + cell(window, row, 8),
                 pair.section(QLatin1Char('='), 1) + QStringLiteral("|已导入"));
    }
    for (const QString &pair : notLoaded) {
        const int row = rowOf(window, pair.section(QLatin1Char('='), 0, 0));
        QCOMPARE(cell(window, row, 2) + QLatin1Char('|') + cell(window, row, 8), pair.section(QLatin1Char('='), 1));
    }
    // The switch word's digit rows follow its loaded value.
    const QModelIndex pa000 = window.model->index(rowOf(window, QStringLiteral("PA000")), 0);
    QCOMPARE(cell(window, 0, 2, pa000) + cell(window, 1, 2, pa000) + cell(window, 2, 2, pa000) + cell(window, 3, 2, pa000),
             loaded.isEmpty() ? QStringLiteral("0000") : QStringLiteral("1100"));

    QCOMPARE(messageBoxes().size(), 1);
    QCOMPARE(messageBoxes().at(0).title, QStringLiteral("error"));
    for (const QString &text : reported)
        QVERIFY2(firstBoxText().contains(text), qPrintable(firstBoxText()));
    for (const QString &line : firstBoxText().split(QLatin1Char('\n'))) // the box keeps its normal size
        QVERIFY2(line.size() < 200 && std::all_of(line.begin(), line.end(), [](QChar c) { return c.isPrint(); }), qPrintable(line));
    QCOMPARE(lastFilePath(), QFileInfo(dataFile(file)).absolutePath() + QLatin1Char('/'));
}

void TestParameterFiles::answersToTheCompareWindowKeepTheRowCursor()
{
    parameterWindow &window = open();
    QSignalSpy names(&window, &parameterWindow::sendMatchName);
    QSignalSpy numbers(&window, &parameterWindow::sendMatchOnlineNumbers);
    QSignalSpy values(&window, &parameterWindow::sendMatchOnlineData);
    window.rowCursor = 7; // a transfer waiting for the drive at row 7

    window.matchingName(QStringLiteral("PA100"));
    window.matchingName(QStringLiteral(" PA20E   "));
    window.matchingName(QStringLiteral("PA999"));
    window.OnlineMatchData();

    QCOMPARE(window.rowCursor, 7);
    QCOMPARE(names.size(), 2);
    QCOMPARE(names.at(0).at(0).toString(), QStringLiteral("第一速度环增益"));
    QCOMPARE(names.at(1).at(0).toString(), QStringLiteral("电子齿数比(分子)"));
    QCOMPARE(numbers.size(), 1);
    QCOMPARE(values.size(), 1);
    QCOMPARE(numbers.at(0).at(0).value<QVector<QString>>().size(), 151);
    QCOMPARE(values.at(0).at(0).value<QVector<QString>>().size(), 151);
}

// A file saved from the drive's values, the drive's values changed and read again: the online
// comparison shows exactly the changed parameters, with their names.
void TestParameterFiles::compareAgainstValuesReadFromTheDrive()
{
    SimulatedDrive drive(1);
    SimulatedModel::install(drive, 0);
    DriveParameters &params = *drive.part<DriveParameters>();
    serialPort link;
    parameterWindow &window = open();
    compareWindow compare;
    // Wired as main wires them.
    QObject::connect(&window, &parameterWindow::readSerialStr, &link, &serialPort::readSerial);
    QObject::connect(&window, &parameterWindow::writeSerialStr, &link, &serialPort::writeSerial);
    QObject::connect(&window, &parameterWindow::writeSerialStr2, &link, &serialPort::writeSerial2);
    QObject::connect(&link, &serialPort::writeDataToCheck, &window, &parameterWindow::receiveWriteDataToCheck);
    QObject::connect(&window, &parameterWindow::TreeViewOk, &link, &serialPort::TreeViewOk);
    QObject::connect(&link, &serialPort::readDataToShow, &window, &parameterWindow::readData);
    QObject::connect(&link, &serialPort::isOpenSerial, &window, &parameterWindow::isOpenSerial);
    QObject::connect(&compare, &compareWindow::getParameterName, &window, &parameterWindow::matchingName);
    QObject::connect(&window, &parameterWindow::sendMatchName, &compare, &compareWindow::recieveName);
    QObject::connect(&compare, &compareWindow::getOnlineData, &window, &parameterWindow::OnlineMatchData);
    QObject::connect(&window, &parameterWindow::sendMatchOnlineNumbers, &compare, &compareWindow::recieveOnlineNumbers);
    QObject::connect(&window, &parameterWindow::sendMatchOnlineData, &compare, &compareWindow::recieveOnlineData);
    QObject::connect(&window, &parameterWindow::isOnLine, &compare, &compareWindow::isOnline);
    QObject::connect(&window, &parameterWindow::showCompareWindow, &compare, &compareWindow::showCompareWindow);

    QVERIFY2(drive.start(), qPrintable(drive.errorString()));
    QVERIFY(link.openPort(drive.portName(), 115200));
    window.showParameterWindow(); // builds the model; offline, so nothing is read yet
    emit link.isOpenSerial(true);
    window.changeFrist(true);
    for (const DriveParameters::Parameter &p : params.parameters())
        params.setValue(p.number, p.maximum); // within its limits, and mostly not its default
    window.showParameterWindow(); // online with the first read pending: reads every parameter
    QVERIFY(!window.firstRead);
    QVERIFY2(messageBoxes().isEmpty(), qPrintable(firstBoxText()));
    const QString path = dir->filePath(QStringLiteral("drive.csv"));
    withFile(window, "pushButton_Save", path);
    // What Save wrote after the read, Load takes back whole, with the same values.
    parameterWindow &copy = open();
    withFile(copy, "pushButton_Load", path);
    QVERIFY2(messageBoxes().isEmpty(), qPrintable(firstBoxText()));
    for (int row = 0; row < window.parameterRowCount(); ++row)
        QCOMPARE(cell(copy, row, 2), cell(window, row, 2));

    // The drive's PA100 and PA20E change; an upload of the two rows brings them in.
    params.setValue(QStringLiteral("PA100"), 1234);
    params.setValue(QStringLiteral("PA20E"), 70000);
    for (const QString &number : {QStringLiteral("PA100"), QStringLiteral("PA20E")})
        window.model->setData(window.model->index(rowOf(window, number), 0), Qt::Checked, Qt::CheckStateRole);
    window.findChild<QPushButton *>(QStringLiteral("pushButton_Upload"))->click();
    QCOMPARE(cell(window, rowOf(window, QStringLiteral("PA100")), 2), QStringLiteral("1234"));

    window.findChild<QPushButton *>(QStringLiteral("pushButton_Compare"))->click();
    QVERIFY(compare.isVisible());
    compare.findChild<QCheckBox *>(QStringLiteral("checkBox_Online"))->click();
    withFile(compare, "toolButton_Source", path);
    compare.findChild<QPushButton *>(QStringLiteral("pushButton_Compare"))->click();

    auto *table = compare.findChild<QTableWidget *>(QStringLiteral("tableWidget"));
    QStringList rows;
    for (int r = 0; r < table->rowCount() && table->item(r, 0); ++r)
        rows << table->item(r, 0)->text() + QLatin1Char('|') + table->item(r, 1)->text() + QLatin1Char('|')
                + table->item(r, 2)->text();
    QVERIFY2(messageBoxes().isEmpty(), qPrintable(firstBoxText()));
    QCOMPARE(rows, QStringList({"PA100|" + cell(window, rowOf(window, QStringLiteral("PA100")), 1) + "|1234",
                                "PA20E|" + cell(window, rowOf(window, QStringLiteral("PA20E")), 1) + "|70000"}));
    // The link is lost: back to comparing two files, and the comparison with the drive's values
    // is no longer shown; what was read shows as not read, unmarked.
    drive.dropLink();
    QTRY_VERIFY(!compare.findChild<QCheckBox *>(QStringLiteral("checkBox_Online"))->isEnabled());
    QCOMPARE(table->rowCount(), 0);
    compare.findChild<QPushButton *>(QStringLiteral("pushButton_Compare"))->click();
    QCOMPARE(messageBoxes().last().text, QStringLiteral("文件源一未载入"));
    QCOMPARE(cell(window, rowOf(window, QStringLiteral("PA100")), 2) + cell(window, rowOf(window, QStringLiteral("PA100")), 8), UnreadValue::text());
    // Save now refuses, and writes no file.
    const int boxes = messageBoxes().size();
    const QString lost = dir->filePath(QStringLiteral("lost.csv"));
    withFile(window, "pushButton_Save", lost);
    QCOMPARE(messageBoxes().size(), boxes + 1);
    QVERIFY(messageBoxes().last().text.contains(QStringLiteral("个参数没有数值")));
    QVERIFY(!QFile::exists(lost));
}

QTEST_MAIN(TestParameterFiles)
#include "tst_parameterfiles.moc"
