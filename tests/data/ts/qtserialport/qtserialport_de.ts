<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>QSerialPort</name>
    <message>
        <source>Permission error while creating lock file</source>
        <translation>Fehlende Zugriffsberechtigung beim Erstellen der Lock-Datei</translation>
    </message>
    <message>
        <source>No error</source>
        <translation>Kein Fehler</translation>
    </message>
    <message>
        <source>Device is already open</source>
        <translation>Gerät bereits geöffnet</translation>
    </message>
    <message>
        <source>No suitable custom baud rate divisor</source>
        <translation>Kein geeigneter Divisor für benutzerdefinierte Baud-Rate</translation>
    </message>
    <message>
        <source>Cannot set custom speed for one direction</source>
        <translation>Es kann keine benutzerdefinierte Baud-Rate für eine Richtung festgelegt werden</translation>
    </message>
    <message>
        <source>Device is not open</source>
        <translation>Gerät nicht geöffnet</translation>
    </message>
    <message>
        <source>Operation timed out</source>
        <translation>Zeitüberschreitung</translation>
    </message>
    <message>
        <source>Custom baud rate is not supported</source>
        <translation>Benutzerdefinierte Baud-Raten werden nicht unterstützt</translation>
    </message>
    <message>
        <source>Error writing to device</source>
        <translation>Fehler beim Schreiben zum Gerät</translation>
    </message>
    <message>
        <source>Permission error while locking the device</source>
        <translation>Fehlende Zugriffsberechtigung beim Sperren des Geräts</translation>
    </message>
    <message>
        <source>Error reading from device</source>
        <translation>Fehler während des Lesens vom Gerät</translation>
    </message>
    <message>
        <source>Unsupported open mode</source>
        <translation>Nicht unterstützter Modus zum Öffnen</translation>
    </message>
    <message>
        <source>Device disappeared from the system</source>
        <translation>Gerät wurde vom System entfernt</translation>
    </message>
    <message>
        <source>Custom baud rate direction is unsupported</source>
        <translation>Benutzerdefinierte Baud-Raten für einzelne Richtungen werden nicht unterstützt</translation>
    </message>
    <message>
        <source>Invalid baud rate value</source>
        <translation>Ungültiger Wert für Baud-Rate</translation>
    </message>
</context>
</TS>
