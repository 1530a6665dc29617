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
    void password();
    void reasons();
};

void TestActionEnabling::table_data()
{
    QTest::addColumn<Event>("event");
    QTest::addColumn<QString>("vr");
    QTest::addColumn<QString>("hxq");

    // Before any connection only the motor-parameter action is off, whatever the family.
    QTest::newRow("construction") << Construction << "++-++++" << "++-++++";
    QTest::newRow("online chosen") << OnlineChosen << "++.++++" << "-----+-";
    // Offline work keeps what needs no drive, and the motor parameters as they were.
    QTest::newRow("offline chosen") << OfflineChosen << "++.++--" << "-------";
    QTest::newRow("port opened") << PortOpened << "++.++++" << "-----+-";
    // A closed port leaves the spectrum analysis (it also works on files).
    QTest::newRow("port closed") << PortClosed << "--.-+--" << "-------";
    QTest::newRow("shown") << WindowShown << "++.++++" << "-----.-";
    QTest::newRow("drive answered") << DriveAnswered << "++.++++" << "-----+-";
    QTest::newRow("link given up") << LinkGivenUp << "--.-+--" << "-------";
}

void TestActionEnabling::table()
{
    QFETCH(Event, event);
    QFETCH(QString, vr);
    QFETCH(QString, hxq);
    QCOMPARE(spell(settingsFor(event, 0)), vr);
    // Any family other than 0 is the HXQ family.
    for (const int family : {1, 2, -1})
        QCOMPARE(spell(settingsFor(event, family)), hxq);
}

void TestActionEnabling::password()
{
    // Only a VR drive that answered the last poll is switched by a password entry.
    QCOMPARE(motorParameterAfterPassword(true, 0, true), On);
    QCOMPARE(motorParameterAfterPassword(false, 0, true), Off);
    QCOMPARE(motorParameterAfterPassword(true, 0, false), Keep);
    QCOMPARE(motorParameterAfterPassword(false, 0, false), Keep);
    QCOMPARE(motorParameterAfterPassword(true, 1, true), Keep);
    QCOMPARE(motorParameterAfterPassword(false, 1, true), Keep);
}

// A disabled action's tip says why; the HXQ family's live trend only waits for a drive.
void TestActionEnabling::reasons()
{
    QCOMPARE(reasonDisabled(Dynamic, false, 1), NoLink);
    QCOMPARE(reasonDisabled(Monitor, false, 0), NoLink);
    QCOMPARE(reasonDisabled(Monitor, true, 0), NoReason);
}

QTEST_APPLESS_MAIN(TestActionEnabling)
#include "tst_actionenabling.moc"
