<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en_US">
<context>
    <name></name>
    <message id="str.100">
        <source>Initialization failed.  Make sure that the Qt 6 libraries are the correct version.</source>
        <translation>Initialisierung fehlgeschlagen.  Stellen Sie sicher, dass die Qt-6-Bibliotheken in der richtigen Version vorliegen.</translation>
    </message>
    <message id="str.32701">
        <source>VCD/VOB source files can be converted
VCD/VOB</source>
        <translation>VCD/VOB-Quelldateien können umgewandelt werden
VCD/VOB</translation>
    </message>
    <message id="str.32702">
        <source>MP4 source files can be converted
MP4</source>
        <translation>MP4-Quelldateien können umgewandelt werden
MP4</translation>
    </message>
    <message id="str.32703">
        <source>RM source files can be converted
RM</source>
        <translation>RM-Quelldateien können umgewandelt werden
RM</translation>
    </message>
    <message id="str.32708">
        <source>MPEG source files can be converted
MPEG</source>
        <translation>MPEG-Quelldateien können umgewandelt werden
MPEG</translation>
    </message>
    <message id="str.32709">
        <source>ASF source files can be converted
ASF</source>
        <translation>ASF-Quelldateien können umgewandelt werden
ASF</translation>
    </message>
    <message id="str.32710">
        <source>WMV source files can be converted
WMV</source>
        <translation>WMV-Quelldateien können umgewandelt werden
WMV</translation>
    </message>
    <message id="str.32712">
        <source>AVI source files can be converted
AVI</source>
        <translation>AVI-Quelldateien können umgewandelt werden
AVI</translation>
    </message>
    <message id="str.32713">
        <source>MOV/QT source files can be converted
MOV/QT</source>
        <translation>MOV/QT-Quelldateien können umgewandelt werden
MOV/QT</translation>
    </message>
    <message id="str.32717">
        <source>OGG/OGM source files can be converted
OGG/OGM</source>
        <translation>OGG/OGM-Quelldateien können umgewandelt werden
OGG/OGM</translation>
    </message>
    <message id="str.32718">
        <source>Other source files can be converted
Other</source>
        <translation>Andere Quelldateien können umgewandelt werden
Andere</translation>
    </message>
    <message id="str.32719">
        <source>MPEG4 is a target format
MPEG4</source>
        <translation>MPEG4 ist ein Zielformat
MPEG4</translation>
    </message>
    <message id="str.32720">
        <source>H.264 is a target format
H.264</source>
        <translation>H.264 ist ein Zielformat
H.264</translation>
    </message>
    <message id="str.32721">
        <source>MOV is a target format
MOV</source>
        <translation>MOV ist ein Zielformat
MOV</translation>
    </message>
    <message id="str.32722">
        <source>3GP is a target format
3GP</source>
        <translation>3GP ist ein Zielformat
3GP</translation>
    </message>
    <message id="str.32723">
        <source>OGM is a target format
OGM</source>
        <translation>OGM ist ein Zielformat
OGM</translation>
    </message>
    <message id="str.32724">
        <source>VCD is a target format
VCD</source>
        <translation>VCD ist ein Zielformat
VCD</translation>
    </message>
    <message id="str.32725">
        <source>DVD is a target format
DVD</source>
        <translation>DVD ist ein Zielformat
DVD</translation>
    </message>
    <message id="str.32726">
        <source>SVCD is a target format
SVCD</source>
        <translation>SVCD ist ein Zielformat
SVCD</translation>
    </message>
    <message id="str.32727">
        <source>DV is a target format
DV</source>
        <translation>DV ist ein Zielformat
DV</translation>
    </message>
    <message id="str.32730">
        <source>AVI is a target format
AVI</source>
        <translation>AVI ist ein Zielformat
AVI</translation>
    </message>
    <message id="str.32733">
        <source>WMV is a target format
WMV</source>
        <translation>WMV ist ein Zielformat
WMV</translation>
    </message>
    <message id="str.32750">
        <source>Show the user interface in English
English</source>
        <translation>Die Benutzeroberfläche auf Englisch anzeigen
Englisch</translation>
    </message>
    <message id="str.32751">
        <source>Show the user interface in Chinese Simplified
Chinese Simplified</source>
        <translation>Die Benutzeroberfläche auf Chinesisch (vereinfacht) anzeigen
Chinesisch (vereinfacht)</translation>
    </message>
    <message id="str.32771">
        <source>Open the web page of Trelvane Audio Converter
Trelvane Audio Converter</source>
        <translation>Die Webseite von Trelvane Audio Converter öffnen
Trelvane Audio Converter</translation>
    </message>
    <message id="str.32772">
        <source>Open the web page of Trelvane DVD Creator
Trelvane DVD Creator</source>
        <translation>Die Webseite von Trelvane DVD Creator öffnen
Trelvane DVD Creator</translation>
    </message>
    <message id="str.32773">
        <source>Open the web page of Trelvane Video Joiner
Trelvane Video Joiner</source>
        <translation>Die Webseite von Trelvane Video Joiner öffnen
Trelvane Video Joiner</translation>
    </message>
    <message id="str.32774">
        <source>Open the web page of Trelvane Video Splitter
Trelvane Video Splitter</source>
        <translation>Die Webseite von Trelvane Video Splitter öffnen
Trelvane Video Splitter</translation>
    </message>
    <message id="str.32775">
        <source>Open the web page of Trelvane Screen Recorder
Trelvane Screen Recorder</source>
        <translation>Die Webseite von Trelvane Screen Recorder öffnen
Trelvane Screen Recorder</translation>
    </message>
    <message id="str.32776">
        <source>Open the download page of libmpv (Video Preview)
libmpv (Video Preview)</source>
        <translation>Die Downloadseite von libmpv (Videovorschau) öffnen
libmpv (Videovorschau)</translation>
    </message>
    <message id="str.32777">
        <source>Open the download page of FFmpeg RealMedia Codecs
FFmpeg RealMedia Codecs</source>
        <translation>Die Downloadseite der FFmpeg-RealMedia-Codecs öffnen
FFmpeg-RealMedia-Codecs</translation>
    </message>
    <message id="str.32778">
        <source>Open the download page of FFmpeg Windows Media Codecs
FFmpeg Windows Media Codecs</source>
        <translation>Die Downloadseite der FFmpeg-Windows-Media-Codecs öffnen
FFmpeg-Windows-Media-Codecs</translation>
    </message>
    <message id="str.32779">
        <source>Open the download page of FFmpeg QuickTime Codecs
FFmpeg QuickTime Codecs</source>
        <translation>Die Downloadseite der FFmpeg-QuickTime-Codecs öffnen
FFmpeg-QuickTime-Codecs</translation>
    </message>
    <message id="str.32780">
        <source>Open the download page of FFmpeg Ogg Codecs
FFmpeg Ogg Codecs</source>
        <translation>Die Downloadseite der FFmpeg-Ogg-Codecs öffnen
FFmpeg-Ogg-Codecs</translation>
    </message>
    <message id="str.32791">
        <source>Open the user manual
