// The monitor and drive-information windows against the simulated drive: a sweep in both
// languages with 16/32-bit and bit rows, the requests it makes, an answer that comes too late
// for its row, the port lost while monitoring, and the drive information with its own late
// answer and closed port.

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTreeView>
#include <QSignalSpy>
#include <QTranslator>
#include <QtTest>

#include "boundedwait.h"
#include "linetickets.h"

#include "modalanswerer.h"
#include "monitorrig.h"
#include "tempworkdir.h"
#include "treemodel.h"
#include "unreadvalue.h"
#include "ui_versions.h"

using Failure = SimulatedDrive::Failure;

namespace {

const QString kLinkDown = QStringLiteral("串口未打开/设备未连接/地址未选择");

int rowOf(TreeModel *model, const QString &number)
{
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->index(row, 1).data(Qt::EditRole).toString().trimmed() == number)
            return row;
    }
    return -1;
}

QVariant valueOf(TreeModel *model, const QString &number)
{
    return model->index(rowOf(model, number), 3).data(Qt::EditRole);
}

} // namespace

class TestMonitorWindows : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void sweep_data();
    void sweep();
    void lateAnswerStaysOutOfTheNextRow();
    void portLostWhileMonitoring();
    void languageSwitchWhileClosed();
    void driveInformation();
    void englishTextsAreShownWhole();

private:
    std::unique_ptr<TempWorkDir> workDir;
    std::unique_ptr<ModalBoxAnswerer> answerer;
};

void TestMonitorWindows::init()
{
    workDir = std::make_unique<TempWorkDir>();
    answerer = std::make_unique<ModalBoxAnswerer>();
}

void TestMonitorWindows::cleanup()
{
    answerer.reset();
    workDir.reset();
}

void TestMonitorWindows::sweep_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("qm");
    QTest::addColumn<QString>("firstName");
    QTest::addColumn<QString>("valueHeader");
    QTest::newRow("English") << 0 << ":/translator/Velotrim_EN.qm" << "Motor speed" << "Value/status";
    QTest::newRow("Chinese") << 1 << ":/translator/Velotrim_zh_CN.qm" << "电机转速" << "值/状态";
}

void TestMonitorWindows::sweep()
{
    QFETCH(int, language);
    QFETCH(QString, qm);
    QFETCH(QString, firstName);
    QFETCH(QString, valueHeader);

    QTranslator translator;
    QVERIFY(translator.load(qm));
    QCoreApplication::installTranslator(&translator);
    MonitorRig rig(language);
    QVERIFY(rig.connect());
    rig.drive.setRegister32(0xE018, 0xFFFFFFFE); // 32-bit, negative
    rig.drive.setRegister32(0xE003, 0x00010000); // 32-bit, high word only
    rig.drive.setRegister(0xE009, 0xFFFF);       // 16-bit, negative
    rig.drive.setRegister(0xE012, 0x0011);       // bits 0 and 4
    QSignalSpy pollStopped(rig.monitor.get(), &MonitorWindow::stopMainWindowQuery);
    QSignalSpy pollStarted(rig.monitor.get(), &MonitorWindow::startMainWindowQuery);

    TreeModel *model = rig.monitor->treeModel();
    QCOMPARE(model->rowCount(), 29);
    QCOMPARE(model->index(0, 2).data().toString(), firstName);
    QCOMPARE(model->headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(), valueHeader);
    QCOMPARE(valueOf(model, "dP162").toString(), UnreadValue::text()); // no value until read

    rig.monitor->showMonitor(); // the first sweep runs at once
    QCOMPARE(pollStopped.count(), 1);
    QVERIFY(rig.monitor->isMonitoring());
    QTRY_VERIFY_WITH_TIMEOUT(!rig.monitor->isSweeping(), 10000);
    const QStringList first = rig.heard().mid(0, 29);
    QCOMPARE(first.at(0), QStringLiteral("03 E000 0001"));
    QCOMPARE(first.at(rowOf(model, "dP00A")), QStringLiteral("03 E00A 0001"));
    QCOMPARE(first.at(rowOf(model, "dP024")), QStringLiteral("03 E024 0002"));
    QCOMPARE(first.at(28), QStringLiteral("03 E162 0001"));

    QCOMPARE(valueOf(model, "dP018"), QVariant(-2));
    QCOMPARE(valueOf(model, "dP003"), QVariant(65536));
    QCOMPARE(valueOf(model, "dP009"), QVariant(-1));
    QCOMPARE(valueOf(model, "dP012"), QVariant(QStringLiteral("10001000")));
    QCOMPARE(valueOf(model, "dP050"), QVariant(3000));
    QCOMPARE(valueOf(model, "dP158"), QVariant(47));

    // The sweeps go on once a second, also inside another window's wait, and show a value as it changes.
    rig.drive.setRegister32(0xE003, 0x00020000);
    QVERIFY(BoundedWait::until([&] { return valueOf(model, "dP003") == QVariant(131072); }, 10000));

    rig.monitor->close();
    QVERIFY(!rig.monitor->isMonitoring());
    QCOMPARE(pollStarted.count(), 1);
    // A row's read may still be on its way to the drive: counted once it has ended.
    QTRY_VERIFY(LineTickets::isFinished(LineTickets::lastTaken()));
    const int heard = rig.drive.requestCount(); // closed, it asks nothing more
    QTest::qWait(1200);
    QCOMPARE(rig.drive.requestCount(), heard);
    QCoreApplication::removeTranslator(&translator);
}

