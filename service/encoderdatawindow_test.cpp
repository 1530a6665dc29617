// The test run of the last wizard page: the drive's test function 1002, a number of forward
// repetitions and then of reverse ones, and the two counts kept in "test.ini".

#include "encoderdatawindow.h"
#include "ui_encoderdatawindow.h"

#include <QMessageBox>
#include <QSettings>

#include "boundedwait.h"

namespace {

const QString TestFile = QStringLiteral("test.ini");

} // namespace

void EncoderdataWindow::saveTestTimes()
{
    QSettings settings(TestFile, QSettings::IniFormat);
    settings.setValue(QStringLiteral("config/ForewordTime"), QStringLiteral("%1").arg(ui->spinBox_ForewordTime->value()));
    settings.setValue(QStringLiteral("config/ReversalTime"), QStringLiteral("%1").arg(ui->spinBox_ReversalTime->value()));
    settings.sync();
}

void EncoderdataWindow::loadTestTimes()
{
    QSettings settings(TestFile, QSettings::IniFormat);
    ui->spinBox_ForewordTime->setValue(settings.value(QStringLiteral("config/ForewordTime")).toString().toInt());
    ui->spinBox_ReversalTime->setValue(settings.value(QStringLiteral("config/ReversalTime")).toString().toInt());
}

// One repetition: the sub-command twice, half a second apart. False when the run must end: a
// stop, a lost link, or a drive that left three commands in a row unanswered (then stopped here).
bool EncoderdataWindow::repetition(const QByteArray &subCommand)
{
    for (int i = 0; i < 2; ++i) {
        BoundedWait::until([this] { return stopRequested || !serialOpen; }, 500);
        if (stopRequested || !serialOpen)
            return false;
        const Step step = writeStep(QByteArrayLiteral("2001"), subCommand);
        if (step == Step::Done) {
            missedAnswers = 0;
            continue;
        }
        if (step != Step::NoAnswer)
            return false;
        if (++missedAnswers >= MissedLimit) {
            stopFor(StopCause::SilentDrive);
            return false;
        }
    }
    return true;
}

bool EncoderdataWindow::runForward()
{
    return repetition(QByteArrayLiteral("0002"));
}

bool EncoderdataWindow::runReverse()
{
    return repetition(QByteArrayLiteral("0003"));
}

void EncoderdataWindow::on_pushButton_startTest_clicked()
{
    runTest();
}

// The run ends on a stop ("中断", "结束测试", closing the window) or a lost link, and only a
// run that went through all its repetitions says "测试完成".
bool EncoderdataWindow::runTest()
{
    saveTestTimes();
    if (!entryGuards(Operation::Test))
        return false;
    beginOperation(Operation::Test);
    stopRequested = false;
    setStepHint(tr("测试中"), tr("testing"));
    ui->pushButton_endTest->show();

    missedAnswers = 0;
    Step step = commandSteps({{"2000", "0000"}, {"2000", "1002"}, {"2001", "0004"}});
    bool completed = step == Step::Done;
    if (completed) {
        if (ui->spinBox_ForewordTime->value() < 2)
            ui->spinBox_ForewordTime->setValue(2);
        for (testCounter = ui->spinBox_ForewordTime->value(); completed && testCounter > 0; --testCounter)
            completed = runForward();
        for (testCounter = completed ? ui->spinBox_ReversalTime->value() : 0; completed && testCounter > 0; --testCounter)
            completed = runReverse();
    }
    ui->pushButton_endTest->hide();

    if (!completed) {
        if (!serialOpen) {
            // Nothing more can be sent; the run is over without a result.
            showEnded(Step::LinkDown, tr("测试中断"), tr("test interrupted"));
            emit sendEncoderIsOk(false);
            endOperation(false);
            return false;
        }
        if (!stopRequested) {
            // The drive did not take the test command: leave the test function as after a stop,
            // then give the command registers back.
            runStopRequest();
            endOperation(false);
            setStepHint(tr("测试中断"), tr("test interrupted"));
            QMessageBox::warning(this, tr("error"), tr("驱动器未应答"), QMessageBox::Ok);
            return false;
        }
        if (stopCause == StopCause::User)
            setStepHint(tr("测试结束"), tr("test closure"));
        else
            showEnded(Step::Stopped, tr("测试中断"), tr("test interrupted"));
        endOperation(false);
        return false;
    }

    ui->label_complete->show();
    setStepHint(tr("测试完成"), tr("test complete "));
    BoundedWait::pause(500);
    emit sendEncoderIsOk(false);
    on_pushButton_endTest_clicked();
    endOperation(false);
    return true;
}

void EncoderdataWindow::on_pushButton_endTest_clicked()
{
    runStopRequest();
    setStepHint(tr("测试结束"), tr("test closure"));
}