Help Contents</source>
        <translation>Das Benutzerhandbuch öffnen
Hilfe-Inhalt</translation>
    </message>
    <message id="str.32792">
        <source>Show the help tips
Tool Tips</source>
        <translation>Die Hilfetipps anzeigen
Tipps</translation>
    </message>
    <message id="str.32801">
        <source>Add source file(s)
Add source file(s)</source>
        <translation>Quelldatei(en) hinzufügen
Quelldatei(en) hinzufügen</translation>
    </message>
    <message id="str.32803">
        <source>Remove the selected source file(s)
Remove</source>
        <translation>Die ausgewählte(n) Quelldatei(en) entfernen
Entfernen</translation>
    </message>
    <message id="str.32804">
        <source>Remove all source files
Remove All</source>
        <translation>Alle Quelldateien entfernen
Alle entfernen</translation>
    </message>
    <message id="str.32805">
        <source>Move the selected source file up
Move Up</source>
        <translation>Die ausgewählte Quelldatei nach oben verschieben
Nach oben</translation>
    </message>
    <message id="str.32806">
        <source>Move the selected source file down
Move Down</source>
        <translation>Die ausgewählte Quelldatei nach unten verschieben
Nach unten</translation>
    </message>
    <message id="str.32807">
        <source>Preview the source file and select a part to convert
Preview</source>
        <translation>Die Quelldatei ansehen und einen Teil zum Umwandeln auswählen
Vorschau</translation>
    </message>
    <message id="str.32808">
        <source>Convert all source files
Convert</source>
        <translation>Alle Quelldateien umwandeln
Umwandeln</translation>
    </message>
    <message id="str.57600">
        <source>Create a new document
New</source>
        <translation>Ein neues Dokument erstellen
Neu</translation>
    </message>
    <message id="str.57601">
        <source>Open an existing document
Open</source>
        <translation>Ein vorhandenes Dokument öffnen
Öffnen</translation>
    </message>
    <message id="str.57603">
        <source>Save the active document
Save</source>
        <translation>Das aktive Dokument speichern
Speichern</translation>
    </message>
    <message id="str.57604">
        <source>Save the active document with a new name
Save As</source>
        <translation>Das aktive Dokument unter einem neuen Namen speichern
Speichern unter</translation>
    </message>
    <message id="str.57664">
        <source>Display program information and version
About</source>
        <translation>Programminformationen und Version anzeigen
Info</translation>
    </message>
    <message id="str.57665">
        <source>Quit the application
Exit</source>
        <translation>Die Anwendung beenden
Beenden</translation>
    </message>
    <message id="str.61201">
        <source>Please restart the application after installing the FFmpeg Ogg codec libraries.</source>
        <translation>Bitte starten Sie die Anwendung neu, nachdem Sie die FFmpeg-Ogg-Codec-Bibliotheken installiert haben.</translation>
    </message>
    <message id="str.61205">
        <source>Can't playback the following files.</source>
        <translation>Die folgenden Dateien können nicht abgespielt werden.</translation>
    </message>
    <message id="str.61207">
        <source>Conversion is canceled.</source>
        <translation>Die Umwandlung wurde abgebrochen.</translation>
    </message>
    <message id="str.61208">
        <source>Are you sure to cancel all convert tasks?</source>
        <translation>Möchten Sie wirklich alle Umwandlungen abbrechen?</translation>
    </message>
    <message id="str.61209">
        <source>Conversion is completed.</source>
        <translation>Die Umwandlung ist abgeschlossen.</translation>
    </message>
    <message id="str.61210">
        <source>Please restart the application after installing the FFmpeg Windows Media codec libraries.</source>
        <translation>Bitte starten Sie die Anwendung neu, nachdem Sie die FFmpeg-Windows-Media-Codec-Bibliotheken installiert haben.</translation>
    </message>
    <message id="str.61212">
        <extracomment>printf placeholders, keep them in this order and kind: %d %d %s; write a literal percent sign as %%</extracomment>
        <source>Detecting selected files.
No.%d/%d: "%s"</source>
        <translation>Ausgewählte Dateien werden untersucht.
Nr. %d/%d: „%s“</translation>
    </message>
    <message id="str.61215">
        <extracomment>printf placeholders, keep them in this order and kind: %d %d %s %s; write a literal percent sign as %%</extracomment>
        <source>Step %d/%d: From "%s" 
          to "%s" 
          Click "Skip" or "Cancel" to abort conversion.</source>
        <translation>Schritt %d/%d: Von „%s“ 
          nach „%s“ 
          Klicken Sie auf „Überspringen“ oder „Alle abbrechen“, um die Umwandlung abzubrechen.</translation>
    </message>
    <message id="str.61221">
        <extracomment>printf placeholders, keep them in this order and kind: %s; write a literal percent sign as %%</extracomment>
        <source>Thanks for using %s. Sure to exit?</source>
        <translation>Danke, dass Sie %s verwenden. Wirklich beenden?</translation>
    </message>
    <message id="str.61222">
        <source>Please note the following reasons:
1. This file is not an available media file or doesn't include audio data.
2. You haven't installed the FFmpeg codec libraries with Windows Media support.
3. You need install the FFmpeg RealMedia decoders when converting RM/RMVB/RAM.
4. You need install the FFmpeg QuickTime decoders when converting QT/MOV.
5. You need install other codec libraries.

Please click menu "Download" to get more.</source>
        <translation>Bitte beachten Sie die folgenden möglichen Gründe:
1. Die Datei ist keine verwendbare Mediendatei oder enthält keine Audiodaten.
2. Die FFmpeg-Codec-Bibliotheken mit Windows-Media-Unterstützung sind nicht installiert.
3. Zum Umwandeln von RM/RMVB/RAM werden die FFmpeg-RealMedia-Decoder benötigt.
4. Zum Umwandeln von QT/MOV werden die FFmpeg-QuickTime-Decoder benötigt.
5. Weitere Codec-Bibliotheken müssen installiert werden.

Über das Menü „Download“ erhalten Sie mehr.</translation>
    </message>
    <message id="str.61225">
        <source>You need download and install the FFmpeg Windows Media codec libraries before converting WMA and WMV format,
download it now?</source>
        <translation>Vor dem Umwandeln in die Formate WMA und WMV müssen Sie die FFmpeg-Windows-Media-Codec-Bibliotheken herunterladen und installieren.
Jetzt herunterladen?</translation>
    </message>
    <message id="str.61226">
        <source>You need download and install the FFmpeg Ogg codec libraries before converting OGG format, 
download it now?</source>
        <translation>Vor dem Umwandeln in das Format OGG müssen Sie die FFmpeg-Ogg-Codec-Bibliotheken herunterladen und installieren. 
Jetzt herunterladen?</translation>
    </message>
    <message id="str.61242">
        <source>Please select output folder</source>
        <translation>Bitte wählen Sie den Ausgabeordner</translation>
    </message>
    <message id="str.61243">
        <source>Unknown file format . Please ensure your computer can playback the file normally.</source>
        <translation>Unbekanntes Dateiformat. Bitte stellen Sie sicher, dass die Datei auf Ihrem Computer normal abgespielt werden kann.</translation>
    </message>
    <message id="str.61244">
        <source>The encoder program %s is missing, so no file can be added.
