<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>serialPort</name>
    <message>
        <source>error</source>
        <translation>error</translation>
    </message>
    <message>
        <source>串口 %1 的连接已断开</source>
        <translation>串口 %1 的连接已断开</translation>
    </message>
</context>
</TS>
