<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>dynamicWindow</name>
    <message>
        <source>DynamicWindow</source>
        <translation>动态图</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>动态图</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Replot</source>
        <translation>重绘</translation>
    </message>
    <message>
        <source>Full screen</source>
        <translation>全屏</translation>
    </message>
    <message>
        <source>通道设置</source>
        <translation>通道设置</translation>
    </message>
    <message>
        <source>图像设置</source>
        <translation>图像设置</translation>
    </message>
    <message>
        <source>固定像素</source>
        <translation>固定像素</translation>
    </message>
    <message>
        <source>数据</source>
        <translation>数据</translation>
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
        <translation>%1 已存在，是否替换？</translation>
    </message>
</context>
</TS>