It was looked for in:
%s
Reinstall Clipwright to bring it back.</source>
        <translation>Das Kodierprogramm %s fehlt, daher kann keine Datei hinzugefügt werden.
Es wurde gesucht in:
%s
Installieren Sie Clipwright neu, um es wiederherzustellen.</translation>
    </message>
    <message id="str.61245">
        <source>%d converted, %d skipped, %d failed.</source>
        <translation>%d umgewandelt, %d übersprungen, %d fehlgeschlagen.</translation>
    </message>
    <message id="str.61308">
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message id="str.61310">
        <source>Convert</source>
        <translation>Umwandeln</translation>
    </message>
    <message id="str.61311">
        <source>Convert Duration</source>
        <translation>Umwandlungsdauer</translation>
    </message>
    <message id="str.61313">
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message id="str.61315">
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message id="str.61316">
        <source>Doing</source>
        <translation>Läuft</translation>
    </message>
    <message id="str.61317">
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message id="str.61319">
        <source>Move Up</source>
        <translation>Nach oben</translation>
    </message>
    <message id="str.61320">
        <source>Move Down</source>
        <translation>Nach unten</translation>
    </message>
    <message id="str.61322">
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message id="str.61323">
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message id="str.61324">
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message id="str.61325">
        <source>Remove All</source>
        <translation>Alle entfernen</translation>
    </message>
    <message id="str.61328">
        <source>Skip</source>
        <translation>Übersprungen</translation>
    </message>
    <message id="str.61329">
        <source>Source</source>
        <translation>Quelle</translation>
    </message>
    <message id="str.61330">
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message id="str.61332">
        <source>Target</source>
        <translation>Ziel</translation>
    </message>
    <message id="str.61335">
        <source>Waiting</source>
        <translation>Wartet</translation>
    </message>
    <message id="str.61336">
        <source>Recommended</source>
        <translation>Empfohlen</translation>
    </message>
    <message id="str.61337">
        <source>Keep Original</source>
        <translation>Original beibehalten</translation>
    </message>
    <message id="str.61338">
        <source>1 Channel, Mono</source>
        <translation>1 Kanal, Mono</translation>
    </message>
    <message id="str.61339">
        <source>2 Channels, Stereo</source>
        <translation>2 Kanäle, Stereo</translation>
    </message>
    <message id="str.61340">
        <source>Disable Audio</source>
        <translation>Audio deaktivieren</translation>
    </message>
    <message id="str.61380">
        <source>did not answer within %d s</source>
        <translation>antwortete nicht innerhalb von %d s</translation>
    </message>
    <message id="str.61381">
        <source>the encoder program ended unexpectedly</source>
        <translation>das Kodierprogramm wurde unerwartet beendet</translation>
    </message>
    <message id="str.61400">
        <extracomment>printf placeholders, keep them in this order and kind: %s %s; write a literal percent sign as %%</extracomment>
        <source>Speed %s, about %s left for all files</source>
        <translation>Geschwindigkeit %s, noch etwa %s für alle Dateien</translation>
    </message>
    <message id="str.61401">
        <extracomment>printf placeholders, keep them in this order and kind: %s %s %s; write a literal percent sign as %%</extracomment>
        <source>The conversion may need up to %s, but only %s is free in %s.
Convert anyway?</source>
        <translation>Die Umwandlung kann bis zu %s brauchen, frei sind aber nur %s in %s.
Trotzdem umwandeln?</translation>
    </message>
    <message id="str.61402">
        <source>The chosen part is empty.</source>
        <translation>Der gewählte Abschnitt ist leer.</translation>
    </message>
    <message id="str.61403">
        <source>There is no encoder for this output type.</source>
        <translation>Für diesen Ausgabetyp gibt es keinen Kodierer.</translation>
    </message>
    <message id="str.61404">
        <extracomment>printf placeholders, keep them in this order and kind: %s; write a literal percent sign as %%</extracomment>
        <source>The encoder program %s is missing or could not be started.</source>
        <translation>Das Kodierprogramm %s fehlt oder konnte nicht gestartet werden.</translation>
    </message>
    <message id="str.61405">
        <extracomment>printf placeholders, keep them in this order and kind: %s; write a literal percent sign as %%</extracomment>
        <source>The output folder %s cannot be written to.</source>
        <translation>In den Ausgabeordner %s kann nicht geschrieben werden.</translation>
    </message>
    <message id="str.61406">
        <source>The disk of the output folder is full.</source>
        <translation>Der Datenträger des Ausgabeordners ist voll.</translation>
    </message>
    <message id="str.61407">
        <source>Write a report of this run (CSV and JSON) into the output folder and open it?</source>
        <translation>Einen Bericht über diesen Durchlauf (CSV und JSON) in den Ausgabeordner schreiben und öffnen?</translation>
    </message>
    <message id="str.61408">
        <extracomment>printf placeholders, keep them in this order and kind: %s; write a literal percent sign as %%</extracomment>
        <source>The report could not be written to %s.</source>
        <translation>Der Bericht konnte nicht in %s geschrieben werden.</translation>
    </message>
    <message id="str.61430">
        <extracomment>printf placeholders, keep them in this order and kind: %s; write a literal percent sign as %%</extracomment>
        <source>%s cannot be previewed: it is not a regular file (it is a FIFO or a device, for example).</source>
        <translation>%s kann nicht in der Vorschau gezeigt werden: Es ist keine reguläre Datei (sondern zum Beispiel eine FIFO oder ein Gerät).</translation>
    </message>
    <message id="str.61440">
        <source>the name holds a zero byte, which no file name can hold</source>
        <translation>der Name enthält ein Null-Byte, das kein Dateiname enthalten kann</translation>
    </message>
    <message id="str.61441">
        <source>This row's record did not match the list, so the row was not converted.</source>
        <translation>Der Datensatz dieser Zeile passte nicht zur Liste, daher wurde die Zeile nicht umgewandelt.</translation>
    </message>
    <message id="str.61450">
        <source>A disc is made from DVD, VCD or SVCD conversions only. Choose one of these types and convert the list first.</source>
        <translation>Eine Disc entsteht nur aus DVD-, VCD- oder SVCD-Umwandlungen. Wählen Sie einen dieser Typen und wandeln Sie die Liste zuerst um.</translation>
    </message>
    <message id="str.61451">
        <source>No file of the list has been converted yet. A disc is made from the files whose status is Done.</source>
        <translation>Noch keine Datei der Liste wurde umgewandelt. Eine Disc entsteht aus den Dateien mit dem Status Fertig.</translation>
    </message>
    <message id="str.61452">
        <source>These files were converted for %s, but %s is chosen now:
%s
Convert them again for %s first.</source>
        <translation>Diese Dateien wurden für %s umgewandelt, gewählt ist aber jetzt %s:
