<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CaptureFiles</name>
    <message>
        <source>文件在第 %1 行前结束</source>
        <translation>文件在第 %1 行前结束</translation>
    </message>
    <message>
        <source>第 %1 行多余(其他驱动器系列的文件?)</source>
        <translation>第 %1 行多余(其他驱动器系列的文件?)</translation>
    </message>
    <message>
        <source>第 %1 行的设置项不足</source>
        <translation>第 %1 行的设置项不足</translation>
    </message>
    <message>
        <source>第 %1 行的设置值无效: %2</source>
        <translation>第 %1 行的设置值无效: %2</translation>
    </message>
    <message>
        <source>第 %1 行缺少通道名称</source>
        <translation>第 %1 行缺少通道名称</translation>
    </message>
    <message>
        <source>第 %1 行的数值无效: %2</source>
        <translation>第 %1 行的数值无效: %2</translation>
    </message>
</context>
</TS>
