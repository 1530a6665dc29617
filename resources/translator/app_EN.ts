<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>MainWindow</name>
    <message>
        <source>MainWindow</source>
        <translation>MainWindow</translation>
    </message>
    <message>
        <source> 动态图(D)</source>
        <translation> Dynamic map(D)</translation>
    </message>
    <message>
        <source> 静态图(S)</source>
        <translation> Static map (S)</translation>
    </message>
    <message>
        <source> 显示参数(P)</source>
        <translation> Display parameter (P)</translation>
    </message>
    <message>
        <source> 比较参数(C)</source>
        <translation> Comparison parameter (C)</translation>
    </message>
    <message>
        <source> 连接/断开</source>
        <translation> Connect/Disconnect</translation>
    </message>
    <message>
        <source> English</source>
        <translation> English</translation>
    </message>
    <message>
        <source> 中文</source>
        <translation> Chinese</translation>
    </message>
    <message>
        <source> 软件说明</source>
        <translation> Software description</translation>
    </message>
    <message>
        <source> 密码</source>
        <translation> password</translation>
    </message>
    <message>
        <source> JOG控制(J)</source>
        <translation> JOG control (J)</translation>
    </message>
    <message>
        <source> 电机参数操作(E)</source>
        <translation> Motor parameter operation (E)</translation>
    </message>
    <message>
        <source> 主控界面(F)</source>
        <translation> Master interface (F)</translation>
    </message>
    <message>
        <source> 监控(M)</source>
        <translation> Monitoring (M)</translation>
    </message>
    <message>
        <source> 频谱分析(A)</source>
        <translation> Spectrum Analysis (A)</translation>
    </message>
    <message>
        <source> 帮助手册</source>
        <translation> Help manual</translation>
    </message>
    <message>
        <source> 显示信息</source>
        <translation> Display information</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>File</translation>
    </message>
    <message>
        <source>参数</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>图像</source>
        <translation>Graphic</translation>
    </message>
    <message>
        <source>监控</source>
        <translation>Monitoring</translation>
    </message>
    <message>
        <source>辅助功能</source>
        <translation>Accessibility</translation>
    </message>
    <message>
        <source>伺服信息</source>
        <translation> Servo information</translation>
    </message>
    <message>
        <source>语言</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Tavrilon</source>
        <translation>Tavrilon</translation>
    </message>
    <message>
        <source>OffLine</source>
        <translation>OffLine</translation>
    </message>
    <message>
        <source>OnLine</source>
        <translation>OnLine</translation>
    </message>
    <message>
        <source>R/T power open</source>
        <translation>R/T power open</translation>
    </message>
    <message>
        <source>R/T power close</source>
        <translation>R/T power close</translation>
    </message>
    <message>
        <source>Alarm signal</source>
        <translation>Alarm signal</translation>
    </message>
    <message>
        <source>No Alarm signal</source>
        <translation>No Alarm signal</translation>
    </message>
    <message>
        <source>error</source>
        <translation>error</translation>
    </message>
    <message>
        <source>Waring</source>
        <translation>Waring</translation>
    </message>
    <message>
        <source>通讯断开,重连？</source>
        <translation>Communication disconnected, reconnected?</translation>
    </message>
    <message>
        <source>软件说明</source>
        <translation>Software Details</translation>
    </message>
    <message>
        <source>软件版本:1.03</source>
        <translation>Software version :1.03</translation>
    </message>
    <message>
        <source>For details, please visit:</source>
        <translation>For details, please visit:</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>warning</translation>
    </message>
    <message>
        <source>无法打开帮助文档</source>
        <translation>Unable to open help document</translation>
    </message>
    <message>
        <source>仅适用于VR系列驱动器</source>
        <translation>VR family only</translation>
    </message>
    <message>
        <source>未连接驱动器</source>
        <translation>No drive connected</translation>
    </message>
    <message>
        <source>需先输入密码，且驱动器在线</source>
        <translation>Needs the password and an answering drive</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>PasswordDialog</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;center&quot;&gt;请输入密码&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;center&quot;&gt;Please enter your password&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>密码：</source>
        <translation>PassWord:</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>error</source>
        <translation>error</translation>
    </message>
    <message>
        <source>Password Error</source>
        <translation>Password Error</translation>
    </message>
</context>
</TS>
