<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>cfx</name>
    <message>
        <source>Open Folder</source>
        <translation>Ordner öffnen</translation>
    </message>
    <message>
        <source>Written: %1 and %2 in %3</source>
        <translation>Geschrieben: %1 und %2 in %3</translation>
    </message>
    <message>
        <source>The report was written to &quot;%1&quot;, but no program could open it: this desktop has no application set up for Word documents (.docx).</source>
        <translation>Der Bericht wurde in „%1“ geschrieben, aber kein Programm konnte ihn öffnen: Auf diesem Desktop ist keine Anwendung für Word-Dokumente (.docx) eingerichtet.</translation>
    </message>
    <message>
        <source>The report could not be written into &quot;%1&quot;: %2</source>
        <translation>Der Bericht konnte nicht in „%1“ geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Nothing could open the folder &quot;%1&quot;: this desktop has no file manager set up for folders. The files are there.</source>
        <translation>Der Ordner „%1“ konnte nicht geöffnet werden: Auf diesem Desktop ist keine Dateiverwaltung für Ordner eingerichtet. Die Dateien liegen dort.</translation>
    </message>
</context>
<context>
    <name>cfx::Application</name>
    <message>
        <source>Chronofex - Report</source>
        <translation>Chronofex - Bericht</translation>
    </message>
    <message>
        <source>The report already holds %1 readings, the most it can keep. Write it to a text file to start a new one; this reading was not added.</source>
        <translation>Der Bericht enthält bereits %1 Messwerte, mehr kann er nicht aufnehmen. Schreiben Sie ihn in eine Textdatei, um einen neuen zu beginnen; dieser Messwert wurde nicht aufgenommen.</translation>
    </message>
    <message>
        <source>Chronofex</source>
        <translation>Chronofex</translation>
    </message>
    <message>
        <source>Snap %1, %2</source>
        <translation>Messung %1, %2</translation>
    </message>
</context>
<context>
    <name>cfx::CommentDialog</name>
    <message>
        <source>Comment</source>
        <translation>Kommentar</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>cfx::DisplayPanel</name>
    <message>
        <source>Display</source>
        <translation>Anzeige</translation>
    </message>
</context>
<context>
    <name>cfx::GapChart</name>
    <message>
        <source>Gap chart</source>
        <translation>Abstandsdiagramm</translation>
    </message>
    <message numerus="yes">
        <source>%n gaps</source>
        <translation>
            <numerusform>%n Abstand</numerusform>
            <numerusform>%n Abstände</numerusform>
        </translation>
    </message>
    <message>
        <source>No readings</source>
        <translation>Keine Messwerte</translation>
    </message>
    <message>
        <source>Average</source>
        <translation>Durchschnitt</translation>
    </message>
    <message>
        <source>Gaps between readings</source>
        <translation>Abstände zwischen den Messwerten</translation>
    </message>
    <message>
        <source>The file could not be written.</source>
        <translation>Die Datei konnte nicht geschrieben werden.</translation>
    </message>
</context>
<context>
    <name>cfx::HelpWindow</name>
    <message>
        <source>Chronofex - Help</source>
        <translation>Chronofex - Hilfe</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Back to the page before (Alt+Left)</source>
        <translation>Zurück zur vorigen Seite (Alt+Links)</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Vor</translation>
    </message>
    <message>
        <source>Forward again (Alt+Right)</source>
        <translation>Wieder vorwärts (Alt+Rechts)</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Inhalt</translation>
    </message>
    <message>
        <source>The handbook&apos;s contents</source>
        <translation>Inhalt des Handbuchs</translation>
    </message>
    <message>
        <source>Handbook page</source>
        <translation>Handbuchseite</translation>
    </message>
    <message>
        <source>Chronofex - Help - %1</source>
        <translation>Chronofex - Hilfe - %1</translation>
    </message>
