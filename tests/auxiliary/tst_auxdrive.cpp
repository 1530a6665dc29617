// Every auxiliary function against the simulated drive, through the panel and serialPort
// wired as the program wires them: the exact requests each function sends, what the dialogs
// then show, the alarm history in both languages, refused offsets, lost echoes and late
// answers.

#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QTableWidget>
#include <QTimer>
#include <QTranslator>
#include <QtTest>

#include <utility>

#include "function_af1.h"
#include "function_af11.h"
#include "function_af30.h"
#include "function_af4.h"
#include "function_af6.h"
#include "function_af7.h"
#include "functionaf8.h"
#include "mastercontrol.h"
#include "drivecommands.h"
#include "modalanswerer.h"
#include "serialport.h"
#include "drivestate.h"
#include "simauxiliary.h"
#include "simlive.h"
#include "simulateddrive.h"
#include "simulatedmodel.h"
#include "tempworkdir.h"
#include "unreadvalue.h"

using Answer = ModalBoxAnswerer::Answer;
using Failure = SimulatedDrive::Failure;

namespace {

const QString kNotConfirmed = QStringLiteral("驱动器未确认写入,操作已中止");

enum class Operation { Teaching, AlarmReset, HistoryClear, AnalogAdjust, SpeedUp, TorqueDown, SpeedAdjust,
                       TorqueAdjust, Rigidity10, EncoderReset };

// The link, the panel and the seven dialogs, connected as main connects them.
struct Rig {
    explicit Rig(int language = 1)
    {
        QSettings(QStringLiteral("language.ini"), QSettings::IniFormat).setValue(QStringLiteral("config/languageChoose"), language);
        SimulatedModel::install(drive, 0);
        aux = drive.part<SimAuxiliary>();
        panel.readWaitMs = 300; // the drive answers in a few ms; a loaded machine may take longer
        af11.retryPauseMs = 20;
        // The box answerer closes an application-modal window it finds without a box on it.
        af11.setWindowModality(Qt::NonModal);
        QObject::connect(&panel, &masterControl::writeSerialMoster, &link, &serialPort::writeSerial);
        QObject::connect(&link, &serialPort::writeDataToMaster, &panel, &masterControl::receiveToCheck);
        QObject::connect(&panel, &masterControl::readSerialMoster, &link, &serialPort::readSerial);
        QObject::connect(&link, &serialPort::readDataToMaster, &panel, &masterControl::receiveToShowAlarm);
        QObject::connect(&panel, &masterControl::writeSerialMoster2, &link, &serialPort::writeSerial2);
        QObject::connect(&panel, &masterControl::AlarmOK, &link, &serialPort::TreeViewOk);
        QObject::connect(&link, &serialPort::isOpenSerial, &panel, &masterControl::receiveSerialIsOK);
        wire(&af1, &masterControl::sendToShowAF1, &Function_AF1::ReadDataToShow, &Function_AF1::sendToMaster,
             &Function_AF1::sendToMasterToRead, &Function_AF1::AlarmIsOk);
        wire(&af4, &masterControl::sendToShowAlram, &function_AF4::receiveAlarmData, &function_AF4::sendToMaster,
             &function_AF4::sendToMasterAlarm, &function_AF4::AlarmIsOK);
        wire(&af6, &masterControl::sendToShowAF6, &Function_AF6::readDataToAF6, &Function_AF6::sendToMaster,
             &Function_AF6::sendToMasterRead, &Function_AF6::AlarmIsOk);
        wire(&af7, &masterControl::sendToShowAF7, &Function_AF7::readDataToAF7, &Function_AF7::sendToMaster,
             &Function_AF7::sendToMasterRead, &Function_AF7::AlarmIsOk);
        QObject::connect(&af7, &Function_AF7::sendToMasterWrite2, &panel, &masterControl::receiveFunctionAF2);
        wire(&af8, &masterControl::sendToShowAF8, &FunctionAF8::readDataToAF8, &FunctionAF8::sendToMaster,
             &FunctionAF8::sendToMasterRead, &FunctionAF8::AlarmIsOk);
        wire(&af11, &masterControl::sendToShowAF11, &Function_AF11::ReadDataToAF11, &Function_AF11::sendToMaster,
             &Function_AF11::sendToMasterToRead, &Function_AF11::AlarmIsOk);
        wire(&af30, &masterControl::sendToShowAF30, &function_AF30::receiveAF30Values, &function_AF30::sendToMaster,
             &function_AF30::sendToMasterToRead, &function_AF30::AlarmIsOk);
    }

