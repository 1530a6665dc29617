#include "capturecatalogue.h"

#include <QCoreApplication>
#include <QtGlobal>

namespace CaptureCatalogue {

namespace {

#define T(text) QT_TRANSLATE_NOOP("staticWindow", text)

const Entry vrChannelEntries[] = {
    {T("速度反馈(rpm)"), T("Speed feedback (rpm)")},
    {T("速度给定(rpm)"), T("Speed reference (rpm)")},
    {T("转矩给定(0.1%)"), T("Torque reference (0.1%)")},
    {T("位置指令速度(rpm)"), T("Position command speed (rpm)")},
    {T("位置偏差脉冲(32位有符号)(指令单位)"), T("Position deviation pulse (32-bit signed) (command unit)")},
    {T("位置偏差脉冲(32位有符号)(编码器单位)"), T("Position deviation pulse (32-bit signed) (encoder unit)")},
    {T("位置给定脉冲(32位有符号)(指令单位)"), T("Position given pulse (32-bit signed) (command unit)")},
    {T("位置反馈脉冲(32位有符号)(编码器单位)"), T("Position feedback pulse (32-bit signed) (encoder unit)")},
    {T("母线电压(V)"), T("Bus voltage (V)")},
    {T("速度前馈(rpm)"), T("Speed feed forward (rpm)")},
    {T("转矩前馈(0.1%)"), T("Torque feed forward (0.1%)")},
    {T("有效增益"), T("Effective gain")},
    {T("位置偏差低位(指令单位)(无符号)"), T("Position deviation low (command unit) (unsigned)")},
    {T("位置偏差低位(编码器单位)(无符号)"), T("Position deviation low (encoder unit) (unsigned)")},
    {T("位置给定脉冲低位(指令单位)(无符号)"), T("Position given pulse low (command unit)(unsigned)")},
    {T("位置反馈脉冲低位(编码器单位)(无符号)"), T("Position feedback pulse low (encoder unit)(unsigned)")},
    {T("编码器单圈位置(32位有符号)"), T("Encoder lap position information (32-bit signed)")},
    {T("电流检出值"), T("Current detection value")},
    {T("电流给定值"), T("Current setpoint")},
    {T("再生负载率"), T("Regeneration load rate")},
    {T("编码器单圈位置低位(无符号)"), T("Encoder lap position is low (unsigned)")},
    {T("编码器多圈位置"), T("Encoder multi-turn position")},
    {T("位置反馈差分(编码器单位)"), T("Position feedback difference (encoder unit)")},
    {T("位置给定差分(编码器单位)"), T("Position given difference (encoder unit)")},
    {T("Id给定(滤波前)"), T("Id given (before filtering)")},
    {T("Iq给定(滤波前)"), T("Iq given (before filtering)")},
    {T("Id给定(滤波后)"), T("Id given (filtered)")},
    {T("Iq给定(滤波后)"), T("Iq given (after filtering")},
    {T("Id反馈"), T("Id feedback")},
    {T("Iq反馈"), T("Iq feedback")},
    {T("Ud反馈"), T("Ud feedback")},
    {T("Uq反馈"), T("Uq feedback")},
};

const Entry hxqChannelEntries[] = {
    {T("速度反馈"), T("Speed feedback")},
    {T("速度给定"), T("Speed for a given")},
    {T("内部转矩指令百分比"), T("Internal torque instruction percentage")},
    {T("输入转矩指令百分比"), T("Input torque instruction percentage")},
    {T("当前位置低位"), T("Current position low")},
    {T("当前位置高位"), T("Current position high")},
    {T("给定脉冲计数器低位"), T("Given the low level of the pulse counter")},
    {T("给定脉冲计数器高位"), T("Given the high level of the pulse counter")},
    {T("偏差脉冲计数器低16位"), T("The offset pulse counter is 16 bits lower")},
    {T("偏差脉冲计数器高16位"), T("The offset pulse counter is 16 bits high")},
    {T("母线电压"), T("Power Circuit Voltage")},
    {T("输入信号状态"), T("Input signal state")},
    {T("输出信号状态"), T("Output signal state")},
    {T("Encooder"), T("Encooder")},
    {T("theta"), T("theta")},
    {T("Iu"), T("Iu")},
    {T("Iv"), T("Iv")},
    {T("Idr"), T("Idr")},
    {T("Id"), T("Id")},
    {T("Iqr"), T("Iqr")},
    {T("Iq"), T("Iq")},
    {T("Ud"), T("Ud")},
    {T("Uq"), T("Uq")},
    {T("速度反馈0.1"), T("Speed feedback 0.1")},
    {T("速度给定0.1"), T("Speed given 0.1")},
    {T("压力给定"), T("Pressure for a given")},
    {T("压力反馈"), T("pressure feedback")},
    {T("流量给定"), T("Flow given")},
    {T("流量反馈"), T("Flow feedback")},
};
constexpr int hxqFlowGiven = 27;
const char *const hxqFlowGivenFourthBox = T("Flow  given");

#define IO(name) {T(name), T(name)}
const Entry ioSignalEntries[] = {
    IO("/S-ON"),   IO("/C-MOD"),    IO("P-OT"),    IO("N-OT"),   IO("/CLR"),    IO("/ALMRST"),
    IO("/INHIBIT"), IO("/ZCLAMP"),  IO("/P-CL"),   IO("/N-CL"),  IO("/G-SELO"), IO("/CMDINV"),
    IO("/DIV"),    IO("/SPD-A"),    IO("/SPD-B"),  IO("/P-CON"), IO("/P-DET"),  IO("/HMSWITCH"),
    IO("/HOME"),   IO("/SIGN"),     IO("/HWBB1"),  IO("/HWBB2"), IO("ALM"),     IO("/CION"),
    IO("/CZ"),     IO("/BK"),       IO("/S-RDY"),  IO("/V-CMP"), IO("/TGON"),   IO("/CLT"),
    IO("/VLT"),    IO("/WARN"),     IO("/NEAR"),   IO("ACON"),   IO("BENABLE"), IO("Pump"),
    IO("Relay"),   IO("Fan"),       IO("Pdpint"),  IO("Ot"),     IO("Res"),
};
#undef IO

const Entry triggerConditionEntries[] = {
    {T("无触发"), T("No trigger")},
    {T("上升沿触发"), T("Rising edge trigge")},
    {T("下降沿触发"), T("Falling edge trigger")},
    {T("有变化触发"), T("Change trigger")},
    {T("电平触发(以上)"), T("Level trigger (above)")},
    {T("电平触发(以下)"), T("Level trigger (below)")},
};

const Entry triggerSourceEntries[] = {
    {T("无"), T("No")},
    {T("CH1数据"), T("CH1 data")},
    {T("CH2数据"), T("CH2 data")},
    {T("CH3数据"), T("CH3 data")},
    {T("CH4数据"), T("CH4 data")},
    {T("I/O"), T("I/O")},
};

const Entry triggerCombinationEntries[] = {
    {T("单触发"), T("One shot")},
    {T("AND触发"), T("AND trigger")},
    {T("OR触发"), T("OR trigger")},
};

const Entry triggerKindEntries[] = {
    {T("默认触发"), T("Default trigger")},
    {T("软件触发"), T("Software trigger")},
};

const Entry hxqTriggerModeEntries[] = {
    {T("无触发"), T("No trigger")},
    {T("上升沿触发"), T("Edge trigger")},
    {T("下降沿触发"), T("Drop trigger")},
    {T("有变化触发"), T("Change triggered")},
};

#undef T

template <int N>
constexpr List whole(const Entry (&entries)[N], int reduced = N)
{
    return List{entries, N, reduced};
}

} // namespace

List vrChannels() { return whole(vrChannelEntries, 16); }
List hxqChannels() { return whole(hxqChannelEntries, 11); }
List ioSignals() { return whole(ioSignalEntries, 34); }
List triggerConditions() { return whole(triggerConditionEntries); }
List triggerSources() { return whole(triggerSourceEntries); }
List triggerCombinations() { return whole(triggerCombinationEntries); }
List triggerKinds() { return whole(triggerKindEntries); }
List hxqTriggerModes() { return whole(hxqTriggerModeEntries); }

QVector<const char *> texts(const List &list, Language language, bool access)
{
    QVector<const char *> result;
    const int n = list.offered(access);
    result.reserve(n);
    for (int i = 0; i < n; ++i)
        result.append(language == Language::English ? list.entries[i].english : list.entries[i].chinese);
    return result;
}

int find(const List &list, const QString &text)
{
    for (int i = 0; i < list.count; ++i) {
        for (const char *source : {list.entries[i].chinese, list.entries[i].english}) {
            if (text == QString::fromUtf8(source) || text == QCoreApplication::translate("staticWindow", source))
                return i;
        }
    }
    return -1;
}

QVector<const char *> channelTexts(int family, Language language, bool access, int box)
{
    if (family == 0)
        return texts(vrChannels(), language, access);
    QVector<const char *> result = texts(hxqChannels(), language, access);
    if (language == Language::English && box == 4 && result.size() > hxqFlowGiven)
        result[hxqFlowGiven] = hxqFlowGivenFourthBox;
    return result;
}

} // namespace CaptureCatalogue