// The drive answers E008 after the row's wait has ended; the answer must not land in dP009.
void TestMonitorWindows::lateAnswerStaysOutOfTheNextRow()
{
    MonitorRig rig;
    QVERIFY(rig.connect());
    rig.drive.setRegister(0xE009, 1234);
    rig.drive.setLateDelay(450);
    rig.drive.addReadHook([&rig](int, quint16 addr, quint16) {
        if (addr == 0xE007)
            rig.drive.setFailure(Failure::Late, 1); // applies to the next request, E008
    });
    TreeModel *model = rig.monitor->treeModel();
    model->setData(model->index(rowOf(model, "dP008"), 3), QStringLiteral("stale"), Qt::EditRole);
    rig.monitor->showMonitor();
    QTRY_VERIFY_WITH_TIMEOUT(!rig.monitor->isSweeping(), 20000);
    rig.monitor->close();
    // dP008 is emptied, or (on a slow machine whose wait outlasted the delay)
    // shows its own answer; dP009 shows its own value, never dP008's.
    const QString own = valueOf(model, "dP008").toString();
    QVERIFY2(UnreadValue::isUnread(own) || own == QLatin1String("0"), qPrintable(own));
    QCOMPARE(valueOf(model, "dP009"), QVariant(1234));
    QCOMPARE(valueOf(model, "dP00A"), QVariant(0));

    // Ended and started again while a row's read is on the line: its answer lands in no row of
    // the new sweep, which (longer than a second) runs to its end.
    rig.drive.setRegister(0xE162, 5);
    rig.drive.setReplyDelay(250);
    rig.monitor->showMonitor();
    QTRY_VERIFY_WITH_TIMEOUT(rig.heard().endsWith(QStringLiteral("03 E009 0001")), 20000);
    QVERIFY(QMetaObject::invokeMethod(rig.monitor.get(), "on_pushButton_endMonitor_clicked"));
    QVERIFY(QMetaObject::invokeMethod(rig.monitor.get(), "on_pushButton_startMonitor_clicked"));
    QTRY_COMPARE_WITH_TIMEOUT(valueOf(model, "dP162"), QVariant(5), 20000);
    QCOMPARE(valueOf(model, "dP000"), QVariant(0));
}

