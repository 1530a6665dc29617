// The capture run: the sampler set-up of either family, the completion wait on the status
// poll, the upload of the trace buffer in blocks of 29 words, decoding and drawing.
//
// The run is set up from the form as it stood when the run started (runSetup): boxes changed
// while it waits for the drive change the next capture, not this one. A capture drawn keeps it
// as what it was taken under; one that fails leaves the capture shown with its own.
//
// Every wait is a bounded wait on the drive's answer that also ends on Stop, on a closed port
// and on a closed window; its limit is never shorter than the line needs at the port's baud
// rate. A set-up write or read that gets no valid answer is sent once more; when that fails
// too the run ends with a warning and gives the link back. A capture is drawn only when every
// block of the buffer arrived; one that fails leaves the capture shown before as it was.

#include "staticwindow.h"
#include "ui_staticwindow.h"

#include "answerbox.h"
#include "boundedwait.h"
#include "drivecommands.h"
#include "linetickets.h"
#include "linktiming.h"
#include "pollturn.h"
#include "samplercoding.h"
#include "writeecho.h"

#include <QMessageBox>
#include <QTimer>

namespace {

const int kBlockWords = 29;

QByteArray hex4(qint64 value)
{
    return QByteArray::number(value & 0xFFFF, 16).toUpper().rightJustified(4, '0');
}

QByteArray hex8(qint64 value)
{
    return QByteArray::number(value & 0xFFFFFFFFLL, 16).toUpper().rightJustified(8, '0');
}

} // namespace

bool staticWindow::runMayGoOn() const
{
    return samplingActive && serialOpen && !runClosing;
}

staticWindow::RunEnd staticWindow::whyRunStops() const
{
    if (!serialOpen)
        return RunEnd::PortClosed;
    return RunEnd::Stopped;
}

staticWindow::RunEnd staticWindow::setupWrite(const QByteArray &reg, const QByteArray &value, int fixedMs, bool twoWords)
{
    const int limit = twoWords ? LinkTiming::write2LimitMs(fixedMs) : LinkTiming::writeLimitMs(fixedMs);
    WriteEcho write(reg, value);
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!runMayGoOn())
            return whyRunStops();
        runTicket = write.send([&] {
            if (twoWords)
                emit imageSetting2(reg, value);
            else
                emit imageSetting(reg, value, 0);
        });
        if (write.wait(limit, [this] { return runMayGoOn(); }))
            return RunEnd::Done;
    }
    if (!runMayGoOn())
        return whyRunStops();
    failedRegister = QString::fromLatin1(reg);
    return RunEnd::NoAnswer;
}

staticWindow::RunEnd staticWindow::setupRead(const QByteArray &reg, int target, int fixedMs)
{
    paramReadTarget = target;
    if (readWithResend(reg, QByteArrayLiteral("0001"), LinkTiming::readLimitMs(fixedMs, 1), [this] { return runMayGoOn(); }))
        return RunEnd::Done;
    if (!runMayGoOn())
        return whyRunStops();
    failedRegister = QString::fromLatin1(reg);
    return RunEnd::NoAnswer;
}

// The level word pair of a trigger: "000204", the low word, the high word. Empty when the
// level cannot be coded (a scale of 0; levelToHex has said so).
QByteArray staticWindow::triggerLevelData(int source, int level)
{
    QString digits;
    if (source >= 1 && source <= 4) {
        digits = levelToHex(runSetup.choices.value(source - 1), level);
        if (digits.size() != 8)
            return QByteArray();
    } else {
        digits = QString::fromLatin1(hex8(level));
    }
    return "000204" + digits.mid(4, 4).toUpper().toLatin1() + digits.left(4).toUpper().toLatin1();
}

staticWindow::RunEnd staticWindow::completionWait(int periodMs, int doneValue, bool softwareTrigger)
{
    scaleReadPhase = false;
    statusTimer->start(periodMs);
    if (!runMayGoOn())
        return whyRunStops();
    QueryIfComplete(); // the first poll at once
    if (softwareTrigger)
        BoundedWait::until([this] { return !runMayGoOn(); }, 2000);
    // No limit of its own: the drive may wait long for its trigger. Stop, a closed port or a
    // closed window end it.
    while (samplingStatus != doneValue && runMayGoOn())
        BoundedWait::until([this, doneValue] { return samplingStatus == doneValue || !runMayGoOn(); }, 60000);
    statusTimer->stop();
    // The last poll's answer must not join the upload's words: the run (not the poll) waits
    // for the link to finish with it.
    if (statusTurn->waiting())
        BoundedWait::forReply([] { return false; }, 0, statusPollTicket);
    return samplingStatus == doneValue && runMayGoOn() ? RunEnd::Done : whyRunStops();
}