</context>
<context>
    <name>cfx::HotkeyDialog</name>
    <message>
        <source>Start/Stop</source>
        <translation>Start/Stopp</translation>
    </message>
    <message>
        <source>Snap</source>
        <translation>Messen</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menü</translation>
    </message>
    <message>
        <source>Chronofex - Hotkeys</source>
        <translation>Chronofex - Tastenkürzel</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Aktiv</translation>
    </message>
    <message>
        <source>%1 hotkey enabled</source>
        <translation>Tastenkürzel %1 aktiv</translation>
    </message>
    <message>
        <source>%1 hotkey</source>
        <translation>Tastenkürzel %1</translation>
    </message>
    <message>
        <source>%1 hotkey: %2</source>
        <translation>Tastenkürzel %1: %2</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Enable All</source>
        <translation>Alle aktivieren</translation>
    </message>
    <message>
        <source>Disable All</source>
        <translation>Alle deaktivieren</translation>
    </message>
    <message>
        <source>That key depends on the keyboard layout and cannot be a hotkey.</source>
        <translation>Diese Taste hängt von der Tastaturbelegung ab und kann kein Tastenkürzel sein.</translation>
    </message>
    <message>
        <source>%1 trigger of the desktop</source>
        <translation>Auslöser des Desktops für %1</translation>
    </message>
    <message>
        <source>This desktop does not let programs use global hotkeys. They are saved for X11 sessions.</source>
        <translation>Dieser Desktop erlaubt Programmen keine globalen Tastenkürzel. Sie werden für X11-Sitzungen gespeichert.</translation>
    </message>
    <message>
        <source>The desktop decides which keys work the hotkeys; the boxes hold the keys it is asked for.</source>
        <translation>Der Desktop entscheidet, welche Tasten die Tastenkürzel auslösen; die Felder enthalten die erbetenen Tasten.</translation>
    </message>
    <message>
        <source>Desktop trigger: %1</source>
        <translation>Auslöser des Desktops: %1</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keiner</translation>
    </message>
</context>
<context>
    <name>cfx::LargeDisplay</name>
    <message>
        <source>Chronofex Display</source>
        <translation>Chronofex-Anzeige</translation>
    </message>
    <message>
        <source>Large stopwatch display</source>
        <translation>Große Stoppuhranzeige</translation>
    </message>
    <message>
        <source>Display frame</source>
        <translation>Rahmen der Anzeige</translation>
    </message>
    <message>
        <source>Hours, tens</source>
        <translation>Stunden, Zehner</translation>
    </message>
    <message>
        <source>Hours, units</source>
        <translation>Stunden, Einer</translation>
    </message>
    <message>
        <source>Minutes, tens</source>
        <translation>Minuten, Zehner</translation>
    </message>
    <message>
        <source>Minutes, units</source>
        <translation>Minuten, Einer</translation>
    </message>
    <message>
        <source>Seconds, tens</source>
        <translation>Sekunden, Zehner</translation>
    </message>
    <message>
        <source>Seconds, units</source>
        <translation>Sekunden, Einer</translation>
    </message>
    <message>
        <source>Sub-seconds, tens</source>
        <translation>Sekundenbruchteile, Zehner</translation>
    </message>
    <message>
        <source>Sub-seconds, units</source>
        <translation>Sekundenbruchteile, Einer</translation>
    </message>
    <message>
        <source>DisplayOptions</source>
        <translation>Anzeigeoptionen</translation>
    </message>
    <message>
        <source>Join with CFX Control Panel</source>
        <translation>An das CFX-Bedienfeld anhängen</translation>
    </message>
    <message>
        <source>Always onTop</source>
        <translation>Immer im Vordergrund</translation>
    </message>
    <message>
        <source>Display Transparency...</source>
        <translation>Transparenz der Anzeige...</translation>
    </message>
    <message>
        <source>Time %1</source>
        <translation>Zeit %1</translation>
    </message>
</context>
<context>
    <name>cfx::MainPanel</name>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>StopWatch Controls</source>
        <translation>Stoppuhr-Bedienung</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Start/Stop Timer
Shortcut: Space</source>
        <translation>Stoppuhr starten/anhalten
