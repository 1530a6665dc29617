<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>parameterWindow</name>
    <message>
        <source>操作冲突,请关闭电机操作</source>
        <translation>操作冲突,请关闭电机操作</translation>
    </message>
    <message>
        <source>串口未打开/设备未连接</source>
        <translation>串口未打开/设备未连接</translation>
    </message>
    <message>
        <source>请选择参数</source>
        <translation>请选择参数</translation>
    </message>
    <message>
        <source>Waring</source>
        <translation>Waring</translation>
    </message>
    <message>
        <source>Will Reset?</source>
        <translation>Will Reset?</translation>
    </message>
    <message>
        <source>已上传</source>
        <translation>已上传</translation>
    </message>
    <message>
        <source>已下载</source>
        <translation>已下载</translation>
    </message>
    <message>
        <source>已恢复</source>
        <translation>已恢复</translation>
    </message>
    <message>
        <source>上传失败</source>
        <translation>上传失败</translation>
    </message>
    <message>
        <source>下载失败</source>
        <translation>下载失败</translation>
    </message>
    <message>
        <source>恢复失败</source>
        <translation>恢复失败</translation>
    </message>
    <message>
        <source>%1 个参数上传失败</source>
        <translation>%1 个参数上传失败</translation>
    </message>
    <message>
        <source>%1 个参数下载失败</source>
        <translation>%1 个参数下载失败</translation>
    </message>
    <message>
        <source>%1 个参数恢复失败</source>
        <translation>%1 个参数恢复失败</translation>
    </message>
    <message>
        <source>驱动器未确认恢复出厂值命令，参数未恢复</source>
        <translation>驱动器未确认恢复出厂值命令，参数未恢复</translation>
    </message>
</context>
</TS>
