<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>About</name>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Levels, delays</source>
        <translation>电平、延迟</translation>
    </message>
    <message>
        <source>and waves for audio work</source>
        <translation>和波长的音频计算器</translation>
    </message>
    <message>
        <source>© 2026 the Sonavolta team</source>
        <translation>© 2026 Sonavolta 团队</translation>
    </message>
    <message>
        <source>All rights reserved.</source>
        <translation>保留所有权利。</translation>
    </message>
</context>
<context>
    <name>Chooser</name>
    <message>
        <source>Choose Calculator</source>
        <translation>选择计算器</translation>
    </message>
</context>
<context>
    <name>Delay</name>
    <message>
        <source>4/4 Bar</source>
        <translation>4/4 小节</translation>
    </message>
    <message>
        <source>3/4 Bar</source>
        <translation>3/4 小节</translation>
    </message>
    <message>
        <source>1/4 Note</source>
        <translation>1/4 音符</translation>
    </message>
    <message>
        <source>1/16 Note</source>
        <translation>1/16 音符</translation>
    </message>
    <message>
        <source>1/32 Note</source>
        <translation>1/32 音符</translation>
    </message>
    <message>
        <source>1/8 Note</source>
        <translation>1/8 音符</translation>
    </message>
    <message>
        <source>1/2 Note</source>
        <translation>1/2 音符</translation>
    </message>
    <message>
        <source>Delays In ms</source>
        <translation>延迟 (ms)</translation>
    </message>
    <message>
        <source>Round Values</source>
        <translation>取整</translation>
    </message>
</context>
<context>
    <name>File</name>
    <message>
        <source>an unnamed file</source>
        <translation>一个未命名的文件</translation>
    </message>
    <message>
        <source>%1 was not found.</source>
        <translation>找不到 %1。</translation>
    </message>
    <message>
        <source>All or part of the path %1 is not valid.</source>
        <translation>路径 %1 全部或部分无效。</translation>
    </message>
    <message>
        <source>%1 could not be read: access was denied.</source>
        <translation>无法读取 %1：访问被拒绝。</translation>
    </message>
    <message>
        <source>%1 ended before it could be read whole.</source>
        <translation>%1 在完整读取之前就结束了。</translation>
    </message>
    <message>
        <source>%1 could not be read: the device reported an error.</source>
        <translation>无法读取 %1：设备报告了错误。</translation>
    </message>
    <message>
        <source>%1 could not be read.</source>
        <translation>无法读取 %1。</translation>
    </message>
</context>
<context>
    <name>Level</name>
    <message>
        <source>Power unit</source>
        <translation>功率单位</translation>
    </message>
    <message>
        <source>Voltage (RMS) unit</source>
        <translation>电压 (RMS) 单位</translation>
    </message>
    <message>
        <source>Voltage (p-p) unit</source>
        <translation>电压 (峰峰值) 单位</translation>
    </message>
    <message>
        <source>dBu (±200)</source>
        <translation>dBu (±200)</translation>
    </message>
    <message>
        <source>dBV (±200)</source>
        <translation>dBV (±200)</translation>
    </message>
    <message>
        <source>Voltage (RMS)</source>
        <translation>电压 (RMS)</translation>
    </message>
    <message>
        <source>Voltage (p-p)</source>
        <translation>电压 (峰峰值)</translation>
    </message>
    <message>
        <source>dBm (±200)</source>
        <translation>dBm (±200)</translation>
    </message>
    <message>
        <source>at</source>
        <translation>负载</translation>
    </message>
    <message>
        <source>Ohms</source>
        <translation>欧姆</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>功率</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>电平</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>About...</source>
        <translation>关于...</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>目录</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>帮助(&amp;H)</translation>
    </message>
</context>
<context>
    <name>Screen</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>Strings</name>
    <message>
        <source>Level</source>
        <translation>电平</translation>
    </message>
    <message>
        <source>Delay</source>
        <translation>延迟</translation>
    </message>
    <message>
        <source>Wave</source>
        <translation>波长</translation>
    </message>
    <message>
        <source>Choose Calculator...</source>
        <translation>选择计算器...</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
</context>
<context>
    <name>Wave</name>
    <message>
        <source>Frequency (Hz)</source>
        <translation>频率 (Hz)</translation>
    </message>
    <message>
        <source>Note (C0, C#0, ..., B9)</source>
        <translation>音名 (C0, C#0, ..., B9)</translation>
    </message>
    <message>
        <source>Period (ms)</source>
        <translation>周期 (ms)</translation>
    </message>
    <message>
        <source>Wavelength (cm)</source>
        <translation>波长 (cm)</translation>
    </message>
    <message>
        <source>Wavelength (ft)</source>
        <translation>波长 (ft)</translation>
    </message>
    <message>
        <source>Period/2 (ms)</source>
        <translation>周期/2 (ms)</translation>
    </message>
    <message>
        <source>Wavelength/2 (cm)</source>
        <translation>波长/2 (cm)</translation>
    </message>
    <message>
        <source>Wavelength/2 (ft)</source>
        <translation>波长/2 (ft)</translation>
    </message>
    <message>
        <source>Frequency to Wavelength</source>
        <translation>频率转波长</translation>
    </message>
</context>
</TS>