Taste: Leertaste</translation>
    </message>
    <message>
        <source>Snap</source>
        <translation>Messen</translation>
    </message>
    <message>
        <source>Record Time
Shortcut: Return</source>
        <translation>Zeit festhalten
Taste: Eingabetaste</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Reset Timer
Shortcut: F5</source>
        <translation>Stoppuhr zurücksetzen
Taste: F5</translation>
    </message>
    <message>
        <source>Events in 1 sec</source>
        <translation>Ereignisse pro s</translation>
    </message>
    <message>
        <source>Choose Timer&apos;s sub-second resolution</source>
        <translation>Auflösung unterhalb der Sekunde wählen</translation>
    </message>
    <message>
        <source>Resolution: apply</source>
        <translation>Auflösung: übernehmen</translation>
    </message>
    <message>
        <source>Set Timer&apos;s sub-second resolution</source>
        <translation>Auflösung unterhalb der Sekunde übernehmen</translation>
    </message>
    <message>
        <source>Display Type</source>
        <translation>Anzeigeart</translation>
    </message>
    <message>
        <source>LCD</source>
        <translation>LCD</translation>
    </message>
    <message>
        <source>Time Display looks like LCD panel</source>
        <translation>Die Zeitanzeige sieht aus wie eine LCD-Anzeige</translation>
    </message>
    <message>
        <source>LED </source>
        <translation>LED </translation>
    </message>
    <message>
        <source>LED</source>
        <translation>LED</translation>
    </message>
    <message>
        <source>Time Display looks like LED panel</source>
        <translation>Die Zeitanzeige sieht aus wie eine LED-Anzeige</translation>
    </message>
    <message>
        <source>Display Type indicator</source>
        <translation>Symbol der Anzeigeart</translation>
    </message>
    <message>
        <source>Attach Display</source>
        <translation>Anzeige anhängen</translation>
    </message>
    <message>
        <source>Attach/Free Timer Display</source>
        <translation>Zeitanzeige anhängen/lösen</translation>
    </message>
    <message>
        <source>Report</source>
        <translation>Bericht</translation>
    </message>
    <message>
        <source>Show/Hide Report</source>
        <translation>Bericht zeigen/verbergen</translation>
    </message>
    <message>
        <source>Snap flash and sound</source>
        <translation>Blitz und Ton beim Messen</translation>
    </message>
    <message>
        <source>Snap Flash/Sound - click to enable/disable</source>
        <translation>Blitz/Ton beim Messen - zum Ein-/Ausschalten klicken</translation>
    </message>
    <message>
        <source>Mouse response</source>
        <translation>Mausreaktion</translation>
    </message>
    <message>
        <source>Mouse Response - click to change</source>
        <translation>Mausreaktion - zum Ändern klicken</translation>
    </message>
    <message>
        <source>Options menu</source>
        <translation>Optionsmenü</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Time %1</source>
        <translation>Zeit %1</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Gestartet</translation>
    </message>
    <message>
        <source>Stopped, %1</source>
        <translation>Angehalten, %1</translation>
    </message>
</context>
<context>
    <name>cfx::MeasureWindow</name>
    <message>
        <source>Store</source>
        <translation>Merken</translation>
    </message>
    <message>
        <source>Remember result</source>
        <translation>Ergebnis merken</translation>
    </message>
    <message>
        <source>Fresh</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>New session</source>
        <translation>Neue Sitzung</translation>
    </message>
    <message>
        <source>TextFile</source>
        <translation>Textdatei</translation>
    </message>
    <message>
        <source>Word Report</source>
        <translation>Word-Bericht</translation>
    </message>
    <message>
        <source>Creates results report in MS Word</source>
        <translation>Erstellt einen Ergebnisbericht als Word-Dokument</translation>
    </message>
    <message>
        <source>Timing...</source>
        <translation>Messung...</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Angehalten</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Always on top</source>
        <translation>Immer im Vordergrund</translation>
    </message>
</context>
<context>
    <name>cfx::OpenFileDialog</name>
    <message>
        <source>File Unspecified</source>
        <translation>Keine Datei angegeben</translation>
    </message>
    <message>
        <source>Please select a File to Open</source>
        <translation>Bitte wählen Sie eine Datei zum Öffnen</translation>
    </message>
