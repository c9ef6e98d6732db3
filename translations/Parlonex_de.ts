<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About Parlonex</source>
        <translation>Über Parlonex</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Large Language Model-powered multilingual translation tool to accelerate software internationalization.</source>
        <translation>Mehrsprachiges Übersetzungswerkzeug mit großen Sprachmodellen, das die Internationalisierung von Software beschleunigt.</translation>
    </message>
    <message>
        <source>Homepage: </source>
        <translation>Homepage: </translation>
    </message>
    <message>
        <source>Contact us: </source>
        <translation>Kontakt: </translation>
    </message>
    <message>
        <source>Version: </source>
        <translation>Version: </translation>
    </message>
    <message>
        <source>Third parties</source>
        <translation>Drittanbieter</translation>
    </message>
    <message>
        <source>LGPL-3.0 and the Chromium licences</source>
        <translation>LGPL-3.0 und die Chromium-Lizenzen</translation>
    </message>
    <message>
        <source>zlib licence</source>
        <translation>zlib-Lizenz</translation>
    </message>
    <message>
        <source>Oxygen icons</source>
        <translation>Oxygen-Symbole</translation>
    </message>
    <message>
        <source>Flag icons by Mark James</source>
        <translation>Flaggensymbole von Mark James</translation>
    </message>
    <message>
        <source>public domain</source>
        <translation>gemeinfrei</translation>
    </message>
</context>
<context>
    <name>AppleTranslationModel</name>
    <message>
        <source>Message ID</source>
        <translation>Nachrichten-ID</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>Gruppe</translation>
    </message>
    <message>
        <source>String catalogues (.xcstrings) are not read.</source>
        <translation>String-Kataloge (.xcstrings) werden nicht gelesen.</translation>
    </message>
</context>
<context>
    <name>CommonJSONTranslationModel</name>
    <message>
        <source>Message ID</source>
        <translation>Nachrichten-ID</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>Gruppe</translation>
    </message>
</context>
<context>
    <name>DetailPane</name>
    <message>
        <source>Translation</source>
        <translation>Übersetzung</translation>
    </message>
    <message>
        <source>Group: %1</source>
        <translation>Gruppe: %1</translation>
    </message>
    <message>
        <source>Context: %1</source>
        <translation>Kontext: %1</translation>
    </message>
    <message>
        <source>Comment: %1</source>
        <translation>Kommentar: %1</translation>
    </message>
    <message>
        <source>Translator comment: %1</source>
        <translation>Übersetzerkommentar: %1</translation>
    </message>
    <message>
        <source>Translation (%1)</source>
        <translation>Übersetzung (%1)</translation>
    </message>
</context>
<context>
    <name>FileErrors</name>
    <message numerus="yes">
        <source>…and %n more.</source>
        <translation>
            <numerusform>…und %n weiteres.</numerusform>
            <numerusform>…und %n weitere.</numerusform>
        </translation>
    </message>
    <message>
        <source>Cannot read the file: %1</source>
        <translation>Die Datei kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>Cannot write the file: %1</source>
        <translation>Die Datei kann nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>Not written: the file could not be read completely, and writing it would lose what was not understood.</source>
        <translation>Nicht geschrieben: Die Datei konnte nicht vollständig gelesen werden, und beim Schreiben ginge verloren, was nicht verstanden wurde.</translation>
    </message>
</context>
<context>
    <name>FilterBar</name>
    <message>
        <source>Filter by message ID, group or text (Ctrl+F)</source>
        <translation>Nach Meldungs-ID, Gruppe oder Text filtern (Strg+F)</translation>
    </message>
    <message>
        <source>Regular expression</source>
        <translation>Regulärer Ausdruck</translation>
    </message>
    <message>
        <source>All Rows</source>
        <translation>Alle Zeilen</translation>
    </message>
    <message>
        <source>Empty in Any Column</source>
        <translation>In einer Spalte leer</translation>
    </message>
    <message>
        <source>Empty in Current Column</source>
        <translation>In der aktuellen Spalte leer</translation>
    </message>
    <message>
        <source>Unfinished or Marked for Review</source>
        <translation>Unfertig oder zur Prüfung markiert</translation>
    </message>
    <message>
        <source>Changed Since Opened</source>
        <translation>Seit dem Öffnen geändert</translation>
    </message>
    <message>
        <source>Failed Placeholder Check or Translation</source>
        <translation>Platzhalterprüfung oder Übersetzung fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>GnuTranslationModel</name>
    <message>
        <source>Message ID</source>
        <translation>Nachrichten-ID</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>Gruppe</translation>
    </message>
</context>
<context>
    <name>InputRowColumnDialog</name>
    <message>
        <source>Select Row/Column</source>
        <translation>Zeile/Spalte auswählen</translation>
    </message>
    <message>
        <source>Row</source>
        <translation>Zeile</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Quelle</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Column</source>
        <translation>Spalte</translation>
    </message>
    <message>
        <source>Header</source>
        <translation>Kopfzeile</translation>
    </message>
</context>
<context>
    <name>JsonNamespace</name>
    <message>
        <source>Not valid JSON: %1</source>
        <translation>Kein gültiges JSON: %1</translation>
    </message>
    <message>
        <source>The file holds no JSON object.</source>
        <translation>Die Datei enthält kein JSON-Objekt.</translation>
    </message>
</context>
<context>
    <name>JsonWriter</name>
    <message>
        <source>Not written: no place in the file lets i18next find &quot;%1&quot;, as other members take parts of that key.</source>
        <translation>Nicht geschrieben: An keiner Stelle der Datei fände i18next „%1“, da andere Einträge Teile dieses Schlüssels belegen.</translation>
    </message>
