<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>serialPort</name>
    <message>
        <source>error</source>
        <translation>error</translation>
    </message>
</context>
</TS>