    template <typename Dialog, typename ReplySlot, typename Write, typename Read, typename Ack>
    void wire(Dialog *dialog, void (masterControl::*reply)(QVector<QString>), ReplySlot replySlot, Write write, Read read, Ack ack)
    {
        QObject::connect(&panel, reply, dialog, replySlot);
        QObject::connect(dialog, write, &panel, &masterControl::receiveFunctionAF);
        QObject::connect(dialog, read, &panel, &masterControl::receiveFunctionAFRead);
        QObject::connect(dialog, ack, &panel, &masterControl::AlarmIsOk);
        QObject::connect(&panel, &masterControl::writeOutcome, dialog, &Dialog::receiveWriteOutcome);
    }

    bool connect()
    {
        if (!drive.start() || !link.openPort(drive.portName(), 115200))
            return false;
        emit link.isOpenSerial(true);
        drive.clearRequests();
        return true;
    }

    // The requests the drive heard: "06 2000=0000", "10 0E53=00020400300000", "03 E001/0002".
    QStringList heard() const
    {
        QStringList out;
        for (const QByteArray &frame : drive.requests()) {
            const QString hex = QString::fromLatin1(frame.toHex().toUpper());
            const QString fc = hex.mid(2, 2);
            const QString body = hex.mid(4, hex.size() - 8);
            if (fc == QLatin1String("03"))
                out << QStringLiteral("03 %1/%2").arg(body.left(4), body.mid(4));
            else if (fc == QLatin1String("06"))
                out << QStringLiteral("06 %1=%2").arg(body.left(4), body.mid(4));
            else
                out << QStringLiteral("%1 %2=%3").arg(fc, body.left(4), body.mid(4));
        }
        return out;
    }

    template <typename Dialog>
    QString field(Dialog &dialog, const char *name) const
    {
        return dialog.template findChild<QLineEdit *>(QLatin1String(name))->text();
    }

    TempWorkDir dir;
    ModalBoxAnswerer boxes{ Answer::Yes };
    SimulatedDrive drive{ 1 };
    SimAuxiliary *aux = nullptr;
    serialPort link;
    masterControl panel;
    Function_AF1 af1;
    function_AF4 af4;
    Function_AF6 af6;
    Function_AF7 af7;
    FunctionAF8 af8;
    Function_AF11 af11;
    function_AF30 af30;
};

QStringList historyReads()
{
    QStringList reads;
    for (int k = 0; k < 10; ++k)
        reads << QStringLiteral("03 %1/0002").arg(0xE32A + 2 * k, 4, 16).toUpper();
    for (int k = 0; k < 10; ++k)
        reads << QStringLiteral("03 %1/0001").arg(0xE300 + k, 4, 16).toUpper();
    return reads << QStringLiteral("03 E30A/0001");
}

} // namespace

Q_DECLARE_METATYPE(Operation)

class TestAuxDrive : public QObject
{
    Q_OBJECT

private slots:
    void functions_data();
    void functions();
    void alarmHistory_data();
    void alarmHistory();
    void encoderReset_data();
    void encoderReset();
    void refusedOffsetsWriteNothing_data();
    void refusedOffsetsWriteNothing();
    void rigidityAfterAWriteNotConfirmed_data();
    void rigidityAfterAWriteNotConfirmed();
    void lostEchoStopsTheSequence();
    void lateAnswerIsShownNowhere();
    void unansweredFieldsShowNoValue();
    void commandRunsOnce_data();
    void commandRunsOnce();
};

