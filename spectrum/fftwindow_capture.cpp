// The capture from the drive: sampler set-up, status poll, the 36 block reads of the sample ring,
// the trigger index, and the conversion into samples in time order.

#include "fftwindow.h"
#include "ui_fftwindow.h"

#include "answerbox.h"
#include "boundedwait.h"
#include "drivecommands.h"
#include "framecodec.h"
#include "linetickets.h"
#include "linktiming.h"
#include "pollturn.h"
#include "samplefile.h"
#include "samplering.h"
#include "writeecho.h"

#include <QMessageBox>
#include <QTimer>

#include <utility>

namespace {

const int kProgressDone = 43;

QByteArray hexWord(int value)
{
    return QByteArray::number(value & 0xFFFF, 16).rightJustified(4, '0').toUpper();
}

} // namespace

QByteArray FFT_Window::channelSourceCode(int index)
{
    if (index == 0) {
        scaleKind = SampleRing::Speed;
        return QByteArrayLiteral("0102");
    }
    scaleKind = SampleRing::Raw;
    return QByteArrayLiteral("0165");
}

void FFT_Window::samplesFromRing(QVector<QString> words, int kind)
{
    // A ring is converted only when the scale it needs and the trigger index were answered by
    // this capture; values left from an earlier one are never used.
    const bool scaleKnown = kind != SampleRing::Speed || speedScaleRead;
    const int start = ringStartRead ? ringStart : -1;
    samples = scaleKnown ? SampleRing::samplesFromRing(words, start, kind, speedScale) : QVector<int>();
}

void FFT_Window::setProgress(int value)
{
    ui->progressBar->setValue(qMin(value, ui->progressBar->maximum()));
}

bool FFT_Window::setupWrite(const QByteArray &reg, const QByteArray &value, int fixedMs)
{
    // One more try when the echo does not come: a set-up register takes the same value twice.
    // Only the write's own echo counts, never the echo of a stop sent meanwhile.
    WriteEcho write(reg, value);
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!captureRunning || !portOpen)
            return false;
        captureRequest = write.send([&] { emit imageWrite(reg, value, 1); });
        if (write.wait(LinkTiming::writeLimitMs(fixedMs)))
            return true;
    }
    return false;
}

bool FFT_Window::readWithResend(const QByteArray &reg, const QByteArray &count, PendingRead what, int limitMs)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!captureRunning || !portOpen)
            break;
        blockReceived = false;
        pendingRead = what;
        emit imageRead(reg, count, 1);
        captureRequest = LineTickets::lastTaken();
        if (BoundedWait::forReply([this] { return blockReceived; }, limitMs)) {
            pendingRead = PendingRead::None;
            return true;
        }
    }
    pendingRead = PendingRead::None;
    return false;
}

bool FFT_Window::readOne(const QByteArray &reg, PendingRead what, int fixedMs)
{
    const bool answered = readWithResend(reg, QByteArrayLiteral("0001"), what, LinkTiming::readLimitMs(fixedMs, 1));
    emit endDrow(false, 1);
    return answered;
}

void FFT_Window::on_pushButton_Start_clicked()
{
    if (captureActive) // an earlier capture is still unwinding after Stop
        return;
    if (!intervalUsable())
        return;
    if (!portOpen) {
        showLinkDown();
        return;
    }
    // The sampler and the function select are the capture's until its upload has ended.
    DriveCommands::Hold hold(this, DriveCommands::Operation::SpectrumCapture);
    if (!hold.taken()) {
        AnswerBox::commandsHeld(this);
        return;
    }
    captureActive = true;
    captureNote = CaptureNote::None;
    const bool captured = runCapture();
    hold.release();
    captureActive = false;
    endCapture();
    if (!captured) {
        // The link gives up the capture's exchange: a late reply is not taken for anything,
        // and the main window's status poll is not held off.
        emit endDrow(false, 1);
        tellCaptureNote();
        return;
    }

    samplesFromRing(rawWords, scaleKindUsed);
    if (samples.isEmpty()) {
        QMessageBox::warning(this, tr("error"), tr("空数据"), QMessageBox::Ok);
        return;
    }
    showSamples({samples, captureMultiplier, captureChannel, QString(), driveModel});
}

bool FFT_Window::intervalUsable()
{
    const int multiplier = ui->spinBox_time->value();
    if (multiplier >= SampleFile::kMinMultiplier && multiplier <= SampleFile::kMaxMultiplier)
        return true;
    QMessageBox::warning(this, tr("error"),
                         tr("采样间隔无效: %1 (应为 %2 ~ %3)")
                             .arg(QString::number(multiplier), QString::number(SampleFile::kMinMultiplier),
                                  QString::number(SampleFile::kMaxMultiplier)),
                         QMessageBox::Ok);
    return false;
}

