<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>About</name>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Levels, delays</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>and waves for audio work</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>© 2026 the Sonavolta team</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All rights reserved.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Chooser</name>
    <message>
        <source>Choose Calculator</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Delay</name>
    <message>
        <source>4/4 Bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3/4 Bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1/4 Note</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1/16 Note</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1/32 Note</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1/8 Note</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1/2 Note</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delays In ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Round Values</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>File</name>
    <message>
        <source>an unnamed file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was not found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All or part of the path %1 is not valid.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be read: access was denied.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 ended before it could be read whole.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be read: the device reported an error.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be read.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Level</name>
    <message>
        <source>Power unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Voltage (RMS) unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Voltage (p-p) unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>dBu (±200)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>dBV (±200)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Voltage (RMS)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Voltage (p-p)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>dBm (±200)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>at</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ohms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Power</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Level</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>About...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contents</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Screen</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Strings</name>
    <message>
        <source>Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delay</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wave</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose Calculator...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Wave</name>
    <message>
        <source>Frequency (Hz)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Note (C0, C#0, ..., B9)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Period (ms)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wavelength (cm)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wavelength (ft)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Period/2 (ms)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wavelength/2 (cm)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wavelength/2 (ft)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frequency to Wavelength</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