</context>
<context>
    <name>cfx::RateCommentDialog</name>
    <message>
        <source>Chronofex - Add Rate Comment</source>
        <translation>Chronofex - Kommentar zur Taktrate</translation>
    </message>
    <message>
        <source>Comment will be added to current Rate record, and saved:</source>
        <translation>Der Kommentar wird dem aktuellen Taktraten-Eintrag hinzugefügt und gespeichert:</translation>
    </message>
</context>
<context>
    <name>cfx::RateWindow</name>
    <message>
        <source>Rate</source>
        <translation>Taktrate</translation>
    </message>
    <message>
        <source>sec/c</source>
        <translation>s/Takt</translation>
    </message>
    <message>
        <source>c/min</source>
        <translation>Takte/min</translation>
    </message>
    <message>
        <source>Avg. rate of</source>
        <translation>Mittel über</translation>
    </message>
    <message>
        <source>Select number of cycles for rate measurement</source>
        <translation>Anzahl der Takte für die Messung wählen</translation>
    </message>
    <message>
        <source>Number of cycles</source>
        <translation>Anzahl der Takte</translation>
    </message>
    <message>
        <source>cycles</source>
        <translation>Takte</translation>
    </message>
    <message>
        <source>Start/Stop rate measurement</source>
        <translation>Taktmessung starten/anhalten</translation>
    </message>
    <message>
        <source>Creates files &apos;CFXRateResults&apos; &amp; &apos;CFXRateRawCSV&apos; in program directory</source>
        <translation>Erstellt die Dateien &apos;CFXRateResults&apos; und &apos;CFXRateRawCSV&apos; im Datenordner des Programms</translation>
    </message>
    <message>
        <source>%1 sec/c, %2 c/min</source>
        <translation>%1 s/Takt, %2 Takte/min</translation>
    </message>
</context>
<context>
    <name>cfx::ReadingsTableModel</name>
    <message>
        <source>excluded from the time calculations</source>
        <translation>aus den Zeitberechnungen ausgeschlossen</translation>
    </message>
    <message>
        <source>taken while the stopwatch was stopped</source>
        <translation>bei angehaltener Stoppuhr genommen</translation>
    </message>
    <message>
        <source>Gap</source>
        <translation>Abstand</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Kommentar</translation>
    </message>
</context>
<context>
    <name>cfx::ReportWindow</name>
    <message>
        <source>Chronofex - Report</source>
        <translation>Chronofex - Bericht</translation>
    </message>
    <message>
        <source>Record number</source>
        <translation>Eintragsnummer</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Kommentar</translation>
    </message>
    <message>
        <source>Enter comment to add in Report</source>
        <translation>Kommentar für den Bericht eingeben</translation>
    </message>
    <message>
        <source>Add Comment</source>
        <translation>Kommentar hinzufügen</translation>
    </message>
    <message>
        <source>Adds comment in adjacent textbox to result in Report</source>
        <translation>Fügt den Kommentar aus dem Textfeld daneben dem Messwert im Bericht hinzu</translation>
    </message>
    <message>
        <source>Select record</source>
        <translation>Eintrag wählen</translation>
    </message>
    <message>
        <source>Exclude</source>
        <translation>Ausschließen</translation>
    </message>
    <message>
        <source>this record in all Time calculations</source>
        <translation>diesen Eintrag aus allen Zeitberechnungen</translation>
    </message>
    <message>
        <source>Readings</source>
        <translation>Messwerte</translation>
    </message>
    <message>
        <source>Write to Text File &amp;&amp; Clear</source>
        <translation>In Textdatei schreiben &amp;&amp; leeren</translation>
    </message>
    <message>
        <source>Write to Text File &amp; Clear</source>
        <translation>In Textdatei schreiben &amp; leeren</translation>
    </message>
    <message>
        <source>Creates files &apos;CFXReport&apos; &amp; &apos;CFXRawCSV&apos; in program directory</source>
        <translation>Erstellt die Dateien &apos;CFXReport&apos; und &apos;CFXRawCSV&apos; im Datenordner des Programms</translation>
    </message>
    <message>
        <source>Make Word Report</source>
        <translation>Word-Bericht erstellen</translation>
    </message>
    <message>
        <source>Creates results report in MS Word</source>
        <translation>Erstellt einen Ergebnisbericht als Word-Dokument</translation>
    </message>
    <message>
        <source>Include</source>
        <translation>Einbeziehen</translation>
    </message>
    <message>
        <source>Show gap chart</source>
        <translation>Abstandsdiagramm zeigen</translation>
    </message>
    <message>
        <source>Save Chart...</source>
        <translation>Diagramm speichern...</translation>
    </message>
    <message>
        <source>Save Chart</source>
        <translation>Diagramm speichern</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Ordner öffnen</translation>
    </message>
    <message>
        <source>No readings</source>
        <translation>Keine Messwerte</translation>
    </message>
    <message>
        <source>Included: %1   Average: %2   Median: %3
