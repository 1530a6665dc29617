<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>compareWindow</name>
    <message>
        <source>CompareWindow</source>
        <translation>CompareWindow</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>CompareWindow</translation>
    </message>
    <message>
        <source>文件源一：</source>
        <translation>Source File 1:</translation>
    </message>
    <message>
        <source>文件源二：</source>
        <translation>Source File 2:</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>比较</source>
        <translation>Compare</translation>
    </message>
    <message>
        <source>在线比较</source>
        <translation>On-line</translation>
    </message>
    <message>
        <source>离线比较</source>
        <translation>Off-line</translation>
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
        <source>文件源一数值</source>
        <translation>File source one value</translation>
    </message>
    <message>
        <source>文件源二数值</source>
        <translation>File source two values</translation>
    </message>
    <message>
        <source>在线参数表数值</source>
        <translation>Online parameter table values</translation>
    </message>
    <message>
        <source>文件源一未载入</source>
        <translation>File source 1 is not loaded</translation>
    </message>
    <message>
        <source>文件源二未载入</source>
        <translation>File source 2 is not loaded</translation>
    </message>
    <message>
        <source>在线参数未载入</source>
        <translation>The online parameter is not loaded</translation>
    </message>
    <message>
        <source>正在使用在线参数</source>
        <translation>Online parameters are being used</translation>
    </message>
    <message>
        <source>文件出错</source>
        <translation>File error</translation>
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
        <translation>The drive model %1 of file source one belongs to the other drive family; they cannot be compared.</translation>
    </message>
    <message>
        <source>文件源二的驱动器型号 %1 属于另一驱动器系列，无法比较。</source>
        <translation>The drive model %1 of file source two belongs to the other drive family; they cannot be compared.</translation>
    </message>
</context>
<context>
    <name>ParameterCsv</name>
    <message>
        <source>第 %1 行：缺少参数编号</source>
        <translation>Line %1: the parameter number is missing</translation>
    </message>
    <message>
        <source>第 %1 行：%2 缺少数值</source>
        <translation>Line %1: %2 has no value</translation>
    </message>
    <message>
        <source>第 %1 行：%2 重复出现，只取第一次的数值</source>
        <translation>Line %1: %2 appears again; only its first value is taken</translation>
    </message>
    <message>
        <source>第 %1 行：参数表中没有 %2</source>
        <translation>Line %1: the parameter table has no %2</translation>
    </message>
    <message>
        <source>第 %1 行：%2 的数值 %3 不可用（%4）</source>
        <translation>Line %1: the value %3 of %2 is refused (%4)</translation>
    </message>
    <message>
        <source>第 %1 行：文件在这一行中间结束（%2）</source>
        <translation>Line %1: the file ends inside this line (%2)</translation>
    </message>
    <message numerus="yes">
        <source>另有 %n 行未载入</source>
        <translation>
            <numerusform>%n more line was not loaded</numerusform>
            <numerusform>%n more lines were not loaded</numerusform>
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
        <translation>File error</translation>
    </message>
    <message>
        <source>已导入</source>
        <translation>Imported</translation>
    </message>
    <message>
        <source>%1 已存在，是否替换？</source>
        <translation>%1 already exists. Replace it?</translation>
    </message>
    <message numerus="yes">
        <source>%n 个参数没有数值（未读出），文件未保存。请先上传或输入这些参数的数值：%1</source>
        <translation>
            <numerusform>%n parameter has no value (not read); no file was saved. Upload or enter its value first: %1</numerusform>
            <numerusform>%n parameters have no value (not read); no file was saved. Upload or enter their values first: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>已导入 %n 个参数。</source>
        <translation>
            <numerusform>%n parameter was loaded.</numerusform>
            <numerusform>%n parameters were loaded.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>文件中没有以下 %n 个参数，未导入：%1</source>
        <translation>
            <numerusform>The file does not hold this parameter; it was not loaded: %1</numerusform>
            <numerusform>The file does not hold these %n parameters; they were not loaded: %1</numerusform>
        </translation>
    </message>
    <message>
        <source>未导入</source>
        <translation>Refused</translation>
    </message>
    <message>
        <source>文件中的驱动器型号 %1 属于另一驱动器系列，未载入任何参数。</source>
        <translation>The drive model %1 in the file belongs to the other drive family; no parameter was loaded.</translation>
    </message>
</context>
</TS>
