<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>CbcFile</name>
    <message>
        <source>第 %1 行：不是“编号,数值”：%2</source>
        <translation>Line %1: not &quot;number,value&quot;: %2</translation>
    </message>
    <message>
        <source>第 %1 行：表中没有这个编号：%2</source>
        <translation>Line %1: no such row number: %2</translation>
    </message>
    <message>
        <source>第 %1 行：编号重复，只取第一次的数值：%2</source>
        <translation>Line %1: row given again, the first value counts: %2</translation>
    </message>
    <message>
        <source>第 %1 行：文件在这一行中间结束：%2</source>
        <translation>Line %1: the file ends inside this line: %2</translation>
    </message>
    <message>
        <source>文件第 %1 行：%2</source>
        <translation>Line %1 of the file: %2</translation>
    </message>
    <message>
        <source>另有 %1 行未载入</source>
        <translation>%1 more lines not loaded</translation>
    </message>
</context>
<context>
    <name>EncoderdataWindow</name>
    <message>
        <source>电机操作只用于VR系列驱动器</source>
        <translation>motor operation serves VR drives only</translation>
    </message>
    <message>
        <source>motor operation serves VR drives only</source>
        <translation>motor operation serves VR drives only</translation>
    </message>
    <message>
        <source>一键执行 %1/4：%2</source>
        <translation>OneClickGo %1 of 4: %2</translation>
    </message>
    <message>
        <source>OneClickGo %1 of 4: %2</source>
        <translation>OneClickGo %1 of 4: %2</translation>
    </message>
    <message>
        <source>已从文件导入 %1 行</source>
        <translation>%1 rows loaded from the file</translation>
    </message>
    <message>
        <source>文件未保存</source>
        <translation>No file was saved</translation>
    </message>
    <message>
        <source>%1 行没有数值（未读出）：%2</source>
        <translation>%1 rows have no value (not read): %2</translation>
    </message>
    <message>
        <source>第 %1 行：无法写入文件</source>
        <translation>row %1: cannot be written to the file</translation>
    </message>
    <message>
        <source>%1 rows loaded from the file</source>
        <translation>%1 rows loaded from the file</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Motor Parameters</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:16pt; font-weight:600; color:#0055ff;&quot;&gt;    AF016: 电机参数操作&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:16pt; font-weight:600; color:#0055ff;&quot;&gt;    AF016:Motor parameter operation&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>扫描</source>
        <translation>scan</translation>
    </message>
    <message>
        <source>下载参数</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>执行</source>
        <translation>Execute</translation>
    </message>
    <message>
        <source>初始化</source>
        <translation>Initialize</translation>
    </message>
    <message>
        <source>测试</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>中断</source>
        <translation>Break</translation>
    </message>
    <message>
        <source>一键执行</source>
        <translation>OneClickGo</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;center&quot;&gt;&lt;span style=&quot; font-size:14pt; font-weight:600; color:#005500;&quot;&gt;操&lt;/span&gt;&lt;/p&gt;&lt;p align=&quot;center&quot;&gt;&lt;span style=&quot; font-size:14pt; font-weight:600; color:#005500;&quot;&gt;作&lt;/span&gt;&lt;/p&gt;&lt;p align=&quot;center&quot;&gt;&lt;span style=&quot; font-size:14pt; font-weight:600; color:#005500;&quot;&gt;步&lt;/span&gt;&lt;/p&gt;&lt;p align=&quot;center&quot;&gt;&lt;span style=&quot; font-size:14pt; font-weight:600; color:#005500;&quot;&gt;骤&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;center&quot;&gt;&lt;span style=&quot; font-size:14pt; font-weight:600; color:#005500;&quot;&gt;S&lt;/span&gt;&lt;/p&gt;&lt;p align=&quot;center&quot;&gt;&lt;span style=&quot; font-size:14pt; font-weight:600; color:#005500;&quot;&gt;T&lt;/span&gt;&lt;/p&gt;&lt;p align=&quot;center&quot;&gt;&lt;span style=&quot; font-size:14pt; font-weight:600; color:#005500;&quot;&gt;E&lt;/span&gt;&lt;/p&gt;&lt;p align=&quot;center&quot;&gt;&lt;span style=&quot; font-size:14pt; font-weight:600; color:#005500;&quot;&gt;P&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>step1：电机参数下载</source>
        <translation>step1：Motor parameters download</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>导入</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>修改电机参数</source>
        <translation>Modify motor parameters</translation>
    </message>
    <message>
        <source>开始上传</source>
        <translation>Start upload</translation>
    </message>
    <message>
        <source>开始下载</source>
        <translation>Start download</translation>
    </message>
    <message>
        <source>step2：执行操作</source>
        <translation>step2：operation executive</translation>
    </message>
    <message>
        <source>清除报警</source>
        <translation>Remove alarm</translation>
    </message>
    <message>
        <source>开始执行</source>
        <translation>Start execut</translation>
    </message>
    <message>
        <source>step3：编码器初始化</source>
        <translation>step3：Encoder initialization</translation>
    </message>
    <message>
        <source>开始初始化</source>
        <translation>Start init</translation>
    </message>
    <message>
        <source>    完成</source>
        <translation>    Finish</translation>
    </message>
    <message>
        <source>step4：测试</source>
        <translation>step4：Test</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;right&quot;&gt;正转时间：&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;right&quot;&gt;Foreword Time：&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>S</source>
        <translation>S</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;right&quot;&gt;反转时间：&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;right&quot;&gt;Reversal Time：&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>开始测试</source>
        <translation>Start test</translation>
    </message>
    <message>
        <source>结束测试</source>
        <translation>test ended</translation>
    </message>
    <message>
        <source>电机操作</source>
        <translation>Motor operation</translation>
    </message>
    <message>
        <source>Pn Number</source>
        <translation>Pn Number</translation>
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
        <source>设定单位</source>
        <translation>Unit</translation>
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
        <source>属性</source>
        <translation>Attribute</translation>
    </message>
    <message>
        <source>状态</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>save file</source>
        <translation>save file</translation>
    </message>
    <message>
        <source>EncoderData</source>
        <translation>EncoderData</translation>
    </message>
    <message>
        <source>Files(*.CBC)</source>
        <translation>Files(*.CBC)</translation>
    </message>
    <message>
        <source>%1 已存在，是否替换？</source>
        <translation>%1 already exists. Replace it?</translation>
    </message>
    <message>
        <source>编号Pn</source>
        <translation>Number of the Pn</translation>
    </message>
    <message>
        <source>error</source>
        <translation>error</translation>
    </message>
    <message>
        <source>导出数据成功</source>
        <translation>Export data successful</translation>
    </message>
    <message>
        <source>信息保存在%1</source>
        <translation>Save the information in %1</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>load file</source>
        <translation>load file</translation>
    </message>
    <message>
        <source>已导入</source>
        <translation>imported</translation>
    </message>
    <message>
        <source>文件出错</source>
        <translation>File error</translation>
    </message>
    <message>
        <source>已导入 %1 行。</source>
        <translation>%1 rows imported.</translation>
    </message>
    <message>
        <source>文件中没有以下 %1 行，保持原值：%2</source>
        <translation>The file lacks these %1 rows, which keep their values: %2</translation>
    </message>
    <message>
        <source>执行异常</source>
        <translation>execution abort</translation>
    </message>
    <message>
        <source>初始化异常</source>
        <translation>Initialization exception</translation>
    </message>
    <message>
        <source>清除中</source>
        <translation>clearing</translation>
    </message>
    <message>
        <source>clearing</source>
        <translation>clearing</translation>
    </message>
    <message>
        <source>清除失败</source>
        <translation>clear failed</translation>
    </message>
    <message>
        <source>clear failed</source>
        <translation>clear failed</translation>
    </message>
    <message>
        <source>驱动器未应答</source>
        <translation>The drive did not answer</translation>
    </message>
    <message>
        <source>清除结束</source>
        <translation>finished clear</translation>
    </message>
    <message>
        <source>finished clear</source>
        <translation>finished clear</translation>
    </message>
    <message>
        <source>执行中</source>
        <translation>executing</translation>
    </message>
    <message>
        <source>executing</source>
        <translation>executing</translation>
    </message>
    <message>
        <source>执行未完成</source>
        <translation>execution not completed</translation>
    </message>
    <message>
        <source>execution not completed</source>
        <translation>execution not completed</translation>
    </message>
    <message>
        <source>执行结束</source>
        <translation>finished execution</translation>
    </message>
    <message>
        <source>finished execution</source>
        <translation>finished execution</translation>
    </message>
    <message>
        <source>正在初始化</source>
        <translation>initializing</translation>
    </message>
    <message>
        <source>initializing</source>
        <translation>initializing</translation>
    </message>
    <message>
        <source>初始化未完成</source>
        <translation>initialization not completed</translation>
    </message>
    <message>
        <source>initialization not completed</source>
        <translation>initialization not completed</translation>
    </message>
    <message>
        <source>初始化结束</source>
        <translation>finished initialization</translation>
    </message>
    <message>
        <source>finished initialization</source>
        <translation>finished initialization</translation>
    </message>
    <message>
        <source>请测试</source>
        <translation>please test</translation>
    </message>
    <message>
        <source>please test</source>
        <translation>please test</translation>
    </message>
    <message>
        <source>操作冲突,请关闭参数表操作</source>
        <translation>Operation conflict, close parameter table operation</translation>
    </message>
    <message>
        <source>测试中</source>
        <translation>testing</translation>
    </message>
    <message>
        <source>testing</source>
        <translation>testing</translation>
    </message>
    <message>
        <source>测试中断</source>
        <translation>test interrupted</translation>
    </message>
    <message>
        <source>test interrupted</source>
        <translation>test interrupted</translation>
    </message>
    <message>
        <source>测试结束</source>
        <translation>test closure</translation>
    </message>
    <message>
        <source>test closure</source>
        <translation>test closure</translation>
    </message>
    <message>
        <source>测试完成</source>
        <translation>test complete </translation>
    </message>
    <message>
        <source>test complete </source>
        <translation>test complete </translation>
    </message>
    <message>
        <source>串口未打开/设备未连接/地址未选择</source>
        <translation>Serial port not open/device not connected/address not selected</translation>
    </message>
    <message>
        <source>上一操作尚未结束</source>
        <translation>The previous operation has not ended</translation>
    </message>
    <message>
        <source>上传中</source>
        <translation>uploading</translation>
    </message>
    <message>
        <source>uploading</source>
        <translation>uploading</translation>
    </message>
    <message>
        <source>已上传</source>
        <translation>uploaded</translation>
    </message>
    <message>
        <source>上传失败</source>
        <translation>upload failed</translation>
    </message>
    <message>
        <source>上传结束</source>
        <translation>finished upload</translation>
    </message>
    <message>
        <source>finished upload</source>
        <translation>finished upload</translation>
    </message>
    <message>
        <source>上传结束，保留输入或导入的 %1 行</source>
        <translation>finished upload, %1 typed or loaded rows kept</translation>
    </message>
    <message>
        <source>finished upload, %1 typed or loaded rows kept</source>
        <translation>finished upload, %1 typed or loaded rows kept</translation>
    </message>
    <message>
        <source>文件中的驱动器型号 %1 属于另一驱动器系列，未载入任何数值。</source>
        <translation>The drive model %1 in the file belongs to the other drive family; no value was loaded.</translation>
    </message>
    <message>
        <source>%1 行未能从驱动器读出</source>
        <translation>%1 rows could not be read from the drive</translation>
    </message>
    <message>
        <source>下载中</source>
        <translation>downloading</translation>
    </message>
    <message>
        <source>downloading</source>
        <translation>downloading</translation>
    </message>
    <message>
        <source>下载未完成</source>
        <translation>download not completed</translation>
    </message>
    <message>
        <source>download not completed</source>
        <translation>download not completed</translation>
    </message>
    <message>
        <source>下载未执行，以下数值不可用：</source>
        <translation>Nothing was downloaded; these values cannot be used:</translation>
    </message>
    <message>
        <source>驱动器未应答，下载未执行</source>
        <translation>The drive did not answer; nothing was downloaded</translation>
    </message>
    <message>
        <source>已下载</source>
        <translation>downloaded</translation>
    </message>
    <message>
        <source>下载失败</source>
        <translation>download failed</translation>
    </message>
    <message>
        <source>下载结束</source>
        <translation>finished download</translation>
    </message>
    <message>
        <source>finished download</source>
        <translation>finished download</translation>
    </message>
    <message>
        <source>%1 行未能写入驱动器</source>
        <translation>%1 rows could not be written to the drive</translation>
    </message>
    <message>
        <source>连接已断开</source>
        <translation>link lost</translation>
    </message>
    <message>
        <source>link lost</source>
        <translation>link lost</translation>
    </message>
    <message>
        <source>已中断</source>
        <translation>stopped</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>stopped</translation>
    </message>
    <message>
        <source>其他窗口已打开，已停止</source>
        <translation>stopped for another window</translation>
    </message>
    <message>
        <source>stopped for another window</source>
        <translation>stopped for another window</translation>
    </message>
    <message>
        <source>驱动器无应答，已停止</source>
        <translation>stopped, the drive does not answer</translation>
    </message>
    <message>
        <source>stopped, the drive does not answer</source>
        <translation>stopped, the drive does not answer</translation>
    </message>
    <message>
        <source>驱动器报告异常，已停止</source>
        <translation>stopped, the drive reported a fault</translation>
    </message>
    <message>
        <source>stopped, the drive reported a fault</source>
        <translation>stopped, the drive reported a fault</translation>
    </message>
    <message>
        <source>执行异常：操作已停用，按“中断”解除（重新连接后仍停用）</source>
        <translation>execution abort: operations held until Break, also after a new connection</translation>
    </message>
    <message>
        <source>execution abort: operations held until Break, also after a new connection</source>
        <translation>execution abort: operations held until Break, also after a new connection</translation>
    </message>
    <message>
        <source>初始化异常：操作已停用，按“中断”解除（重新连接后仍停用）</source>
        <translation>initialization exception: operations held until Break, also after a new connection</translation>
    </message>
    <message>
        <source>initialization exception: operations held until Break, also after a new connection</source>
        <translation>initialization exception: operations held until Break, also after a new connection</translation>
    </message>
    <message>
        <source>已读出 %1/%2 行</source>
        <translation>%1 of %2 rows read</translation>
    </message>
    <message>
        <source>%1 of %2 rows read</source>
        <translation>%1 of %2 rows read</translation>
    </message>
    <message>
        <source>已写入 %1/%2 行</source>
        <translation>%1 of %2 rows written</translation>
    </message>
    <message>
        <source>%1 of %2 rows written</source>
        <translation>%1 of %2 rows written</translation>
    </message>
    <message>
        <source>驱动器连续 %1 次未应答，操作已停止</source>
        <translation>The drive left %1 requests in a row unanswered; the operation was stopped</translation>
    </message>