// Why a capture ended early, said once it is over: the window is ready again (Start, Save and
// Load back, the progress gone) while the box is up, and no wait of the capture lies beneath it.
void FFT_Window::tellCaptureNote()
{
    const CaptureNote note = std::exchange(captureNote, CaptureNote::None);
    switch (note) {
    case CaptureNote::None:
        return;
    case CaptureNote::SetupRefused:
        QMessageBox::warning(this, tr("Warning"), tr("采样设置失败"), QMessageBox::Ok);
        return;
    case CaptureNote::TimedOut:
        QMessageBox::warning(this, tr("Warning"), tr("采样超时"), QMessageBox::Ok);
        return;
    case CaptureNote::LanguageSwitched:
        AnswerBox::stoppedNote(this, tr("提示"), tr("切换语言断开了串口，频谱采样已停止"));
        return;
    }
}

void FFT_Window::noteCaptureEnd(CaptureNote note)
{
    if (captureNote == CaptureNote::None)
        captureNote = note;
}

void FFT_Window::endCapture()
{
    statusTimer->stop();
    pendingRead = PendingRead::None;
    ui->progressBar->hide();
    ui->pushButton_Start->setEnabled(startAllowed);
    ui->pushButton_Save->setEnabled(true);
    ui->pushButton_Load->setEnabled(true);
}

bool FFT_Window::runCapture()
{
    rawWords.clear();
    samples.clear();
    frequencies.clear();
    amplitudes.clear();
    progressCount = 0;
    scaleKind = 0;
    samplerStatus = 0;
    tickLimit = 0;
    tickCount = 0;
    speedScaleRead = false;
    ringStartRead = false;
    captureRunning = true;
    captureMultiplier = ui->spinBox_time->value();
    captureChannel = ui->comboBox_Choose->currentIndex();
    ui->pushButton_Start->setEnabled(false);
    ui->pushButton_Save->setEnabled(false);
    ui->pushButton_Load->setEnabled(false);
    ui->progressBar->show();
    ui->progressBar->setValue(0);

    const QByteArray interval = hexWord(captureMultiplier);
    struct Step {
        const char *reg;
        QByteArray value; // empty: the channel code
        bool counts;
        int limitMs;
    };
    const Step setup[] = {
        {"2000", "0000", true, 30}, {"2000", "0000", true, 30}, {"2100", "0004", false, 30},
        {"2200", "0000", true, 30}, {"2101", "0001", false, 30}, {"2102", "1000", false, 30},
        {"2103", interval, true, 30}, {"2208", "0000", false, 30}, {"2110", {}, false, 30},
        {"2111", {}, false, 30}, {"2112", {}, false, 30}, {"2113", {}, false, 15},
    };
    const Step start[] = {{"2201", "0000", false, 30}, {"2009", "0000", false, 30}, {"2001", "0001", true, 50}};

    auto write = [this](const Step &step) {
        QByteArray value = step.value;
        if (value.isEmpty()) {
            scaleKind = 0;
            value = channelSourceCode(captureChannel);
            scaleKindUsed = scaleKind;
        }
        // A closed link was told by the link itself, a Stop by the user: no box of ours.
        if (!portOpen || !captureRunning)
            return false;
        if (step.counts)
            ++progressCount;
        if (QByteArray(step.reg) == "2001")
            setProgress(progressCount);
        if (setupWrite(QByteArray(step.reg), value, step.limitMs))
            return true;
        if (captureRunning && portOpen) // not a Stop: the drive did not take the set-up
            noteCaptureEnd(CaptureNote::SetupRefused);
        return false;
    };

    for (const Step &step : setup) {
        if (!write(step))
            return false;
    }
    if (!captureRunning)
        return false;
    ++progressCount;
    readOne(QByteArrayLiteral("E602"), PendingRead::Scale, 50);
    for (const Step &step : start) {
        if (!write(step))
            return false;
    }

    // Status wait: the timer polls until the sampler reports 3 or the poll gives up.
    tickLimit = captureMultiplier * 1250 / 200;
    statusTimer->start(200);
    if (!captureRunning)
        return false;
    samplerStatus = 0;
    askSamplingStatus();
    // The capture waits here for the polls' outcome; each tick asks on its own.
    BoundedWait::until([this] { return samplerStatus == 3 || !statusTimer->isActive(); },
                       (tickLimit + 2) * 1000 + 10000);
    statusTimer->stop();
    // The last poll's answer must not be taken for a block of the ring: the upload starts once
    // the link has finished with it (every request ends: answered, given up or dropped with the
    // port; the bound only guards against a link that forgot one).
    BoundedWait::until([this] { return !statusTurn->waiting(); }, 10000);
    statusTurn->drop();
    pendingRead = PendingRead::None;
    if (samplerStatus != 3 || !captureRunning)
        return false;

    emit startDrow(true);
    for (int block = 0; block < SampleRing::kBlocks; ++block) {
        if (!portOpen)
            return false;
        if (!captureRunning)
            break;
        const QByteArray address = SampleRing::blockAddress(block);
        const QByteArray count = SampleRing::blockCount(block);
        readWithResend(address, count, PendingRead::Block, LinkTiming::readLimitMs(200, count.toInt(nullptr, 16)));
        ++progressCount;
        setProgress(progressCount);
    }
    emit endDrow(true, 1);
    if (!captureRunning)
        return false;

    readOne(QByteArrayLiteral("2204"), PendingRead::TriggerIndex, 50);
    if (!captureRunning || !portOpen)
        return false;
    ++progressCount;
    setProgress(kProgressDone);
    return true;
}