staticWindow::RunEnd staticWindow::upload(int start, int words, int firstWaitMs)
{
    scaleReadPhase = false;
    uploadPhase = true;
    emit startDrow(true);
    int requested = 0;
    while (requested < words) {
        const int count = qMin(kBlockWords, words - requested);
        const QByteArray addr = hex4(start + requested);
        const QByteArray countText = hex4(count);
        if (!runMayGoOn())
            return whyRunStops();
        if (!readWithResend(addr, countText, LinkTiming::readLimitMs(firstWaitMs, count),
                            [this] { return runMayGoOn(); })) {
            if (!runMayGoOn())
                return whyRunStops();
            failedRegister = QString::fromLatin1(addr);
            return RunEnd::BlockLost;
        }
        frameDataOk = false;
        ui->progressBar->setValue(++progressValue);
        requested += count;
    }
    uploadPhase = false;
    return RunEnd::Done;
}

// The words the link handed over are the whole buffer: every block's reply counted, yet a
// capture whose words did not all arrive is neither decoded nor drawn.
staticWindow::RunEnd staticWindow::wholeUpload(int words)
{
    if (wordIndex == words)
        return RunEnd::Done;
    uploadedWords = wordIndex;
    return RunEnd::UploadCut;
}

staticWindow::RunEnd staticWindow::runVr()
{
    struct Step {
        const char *reg;
        QByteArray value;
    };
    const CaptureSetup &s = runSetup;
    sampleWidth = 1;
    QByteArray width = "0001";
    for (int ch = 0; ch < 4; ++ch)
        if (SamplerCoding::isWideVariable(s.choices.at(ch))) {
            width = "0002";
            sampleWidth = 2;
        }
    const Step head[] = {
        {"2000", "0000"},
        {"2000", "2000"},
        {"2100", "0004"},
        {"2200", hex4(s.pretrigger)},
        {"2101", width},
        {"2102", "1000"},
        {"2103", hex4(s.interval)},
        {"2208", hex4(s.combination)},
    };
    for (const Step &step : head)
        if (RunEnd end = setupWrite(step.reg, step.value, 30); end != RunEnd::Done)
            return end;

    int *kinds[4] = {&kindCH1, &kindCH2, &kindCH3, &kindCH4};
    for (int ch = 0; ch < 4; ++ch) {
        channelKind = 0;
        const QByteArray code = channelCode(s.choices.at(ch), s.choices.at(4 + ch));
        *kinds[ch] = channelKind;
        if (RunEnd end = setupWrite(hex4(0x2110 + ch), code, ch < 3 ? 30 : 15); end != RunEnd::Done)
            return end;
    }

    scaleReadPhase = true;
    if (RunEnd end = setupRead("E601", 0, 80); end != RunEnd::Done)
        return end;
    if (RunEnd end = setupRead("E602", 1, 80); end != RunEnd::Done)
        return end;
    scaleReadPhase = false;
    emit endDrow(false, 0);

    const char *const modeRegs[2] = {"2201", "2009"};
    const char *const levelRegs[2] = {"2202", "220A"};
    for (int t = 0; t < 2; ++t) {
        if (RunEnd end = setupWrite(modeRegs[t], triggerModeCode(s.triggerType[t], s.triggerSource[t]), 30);
            end != RunEnd::Done)
            return end;
        const QByteArray level = triggerLevelData(s.triggerSource[t], s.triggerLevel[t]);
        if (level.isEmpty())
            return RunEnd::BadLevel;
        if (RunEnd end = setupWrite(levelRegs[t], level, 30, true); end != RunEnd::Done)
            return end;
    }
    if (RunEnd end = setupWrite("2001", "0001", 50); end != RunEnd::Done)
        return end;

    if (RunEnd end = completionWait(s.softwareTrigger ? 10000 : 1000, 3, s.softwareTrigger); end != RunEnd::Done)
        return end;
    if (RunEnd end = upload(0x4000, 4096, 200); end != RunEnd::Done)
        return end;

    // Every block answered: hand the buffer over, then read where the trigger fell in each ring.
    scaleReadPhase = true;
    wordIndex = 0;
    emit endDrow(true, 0);
    if (RunEnd end = wholeUpload(4096); end != RunEnd::Done)
        return end;
    if (RunEnd end = setupRead("2204", 2, 80); end != RunEnd::Done)
        return end;
    emit endDrow(false, 0);
    ui->progressBar->setValue(++progressValue);

    decodeChannel(rawCH1, 1, kindCH1);
    decodeChannel(rawCH2, 2, kindCH2);
    decodeChannel(rawCH3, 3, kindCH3);
    decodeChannel(rawCH4, 4, kindCH4);
    return RunEnd::Done;
}