</context>
<context>
    <name>LLMServiceReplyHelper</name>
    <message>
        <source>The response was filtered (%1).</source>
        <translation>Die Antwort wurde gefiltert (%1).</translation>
    </message>
    <message>
        <source>Unexpected response, choices field is missing</source>
        <translation>Unerwartete Antwort: Das Feld „choices“ fehlt</translation>
    </message>
    <message>
        <source>Unexpected response, message field is missing</source>
        <translation>Unerwartete Antwort: Das Feld „message“ fehlt</translation>
    </message>
    <message>
        <source>Unexpected response, role or content field is missing</source>
        <translation>Unerwartete Antwort: Das Feld „role“ oder „content“ fehlt</translation>
    </message>
    <message>
        <source>Unexpected response, content field is missing</source>
        <translation>Unerwartete Antwort: Das Feld „content“ fehlt</translation>
    </message>
    <message>
        <source>Unexpected response, candidates field is missing</source>
        <translation>Unerwartete Antwort: Das Feld „candidates“ fehlt</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Parlonex</source>
        <translation>Parlonex</translation>
    </message>
    <message>
        <source>Table View</source>
        <translation>Tabellenansicht</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Recent Opened</source>
        <translation>Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Translate</source>
        <translation>Übe&amp;rsetzen</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>toolBar</source>
        <translation>Werkzeugleiste</translation>
    </message>
    <message>
        <source>Open translation files...</source>
        <translation>Übersetzungsdateien öffnen...</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>Import Apple i18n root directory...</source>
        <translation>Apple-i18n-Stammverzeichnis importieren...</translation>
    </message>
    <message>
        <source>Ctrl+Alt+A</source>
        <translation>Ctrl+Alt+A</translation>
    </message>
    <message>
        <source>Import Qt TS files directory...</source>
        <translation>Verzeichnis mit Qt-TS-Dateien importieren...</translation>
    </message>
    <message>
        <source>Ctrl+Alt+Q</source>
        <translation>Ctrl+Alt+Q</translation>
    </message>
    <message>
        <source>Import GNU PO files directory...</source>
        <translation>Verzeichnis mit GNU-PO-Dateien importieren...</translation>
    </message>
    <message>
        <source>Ctrl+Alt+G</source>
        <translation>Ctrl+Alt+G</translation>
    </message>
    <message>
        <source>Import Common JSON files directory...</source>
        <translation>Verzeichnis mit JSON-Dateien importieren...</translation>
    </message>
    <message>
        <source>Ctrl+Alt+J</source>
        <translation>Ctrl+Alt+J</translation>
    </message>
    <message>
        <source>Export To Directory</source>
        <translation>In Verzeichnis exportieren</translation>
    </message>
    <message>
        <source>Ctrl+E</source>
        <translation>Ctrl+E</translation>
    </message>
    <message>
        <source>Clear history</source>
        <translation>Verlauf löschen</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Alt+X</source>
        <translation>Alt+X</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Ausschneiden</translation>
    </message>
    <message>
        <source>Ctrl+X</source>
        <translation>Ctrl+X</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Ctrl+C</source>
        <translation>Ctrl+C</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>E&amp;infügen</translation>
    </message>
    <message>
        <source>Ctrl+V</source>
        <translation>Ctrl+V</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Del</source>
        <translation>Del</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alles auswählen</translation>
    </message>
    <message>
        <source>Ctrl+A</source>
        <translation>Ctrl+A</translation>
    </message>
    <message>
        <source>Preferences...</source>
        <translation>Einstellungen...</translation>
    </message>
    <message>
        <source>Translate Current Cell</source>
        <translation>Aktuelle Zelle übersetzen</translation>
    </message>
    <message>
        <source>Ctrl+T</source>
        <translation>Ctrl+T</translation>
    </message>
    <message>
        <source>Translate Selected Cells</source>
        <translation>Ausgewählte Zellen übersetzen</translation>
    </message>
    <message>
        <source>Translate Selected Empty Cells</source>
        <translation>Ausgewählte leere Zellen übersetzen</translation>
    </message>
    <message>
        <source>Translate Current Row</source>
        <translation>Aktuelle Zeile übersetzen</translation>
    </message>
    <message>
        <source>Ctrl+Shift+T</source>
        <translation>Ctrl+Shift+T</translation>
    </message>
    <message>
        <source>Translate Empty Cells In Current Row</source>
        <translation>Leere Zellen der aktuellen Zeile übersetzen</translation>
    </message>
    <message>
        <source>Translate Current Column</source>
        <translation>Aktuelle Spalte übersetzen</translation>
    </message>
    <message>
        <source>Ctrl+Alt+T</source>
        <translation>Ctrl+Alt+T</translation>
    </message>
    <message>
        <source>Translate Empty Cells In Current Column</source>
        <translation>Leere Zellen der aktuellen Spalte übersetzen</translation>
    </message>
    <message>
        <source>Translate All</source>
        <translation>Alles übersetzen</translation>
    </message>
    <message>
        <source>Ctrl+Alt+Shift+T</source>
        <translation>Ctrl+Alt+Shift+T</translation>
    </message>
    <message>
        <source>Translate All Empty Cells</source>
        <translation>Alle leeren Zellen übersetzen</translation>
    </message>
    <message>
        <source>Convert from zh_CN to zh_TW</source>
        <translation>Von zh_CN nach zh_TW umwandeln</translation>
    </message>
    <message>
        <source>Convert from zh_CN to zh_HK</source>
        <translation>Von zh_CN nach zh_HK umwandeln</translation>
    </message>
    <message>
        <source>Convert from zh_TW to zh_CN</source>
        <translation>Von zh_TW nach zh_CN umwandeln</translation>
    </message>
    <message>
        <source>Convert from zh_HK to zh_CN</source>
        <translation>Von zh_HK nach zh_CN umwandeln</translation>
    </message>
    <message>
        <source>All Cells In Current Row Copy Source Text</source>
        <translation>Quelltext in alle Zellen der aktuellen Zeile kopieren</translation>
    </message>
    <message>
        <source>All Cells In Current Column Copy Source Text</source>
        <translation>Quelltext in alle Zellen der aktuellen Spalte kopieren</translation>
    </message>
    <message>
        <source>All Cells In Current Row Copy Text From Row...</source>
        <translation>Text einer anderen Zeile in alle Zellen der aktuellen Zeile kopieren...</translation>
    </message>
    <message>
        <source>All Cells In Current Column Copy Text From Column...</source>
        <translation>Text einer anderen Spalte in alle Zellen der aktuellen Spalte kopieren...</translation>
    </message>
    <message>
        <source>Use Current Column As Source</source>
        <translation>Aktuelle Spalte als Quelle verwenden</translation>
    </message>
    <message>
        <source>User Manual...</source>
        <translation>Benutzerhandbuch...</translation>
    </message>
    <message>
        <source>F1</source>
        <translation>F1</translation>
    </message>
    <message>
        <source>Homepage...</source>
        <translation>Website...</translation>
    </message>
    <message>
        <source>About...</source>
        <translation>Über...</translation>
    </message>
    <message>
        <source>Stop Translating</source>
        <translation>Übersetzung anhalten</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Bestätigen</translation>
    </message>
    <message>
        <source>Do you want to quit the application?</source>
        <translation>Möchten Sie die Anwendung beenden?</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Please configure the LLM service first.</source>
        <translation>Bitte richten Sie zuerst den LLM-Dienst ein.</translation>
    </message>
    <message>
        <source>Open Translation Files</source>
        <translation>Übersetzungsdateien öffnen</translation>
    </message>
    <message>
        <source>All Supported Files (*.strings *.xcstrings *.ts *.po *.json);;Apple Strings Files (*.strings *.xcstrings);;Qt TS Files (*.ts);;GNU Po Files (*.po);;Common JSON Files (*.json)</source>
        <translation>Alle unterstützten Dateien (*.strings *.xcstrings *.ts *.po *.json);;Apple-Strings-Dateien (*.strings *.xcstrings);;Qt-TS-Dateien (*.ts);;GNU-PO-Dateien (*.po);;JSON-Dateien (*.json)</translation>
    </message>
    <message>
        <source>All files must have the same type.</source>
        <translation>Alle Dateien müssen vom selben Typ sein.</translation>
    </message>
    <message>
        <source>Find directory contains Apple .lproj directories</source>
        <translation>Verzeichnis mit Apple-.lproj-Verzeichnissen auswählen</translation>
    </message>
    <message>
        <source>Find directory contains Qt .ts files</source>
        <translation>Verzeichnis mit Qt-.ts-Dateien auswählen</translation>
    </message>
    <message>
        <source>Find directory contains GNU .po files</source>
        <translation>Verzeichnis mit GNU-.po-Dateien auswählen</translation>
    </message>
    <message>
        <source>Find directory contains common .json files</source>
        <translation>Verzeichnis mit .json-Dateien auswählen</translation>
    </message>
    <message>
        <source>Notice</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>Exported to %1 successfully</source>
        <translation>Erfolgreich nach %1 exportiert</translation>
    </message>
    <message>
        <source>Exporting to %1 failed</source>
        <translation>Export nach %1 fehlgeschlagen</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>Erfolg</translation>
    </message>
    <message>
        <source>Saving to file %1 successfully.</source>
        <translation>Die Datei %1 wurde erfolgreich gespeichert.</translation>
    </message>
    <message>
        <source>Failed to save to file %1.</source>
        <translation>Die Datei %1 konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>%1 does not exist.</source>
        <translation>%1 ist nicht vorhanden.</translation>
    </message>
    <message>
        <source>No translations found in %1.</source>
        <translation>In %1 wurden keine Übersetzungen gefunden.</translation>
    </message>
    <message>
        <source>Could not read %1.</source>
        <translation>%1 konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>Do you want to delete these cells&apos; value?</source>
        <translation>Möchten Sie den Inhalt dieser Zellen löschen?</translation>
    </message>
    <message>
        <source>Current column is the source column</source>
        <translation>Die aktuelle Spalte ist die Quellspalte</translation>
    </message>
    <message>
        <source>The source column and the target column are identical.</source>
        <translation>Quell- und Zielspalte sind identisch.</translation>
    </message>
    <message numerus="yes">
        <source>Overwrite %n translated cells?</source>
        <translation>
            <numerusform>%n übersetzte Zelle überschreiben?</numerusform>
            <numerusform>%n übersetzte Zellen überschreiben?</numerusform>
        </translation>
    </message>
    <message>
        <source>Overwrite</source>
        <translation>Überschreiben</translation>
    </message>
    <message>
        <source>Only Empty Cells</source>
        <translation>Nur leere Zellen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Can&apos;t find %1 column</source>
        <translation>Spalte %1 nicht gefunden</translation>
    </message>
    <message>
        <source>Can&apos;t find column with name %1</source>
        <translation>Keine Spalte mit dem Namen %1 gefunden</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Translate[Default Prompt]</source>
        <translation>Übersetzen [Standard-Prompt]</translation>
    </message>
    <message>
        <source>Translate[Preset Prompts]</source>
        <translation>Übersetzen [Vorlagen-Prompts]</translation>
    </message>
    <message>
        <source>Copy Source</source>
        <translation>Quelltext kopieren</translation>
    </message>
    <message>
        <source>Copy %1</source>
        <translation>%1 kopieren</translation>
    </message>
    <message>
        <source>Convert From %1</source>
        <translation>Aus %1 umwandeln</translation>
    </message>
    <message>
        <source>Translate All Cells In This Column</source>
        <translation>Alle Zellen dieser Spalte übersetzen</translation>
    </message>
    <message>
        <source>Translate All Cells In This Row</source>
        <translation>Alle Zellen dieser Zeile übersetzen</translation>
    </message>
    <message>
        <source>Translate All Empty Cells In This Column</source>
        <translation>Alle leeren Zellen dieser Spalte übersetzen</translation>
    </message>
    <message>
        <source>Translate All Empty Cells In This Row</source>
        <translation>Alle leeren Zellen dieser Zeile übersetzen</translation>
    </message>
    <message>
        <source>All Cells In This Column Copy Source Text</source>
        <translation>Quelltext in alle Zellen dieser Spalte kopieren</translation>
    </message>
    <message>
        <source>All Cells In This Row Copy Source Text</source>
        <translation>Quelltext in alle Zellen dieser Zeile kopieren</translation>
    </message>
    <message>
        <source>All Cells In This Column Copy From Column...</source>
        <translation>Text einer anderen Spalte in alle Zellen dieser Spalte kopieren...</translation>
    </message>
    <message>
        <source>All Cells In This Row Copy From Row...</source>
        <translation>Text einer anderen Zeile in alle Zellen dieser Zeile kopieren...</translation>
    </message>
    <message>
        <source>Use This Column As Source</source>
        <translation>Diese Spalte als Quelle verwenden</translation>
    </message>
    <message>
        <source>Mark All Cells In This Column As Finished</source>
        <translation>Alle Zellen dieser Spalte als fertig markieren</translation>
    </message>
    <message>
        <source>Mark All Cells In This Column As Unfinished</source>
        <translation>Alle Zellen dieser Spalte als unfertig markieren</translation>
    </message>
    <message>
        <source>Mark All Cells In This Row As Finished</source>
        <translation>Alle Zellen dieser Zeile als fertig markieren</translation>
    </message>
    <message>
        <source>Mark All Cells In This Row As Unfinished</source>
        <translation>Alle Zellen dieser Zeile als unfertig markieren</translation>
    </message>
    <message>
        <source>Mark This Cell As Finished</source>
        <translation>Diese Zelle als fertig markieren</translation>
    </message>
    <message>
        <source>Mark This Cell As Unfinished</source>
        <translation>Diese Zelle als unfertig markieren</translation>
    </message>
    <message>
        <source>Save Current Column To File</source>
        <translation>Aktuelle Spalte in Datei speichern</translation>
    </message>
    <message>
        <source>Check Placeholders</source>
        <translation>Platzhalter prüfen</translation>
    </message>
    <message>
        <source>Mark the cells whose placeholders, tags, accelerators or line breaks differ from their source</source>
        <translation>Die Zellen markieren, deren Platzhalter, Tags, Tastenkürzel oder Zeilenumbrüche vom Ausgangstext abweichen</translation>
    </message>
    <message>
        <source>Translation stopped: another set was opened.</source>
        <translation>Übersetzung angehalten: Ein anderer Satz wurde geöffnet.</translation>
    </message>
    <message>
        <source>Every translation keeps the placeholders, tags, accelerators and line breaks of its source.</source>
        <translation>Jede Übersetzung behält die Platzhalter, Tags, Tastenkürzel und Zeilenumbrüche ihres Ausgangstexts.</translation>
    </message>
    <message numerus="yes">
        <source>%n cell(s) lose or add placeholders, tags, accelerators or line breaks. They are marked; their tool tips say what differs.</source>
        <translation>
            <numerusform>%n Zelle verliert Platzhalter, Tags, Tastenkürzel oder Zeilenumbrüche oder fügt welche hinzu. Sie ist markiert; ihr Tooltip nennt den Unterschied.</numerusform>
            <numerusform>%n Zellen verlieren Platzhalter, Tags, Tastenkürzel oder Zeilenumbrüche oder fügen welche hinzu. Sie sind markiert; ihre Tooltips nennen die Unterschiede.</numerusform>
        </translation>
    </message>
    <message>
        <source>Some files of %1 could not be read completely.</source>
        <translation>Einige Dateien von %1 konnten nicht vollständig gelesen werden.</translation>
    </message>
    <message>
        <source>Open translation files (Ctrl+O) or import a folder</source>
        <translation>Übersetzungsdateien öffnen (Strg+O) oder einen Ordner importieren</translation>
    </message>
    <message>
        <source>Alt+1</source>
        <translation>Alt+1</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>Ctrl+Z</source>
        <translation>Ctrl+Z</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>Ctrl+Shift+Z</source>
        <translation>Ctrl+Shift+Z</translation>
    </message>
    <message>
        <source>Find and Filter</source>
        <translation>Suchen und filtern</translation>
    </message>
    <message>
        <source>Ctrl+F</source>
        <translation>Ctrl+F</translation>
    </message>
    <message>
        <source>Find Next</source>
        <translation>Weitersuchen</translation>
    </message>
    <message>
        <source>F3</source>
        <translation>F3</translation>
    </message>
    <message>
        <source>Find Previous</source>
        <translation>Rückwärts suchen</translation>
    </message>
    <message>
        <source>Shift+F3</source>
        <translation>Shift+F3</translation>
    </message>
    <message>
        <source>Next Untranslated</source>
        <translation>Nächste unübersetzte Zelle</translation>
    </message>
    <message>
        <source>Ctrl+J</source>
        <translation>Ctrl+J</translation>
    </message>
    <message>
        <source>Detail Pane</source>
        <translation>Detailbereich</translation>
    </message>
    <message>
        <source>No cell holds &quot;%1&quot;.</source>
        <translation>Keine Zelle enthält „%1“.</translation>
    </message>
    <message>
        <source>No cell of %1 is empty or unfinished.</source>
        <translation>Keine Zelle von %1 ist leer oder unfertig.</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>&amp;Rückgängig: %1</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>&amp;Wiederherstellen: %1</translation>
    </message>
    <message>
        <source>Unexported Changes</source>
        <translation>Nicht exportierte Änderungen</translation>
    </message>
    <message>
        <source>The translations in %1 have changes that are not exported.</source>
        <translation>Die Übersetzungen in %1 haben Änderungen, die nicht exportiert sind.</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Verwerfen</translation>
    </message>
    <message>
        <source>Drop one folder, or translation files of one type.</source>
        <translation>Legen Sie einen Ordner oder Übersetzungsdateien eines Typs ab.</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %Ln rows</source>
        <translation>
            <numerusform>%1 von %Ln Zeile</numerusform>
            <numerusform>%1 von %Ln Zeilen</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>The current column&apos;s language and how much of it is translated</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1 in %2 from %3</source>
        <extracomment>&quot;2,066 messages in 28 languages from /home/me/app/translations&quot;</extracomment>
        <translation>%1 in %2 aus %3</translation>
    </message>
    <message numerus="yes">
        <source>%Ln messages</source>
        <translation>
            <numerusform>%Ln Meldung</numerusform>
            <numerusform>%Ln Meldungen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln languages</source>
        <translation>
            <numerusform>%Ln Sprache</numerusform>
            <numerusform>%Ln Sprachen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 / %Ln cells, %2 failed, next request in %3 s</source>
        <translation>
            <numerusform>%1 / %Ln Zelle, %2 fehlgeschlagen, nächste Anfrage in %3 s</numerusform>
            <numerusform>%1 / %Ln Zellen, %2 fehlgeschlagen, nächste Anfrage in %3 s</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 / %Ln cells, %2 failed</source>
        <translation>
            <numerusform>%1 / %Ln Zelle, %2 fehlgeschlagen</numerusform>
            <numerusform>%1 / %Ln Zellen, %2 fehlgeschlagen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>NetworkReplyHelper</name>
    <message>
        <source>The response is too large.</source>
        <translation>Die Antwort ist zu groß.</translation>
    </message>