Longest: %4   Shortest: %5
Standard deviation: %6</source>
        <translation>Berücksichtigt: %1   Durchschnitt: %2   Median: %3
Längster: %4   Kürzester: %5
Standardabweichung: %6</translation>
    </message>
    <message>
        <source>Chronofex Gaps.png</source>
        <translation>Chronofex Abstände.png</translation>
    </message>
    <message>
        <source>PNG image (*.png);;SVG image (*.svg)</source>
        <translation>PNG-Bild (*.png);;SVG-Bild (*.svg)</translation>
    </message>
    <message>
        <source>The chart could not be saved to &quot;%1&quot;.
%2</source>
        <translation>Das Diagramm konnte nicht unter „%1“ gespeichert werden.
%2</translation>
    </message>
    <message>
        <source>Written: %1 in %2</source>
        <translation>Geschrieben: %1 in %2</translation>
    </message>
    <message>
        <source> and </source>
        <translation> und </translation>
    </message>
    <message>
        <source>Record %1 included</source>
        <translation>Eintrag %1 einbezogen</translation>
    </message>
    <message>
        <source>Record %1 excluded</source>
        <translation>Eintrag %1 ausgeschlossen</translation>
    </message>
    <message>
        <source>Comment added to record %1</source>
        <translation>Kommentar zu Eintrag %1 hinzugefügt</translation>
    </message>
    <message>
        <source>Not Applicable</source>
        <translation>Nicht anwendbar</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Copy All</source>
        <translation>Alles kopieren</translation>
    </message>
</context>
<context>
    <name>cfx::SaveFileDialog</name>
    <message>
        <source>File Name missing</source>
        <translation>Dateiname fehlt</translation>
    </message>
    <message>
        <source>To save Session, please enter File Name</source>
        <translation>Bitte geben Sie einen Dateinamen ein, um die Sitzung zu speichern</translation>
    </message>
</context>
<context>
    <name>cfx::SessionFileDialog</name>
    <message>
        <source>Open CFX File</source>
        <translation>CFX-Datei öffnen</translation>
    </message>
    <message>
        <source>Save CFX File</source>
        <translation>CFX-Datei speichern</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>Datei öffnen</translation>
    </message>
    <message>
        <source>Save file</source>
        <translation>Datei speichern</translation>
    </message>
    <message>
        <source>Open File:</source>
        <translation>Datei öffnen:</translation>
    </message>
    <message>
        <source>Save File As:</source>
        <translation>Datei speichern unter:</translation>
    </message>
    <message>
        <source>Select Directory</source>
        <translation>Ordner wählen</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Laufwerk</translation>
    </message>
    <message>
        <source>Drive:</source>
        <translation>Laufwerk:</translation>
    </message>
    <message>
        <source>Select File</source>
        <translation>Datei wählen</translation>
    </message>
    <message>
        <source>CFX Files in Directory &gt;</source>
        <translation>CFX-Dateien im Ordner &gt;</translation>
    </message>
    <message>
        <source>CFX Files in Directory</source>
        <translation>CFX-Dateien im Ordner</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>cfx::SessionKeeper</name>
    <message>
        <source>Chronofex - Report</source>
        <translation>Chronofex - Bericht</translation>
    </message>
    <message>
        <source>The session could not be saved to &quot;%1&quot;.
