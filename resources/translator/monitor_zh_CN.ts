<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>MonitorWindow</name>
    <message>
        <source>监控</source>
        <translation>监控</translation>
    </message>
    <message>
        <source>开始监控</source>
        <translation>开始监控</translation>
    </message>
    <message>
        <source>结束监控</source>
        <translation>结束监控</translation>
    </message>
    <message>
        <source>监视号</source>
        <translation>监视号</translation>
    </message>
    <message>
        <source>内容</source>
        <translation>内容</translation>
    </message>
    <message>
        <source>值/状态</source>
        <translation>值/状态</translation>
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
        <source>error</source>
        <translation>error</translation>
    </message>
    <message>
        <source>串口未打开/设备未连接/地址未选择</source>
        <translation>串口未打开/设备未连接/地址未选择</translation>
    </message>
    <message>
        <source>通讯中断，监控已停止</source>
        <translation>通讯中断，监控已停止</translation>
    </message>
</context>
<context>
    <name>controlWindow</name>
    <message>
        <source>JOG控制</source>
        <translation>JOG控制</translation>
    </message>
    <message>
        <source>JOG</source>
        <translation>JOG</translation>
    </message>
    <message>
        <source>程序JOG</source>
        <translation>程序JOG</translation>
    </message>
    <message>
        <source>原点搜索</source>
        <translation>原点搜索</translation>
    </message>
    <message>
        <source>转速：</source>
        <translation>转速：</translation>
    </message>
    <message>
        <source>0-6000</source>
        <translation>0-6000</translation>
    </message>
    <message>
        <source>min -1</source>
        <translation>min -1</translation>
    </message>
    <message>
        <source>读取</source>
        <translation>读取</translation>
    </message>
    <message>
        <source>设定</source>
        <translation>设定</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>Continue forward</source>
        <translation>Continue forward</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Reversal</source>
        <translation>Reversal</translation>
    </message>
    <message>
        <source>Continue  reversal</source>
        <translation>Continue  reversal</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;运行开关：&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;运行开关：&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;程序移动速度：&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;程序移动速度：&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;JOG移动距离：&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;JOG移动距离：&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;加减速时间：&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;加减速时间：&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;等待时间：&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;等待时间：&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;移动次数：&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;移动次数：&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Rpm</source>
        <translation>Rpm</translation>
    </message>
    <message>
        <source>指令单位</source>
        <translation>指令单位</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>次</source>
        <translation>次</translation>
    </message>
    <message>
        <source>0000-0005</source>
        <translation>0000-0005</translation>
    </message>
    <message>
        <source>1-1073741824</source>
        <translation>1-1073741824</translation>
    </message>
    <message>
        <source>2-10000</source>
        <translation>2-10000</translation>
    </message>
    <message>
        <source>0-10000</source>
        <translation>0-10000</translation>
    </message>
    <message>
        <source>0-1000</source>
        <translation>0-1000</translation>
    </message>
    <message>
        <source>error</source>
        <translation>error</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>串口未打开/设备未连接/地址未选择</source>
        <translation>串口未打开/设备未连接/地址未选择</translation>
    </message>
    <message>
        <source>执行异常</source>
        <translation>执行异常</translation>
    </message>
    <message>
        <source>驱动器未确认停止命令，电机可能仍在运行</source>
        <translation>驱动器未确认停止命令，电机可能仍在运行</translation>
    </message>
    <message>
        <source>驱动器连续三次未应答，点动已停止</source>
        <translation>驱动器连续三次未应答，点动已停止</translation>
    </message>
    <message>
        <source>通讯中断，电机状态未知</source>
        <translation>通讯中断，电机状态未知</translation>
    </message>
    <message>
        <source>数值无效，请输入范围内的整数：%1</source>
        <translation>数值无效，请输入范围内的整数：%1</translation>
    </message>
    <message>
        <source>另一个窗口已打开，电机已停止</source>
        <translation>另一个窗口已打开，电机已停止</translation>
    </message>
    <message>
        <source>驱动器连续三次未应答，程序运行已停止</source>
        <translation>驱动器连续三次未应答，程序运行已停止</translation>
    </message>
    <message>
        <source>模式切换中，请稍候</source>
        <translation>模式切换中，请稍候</translation>
    </message>
    <message>
        <source>驱动器未确认写入 %1，模式未打开</source>
        <translation>驱动器未确认写入 %1，模式未打开</translation>
    </message>
    <message>
        <source>请先打开程序JOG模式（ON）</source>
        <translation>请先打开程序JOG模式（ON）</translation>
    </message>
    <message>
        <source>运行开关未读出，程序运行未启动</source>
        <translation>运行开关未读出，程序运行未启动</translation>
    </message>
    <message>
        <source>运行开关未读出，暂不发送启动指令</source>
        <translation>运行开关未读出，暂不发送启动指令</translation>
    </message>
</context>
<context>
    <name>Versions</name>
    <message>
        <source>驱动器版本</source>
        <translation>驱动器版本</translation>
    </message>
    <message>
        <source>软件版本</source>
        <translation>软件版本</translation>
    </message>
    <message>
        <source>驱动器信息</source>
        <translation>驱动器信息</translation>
    </message>
    <message>
        <source> 电机信息</source>
        <translation> 电机信息</translation>
    </message>
    <message>
        <source>VR系列软件版本</source>
        <translation>VR系列软件版本</translation>
    </message>
    <message>
        <source>刷新</source>
        <translation>刷新</translation>
    </message>
    <message>
        <source> MCU1软件版本:</source>
        <translation> MCU1软件版本:</translation>
    </message>
    <message>
        <source>MCU2软件版本:</source>
        <translation>MCU2软件版本:</translation>
    </message>
    <message>
        <source>FPGA软件版本:</source>
        <translation>FPGA软件版本:</translation>
    </message>
    <message>
        <source>VR系列驱动信息</source>
        <translation>VR系列驱动信息</translation>
    </message>
    <message>
        <source>VR系列电机信息</source>
        <translation>VR系列电机信息</translation>
    </message>
    <message>
        <source>旋转型</source>
        <translation>旋转型</translation>
    </message>
    <message>
        <source>直线型</source>
        <translation>直线型</translation>
    </message>
    <message>
        <source>AC 380 V</source>
        <translation>AC 380 V</translation>
    </message>
    <message>
        <source>AC 220 V</source>
        <translation>AC 220 V</translation>
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
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;驱动器类型:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;驱动器类型:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;驱动器功率:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;驱动器功率:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;电压等级:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;电压等级:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;最大过载倍数:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;最大过载倍数:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;功率:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;功率:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt; 编码器分辨率:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt; 编码器分辨率:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;额定速度:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;额定速度:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;最高速度:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;最高速度:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;额定转矩:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;额定转矩:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;额定电流:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;额定电流:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;最大电流:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;最大电流:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
</context>
</TS>