staticWindow::RunEnd staticWindow::runHxq()
{
    const CaptureSetup &s = runSetup;
    const QByteArray setup[][2] = {
        {"1003", channelCodeModelB(s.choices.at(0))},
        {"1004", channelCodeModelB(s.choices.at(1))},
        {"1006", hex4(s.hxqTrigger)},
        {"1007", hex4(s.hxqThreshold)},
        {"1008", hex4(s.hxqTime)},
    };
    for (const auto &step : setup)
        if (RunEnd end = setupWrite(step[0], step[1], 15); end != RunEnd::Done)
            return end;
    if (RunEnd end = setupWrite("1000", "0001", 400); end != RunEnd::Done)
        return end;
    if (RunEnd end = completionWait(200, 2, false); end != RunEnd::Done)
        return end;
    if (RunEnd end = upload(0x2000, 2048, 50); end != RunEnd::Done)
        return end;
    // readGraphDataRecieve splits and decodes the two channels.
    scaleReadPhase = true;
    wordIndex = 0;
    emit endDrow(true, 0);
    return wholeUpload(2048);
}

// Swaps the capture in the lists with the one held aside (sample width included).
void staticWindow::swapHeldAside()
{
    QVector<QString> *const raws[4] = {&rawCH1, &rawCH2, &rawCH3, &rawCH4};
    QVector<int> *const values[4] = {&dataCH1, &dataCH2, &dataCH3, &dataCH4};
    QVector<short> *const states[4] = {&dataIO1, &dataIO2, &dataIO3, &dataIO4};
    for (int ch = 0; ch < 4; ++ch) {
        heldAside.raw[ch].swap(*raws[ch]);
        heldAside.values[ch].swap(*values[ch]);
        heldAside.states[ch].swap(*states[ch]);
    }
    std::swap(heldAside.width, sampleWidth);
}

QVector<QVector<int>> staticWindow::shownTraces() const
{
    const auto widened = [](const QVector<short> &states) { return QVector<int>(states.cbegin(), states.cend()); };
    if (shownHeldAside)
        return {heldAside.values[0], widened(heldAside.states[0]), heldAside.values[1], widened(heldAside.states[1]),
                heldAside.values[2], widened(heldAside.states[2]), heldAside.values[3], widened(heldAside.states[3])};
    return {dataCH1, widened(dataIO1), dataCH2, widened(dataIO2), dataCH3, widened(dataIO3), dataCH4, widened(dataIO4)};
}

staticWindow::CaptureSetup staticWindow::setupFromForm() const
{
    CaptureSetup s;
    s.choices = boxChoices();
    s.interval = ui->spinBox_interval->value();
    s.combination = ui->comboBox_triggerMore->currentIndex();
    s.pretrigger = ui->spinBox_pretrigger->value();
    const QComboBox *types[2] = {ui->comboBox_triggerType1, ui->comboBox_triggerType2};
    const QComboBox *sources[2] = {ui->comboBox_triggerChoose1, ui->comboBox_triggerChoose2};
    const QSpinBox *levels[2] = {ui->spinBox_triggerLevel1, ui->spinBox_triggerLevel2};
    for (int t = 0; t < 2; ++t) {
        s.triggerType[t] = types[t]->currentIndex();
        s.triggerSource[t] = sources[t]->currentIndex();
        s.triggerLevel[t] = levels[t]->value();
    }
    s.softwareTrigger = ui->comboBox_model->currentIndex() == 1;
    s.hxqTrigger = ui->comboBox_trigger->currentIndex();
    s.hxqThreshold = ui->spinBox_Threshold->value();
    s.hxqTime = ui->spinBox_Time->value();
    return s;
}

