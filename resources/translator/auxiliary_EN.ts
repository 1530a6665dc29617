<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AuxDialog</name>
    <message>
        <source>error</source>
        <translation>error</translation>
    </message>
    <message>
        <source>驱动器未确认写入,操作已中止</source>
        <translation>The drive did not confirm the write; the operation was stopped</translation>
    </message>
    <message>
        <source>未读出</source>
        <translation>not read</translation>
    </message>
</context>
<context>
    <name>FunctionAF8</name>
    <message>
        <source>转矩指令偏移量的自动调整</source>
        <translation>Torque instruction offset automatic adjustment</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;center&quot;&gt;手动调整调整值并自动调整转矩指令&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;center&quot;&gt;&lt;br/&gt;Manually adjust the adjustment value &lt;/p&gt;&lt;p align=&quot;center&quot;&gt;and automatically adjust the&lt;/p&gt;&lt;p align=&quot;center&quot;&gt;torque command&lt;br/&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;right&quot;&gt;转矩指令:&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;right&quot;&gt;Torque:&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>0.01V</source>
        <translation>0.01V</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;right&quot;&gt;调整值  :&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;right&quot;&gt;Modifiers:&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>手动调整</source>
        <translation>Manual Adjust</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>error</source>
        <translation>error</translation>
    </message>
    <message>
        <source>调整值必须是整数</source>
        <translation>The offset must be a whole number</translation>
    </message>
    <message>
        <source>调整值超出范围: %1 ~ %2</source>
        <translation>The offset is out of range: %1 to %2</translation>
    </message>
</context>
<context>
    <name>Function_AF1</name>
    <message>
        <source>位置示教</source>
        <translation>Teaching position</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;center&quot;&gt;此功能将电机反馈位置和&lt;/p&gt;&lt;p align=&quot;center&quot;&gt;给定脉冲位置清零。&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;center&quot;&gt;This function can reset the motor feedback&lt;/p&gt;&lt;p align=&quot;center&quot;&gt; position and the given pulse position.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;right&quot;&gt;电机反馈脉冲数:&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;right&quot;&gt;feedback pulse number:&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;编码器脉冲&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;
</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Encoder pulse&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;right&quot;&gt;给定脉冲数:&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;right&quot;&gt;Given pulse number:&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;指令脉冲 &lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Command pulse &lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
</context>
<context>
    <name>Function_AF11</name>
    <message>
        <source>绝对值编码器复位</source>
        <translation>Absolute encoder reset</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ff0000;&quot;&gt;注意&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ff0000;&quot;&gt;Notice&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;center&quot;&gt;初始化绝对值编码器后，编码器多圈旋转量数据将会&lt;/p&gt;&lt;p align=&quot;center&quot;&gt;变为0，机械系统的基准位置也会改变。&lt;/p&gt;&lt;p align=&quot;center&quot;&gt;若在这种状态下运行机械，可能会发生意外的动作，&lt;/p&gt;&lt;p align=&quot;center&quot;&gt;导致人身事故或机械损坏。请谨慎运行机械。&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;center&quot; style=&quot; margin-top:0px; margin-bottom:0px;&quot;&gt;When the absolute encoder is initialized,the&lt;/p&gt;&lt;p align=&quot;center&quot; style=&quot; margin-top:0px; margin-bottom:0px;&quot;&gt;multi-turn rotation data of the encoder will&lt;/p&gt;&lt;p align=&quot;center&quot; style=&quot; margin-top:0px; margin-bottom:0px;&quot;&gt; become 0, and the reference position of the&lt;/p&gt;&lt;p align=&quot;center&quot; style=&quot; margin-top:0px; margin-bottom:0px;&quot;&gt; mechanical system will also change.&lt;/p&gt;&lt;p align=&quot;center&quot; style=&quot; margin-top:0px; margin-bottom:0px;&quot;&gt;Running the machine in this state may cause&lt;/p&gt;&lt;p align=&quot;center&quot; style=&quot; margin-top:0px; margin-bottom:0px;&quot;&gt;unexpected motion, resulting in injury or&lt;/p&gt;&lt;p align=&quot;center&quot; style=&quot; margin-top:0px; margin-bottom:0px;&quot;&gt;damage to the machine. Operate it with care.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;right&quot;&gt;编码器多圈数：&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;right&quot;&gt;Multiple laps：&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>圈</source>
        <translation>ring</translation>
    </message>
    <message>
        <source>编码器复位</source>
        <translation>Encoder reset</translation>
    </message>
    <message>
        <source>注意</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>复位后编码器多圈数据将变为0,机械系统的基准位置也会改变。是否复位？</source>
        <translation>After the reset the multi-turn data of the encoder becomes 0 and the reference position of the mechanical system changes. Reset the encoder?</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Hint</translation>
    </message>
    <message>
        <source>复位成功,断电重启生效</source>
        <translation>Reset successful, power restart effect</translation>
    </message>
    <message>
        <source>复位异常</source>
        <translation>Abnormal reset</translation>
    </message>
    <message>
        <source>复位不成功</source>
        <translation>Reset is unsuccessful</translation>
    </message>
