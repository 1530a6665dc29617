<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>dynamicWindow</name>
    <message>
        <source>DynamicWindow</source>
        <translation>DynamicWindow</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>DynamicWindow</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Replot</source>
        <translation>Replot</translation>
    </message>
    <message>
        <source>Full screen</source>
        <translation>Full screen</translation>
    </message>
    <message>
        <source>通道设置</source>
        <translation>Channel Settings</translation>
    </message>
    <message>
        <source>图像设置</source>
        <translation>Image set</translation>
    </message>
    <message>
        <source>固定像素</source>
        <translation>Fixed pixel</translation>
    </message>
    <message>
        <source>数据</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>DynamicData</source>
        <translation>DynamicData</translation>
    </message>
    <message>
        <source>Files(*.Dynamic)</source>
        <translation>Files(*.Dynamic)</translation>
    </message>
    <message>
        <source>CH1:</source>
        <translation>CH1:</translation>
    </message>
    <message>
        <source>CH2:</source>
        <translation>CH2:</translation>
    </message>
    <message>
        <source>TO</source>
        <translation>TO</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;right&quot;&gt;X:&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;right&quot;&gt;X:&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>%1 已存在，是否替换？</source>
        <translation>%1 already exists. Replace it?</translation>
    </message>
    <message>
        <source>驱动器无应答,曲线已暂停更新</source>
        <translation>The drive does not answer; the curve is not updated</translation>
    </message>
    <message>
        <source>语言已切换,实时曲线已停止</source>
        <translation>The language was switched; the live trend was stopped</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Tips</translation>
    </message>
</context>
</TS>