void TestMonitorWindows::portLostWhileMonitoring()
{
    MonitorRig rig;
    QVERIFY(rig.connect());
    rig.monitor->showMonitor();
    QVERIFY(rig.monitor->isMonitoring());
    QTRY_COMPARE_WITH_TIMEOUT(valueOf(rig.monitor->treeModel(), "dP050"), QVariant(3000), 10000);
    rig.drive.dropLink();
    QTRY_VERIFY_WITH_TIMEOUT(!rig.monitor->isMonitoring(), 10000);
    QTest::qWait(1500); // no further sweep, no further message
    QCOMPARE(answerer->count(), 0); // the link tells it
    QCOMPARE(valueOf(rig.monitor->treeModel(), "dP050").toString(), UnreadValue::text());
    auto *note = rig.monitor->findChild<QLabel *>(QStringLiteral("label_state"));
    QCOMPARE(note->text(), QStringLiteral("通讯中断，监控已停止"));
    rig.monitor->loadTreeChinese(); // a language switch takes the note away too
    QCOMPARE(note->text(), QString());
    note->setText(QStringLiteral("通讯中断，监控已停止"));
    // Connected again: the note goes; started again: the values come.
    QVERIFY(rig.connect());
    QCOMPARE(note->text(), QString());
    QVERIFY(QMetaObject::invokeMethod(rig.monitor.get(), "on_pushButton_startMonitor_clicked"));
    QTRY_COMPARE_WITH_TIMEOUT(valueOf(rig.monitor->treeModel(), "dP050"), QVariant(3000), 10000);
}

void TestMonitorWindows::languageSwitchWhileClosed()
{
    MonitorRig rig(1);
    QSignalSpy pollStarted(rig.monitor.get(), &MonitorWindow::startMainWindowQuery);
    rig.monitor->loadTreeEnglish();
    QCOMPARE(rig.monitor->treeModel()->index(0, 2).data().toString(), QStringLiteral("Motor speed"));
    QCOMPARE(rig.monitor->treeModel()->index(10, 4).data().toString(), QStringLiteral("-"));
    QCOMPARE(pollStarted.count(), 1);
    rig.monitor->loadTreeChinese();
    QCOMPARE(rig.monitor->treeModel()->index(28, 4).data().toString(), QStringLiteral("[1圈]"));
    writeChoices(0, 0); // English chosen since: offline too, the names follow it
    rig.monitor->showMonitor();
    QCOMPARE(rig.monitor->treeModel()->index(0, 2).data().toString(), QStringLiteral("Motor speed"));
}

void TestMonitorWindows::driveInformation()
{
    MonitorRig rig;
    Ui::Versions *form = nullptr;
    const auto text = [&rig](const char *name) { return rig.versions->findChild<QLineEdit *>(name)->text(); };

    // Port closed: one message, nothing sent.
    rig.versions->showVersionWindow();
    QCOMPARE(answerer->countWithText(kLinkDown), 1);
    QCOMPARE(answerer->count(), 1);
    QVERIFY(rig.connect());
    Q_UNUSED(form)

    rig.versions->showVersionWindow();
    QCOMPARE(rig.heard().size(), 15);
    QCOMPARE(rig.heard().first(), QStringLiteral("03 C004 0001"));
    const QStringList expected{ "V1.03", "V1.10", "V2.05", "旋转型", "750 W", "AC 220 V", "300 %", "131072 Pules",
                                "750 W", "AC 220 V", "3000 Rpm", "6000 Rpm", "2.390 NM", "4.700 A", "14.100 A" };
    const QStringList fields{ "lineEdit_DSP1", "lineEdit_DSP2", "lineEdit_FPGA", "lineEdit_DriverType",
                              "lineEdit_DriverPower", "lineEdit_DriverLevel", "lineEdit_DriverOverLoad",
                              "lineEdit_MoterDistinguishability", "lineEdit_MotorPower", "lineEdit_MoterLevel",
                              "lineEdit_MoterNominalSpeed", "lineEdit_MoterMaxSpeed", "lineEdit_NominalTorque",
                              "lineEdit_NominalElectrcity", "lineEdit_MaxElectricity" };
    for (int i = 0; i < fields.size(); ++i)
        QCOMPARE(text(qPrintable(fields.at(i))), expected.at(i));
    QVERIFY(!rig.versions->findChild<QFrame *>("frame_4")->isHidden());
    QVERIFY(rig.versions->findChild<QFrame *>("frame_6")->isHidden());

    // The first version answered too late: its field stays empty, the next one shows its own.
    rig.drive.setLateDelay(150);
    rig.drive.setFailure(Failure::Late, 1);
    rig.versions->showVersionWindow();
    // (On a slow machine whose wait outlasted the delay, MCU1 shows its own answer.)
    QVERIFY(text("lineEdit_DSP1").isEmpty() || text("lineEdit_DSP1") == QLatin1String("V1.03"));
    QCOMPARE(text("lineEdit_DSP2"), QStringLiteral("V1.10"));
    QCOMPARE(answerer->count(), 1);
    rig.drive.setFailure(Failure::NoAnswer, 1); // unanswered: not read, not the last refresh's value
    rig.versions->showVersionWindow();
    QCOMPARE(text("lineEdit_DSP1") + rig.versions->findChild<QLineEdit *>("lineEdit_DSP1")->placeholderText(), UnreadValue::text());
    rig.drive.dropLink(); // nothing read over a lost link is shown
    for (const QString &field : fields) // each in the one look of a value not read
        QTRY_COMPARE(text(qPrintable(field)) + rig.versions->findChild<QLineEdit *>(field)->placeholderText(), UnreadValue::text());
}