%2</source>
        <translation>Die Sitzung konnte nicht in „%1“ gespeichert werden.
%2</translation>
    </message>
    <message>
        <source>Save CFX File</source>
        <translation>CFX-Datei speichern</translation>
    </message>
    <message>
        <source>Session saved: %1</source>
        <translation>Sitzung gespeichert: %1</translation>
    </message>
    <message>
        <source>The session was saved to &quot;%1&quot;, but its excluded readings could not be kept in &quot;%2&quot; (%3). Opened again, it has every reading included.</source>
        <translation>Die Sitzung wurde in „%1“ gespeichert, aber ihre ausgeschlossenen Messwerte konnten nicht in „%2“ festgehalten werden (%3). Wieder geöffnet, sind alle Messwerte einbezogen.</translation>
    </message>
    <message>
        <source>Open CFX File</source>
        <translation>CFX-Datei öffnen</translation>
    </message>
    <message>
        <source>The session file was written again since its excluded readings were kept in &quot;%1&quot;: they may no longer match, so every reading is included.</source>
        <translation>Die Sitzungsdatei wurde neu geschrieben, seit ihre ausgeschlossenen Messwerte in „%1“ festgehalten wurden: Sie passen womöglich nicht mehr, daher sind alle Messwerte einbezogen.</translation>
    </message>
    <message>
        <source>The excluded readings kept in &quot;%1&quot; cannot be read (%2), so every reading is included.</source>
        <translation>Die in „%1“ festgehaltenen ausgeschlossenen Messwerte können nicht gelesen werden (%2), daher sind alle Messwerte einbezogen.</translation>
    </message>
    <message>
        <source>The journal of the last run could not be read whole (%1). It was kept as &quot;%2&quot;, and a new journal has been started.</source>
        <translation>Das Journal des letzten Laufs konnte nicht vollständig gelesen werden (%1). Es wurde als „%2“ aufbewahrt, und ein neues Journal wurde begonnen.</translation>
    </message>
    <message>
        <source>Chronofex</source>
        <translation>Chronofex</translation>
    </message>
    <message>
        <source>it is of a format this version does not know</source>
        <translation>es hat ein Format, das diese Version nicht kennt</translation>
    </message>
    <message>
        <source>it holds NUL bytes</source>
        <translation>es enthält NUL-Bytes</translation>
    </message>
    <message>
        <source>it holds lines that are no journal lines</source>
        <translation>es enthält Zeilen, die keine Journalzeilen sind</translation>
    </message>
    <message>
        <source>it holds a line longer than %1 MB</source>
        <translation>es enthält eine Zeile länger als %1 MB</translation>
    </message>
    <message>
        <source>it is larger than %1 MB</source>
        <translation>es ist größer als %1 MB</translation>
    </message>
    <message>
        <source>Another Chronofex is using the data folder &quot;%1&quot; and its journal. This copy journals nothing: readings not yet written or saved here would be lost in a crash. Use one copy per data folder (--data-dir DIR chooses another).</source>
        <translation>Ein anderes Chronofex verwendet den Datenordner „%1“ und sein Journal. Diese Kopie führt kein Journal: Messwerte, die hier noch nicht geschrieben oder gespeichert sind, gingen bei einem Absturz verloren. Verwenden Sie eine Kopie je Datenordner (--data-dir ORDNER wählt einen anderen).</translation>
    </message>
    <message>
        <source>Readings cannot be journaled in &quot;%1&quot; (%2). Chronofex keeps working, but readings not yet written or saved would be lost in a crash.</source>
        <translation>Messwerte können in „%1“ nicht mitprotokolliert werden (%2). Chronofex arbeitet weiter, aber noch nicht geschriebene oder gespeicherte Messwerte gingen bei einem Absturz verloren.</translation>
    </message>
    <message>
        <source>The last run left %1 readings neither written nor saved, of the session started at %2. Restore them?</source>
        <translation>Der letzte Lauf hat %1 Messwerte der Sitzung vom %2 weder geschrieben noch gespeichert. Wiederherstellen?</translation>
    </message>
    <message>
        <source>Chronofex did not close normally while the clock was running. Restore the clock?</source>
        <translation>Chronofex wurde nicht regulär beendet, während die Uhr lief. Die Uhr wiederherstellen?</translation>
    </message>
    <message>
        <source>The clock was running: it had run for %1 since its last start when Chronofex ended at %2. It comes back stopped at %3, the time it showed then.</source>
        <translation>Die Uhr lief: Sie war seit ihrem letzten Start %1 gelaufen, als Chronofex am %2 endete. Sie kommt angehalten bei %3 zurück, der Zeit, die sie damals zeigte.</translation>
    </message>
