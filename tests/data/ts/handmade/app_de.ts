<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>MainWindow</name>
    <message>
        <location filename="mainwindow.cpp" line="42"/>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <location filename="mainwindow.cpp" line="57"/>
        <source>Save &lt;b&gt;all&lt;/b&gt; files</source>
        <comment>tool tip</comment>
        <translatorcomment>checked by the team</translatorcomment>
        <translation type="unfinished">&lt;b&gt;Alle&lt;/b&gt; Dateien speichern</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) changed</source>
        <translation>
            <numerusform>%n Datei geändert</numerusform>
            <numerusform>%n Dateien geändert</numerusform>
        </translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name: </source>
        <translation>"Name: "</translation>
    </message>
    <message>
        <source>Removed feature</source>
        <translation type="vanished">Entfernte Funktion</translation>
    </message>
</context>
<context>
    <name>AboutDialog</name>
    <message>
        <source>About %1</source>
        <translation>Über %1</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
</context>
</TS>
