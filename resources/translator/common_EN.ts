<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>UnreadValue</name>
    <message>
        <source>未读出</source>
        <translation>not read</translation>
    </message>
    <message>
        <source>驱动器未应答或连接已断开，此值未从驱动器读到</source>
        <translation>The drive did not answer or the link was lost: this value was not read from the drive</translation>
    </message>
</context>
</TS>