</context>
<context>
    <name>cfx::SetTimeDialog</name>
    <message>
        <source>Hrs</source>
        <translation>Std</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Stunden</translation>
    </message>
    <message>
        <source>Mins</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>Minutes</source>
        <translation>Minuten</translation>
    </message>
    <message>
        <source>Secs</source>
        <translation>Sek</translation>
    </message>
    <message>
        <source>Seconds</source>
        <translation>Sekunden</translation>
    </message>
    <message>
        <source>Subsec</source>
        <translation>Teil</translation>
    </message>
    <message>
        <source>Sub-second count</source>
        <translation>Sekundenbruchteile</translation>
    </message>
    <message>
        <source>Chronofex - Set Time</source>
        <translation>Chronofex - Zeit einstellen</translation>
    </message>
    <message>
        <source>%1 (up increases)</source>
        <translation>%1 (nach oben erhöht)</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Preset the stopwatch to this time</source>
        <translation>Die Stoppuhr auf diese Zeit stellen</translation>
    </message>
    <message>
        <source>Stop the stopwatch to set a custom time</source>
        <translation>Halten Sie die Stoppuhr an, um eine Zeit einzustellen</translation>
    </message>
</context>
<context>
    <name>cfx::SettingsKeeper</name>
    <message>
        <source>Settings cannot be saved to &quot;%1&quot;. Chronofex keeps working, and starts with the settings it last saved next time.</source>
        <translation>Die Einstellungen können nicht in &quot;%1&quot; gespeichert werden. Chronofex arbeitet weiter und startet beim nächsten Mal mit den zuletzt gespeicherten Einstellungen.</translation>
    </message>
</context>
<context>
    <name>cfx::SpeedCommentDialog</name>
    <message>
        <source>Chronofex - Add Speed Comment</source>
        <translation>Chronofex - Kommentar zur Geschwindigkeit</translation>
    </message>
    <message>
        <source>Comment will be added to current Speed record, and saved:</source>
        <translation>Der Kommentar wird dem aktuellen Geschwindigkeits-Eintrag hinzugefügt und gespeichert:</translation>
    </message>
</context>
<context>
    <name>cfx::SpeedWindow</name>
    <message>
        <source>Speed</source>
        <translation>Geschwindigkeit</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Strecke</translation>
    </message>
    <message>
        <source>Enter distance</source>
        <translation>Strecke eingeben</translation>
    </message>
    <message>
        <source>Select unit</source>
        <translation>Einheit wählen</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Einheit</translation>
    </message>
    <message>
        <source>Start/Stop timing</source>
        <translation>Zeitmessung starten/anhalten</translation>
    </message>
    <message>
        <source>Creates files &apos;CFXSpeedResults&apos; and &apos;CFXSpeedRawCSV&apos; in program directory</source>
        <translation>Erstellt die Dateien &apos;CFXSpeedResults&apos; und &apos;CFXSpeedRawCSV&apos; im Datenordner des Programms</translation>
    </message>