%s
Wandeln Sie sie zuerst erneut für %s um.</translation>
    </message>
    <message id="str.61453">
        <source>The converted files mix television standards, so they cannot go on one disc.
PAL:
%s
NTSC:
%s</source>
        <translation>Die umgewandelten Dateien mischen Fernsehnormen und passen daher nicht auf eine Disc.
PAL:
%s
NTSC:
%s</translation>
    </message>
    <message id="str.61454">
        <source>These converted files could not be read:
%s</source>
        <translation>Diese umgewandelten Dateien konnten nicht gelesen werden:
%s</translation>
    </message>
    <message id="str.61455">
        <source>These files are not %s files (their frame size or rate does not fit):
%s</source>
        <translation>Diese Dateien sind keine %s-Dateien (Bildgröße oder Bildrate passen nicht):
%s</translation>
    </message>
    <message id="str.61456">
        <source>To make the disc, %s is needed but was not found.
Install the Debian package: sudo apt install %s</source>
        <translation>Für die Disc wird %s benötigt, wurde aber nicht gefunden.
Installieren Sie das Debian-Paket: sudo apt install %s</translation>
    </message>
    <message id="str.61457">
        <source>The disc image would take about %s, which is %s more than the %s a blank disc holds.
Put the titles onto several discs (none is cut), make one disc anyway, or cancel.</source>
        <translation>Das Disc-Abbild wäre etwa %s groß, also %s mehr als die %s, die ein Rohling fasst.
Verteilen Sie die Titel auf mehrere Discs (keiner wird geteilt), erstellen Sie trotzdem eine Disc, oder brechen Sie ab.</translation>
    </message>
    <message id="str.61458">
        <source>The folder %s is not empty. Choose a new or empty folder: nothing already there is overwritten.</source>
        <translation>Der Ordner %s ist nicht leer. Wählen Sie einen neuen oder leeren Ordner: Vorhandenes wird nie überschrieben.</translation>
    </message>
    <message id="str.61459">
        <source>Choose the folder for the disc</source>
        <translation>Ordner für die Disc wählen</translation>
    </message>
    <message id="str.61460">
        <source>Checking the converted files...</source>
        <translation>Die umgewandelten Dateien werden geprüft...</translation>
    </message>
    <message id="str.61461">
        <source>Making the disc, step %d of %d: %s...</source>
        <translation>Die Disc wird erstellt, Schritt %d von %d: %s...</translation>
    </message>
    <message id="str.61462">
        <source>The disc is ready:
%s</source>
        <translation>Die Disc ist fertig:
%s</translation>
    </message>
    <message id="str.61463">
        <source>The disc could not be made. The tool said:
%s</source>
        <translation>Die Disc konnte nicht erstellt werden. Das Werkzeug meldete:
%s</translation>
    </message>
    <message id="str.61464">
        <source>Making the disc was cancelled. What it had written was removed.</source>
        <translation>Das Erstellen der Disc wurde abgebrochen. Was bis dahin geschrieben war, wurde entfernt.</translation>
    </message>
    <message id="str.61465">
        <source>Make a %s disc image from the converted files now?</source>
        <translation>Jetzt ein %s-Disc-Abbild aus den umgewandelten Dateien erstellen?</translation>
    </message>
    <message id="str.61466">
        <source>%s is a file, not a folder. Choose a folder for the disc.</source>
        <translation>%s ist eine Datei, kein Ordner. Wählen Sie einen Ordner für die Disc.</translation>
    </message>
    <message id="str.61520">
        <extracomment>printf placeholders, keep them in this order and kind: %d; write a literal percent sign as %%</extracomment>
        <source>The encoder program ended with status %d and gave no reason.</source>
        <translation>Das Kodierprogramm endete mit Status %d, ohne einen Grund zu nennen.</translation>
    </message>
    <message id="str.61521">
        <extracomment>printf placeholders, keep them in this order and kind: %d %s; write a literal percent sign as %%</extracomment>
        <source>The encoder program was ended by signal %d (%s).</source>
        <translation>Das Kodierprogramm wurde durch Signal %d (%s) beendet.</translation>
    </message>
    <message id="str.61522">
        <extracomment>printf placeholders, keep them in this order and kind: %d; write a literal percent sign as %%</extracomment>
        <source>The encoder program closed its output but did not end; it was stopped after %d s.</source>
        <translation>Das Kodierprogramm schloss seine Ausgabe, endete aber nicht; es wurde nach %d s beendet.</translation>
    </message>
    <message id="str.61523">
        <source>the encoder program found no length in it and gave no reason</source>
        <translation>das Kodierprogramm fand darin keine Dauer und nannte keinen Grund</translation>
    </message>
    <message id="str.61524">
        <source>the file name is not valid UTF-8 and could not be passed on unchanged, so the file was not found</source>
        <translation>der Dateiname ist kein gültiges UTF-8 und konnte nicht unverändert weitergegeben werden, daher wurde die Datei nicht gefunden</translation>
    </message>
    <message id="str.61525">
        <extracomment>printf placeholders, keep them in this order and kind: %s; write a literal percent sign as %%</extracomment>
        <source>The encoder program %s exists but is not executable.</source>
        <translation>Das Kodierprogramm %s ist vorhanden, aber nicht ausführbar.</translation>
    </message>
    <message id="str.61526">
        <extracomment>printf placeholders, keep them in this order and kind: %s; write a literal percent sign as %%</extracomment>
        <source>The encoder program %s is a folder, not a program.</source>
        <translation>Das Kodierprogramm %s ist ein Ordner, kein Programm.</translation>
    </message>
    <message id="str.61527">
        <extracomment>printf placeholders, keep them in this order and kind: %s; write a literal percent sign as %%</extracomment>
        <source>The output file name is too long for the file system of the folder %s.</source>
        <translation>Der Name der Ausgabedatei ist für das Dateisystem des Ordners %s zu lang.</translation>
    </message>
    <message id="str.61528">
        <extracomment>printf placeholders, keep them in this order and kind: %s %d %d; write a literal percent sign as %%</extracomment>
        <source>One %s disc holds at most %d files, and %d are listed: Make a Disc will not take all of their outputs. Convert fewer files to make one disc of them.

Convert all of them anyway?</source>
        <translation>Eine %s-Disc fasst höchstens %d Dateien, aufgeführt sind %d: „Disc erstellen“ kann nicht alle Ausgaben aufnehmen. Konvertieren Sie weniger Dateien, um eine Disc daraus zu machen.

