<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>QSerialPort</name>
    <message>
        <source>Permission error while creating lock file</source>
        <translation>ロックファイルを生成可能な権限がありません</translation>
    </message>
    <message>
        <source>No error</source>
        <translation>エラーなし</translation>
    </message>
    <message>
        <source>Device is already open</source>
        <translation>デバイスは既に開かれています</translation>
    </message>
    <message>
        <source>No suitable custom baud rate divisor</source>
        <translation>カスタマイズされたボーレートの除数が適切ではありません</translation>
    </message>
    <message>
        <source>Cannot set custom speed for one direction</source>
        <translation>一方向だけ速度をカスタマイズすることはできません</translation>
    </message>
    <message>
        <source>Device is not open</source>
        <translation>デバイスが開かれていません</translation>
    </message>
    <message>
        <source>The device supports only the ignoring policy</source>
        <translation>このデバイスではデータエラーのポリシーは無視のみサポートしています</translation>
    </message>
    <message>
        <source>Operation timed out</source>
        <translation>処理がタイムアウトしました</translation>
    </message>
    <message>
        <source>Custom baud rate is not supported</source>
        <translation>ボーレートのカスタマイズはサポートされていません</translation>
    </message>
    <message>
        <source>Error writing to device</source>
        <translation>デバイスへ書き込めませんでした</translation>
    </message>
    <message>
        <source>Permission error while locking the device</source>
        <translation>デバイスをロック可能な権限がありません</translation>
    </message>
    <message>
        <source>Error reading from device</source>
        <translation>デバイスから読み込めませんでした</translation>
    </message>
    <message>
        <source>Unsupported open mode</source>
        <translation>サポートされていないオープンモードです</translation>
    </message>
    <message>
        <source>Device disappeared from the system</source>
        <translation>システムからデバイスが消失しました</translation>
    </message>
    <message>
        <source>Custom baud rate direction is unsupported</source>
        <translation>一方向だけボーレートをカスタマイズすることはできません</translation>
    </message>
    <message>
        <source>Invalid baud rate value</source>
        <translation>無効なボーレートの値です</translation>
    </message>
</context>
</TS>