</context>
<context>
    <name>cfx::SplashWindow</name>
    <message>
        <source>Write to %1</source>
        <translation>An %1 schreiben</translation>
    </message>
    <message>
        <source>Write an e-mail to %1</source>
        <translation>Eine E-Mail an %1 schreiben</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>by the Chronofex authors</source>
        <translation>von den Chronofex-Autoren</translation>
    </message>
    <message>
        <source>Made with Qt for the Linux desktop</source>
        <translation>Mit Qt für den Linux-Desktop gemacht</translation>
    </message>
</context>
<context>
    <name>cfx::StopwatchActions</name>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Snap</source>
        <translation>Messen</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Set &amp;Hotkeys...</source>
        <translation>&amp;Tastenkürzel festlegen...</translation>
    </message>
    <message>
        <source>Set Custom &amp;Time...</source>
        <translation>&amp;Zeit einstellen...</translation>
    </message>
    <message>
        <source>Controls trigger on Mouse&amp;Down</source>
        <translation>Schaltflächen reagieren beim &amp;Drücken</translation>
    </message>
    <message>
        <source>Controls trigger on Mouse&amp;Up</source>
        <translation>Schaltflächen reagieren beim &amp;Loslassen</translation>
    </message>
    <message>
        <source>SNAP F&amp;lash/Sound</source>
        <translation>&amp;Blitz/Ton beim Messen</translation>
    </message>
    <message>
        <source>Re&amp;port</source>
        <translation>Be&amp;richt</translation>
    </message>
    <message>
        <source>&amp;Minimize to Tray</source>
        <translation>In den Infobereich &amp;minimieren</translation>
    </message>
    <message>
        <source>R&amp;estore from Tray</source>
        <translation>Aus dem Infobereich &amp;wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Cycle Rate Module</source>
        <translation>Takt&amp;rate</translation>
    </message>
    <message>
        <source>Sp&amp;eed Module</source>
        <translation>&amp;Geschwindigkeit</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Öffnen...</translation>
    </message>
    <message>
        <source>&amp;Save...</source>
        <translation>&amp;Speichern...</translation>
    </message>
    <message>
        <source>Hand&amp;book</source>
        <translation>Hand&amp;buch</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>Ü&amp;ber...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>CFX&amp;Options</source>
        <translation>CFX-&amp;Optionen</translation>
    </message>
    <message>
        <source>Mouse &amp;Response</source>
        <translation>&amp;Mausreaktion</translation>
    </message>
    <message>
        <source>S&amp;ystem Tray</source>
        <translation>&amp;Infobereich</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Recover Last Readings</source>
        <translation>Letzte Messwerte &amp;wiederherstellen</translation>
    </message>
</context>
<context>
    <name>cfx::TransparencyDialog</name>
    <message>
        <source>Chronofex - Display Transparency</source>
        <translation>Chronofex - Transparenz der Anzeige</translation>
    </message>
    <message>
        <source>Display transparency</source>
        <translation>Transparenz der Anzeige</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Maximal</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
</context>
<context>
    <name>cfx::TrayStatus</name>
    <message>
        <source>Running: %1</source>
        <translation>Läuft: %1</translation>
    </message>
    <message>
        <source>Stopped: %1</source>
        <translation>Angehalten: %1</translation>
    </message>
    <message>
        <source>Readings: %1</source>
        <translation>Messwerte: %1</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Choose another folder with --data-dir DIR.</source>
        <translation>Wählen Sie mit --data-dir ORDNER einen anderen Ordner.</translation>
    </message>
    <message>
        <source>Chronofex already runs for the data folder %1 but did not answer (%2).</source>
        <translation>Chronofex läuft bereits für den Datenordner %1, hat aber nicht geantwortet (%2).</translation>
    </message>
    <message>
        <source>Later starts of Chronofex cannot reach this one (%1): commands such as --snap do not work, and another start runs a second copy.</source>
        <translation>Spätere Starts von Chronofex erreichen dieses Programm nicht (%1): Befehle wie --snap wirken nicht, und ein weiterer Start führt eine zweite Kopie aus.</translation>
    </message>
</context>
</TS>