</context>
<context>
    <name>OutputTextDialog</name>
    <message>
        <source>Output</source>
        <translation>Ausgabe</translation>
    </message>
</context>
<context>
    <name>PlaceholderCheck</name>
    <message>
        <source>Missing: %1</source>
        <translation>Fehlt: %1</translation>
    </message>
    <message>
        <source>Not in the source: %1</source>
        <translation>Nicht im Ausgangstext: %1</translation>
    </message>
    <message>
        <source>The keyboard accelerator (&amp;) is missing</source>
        <translation>Das Tastenkürzel (&amp;) fehlt</translation>
    </message>
    <message>
        <source>A keyboard accelerator (&amp;) that is not in the source</source>
        <translation>Ein Tastenkürzel (&amp;), das nicht im Ausgangstext steht</translation>
    </message>
    <message>
        <source>The line breaks at the start differ from the source</source>
        <translation>Die Zeilenumbrüche am Anfang weichen vom Ausgangstext ab</translation>
    </message>
    <message>
        <source>The line breaks at the end differ from the source</source>
        <translation>Die Zeilenumbrüche am Ende weichen vom Ausgangstext ab</translation>
    </message>
</context>
<context>
    <name>PoWriter</name>
    <message>
        <source>the library could not write the catalogue</source>
        <translation>die Bibliothek konnte den Katalog nicht schreiben</translation>
    </message>
    <message>
        <source>the written catalogue was incomplete</source>
        <translation>der geschriebene Katalog war unvollständig</translation>
    </message>
    <message>
        <source>not a PO catalogue</source>
        <translation>kein PO-Katalog</translation>
    </message>
    <message>
        <source>The catalogue&apos;s character set %1 is not supported.</source>
        <translation>Der Zeichensatz %1 des Katalogs wird nicht unterstützt.</translation>
    </message>
    <message numerus="yes">
        <source>%n message(s) are not text in the catalogue&apos;s character set %1.</source>
        <translation>
            <numerusform>%n Meldung ist kein Text im Zeichensatz %1 des Katalogs.</numerusform>
            <numerusform>%n Meldungen sind kein Text im Zeichensatz %1 des Katalogs.</numerusform>
        </translation>
    </message>
    <message>
        <source>Not written: no catalogue of the language %1 holds the group %2, and there is no folder of that language to create it in.</source>
        <translation>Nicht geschrieben: Kein Katalog der Sprache %1 enthält die Gruppe %2, und es gibt keinen Ordner dieser Sprache, in dem er angelegt werden könnte.</translation>
    </message>
    <message>
        <source>The new catalogue could not be created.</source>
        <translation>Der neue Katalog konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>Not written: the translation of &quot;%1&quot; cannot be written in the catalogue&apos;s character set %2.</source>
        <translation>Nicht geschrieben: Die Übersetzung von „%1“ lässt sich im Zeichensatz %2 des Katalogs nicht schreiben.</translation>
    </message>
    <message numerus="yes">
        <source>%n translation(s) written as fuzzy, as gettext would reject them: %1</source>
        <translation>
            <numerusform>%n Übersetzung als „fuzzy“ geschrieben, da gettext sie ablehnen würde: %1</numerusform>
            <numerusform>%n Übersetzungen als „fuzzy“ geschrieben, da gettext sie ablehnen würde: %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PreferencesDialog</name>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>LLM</source>
        <translation>LLM</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Service</source>
        <translation>Dienst</translation>
    </message>
    <message>
        <source>API Url</source>
        <translation>API-URL</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Modell</translation>
    </message>
    <message>
        <source>Fetch the list of models from the service</source>
        <translation>Die Liste der Modelle vom Dienst abrufen</translation>
    </message>
    <message>
        <source>Fetch Models</source>
        <translation>Modelle abrufen</translation>
    </message>
    <message>
        <source>API Key</source>
        <translation>API-Schlüssel</translation>
    </message>
    <message>
        <source>&lt;a href=&quot;#&quot; style=&quot;color:#503a22; text-decoration:underline;&quot;&gt;Get API Key&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;#&quot; style=&quot;color:#503a22; text-decoration:underline;&quot;&gt;API-Schlüssel anfordern&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Add LLM model</source>
        <translation>LLM-Modell hinzufügen</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Remove the selected LLM model</source>
        <translation>Das ausgewählte LLM-Modell entfernen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Save modified LLM model</source>
        <translation>Geändertes LLM-Modell speichern</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Used</source>
        <translation>Verwendet</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Validate</source>
        <translation>Prüfen</translation>
    </message>
    <message>
        <source>Prompt</source>
        <translation>Prompt</translation>
    </message>
    <message>
        <source>System Prompt</source>
        <translation>System-Prompt</translation>
    </message>
    <message>
        <source>Assistant Prompt</source>
        <translation>Assistenten-Prompt</translation>
    </message>
    <message>
        <source>User Prompt</source>
        <translation>Benutzer-Prompt</translation>
    </message>
    <message>
        <source>Presets:</source>
        <translation>Vorlagen:</translation>
    </message>
    <message>
        <source>Fill default prompt</source>
        <translation>Standard-Prompt einsetzen</translation>
    </message>
    <message>
        <source>Use Preset</source>
        <translation>Vorlage verwenden</translation>
    </message>
    <message>
        <source>Add prompt</source>
        <translation>Prompt hinzufügen</translation>
    </message>
    <message>
        <source>Remove the selected prompt</source>
        <translation>Den ausgewählten Prompt entfernen</translation>
    </message>
    <message>
        <source>Save modified prompt</source>
        <translation>Geänderten Prompt speichern</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Testen</translation>
    </message>
    <message>
        <source>Translate</source>
        <translation>Übersetzen</translation>
    </message>
    <message>
        <source>Source Language</source>
        <translation>Quellsprache</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Country/Region</source>
        <translation>Land/Region</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Add LLM Configuration</source>
        <translation>LLM-Konfiguration hinzufügen</translation>
    </message>
    <message>
        <source>The LLM configuration name, API URL and API key cannot be empty.</source>
        <translation>Name, API-URL und API-Schlüssel der LLM-Konfiguration dürfen nicht leer sein.</translation>
    </message>
    <message>
        <source>The LLM configuration already exists.</source>
        <translation>Die LLM-Konfiguration ist bereits vorhanden.</translation>
    </message>
    <message>
        <source>Remove LLM Configuration</source>
        <translation>LLM-Konfiguration entfernen</translation>
    </message>
    <message>
        <source>Are you sure you want to remove this LLM configuration?
