<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>serialPort</name>
    <message>
        <source>error</source>
        <translation>error</translation>
    </message>
    <message>
        <source>串口未打开/设备未连接</source>
        <translation>Serial port not open/device not connected</translation>
    </message>
    <message>
        <source>串口 %1 的连接已断开</source>
        <translation>The link on serial port %1 was lost</translation>
    </message>
    <message>
        <source>information</source>
        <translation>information</translation>
    </message>
    <message>
        <source>数据出错</source>
        <translation>Data error</translation>
    </message>
    <message>
        <source>没有驱动器应答</source>
        <translation>No drive answered</translation>
    </message>
</context>
</TS>
