// The auxiliary-function panel with a stand-in link: a read reply reaches only the dialog
// whose read is waiting for it, a write is confirmed only by its own echo, handed over for it, the
// link-down message comes once per run of refused reads; and the rigidity field never shows a
// level outside 1..25, nor one in place of what was typed.

#include <QLineEdit>
#include <QSlider>
#include <QtTest>

#include "auxcoding.h"
#include "framecodec.h"
#include "function_af11.h"
#include "function_af30.h"
#include "function_af4.h"
#include "linkstandin.h"
#include "mastercontrol.h"
#include "modalanswerer.h"
#include "ui_function_af30.h"

namespace {

using Reply = void (masterControl::*)(QVector<QString>);
const QMap<int, Reply> kReplies{
    { 1, &masterControl::sendToShowAF1 }, { 2, &masterControl::sendToShowAlram }, { 3, &masterControl::sendToShowAF6 },
    { 4, &masterControl::sendToShowAF7 }, { 5, &masterControl::sendToShowAF8 }, { 6, &masterControl::sendToShowAF11 },
    { 8, &masterControl::sendToShowAF30 } };

QString echoOf(const QString &body)
{
    return body + FrameCodec::crc16Modbus(body);
}

} // namespace

class TestAuxPanel : public QObject
{
    Q_OBJECT

private slots:
    void replyRouting_data();
    void replyRouting();
    void writeEcho_data();
    void writeEcho();
    void linkDownMessageOncePerRun();
    void rigidityField_data();
    void rigidityField();
};

void TestAuxPanel::replyRouting_data()
{
    QTest::addColumn<int>("windowId");
    QTest::addColumn<QString>("when"); // "during" the read's wait, "twice" during it, "late" after it
    QTest::addColumn<QList<int>>("heard");

    for (int id : kReplies.keys())
        QTest::newRow(qPrintable(QStringLiteral("window %1").arg(id))) << id << "during" << QList<int>{ id };
    QTest::newRow("window 7 has no dialog") << 7 << "during" << QList<int>{};
    QTest::newRow("one reply per read") << 3 << "twice" << QList<int>{ 3 };
    QTest::newRow("a late reply goes nowhere") << 2 << "late" << QList<int>{};
}

void TestAuxPanel::replyRouting()
{
    QFETCH(int, windowId);
    QFETCH(QString, when);
    QFETCH(QList<int>, heard);

    masterControl panel;
    panel.receiveSerialIsOK(true);
    QList<int> dialogs;
    for (auto it = kReplies.cbegin(); it != kReplies.cend(); ++it) {
        const int id = it.key();
        // A dialog takes its reply and acknowledges it.
        connect(&panel, it.value(), &panel, [&dialogs, &panel, id](QVector<QString>) {
            dialogs << id;
            panel.AlarmIsOk(true);
        });
    }
    connect(&panel, &masterControl::readSerialMoster, &panel, [&](QByteArray, QByteArray, int code) {
        QCOMPARE(code, 6);
        if (when != QLatin1String("late"))
            panel.receiveToShowAlarm({ QStringLiteral("0001") });
        if (when == QLatin1String("twice"))
            panel.receiveToShowAlarm({ QStringLiteral("0002") });
    });
    QSignalSpy discard(&panel, &masterControl::AlarmOK);

    panel.receiveFunctionAFRead("E007", "0001", windowId);
    if (when == QLatin1String("late"))
        panel.receiveToShowAlarm({ QStringLiteral("0001") });

    QCOMPARE(dialogs, heard);
    QCOMPARE(discard.count(), 2);
    QCOMPARE(discard.last().at(0).toBool(), !heard.isEmpty());
}

void TestAuxPanel::writeEcho_data()
{
    QTest::addColumn<QString>("echo");     // handed over for each write: "own", "bad CRC", "other", "lost", "" none
    QTest::addColumn<bool>("lateEcho");    // a valid echo of the write after its wait, before the next
    QTest::addColumn<QList<int>>("outcomes");

    const int confirmed = AuxCoding::WriteConfirmed;
    const int unconfirmed = AuxCoding::WriteUnconfirmed;
    QTest::newRow("its own echo") << "own" << false << QList<int>{ confirmed, confirmed };
    QTest::newRow("bad CRC") << "bad CRC" << false << QList<int>{ unconfirmed, unconfirmed };
    QTest::newRow("a stop's echo on its request confirms no write") << "other" << false << QList<int>{ unconfirmed, unconfirmed };
    QTest::newRow("no echo") << "" << false << QList<int>{ unconfirmed, unconfirmed };
    QTest::newRow("late echo confirms no later write") << "" << true << QList<int>{ unconfirmed, unconfirmed };
    QTest::newRow("link lost while it waits: refused") << "lost" << false << QList<int>{ AuxCoding::WriteRefused, AuxCoding::WriteRefused };
}