This operation cannot be undone.</source>
        <translation>Möchten Sie diese LLM-Konfiguration wirklich entfernen?
Dieser Vorgang kann nicht rückgängig gemacht werden.</translation>
    </message>
    <message>
        <source>Apply LLM Configuration</source>
        <translation>LLM-Konfiguration übernehmen</translation>
    </message>
    <message>
        <source>The LLM configuration has been modified. Are you sure you want to apply the LLM configuration?</source>
        <translation>Die LLM-Konfiguration wurde geändert. Möchten Sie die LLM-Konfiguration wirklich übernehmen?</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>The service gave no answer.</source>
        <translation>Der Dienst hat nicht geantwortet.</translation>
    </message>
    <message>
        <source>Validate LLM Service</source>
        <translation>LLM-Dienst prüfen</translation>
    </message>
    <message>
        <source>The API URL &quot;%1&quot; offers no model list.</source>
        <translation>Die API-URL „%1“ bietet keine Modellliste an.</translation>
    </message>
    <message>
        <source>The list of models could not be fetched: %1</source>
        <translation>Die Liste der Modelle konnte nicht abgerufen werden: %1</translation>
    </message>
    <message>
        <source>Apply Prompt</source>
        <translation>Prompt übernehmen</translation>
    </message>
    <message>
        <source>The prompt has been modified. Are you sure you want to apply the prompt?</source>
        <translation>Der Prompt wurde geändert. Möchten Sie den Prompt wirklich übernehmen?</translation>
    </message>
    <message>
        <source>Add Prompt</source>
        <translation>Prompt hinzufügen</translation>
    </message>
    <message>
        <source>The prompt name cannot be empty.</source>
        <translation>Der Name des Prompts darf nicht leer sein.</translation>
    </message>
    <message>
        <source>The prompt name already exists.</source>
        <translation>Ein Prompt mit diesem Namen ist bereits vorhanden.</translation>
    </message>
    <message>
        <source>Remove Prompt</source>
        <translation>Prompt entfernen</translation>
    </message>
    <message>
        <source>Are you sure you want to remove this prompt?</source>
        <translation>Möchten Sie diesen Prompt wirklich entfernen?</translation>
    </message>
    <message>
        <source>Any Territory</source>
        <translation>Beliebiges Gebiet</translation>
    </message>
    <message>
        <source>Requests at a time</source>
        <translation>Gleichzeitige Anfragen</translation>
    </message>
    <message>
        <source>How many translation requests may be sent to the service at once</source>
        <translation>Wie viele Übersetzungsanfragen gleichzeitig an den Dienst gehen dürfen</translation>
    </message>
    <message>
        <source>Mark LLM translations for review</source>
        <translation>LLM-Übersetzungen zur Prüfung markieren</translation>
    </message>
    <message>
        <source>Cells filled by the LLM stay marked for review until you edit or confirm them</source>
        <translation>Von der LLM gefüllte Zellen bleiben zur Prüfung markiert, bis Sie sie bearbeiten oder bestätigen</translation>
    </message>
    <message>
        <source>Deployment name</source>
        <translation>Name der Bereitstellung</translation>
    </message>
    <message>
        <source>Show the API key in clear text</source>
        <translation>API-Schlüssel im Klartext anzeigen</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Unbekannt</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>The prompt has been modified. Are you sure you want to replace it with the preset %1?</source>
        <translation>Der Prompt wurde geändert. Möchten Sie ihn wirklich durch die Vorlage %1 ersetzen?</translation>
    </message>
