<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>About</name>
    <message>
        <source>About</source>
        <translation>Sobre</translation>
    </message>
    <message>
        <source>Levels, delays</source>
        <translation>Níveis, delays</translation>
    </message>
    <message>
        <source>and waves for audio work</source>
        <translation>e ondas para o trabalho com áudio</translation>
    </message>
    <message>
        <source>© 2026 the Sonavolta team</source>
        <translation>© 2026 a equipe do Sonavolta</translation>
    </message>
    <message>
        <source>All rights reserved.</source>
        <translation>Todos os direitos reservados.</translation>
    </message>
</context>
<context>
    <name>Chooser</name>
    <message>
        <source>Choose Calculator</source>
        <translation>Escolher calculadora</translation>
    </message>
</context>
<context>
    <name>Delay</name>
    <message>
        <source>4/4 Bar</source>
        <translation>Compasso 4/4</translation>
    </message>
    <message>
        <source>3/4 Bar</source>
        <translation>Compasso 3/4</translation>
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
        <translation>Delays em ms</translation>
    </message>
    <message>
        <source>Round Values</source>
        <translation>Arredondar</translation>
    </message>
</context>
<context>
    <name>File</name>
    <message>
        <source>an unnamed file</source>
        <translation>um arquivo sem nome</translation>
    </message>
    <message>
        <source>%1 was not found.</source>
        <translation>%1 não foi encontrado.</translation>
    </message>
    <message>
        <source>All or part of the path %1 is not valid.</source>
        <translation>O caminho %1 não é válido, no todo ou em parte.</translation>
    </message>
    <message>
        <source>%1 could not be read: access was denied.</source>
        <translation>Não foi possível ler %1: acesso negado.</translation>
    </message>
    <message>
        <source>%1 ended before it could be read whole.</source>
        <translation>%1 terminou antes de ser lido por inteiro.</translation>
    </message>
    <message>
        <source>%1 could not be read: the device reported an error.</source>
        <translation>Não foi possível ler %1: o dispositivo relatou um erro.</translation>
    </message>
    <message>
        <source>%1 could not be read.</source>
        <translation>Não foi possível ler %1.</translation>
    </message>
</context>
<context>
    <name>Level</name>
    <message>
        <source>Power unit</source>
        <translation>Unidade de potência</translation>
    </message>
    <message>
        <source>Voltage (RMS) unit</source>
        <translation>Unidade de tensão (RMS)</translation>
    </message>
    <message>
        <source>Voltage (p-p) unit</source>
        <translation>Unidade de tensão (p-p)</translation>
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
        <translation>Tensão (RMS)</translation>
    </message>
    <message>
        <source>Voltage (p-p)</source>
        <translation>Tensão (p-p)</translation>
    </message>
    <message>
        <source>dBm (±200)</source>
        <translation>dBm (±200)</translation>
    </message>
    <message>
        <source>at</source>
        <translation>em</translation>
    </message>
    <message>
        <source>Ohms</source>
        <translation>ohms</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>Potência</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Nível</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>About...</source>
        <translation>Sobre...</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Conteúdo</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;juda</translation>
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
        <translation>Nível</translation>
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
        <translation>Escolher calculadora...</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ajuda</translation>
    </message>
</context>
<context>
    <name>Wave</name>
    <message>
        <source>Frequency (Hz)</source>
        <translation>Frequência (Hz)</translation>
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
        <translation>Compr. de onda (cm)</translation>
    </message>
    <message>
        <source>Wavelength (ft)</source>
        <translation>Compr. de onda (ft)</translation>
    </message>
    <message>
        <source>Period/2 (ms)</source>
        <translation>Período/2 (ms)</translation>
    </message>
    <message>
        <source>Wavelength/2 (cm)</source>
        <translation>Compr. de onda/2 (cm)</translation>
    </message>
    <message>
        <source>Wavelength/2 (ft)</source>
        <translation>Compr. de onda/2 (ft)</translation>
    </message>
    <message>
        <source>Frequency to Wavelength</source>
        <translation>Frequência para comprimento de onda</translation>
    </message>
</context>
</TS>
