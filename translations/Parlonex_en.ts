<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>FileErrors</name>
    <message numerus="yes">
        <source>…and %n more.</source>
        <translation>
            <numerusform>…and %n more.</numerusform>
            <numerusform>…and %n more.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message numerus="yes">
        <source>Overwrite %n translated cells?</source>
        <translation>
            <numerusform>Overwrite %n translated cell?</numerusform>
            <numerusform>Overwrite %n translated cells?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %Ln rows</source>
        <translation>
            <numerusform>%1 of %Ln row</numerusform>
            <numerusform>%1 of %Ln rows</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln messages</source>
        <translation>
            <numerusform>%Ln message</numerusform>
            <numerusform>%Ln messages</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln languages</source>
        <translation>
            <numerusform>%Ln language</numerusform>
            <numerusform>%Ln languages</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 / %Ln cells, %2 failed, next request in %3 s</source>
        <translation>
            <numerusform>%1 / %Ln cell, %2 failed, next request in %3 s</numerusform>
            <numerusform>%1 / %Ln cells, %2 failed, next request in %3 s</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 / %Ln cells, %2 failed</source>
        <translation>
            <numerusform>%1 / %Ln cell, %2 failed</numerusform>
            <numerusform>%1 / %Ln cells, %2 failed</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n cell(s) lose or add placeholders, tags, accelerators or line breaks. They are marked; their tool tips say what differs.</source>
        <translation>
            <numerusform>%n cell loses or adds placeholders, tags, accelerators or line breaks. It is marked; its tool tip says what differs.</numerusform>
            <numerusform>%n cells lose or add placeholders, tags, accelerators or line breaks. They are marked; their tool tips say what differs.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PoWriter</name>
    <message numerus="yes">
        <source>%n message(s) are not text in the catalogue&apos;s character set %1.</source>
        <translation>
            <numerusform>%n message is not text in the catalogue&apos;s character set %1.</numerusform>
            <numerusform>%n messages are not text in the catalogue&apos;s character set %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n translation(s) written as fuzzy, as gettext would reject them: %1</source>
        <translation>
            <numerusform>%n translation written as fuzzy, as gettext would reject it: %1</numerusform>
            <numerusform>%n translations written as fuzzy, as gettext would reject them: %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TranslationModel</name>
    <message numerus="yes">
        <source>%L1 of %Ln translated</source>
        <translation>
            <numerusform>%L1 of %Ln translated</numerusform>
            <numerusform>%L1 of %Ln translated</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %Ln unfinished</source>
        <translation>
            <numerusform>, %Ln unfinished</numerusform>
            <numerusform>, %Ln unfinished</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TranslationQueue</name>
    <message numerus="yes">
        <source>Totally %n cell(s) has/have been translated.</source>
        <translation>
            <numerusform>Totally %n cell has been translated.</numerusform>
            <numerusform>Totally %n cells have been translated.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n job(s) in a row failed: %1</source>
        <translation>
            <numerusform>%n job in a row failed: %1</numerusform>
            <numerusform>%n jobs in a row failed: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln cell(s) translated, %1 failed, %2 tokens</source>
        <translation>
            <numerusform>%Ln cell translated, %1 failed, %2 tokens</numerusform>
            <numerusform>%Ln cells translated, %1 failed, %2 tokens</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln cell(s) translated, %1 failed</source>
        <translation>
            <numerusform>%Ln cell translated, %1 failed</numerusform>
            <numerusform>%Ln cells translated, %1 failed</numerusform>
        </translation>
    </message>
</context>
</TS>
