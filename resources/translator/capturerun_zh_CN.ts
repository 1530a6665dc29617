<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CaptureFiles</name>
    <message>
        <source>文件在第 %1 行前结束</source>
        <translation>文件在第 %1 行前结束</translation>
    </message>
    <message>
        <source>文件在第 %1 行中间结束</source>
        <translation>文件在第 %1 行中间结束</translation>
    </message>
    <message>
        <source>第 %1 行多余</source>
        <translation>第 %1 行多余</translation>
    </message>
    <message>
        <source>这是另一驱动器系列的采样文件</source>
        <translation>这是另一驱动器系列的采样文件</translation>
    </message>
    <message>
        <source>这不是采样文件</source>
        <translation>这不是采样文件</translation>
    </message>
    <message>
        <source>第 %1 行的设置项不足</source>
        <translation>第 %1 行的设置项不足</translation>
    </message>
    <message>
        <source>第 %1 行的设置值无效: %2</source>
        <translation>第 %1 行的设置值无效: %2</translation>
    </message>
    <message>
        <source>第 %1 行缺少通道名称</source>
        <translation>第 %1 行缺少通道名称</translation>
    </message>
    <message>
        <source>第 %1 行的数值无效: %2</source>
        <translation>第 %1 行的数值无效: %2</translation>
    </message>
    <message>
        <source>第 %1 行的数据不完整: %2</source>
        <translation>第 %1 行的数据不完整: %2</translation>
    </message>
    <message>
        <source>第 %1 行的名称不在列表中: %2</source>
        <translation>第 %1 行的名称不在列表中: %2</translation>
    </message>
</context>
<context>
    <name>staticWindow</name>
    <message>
        <source>error</source>
        <translation>error</translation>
    </message>
    <message>
        <source>串口未打开/设备未连接/地址未选择</source>
        <translation>串口未打开/设备未连接/地址未选择</translation>
    </message>
    <message>
        <source>驱动器未应答(寄存器 %1),采样已中止</source>
        <translation>驱动器未应答(寄存器 %1),采样已中止</translation>
    </message>
    <message>
        <source>数据上传不完整(地址 %1 的数据块未收到),波形未显示</source>
        <translation>数据上传不完整(地址 %1 的数据块未收到),波形未显示</translation>
    </message>
    <message>
        <source>数据上传不完整(收到 %1 个数据,应为 %2 个),波形未显示</source>
        <translation>数据上传不完整(收到 %1 个数据,应为 %2 个),波形未显示</translation>
    </message>
    <message>
        <source>读取 %1 失败: 驱动器未应答</source>
        <translation>读取 %1 失败: 驱动器未应答</translation>
    </message>
    <message>
        <source>%1: 请输入 %2 到 %3 之间的整数</source>
        <translation>%1: 请输入 %2 到 %3 之间的整数</translation>
    </message>
    <message>
        <source>%1 %2: 请先读取或输入数值</source>
        <translation>%1 %2: 请先读取或输入数值</translation>
    </message>
    <message>
        <source>写入 %1 失败: 驱动器未确认,其后的参数未写入</source>
        <translation>写入 %1 失败: 驱动器未确认,其后的参数未写入</translation>
    </message>
    <message>
        <source>快速改存文件只保存VR系列的采样数据</source>
        <translation>快速改存文件只保存VR系列的采样数据</translation>
    </message>
    <message>
        <source>快速改存文件 %1 未能保存: %2</source>
        <translation>快速改存文件 %1 未能保存: %2</translation>
    </message>
    <message>
        <source>PicData</source>
        <translation>PicData</translation>
    </message>
    <message>
        <source>save file</source>
        <translation>save file</translation>
    </message>
    <message>
        <source>load file</source>
        <translation>load file</translation>
    </message>
    <message>
        <source>Files(*.Static)</source>
        <translation>Files(*.Static)</translation>
    </message>
    <message>
        <source>数值</source>
        <translation>数值</translation>
    </message>
    <message>
        <source>文件格式出错</source>
        <translation>文件格式出错</translation>
    </message>
    <message>
        <source>截屏失败 !</source>
        <translation>截屏失败 !</translation>
    </message>
    <message>
        <source>保存错误 !</source>
        <translation>保存错误 !</translation>
    </message>
    <message>
        <source>保存成功!</source>
        <translation>保存成功!</translation>
    </message>
    <message>
        <source>采样窗口已关闭,采样已停止</source>
        <translation>采样窗口已关闭,采样已停止</translation>
    </message>
    <message>
        <source>语言已切换,采样已停止</source>
        <translation>语言已切换,采样已停止</translation>
    </message>
    <message>
        <source>连接已断开,采样已中止</source>
        <translation>连接已断开,采样已中止</translation>
    </message>
</context>
</TS>