void TestAuxDrive::functions_data()
{
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<QStringList>("requests");
    QTest::addColumn<QString>("field");   // "dialog/objectName" of the field checked afterwards
    QTest::addColumn<QString>("shown");

    const QString select0 = QStringLiteral("06 2000=0000");
    QTest::newRow("position teaching") << Operation::Teaching
        << QStringList{ select0, "06 2000=1001", "06 2001=0004", "03 E001/0002", "03 E003/0002" } << "af1/lineEdit" << "0";
    QTest::newRow("alarm reset") << Operation::AlarmReset
        << QStringList{ select0, "06 2000=2001", "06 2001=0001", "03 E30A/0001" } << "af4/lineEdit_current" << "No Alarm";
    QTest::newRow("alarm history clear")
        << Operation::HistoryClear << (QStringList{ select0, "06 2000=1004", "06 2001=0001" } + historyReads())
        << "af4/lineEdit_current" << "E.A20";
    QTest::newRow("analog offset auto-adjust") << Operation::AnalogAdjust
        << QStringList{ select0, "06 2000=1006", "06 2001=0001", "03 E007/0001", "03 E009/0001" } << "" << "";
    QTest::newRow("speed offset up") << Operation::SpeedUp
        << QStringList{ select0, "06 2000=1007", "06 2001=0002", "03 E007/0001", "03 E30B/0001" } << "af7/lineEdit_AF7Value" << "1";
    QTest::newRow("torque offset down") << Operation::TorqueDown
        << QStringList{ select0, "06 2000=1008", "06 2001=0003", "03 E009/0001", "03 E30C/0001" } << "af8/lineEdit_AF8Value" << "-1";
    QTest::newRow("speed offset 3") << Operation::SpeedAdjust
        << QStringList{ "06 2003=9C47", "10 0E53=00020400300000", "03 E007/0001", "03 E30B/0001" } << "af7/lineEdit_AF7Value" << "3";
    QTest::newRow("torque offset -1") << Operation::TorqueAdjust
        << QStringList{ "06 2003=9C47", "06 0E56=FFF0", "03 E009/0001", "03 E30C/0001" } << "af8/lineEdit_AF8Value" << "-1";
    QTest::newRow("rigidity level 10") << Operation::Rigidity10
        << QStringList{ "06 0100=0640", "06 0101=01F4", "06 0102=0640", "06 0401=0019" } << "af30/lineEdit_Value" << "10";
    QTest::newRow("absolute encoder reset") << Operation::EncoderReset
        << QStringList{ select0, "06 2000=1011", "06 2001=0002", "06 2001=0001", "03 2036/0001", "03 2036/0001", "03 2036/0001" }
        << "" << "";
}

