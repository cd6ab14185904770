<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>About</name>
    <message>
        <source>About</source>
        <translation>バージョン情報</translation>
    </message>
    <message>
        <source>Levels, delays</source>
        <translation>レベル・ディレイ・波長の</translation>
    </message>
    <message>
        <source>and waves for audio work</source>
        <translation>オーディオ計算ツール</translation>
    </message>
    <message>
        <source>© 2026 the Sonavolta team</source>
        <translation>© 2026 Sonavolta チーム</translation>
    </message>
    <message>
        <source>All rights reserved.</source>
        <translation>無断転載を禁じます。</translation>
    </message>
</context>
<context>
    <name>Chooser</name>
    <message>
        <source>Choose Calculator</source>
        <translation>計算機を選択</translation>
    </message>
</context>
<context>
    <name>Delay</name>
    <message>
        <source>4/4 Bar</source>
        <translation>4/4 小節</translation>
    </message>
    <message>
        <source>3/4 Bar</source>
        <translation>3/4 小節</translation>
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
        <translation>ディレイ (ms)</translation>
    </message>
    <message>
        <source>Round Values</source>
        <translation>丸める</translation>
    </message>
</context>
<context>
    <name>File</name>
    <message>
        <source>an unnamed file</source>
        <translation>名前のないファイル</translation>
    </message>
    <message>
        <source>%1 was not found.</source>
        <translation>%1 が見つかりません。</translation>
    </message>
    <message>
        <source>All or part of the path %1 is not valid.</source>
        <translation>パス %1 の全体または一部が正しくありません。</translation>
    </message>
    <message>
        <source>%1 could not be read: access was denied.</source>
        <translation>%1 を読み込めません: アクセスが拒否されました。</translation>
    </message>
    <message>
        <source>%1 ended before it could be read whole.</source>
        <translation>%1 は最後まで読み込む前に終わっています。</translation>
    </message>
    <message>
        <source>%1 could not be read: the device reported an error.</source>
        <translation>%1 を読み込めません: デバイスがエラーを報告しました。</translation>
    </message>
    <message>
        <source>%1 could not be read.</source>
        <translation>%1 を読み込めません。</translation>
    </message>
</context>
<context>
    <name>Level</name>
    <message>
        <source>Power unit</source>
        <translation>電力の単位</translation>
    </message>
    <message>
        <source>Voltage (RMS) unit</source>
        <translation>電圧 (RMS) の単位</translation>
    </message>
    <message>
        <source>Voltage (p-p) unit</source>
        <translation>電圧 (p-p) の単位</translation>
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
        <translation>電圧 (RMS)</translation>
    </message>
    <message>
        <source>Voltage (p-p)</source>
        <translation>電圧 (p-p)</translation>
    </message>
    <message>
        <source>dBm (±200)</source>
        <translation>dBm (±200)</translation>
    </message>
    <message>
        <source>at</source>
        <translation>負荷</translation>
    </message>
    <message>
        <source>Ohms</source>
        <translation>Ω</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>電力</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>レベル</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>About...</source>
        <translation>バージョン情報...</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>目次</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
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
        <translation>レベル</translation>
    </message>
    <message>
        <source>Delay</source>
        <translation>ディレイ</translation>
    </message>
    <message>
        <source>Wave</source>
        <translation>波長</translation>
    </message>
    <message>
        <source>Choose Calculator...</source>
        <translation>計算機を選択...</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>ヘルプ</translation>
    </message>
</context>
<context>
    <name>Wave</name>
    <message>
        <source>Frequency (Hz)</source>
        <translation>周波数 (Hz)</translation>
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
        <translation>波長 (cm)</translation>
    </message>
    <message>
        <source>Wavelength (ft)</source>
        <translation>波長 (ft)</translation>
    </message>
    <message>
        <source>Period/2 (ms)</source>
        <translation>周期/2 (ms)</translation>
    </message>
    <message>
        <source>Wavelength/2 (cm)</source>
        <translation>波長/2 (cm)</translation>
    </message>
    <message>
        <source>Wavelength/2 (ft)</source>
        <translation>波長/2 (ft)</translation>
    </message>
    <message>
        <source>Frequency to Wavelength</source>
        <translation>周波数から波長</translation>
    </message>
</context>
</TS>