// The English texts are longer than the Chinese ones the windows' sizes were made for.
void TestMonitorWindows::englishTextsAreShownWhole()
{
    MonitorRig switched(1); // built under the Chinese texts, then switched
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral(":/translator/Velotrim_EN.qm")));
    QCoreApplication::installTranslator(&translator);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    MonitorRig rig(0);

    // Monitor: value and unit columns and their headers whole, and in view without scrolling.
    rig.monitor->show();
    QCoreApplication::processEvents(); // laid out when shown
    auto *view = rig.monitor->findChild<QTreeView *>(QStringLiteral("treeView"));
    for (int column : { 3, 4 }) {
        QVERIFY(view->columnWidth(column) >= static_cast<QAbstractItemView *>(view)->sizeHintForColumn(column));
        QVERIFY(view->columnWidth(column) >= view->header()->sectionSizeHint(column));
    }
    QTRY_COMPARE(view->horizontalScrollBar()->maximum(), 0);
    rig.monitor->close();

    // JOG control: the buttons beside the program fields, in English from the start and after a switch.
    for (controlWindow *control : { rig.control.get(), switched.control.get() }) {
        control->findChild<QTabWidget *>(QStringLiteral("tabWidget"))->setCurrentIndex(1);
        control->show();
        QCoreApplication::processEvents(); // laid out when shown
        for (const char *name : { "pushButton_ProgramON", "pushButton_programForeward", "pushButton_programStop",
                                  "pushButton_programReversal" }) {
            auto *button = control->findChild<QPushButton *>(QLatin1String(name));
            QVERIFY2(button->text() != QStringLiteral("正转") && button->width() >= button->sizeHint().width(), name);
        }
        control->close();
    }

    // Drive information: the three version captions.
    rig.versions->show();
    QCoreApplication::processEvents(); // laid out when shown
    for (const char *name : { "label", "label_2", "label_3" }) {
        auto *label = rig.versions->findChild<QLabel *>(QLatin1String(name));
        const bool whole = label->wordWrap()
            ? label->minimumSizeHint().width() <= label->width() && label->heightForWidth(label->width()) <= label->height()
            : label->sizeHint().width() <= label->width();
        QVERIFY2(whole, qPrintable(label->text()));
    }
    rig.versions->close();
    QCoreApplication::removeTranslator(&translator);
}

QTEST_MAIN(TestMonitorWindows)
#include "tst_monitorwindows.moc"