</context>
<context>
    <name>QtTranslationModel</name>
    <message>
        <source>Original Text</source>
        <translation>Originaltext</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>Gruppe</translation>
    </message>
    <message>
        <source>The file name does not end in a language code, such as app_de.ts or app_pt_BR.ts.</source>
        <translation>Der Dateiname endet nicht auf einen Sprachcode wie bei app_de.ts oder app_pt_BR.ts.</translation>
    </message>
    <message>
        <source>No file of the language %1 (named like app_%1.ts) is in this folder.</source>
        <translation>In diesem Ordner liegt keine Datei der Sprache %1 (benannt wie app_%1.ts).</translation>
    </message>
</context>
<context>
    <name>ServiceCatalog</name>
    <message>
        <source>The model list is not a JSON object: %1</source>
        <translation>Die Modellliste ist kein JSON-Objekt: %1</translation>
    </message>
    <message>
        <source>unexpected document</source>
        <translation>unerwartetes Dokument</translation>
    </message>
    <message>
        <source>The service listed no models.</source>
        <translation>Der Dienst hat keine Modelle aufgeführt.</translation>
    </message>
</context>
<context>
    <name>SourceModel</name>
    <message>
        <source>Group</source>
        <translation>Gruppe</translation>
    </message>
    <message>
        <source>%1 [%2]</source>
        <comment>message ID [context]</comment>
        <translation>%1 [%2]</translation>
    </message>
