<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>MainWindow</name>
    <message>
        <source>MainWindow</source>
        <translation>主窗口</translation>
    </message>
    <message>
        <source>伺服信息</source>
        <translation> 伺服信息</translation>
    </message>
    <message>
        <source>Tavrilon</source>
        <translation>Tavrilon</translation>
    </message>
    <message>
        <source>R/T power open</source>
        <translation>R/T 主电源接通</translation>
    </message>
    <message>
        <source>R/T power close</source>
        <translation>R/T 主电源断开</translation>
    </message>
    <message>
        <source>Alarm signal</source>
        <translation>报警信号</translation>
    </message>
    <message>
        <source>No Alarm signal</source>
        <translation>无报警信号</translation>
    </message>
    <message>
        <source>For details, please visit:</source>
        <translation>详情请访问：</translation>
    </message>
    <message>
        <source>仅适用于VR系列驱动器</source>
        <translation>仅适用于VR系列驱动器</translation>
    </message>
    <message>
        <source>未连接驱动器</source>
        <translation>未连接驱动器</translation>
    </message>
    <message>
        <source>需先输入密码，且驱动器在线</source>
        <translation>需先输入密码，且驱动器在线</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1：%2</translation>
    </message>
</context>
<context>
    <name>PasswordDialog</name>
    <message>
        <source>Password Error</source>
        <translation>密码错误</translation>
    </message>
</context>
</TS>
