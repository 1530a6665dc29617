// "恢复出厂值": asks, sends the drive its factory-reset command and reads every parameter's
// value back into the table.

#include "parameterwindow.h"
#include "ui_parameterwindow.h"


#include "answerbox.h"
#include "drivecommands.h"
#include "parameterconversion.h"
#include "treemodel.h"

namespace {

constexpr int AttributeColumn = 7;
constexpr int CommandWaitMs = 500;

struct CommandWrite {
    const char *address;
    const char *value;
};

// VR: select the function, choose the factory reset, start it. HXQ: one reset register.
const CommandWrite VrReset[] = {{"2000", "0000"}, {"2000", "1005"}, {"2001", "0001"}};
const CommandWrite HxqReset[] = {{"0980", "0001"}};

} // namespace

void parameterWindow::on_pushButton_Default_clicked()
{
    if (!startTransfer(QStringLiteral("The operation is not completed and cannot be uploaded"), true))
        return;
    // The drive's command registers are the reset's until its values have been read back.
    DriveCommands::Hold commands(this, DriveCommands::Operation::FactoryReset);
    if (!commands.taken()) {
        withdrawTransfer();
        AnswerBox::commandsHeld(this);
        return;
    }
    ModelHold hold(this);

    const bool vr = ParameterConversion::isVrRoad(driverFamily);
    const int rows = parameterRowCount();
    resetRunning = true;
    ui->progressBar->setRange(0, rows);

    // The command. A step the drive does not acknowledge ends it there: the next step must not
    // go to a drive that may not have taken the one before, and nothing counts as restored.
    bool interrupted = false;
    bool confirmed = true;
    const CommandWrite *steps = vr ? VrReset : HxqReset;
    const int stepCount = vr ? int(sizeof VrReset / sizeof VrReset[0]) : int(sizeof HxqReset / sizeof HxqReset[0]);
    for (int step = 0; step < stepCount; ++step) {
        if (!portOpen) {
            interrupted = true;
            confirmed = false;
            break;
        }
        if (!writeExchange(QByteArray(steps[step].address), QByteArray(steps[step].value), false, CommandWaitMs)) {
            if (!portOpen) {
                interrupted = true;
            }
            confirmed = false;
            break;
        }
    }

    // Read-back of every parameter row's value. The first-read flag does not apply here: the
    // replies are single values, and a pending first read stays pending.
    QVector<bool> restored(rows, false);
    if (confirmed) {
        const bool firstReadPending = firstRead;
        firstRead = false;
        ui->progressBar->show();
        for (int row = 0; row < rows; ++row) {
            rowCursor = row;
            const int code = ParameterConversion::attributeCode(model->index(row, AttributeColumn).data(Qt::EditRole));
            const QByteArray address = vr ? paramAddressHex() : paramAddressDec();
            const QByteArray count = ParameterConversion::wordCount(driverFamily, code).toLatin1();
            if (!portOpen || firstRead) {
                // Link gone, or a new connection asks for a first read: the rest is not read.
                interrupted = true;
                break;
            }
            showProgress(row);
            restored[row] = readExchange(address, count);
            if (!restored.at(row) && !portOpen) {
                interrupted = true;
                break;
            }
        }
        firstRead = firstRead || firstReadPending;
    }

    resetRunning = false;
    ui->progressBar->hide();
    int failed = 0;
    if (confirmed) {
        // The drive took the command: a row whose value was not read back does not show it.
        for (int row = 0; row < rows; ++row) {
            markStatus(row, restored.at(row) ? tr("已恢复") : tr("恢复失败"));
            if (!restored.at(row))
                ++failed;
        }
    }
    spreadAllSwitchDigits();
    finishTransfer();
    if (!confirmed && !interrupted)
        AnswerBox::warningLater(this, tr("error"), tr("驱动器未确认恢复出厂值命令，参数未恢复"));
    else if (!interrupted)
        reportFailures(failed, tr("%1 个参数恢复失败"));
}