</context>
<context>
    <name>Function_AF6</name>
    <message>
        <source>模拟量的偏移量自动调整</source>
        <translation>Analog offset is automatically adjusted</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;center&quot;&gt;&lt;br/&gt;测量偏置量后对指令电压（速度指令和转矩指令）&lt;/p&gt;&lt;p align=&quot;center&quot;&gt;进行自动调整，测得的偏置量将被保存在伺服&lt;/p&gt;&lt;p align=&quot;center&quot;&gt;驱动器中&lt;br/&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;center&quot;&gt;&lt;br/&gt;After the offset is measured, the command &lt;/p&gt;&lt;p align=&quot;center&quot;&gt;voltage (speed command and torque command)&lt;/p&gt;&lt;p align=&quot;center&quot;&gt;is automatically adjusted&lt;br/&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;right&quot;&gt;速度指令：&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;right&quot;&gt;Speed command：&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>0.01V</source>
        <translation>0.01V</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;right&quot;&gt;转矩指令：&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;right&quot;&gt;Torque command：&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>自动调整</source>
        <translation>Auto adjust</translation>
    </message>
</context>
<context>
    <name>Function_AF7</name>
    <message>
        <source>速度指令偏移量的手动调整</source>
        <translation>Manual adjustment of speed command offset</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;center&quot;&gt;手动调整调整值并自动调整速度指令&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;center&quot;&gt;&lt;br/&gt;Manually adjust the adjustment value &lt;/p&gt;&lt;p align=&quot;center&quot;&gt;and automatically adjust the&lt;/p&gt;&lt;p align=&quot;center&quot;&gt;speed command&lt;br/&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;right&quot;&gt;速度指令:&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;right&quot;&gt;Speed:&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>0.01V</source>
        <translation>0.01V</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;right&quot;&gt;调整值  :&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;right&quot;&gt;Modifiers:&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>up</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>手动调整</source>
        <translation>Manual Adjust</translation>
    </message>
    <message>
        <source>down</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>error</source>
        <translation>error</translation>
    </message>
    <message>
        <source>调整值必须是整数</source>
        <translation>The offset must be a whole number</translation>
    </message>
    <message>
        <source>调整值超出范围: %1 ~ %2</source>
        <translation>The offset is out of range: %1 to %2</translation>
    </message>
</context>
<context>
    <name>function_AF30</name>
    <message>
        <source>刚性调整</source>
        <translation>Rigid adjustment</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;center&quot;&gt;&lt;span style=&quot; font-size:16pt;&quot;&gt;刚性调整&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;center&quot;&gt;&lt;span style=&quot; font-size:16pt;&quot;&gt;Rigid adjustment&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>刚性等级：</source>
        <translation>Rigid rating:</translation>
    </message>
    <message>
        <source>read</source>
        <translation>read</translation>
    </message>
    <message>
        <source>确认调整</source>
        <translation>Adjustment</translation>
    </message>
    <message>
        <source>error</source>
        <translation>error</translation>
    </message>
    <message>
        <source>刚性等级必须是 %1 ~ %2 的整数</source>
        <translation>The rigidity level must be a whole number from %1 to %2</translation>
    </message>
    <message>
        <source>驱动器的增益不属于同一刚性等级：PA100=%1, PA101=%2, PA102=%3, PA401=%4</source>
        <translation>The drive&apos;s gains are not those of one rigidity level: PA100=%1, PA101=%2, PA102=%3, PA401=%4</translation>
    </message>
</context>
<context>
    <name>function_AF4</name>
    <message>
        <source>报警清除及记录的清除</source>
        <translation>Alarm record clearing</translation>
    </message>
    <message>
        <source>当前报警：</source>
        <translation>Current alarm:</translation>
    </message>
    <message>
        <source>报警复位</source>
        <translation>Alarm reset</translation>
    </message>
    <message>
        <source>报警记录刷新</source>
        <translation>Alarm record refresh</translation>
    </message>
    <message>
        <source>报警数据清除</source>
        <translation>Alarm data clear</translation>
    </message>
    <message>
        <source>报警号</source>
        <translation>Alarm number</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>No Alarm</source>
        <translation>No Alarm</translation>
    </message>
    <message>
        <source>error</source>
        <translation>error</translation>
    </message>
    <message>
        <source>Waring</source>
        <translation>Waring</translation>
    </message>
    <message>
        <source>是否清除报警记录？</source>
        <translation>Is the alarm record cleared?</translation>
    </message>
    <message>
        <source>报警时间(S)</source>
        <translation>Alarm time (s)</translation>
    </message>
</context>
<context>
    <name>masterControl</name>
    <message>
        <source>masterControl</source>
        <translation>masterControl</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;center&quot;&gt;辅助功能(AF)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;center&quot;&gt;Accessibility(AF)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>位置示教</source>
        <translation>Teaching position</translation>
    </message>
    <message>
        <source>报警清除及报警记录的清除</source>
        <translation>Alarm clearing and clearing of alarm records</translation>
    </message>
    <message>
        <source>模拟量指令偏移量自动调整</source>
        <translation>Automatically adjust analog offset</translation>
    </message>
    <message>
        <source>速度指令偏移量的手动调整</source>
        <translation>Manually adjust the speed command offset</translation>
    </message>
    <message>
        <source>转矩指令偏移量的手动调整</source>
        <translation>Manually adjust torque instruction offset</translation>
    </message>
    <message>
        <source>绝对值编码器复位</source>
        <translation>Absolute encoder reset</translation>
    </message>
    <message>
        <source>刚性调整</source>
        <translation>Rigid adjustment</translation>
    </message>
    <message>
        <source>error</source>
        <translation>error</translation>
    </message>
    <message>
        <source>串口未打开/设备未连接/地址未选择</source>
        <translation>Serial port not open/device not connected/address not selected</translation>
    </message>
</context>
</TS>