</context>
<context>
    <name>StringsParser</name>
    <message>
        <source>missing &apos;}&apos;</source>
        <translation>&apos;}&apos; fehlt</translation>
    </message>
    <message>
        <source>text after the closing &apos;}&apos;</source>
        <translation>Text nach der schließenden &apos;}&apos;</translation>
    </message>
    <message>
        <source>unterminated comment</source>
        <translation>nicht abgeschlossener Kommentar</translation>
    </message>
    <message>
        <source>unexpected end of file</source>
        <translation>unerwartetes Dateiende</translation>
    </message>
    <message>
        <source>unterminated quoted string</source>
        <translation>nicht abgeschlossene Zeichenkette in Anführungszeichen</translation>
    </message>
    <message>
        <source>unexpected character &apos;%1&apos;</source>
        <translation>unerwartetes Zeichen &apos;%1&apos;</translation>
    </message>
    <message>
        <source>expected &apos;=&apos; after &quot;%1&quot;</source>
        <translation>&apos;=&apos; nach „%1“ erwartet</translation>
    </message>
    <message>
        <source>missing &apos;;&apos; after &quot;%1&quot;</source>
        <translation>&apos;;&apos; fehlt nach „%1“</translation>
    </message>
    <message>
        <source>not a text in its encoding</source>
        <translation>kein Text in seiner Kodierung</translation>
    </message>
    <message>
        <source>Syntax error: %1</source>
        <translation>Syntaxfehler: %1</translation>
    </message>
