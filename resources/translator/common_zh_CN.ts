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
<context>
    <name>DriveCommands</name>
    <message>
        <source>error</source>
        <translation>error</translation>
    </message>
    <message>
        <source>驱动器正在执行“%1”，它占用着驱动器的命令寄存器，此操作未发送。请等它自行结束，或在它的窗口中停止它，然后再试。</source>
        <translation>驱动器正在执行“%1”，它占用着驱动器的命令寄存器，此操作未发送。请等它自行结束，或在它的窗口中停止它，然后再试。</translation>
    </message>
    <message>
        <source>命令寄存器被“%1”占用</source>
        <translation>命令寄存器被“%1”占用</translation>
    </message>
    <message>
        <source>factory reset</source>
        <translation>恢复出厂值</translation>
    </message>
    <message>
        <source>motor data alarm clear</source>
        <translation>电机数据清除报警</translation>
    </message>
    <message>
        <source>motor data execute</source>
        <translation>电机数据执行</translation>
    </message>
    <message>
        <source>encoder initialisation</source>
        <translation>编码器初始化</translation>
    </message>
    <message>
        <source>test run</source>
        <translation>试运行</translation>
    </message>
    <message>
        <source>JOG</source>
        <translation>JOG</translation>
    </message>
    <message>
        <source>program run</source>
        <translation>程序运行</translation>
    </message>
    <message>
        <source>homing</source>
        <translation>原点回归</translation>
    </message>
    <message>
        <source>position teaching</source>
        <translation>位置示教</translation>
    </message>
    <message>
        <source>alarm reset</source>
        <translation>报警复位</translation>
    </message>
    <message>
        <source>alarm history clear</source>
        <translation>清除报警记录</translation>
    </message>
    <message>
        <source>analog offset adjustment</source>
        <translation>模拟量零漂调整</translation>
    </message>
    <message>
        <source>speed command offset</source>
        <translation>速度指令零漂调整</translation>
    </message>
    <message>
        <source>torque command offset</source>
        <translation>转矩指令零漂调整</translation>
    </message>
    <message>
        <source>absolute encoder reset</source>
        <translation>绝对编码器复位</translation>
    </message>
    <message>
        <source>capture</source>
        <translation>波形采样</translation>
    </message>
    <message>
        <source>spectrum capture</source>
        <translation>频谱采样</translation>
    </message>
</context>
</TS>