void TestAuxDrive::functions()
{
    QFETCH(Operation, operation);
    QFETCH(QStringList, requests);
    QFETCH(QString, field);
    QFETCH(QString, shown);

    Rig rig;
    QVERIFY(rig.connect());
    rig.drive.part<DriveState>()->setAlarm(0x0A20); // a current alarm for the reset to clear
    // While an offset dialog's requests go, its buttons and its Modifiers field (the read-back
    // would replace what is typed) are greyed; the voltage field always is.
    bool offsetControlEnabled = false;
    const auto watch = [&](QWidget *dialog) {
        return [&offsetControlEnabled, dialog] {
            for (QWidget *control : dialog->findChildren<QWidget *>())
                offsetControlEnabled |= (qobject_cast<QPushButton *>(control) || qobject_cast<QLineEdit *>(control)) && control->isEnabled();
        };
    };
    for (auto request : { &FunctionAF8::sendToMaster, &FunctionAF8::sendToMasterRead })
        connect(&rig.af8, request, watch(&rig.af8));
    for (auto request : { &Function_AF7::sendToMaster, &Function_AF7::sendToMasterRead, &Function_AF7::sendToMasterWrite2 })
        connect(&rig.af7, request, watch(&rig.af7));
    switch (operation) {
    case Operation::Teaching: rig.af1.on_pushButton_AF1_clicked(); break;
    case Operation::AlarmReset: rig.af4.on_pushButton_resert_clicked(); break;
    case Operation::HistoryClear:
        rig.af4.on_pushButton_AF4_clicked();
        QCOMPARE(rig.af4.findChild<QTableWidget *>()->item(0, 0)->text(), QStringLiteral("-"));
        QCOMPARE(rig.af4.findChild<QTableWidget *>()->item(0, 1)->text(), QStringLiteral("-"));
        break;
    case Operation::AnalogAdjust: rig.af6.on_pushButton_AF6_clicked(); break;
    case Operation::SpeedUp: rig.af7.on_pushButton_AF7UP_clicked(); break;
    case Operation::TorqueDown: rig.af8.on_pushButton_AF8Down_clicked(); break;
    case Operation::SpeedAdjust:
        rig.af7.findChild<QLineEdit *>(QStringLiteral("lineEdit_AF7Value"))->setText(QStringLiteral("3"));
        rig.af7.on_pushButton_adjust_clicked();
        break;
    case Operation::TorqueAdjust:
        rig.af8.findChild<QLineEdit *>(QStringLiteral("lineEdit_AF8Value"))->setText(QStringLiteral("-1"));
        rig.af8.on_pushButton_adjust_clicked();
        break;
    case Operation::Rigidity10:
        rig.af30.findChild<QSlider *>(QStringLiteral("horizontalSlider"))->setValue(10);
        rig.af30.on_pushButton_write_clicked();
        QCOMPARE(rig.drive.registerValue(0x0100), quint16(1600));
        QCOMPARE(rig.drive.registerValue(0x0401), quint16(25));
        break;
    case Operation::EncoderReset:
        rig.aux->setEncoderResetResults({ 0, 0, 1 });
        rig.af11.show();
        rig.af11.on_pushButton_AF11_clicked();
        QCOMPARE(rig.boxes.last().text, QStringLiteral("复位成功,断电重启生效"));
        QVERIFY(rig.af11.isHidden());
        QCOMPARE(rig.drive.registerValue(0xE162), quint16(0));
        break;
    }
    QCOMPARE(rig.heard(), requests);
    QCOMPARE(rig.boxes.countWithText(kNotConfirmed), 0);
    QVERIFY(!offsetControlEnabled);
    if (field.isEmpty())
        return;
    QWidget *dialogs[] = { &rig.af1, &rig.af4, &rig.af7, &rig.af8, &rig.af30 };
    const QStringList names{ "af1", "af4", "af7", "af8", "af30" };
    QWidget *dialog = dialogs[names.indexOf(field.section('/', 0, 0))];
    QLineEdit *shownIn = dialog->findChild<QLineEdit *>(field.section('/', 1));
    QCOMPARE(shownIn->text(), shown);
    if (dialog != &rig.af7 && dialog != &rig.af8)
        return;
    offsetControlEnabled = false;
    dialog == &rig.af7 ? rig.af7.showAF7() : rig.af8.showAF8(); // its opening's reads: greyed too
    QVERIFY(!offsetControlEnabled && rig.heard().size() == requests.size() + 2);
    // Free again after the run, and greyed looks greyed: the buttons' text, the field's ground.
    for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
        QVERIFY(button->isEnabled());
        const QImage pressable = button->grab().toImage();
        button->setEnabled(false);
        QVERIFY(pressable != button->grab().toImage());
    }
    QVERIFY(shownIn->isEnabled());
    shownIn->setEnabled(false);
    QCOMPARE(shownIn->grab().toImage().pixelColor(shownIn->width() - 4, shownIn->height() / 2), QColor(226, 226, 226));
}

void TestAuxDrive::alarmHistory_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("latest");
    QTest::addColumn<QStringList>("oldest");
    QTest::addColumn<QString>("codeHeader");

    QTest::newRow("Chinese") << 1 << QStringList{ "E.190", "482351.7", "欠电压" } << QStringList{ "E.180", "274.1", "过电压" }
                             << "报警号";
    QTest::newRow("English") << 0 << QStringList{ "E.190", "482351.7", "undervoltage" }
                             << QStringList{ "E.180", "274.1", "overvoltage" } << "Alarm number";
}

