<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>QSerialPort</name>
    <message>
        <source>Permission error while creating lock file</source>
        <translation>Ошибка доступа при создании файла блокировки</translation>
    </message>
    <message>
        <source>No error</source>
        <translation>Нет ошибок</translation>
    </message>
    <message>
        <source>Device is already open</source>
        <translation>Устройство уже открыто</translation>
    </message>
    <message>
        <source>No suitable custom baud rate divisor</source>
        <translation>Нет подходящего делителя для установки особой скорости передачи</translation>
    </message>
    <message>
        <source>Cannot set custom speed for one direction</source>
        <translation>Невозможно установить особую скорость только в одном направлении</translation>
    </message>
    <message>
        <source>Device is not open</source>
        <translation>Устройство не открыто</translation>
    </message>
    <message>
        <source>The device supports only the ignoring policy</source>
        <translation>Устройство поддерживает политику только игнорировать</translation>
    </message>
    <message>
        <source>Operation timed out</source>
        <translation>Время ожидания операции истекло</translation>
    </message>
    <message>
        <source>Custom baud rate is not supported</source>
        <translation>Особая скорость передачи не поддерживается</translation>
    </message>
    <message>
        <source>Error writing to device</source>
        <translation>Ошибка записи в устройство</translation>
    </message>
    <message>
        <source>Permission error while locking the device</source>
        <translation>Ошибка доступа в процессе блокировки устройства</translation>
    </message>
    <message>
        <source>Error reading from device</source>
        <translation>Ошибка чтения из устройства</translation>
    </message>
    <message>
        <source>Unsupported open mode</source>
        <translation>Неподдерживаемый режим открытия</translation>
    </message>
    <message>
        <source>Device disappeared from the system</source>
        <translation>Устройство удалено из системы</translation>
    </message>
    <message>
        <source>Custom baud rate direction is unsupported</source>
        <translation>Направления передачи для особых скоростей не поддерживаются</translation>
    </message>
    <message>
        <source>Invalid baud rate value</source>
        <translation>Неверное значение скорости передачи</translation>
    </message>
</context>
</TS>