Trotzdem alle konvertieren?</translation>
    </message>
    <message id="str.61529">
        <extracomment>printf placeholders, keep them in this order and kind: %s %d %d; write a literal percent sign as %%</extracomment>
        <source>One %s disc holds at most %d files, but %d were converted. Remove files from the list until at most that many are converted, and make the disc again.</source>
        <translation>Eine %s-Disc fasst höchstens %d Dateien, konvertiert wurden aber %d. Entfernen Sie Dateien aus der Liste, bis höchstens so viele konvertiert sind, und erstellen Sie die Disc erneut.</translation>
    </message>
    <message id="str.61620">
        <source>Duration:</source>
        <translation>Dauer:</translation>
    </message>
    <message id="str.61621">
        <source>Bitrate:</source>
        <translation>Bitrate:</translation>
    </message>
    <message id="str.61622">
        <source>Video</source>
        <translation>Video</translation>
    </message>
    <message id="str.61623">
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message id="str.61624">
        <extracomment>printf placeholders, keep them in this order and kind: %d %d %d; write a literal percent sign as %%</extracomment>
        <source>Version %d.%d.%d</source>
        <translation>Version %d.%d.%d</translation>
    </message>
    <message id="str.61625">
        <source>All Media Files</source>
        <translation>Alle Mediendateien</translation>
    </message>
    <message id="str.61626">
        <source>Video Files</source>
        <translation>Videodateien</translation>
    </message>
    <message id="str.61627">
        <source>Windows Media Files</source>
        <translation>Windows-Media-Dateien</translation>
    </message>
    <message id="str.61628">
        <source>QuickTime Media Files</source>
        <translation>QuickTime-Mediendateien</translation>
    </message>
    <message id="str.61629">
        <source>Real Media Files</source>
        <translation>RealMedia-Dateien</translation>
    </message>
    <message id="str.61630">
        <source>OGG Files</source>
        <translation>OGG-Dateien</translation>
    </message>
    <message id="str.61631">
        <source>All Files</source>
        <translation>Alle Dateien</translation>
    </message>
    <message id="str.61632">
        <extracomment>printf placeholders, keep them in this order and kind: %s; write a literal percent sign as %%</extracomment>
        <source>If you find any translation error, please mail to %s, thanks a lot.</source>
        <translation>Wenn Sie einen Übersetzungsfehler finden, schreiben Sie bitte an %s. Vielen Dank!</translation>
    </message>
    <message id="str.61633">
        <source>CAPS</source>
        <translation>UF</translation>
    </message>
    <message id="str.61634">
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message id="str.61635">
        <source>SCRL</source>
        <translation>RF</translation>
    </message>
    <message id="str.61636">
        <source>no output file was written</source>
        <translation>es wurde keine Ausgabedatei geschrieben</translation>
    </message>
    <message id="str.61637">
        <source>the output file is empty</source>
        <translation>die Ausgabedatei ist leer</translation>
    </message>
    <message id="str.61638">
        <source>the output is not a readable media file</source>
        <translation>die Ausgabe ist keine lesbare Mediendatei</translation>
    </message>
    <message id="str.61639">
        <extracomment>printf placeholders, keep them in this order and kind: %s %s; write a literal percent sign as %%</extracomment>
        <source>the output lasts %s s instead of %s s</source>
        <translation>die Ausgabe dauert %s s statt %s s</translation>
    </message>
    <message id="str.61640">
        <source>is a folder, not a media file</source>
        <translation>ist ein Ordner, keine Mediendatei</translation>
    </message>
    <message id="str.61641">
        <source>not a regular file</source>
        <translation>keine normale Datei</translation>
    </message>
    <message id="str.61642">
        <extracomment>printf placeholders, keep them in this order and kind: %s; write a literal percent sign as %%</extracomment>
        <source>not a readable media file (%s)</source>
        <translation>keine lesbare Mediendatei (%s)</translation>
    </message>
    <message id="str.61643">
        <extracomment>printf placeholders, keep them in this order and kind: %s; write a literal percent sign as %%</extracomment>
        <source>cannot read stream information (%s)</source>
        <translation>Stream-Informationen können nicht gelesen werden (%s)</translation>
    </message>
    <message id="str.61644">
        <source>holds no video or audio stream</source>
        <translation>enthält keinen Video- oder Audiostream</translation>
    </message>
    <message id="str.61645">
        <source>Unknown file format.</source>
        <translation>Unbekanntes Dateiformat.</translation>
    </message>
    <message id="str.61646">
        <source>Converting media files</source>
        <translation>Mediendateien werden umgewandelt</translation>
    </message>
    <message id="str.61647">
        <source>Making a disc image</source>
        <translation>Ein Disc-Abbild wird erstellt</translation>
    </message>
    <message id="str.61650">
        <extracomment>printf placeholders, keep them in this order and kind: %s; write a literal percent sign as %%</extracomment>
        <source>Can't open link:

%s</source>
        <translation>Der Link kann nicht geöffnet werden:

%s</translation>
    </message>
    <message id="str.61651">
        <extracomment>printf placeholders, keep them in this order and kind: %d; write a literal percent sign as %%</extracomment>
        <source>Unknown Error (%d) occurred.</source>
        <translation>Unbekannter Fehler (%d) aufgetreten.</translation>
    </message>
    <message id="str.61652">
        <source>The operating system is out
of memory or resources.</source>
        <translation>Das Betriebssystem hat keinen Speicher
oder keine Ressourcen mehr.</translation>
    </message>
    <message id="str.61653">
        <source>The specified file was not found.</source>
        <translation>Die angegebene Datei wurde nicht gefunden.</translation>
    </message>
    <message id="str.61654">
        <source>The specified path was not found.</source>
        <translation>Der angegebene Pfad wurde nicht gefunden.</translation>
    </message>
    <message id="str.61655">
        <source>The operating system denied
access to the specified file.</source>
        <translation>Das Betriebssystem hat den Zugriff
auf die angegebene Datei verweigert.</translation>
    </message>
    <message id="str.61656">
        <source>There was not enough memory to complete the operation.</source>
        <translation>Der Speicher reichte nicht aus, um den Vorgang abzuschließen.</translation>
    </message>
    <message id="str.61657">
        <source>The .EXE file is invalid
(non-Win32 .EXE or error in .EXE image).</source>
        <translation>Die .EXE-Datei ist ungültig
(keine Win32-.EXE oder Fehler im .EXE-Abbild).</translation>
    </message>
    <message id="str.61658">
        <source>A sharing violation occurred. </source>
        <translation>Es ist eine Freigabeverletzung aufgetreten. </translation>
    </message>
    <message id="str.61659">
        <source>The filename association is
incomplete or invalid.</source>
        <translation>Die Dateinamenzuordnung ist
unvollständig oder ungültig.</translation>
    </message>
    <message id="str.61660">
        <source>The DDE transaction could not
be completed because the request timed out.</source>
        <translation>Die DDE-Transaktion konnte nicht
abgeschlossen werden, weil die Anfrage zu lange dauerte.</translation>
    </message>
    <message id="str.61661">
        <source>The DDE transaction failed.</source>
        <translation>Die DDE-Transaktion ist fehlgeschlagen.</translation>
    </message>
    <message id="str.61662">
        <source>The DDE transaction could not
be completed because other DDE transactions
were being processed.</source>
        <translation>Die DDE-Transaktion konnte nicht
abgeschlossen werden, weil andere DDE-Transaktionen
gerade bearbeitet wurden.</translation>
    </message>
    <message id="str.61663">
        <source>There is no application associated