</context>
<context>
    <name>MotorData</name>
    <message>
        <source>第 %1 行：%2 不是数值，范围 %3 ~ %4</source>
        <translation>Row %1: %2 is not a number (range %3 to %4)</translation>
    </message>
    <message>
        <source>第 %1 行：%2 的小数位过多，范围 %3 ~ %4</source>
        <translation>Row %1: %2 has too many decimals (range %3 to %4)</translation>
    </message>
    <message>
        <source>第 %1 行：%2 超出范围 %3 ~ %4</source>
        <translation>Row %1: %2 is outside %3 to %4</translation>
    </message>
    <message>
        <source>第 %1 行：%2 不是 100 的整数倍</source>
        <translation>Row %1: %2 is not a multiple of 100</translation>
    </message>
    <message>
        <source>第 %1 行：该行的范围不可用</source>
        <translation>Row %1: the row's limits are unusable</translation>
    </message>
</context>
<context>
    <name>encoderDelegation</name>
    <message>
        <source>只读：驱动器在寄存器0F21中只保存一个值，由第46行写入；本行显示同一寄存器</source>
        <translation>Read-only: the drive keeps one value in register 0F21, which row 46 writes; this row shows the same register</translation>
    </message>
    <message>
        <source>***</source>
        <translation>***</translation>
    </message>
</context>
</TS>
