<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>MonitorWindow</name>
    <message>
        <source>监控</source>
        <translation>Monitoring</translation>
    </message>
    <message>
        <source>开始监控</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>结束监控</source>
        <translation>End</translation>
    </message>
    <message>
        <source>监视号</source>
        <translation>Monitoring number</translation>
    </message>
    <message>
        <source>内容</source>
        <translation>Content</translation>
    </message>
    <message>
        <source>值/状态</source>
        <translation>Value/status</translation>
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
        <source>error</source>
        <translation>error</translation>
    </message>
    <message>
        <source>串口未打开/设备未连接/地址未选择</source>
        <translation>Serial port not open/device not connected/address not selected</translation>
    </message>
    <message>
        <source>通讯中断，监控已停止</source>
        <translation>The link was lost: monitoring has stopped</translation>
    </message>
</context>
<context>
    <name>controlWindow</name>
    <message>
        <source>JOG控制</source>
        <translation>JOG Control</translation>
    </message>
    <message>
        <source>JOG</source>
        <translation>JOG</translation>
    </message>
    <message>
        <source>程序JOG</source>
        <translation>Program JOG</translation>
    </message>
    <message>
        <source>原点搜索</source>
        <translation>Origin search</translation>
    </message>
    <message>
        <source>转速：</source>
        <translation>Speed：</translation>
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
        <translation>Read</translation>
    </message>
    <message>
        <source>设定</source>
        <translation>Setting</translation>
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
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;Run switch：&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;程序移动速度：&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;Move speed：&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;JOG移动距离：&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;Move distance：&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;加减速时间：&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;Acceleration time：&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;等待时间：&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;Waiting time：&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;移动次数：&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;Number of moves：&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Rpm</source>
        <translation>Rpm</translation>
    </message>
    <message>
        <source>指令单位</source>
        <translation>Command unit</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>次</source>
        <translation>Times</translation>
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
        <translation>Serial port not open/device not connected/address not selected</translation>
    </message>
    <message>
        <source>执行异常</source>
        <translation>execution abort</translation>
    </message>
    <message>
        <source>驱动器未确认停止命令，电机可能仍在运行</source>
        <translation>The drive did not confirm the stop command: the motor may still be running</translation>
    </message>
    <message>
        <source>驱动器连续三次未应答，点动已停止</source>
        <translation>The drive did not answer three steps in a row: jogging has been stopped</translation>
    </message>
    <message>
        <source>通讯中断，电机状态未知</source>
        <translation>The link was lost: the motor's state is unknown</translation>
    </message>
    <message>
        <source>数值无效，请输入范围内的整数：%1</source>
        <translation>Invalid value: enter a whole number in the range %1</translation>
    </message>
    <message>
        <source>另一个窗口已打开，电机已停止</source>
        <translation>Another window was opened: the motor has been stopped</translation>
    </message>
    <message>
        <source>驱动器连续三次未应答，程序运行已停止</source>
        <translation>The drive did not answer three times in a row: the program run has been stopped</translation>
    </message>
    <message>
        <source>模式切换中，请稍候</source>
        <translation>Switching the mode: wait until it is on</translation>
    </message>
    <message>
        <source>驱动器未确认写入 %1，模式未打开</source>
        <translation>The drive did not confirm the write %1: the mode is off</translation>
    </message>
    <message>
        <source>请先打开程序JOG模式（ON）</source>
        <translation>Switch program mode on (ON) first</translation>
    </message>
    <message>
        <source>运行开关未读出，程序运行未启动</source>
        <translation>Run switch not read: the program was not started</translation>
    </message>
    <message>
        <source>运行开关未读出，暂不发送启动指令</source>
        <translation>Run switch not read: start steps held until it is known</translation>
    </message>
</context>
<context>
    <name>Versions</name>
    <message>
        <source>驱动器版本</source>
        <translation>Drive version</translation>
    </message>
    <message>
        <source>软件版本</source>
        <translation>Software Version</translation>
    </message>
    <message>
        <source>驱动器信息</source>
        <translation>Drive information</translation>
    </message>
    <message>
        <source> 电机信息</source>
        <translation>Motor information</translation>
    </message>
    <message>
        <source>VR系列软件版本</source>
        <translation>VR series software version</translation>
    </message>
    <message>
        <source>刷新</source>
        <translation>refresh</translation>
    </message>
    <message>
        <source> MCU1软件版本:</source>
        <translation>MCU1 software version:</translation>
    </message>
    <message>
        <source>MCU2软件版本:</source>
        <translation>MCU2 software version:</translation>
    </message>
    <message>
        <source>FPGA软件版本:</source>
        <translation>FPGA software version:</translation>
    </message>
    <message>
        <source>VR系列驱动信息</source>
        <translation>VR series driver information</translation>
    </message>
    <message>
        <source>VR系列电机信息</source>
        <translation>VR series motor information</translation>
    </message>
    <message>
        <source>旋转型</source>
        <translation>Rotary</translation>
    </message>
    <message>
        <source>直线型</source>
        <translation>Linear</translation>
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
        <translation>Serial port not open/device not connected/address not selected</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;驱动器类型:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;Drive type:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;驱动器功率:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;Driver power:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;电压等级:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;Voltage grade:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;最大过载倍数:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;Maximum overload factor:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;功率:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;Power:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt; 编码器分辨率:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;Encoder resolution:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;额定速度:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;Rated speed:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;最高速度:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;Highest speed:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;额定转矩:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;Rated torque:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;额定电流:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;Rated current:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;最大电流:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:9pt;"&gt;Maximum current:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
</context>
</TS>