with the given filename extension.</source>
        <translation>Der angegebenen Dateinamenerweiterung
ist keine Anwendung zugeordnet.</translation>
    </message>
    <message id="str.61664">
        <source>The specified dynamic-link library was not found.</source>
        <translation>Die angegebene dynamische Bibliothek wurde nicht gefunden.</translation>
    </message>
    <message id="str.61700">
        <source>The run lasts %s and would take about %s at the disc's standard rate, more than the %s one disc holds.
How should it go onto discs?</source>
        <translation>Der Lauf dauert %s und bräuchte bei der Standardrate der Disc etwa %s, mehr als die %s, die eine Disc fasst.
Wie soll er auf Discs kommen?</translation>
    </message>
    <message id="str.61701">
        <source>&amp;Fit on one disc (%d kbit/s, %s)</source>
        <translation>Auf eine Disc &amp;einpassen (%d kbit/s, %s)</translation>
    </message>
    <message id="str.61702">
        <source>single layer</source>
        <translation>einschichtig</translation>
    </message>
    <message id="str.61703">
        <source>double layer</source>
        <translation>zweischichtig</translation>
    </message>
    <message id="str.61704">
        <source>80-minute CD</source>
        <translation>80-Minuten-CD</translation>
    </message>
    <message id="str.61705">
        <source>&amp;Several discs</source>
        <translation>&amp;Mehrere Discs</translation>
    </message>
    <message id="str.61706">
        <source>Convert &amp;as it is</source>
        <translation>&amp;Unverändert umwandeln</translation>
    </message>
    <message id="str.61707">
        <source>Even at the lowest rate of %d kbit/s the run does not fit on one disc, so it cannot be fitted; several discs take it.</source>
        <translation>Selbst mit der niedrigsten Rate von %d kbit/s passt der Lauf nicht auf eine Disc und kann nicht eingepasst werden; mehrere Discs nehmen ihn auf.</translation>
    </message>
    <message id="str.61708">
        <source>The length of %s is not known, so the run cannot be fitted to a disc.</source>
        <translation>Die Länge von %s ist nicht bekannt, daher kann der Lauf nicht in eine Disc eingepasst werden.</translation>
    </message>
    <message id="str.61709">
        <source>The discs were made, the titles in list order:
%s</source>
        <translation>Die Discs wurden erstellt, die Titel in der Reihenfolge der Liste:
%s</translation>
    </message>
    <message id="str.61710">
        <source>Disc %d: %s</source>
        <translation>Disc %d: %s</translation>
    </message>
    <message id="str.61711">
        <source>These files are each larger than one disc, so no split can take them:
%s</source>
        <translation>Diese Dateien sind jede für sich größer als eine Disc und lassen sich nicht aufteilen:
%s</translation>
    </message>
    <message id="str.61712">
        <source>Step %d/%d: making "%s" again at a lower rate, so that the run fits the disc.
          Click "Skip" or "Cancel" to abort conversion.</source>
        <translation>Schritt %d/%d: „%s“ wird mit niedrigerer Rate neu umgewandelt, damit der Lauf auf die Disc passt.
          Klicken Sie auf „Überspringen“ oder „Alle abbrechen“, um die Umwandlung abzubrechen.</translation>
    </message>
    <message id="str.61713">
        <source>Make &amp;one disc anyway</source>
        <translation>&amp;Trotzdem eine Disc erstellen</translation>
    </message>
    <message id="str.61714">
        <source>Measuring how much each file needs, so that the run fills the disc (nothing is written)...</source>
        <translation>Es wird gemessen, wie viel jede Datei braucht, damit der Lauf die Disc füllt (dabei wird nichts geschrieben)...</translation>
    </message>
    <message id="str.32811">
        <source>Make a DVD, VCD or SVCD disc image from the converted files
Make a disc</source>
        <translation>Ein DVD-, VCD- oder SVCD-Disc-Abbild aus den umgewandelten Dateien erstellen
