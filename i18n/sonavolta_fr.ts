<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>About</name>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Levels, delays</source>
        <translation>Niveaux, délais</translation>
    </message>
    <message>
        <source>and waves for audio work</source>
        <translation>et ondes pour le travail audio</translation>
    </message>
    <message>
        <source>© 2026 the Sonavolta team</source>
        <translation>© 2026 l&apos;équipe Sonavolta</translation>
    </message>
    <message>
        <source>All rights reserved.</source>
        <translation>Tous droits réservés.</translation>
    </message>
</context>
<context>
    <name>Chooser</name>
    <message>
        <source>Choose Calculator</source>
        <translation>Choisir un calculateur</translation>
    </message>
</context>
<context>
    <name>Delay</name>
    <message>
        <source>4/4 Bar</source>
        <translation>Mesure 4/4</translation>
    </message>
    <message>
        <source>3/4 Bar</source>
        <translation>Mesure 3/4</translation>
    </message>
    <message>
        <source>1/4 Note</source>
        <translation>Note 1/4</translation>
    </message>
    <message>
        <source>1/16 Note</source>
        <translation>Note 1/16</translation>
    </message>
    <message>
        <source>1/32 Note</source>
        <translation>Note 1/32</translation>
    </message>
    <message>
        <source>1/8 Note</source>
        <translation>Note 1/8</translation>
    </message>
    <message>
        <source>1/2 Note</source>
        <translation>Note 1/2</translation>
    </message>
    <message>
        <source>Delays In ms</source>
        <translation>Délais en ms</translation>
    </message>
    <message>
        <source>Round Values</source>
        <translation>Arrondir</translation>
    </message>
</context>
<context>
    <name>File</name>
    <message>
        <source>an unnamed file</source>
        <translation>un fichier sans nom</translation>
    </message>
    <message>
        <source>%1 was not found.</source>
        <translation>%1 est introuvable.</translation>
    </message>
    <message>
        <source>All or part of the path %1 is not valid.</source>
        <translation>Tout ou partie du chemin %1 n&apos;est pas valide.</translation>
    </message>
    <message>
        <source>%1 could not be read: access was denied.</source>
        <translation>Impossible de lire %1 : accès refusé.</translation>
    </message>
    <message>
        <source>%1 ended before it could be read whole.</source>
        <translation>%1 s&apos;est terminé avant d&apos;avoir pu être lu en entier.</translation>
    </message>
    <message>
        <source>%1 could not be read: the device reported an error.</source>
        <translation>Impossible de lire %1 : le périphérique a signalé une erreur.</translation>
    </message>
    <message>
        <source>%1 could not be read.</source>
        <translation>Impossible de lire %1.</translation>
    </message>
</context>
<context>
    <name>Level</name>
    <message>
        <source>Power unit</source>
        <translation>Unité de puissance</translation>
    </message>
    <message>
        <source>Voltage (RMS) unit</source>
        <translation>Unité de tension (RMS)</translation>
    </message>
    <message>
        <source>Voltage (p-p) unit</source>
        <translation>Unité de tension (c-c)</translation>
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
        <translation>Tension (RMS)</translation>
    </message>
    <message>
        <source>Voltage (p-p)</source>
        <translation>Tension (c-c)</translation>
    </message>
    <message>
        <source>dBm (±200)</source>
        <translation>dBm (±200)</translation>
    </message>
    <message>
        <source>at</source>
        <translation>sur</translation>
    </message>
    <message>
        <source>Ohms</source>
        <translation>ohms</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>Puissance</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Niveau</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>About...</source>
        <translation>À propos...</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Sommaire</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
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
        <translation>Niveau</translation>
    </message>
    <message>
        <source>Delay</source>
        <translation>Délai</translation>
    </message>
    <message>
        <source>Wave</source>
        <translation>Onde</translation>
    </message>
    <message>
        <source>Choose Calculator...</source>
        <translation>Choisir un calculateur...</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
</context>
<context>
    <name>Wave</name>
    <message>
        <source>Frequency (Hz)</source>
        <translation>Fréquence (Hz)</translation>
    </message>
    <message>
        <source>Note (C0, C#0, ..., B9)</source>
        <translation>Note (C0, C#0, ..., B9)</translation>
    </message>
    <message>
        <source>Period (ms)</source>
        <translation>Période (ms)</translation>
    </message>
    <message>
        <source>Wavelength (cm)</source>
        <translation>Long. d&apos;onde (cm)</translation>
    </message>
    <message>
        <source>Wavelength (ft)</source>
        <translation>Long. d&apos;onde (ft)</translation>
    </message>
    <message>
        <source>Period/2 (ms)</source>
        <translation>Période/2 (ms)</translation>
    </message>
    <message>
        <source>Wavelength/2 (cm)</source>
        <translation>Long. d&apos;onde/2 (cm)</translation>
    </message>
    <message>
        <source>Wavelength/2 (ft)</source>
        <translation>Long. d&apos;onde/2 (ft)</translation>
    </message>
    <message>
        <source>Frequency to Wavelength</source>
        <translation>Fréquence en longueur d&apos;onde</translation>
    </message>
</context>
</TS>
