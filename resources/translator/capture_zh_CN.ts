<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>staticWindow</name>
    <message>
        <source>Form</source>
        <translation>静态图</translation>
    </message>
    <message>
        <source>StaticWindow</source>
        <translation>静态图</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Quick Save</source>
        <translation>快存</translation>
    </message>
    <message>
        <source>Modified Save</source>
        <translation>改存</translation>
    </message>
    <message>
        <source>Quick Change Save</source>
        <translation>快速改存</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>导入</translation>
    </message>
    <message>
        <source>Replot</source>
        <translation>重绘</translation>
    </message>
    <message>
        <source>Full screen</source>
        <translation>全屏</translation>
    </message>
    <message>
        <source>搜索文件</source>
        <translation>搜索文件</translation>
    </message>
    <message>
        <source>数据输入</source>
        <translation>数据输入</translation>
    </message>
    <message>
        <source>数据输出</source>
        <translation>数据输出</translation>
    </message>
    <message>
        <source>外部接口</source>
        <translation>外部接口</translation>
    </message>
    <message>
        <source>截图</source>
        <translation>截图</translation>
    </message>
    <message>
        <source>通道设置</source>
        <translation>通道设置</translation>
    </message>
    <message>
        <source>采样设置</source>
        <translation>采样设置</translation>
    </message>
    <message>
        <source>参数设置</source>
        <translation>参数设置</translation>
    </message>
    <message>
        <source>图像设置</source>
        <translation>图像设置</translation>
    </message>
    <message>
        <source>触发方式:</source>
        <translation>触发方式:</translation>
    </message>
    <message>
        <source>采样间隔:</source>
        <translation>采样间隔:</translation>
    </message>
    <message>
        <source>触发门限:</source>
        <translation>触发门限:</translation>
    </message>
    <message>
        <source>多触发设定:</source>
        <translation>多触发设定:</translation>
    </message>
    <message>
        <source>预触发数:</source>
        <translation>预触发数:</translation>
    </message>
    <message>
        <source>触发条件1:</source>
        <translation>触发条件1:</translation>
    </message>
    <message>
        <source>触发条件2:</source>
        <translation>触发条件2:</translation>
    </message>
    <message>
        <source>触发选择</source>
        <translation>触发选择</translation>
    </message>
    <message>
        <source>触发类型</source>
        <translation>触发类型</translation>
    </message>
    <message>
        <source>触发电平</source>
        <translation>触发电平</translation>
    </message>
    <message>
        <source>模式触发</source>
        <translation>模式触发</translation>
    </message>
    <message>
        <source>固定像素</source>
        <translation>固定像素</translation>
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
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:14px;"&gt;第一位置环增益(PA102)：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:14px;"&gt;第一位置环增益(PA102)：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:14px;"&gt;速度前馈增益(PA109)：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:14px;"&gt;速度前馈增益(PA109)：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:14px;"&gt;速度前馈滤波器(PA10A)：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:14px;"&gt;速度前馈滤波器(PA10A)：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:14px;"&gt;第一速度环增益(PA100)：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:14px;"&gt;第一速度环增益(PA100)：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:14px;"&gt;第一速度环积分时间常数(PA101)：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:14px;"&gt;第一速度环积分时间常数(PA101)：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:14px;"&gt;转动惯量比(PA103)：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:14px;"&gt;转动惯量比(PA103)：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:14px;"&gt;第一段转矩指令滤波器时间常数(PA401)：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align="right"&gt;&lt;span style=" font-size:14px;"&gt;第一段转矩指令滤波器时间常数(PA401)：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
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
        <translation>触发电平超出范围</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>数据CH1未完成</source>
        <translation>数据CH1未完成</translation>
    </message>
    <message>
        <source>数据CH2未完成</source>
        <translation>数据CH2未完成</translation>
    </message>
    <message>
        <source>数据CH3未完成</source>
        <translation>数据CH3未完成</translation>
    </message>
    <message>
        <source>数据CH4未完成</source>
        <translation>数据CH4未完成</translation>
    </message>
    <message>
        <source>数据IO1未完成</source>
        <translation>数据IO1未完成</translation>
    </message>
    <message>
        <source>数据IO2未完成</source>
        <translation>数据IO2未完成</translation>
    </message>
    <message>
        <source>数据IO3未完成</source>
        <translation>数据IO3未完成</translation>
    </message>
    <message>
        <source>数据IO4未完成</source>
        <translation>数据IO4未完成</translation>
    </message>
</context>
</TS>
