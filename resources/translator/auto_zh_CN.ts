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
    <message>
        <source>no answer from the drive</source>
        <translation>驱动器无应答</translation>
    </message>
    <message>
        <source>serial port not open</source>
        <translation>串口未打开</translation>
    </message>
    <message>
        <source>parameter window closed</source>
        <translation>参数窗口已关闭</translation>
    </message>
    <message>
        <source>wrong echo</source>
        <translation>回显错误</translation>
    </message>
    <message>
        <source>reply does not fit the type</source>
        <translation>应答与类型不符</translation>
    </message>
    <message>
        <source>variable mailbox busy</source>
        <translation>变量邮箱忙</translation>
    </message>
    <message>
        <source>variable operation not finished</source>
        <translation>变量操作未完成</translation>
    </message>
    <message>
        <source>no answer from the capture window</source>
        <translation>采样窗口无应答</translation>
    </message>
    <message>
        <source>previous capture operation still running</source>
        <translation>上一个采样操作仍在进行</translation>
    </message>
    <message>
        <source>capture operation failed</source>
        <translation>采样操作失败</translation>
    </message>
    <message>
        <source>unknown command</source>
        <translation>未知命令</translation>
    </message>
    <message>
        <source>missing field</source>
        <translation>缺少字段</translation>
    </message>
    <message>
        <source>unknown operation</source>
        <translation>未知操作</translation>
    </message>
    <message>
        <source>unknown type</source>
        <translation>未知类型</translation>
    </message>
    <message>
        <source>type not supported</source>
        <translation>不支持的类型</translation>
    </message>
    <message>
        <source>drive refused the request (exception %1)</source>
        <translation>驱动器拒绝了该请求(异常码 %1)</translation>
    </message>
    <message>
        <source>field %1 out of range</source>
        <translation>第 %1 个字段超出范围</translation>
    </message>
    <message>
        <source>field %1 is not a number</source>
        <translation>第 %1 个字段不是数字</translation>
    </message>
    <message>
        <source>capture window does not take this now (offline, or a capture not yet stopped)</source>
        <translation>采样窗口此时不接受该操作(离线,或采样尚未停止)</translation>
    </message>
    <message>
        <source>capture not completed</source>
        <translation>采样未完成</translation>
    </message>
    <message>
        <source>capture upload incomplete</source>
        <translation>数据上传不完整,波形未显示</translation>
    </message>
    <message>
        <source>capture data incomplete</source>
        <translation>采样数据不完整</translation>
    </message>
    <message>
        <source>trigger level out of range</source>
        <translation>触发电平超出范围</translation>
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
        <translation>快速改存文件只保存VR系列的采样数据</translation>
    </message>
    <message>
        <source>no quick-change file chosen</source>
        <translation>未选择快速改存文件：请用“选择保存目录”选择</translation>
    </message>
    <message>
        <source>quick-change file not saved</source>
        <translation>快速改存文件未保存</translation>
    </message>
    <message>
        <source>loop-gain read or write running</source>
        <translation>增益参数正在读取或设定</translation>
    </message>
</context>
</TS>
