<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AutoWindow</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>请先选择保存目录再配置</source>
        <translation>请先选择保存目录再配置</translation>
    </message>
    <message>
        <source>选择保存目录</source>
        <translation>选择保存目录</translation>
    </message>
    <message>
        <source>自动</source>
        <translation>自动</translation>
    </message>
    <message>
        <source>开始配置</source>
        <translation>开始配置</translation>
    </message>
    <message>
        <source>load file</source>
        <translation>加载文件</translation>
    </message>
    <message>
        <source>Files(*.txt)</source>
        <translation>Files(*.txt)</translation>
    </message>
    <message>
        <source>文件读取错误</source>
        <translation>文件读取错误</translation>
    </message>
    <message>
        <source>未选择命令文件：请取消“自动”，用“开始配置”选择</source>
        <translation>未选择命令文件：请取消“自动”，用“开始配置”选择</translation>
    </message>
    <message>
        <source>文件错误</source>
        <translation>文件错误</translation>
    </message>
</context>
</TS>
