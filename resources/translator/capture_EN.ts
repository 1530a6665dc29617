<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>staticWindow</name>
    <message>
        <source>Form</source>
        <translation>StaticWindow</translation>
    </message>
    <message>
        <source>StaticWindow</source>
        <translation>StaticWindow</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Quick Save</source>
        <translation>Quick Save</translation>
    </message>
    <message>
        <source>Modified Save</source>
        <translation>Modified Save</translation>
    </message>
    <message>
        <source>Quick Change Save</source>
        <translation>Quick Change Save</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>Replot</source>
        <translation>Replot</translation>
    </message>
    <message>
        <source>Full screen</source>
        <translation>Full screen</translation>
    </message>
    <message>
        <source>搜索文件</source>
        <translation>Search file</translation>
    </message>
    <message>
        <source>数据输入</source>
        <translation>Data input</translation>
    </message>
    <message>
        <source>数据输出</source>
        <translation>Data output</translation>
    </message>
    <message>
        <source>外部接口</source>
        <translation>Interface</translation>
    </message>
    <message>
        <source>截图</source>
        <translation>Screenshot</translation>
    </message>
    <message>
        <source>通道设置</source>
        <translation>Channel Settings</translation>
    </message>
    <message>
        <source>采样设置</source>
        <translation>Sample set</translation>
    </message>
    <message>
        <source>参数设置</source>
        <translation>parameter settings</translation>
    </message>
    <message>
        <source>图像设置</source>
        <translation>Image set</translation>
    </message>
    <message>
        <source>触发方式:</source>
        <translation>Trig mode:</translation>
    </message>
    <message>
        <source>采样间隔:</source>
        <translation>Sampling interval:</translation>
    </message>
    <message>
        <source>触发门限:</source>
        <translation>Trigger threshold:</translation>
    </message>
    <message>
        <source>多触发设定:</source>
        <translation>Multi-trigger setting:</translation>
    </message>
    <message>
        <source>预触发数:</source>
        <translation>Number of pre-triggers:</translation>
    </message>
    <message>
        <source>触发条件1:</source>
        <translation>Trigger condition 1:</translation>
    </message>
    <message>
        <source>触发条件2:</source>
        <translation>Trigger condition 2:</translation>
    </message>
    <message>
        <source>触发选择</source>
        <translation>trigger select</translation>
    </message>
    <message>
        <source>触发类型</source>
        <translation>Trigger type</translation>
    </message>
    <message>
        <source>触发电平</source>
        <translation>trigger level</translation>
    </message>
    <message>
        <source>模式触发</source>
        <translation>Mode triggered</translation>
    </message>
    <message>
        <source>固定像素</source>
        <translation>Fixed pixel</translation>
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
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:14px;"&gt;第一位置环增益(PA102)：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:14px;"&gt;First position loop gain(PA102):&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:14px;"&gt;速度前馈增益(PA109)：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:14px;"&gt;Speed feed forward gain(PA109):&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:14px;"&gt;速度前馈滤波器(PA10A)：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:14px;"&gt;Speed feedforward filter(PA10A):&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:14px;"&gt;第一速度环增益(PA100)：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:14px;"&gt;First speed loop gain(PA100):&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:14px;"&gt;第一速度环积分时间常数(PA101)：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:14px;"&gt;First speed loop integration time(PA101):&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:14px;"&gt;转动惯量比(PA103)：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:14px;"&gt;Moment of inertia ratio(PA103):&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:14px;"&gt;第一段转矩指令滤波器时间常数(PA401)：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:14px;"&gt;The first torque command filter(PA401):&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>速度反馈(rpm)</source>
        <translation>Speed feedback (rpm)</translation>
    </message>
    <message>
        <source>速度给定(rpm)</source>
        <translation>Speed reference (rpm)</translation>
    </message>
    <message>
        <source>转矩给定(0.1%)</source>
        <translation>Torque reference (0.1%)</translation>
    </message>
    <message>
        <source>位置指令速度(rpm)</source>
        <translation>Position command speed (rpm)</translation>
    </message>
    <message>
        <source>母线电压(V)</source>
        <translation>Bus voltage (V)</translation>
    </message>
    <message>
        <source>有效增益</source>
        <translation>Effective gain</translation>
    </message>
    <message>
        <source>电流检出值</source>
        <translation>Current detection value</translation>
    </message>
    <message>
        <source>电流给定值</source>
        <translation>Current setpoint</translation>
    </message>
    <message>
        <source>再生负载率</source>
        <translation>Regeneration load rate</translation>
    </message>
    <message>
        <source>Id给定(滤波前)</source>
        <translation>Id given (before filtering)</translation>
    </message>
    <message>
        <source>Iq给定(滤波前)</source>
        <translation>Iq given (before filtering)</translation>
    </message>
    <message>
        <source>Id给定(滤波后)</source>
        <translation>Id given (filtered)</translation>
    </message>
    <message>
        <source>Iq给定(滤波后)</source>
        <translation>Iq given (after filtering)</translation>
    </message>
    <message>
        <source>Id反馈</source>
        <translation>Id feedback</translation>
    </message>
    <message>
        <source>Iq反馈</source>
        <translation>Iq feedback</translation>
    </message>
    <message>
        <source>Ud反馈</source>
        <translation>Ud feedback</translation>
    </message>
    <message>
        <source>Uq反馈</source>
        <translation>Uq feedback</translation>
    </message>
    <message>
        <source>速度反馈</source>
        <translation>Speed feedback</translation>
    </message>
    <message>
        <source>输入转矩指令百分比</source>
        <translation>Input torque instruction percentage</translation>
    </message>
    <message>
        <source>当前位置低位</source>
        <translation>Current position low</translation>
    </message>
    <message>
        <source>当前位置高位</source>
        <translation>Current position high</translation>
    </message>
    <message>
        <source>给定脉冲计数器低位</source>
        <translation>Given the low level of the pulse counter</translation>
    </message>
    <message>
        <source>给定脉冲计数器高位</source>
        <translation>Given the high level of the pulse counter</translation>
    </message>
    <message>
        <source>偏差脉冲计数器低16位</source>
        <translation>The offset pulse counter is 16 bits lower</translation>
    </message>
    <message>
        <source>偏差脉冲计数器高16位</source>
        <translation>The offset pulse counter is 16 bits high</translation>
    </message>
    <message>
        <source>母线电压</source>
        <translation>Power Circuit Voltage</translation>
    </message>
    <message>
        <source>输入信号状态</source>
        <translation>Input signal state</translation>
    </message>
    <message>
        <source>输出信号状态</source>
        <translation>Output signal state</translation>
    </message>
    <message>
        <source>速度反馈0.1</source>
        <translation>Speed feedback 0.1</translation>
    </message>
    <message>
        <source>速度给定0.1</source>
        <translation>Speed given 0.1</translation>
    </message>
    <message>
        <source>压力给定</source>
        <translation>Pressure for a given</translation>
    </message>
    <message>
        <source>压力反馈</source>
        <translation>pressure feedback</translation>
    </message>
    <message>
        <source>流量给定</source>
        <translation>The flow of a given</translation>
    </message>
    <message>
        <source>流量反馈</source>
        <translation>Flow feedback</translation>
    </message>
    <message>
        <source>/P-DET</source>
        <translation>P-DET</translation>
    </message>
    <message>
        <source>/BK</source>
        <translation>BK</translation>
    </message>
    <message>
        <source>/ZCLAMP</source>
        <translation>/ZCLAM</translation>
    </message>
    <message>
        <source>error</source>
        <translation>error</translation>
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
        <source>触发电平超出范围</source>
        <translation>Trigger level out of range</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Tips</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>数据CH1未完成</source>
        <translation>CH1 data incomplete</translation>
    </message>
    <message>
        <source>数据CH2未完成</source>
        <translation>CH2 data incomplete</translation>
    </message>
    <message>
        <source>数据CH3未完成</source>
        <translation>CH3 data incomplete</translation>
    </message>
    <message>
        <source>数据CH4未完成</source>
        <translation>CH4 data incomplete</translation>
    </message>
    <message>
        <source>数据IO1未完成</source>
        <translation>IO1 data incomplete</translation>
    </message>
    <message>
        <source>数据IO2未完成</source>
        <translation>IO2 data incomplete</translation>
    </message>
    <message>
        <source>数据IO3未完成</source>
        <translation>IO3 data incomplete</translation>
    </message>
    <message>
        <source>数据IO4未完成</source>
        <translation>IO4 data incomplete</translation>
    </message>
</context>
</TS>
