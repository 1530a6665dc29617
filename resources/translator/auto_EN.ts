<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AutoWindow</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>请先选择保存目录再配置</source>
        <translation>Please choose the save folder first, then configure</translation>
    </message>
    <message>
        <source>选择保存目录</source>
        <translation>Choose save folder</translation>
    </message>
    <message>
        <source>自动</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>开始配置</source>
        <translation>Start configuration</translation>
    </message>
    <message>
        <source>load file</source>
        <translation>load file</translation>
    </message>
    <message>
        <source>Files(*.txt)</source>
        <translation>Files(*.txt)</translation>
    </message>
    <message>
        <source>文件读取错误</source>
        <translation>File read error</translation>
    </message>
    <message>
        <source>未选择命令文件：请取消“自动”，用“开始配置”选择</source>
        <translation>No command file chosen: switch Auto off and choose it with Start configuration</translation>
    </message>
    <message>
        <source>文件错误</source>
        <translation>File error</translation>
    </message>
    <message>
        <source>no answer from the drive</source>
        <translation>no answer from the drive</translation>
    </message>
    <message>
        <source>serial port not open</source>
        <translation>serial port not open</translation>
    </message>
    <message>
        <source>parameter window closed</source>
        <translation>parameter window closed</translation>
    </message>
    <message>
        <source>wrong echo</source>
        <translation>wrong echo</translation>
    </message>
    <message>
        <source>reply does not fit the type</source>
        <translation>reply does not fit the type</translation>
    </message>
    <message>
        <source>variable mailbox busy</source>
        <translation>variable mailbox busy</translation>
    </message>
    <message>
        <source>variable operation not finished</source>
        <translation>variable operation not finished</translation>
    </message>
    <message>
        <source>no answer from the capture window</source>
        <translation>no answer from the capture window</translation>
    </message>
    <message>
        <source>previous capture operation still running</source>
        <translation>previous capture operation still running</translation>
    </message>
    <message>
        <source>capture operation failed</source>
        <translation>capture operation failed</translation>
    </message>
    <message>
        <source>unknown command</source>
        <translation>unknown command</translation>
    </message>
    <message>
        <source>missing field</source>
        <translation>missing field</translation>
    </message>
    <message>
        <source>unknown operation</source>
        <translation>unknown operation</translation>
    </message>
    <message>
        <source>unknown type</source>
        <translation>unknown type</translation>
    </message>
    <message>
        <source>type not supported</source>
        <translation>type not supported</translation>
    </message>
    <message>
        <source>drive refused the request (exception %1)</source>
        <translation>drive refused the request (exception %1)</translation>
    </message>
    <message>
        <source>field %1 out of range</source>
        <translation>field %1 out of range</translation>
    </message>
    <message>
        <source>field %1 is not a number</source>
        <translation>field %1 is not a number</translation>
    </message>
    <message>
        <source>capture window does not take this now (offline, or a capture not yet stopped)</source>
        <translation>capture window does not take this now (offline, or a capture not yet stopped)</translation>
    </message>
    <message>
        <source>capture not completed</source>
        <translation>capture not completed</translation>
    </message>
    <message>
        <source>capture upload incomplete</source>
        <translation>capture upload incomplete</translation>
    </message>
    <message>
        <source>capture data incomplete</source>
        <translation>capture data incomplete</translation>
    </message>
    <message>
        <source>trigger level out of range</source>
        <translation>trigger level out of range</translation>
    </message>
    <message>
        <source>OSVELCC Error</source>
        <translation>OSVELCC Error</translation>
    </message>
    <message>
        <source>MAXTRQC Error</source>
        <translation>MAXTRQC Error</translation>
    </message>
    <message>
        <source>quick-change files hold captures of the VR family only</source>
        <translation>quick-change files hold captures of the VR family only</translation>
    </message>
    <message>
        <source>no quick-change file chosen</source>
        <translation>no quick-change file chosen</translation>
    </message>
    <message>
        <source>quick-change file not saved</source>
        <translation>quick-change file not saved</translation>
    </message>
    <message>
        <source>loop-gain read or write running</source>
        <translation>loop-gain read or write running</translation>
    </message>
</context>
</TS>