</context>
<context>
    <name>TranslationAnswer</name>
    <message>
        <source>Invalid JSON document, row count mismatch</source>
        <translation>Ungültiges JSON-Dokument: Die Anzahl der Zeilen stimmt nicht überein</translation>
    </message>
    <message>
        <source>Invalid JSON document</source>
        <translation>Ungültiges JSON-Dokument</translation>
    </message>
</context>
<context>
    <name>TranslationModel</name>
    <message>
        <source>Not written: there is no folder for the language %1.</source>
        <translation>Nicht geschrieben: Es gibt keinen Ordner für die Sprache %1.</translation>
    </message>
    <message>
        <source>there is no such folder</source>
        <translation>diesen Ordner gibt es nicht</translation>
    </message>
    <message>
        <source>Edit Cell</source>
        <translation>Zelle bearbeiten</translation>
    </message>
    <message>
        <source>Edit Cells</source>
        <translation>Zellen bearbeiten</translation>
    </message>
    <message>
        <source>Mark Cell</source>
        <translation>Zelle markieren</translation>
    </message>
    <message numerus="yes">
        <source>%L1 of %Ln translated</source>
        <translation>
            <numerusform>%L1 von %Ln übersetzt</numerusform>
            <numerusform>%L1 von %Ln übersetzt</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %Ln unfinished</source>
        <translation>
            <numerusform>, %Ln unfertig</numerusform>
            <numerusform>, %Ln unfertig</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TranslationQueue</name>
    <message>
        <source>Translating...</source>
        <translation>Wird übersetzt...</translation>
    </message>
    <message>
        <source>No cell has been translated.</source>
        <translation>Es wurde keine Zelle übersetzt.</translation>
    </message>
    <message>
        <source>Translation stopped.</source>
        <translation>Übersetzung angehalten.</translation>
    </message>
    <message numerus="yes">
        <source>%Ln cell(s) translated, %1 failed, %2 tokens</source>
        <translation>
            <numerusform>%Ln Zelle übersetzt, %1 fehlgeschlagen, %2 Tokens</numerusform>
            <numerusform>%Ln Zellen übersetzt, %1 fehlgeschlagen, %2 Tokens</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln cell(s) translated, %1 failed</source>
        <translation>
            <numerusform>%Ln Zelle übersetzt, %1 fehlgeschlagen</numerusform>
            <numerusform>%Ln Zellen übersetzt, %1 fehlgeschlagen</numerusform>
        </translation>
    </message>
    <message>
        <source>The answer was cut off at the service&apos;s output limit.</source>
        <translation>Die Antwort wurde an der Ausgabegrenze des Dienstes abgeschnitten.</translation>
    </message>
    <message>
        <source>The service gave no translation for this text.</source>
        <translation>Der Dienst hat für diesen Text keine Übersetzung geliefert.</translation>
    </message>
    <message>
        <source>Not translated: %1</source>
        <translation>Nicht übersetzt: %1</translation>
    </message>
    <message>
        <source>Translation stopped: %1</source>
        <translation>Übersetzung angehalten: %1</translation>
    </message>
    <message>
        <source>Translate Cell %1</source>
        <translation>Zelle in %1 übersetzen</translation>
    </message>
    <message>
        <source>Translate Column %1</source>
        <translation>Spalte %1 übersetzen</translation>
    </message>
    <message>
        <source>Translate Row %1</source>
        <translation>Zeile %1 übersetzen</translation>
    </message>
    <message numerus="yes">
        <source>Totally %n cell(s) has/have been translated.</source>
        <translation>
            <numerusform>Insgesamt wurde %n Zelle übersetzt.</numerusform>
            <numerusform>Insgesamt wurden %n Zellen übersetzt.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n job(s) in a row failed: %1</source>
        <translation>
            <numerusform>%n Auftrag in Folge fehlgeschlagen: %1</numerusform>
            <numerusform>%n Aufträge in Folge fehlgeschlagen: %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TsFile</name>
    <message>
        <source>The file&apos;s encoding %1 is not supported.</source>
        <translation>Die Kodierung %1 der Datei wird nicht unterstützt.</translation>
    </message>
    <message>
        <source>The file is not a text in its encoding.</source>
        <translation>Die Datei ist kein Text in ihrer Kodierung.</translation>
    </message>
    <message>
        <source>The file is not well-formed XML: %1.</source>
        <translation>Die Datei ist kein wohlgeformtes XML: %1.</translation>
    </message>
