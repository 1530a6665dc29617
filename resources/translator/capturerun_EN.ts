<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>CaptureFiles</name>
    <message>
        <source>文件在第 %1 行前结束</source>
        <translation>The file ends before line %1</translation>
    </message>
    <message>
        <source>第 %1 行多余(其他驱动器系列的文件?)</source>
        <translation>Line %1 is one too many (a file of the other drive family?)</translation>
    </message>
    <message>
        <source>第 %1 行的设置项不足</source>
        <translation>Line %1 holds too few settings</translation>
    </message>
    <message>
        <source>第 %1 行的设置值无效: %2</source>
        <translation>Line %1: invalid setting: %2</translation>
    </message>
    <message>
        <source>第 %1 行缺少通道名称</source>
        <translation>Line %1: the channel name is missing</translation>
    </message>
    <message>
        <source>第 %1 行的数值无效: %2</source>
        <translation>Line %1: invalid value: %2</translation>
    </message>
</context>
</TS>
