<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it">
<context>
    <name>About</name>
    <message>
        <source>About</source>
        <translation>Informazioni</translation>
    </message>
    <message>
        <source>Levels, delays</source>
        <translation>Livelli, delay</translation>
    </message>
    <message>
        <source>and waves for audio work</source>
        <translation>e onde per il lavoro audio</translation>
    </message>
    <message>
        <source>© 2026 the Sonavolta team</source>
        <translation>© 2026 il team di Sonavolta</translation>
    </message>
    <message>
        <source>All rights reserved.</source>
        <translation>Tutti i diritti riservati.</translation>
    </message>
</context>
<context>
    <name>Chooser</name>
    <message>
        <source>Choose Calculator</source>
        <translation>Scegli calcolatore</translation>
    </message>
</context>
<context>
    <name>Delay</name>
    <message>
        <source>4/4 Bar</source>
        <translation>Battuta 4/4</translation>
    </message>
    <message>
        <source>3/4 Bar</source>
        <translation>Battuta 3/4</translation>
    </message>
    <message>
        <source>1/4 Note</source>
        <translation>Nota 1/4</translation>
    </message>
    <message>
        <source>1/16 Note</source>
        <translation>Nota 1/16</translation>
    </message>
    <message>
        <source>1/32 Note</source>
        <translation>Nota 1/32</translation>
    </message>
    <message>
        <source>1/8 Note</source>
        <translation>Nota 1/8</translation>
    </message>
    <message>
        <source>1/2 Note</source>
        <translation>Nota 1/2</translation>
    </message>
    <message>
        <source>Delays In ms</source>
        <translation>Delay in ms</translation>
    </message>
    <message>
        <source>Round Values</source>
        <translation>Arrotonda</translation>
    </message>
</context>
<context>
    <name>File</name>
    <message>
        <source>an unnamed file</source>
        <translation>un file senza nome</translation>
    </message>
    <message>
        <source>%1 was not found.</source>
        <translation>%1 non è stato trovato.</translation>
    </message>
    <message>
        <source>All or part of the path %1 is not valid.</source>
        <translation>Il percorso %1 non è valido, in tutto o in parte.</translation>
    </message>
    <message>
        <source>%1 could not be read: access was denied.</source>
        <translation>Impossibile leggere %1: accesso negato.</translation>
    </message>
    <message>
        <source>%1 ended before it could be read whole.</source>
        <translation>%1 è terminato prima di poter essere letto per intero.</translation>
    </message>
    <message>
        <source>%1 could not be read: the device reported an error.</source>
        <translation>Impossibile leggere %1: il dispositivo ha segnalato un errore.</translation>
    </message>
    <message>
        <source>%1 could not be read.</source>
        <translation>Impossibile leggere %1.</translation>
    </message>
</context>
<context>
    <name>Level</name>
    <message>
        <source>Power unit</source>
        <translation>Unità di potenza</translation>
    </message>
    <message>
        <source>Voltage (RMS) unit</source>
        <translation>Unità di tensione (RMS)</translation>
    </message>
    <message>
        <source>Voltage (p-p) unit</source>
        <translation>Unità di tensione (p-p)</translation>
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
        <translation>Tensione (RMS)</translation>
    </message>
    <message>
        <source>Voltage (p-p)</source>
        <translation>Tensione (p-p)</translation>
    </message>
    <message>
        <source>dBm (±200)</source>
        <translation>dBm (±200)</translation>
    </message>
    <message>
        <source>at</source>
        <translation>su</translation>
    </message>
    <message>
        <source>Ohms</source>
        <translation>ohm</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>Potenza</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Livello</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>About...</source>
        <translation>Informazioni...</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Sommario</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Guida</translation>
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
        <translation>Livello</translation>
    </message>
    <message>
        <source>Delay</source>
        <translation>Delay</translation>
    </message>
    <message>
        <source>Wave</source>
        <translation>Onda</translation>
    </message>
    <message>
        <source>Choose Calculator...</source>
        <translation>Scegli calcolatore...</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Guida</translation>
    </message>
</context>
<context>
    <name>Wave</name>
    <message>
        <source>Frequency (Hz)</source>
        <translation>Frequenza (Hz)</translation>
    </message>
    <message>
        <source>Note (C0, C#0, ..., B9)</source>
        <translation>Nota (C0, C#0, ..., B9)</translation>
    </message>
    <message>
        <source>Period (ms)</source>
        <translation>Periodo (ms)</translation>
    </message>
    <message>
        <source>Wavelength (cm)</source>
        <translation>Lungh. d&apos;onda (cm)</translation>
    </message>
    <message>
        <source>Wavelength (ft)</source>
        <translation>Lungh. d&apos;onda (ft)</translation>
    </message>
    <message>
        <source>Period/2 (ms)</source>
        <translation>Periodo/2 (ms)</translation>
    </message>
    <message>
        <source>Wavelength/2 (cm)</source>
        <translation>Lungh. d&apos;onda/2 (cm)</translation>
    </message>
    <message>
        <source>Wavelength/2 (ft)</source>
        <translation>Lungh. d&apos;onda/2 (ft)</translation>
    </message>
    <message>
        <source>Frequency to Wavelength</source>
        <translation>Da frequenza a lunghezza d&apos;onda</translation>
    </message>
</context>
</TS>