Disc erstellen</translation>
    </message>
    <message id="menu.128.p0">
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message id="menu.128.p1">
        <source>&amp;Action</source>
        <translation>&amp;Aktion</translation>
    </message>
    <message id="menu.128.p2">
        <source>&amp;Language</source>
        <translation>&amp;Sprache</translation>
    </message>
    <message id="menu.128.p3">
        <source>&amp;Source Format</source>
        <translation>&amp;Quellformat</translation>
    </message>
    <message id="menu.128.p4">
        <source>&amp;Target Format</source>
        <translation>&amp;Zielformat</translation>
    </message>
    <message id="menu.128.p5">
        <source>&amp;Download</source>
        <translation>Do&amp;wnload</translation>
    </message>
    <message id="menu.128.p6">
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message id="menu.128.32701">
        <source>VCD/VOB</source>
        <translation>VCD/VOB</translation>
    </message>
    <message id="menu.128.32702">
        <source>MP4</source>
        <translation>MP4</translation>
    </message>
    <message id="menu.128.32703">
        <source>RM</source>
        <translation>RM</translation>
    </message>
    <message id="menu.128.32708">
        <source>MPEG</source>
        <translation>MPEG</translation>
    </message>
    <message id="menu.128.32709">
        <source>ASF</source>
        <translation>ASF</translation>
    </message>
    <message id="menu.128.32710">
        <source>WMV</source>
        <translation>WMV</translation>
    </message>
    <message id="menu.128.32712">
        <source>AVI</source>
        <translation>AVI</translation>
    </message>
    <message id="menu.128.32713">
        <source>MOV/QT</source>
        <translation>MOV/QT</translation>
    </message>
    <message id="menu.128.32717">
        <source>OGG/OGM</source>
        <translation>OGG/OGM</translation>
    </message>
    <message id="menu.128.32718">
        <source>Other</source>
        <translation>Andere</translation>
    </message>
    <message id="menu.128.32719">
        <source>MPEG4</source>
        <translation>MPEG4</translation>
    </message>
    <message id="menu.128.32720">
        <source>H.264</source>
        <translation>H.264</translation>
    </message>
    <message id="menu.128.32721">
        <source>MOV</source>
        <translation>MOV</translation>
    </message>
    <message id="menu.128.32722">
        <source>3GP</source>
        <translation>3GP</translation>
    </message>
    <message id="menu.128.32723">
        <source>OGM</source>
        <translation>OGM</translation>
    </message>
    <message id="menu.128.32724">
        <source>VCD</source>
        <translation>VCD</translation>
    </message>
    <message id="menu.128.32725">
        <source>DVD</source>
        <translation>DVD</translation>
    </message>
    <message id="menu.128.32726">
        <source>SVCD</source>
        <translation>SVCD</translation>
    </message>
    <message id="menu.128.32727">
        <source>DV</source>
        <translation>DV</translation>
    </message>
    <message id="menu.128.32730">
        <source>AVI</source>
        <translation>AVI</translation>
    </message>
    <message id="menu.128.32733">
        <source>WMV</source>
        <translation>WMV</translation>
    </message>
    <message id="menu.128.32750">
        <source>&amp;English</source>
        <translation>&amp;Englisch</translation>
    </message>
    <message id="menu.128.32751">
        <source>&amp;Chinese Simplified</source>
        <translation>&amp;Chinesisch (vereinfacht)</translation>
    </message>
    <message id="menu.128.32771">
        <source>Trelvane Audio Converter</source>
        <translation>Trelvane Audio Converter</translation>
    </message>
    <message id="menu.128.32772">
        <source>Trelvane DVD Creator</source>
        <translation>Trelvane DVD Creator</translation>
    </message>
    <message id="menu.128.32773">
        <source>Trelvane Video Joiner</source>
        <translation>Trelvane Video Joiner</translation>
    </message>
    <message id="menu.128.32774">
        <source>Trelvane Video Splitter</source>
        <translation>Trelvane Video Splitter</translation>
    </message>
    <message id="menu.128.32775">
        <source>Trelvane Screen Recorder</source>
        <translation>Trelvane Screen Recorder</translation>
    </message>
    <message id="menu.128.32776">
        <source>libmpv (Video Preview)</source>
        <translation>libmpv (Videovorschau)</translation>
    </message>
    <message id="menu.128.32777">
        <source>FFmpeg RealMedia Codecs</source>
        <translation>FFmpeg-RealMedia-Codecs</translation>
    </message>
    <message id="menu.128.32778">
        <source>FFmpeg Windows Media Codecs</source>
        <translation>FFmpeg-Windows-Media-Codecs</translation>
    </message>
    <message id="menu.128.32779">
        <source>FFmpeg QuickTime Codecs</source>
        <translation>FFmpeg-QuickTime-Codecs</translation>
    </message>
    <message id="menu.128.32780">
        <source>FFmpeg Ogg Codecs</source>
        <translation>FFmpeg-Ogg-Codecs</translation>
    </message>
    <message id="menu.128.32791">
        <source>&amp;Contents...</source>
        <translation>&amp;Inhalt...</translation>
    </message>
    <message id="menu.128.32792">
        <source>&amp;Tool Tips</source>
        <translation>&amp;Tipps</translation>
    </message>
    <message id="menu.128.32801">
        <source>&amp;Add...</source>
        <translation>&amp;Hinzufügen...</translation>
    </message>
    <message id="menu.128.32803">
        <source>&amp;Remove</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message id="menu.128.32804">
        <source>Re&amp;move All</source>
        <translation>&amp;Alle entfernen</translation>
    </message>
    <message id="menu.128.32805">
        <source>Move &amp;Up</source>
        <translation>Nach &amp;oben</translation>
    </message>
    <message id="menu.128.32806">
        <source>Move &amp;Down</source>
        <translation>Nach &amp;unten</translation>
    </message>
    <message id="menu.128.32807">
        <source>&amp;Preview</source>
        <translation>&amp;Vorschau</translation>
    </message>
    <message id="menu.128.32808">
        <source>&amp;Convert</source>
        <translation>U&amp;mwandeln</translation>
    </message>
    <message id="menu.128.32811">
        <source>&amp;Make a Disc from the Converted Files...</source>
        <translation>&amp;Disc aus den umgewandelten Dateien erstellen...</translation>
    </message>
    <message id="menu.128.57600">
        <source>&amp;New	Ctrl+N</source>
        <translation>&amp;Neu	Strg+N</translation>
    </message>
    <message id="menu.128.57601">
        <source>&amp;Open...	Ctrl+O</source>
        <translation>Ö&amp;ffnen...	Strg+O</translation>
    </message>
    <message id="menu.128.57603">
        <source>&amp;Save	Ctrl+S</source>
        <translation>&amp;Speichern	Strg+S</translation>
    </message>
    <message id="menu.128.57604">
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message id="menu.128.57664">
        <source>&amp;About Clipwright ...</source>
        <translation>Ü&amp;ber Clipwright ...</translation>
    </message>
    <message id="menu.128.57665">
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message id="dlg.100.caption">
        <source>About Clipwright</source>
        <translation>Über Clipwright</translation>
    </message>
    <message id="dlg.100.1">
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message id="dlg.100.1032">
        <source>https://www.trelvane.example/</source>
        <translation>https://www.trelvane.example/</translation>
    </message>
    <message id="dlg.100.1046">
        <source>Clipwright ( tm )</source>
        <translation>Clipwright ( tm )</translation>
    </message>
    <message id="dlg.100.1103">
        <source>Version 0.0.0</source>
        <translation>Version 0.0.0</translation>
    </message>
    <message id="dlg.100.40002">
        <source>Copyright (C) Trelvane. All rights reserved.
Clipwright is free to use; see the user manual for its licence.</source>
        <translation>Copyright (C) Trelvane. Alle Rechte vorbehalten.
