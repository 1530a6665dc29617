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
<context>
    <name>DriveCommands</name>
    <message>
        <source>error</source>
        <translation>error</translation>
    </message>
    <message>
        <source>驱动器正在执行“%1”，它占用着驱动器的命令寄存器，此操作未发送。请等它自行结束，或在它的窗口中停止它，然后再试。</source>
        <translation>The drive is busy with “%1”, which holds its command registers: nothing was sent. Wait until it ends by itself, or stop it in its window, then try again.</translation>
    </message>
    <message>
        <source>命令寄存器被“%1”占用</source>
        <translation>command registers held by “%1”</translation>
    </message>
    <message>
        <source>factory reset</source>
        <translation>factory reset</translation>
    </message>
    <message>
        <source>motor data alarm clear</source>
        <translation>motor data alarm clear</translation>
    </message>
    <message>
        <source>motor data execute</source>
        <translation>motor data execute</translation>
    </message>
    <message>
        <source>encoder initialisation</source>
        <translation>encoder initialisation</translation>
    </message>
    <message>
        <source>test run</source>
        <translation>test run</translation>
    </message>
    <message>
        <source>JOG</source>
        <translation>JOG</translation>
    </message>
    <message>
        <source>program run</source>
        <translation>program run</translation>
    </message>
    <message>
        <source>homing</source>
        <translation>homing</translation>
    </message>
    <message>
        <source>position teaching</source>
        <translation>position teaching</translation>
    </message>
    <message>
        <source>alarm reset</source>
        <translation>alarm reset</translation>
    </message>
    <message>
        <source>alarm history clear</source>
        <translation>alarm history clear</translation>
    </message>
    <message>
        <source>analog offset adjustment</source>
        <translation>analog offset adjustment</translation>
    </message>
    <message>
        <source>speed command offset</source>
        <translation>speed command offset</translation>
    </message>
    <message>
        <source>torque command offset</source>
        <translation>torque command offset</translation>
    </message>
    <message>
        <source>absolute encoder reset</source>
        <translation>absolute encoder reset</translation>
    </message>
    <message>
        <source>capture</source>
        <translation>capture</translation>
    </message>
    <message>
        <source>spectrum capture</source>
        <translation>spectrum capture</translation>
    </message>
</context>
</TS>