void FFT_Window::pollSamplingStatus()
{
    if (!captureRunning) {
        statusTimer->stop();
        ui->progressBar->hide();
        return;
    }
    if (!portOpen) { // the link has said so; the capture ends as it unwinds
        statusTimer->stop();
        return;
    }
    // A slow drive has not answered the last poll yet: this tick asks nothing (polls are not
    // stacked), but it counts towards the time-out.
    askSamplingStatus();
    ++tickCount;
    if (tickCount > tickLimit) {
        // The capture waiting on the poll ends and says so.
        statusTimer->stop();
        ui->progressBar->hide();
        noteCaptureEnd(CaptureNote::TimedOut);
    }
}

// One status read, unless the last one asked has not ended yet.
void FFT_Window::askSamplingStatus()
{
    statusTurn->ask([this] {
        pendingRead = PendingRead::Status;
        emit imageRead(QByteArrayLiteral("2205"), QByteArrayLiteral("0001"), 1);
    });
}

// The sampler's stop goes on the line ahead of every waiting request. The capture's own request
// that still waits its turn is taken back, so that no set-up step (above all the start of the
// sampler) follows the stop.
void FFT_Window::stopSampler()
{
    LineTickets::withdraw(captureRequest);
    LineTickets::sendFirst([this] { emit imageWrite(QByteArrayLiteral("2001"), QByteArrayLiteral("0000"), 1); });
}

void FFT_Window::on_pushButton_stop_clicked()
{
    if (!portOpen) {
        showLinkDown();
        return;
    }
    captureRunning = false;
    // While another operation holds the drive's command registers no capture of ours runs, and
    // the sampler's stop would land under that operation's function: nothing is written.
    if (!DriveCommands::heldByOther(this)) {
        stopSampler();
        BoundedWait::forReply([] { return false; }, LinkTiming::writeLimitMs(50));
    }
    // While a capture is still inside one of its waits, it gives the buttons back as it ends.
    if (!captureActive) {
        ui->pushButton_Load->setEnabled(true);
        ui->pushButton_Save->setEnabled(true);
        ui->pushButton_Start->setEnabled(startAllowed);
    }
}

void FFT_Window::PicStastus(QString words)
{
    bool ok = false;
    const uint value = words.toUInt(&ok, 16);
    const PendingRead what = pendingRead;
    if (!ok || words.size() != 4)
        return;
    switch (what) {
    case PendingRead::Status:
        samplerStatus = int(value);
        break;
    case PendingRead::Scale:
        speedScale = qint16(value);
        speedScaleRead = true;
        break;
    case PendingRead::TriggerIndex:
        ringStart = qint16(value);
        ringStartRead = true;
        break;
    case PendingRead::Block:
    case PendingRead::None:
        break;
    }
}

void FFT_Window::FrameDataIsOK(bool ok)
{
    blockReceived = ok;
}

void FFT_Window::recevieWriteGraphToCheck(QString echo)
{
    WriteEcho::offer(echo);
}

void FFT_Window::readGraphDataRecieve(QVector<QString> words)
{
    rawWords += words;
}

void FFT_Window::isOpenSerialPlot(bool open)
{
    portOpen = open;
    startAllowed = open;
    ui->pushButton_Start->setEnabled(open && !captureActive);
    ui->pushButton_stop->setEnabled(open);
}

void FFT_Window::receiveMainWindow(bool online)
{
    startAllowed = online;
    ui->pushButton_Start->setEnabled(online && !captureActive);
    ui->pushButton_stop->setEnabled(online);
}

void FFT_Window::DriverModelToSave(QString model)
{
    driveModel = model;
}
