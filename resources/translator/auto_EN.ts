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
</context>
<context>
    <name>staticWindow</name>
    <message>
        <source>采样未完成</source>
        <translation>The capture was not completed</translation>
    </message>
    <message>
        <source>快速改存文件未保存</source>
        <translation>The quick-change file was not saved</translation>
    </message>
    <message>
        <source>未选择快速改存文件：请用“选择保存目录”选择</source>
        <translation>No quick-change file chosen: choose it with Choose save folder</translation>
    </message>
</context>
</TS>
