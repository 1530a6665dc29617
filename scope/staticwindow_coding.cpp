// The capture window's sampler set-up codes and the trace-buffer decoding: thin members over
// samplercoding.h and tracedecoding.h that read the window's boxes and scales and fill its lists.

#include "staticwindow.h"
#include "ui_staticwindow.h"

#include "linklog.h"
#include "samplercoding.h"
#include "tracedecoding.h"

QByteArray staticWindow::channelCode(int channelIndex, int ioIndex)
{
    return SamplerCoding::channelCode(channelIndex, ioIndex, &channelKind);
}

QByteArray staticWindow::channelCodeModelB(int index)
{
    return SamplerCoding::channelCodeModelB(index);
}

QByteArray staticWindow::triggerModeCode(int condition, int source)
{
    return SamplerCoding::triggerModeCode(condition, source);
}

// An empty result means the level was refused, with a message: nothing is to be written. A run
// that meets the refusal says it once it has ended (reportRunEnd), not while it holds the link.
QString staticWindow::levelToHex(int variableIndex, int level)
{
    const SamplerCoding::Level coded = SamplerCoding::levelToHex(variableIndex, level, scaleE601, scaleE602);
    QString text;
    const char *reason = nullptr;
    switch (coded.error) {
    case SamplerCoding::Level::None:
        return coded.hex;
    case SamplerCoding::Level::SpeedScaleZero:
        text = tr("OSVELCC Error");
        reason = "OSVELCC Error";
        break;
    case SamplerCoding::Level::TorqueScaleZero:
        text = tr("MAXTRQC Error");
        reason = "MAXTRQC Error";
        break;
    case SamplerCoding::Level::OutOfRange:
        text = tr("触发电平超出范围");
        reason = "trigger level out of range";
        break;
    }
    if (!runActive) {
        tell(text, reason);
    } else if (levelRefusal.isEmpty()) {
        levelRefusal = text;
        levelRefusalReason = reason;
    }
    return coded.hex;
}

void staticWindow::readGraphDataRecieve(QVector<QString> words)
{
    wordIndex = 0;
    if (driverChoice != 0) {
        const TraceDecoding::HxqChannels channels = TraceDecoding::hxqChannels(words);
        rawCH1 += channels.raw1;
        rawCH2 += channels.raw2;
        dataCH1 += channels.values1;
        dataCH2 += channels.values2;
        wordIndex = words.size();
        scaleReadPhase = false;
        return;
    }
    if (words.size() < 4)
        return;
    const auto quarters = TraceDecoding::vrQuarters(words);
    rawCH1 += quarters[0];
    rawCH2 += quarters[1];
    rawCH3 += quarters[2];
    rawCH4 += quarters[3];
    wordIndex = words.size();
}

void staticWindow::decodeChannel(QVector<QString> words, int channel, int kind)
{
    QVector<int> *values[] = {&dataCH1, &dataCH2, &dataCH3, &dataCH4};
    QVector<short> *states[] = {&dataIO1, &dataIO2, &dataIO3, &dataIO4};

    // A run decodes by what it set the sampler up with, not by what the form shows now.
    const CaptureSetup s = runActive ? runSetup : setupFromForm();
    int pretrigger = s.pretrigger;
    if (sampleWidth == 2) {
        // Without an active trigger the drive records from its own start: no samples before it.
        const bool trigger1 = s.triggerType[0] > 0 && s.triggerSource[0] > 0;
        const bool trigger2 = s.triggerType[1] > 0 && s.triggerSource[1] > 0;
        if (!trigger1 && !trigger2) {
            ui->spinBox_pretrigger->setValue(0);
            pretrigger = 0;
            if (runActive)
                runSetup.pretrigger = 0; // what the capture was taken under, as its file says
        }
    }
    TraceDecoding::Decoded decoded;
    const bool ok = TraceDecoding::decodeVrChannel(words, sampleWidth, kind, triggerIndex, pretrigger, scaleE601,
                                                   scaleE602, &decoded);
    if (!ok)
        qCDebug(linkLog) << "capture channel" << channel << "not decoded:" << words.size() << "words, sample width"
                         << sampleWidth;
    if (ok && channel >= 1 && channel <= 4) {
        *values[channel - 1] += decoded.values;
        *states[channel - 1] += decoded.io;
    }
    wordIndex = words.size();
    scaleReadPhase = false;
}
