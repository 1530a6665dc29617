#include "samplercoding.h"

#include <limits>

namespace SamplerCoding {

namespace {

constexpr int keep = -1; // the variable carries no scaling kind

struct Variable
{
    const char *code;
    int kind;
};

const Variable vrVariables[] = {
    {"02", SpeedKind}, {"03", SpeedKind}, {"01", TorqueKind}, {"04", SpeedKind},
    {"85", keep}, {"96", keep}, {"B0", keep}, {"B1", keep},
    {"23", RawKind}, {"18", SpeedKind}, {"19", TorqueKind}, {"21", GainKind},
    {"05", UnsignedLowKind}, {"16", UnsignedLowKind}, {"30", UnsignedLowKind}, {"31", UnsignedLowKind},
    {"B8", keep}, {"24", keep}, {"25", keep}, {"27", keep},
    {"38", UnsignedLowKind}, {"39", keep}, {"40", keep}, {"41", keep},
    {"60", keep}, {"61", keep}, {"62", keep}, {"63", keep},
    {"64", keep}, {"65", keep}, {"66", keep}, {"67", keep},
};

const char *const ioSignalCodes[] = {
    "01", "02", "03", "04", "05", "06", "07", "08", "09", "0A", "0B", "0D", "0E", "10",
    "11", "12", "14", "16", "17", "1B", "30", "31", "80", "81", "82", "83", "84", "85",
    "86", "87", "88", "89", "8A", "C0", "D0", "D1", "D2", "D3", "D5", "D6", "D7",
};

// Not in position order: position 10 is "0818", 16 is "081F", and no position has "080F".
const char *const hxqVariableCodes[] = {
    "0800", "0801", "0802", "0803", "0804", "0805", "0806", "0807", "0808", "0809",
    "0818", "080A", "080B", "080C", "080D", "080E", "081F", "0810", "0811", "0812",
    "0813", "0814", "0815", "0816", "0817", "0820", "0821", "0822", "0823",
};

const char *const conditionDigits[] = {"0", "1", "2", "3", "4", "5"};
const char *const sourceDigits[] = {"0", "1", "2", "3", "4", "9"};

template <typename T, int N>
bool inTable(const T (&)[N], int index)
{
    return index >= 0 && index < N;
}

} // namespace

QByteArray channelCode(int channelIndex, int ioIndex, int *kind)
{
    QByteArray code = inTable(ioSignalCodes, ioIndex) ? ioSignalCodes[ioIndex] : "00";
    if (inTable(vrVariables, channelIndex)) {
        const Variable &variable = vrVariables[channelIndex];
        code += variable.code;
        if (variable.kind != keep && kind)
            *kind = variable.kind;
    } else {
        code += "00";
    }
    return code;
}

bool isWideVariable(int channelIndex)
{
    return (channelIndex >= 4 && channelIndex <= 7) || channelIndex == 16;
}

QByteArray channelCodeModelB(int index)
{
    return inTable(hxqVariableCodes, index) ? QByteArray(hxqVariableCodes[index]) : QByteArray();
}

QByteArray triggerModeCode(int condition, int source)
{
    QByteArray code("00");
    if (inTable(conditionDigits, condition))
        code += conditionDigits[condition];
    if (inTable(sourceDigits, source))
        code += sourceDigits[source];
    return code;
}

Level levelToHex(int variableIndex, int level, short maxTrqc, short osVelcc)
{
    Level result;
    qint64 q = level;
    switch (variableIndex) {
    case 0: case 1: case 3: case 9: // speed variables
        if (osVelcc == 0) {
            result.error = Level::SpeedScaleZero;
            return result;
        }
        q = qint64(level) * 16384 / osVelcc;
        break;
    case 2: case 10: // torque variables
        if (maxTrqc == 0) {
            result.error = Level::TorqueScaleZero;
            return result;
        }
        q = qint64(level) * 16384 / (qint64(maxTrqc) * 10);
        break;
    case 11: // effective gain, plotted as the sample / 4096
        q = qint64(level) * 4096;
        break;
    default:
        break;
    }
    // The drive takes the level as one 32-bit register pair; a level scaled beyond it would
    // arrive as another level.
    if (q < std::numeric_limits<qint32>::min() || q > std::numeric_limits<qint32>::max()) {
        result.error = Level::OutOfRange;
        return result;
    }
    result.hex = QString::number(quint32(qint32(q)), 16).toUpper().rightJustified(8, QLatin1Char('0'));
    return result;
}

} // namespace SamplerCoding
