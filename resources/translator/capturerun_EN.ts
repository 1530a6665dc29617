<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>CaptureFiles</name>
    <message>
        <source>文件在第 %1 行前结束</source>
        <translation>The file ends before line %1</translation>
    </message>
    <message>
        <source>文件在第 %1 行中间结束</source>
        <translation>The file ends inside line %1</translation>
    </message>
    <message>
        <source>第 %1 行多余</source>
        <translation>Line %1 is one too many</translation>
    </message>
    <message>
        <source>这是另一驱动器系列的采样文件</source>
        <translation>This is a capture file of the other drive family</translation>
    </message>
    <message>
        <source>这不是采样文件</source>
        <translation>This is not a capture file</translation>
    </message>
    <message>
        <source>第 %1 行的设置项不足</source>
        <translation>Line %1 holds too few settings</translation>
    </message>
    <message>
        <source>第 %1 行的设置值无效: %2</source>
        <translation>Line %1: invalid setting: %2</translation>
    </message>
    <message>
        <source>第 %1 行缺少通道名称</source>
        <translation>Line %1: the channel name is missing</translation>
    </message>
    <message>
        <source>第 %1 行的数值无效: %2</source>
        <translation>Line %1: invalid value: %2</translation>
    </message>
    <message>
        <source>第 %1 行的数据不完整: %2</source>
        <translation>Line %1 holds too few values: %2</translation>
    </message>
    <message>
        <source>第 %1 行的名称不在列表中: %2</source>
        <translation>Line %1 names an entry the list does not offer: %2</translation>
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
        <translation>Serial port not open/device not connected/address not selected</translation>
    </message>
    <message>
        <source>驱动器未应答(寄存器 %1),采样已中止</source>
        <translation>The drive did not answer (register %1); the capture was stopped</translation>
    </message>
    <message>
        <source>数据上传不完整(地址 %1 的数据块未收到),波形未显示</source>
        <translation>The upload is incomplete (the block at address %1 never arrived); nothing is drawn</translation>
    </message>
    <message>
        <source>数据上传不完整(收到 %1 个数据,应为 %2 个),波形未显示</source>
        <translation>The upload is incomplete (%1 words of %2 arrived); nothing is drawn</translation>
    </message>
    <message>
        <source>读取 %1 失败: 驱动器未应答</source>
        <translation>Reading %1 failed: the drive did not answer</translation>
    </message>
    <message>
        <source>%1: 请输入 %2 到 %3 之间的整数</source>
        <translation>%1: enter an integer from %2 to %3</translation>
    </message>
    <message>
        <source>%1 %2: 请先读取或输入数值</source>
        <translation>%1 %2: read the loop gains or type a value first</translation>
    </message>
    <message>
        <source>写入 %1 失败: 驱动器未确认,其后的参数未写入</source>
        <translation>Writing %1 failed: the drive did not confirm it; the parameters after it were not written</translation>
    </message>
    <message>
        <source>快速改存文件只保存VR系列的采样数据</source>
        <translation>Quick-change files hold captures of the VR family only</translation>
    </message>
    <message>
        <source>快速改存文件 %1 未能保存: %2</source>
        <translation>The quick-change file %1 was not saved: %2</translation>
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
        <translation>value</translation>
    </message>
    <message>
        <source>文件格式出错</source>
        <translation>File format error</translation>
    </message>
    <message>
        <source>截屏失败 !</source>
        <translation>Screenshot failed!</translation>
    </message>
    <message>
        <source>保存错误 !</source>
        <translation>Save error!</translation>
    </message>
    <message>
        <source>保存成功!</source>
        <translation>save successfully!</translation>
    </message>
    <message>
        <source>采样窗口已关闭,采样已停止</source>
        <translation>The capture window was closed; the capture was stopped</translation>
    </message>
    <message>
        <source>语言已切换,采样已停止</source>
        <translation>The language was switched; the capture was stopped</translation>
    </message>
    <message>
        <source>连接已断开,采样已中止</source>
        <translation>Link lost; the capture was stopped</translation>
    </message>
</context>
</TS>
