<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>FFT_Window</name>
    <message>
        <source>频率(HZ)</source>
        <translation>Frequency(HZ)</translation>
    </message>
    <message>
        <source>串口未打开/设备未连接/地址未选择</source>
        <translation>Serial port not open/device not connected/address not selected</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Hint</translation>
    </message>
    <message>
        <source>数据丢失</source>
        <translation>data lost</translation>
    </message>
    <message>
        <source>幅值</source>
        <translation>Amplitude</translation>
    </message>
    <message>
        <source>相位</source>
        <translation>Phase</translation>
    </message>
    <message>
        <source>采样设置失败</source>
        <translation>Sampler set-up failed</translation>
    </message>
    <message>
        <source>空数据</source>
        <translation>Empty data</translation>
    </message>
    <message>
        <source>没有可保存的采样数据</source>
        <translation>No samples to save</translation>
    </message>
    <message>
        <source>采样超时</source>
        <translation>Sampling timeout</translation>
    </message>
    <message>
        <source>数值</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>文件格式出错</source>
        <translation>File format error</translation>
    </message>
    <message>
        <source>                设置</source>
        <translation>                Setting</translation>
    </message>
    <message>
        <source>采样间隔：</source>
        <translation>sampling interval:</translation>
    </message>
    <message>
        <source>采样通道：</source>
        <translation>Sampling channel:</translation>
    </message>
    <message>
        <source>第一频率点</source>
        <translation>First frequency point</translation>
    </message>
    <message>
        <source>第二频率点</source>
        <translation>Second frequency point</translation>
    </message>
    <message>
        <source>第三频率点</source>
        <translation>Third frequency point</translation>
    </message>
    <message>
        <source>第四频率点</source>
        <translation>Fourth frequency point</translation>
    </message>
    <message>
        <source>频率(HZ)：</source>
        <translation>frequency(HZ)：</translation>
    </message>
    <message>
        <source>幅值：</source>
        <translation>Amplitude：</translation>
    </message>
    <message>
        <source>Hide</source>
        <translation>Hide</translation>
    </message>
    <message>
        <source>Recover</source>
        <translation>Recover</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Only Amplitude</source>
        <translation>Only Amplitude</translation>
    </message>
    <message>
        <source>Only Phase</source>
        <translation>Only Phase</translation>
    </message>
    <message>
        <source>Replot</source>
        <translation>Replot</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>FFT</source>
        <translation>FFT</translation>
    </message>
    <message>
        <source>error</source>
        <translation>error</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>125μs</source>
        <translation>125μs</translation>
    </message>
    <message>
        <source>CH1:</source>
        <translation>CH1:</translation>
    </message>
    <message>
        <source>save file</source>
        <translation>save file</translation>
    </message>
    <message>
        <source>Files(*.fft)</source>
        <translation>Files(*.fft)</translation>
    </message>
    <message>
        <source>load file</source>
        <translation>load file</translation>
    </message>
    <message>
        <source>Files(*.txt *.Static *fft) </source>
        <translation>Files(*.txt *.Static *fft) </translation>
    </message>
    <message>
        <source>切换语言断开了串口，频谱采样已停止</source>
        <translation>The language switch closed the serial port: the spectrum capture was stopped</translation>
    </message>
    <message>
        <source>采样间隔无效: %1 (应为 %2 ~ %3)</source>
        <translation>Invalid sampling interval: %1 (allowed %2 to %3)</translation>
    </message>
</context>
<context>
    <name>staticWindow</name>
    <message>
        <source>数据长度不对</source>
        <translation>Wrong data length</translation>
    </message>
    <message>
        <source>.csv</source>
        <translation>.csv</translation>
    </message>
</context>
<context>
    <name>SampleFile</name>
    <message>
        <source>第 %1 行的数值无效: %2</source>
        <translation>Line %1: invalid value: %2</translation>
    </message>
    <message>
        <source>第 %1 行的采样间隔无效: %2 (应为 %3 ~ %4)</source>
        <translation>Line %1: invalid sampling interval: %2 (allowed %3 to %4)</translation>
    </message>
    <message>
        <source>频谱分析需要 %1 个采样点，第 %2 行只有 %3 个</source>
        <translation>The spectrum needs %1 samples; line %2 holds %3</translation>
    </message>
    <message>
        <source>文件在第 %1 行中间结束</source>
        <translation>The file ends inside line %1</translation>
    </message>
</context>
<context>
    <name>BatchEntry</name>
    <message>
        <source>数据长度不对: %1 第 %2 行有 %3 个采样点，应为 %4 个</source>
        <translation>Wrong data length: %1 line %2 holds %3 samples, %4 needed</translation>
    </message>
    <message>
        <source>数据长度不对: %1 第 %2 行超过 %3 个采样点</source>
        <translation>Wrong data length: %1 line %2 holds more than %3 samples</translation>
    </message>
    <message>
        <source>%1 第 %2 行的数值无效: %3</source>
        <translation>%1 line %2: invalid value: %3</translation>
    </message>
    <message>
        <source>%1 第 %2 行：文件在这一行中间结束</source>
        <translation>%1 line %2: the file ends inside this line</translation>
    </message>
</context>
</TS>
