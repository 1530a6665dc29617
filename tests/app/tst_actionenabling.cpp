// The enabling of the main window's drive actions by event, drive family and access level.
// Each row spells the seven actions in the order JOG, auxiliary panel, motor parameters,
// monitor, spectrum analysis, live trend, drive information: '+' on, '-' off, '.' unchanged.

#include "actionenabling.h"

#include <QtTest>

using namespace ActionEnabling;

Q_DECLARE_METATYPE(ActionEnabling::Event)

namespace {

QString spell(const Settings &settings)
{
    QString text;
    for (const Setting s : settings)
        text += s == On ? QLatin1Char('+') : s == Off ? QLatin1Char('-') : QLatin1Char('.');
    return text;
}

} // namespace

class TestActionEnabling : public QObject
{
    Q_OBJECT

private slots:
    void table_data();
    void table();
    void password_data();
    void password();
};

void TestActionEnabling::table_data()
{
    QTest::addColumn<Event>("event");
    QTest::addColumn<int>("family");
    QTest::addColumn<QString>("expected");

    // Before any connection only the motor-parameter action is off, whatever the family.
    QTest::newRow("construction VR") << Construction << 0 << "++-++++";
    QTest::newRow("construction HXQ") << Construction << 1 << "++-++++";
    QTest::newRow("online chosen VR") << OnlineChosen << 0 << "++.++++";
    QTest::newRow("online chosen HXQ") << OnlineChosen << 1 << "-----+-";
    // Offline work keeps what needs no drive, and the motor parameters as they were.
    QTest::newRow("offline chosen VR") << OfflineChosen << 0 << "++.++--";
    QTest::newRow("offline chosen HXQ") << OfflineChosen << 1 << "-------";
    QTest::newRow("port opened VR") << PortOpened << 0 << "++.++++";
    QTest::newRow("port opened HXQ") << PortOpened << 1 << "-----+-";
    // A closed port leaves the spectrum analysis (it also works on files).
    QTest::newRow("port closed VR") << PortClosed << 0 << "--.-+--";
    QTest::newRow("port closed HXQ") << PortClosed << 1 << "-------";
    QTest::newRow("shown VR") << WindowShown << 0 << "++.++++";
    QTest::newRow("shown HXQ") << WindowShown << 1 << "-------";
    QTest::newRow("drive answered VR") << DriveAnswered << 0 << "++.++++";
    QTest::newRow("drive answered HXQ") << DriveAnswered << 1 << "-------";
    QTest::newRow("link given up VR") << LinkGivenUp << 0 << "--.-+--";
    QTest::newRow("link given up HXQ") << LinkGivenUp << 1 << "-------";
    // Any family other than 0 is the HXQ family.
    QTest::newRow("shown family 2") << WindowShown << 2 << "-------";
    QTest::newRow("port opened family -1") << PortOpened << -1 << "-----+-";
}

void TestActionEnabling::table()
{
    QFETCH(Event, event);
    QFETCH(int, family);
    QFETCH(QString, expected);
    QCOMPARE(spell(settingsFor(event, family)), expected);
}

void TestActionEnabling::password_data()
{
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("family");
    QTest::addColumn<bool>("answered");
    QTest::addColumn<int>("expected");

    QTest::newRow("accepted, VR answering") << true << 0 << true << int(On);
    QTest::newRow("refused, VR answering") << false << 0 << true << int(Off);
    QTest::newRow("accepted, VR silent") << true << 0 << false << int(Keep);
    QTest::newRow("refused, VR silent") << false << 0 << false << int(Keep);
    QTest::newRow("accepted, HXQ answering") << true << 1 << true << int(Keep);
    QTest::newRow("refused, HXQ answering") << false << 1 << true << int(Keep);
}

void TestActionEnabling::password()
{
    QFETCH(bool, accepted);
    QFETCH(int, family);
    QFETCH(bool, answered);
    QFETCH(int, expected);
    QCOMPARE(int(motorParameterAfterPassword(accepted, family, answered)), expected);
}

QTEST_APPLESS_MAIN(TestActionEnabling)
#include "tst_actionenabling.moc"
