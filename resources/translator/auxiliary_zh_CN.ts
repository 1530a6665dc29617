<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>function_AF4</name>
    <message>
        <source>No Alarm</source>
        <translation>No Alarm</translation>
    </message>
</context>
</TS>