void TestAuxDrive::alarmHistory()
{
    QFETCH(int, language);
    QFETCH(QStringList, latest);
    QFETCH(QStringList, oldest);
    QFETCH(QString, codeHeader);

    QTranslator translator;
    QVERIFY(translator.load(language ? QStringLiteral(":/translator/Velotrim_zh_CN.qm") : QStringLiteral(":/translator/Velotrim_EN.qm")));
    QCoreApplication::installTranslator(&translator);
    Rig rig(language);
    QVERIFY(rig.connect());
    rig.af4.showAF4();
    QTableWidget *table = rig.af4.findChild<QTableWidget *>();
    const auto row = [table](int r) {
        QStringList cells;
        for (int c = 0; c < 3; ++c)
            cells << (table->item(r, c) ? table->item(r, c)->text() : QString());
        return cells;
    };
    QCOMPARE(row(0), latest);
    QCOMPARE(row(9), oldest);
    QCOMPARE(row(3).at(0), QStringLiteral("E.55A"));
    QCOMPARE(table->horizontalHeaderItem(0)->text(), codeHeader);
    QCOMPARE(table->horizontalHeaderItem(1)->text(),
             language ? QStringLiteral("报警时间(S)") : QStringLiteral("Alarm time (s)"));
    QCOMPARE(rig.field(rig.af4, "lineEdit_current"), QStringLiteral("No Alarm"));
    rig.drive.dropLink(); // the old drive's history does not stay shown
    QTRY_COMPARE(row(0), (QStringList{ UnreadValue::text(), UnreadValue::text(), QString() }));
    QCoreApplication::removeTranslator(&translator);
}

void TestAuxDrive::encoderReset_data()
{
    QTest::addColumn<QList<quint16>>("results");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<bool>("echoLost");   // the first write is never echoed; 2036 still holds an earlier 1
    QTest::addColumn<int>("resultReads");
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("hidden");

    QTest::newRow("done at the third read") << QList<quint16>{ 0, 0, 1 } << true << false << 3 << "复位成功,断电重启生效" << true;
    QTest::newRow("never done: nine reads") << QList<quint16>{ 0 } << true << false << 9 << "复位不成功" << false;
    QTest::newRow("failed") << QList<quint16>{ 0, 2 } << true << false << 2 << "复位异常" << false;
    QTest::newRow("unknown result ends quietly") << QList<quint16>{ 3 } << true << false << 1 << "" << false;
    QTest::newRow("declined: nothing sent") << QList<quint16>{ 1 } << false << false << 0 << "" << false;
    QTest::newRow("stale result after a lost write") << QList<quint16>{ 1 } << true << true << 0 << kNotConfirmed << false;
}

void TestAuxDrive::encoderReset()
{
    QFETCH(QList<quint16>, results);
    QFETCH(bool, confirm);
    QFETCH(bool, echoLost);
    QFETCH(int, resultReads);
    QFETCH(QString, box);
    QFETCH(bool, hidden);

    Rig rig;
    QVERIFY(rig.connect());
    rig.aux->setEncoderResetResults(results);
    rig.drive.setRegister(0x2036, 1);
    if (echoLost)
        rig.drive.setFailure(Failure::NoEchoEver);
    rig.boxes.queueAnswers({ confirm ? Answer::Yes : Answer::No });
    bool heldAtBox = false; // a box telling how it went holds no command registers
    rig.boxes.setLeftAlone([&](QWidget *) { return (heldAtBox = heldAtBox || DriveCommands::isHeld(), false); });
    rig.af11.show();
    rig.af11.on_pushButton_AF11_clicked();
    QVERIFY(!heldAtBox);

    // The question comes first and keeps the sentence about the machine's reference.
    QVERIFY(rig.boxes.boxes().at(0).text.contains(QStringLiteral("基准位置")));
    QCOMPARE(rig.heard().count(QStringLiteral("03 2036/0001")), resultReads);
    QCOMPARE(rig.heard().isEmpty(), !confirm);
    QCOMPARE(rig.boxes.count() > 1 ? rig.boxes.last().text : QString(), box);
    QCOMPARE(rig.boxes.countWithText(QStringLiteral("复位成功,断电重启生效")), hidden ? 1 : 0);
    QCOMPARE(rig.af11.isHidden(), hidden);
    QVERIFY(rig.af11.findChild<QPushButton *>(QStringLiteral("pushButton_AF11"))->isEnabled());
}

