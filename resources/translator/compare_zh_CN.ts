<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>compareWindow</name>
    <message>
        <source>CompareWindow</source>
        <translation>参数比较</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>参数比较</translation>
    </message>
    <message>
        <source>文件源一：</source>
        <translation>文件源一：</translation>
    </message>
    <message>
        <source>文件源二：</source>
        <translation>文件源二：</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>比较</source>
        <translation>比较</translation>
    </message>
    <message>
        <source>在线比较</source>
        <translation>在线比较</translation>
    </message>
    <message>
        <source>离线比较</source>
        <translation>离线比较</translation>
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
        <source>文件源一数值</source>
        <translation>文件源一数值</translation>
    </message>
    <message>
        <source>文件源二数值</source>
        <translation>文件源二数值</translation>
    </message>
    <message>
        <source>在线参数表数值</source>
        <translation>在线参数表数值</translation>
    </message>
    <message>
        <source>文件源一未载入</source>
        <translation>文件源一未载入</translation>
    </message>
    <message>
        <source>文件源二未载入</source>
        <translation>文件源二未载入</translation>
    </message>
    <message>
        <source>在线参数未载入</source>
        <translation>在线参数未载入</translation>
    </message>
    <message>
        <source>正在使用在线参数</source>
        <translation>正在使用在线参数</translation>
    </message>
    <message>
        <source>文件出错</source>
        <translation>文件出错</translation>
    </message>
    <message>
        <source>open file</source>
        <translation>open file</translation>
    </message>
    <message>
        <source>Files(*.csv)</source>
        <translation>Files(*.csv)</translation>
    </message>
    <message>
        <source>文件源一的驱动器型号 %1 属于另一驱动器系列，无法比较。</source>
        <translation>文件源一的驱动器型号 %1 属于另一驱动器系列，无法比较。</translation>
    </message>
    <message>
        <source>文件源二的驱动器型号 %1 属于另一驱动器系列，无法比较。</source>
        <translation>文件源二的驱动器型号 %1 属于另一驱动器系列，无法比较。</translation>
    </message>
</context>
<context>
    <name>ParameterCsv</name>
    <message>
        <source>第 %1 行：缺少参数编号</source>
        <translation>第 %1 行：缺少参数编号</translation>
    </message>
    <message>
        <source>第 %1 行：%2 缺少数值</source>
        <translation>第 %1 行：%2 缺少数值</translation>
    </message>
    <message>
        <source>第 %1 行：%2 重复出现，只取第一次的数值</source>
        <translation>第 %1 行：%2 重复出现，只取第一次的数值</translation>
    </message>
    <message>
        <source>第 %1 行：参数表中没有 %2</source>
        <translation>第 %1 行：参数表中没有 %2</translation>
    </message>
    <message>
        <source>第 %1 行：%2 的数值 %3 不可用（%4）</source>
        <translation>第 %1 行：%2 的数值 %3 不可用（%4）</translation>
    </message>
    <message>
        <source>第 %1 行：文件在这一行中间结束（%2）</source>
        <translation>第 %1 行：文件在这一行中间结束（%2）</translation>
    </message>
    <message numerus="yes">
        <source>另有 %n 行未载入</source>
        <translation>
            <numerusform>另有 %n 行未载入</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>parameterWindow</name>
    <message>
        <source>save file</source>
        <translation>save file</translation>
    </message>
    <message>
        <source>load file</source>
        <translation>load file</translation>
    </message>
    <message>
        <source>Files(*.csv)</source>
        <translation>Files(*.csv)</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>文件出错</source>
        <translation>文件出错</translation>
    </message>
    <message>
        <source>已导入</source>
        <translation>已导入</translation>
    </message>
    <message>
        <source>%1 已存在，是否替换？</source>
        <translation>%1 已存在，是否替换？</translation>
    </message>
    <message numerus="yes">
        <source>%n 个参数没有数值（未读出），文件未保存。请先上传或输入这些参数的数值：%1</source>
        <translation>
            <numerusform>%n 个参数没有数值（未读出），文件未保存。请先上传或输入这些参数的数值：%1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>已导入 %n 个参数。</source>
        <translation>
            <numerusform>已导入 %n 个参数。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>文件中没有以下 %n 个参数，未导入：%1</source>
        <translation>
            <numerusform>文件中没有以下 %n 个参数，未导入：%1</numerusform>
        </translation>
    </message>
    <message>
        <source>未导入</source>
        <translation>未导入</translation>
    </message>
    <message>
        <source>文件中的驱动器型号 %1 属于另一驱动器系列，未载入任何参数。</source>
        <translation>文件中的驱动器型号 %1 属于另一驱动器系列，未载入任何参数。</translation>
    </message>
</context>
</TS>