staticWindow::CaptureSetup staticWindow::shownSetup() const
{
    return dataChoices.isEmpty() ? setupFromForm() : dataSetup;
}

void staticWindow::on_pushButton_Sampling_clicked()
{
    // Never a run inside a run still unwinding, nor inside a pass over the loop gains.
    if (runActive || gainPassRunning)
        return;
    if (!serialOpen) {
        QMessageBox::warning(this, tr("error"), tr("串口未打开/设备未连接/地址未选择"));
        return;
    }
    // The sampler and the function select are the run's from its first write to its end.
    DriveCommands::Hold hold(this, DriveCommands::Operation::Capture);
    if (!hold.taken()) {
        AnswerBox::commandsHeld(this);
        return;
    }
    runActive = true;
    runClosing = false;
    emit stopMainWindowQuery();
    progressValue = 0;
    samplingActive = true;
    samplingStatus = 0;
    paramReadTarget = 0;
    gainReadPending = false;
    channelKind = 0;
    failedRegister.clear();
    levelRefusal.clear();
    stopNote = nullptr;
    // The capture shown so far stays, should this one fail, and is what a save meanwhile writes.
    swapHeldAside();
    shownHeldAside = true;
    sampleWidth = 1;
    runSetup = setupFromForm();
    applyEnabling();
    ui->progressBar->show();
    ui->progressBar->setValue(0);

    const RunEnd end = driverChoice == 0 ? runVr() : runHxq();

    statusTimer->stop();
    uploadPhase = false;
    ui->progressBar->hide();
    lastRunDrawn = end == RunEnd::Done && !scaleReadPhase;
    if (!lastRunDrawn) {
        scaleReadPhase = false;
        // The link gives up the capture read, so that no late reply is taken as one.
        emit endDrow(false, 0);
        swapHeldAside();
    }
    shownHeldAside = false;
    heldAside = HeldCapture();
    // The run is over before anything is drawn or said: a box that tells how it went finds the
    // buttons back and the main window's poll running, not a capture still holding them.
    runActive = false;
    hold.release();
    // HXQ: the four VR-only buttons wait for Stop.
    hxqWaitsForStop = lastRunDrawn && driverChoice != 0;
    applyEnabling();
    setWindowTitle(tr("StaticWindow"));
    emit startMainWindowQuery();
    if (lastRunDrawn) {
        dataChoices = runSetup.choices;
        dataSetup = runSetup;
        dataFamily = driverChoice;
        redrawCheckedTraces();
        on_checkBox_fixed_clicked();
    } else {
        reportRunEnd(end);
    }
}

void staticWindow::reportRunEnd(RunEnd end)
{
    if (stopNote && end != RunEnd::Done) {
        AnswerBox::stoppedNote(this, tr("提示"), tr(stopNote));
        stopNote = nullptr;
        return;
    }
    switch (end) {
    case RunEnd::Done:
    case RunEnd::Stopped:
        return;
    case RunEnd::BadLevel: // why levelToHex refused the level
        if (!levelRefusal.isEmpty())
            tell(levelRefusal, levelRefusalReason);
        return;
    case RunEnd::PortClosed:
        // The link has told of its loss; the window only shows that the capture stopped.
        setWindowTitle(tr("StaticWindow") + QStringLiteral(" - ") + tr("连接已断开,采样已中止"));
        linkLostShown = true;
        toCommandFile("serial port not open");
        return;
    case RunEnd::NoAnswer:
        tell(tr("驱动器未应答(寄存器 %1),采样已中止").arg(failedRegister), "no answer from the drive");
        return;
    case RunEnd::BlockLost:
        tell(tr("数据上传不完整(地址 %1 的数据块未收到),波形未显示").arg(failedRegister), "capture upload incomplete");
        return;
    case RunEnd::UploadCut:
        tell(tr("数据上传不完整(收到 %1 个数据,应为 %2 个),波形未显示").arg(uploadedWords).arg(driverChoice == 0 ? 4096 : 2048),
             "capture upload incomplete");
        return;
    }
}