void TestAuxDrive::refusedOffsetsWriteNothing_data()
{
    QTest::addColumn<bool>("torque");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("box");

    QTest::newRow("letters") << false << "abc" << "调整值必须是整数";
    QTest::newRow("fraction") << false << "1.5" << "调整值必须是整数";
    QTest::newRow("empty") << true << "" << "调整值必须是整数";
    QTest::newRow("torque beyond its register") << true << "2048" << "调整值超出范围: -2048 ~ 2047";
    QTest::newRow("speed beyond what E30B reads back") << false << "2048" << "调整值超出范围: -2048 ~ 2047";
}

void TestAuxDrive::refusedOffsetsWriteNothing()
{
    QFETCH(bool, torque);
    QFETCH(QString, typed);
    QFETCH(QString, box);

    Rig rig;
    QVERIFY(rig.connect());
    if (torque) {
        rig.af8.findChild<QLineEdit *>(QStringLiteral("lineEdit_AF8Value"))->setText(typed);
        rig.af8.on_pushButton_adjust_clicked();
    } else {
        rig.af7.findChild<QLineEdit *>(QStringLiteral("lineEdit_AF7Value"))->setText(typed);
        rig.af7.on_pushButton_adjust_clicked();
    }
    QCOMPARE(rig.boxes.count(), 1);
    QCOMPARE(rig.boxes.last().text, box);
    QCOMPARE(rig.heard(), QStringList());
    QWidget *dialog = torque ? static_cast<QWidget *>(&rig.af8) : &rig.af7;
    QVERIFY(dialog->findChild<QPushButton *>(QStringLiteral("pushButton_adjust"))->isEnabled());
}

void TestAuxDrive::rigidityAfterAWriteNotConfirmed_data()
{
    QTest::addColumn<int>("failure"); // from the first write on; -1: the first write taken, the second never heard
    QTest::addColumn<int>("times");
    QTest::addColumn<QString>("shown"); // the level shown ("" the unread mark), also after a refused entry
    QTest::addColumn<QString>("tip");   // part of the field's tool tip
    QTest::newRow("first write ran, echo lost: PA100 at 10, the rest at 4") << int(Failure::NoEchoOnce) << 1 << "" << "PA100=1600, PA101=2000";
    QTest::newRow("first write confirmed, the second never heard") << -1 << 0 << "" << "PA101=2000";
    QTest::newRow("first write never heard: still at 4") << int(Failure::NoAnswer) << 1 << "4" << "";
    QTest::newRow("drive silent: nothing read back") << int(Failure::NoAnswer) << -1 << "" << UnreadValue::reason();
}

// After a write the drive did not confirm, the dialog shows what the drive holds: never the
// level typed nor the one read before it.
void TestAuxDrive::rigidityAfterAWriteNotConfirmed()
{
    QFETCH(int, failure);
    QFETCH(int, times);
    QFETCH(QString, shown);
    QFETCH(QString, tip);
    Rig rig;
    QVERIFY(rig.connect());
    QLineEdit *field = rig.af30.findChild<QLineEdit *>(QStringLiteral("lineEdit_Value"));
    rig.af30.showAF30Window(); // level 4
    SimulatedDrive *drive = &rig.drive;
    if (failure < 0)
        drive->addWriteHook([drive](int, quint16 addr, quint16) { if (addr == 0x0100) drive->setFailure(Failure::NoAnswer, 1); });
    rig.drive.setFailure(Failure(qMax(0, failure)), times);
    for (const QString typed : { "10", "x" }) { // "x" is refused
        field->setText(typed);
        rig.af30.on_pushButton_write_clicked();
        rig.drive.setFailure(Failure::None);
        QCOMPARE(field->text(), shown);
        QSlider *slider = rig.af30.findChild<QSlider *>();
        QVERIFY(slider->isEnabled() == !shown.isEmpty() && slider->value() == (shown.isEmpty() ? 1 : shown.toInt()));
        QVERIFY2(field->toolTip().contains(tip), qPrintable(field->toolTip()));
    }
    QCOMPARE(rig.boxes.countWithText(kNotConfirmed), 1);
}

