<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>parameterWindow</name>
    <message>
        <source>操作冲突,请关闭电机操作</source>
        <translation>Operation conflict, please close the motor data operation</translation>
    </message>
    <message>
        <source>串口未打开/设备未连接</source>
        <translation>Serial port not open/device not connected</translation>
    </message>
    <message>
        <source>请选择参数</source>
        <translation>Please select parameters</translation>
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
        <translation>Uploaded</translation>
    </message>
    <message>
        <source>已下载</source>
        <translation>Downloaded</translation>
    </message>
    <message>
        <source>已恢复</source>
        <translation>Restored</translation>
    </message>
    <message>
        <source>上传失败</source>
        <translation>Upload failed</translation>
    </message>
    <message>
        <source>下载失败</source>
        <translation>Download failed</translation>
    </message>
    <message>
        <source>恢复失败</source>
        <translation>Restore failed</translation>
    </message>
    <message>
        <source>%1 个参数上传失败</source>
        <translation>%1 parameter(s) could not be uploaded</translation>
    </message>
    <message>
        <source>%1 个参数下载失败</source>
        <translation>%1 parameter(s) could not be downloaded</translation>
    </message>
    <message>
        <source>%1 个参数恢复失败</source>
        <translation>%1 parameter(s) could not be read back after the factory reset</translation>
    </message>
    <message>
        <source>驱动器未确认恢复出厂值命令，参数未恢复</source>
        <translation>The drive did not confirm the factory reset command; no parameter was restored</translation>
    </message>
</context>
</TS>
