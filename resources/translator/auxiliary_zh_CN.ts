<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>function_AF4</name>
    <message>
        <source>No Alarm</source>
        <translation>No Alarm</translation>
    </message>
    <message>
        <source>报警时间(S)</source>
        <translation>报警时间(S)</translation>
    </message>
</context>
<context>
    <name>AuxDialog</name>
    <message>
        <source>未读出</source>
        <translation>未读出</translation>
    </message>
</context>
<context>
    <name>function_AF30</name>
    <message>
        <source>error</source>
        <translation>error</translation>
    </message>
    <message>
        <source>刚性等级必须是 %1 ~ %2 的整数</source>
        <translation>刚性等级必须是 %1 ~ %2 的整数</translation>
    </message>
    <message>
        <source>驱动器的增益不属于同一刚性等级：PA100=%1, PA101=%2, PA102=%3, PA401=%4</source>
        <translation>驱动器的增益不属于同一刚性等级：PA100=%1, PA101=%2, PA102=%3, PA401=%4</translation>
    </message>
</context>
</TS>
