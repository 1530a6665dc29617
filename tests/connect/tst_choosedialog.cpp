// The start-up choice: "driver.ini" is written before anyone hears of the choice, the signals
// of each choice in their order, and the family shown from the file.

#include "choosedialog.h"
#include "tempworkdir.h"

#include <QComboBox>
#include <QPushButton>
#include <QSettings>
#include <QtTest>

namespace {

int familyInFile()
{
    const QSettings settings(QStringLiteral("driver.ini"), QSettings::IniFormat);
    return settings.value(QStringLiteral("config/DriverChoose"), -1).toInt();
}

} // namespace

class ChooseDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void choiceSavedBeforeSignals_data();
    void choiceSavedBeforeSignals();
    void familyShownFromFile_data();
    void familyShownFromFile();
    void exitCloses();
};

void ChooseDialogTest::choiceSavedBeforeSignals_data()
{
    QTest::addColumn<bool>("online");
    QTest::addColumn<int>("family");
    QTest::addColumn<QStringList>("heard");

    // Each signal reports the family that "driver.ini" holds at that moment.
    QTest::newRow("online VR") << true << 0 << QStringList{"showSerialPlot 0", "sendOFF_NO 1 0"};
    QTest::newRow("online HXQ") << true << 1 << QStringList{"showSerialPlot 1", "sendOFF_NO 1 1"};
    QTest::newRow("offline VR") << false << 0 << QStringList{"showMainWindow 0", "sendOFF_NO 0 0"};
    QTest::newRow("offline HXQ") << false << 1 << QStringList{"showMainWindow 1", "sendOFF_NO 0 1"};
}

void ChooseDialogTest::choiceSavedBeforeSignals()
{
    QFETCH(bool, online);
    QFETCH(int, family);

    TempWorkDir work;
    // The family saved by an earlier run is the other one.
    QSettings(QStringLiteral("driver.ini"), QSettings::IniFormat).setValue("config/DriverChoose", 1 - family);
    ChooseDialog dialog;
    dialog.show();
    dialog.findChild<QComboBox *>(QStringLiteral("comboBox_Driver"))->setCurrentIndex(family);

    QStringList got;
    connect(&dialog, &ChooseDialog::showSerialPlot, this,
            [&] { got << QStringLiteral("showSerialPlot %1").arg(familyInFile()); });
    connect(&dialog, &ChooseDialog::showMainWindow, this,
            [&] { got << QStringLiteral("showMainWindow %1").arg(familyInFile()); });
    connect(&dialog, &ChooseDialog::sendOFF_NO, this,
            [&](bool on) { got << QStringLiteral("sendOFF_NO %1 %2").arg(on).arg(familyInFile()); });

    const char *button = online ? "pushButton_online" : "pushButton_offline";
    dialog.findChild<QPushButton *>(QLatin1String(button))->click();

    QTEST(got, "heard");
    QCOMPARE(dialog.isOnline(), online);
    QVERIFY(!dialog.isVisible());

    // Cancel in the connection dialog brings it back with the family last saved.
    dialog.showChooseDialog();
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.findChild<QComboBox *>(QStringLiteral("comboBox_Driver"))->currentIndex(), family);
}

void ChooseDialogTest::familyShownFromFile_data()
{
    QTest::addColumn<QString>("stored"); // empty: no driver.ini
    QTest::addColumn<QString>("shown");
    QTest::newRow("no file") << QString() << "VR";
    QTest::newRow("1") << "1" << "HXQ";
    QTest::newRow("not a number") << "x" << "VR";
    QTest::newRow("no such family") << "2" << "VR";
    QTest::newRow("negative") << "-1" << "VR";
    QTest::newRow("beyond int (cut down, it would read as 1)") << "4294967297" << "VR";
    QTest::newRow("hex (it would read as 1)") << "0x1" << "VR";
}

void ChooseDialogTest::familyShownFromFile()
{
    QFETCH(QString, stored);
    TempWorkDir work;
    if (!stored.isEmpty())
        QSettings(QStringLiteral("driver.ini"), QSettings::IniFormat).setValue("config/DriverChoose", stored);
    ChooseDialog dialog;
    QTEST(dialog.findChild<QComboBox *>(QStringLiteral("comboBox_Driver"))->currentText(), "shown");
    // What the next windows read is the family shown.
    dialog.findChild<QPushButton *>(QStringLiteral("pushButton_offline"))->click();
    QCOMPARE(familyInFile(), stored == QLatin1String("1") ? 1 : 0);
}

void ChooseDialogTest::exitCloses()
{
    TempWorkDir work;
    ChooseDialog dialog;
    dialog.show();
    QSignalSpy serial(&dialog, &ChooseDialog::showSerialPlot);
    QSignalSpy mainWindow(&dialog, &ChooseDialog::showMainWindow);
    dialog.findChild<QPushButton *>(QStringLiteral("pushButton"))->click();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(serial.count() + mainWindow.count(), 0);
    QVERIFY(!QFile::exists(QStringLiteral("driver.ini")));
}

QTEST_MAIN(ChooseDialogTest)
#include "tst_choosedialog.moc"