void TestAuxDrive::lostEchoStopsTheSequence()
{
    Rig rig;
    QVERIFY(rig.connect());
    rig.af6.on_pushButton_AF6_clicked(); // its echo must not confirm a later write
    rig.drive.clearRequests();
    rig.drive.setFailure(Failure::NoEchoEver);
    rig.af1.on_pushButton_AF1_clicked();
    QCOMPARE(rig.heard(), QStringList{ "06 2000=0000" });
    QCOMPARE(rig.boxes.countWithText(kNotConfirmed), 1);
    QVERIFY(!DriveCommands::isHeld()); // the failed sequence gave the command registers back

    // A protected offset is not written when its unlock word was not confirmed.
    rig.drive.clearRequests();
    rig.af8.findChild<QLineEdit *>(QStringLiteral("lineEdit_AF8Value"))->setText(QStringLiteral("2"));
    rig.af8.on_pushButton_adjust_clicked();
    QCOMPARE(rig.heard(), QStringList{ "06 2003=9C47" });
    QCOMPARE(rig.boxes.countWithText(kNotConfirmed), 2);
}

void TestAuxDrive::lateAnswerIsShownNowhere()
{
    Rig rig;
    rig.drive.part<SimLiveVariables>()->hold(true);
    rig.drive.setRegister32(0xE001, 1234567);
    rig.drive.setRegister32(0xE003, 246913);
    QVERIFY(rig.connect());
    // The first read (E003, command pulses) is answered after the link gave it up (a drive that
    // stalls for most of a second); the answer must not land in the feedback field that the
    // second read was for, which shows its own.
    rig.drive.setLateDelay(900);
    rig.drive.setFailure(Failure::Late, 1);
    rig.af1.showFunctionAF1();
    QCOMPARE(rig.field(rig.af1, "lineEdit"), QStringLiteral("1234567"));
    QCOMPARE(rig.field(rig.af1, "lineEdit_given"), QString());

    // Once the drive answers in time both counters show.
    rig.af1.showFunctionAF1();
    QCOMPARE(rig.field(rig.af1, "lineEdit"), QStringLiteral("1234567"));
    QCOMPARE(rig.field(rig.af1, "lineEdit_given"), QStringLiteral("246913"));
    rig.drive.dropLink(); // nothing read over a lost link stays shown as the drive's
    QTRY_COMPARE(rig.field(rig.af1, "lineEdit") + rig.field(rig.af1, "lineEdit_given"), QString());
}

// An unanswered read empties its field and marks it; an unknown rigidity level is not written.
void TestAuxDrive::unansweredFieldsShowNoValue()
{
    Rig rig;
    QVERIFY(rig.connect());
    const QList<QWidget *> dialogs{ &rig.af1, &rig.af4, &rig.af6, &rig.af7, &rig.af8, &rig.af11, &rig.af30 };
    for (const bool silent : { false, true }) {
        rig.drive.setFailure(silent ? Failure::NoAnswer : Failure::None);
        rig.af1.showFunctionAF1();
        rig.af4.showAF4();
        rig.af6.showAF6();
        rig.af7.showAF7();
        rig.af8.showAF8();
        rig.af11.showAF11();
        rig.af30.showAF30Window();
        for (QWidget *dialog : dialogs) {
            for (QLineEdit *field : dialog->findChildren<QLineEdit *>()) {
                QVERIFY2(field->text().isEmpty() == silent, qPrintable(field->objectName()));
                QCOMPARE(field->placeholderText(), QStringLiteral("未读出"));
            }
        }
        QCOMPARE(rig.af4.findChild<QTableWidget *>()->item(9, 1)->text() == QStringLiteral("未读出"), silent);
    }
    rig.drive.clearRequests();
    rig.af30.on_pushButton_write_clicked();
    QCOMPARE(rig.heard(), QStringList());
    QCOMPARE(rig.boxes.last().text, QStringLiteral("刚性等级必须是 1 ~ 25 的整数"));
    rig.af30.findChild<QLineEdit *>(QStringLiteral("lineEdit_Value"))->setText(QStringLiteral("100"));
    rig.af30.on_pushButton_write_clicked(); // refused: the drive's level is not known, nor shown
    QCOMPARE(rig.field(rig.af30, "lineEdit_Value"), QString());
}

