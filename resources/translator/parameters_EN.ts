<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>parameterWindow</name>
    <message>
        <source>Form</source>
        <translation>ParemeterWindow</translation>
    </message>
    <message>
        <source> 分类</source>
        <translation> Classification</translation>
    </message>
    <message>
        <source>查询：</source>
        <translation>Inquire:</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>载入</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>比较参数</source>
        <translation>Compare</translation>
    </message>
    <message>
        <source>恢复出厂值</source>
        <translation>FactoryReset</translation>
    </message>
    <message>
        <source>全选</source>
        <translation>Check all</translation>
    </message>
    <message>
        <source>上传</source>
        <translation>Upload</translation>
    </message>
    <message>
        <source>下载</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>Save to computer</source>
        <translation>Save to computer</translation>
    </message>
    <message>
        <source>Read from computer</source>
        <translation>Read from computer</translation>
    </message>
    <message>
        <source>Driver initialization</source>
        <translation>Driver initialization</translation>
    </message>
    <message>
        <source>Upload to computer</source>
        <translation>Upload to computer</translation>
    </message>
    <message>
        <source>Download to drive</source>
        <translation>Download to drive</translation>
    </message>
    <message>
        <source>ParameterWindow</source>
        <translation>ParemeterWindow</translation>
    </message>
    <message>
        <source>编号</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>数值</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>最小值</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>最大值</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>默认值</source>
        <translation>Default values</translation>
    </message>
    <message>
        <source>单位</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>属性</source>
        <translation>Attribute</translation>
    </message>
    <message>
        <source>数值状态</source>
        <translation>State</translation>
    </message>
    <message>
        <source>error</source>
        <translation>error</translation>
    </message>
    <message>
        <source>串口未打开/设备未连接/地址未选择</source>
        <translation>Serial port not open/device not connected/address not selected</translation>
    </message>
    <message>
        <source>%1 的数值未被接受：%2</source>
        <translation>The value of %1 was not accepted: %2</translation>
    </message>
</context>
<context>
    <name>parameterDelegation</name>
    <message>
        <source>***</source>
        <translation>***</translation>
    </message>
    <message>
        <source>开关量须为四位十六进制数字</source>
        <translation>A switch word takes exactly four hexadecimal digits</translation>
    </message>
    <message>
        <source>Bit%1 不是十六进制数字</source>
        <translation>Bit%1 is not a hexadecimal digit</translation>
    </message>
    <message>
        <source>Bit%1 须在 %2 与 %3 之间</source>
        <translation>Bit%1 must lie between %2 and %3</translation>
    </message>
    <message>
        <source>数值须为十进制整数</source>
        <translation>The value must be a decimal integer</translation>
    </message>
    <message>
        <source>数值须在 %1 与 %2 之间</source>
        <translation>The value must lie between %1 and %2</translation>
    </message>
</context>
</TS>
