<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>UnreadValue</name>
    <message>
        <source>未读出</source>
        <translation>未读出</translation>
    </message>
    <message>
        <source>驱动器未应答或连接已断开，此值未从驱动器读到</source>
        <translation>驱动器未应答或连接已断开，此值未从驱动器读到</translation>
    </message>
</context>
</TS>
