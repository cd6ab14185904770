<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>About</name>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Levels, delays</source>
        <translation>Pegel, Delays</translation>
    </message>
    <message>
        <source>and waves for audio work</source>
        <translation>und Wellen für die Audioarbeit</translation>
    </message>
    <message>
        <source>© 2026 the Sonavolta team</source>
        <translation>© 2026 das Sonavolta-Team</translation>
    </message>
    <message>
        <source>All rights reserved.</source>
        <translation>Alle Rechte vorbehalten.</translation>
    </message>
</context>
<context>
    <name>Chooser</name>
    <message>
        <source>Choose Calculator</source>
        <translation>Rechner wählen</translation>
    </message>
</context>
<context>
    <name>Delay</name>
    <message>
        <source>4/4 Bar</source>
        <translation>4/4-Takt</translation>
    </message>
    <message>
        <source>3/4 Bar</source>
        <translation>3/4-Takt</translation>
    </message>
    <message>
        <source>1/4 Note</source>
        <translation>1/4-Note</translation>
    </message>
    <message>
        <source>1/16 Note</source>
        <translation>1/16-Note</translation>
    </message>
    <message>
        <source>1/32 Note</source>
        <translation>1/32-Note</translation>
    </message>
    <message>
        <source>1/8 Note</source>
        <translation>1/8-Note</translation>
    </message>
    <message>
        <source>1/2 Note</source>
        <translation>1/2-Note</translation>
    </message>
    <message>
        <source>Delays In ms</source>
        <translation>Delays in ms</translation>
    </message>
    <message>
        <source>Round Values</source>
        <translation>Werte runden</translation>
    </message>
</context>
<context>
    <name>File</name>
    <message>
        <source>an unnamed file</source>
        <translation>eine unbenannte Datei</translation>
    </message>
    <message>
        <source>%1 was not found.</source>
        <translation>%1 wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>All or part of the path %1 is not valid.</source>
        <translation>Der Pfad %1 ist ganz oder teilweise ungültig.</translation>
    </message>
    <message>
        <source>%1 could not be read: access was denied.</source>
        <translation>%1 konnte nicht gelesen werden: Zugriff verweigert.</translation>
    </message>
    <message>
        <source>%1 ended before it could be read whole.</source>
        <translation>%1 endete, bevor es ganz gelesen werden konnte.</translation>
    </message>
    <message>
        <source>%1 could not be read: the device reported an error.</source>
        <translation>%1 konnte nicht gelesen werden: Das Gerät meldete einen Fehler.</translation>
    </message>
    <message>
        <source>%1 could not be read.</source>
        <translation>%1 konnte nicht gelesen werden.</translation>
    </message>
</context>
<context>
    <name>Level</name>
    <message>
        <source>Power unit</source>
        <translation>Leistungseinheit</translation>
    </message>
    <message>
        <source>Voltage (RMS) unit</source>
        <translation>Einheit der Spannung (RMS)</translation>
    </message>
    <message>
        <source>Voltage (p-p) unit</source>
        <translation>Einheit der Spannung (Ss)</translation>
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
        <translation>Spannung (RMS)</translation>
    </message>
    <message>
        <source>Voltage (p-p)</source>
        <translation>Spannung (Ss)</translation>
    </message>
    <message>
        <source>dBm (±200)</source>
        <translation>dBm (±200)</translation>
    </message>
    <message>
        <source>at</source>
        <translation>an</translation>
    </message>
    <message>
        <source>Ohms</source>
        <translation>Ohm</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>Leistung</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Pegel</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>About...</source>
        <translation>Über...</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Inhalt</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
</context>
<context>
    <name>Screen</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>Strings</name>
    <message>
        <source>Level</source>
        <translation>Pegel</translation>
    </message>
    <message>
        <source>Delay</source>
        <translation>Delay</translation>
    </message>
    <message>
        <source>Wave</source>
        <translation>Welle</translation>
    </message>
    <message>
        <source>Choose Calculator...</source>
        <translation>Rechner wählen...</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
</context>
<context>
    <name>Wave</name>
    <message>
        <source>Frequency (Hz)</source>
        <translation>Frequenz (Hz)</translation>
    </message>
    <message>
        <source>Note (C0, C#0, ..., B9)</source>
        <translation>Note (C0, C#0, ..., B9)</translation>
    </message>
    <message>
        <source>Period (ms)</source>
        <translation>Periode (ms)</translation>
    </message>
    <message>
        <source>Wavelength (cm)</source>
        <translation>Wellenlänge (cm)</translation>
    </message>
    <message>
        <source>Wavelength (ft)</source>
        <translation>Wellenlänge (ft)</translation>
    </message>
    <message>
        <source>Period/2 (ms)</source>
        <translation>Periode/2 (ms)</translation>
    </message>
    <message>
        <source>Wavelength/2 (cm)</source>
        <translation>Wellenlänge/2 (cm)</translation>
    </message>
    <message>
        <source>Wavelength/2 (ft)</source>
        <translation>Wellenlänge/2 (ft)</translation>
    </message>
    <message>
        <source>Frequency to Wavelength</source>
        <translation>Frequenz zu Wellenlänge</translation>
    </message>
</context>
</TS>
