<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>parameterWindow</name>
    <message>
        <source>Form</source>
        <translation>参数操作</translation>
    </message>
    <message>
        <source> 分类</source>
        <translation> 分类</translation>
    </message>
    <message>
        <source>查询：</source>
        <translation>查询：</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>载入</source>
        <translation>载入</translation>
    </message>
    <message>
        <source>比较参数</source>
        <translation>比较参数</translation>
    </message>
    <message>
        <source>恢复出厂值</source>
        <translation>恢复出厂值</translation>
    </message>
    <message>
        <source>全选</source>
        <translation>全选</translation>
    </message>
    <message>
        <source>上传</source>
        <translation>上传</translation>
    </message>
    <message>
        <source>下载</source>
        <translation>下载</translation>
    </message>
    <message>
        <source>Save to computer</source>
        <translation>保存到电脑</translation>
    </message>
    <message>
        <source>Read from computer</source>
        <translation>读取文件</translation>
    </message>
    <message>
        <source>Driver initialization</source>
        <translation>参数初始化</translation>
    </message>
    <message>
        <source>Upload to computer</source>
        <translation>上传电脑</translation>
    </message>
    <message>
        <source>Download to drive</source>
        <translation>下载参数</translation>
    </message>
    <message>
        <source>ParameterWindow</source>
        <translation>参数操作</translation>
    </message>
    <message>
        <source>编号</source>
        <translation>编号</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>数值</source>
        <translation>数值</translation>
    </message>
    <message>
        <source>最小值</source>
        <translation>最小值</translation>
    </message>
    <message>
        <source>最大值</source>
        <translation>最大值</translation>
    </message>
    <message>
        <source>默认值</source>
        <translation>默认值</translation>
    </message>
    <message>
        <source>单位</source>
        <translation>单位</translation>
    </message>
    <message>
        <source>属性</source>
        <translation>属性</translation>
    </message>
    <message>
        <source>数值状态</source>
        <translation>数值状态</translation>
    </message>
    <message>
        <source>error</source>
        <translation>error</translation>
    </message>
    <message>
        <source>串口未打开/设备未连接/地址未选择</source>
        <translation>串口未打开/设备未连接/地址未选择</translation>
    </message>
    <message>
        <source>%1 的数值未被接受：%2</source>
        <translation>%1 的数值未被接受：%2</translation>
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
        <translation>开关量须为四位十六进制数字</translation>
    </message>
    <message>
        <source>Bit%1 不是十六进制数字</source>
        <translation>Bit%1 不是十六进制数字</translation>
    </message>
    <message>
        <source>Bit%1 须在 %2 与 %3 之间</source>
        <translation>Bit%1 须在 %2 与 %3 之间</translation>
    </message>
    <message>
        <source>数值须为十进制整数</source>
        <translation>数值须为十进制整数</translation>
    </message>
    <message>
        <source>数值须在 %1 与 %2 之间</source>
        <translation>数值须在 %1 与 %2 之间</translation>
    </message>
</context>
</TS>
