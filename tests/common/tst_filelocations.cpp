// The folder a file dialog opens in and the suffix a typed name is given.

#include "filelocations.h"
#include "tempworkdir.h"

#include <QtTest>

class FileLocationsTest : public QObject
{
    Q_OBJECT

private slots:
    void folderAndSuffix_data();
    void folderAndSuffix();
    void lastFilePathRoundTrip();
};

void FileLocationsTest::folderAndSuffix_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("named");
    QTest::addColumn<QString>("folder");

    QTest::newRow("typed without suffix") << "/data/sets/first" << ".csv" << "/data/sets/first.csv" << "/data/sets/";
    QTest::newRow("suffix in other case") << "/data/a.cbc" << ".CBC" << "/data/a.cbc" << "/data/";
    QTest::newRow("another suffix kept") << "/data/a.txt" << ".fft" << "/data/a.txt.fft" << "/data/";
    // A cancelled dialog gives no name; none must be made up.
    QTest::newRow("cancelled") << "" << ".Static" << "" << "";
    // A bare name lies in the working folder, not in a folder of its own name.
    QTest::newRow("bare name") << "trend.Dynamic" << ".Dynamic" << "trend.Dynamic" << "";
}

void FileLocationsTest::folderAndSuffix()
{
    QFETCH(QString, chosen);
    QFETCH(QString, suffix);
    QFETCH(QString, named);
    QFETCH(QString, folder);
    QCOMPARE(FileLocations::withSuffix(chosen, suffix), named);
    QCOMPARE(FileLocations::folderOf(named), folder);
}

void FileLocationsTest::lastFilePathRoundTrip()
{
    TempWorkDir work;
    QVERIFY(work.isValid());
    QVERIFY(FileLocations::lastFilePath().isEmpty());
    FileLocations::storeLastFilePath(work.filePath(QStringLiteral("first.csv")));
    FileLocations::storeLastFilePath(QStringLiteral("/other/quick.QCS"), QStringLiteral("./SettingPath.ini"));
    QCOMPARE(FileLocations::lastFilePath(), work.path() + QLatin1Char('/'));
    QCOMPARE(QSettings(QStringLiteral("./Setting.ini"), QSettings::IniFormat).value("LastFilePath").toString(),
             work.path() + QLatin1Char('/'));
    QCOMPARE(FileLocations::lastFilePath(QStringLiteral("./SettingPath.ini")), QStringLiteral("/other/"));
}

QTEST_GUILESS_MAIN(FileLocationsTest)
#include "tst_filelocations.moc"
