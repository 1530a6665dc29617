<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>FFT_Window</name>
    <message>
        <source>频率(HZ)</source>
        <translation>频率(HZ)</translation>
    </message>
    <message>
        <source>串口未打开/设备未连接/地址未选择</source>
        <translation>串口未打开/设备未连接/地址未选择</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>数据丢失</source>
        <translation>数据丢失</translation>
    </message>
    <message>
        <source>幅值</source>
        <translation>幅值</translation>
    </message>
    <message>
        <source>相位</source>
        <translation>相位</translation>
    </message>
    <message>
        <source>采样设置失败</source>
        <translation>采样设置失败</translation>
    </message>
    <message>
        <source>空数据</source>
        <translation>空数据</translation>
    </message>
    <message>
        <source>没有可保存的采样数据</source>
        <translation>没有可保存的采样数据</translation>
    </message>
    <message>
        <source>采样超时</source>
        <translation>采样超时</translation>
    </message>
    <message>
        <source>数值</source>
        <translation>数值</translation>
    </message>
    <message>
        <source>文件格式出错</source>
        <translation>文件格式出错</translation>
    </message>
    <message>
        <source>                设置</source>
        <translation>                设置</translation>
    </message>
    <message>
        <source>采样间隔：</source>
        <translation>采样间隔：</translation>
    </message>
    <message>
        <source>采样通道：</source>
        <translation>采样通道：</translation>
    </message>
    <message>
        <source>第一频率点</source>
        <translation>第一频率点</translation>
    </message>
    <message>
        <source>第二频率点</source>
        <translation>第二频率点</translation>
    </message>
    <message>
        <source>第三频率点</source>
        <translation>第三频率点</translation>
    </message>
    <message>
        <source>第四频率点</source>
        <translation>第四频率点</translation>
    </message>
    <message>
        <source>频率(HZ)：</source>
        <translation>频率(HZ)：</translation>
    </message>
    <message>
        <source>幅值：</source>
        <translation>幅值：</translation>
    </message>
    <message>
        <source>Hide</source>
        <translation>隐藏</translation>
    </message>
    <message>
        <source>Recover</source>
        <translation>恢复</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Only Amplitude</source>
        <translation>仅幅值</translation>
    </message>
    <message>
        <source>Only Phase</source>
        <translation>仅相位</translation>
    </message>
    <message>
        <source>Replot</source>
        <translation>重绘</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>导入</translation>
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
        <translation>切换语言断开了串口，频谱采样已停止</translation>
    </message>
    <message>
        <source>采样间隔无效: %1 (应为 %2 ~ %3)</source>
        <translation>采样间隔无效: %1 (应为 %2 ~ %3)</translation>
    </message>
</context>
<context>
    <name>staticWindow</name>
    <message>
        <source>数据长度不对</source>
        <translation>数据长度不对</translation>
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
        <translation>第 %1 行的数值无效: %2</translation>
    </message>
    <message>
        <source>第 %1 行的采样间隔无效: %2 (应为 %3 ~ %4)</source>
        <translation>第 %1 行的采样间隔无效: %2 (应为 %3 ~ %4)</translation>
    </message>
    <message>
        <source>频谱分析需要 %1 个采样点，第 %2 行只有 %3 个</source>
        <translation>频谱分析需要 %1 个采样点，第 %2 行只有 %3 个</translation>
    </message>
    <message>
        <source>文件在第 %1 行中间结束</source>
        <translation>文件在第 %1 行中间结束</translation>
    </message>
</context>
<context>
    <name>BatchEntry</name>
    <message>
        <source>数据长度不对: %1 第 %2 行有 %3 个采样点，应为 %4 个</source>
        <translation>数据长度不对: %1 第 %2 行有 %3 个采样点，应为 %4 个</translation>
    </message>
    <message>
        <source>数据长度不对: %1 第 %2 行超过 %3 个采样点</source>
        <translation>数据长度不对: %1 第 %2 行超过 %3 个采样点</translation>
    </message>
    <message>
        <source>%1 第 %2 行的数值无效: %3</source>
        <translation>%1 第 %2 行的数值无效: %3</translation>
    </message>
    <message>
        <source>%1 第 %2 行：文件在这一行中间结束</source>
        <translation>%1 第 %2 行：文件在这一行中间结束</translation>
    </message>
</context>
</TS>