void TestAuxPanel::writeEcho()
{
    QFETCH(QString, echo);
    QFETCH(bool, lateEcho);
    QFETCH(QList<int>, outcomes);

    ModalBoxAnswerer boxes;
    masterControl panel;
    panel.writeWaitMs = 30;
    panel.receiveSerialIsOK(true);
    // As the link: the echo goes to the panel as the answer to the write's own request.
    const auto answer = [&](const QByteArray &function, const QByteArray &addr, const QByteArray &data) {
        QString frame = echoOf(QString::fromLatin1("01" + function + addr + data.left(4)));
        if (echo == QLatin1String("bad CRC"))
            frame.replace(frame.size() - 1, 1, frame.endsWith('0') ? "1" : "0");
        else if (echo == QLatin1String("other"))
            frame = echoOf(QStringLiteral("010620010000"));
        if (echo == QLatin1String("lost"))
            panel.receiveSerialIsOK(false);
        else if (!echo.isEmpty())
            handOverAsTheLink([&] { panel.receiveToCheck(frame); });
    };
    connect(&panel, &masterControl::writeSerialMoster, &panel, [&](QByteArray addr, QByteArray value, int) { answer("06", addr, value); });
    connect(&panel, &masterControl::writeSerialMoster2, &panel, [&](QByteArray addr, QByteArray data, int) { answer("10", addr, data); });
    QSignalSpy outcome(&panel, &masterControl::writeOutcome);

    panel.receiveFunctionAF("2000", "0000", 4);
    if (lateEcho)
        panel.receiveToCheck(echoOf(QStringLiteral("010620000000")));
    panel.receiveFunctionAF2("0E53", "00020400300000", 4);

    QCOMPARE(outcome.count(), 2);
    QList<int> seen;
    for (const QList<QVariant> &args : outcome) {
        QCOMPARE(args.at(0).toInt(), 4);
        seen << args.at(1).toInt();
    }
    QCOMPARE(seen, outcomes);
}

void TestAuxPanel::linkDownMessageOncePerRun()
{
    ModalBoxAnswerer boxes;
    masterControl panel;
    panel.writeWaitMs = 10;
    QSignalSpy sent(&panel, &masterControl::writeSerialMoster);
    QSignalSpy outcome(&panel, &masterControl::writeOutcome);
    const QString linkDown = QStringLiteral("串口未打开/设备未连接/地址未选择");

    // Buttons enabled by the online state do not open the port.
    panel.receiveMainWindow(true);
    panel.receiveFunctionAFRead("E001", "0002", 1); // a read says it first, then every write
    for (int i = 0; i < 3; ++i)
        panel.receiveFunctionAF("2000", "0000", 1);
    panel.receiveFunctionAFRead("E001", "0002", 1);
    QCOMPARE(boxes.countWithText(linkDown), 4);
    QCOMPARE(outcome.count(), 3);
    QCOMPARE(outcome.last().at(1).toInt(), int(AuxCoding::WriteRefused));
    panel.receiveFunctionAF("2000", "0000", 1);
    QCOMPARE(boxes.countWithText(linkDown), 5);
    QCOMPARE(sent.count(), 0);

    panel.receiveSerialIsOK(true);
    panel.receiveFunctionAF("2000", "0000", 1);
    QCOMPARE(sent.count(), 1);
    panel.receiveSerialIsOK(false);
    panel.receiveFunctionAFRead("E001", "0002", 1); // a link that went down has told it itself
    panel.receiveFunctionAF("2000", "0000", 1);
    QCOMPARE(boxes.countWithText(linkDown), 6);
    QCOMPARE(boxes.last().title, QStringLiteral("error"));
    // The two buttons that ask before they write say it first, and ask nothing.
    function_AF4 alarms;
    Function_AF11 encoder;
    alarms.on_pushButton_AF4_clicked();
    encoder.on_pushButton_AF11_clicked();
    QCOMPARE(boxes.count(), 8);
    QCOMPARE(boxes.countWithText(linkDown), 8);
}

void TestAuxPanel::rigidityField_data()
{
    QTest::addColumn<int>("startLevel");
    QTest::addColumn<QString>("typed");  // typed into the field and Return, or empty; after a read, written
    QTest::addColumn<QString>("reply");  // the PA100 word read, or empty
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("gain");       // the PA100 value the level writes

    QTest::newRow("typed 30 stays, not cut to 25, the slider not moved by its 3") << 1 << "30" << "" << "30" << 150;
    QTest::newRow("typed 0 stays, the level too") << 7 << "0" << "" << "0" << 1000;
    QTest::newRow("typed text") << 7 << "x" << "" << "x" << 1000;
    QTest::newRow("typed 12") << 1 << "12" << "" << "12" << 2000;
    QTest::newRow("9 taken, 9100 refused: field and slider at the drive's level") << 1 << "9\r100" << "0190" << "4" << 400;
    QTest::newRow("read 400") << 1 << "" << "0190" << "4" << 400;
    QTest::newRow("read 401") << 1 << "" << "0191" << "5" << 600;
    QTest::newRow("read -1") << 9 << "" << "FFFF" << "1" << 150;
    QTest::newRow("read 6000") << 1 << "" << "1770" << "25" << 5400;
    QTest::newRow("read 6000 at level 25") << 25 << "" << "1770" << "25" << 5400;
}

void TestAuxPanel::rigidityField()
{
    QFETCH(int, startLevel);
    QFETCH(QString, typed);
    QFETCH(QString, reply);
    QFETCH(QString, shown);
    QFETCH(int, gain);

    function_AF30 dialog;
    QLineEdit *field = dialog.findChild<QLineEdit *>(QStringLiteral("lineEdit_Value"));
    QSlider *slider = dialog.findChild<QSlider *>(QStringLiteral("horizontalSlider"));
    QCOMPARE(field->text(), QStringLiteral("1"));
    slider->setValue(startLevel);
    if (!reply.isEmpty()) { // the level is not known from the read on (the slider greyed at its start)
        dialog.on_pushButton_read_clicked();
        dialog.receiveAF30Values({ reply });
    }
    if (!typed.isEmpty()) {
        field->clear();
        QTest::keyClicks(field, typed);
        QTest::keyClick(field, Qt::Key_Return);
    }
    ModalBoxAnswerer boxes;
    if (!typed.isEmpty() && !reply.isEmpty())
        dialog.on_pushButton_write_clicked();
    QCOMPARE(field->text(), shown);
    QCOMPARE(dialog.speedLoopGain, gain);
}

QTEST_MAIN(TestAuxPanel)
#include "tst_auxpanel.moc"