void TestAuxDrive::commandRunsOnce_data()
{
    QTest::addColumn<int>("dialog");      // window id
    QTest::addColumn<int>("pauseAfter");  // the command pauses after this many of its requests
    QTest::addColumn<QStringList>("requests");
    QTest::addColumn<QStringList>("shown"); // a field, the drive's register as it shows it, the boxes
    QTest::newRow("alarm reset") << 2 << 3 << QStringList{ "06 2000=0000", "06 2000=2001", "06 2001=0001", "03 E30A/0001" }
                                 << QStringList{ "lineEdit_current", "No Alarm", "0" };
    QTest::newRow("encoder reset") << 6 << 5 << QStringList{ "06 2000=0000", "06 2000=1011", "06 2001=0002", "06 2001=0001",
                                                            "03 2036/0001", "03 2036/0001" } << QStringList{ "lineEdit_Value", "-13", "2" };
}

// Closed in its command's pause and opened again from the panel (twice), a dialog comes up as it
// stands: it reads nothing and its command stays greyed, so the command runs once.
void TestAuxDrive::commandRunsOnce()
{
    QFETCH(int, dialog);
    QFETCH(int, pauseAfter);
    QFETCH(QStringList, requests);
    QFETCH(QStringList, shown);
    Rig rig;
    rig.drive.setRegister(0xE162, 0xFFF3);
    rig.drive.part<DriveState>()->setAlarm(0x0A20);
    rig.aux->setEncoderResetResults({ 0, 2 });
    QVERIFY(rig.connect());
    connect(&rig.panel, &masterControl::showAF4, &rig.af4, &function_AF4::showAF4);
    connect(&rig.panel, &masterControl::showAF11, &rig.af11, &Function_AF11::showAF11);
    QWidget *window = dialog == 2 ? static_cast<QWidget *>(&rig.af4) : &rig.af11;
    window->setWindowModality(Qt::NonModal); // as af11: the box answerer closes a modal one
    auto *open = rig.panel.findChild<QAbstractButton *>(dialog == 2 ? "commandLinkButton_2" : "commandLinkButton_6");
    auto *command = window->findChild<QAbstractButton *>(dialog == 2 ? "pushButton_resert" : "pushButton_AF11");
    open->click();
    rig.drive.clearRequests();
    int ended = 0, reading = 0;
    bool greyed = true;
    const auto requestEnded = [&] {
        if (++ended == pauseAfter)
            QTimer::singleShot(0, [&] {
                for (int i = 0; i < 2; ++i)
                    window->close(), open->click(), greyed = greyed && !command->isEnabled(), command->click();
            });
    };
    connect(&rig.panel, &masterControl::readSerialMoster, [&] { reading = 1; });
    connect(&rig.panel, &masterControl::AlarmOK, [&] { if (std::exchange(reading, 0)) requestEnded(); });
    connect(&rig.panel, &masterControl::writeOutcome, requestEnded);
    command->click();
    QCOMPARE(rig.heard(), requests);
    QCOMPARE((QStringList{ window->findChild<QLineEdit *>(shown.at(0))->text(), QString::number(rig.boxes.count()) }), shown.mid(1));
    QVERIFY(greyed && command->isEnabled() && ended == requests.size());
}

QTEST_MAIN(TestAuxDrive)
#include "tst_auxdrive.moc"
