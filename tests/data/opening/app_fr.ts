<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;File</source>
        <comment>menu</comment>
        <extracomment>The first menu of the window</extracomment>
        <translatorcomment>court !</translatorcomment>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>Open %1</source>
        <translation>Ouvrir %1</translation>
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
        <translation>Nom</translation>
    </message>
</context>
</TS>