</context>
<context>
    <name>WebView2Widget</name>
    <message>
        <source>This page opens in your web browser:</source>
        <translation>Diese Seite öffnet sich in Ihrem Webbrowser:</translation>
    </message>
</context>
<context>
    <name>XmlScanner</name>
    <message>
        <source>the character U+%1 is not allowed in XML</source>
        <translation>das Zeichen U+%1 ist in XML nicht erlaubt</translation>
    </message>
    <message>
        <source>a malformed reference starting with &apos;&amp;&apos;</source>
        <translation>ein fehlerhafter Verweis, der mit &apos;&amp;&apos; beginnt</translation>
    </message>
    <message>
        <source>text outside the root element</source>
        <translation>Text außerhalb des Wurzelelements</translation>
    </message>
    <message>
        <source>a comment without its end</source>
        <translation>ein Kommentar ohne Ende</translation>
    </message>
    <message>
        <source>a processing instruction without its end</source>
        <translation>eine Verarbeitungsanweisung ohne Ende</translation>
    </message>
    <message>
        <source>a misplaced or unfinished CDATA section</source>
        <translation>ein falsch platzierter oder unvollständiger CDATA-Abschnitt</translation>
    </message>
    <message>
        <source>a misplaced or unfinished document type</source>
        <translation>eine falsch platzierte oder unvollständige Dokumenttypdeklaration</translation>
    </message>
    <message>
        <source>a malformed tag</source>
        <translation>ein fehlerhaftes Tag</translation>
    </message>
    <message>
        <source>the file ends before &lt;/%1&gt;</source>
        <translation>die Datei endet vor &lt;/%1&gt;</translation>
    </message>
    <message>
        <source>the file holds no XML element</source>
        <translation>die Datei enthält kein XML-Element</translation>
    </message>
    <message>
        <source>a second root element</source>
        <translation>ein zweites Wurzelelement</translation>
    </message>
    <message>
        <source>&lt;/%1&gt; does not close the open element</source>
        <translation>&lt;/%1&gt; schließt nicht das offene Element</translation>
    </message>
</context>
</TS>
