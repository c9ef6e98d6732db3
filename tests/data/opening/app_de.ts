<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;File</source>
        <comment>menu</comment>
        <extracomment>The first menu of the window</extracomment>
        <translatorcomment>kurz!</translatorcomment>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Open %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export &lt;b&gt;all&lt;/b&gt;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PreferencesDialog</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
</context>
</TS>
