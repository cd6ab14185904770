<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>About</name>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>Levels, delays</source>
        <translation>Niveles, retardos</translation>
    </message>
    <message>
        <source>and waves for audio work</source>
        <translation>y ondas para el trabajo de audio</translation>
    </message>
    <message>
        <source>© 2026 the Sonavolta team</source>
        <translation>© 2026 el equipo de Sonavolta</translation>
    </message>
    <message>
        <source>All rights reserved.</source>
        <translation>Todos los derechos reservados.</translation>
    </message>
</context>
<context>
    <name>Chooser</name>
    <message>
        <source>Choose Calculator</source>
        <translation>Elegir calculadora</translation>
    </message>
</context>
<context>
    <name>Delay</name>
    <message>
        <source>4/4 Bar</source>
        <translation>Compás 4/4</translation>
    </message>
    <message>
        <source>3/4 Bar</source>
        <translation>Compás 3/4</translation>
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
        <translation>Retardos en ms</translation>
    </message>
    <message>
        <source>Round Values</source>
        <translation>Redondear</translation>
    </message>
</context>
<context>
    <name>File</name>
    <message>
        <source>an unnamed file</source>
        <translation>un archivo sin nombre</translation>
    </message>
    <message>
        <source>%1 was not found.</source>
        <translation>No se encontró %1.</translation>
    </message>
    <message>
        <source>All or part of the path %1 is not valid.</source>
        <translation>La ruta %1 no es válida en todo o en parte.</translation>
    </message>
    <message>
        <source>%1 could not be read: access was denied.</source>
        <translation>No se pudo leer %1: acceso denegado.</translation>
    </message>
    <message>
        <source>%1 ended before it could be read whole.</source>
        <translation>%1 terminó antes de poder leerse completo.</translation>
    </message>
    <message>
        <source>%1 could not be read: the device reported an error.</source>
        <translation>No se pudo leer %1: el dispositivo informó de un error.</translation>
    </message>
    <message>
        <source>%1 could not be read.</source>
        <translation>No se pudo leer %1.</translation>
    </message>
</context>
<context>
    <name>Level</name>
    <message>
        <source>Power unit</source>
        <translation>Unidad de potencia</translation>
    </message>
    <message>
        <source>Voltage (RMS) unit</source>
        <translation>Unidad de tensión (RMS)</translation>
    </message>
    <message>
        <source>Voltage (p-p) unit</source>
        <translation>Unidad de tensión (p-p)</translation>
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
        <translation>Tensión (RMS)</translation>
    </message>
    <message>
        <source>Voltage (p-p)</source>
        <translation>Tensión (p-p)</translation>
    </message>
    <message>
        <source>dBm (±200)</source>
        <translation>dBm (±200)</translation>
    </message>
    <message>
        <source>at</source>
        <translation>con</translation>
    </message>
    <message>
        <source>Ohms</source>
        <translation>ohmios</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>Potencia</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Nivel</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>About...</source>
        <translation>Acerca de...</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Contenido</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
</context>
<context>
    <name>Screen</name>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
</context>
<context>
    <name>Strings</name>
    <message>
        <source>Level</source>
        <translation>Nivel</translation>
    </message>
    <message>
        <source>Delay</source>
        <translation>Retardo</translation>
    </message>
    <message>
        <source>Wave</source>
        <translation>Onda</translation>
    </message>
    <message>
        <source>Choose Calculator...</source>
        <translation>Elegir calculadora...</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
</context>
<context>
    <name>Wave</name>
    <message>
        <source>Frequency (Hz)</source>
        <translation>Frecuencia (Hz)</translation>
    </message>
    <message>
        <source>Note (C0, C#0, ..., B9)</source>
        <translation>Nota (C0, C#0, ..., B9)</translation>
    </message>
    <message>
        <source>Period (ms)</source>
        <translation>Período (ms)</translation>
    </message>
    <message>
        <source>Wavelength (cm)</source>
        <translation>Long. de onda (cm)</translation>
    </message>
    <message>
        <source>Wavelength (ft)</source>
        <translation>Long. de onda (ft)</translation>
    </message>
    <message>
        <source>Period/2 (ms)</source>
        <translation>Período/2 (ms)</translation>
    </message>
    <message>
        <source>Wavelength/2 (cm)</source>
        <translation>Long. de onda/2 (cm)</translation>
    </message>
    <message>
        <source>Wavelength/2 (ft)</source>
        <translation>Long. de onda/2 (ft)</translation>
    </message>
    <message>
        <source>Frequency to Wavelength</source>
        <translation>Frecuencia a longitud de onda</translation>
    </message>
</context>
</TS>