Clipwright ist kostenlos nutzbar; die Lizenz steht im Benutzerhandbuch.</translation>
    </message>
    <message id="dlg.101.1002">
        <source>Browse...</source>
        <translation>Wählen...</translation>
    </message>
    <message id="dlg.101.1003">
        <source>Go</source>
        <translation>Öffnen</translation>
    </message>
    <message id="dlg.101.1004">
        <source>MPEG-4</source>
        <translation>MPEG-4</translation>
    </message>
    <message id="dlg.101.1005">
        <source>H.264</source>
        <translation>H.264</translation>
    </message>
    <message id="dlg.101.1006">
        <source>DVD</source>
        <translation>DVD</translation>
    </message>
    <message id="dlg.101.1007">
        <source>WMV</source>
        <translation>WMV</translation>
    </message>
    <message id="dlg.101.1008">
        <source>3GP</source>
        <translation>3GP</translation>
    </message>
    <message id="dlg.101.1009">
        <source>OGM</source>
        <translation>OGM</translation>
    </message>
    <message id="dlg.101.1010">
        <source>VCD</source>
        <translation>VCD</translation>
    </message>
    <message id="dlg.101.1011">
        <source>SVCD</source>
        <translation>SVCD</translation>
    </message>
    <message id="dlg.101.1012">
        <source>DV</source>
        <translation>DV</translation>
    </message>
    <message id="dlg.101.1013">
        <source>AVI</source>
        <translation>AVI</translation>
    </message>
    <message id="dlg.101.1015">
        <source>NTSC</source>
        <translation>NTSC</translation>
    </message>
    <message id="dlg.101.1016">
        <source>PAL</source>
        <translation>PAL</translation>
    </message>
    <message id="dlg.101.1017">
        <source>NTSC-Film</source>
        <translation>NTSC-Film</translation>
    </message>
    <message id="dlg.101.1077">
        <source>Format:</source>
        <translation>Format:</translation>
    </message>
    <message id="dlg.101.1101">
        <source>Tips: Please install libmpv 0.35 or later for the preview. ( Click Menu/Download )</source>
        <translation>Tipp: Für die Vorschau bitte libmpv 0.35 oder neuer installieren. ( Menü/Download )</translation>
    </message>
    <message id="dlg.101.1118">
        <source>Variable Bit Rate</source>
        <translation>Variable Bitrate</translation>
    </message>
    <message id="dlg.101.32792">
        <source>Hide the tooltips</source>
        <translation>Tipps ausblenden</translation>
    </message>
    <message id="dlg.101.40001">
        <source>Video Settings</source>
        <translation>Videoeinstellungen</translation>
    </message>
    <message id="dlg.101.40002">
        <source>Conversion Settings</source>
        <translation>Umwandlung</translation>
    </message>
    <message id="dlg.101.40003">
        <source>Type:</source>
        <translation>Typ:</translation>
    </message>
    <message id="dlg.101.40004">
        <source>Size:</source>
        <translation>Größe:</translation>
    </message>
    <message id="dlg.101.40005">
        <source>X=</source>
        <translation>X=</translation>
    </message>
    <message id="dlg.101.40006">
        <source>Y=</source>
        <translation>Y=</translation>
    </message>
    <message id="dlg.101.40007">
        <source>Framerate:</source>
        <translation>Bildrate:</translation>
    </message>
    <message id="dlg.101.40008">
        <source>Bitrate:</source>
        <translation>Bitrate:</translation>
    </message>
    <message id="dlg.101.40009">
        <source>Max:</source>
        <translation>Max:</translation>
    </message>
    <message id="dlg.101.40010">
        <source>kbps</source>
        <translation>kbit/s</translation>
    </message>
    <message id="dlg.101.40011">
        <source>Min:</source>
        <translation>Min:</translation>
    </message>
    <message id="dlg.101.40012">
        <source>kbps</source>
        <translation>kbit/s</translation>
    </message>
    <message id="dlg.101.40013">
        <source>Audio Settings</source>
        <translation>Audioeinstellungen</translation>
    </message>
    <message id="dlg.101.40014">
        <source>Channels:</source>
        <translation>Kanäle:</translation>
    </message>
    <message id="dlg.101.40015">
        <source>Bitrate:</source>
        <translation>Bitrate:</translation>
    </message>
    <message id="dlg.101.40016">
        <source>Samplerate:</source>
        <translation>Abtastrate:</translation>
    </message>
    <message id="dlg.101.40017">
        <source>Volume:</source>
        <translation>Lautstärke:</translation>
    </message>
    <message id="dlg.101.40018">
        <source>Path Information </source>
        <translation>Ausgabe </translation>
    </message>
    <message id="dlg.101.40019">
        <source>Output Path:</source>
        <translation>Zielordner:</translation>
    </message>
    <message id="dlg.106.caption">
        <source>Convert Video to VCD/DVD/SVCD/...</source>
        <translation>Video in VCD/DVD/SVCD/... umwandeln</translation>
    </message>
    <message id="dlg.106.1022">
        <source>Cancel All</source>
        <translation>Alle abbrechen</translation>
    </message>
    <message id="dlg.106.1028">
        <source>0k</source>
        <translation>0k</translation>
    </message>
    <message id="dlg.106.1030">
        <source>Prepare to convert...</source>
        <translation>Umwandlung wird vorbereitet...</translation>
    </message>
    <message id="dlg.106.1036">
        <source>Skip Current</source>
        <translation>Überspringen</translation>
    </message>
    <message id="dlg.106.40001">
        <source>Overall Progress:</source>
        <translation>Gesamtfortschritt:</translation>
    </message>
    <message id="dlg.106.40002">
        <source>Current Progress:</source>
        <translation>Aktuelle Datei:</translation>
    </message>
    <message id="dlg.106.40003">
        <source>File Size:</source>
        <translation>Dateigröße:</translation>
    </message>
    <message id="dlg.107.caption">
        <source>Preview and select a part to convert</source>
        <translation>Vorschau und Auswahl des umzuwandelnden Teils</translation>
    </message>
    <message id="dlg.107.1">
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message id="dlg.107.1037">
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message id="dlg.107.1043">
        <source>Slider1</source>
        <translation>Slider1</translation>
    </message>
    <message id="dlg.107.1049">
        <source>Play</source>
        <translation>Start</translation>
    </message>
    <message id="dlg.107.1050">
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message id="dlg.107.1051">
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message id="dlg.107.1052">
        <source>Start</source>
        <translation>Von</translation>
    </message>
    <message id="dlg.107.1053">
        <source>End</source>
        <translation>Bis</translation>
    </message>
    <message id="dlg.107.1054">
        <source>Full</source>
        <translation>Alles</translation>
    </message>
    <message id="dlg.107.1060">
        <source>Slider1</source>
        <translation>Slider1</translation>
    </message>
    <message id="dlg.107.1061">
        <source>Slider2</source>
        <translation>Slider2</translation>
    </message>
    <message id="dlg.107.40002">
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message id="dlg.107.40003">
        <source>Start Time:</source>
        <translation>Anfang:</translation>
    </message>
    <message id="dlg.107.40004">
        <source>End Time:</source>
        <translation>Ende:</translation>
    </message>
    <message id="dlg.107.40005">
        <source>Duration:</source>
        <translation>Dauer:</translation>
    </message>
    <message id="dlg.107.40006">
        <source>Elapsed Time:</source>
        <translation>Verstrichen:</translation>
    </message>
    <message id="dlg.107.40007">
        <source>Volume</source>
        <translation>Lautstärke</translation>
    </message>
    <message id="dlg.107.40008">
        <source>Min</source>
        <translation>Min</translation>
    </message>
    <message id="dlg.107.40009">
        <source>Max</source>
        <translation>Max</translation>
    </message>
    <message id="dlg.107.40010">
        <source>Balance</source>
        <translation>Balance</translation>
    </message>
    <message id="dlg.107.40011">
        <source>Left</source>
        <translation>L</translation>
    </message>
    <message id="dlg.107.40012">
        <source>Right</source>
        <translation>R</translation>
    </message>
    <message id="dlg.107.40013">
        <source>? You can select a part from the full duration to convert.</source>
        <translation>? Sie können einen Teil zum Umwandeln auswählen.</translation>
    </message>
    <message id="dlg.137.1030">
        <source>Detecting selected files...</source>
        <translation>Ausgewählte Dateien werden untersucht...</translation>
    </message>
    <message id="dlg.138.1073">
        <source>Hide the tooltips</source>
        <translation>Tipps ausblenden</translation>
    </message>
    <message id="dlg.138.40001">
        <source>Help 1-2-3-4

1. Add a media file or more to source list.
2. Preview it or set the convert part, full duration is default.
3. Select and set the target format.
4. OK, Convert it.</source>
        <translation>Hilfe 1-2-3-4

1. Mediendateien zur Quellliste hinzufügen.
2. Vorschau ansehen oder den Teil wählen (vorgegeben: alles).
3. Das Zielformat wählen und einstellen.
4. Fertig: umwandeln.</translation>
    </message>
    <message id="dlg.139.caption">
        <source>Making a Disc</source>
        <translation>Disc erstellen</translation>
    </message>
    <message id="dlg.139.1030">
        <source>Preparing...</source>
        <translation>Vorbereitung...</translation>
    </message>
    <message id="dlg.139.2">
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
</TS>
