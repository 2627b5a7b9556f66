<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="en_US">
<context>
    <name></name>
    <message id="str.100">
        <source>Initialization failed.  Make sure that the Qt 6 libraries are the correct version.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32701">
        <source>VCD/VOB source files can be converted
VCD/VOB</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32702">
        <source>MP4 source files can be converted
MP4</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32703">
        <source>RM source files can be converted
RM</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32708">
        <source>MPEG source files can be converted
MPEG</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32709">
        <source>ASF source files can be converted
ASF</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32710">
        <source>WMV source files can be converted
WMV</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32712">
        <source>AVI source files can be converted
AVI</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32713">
        <source>MOV/QT source files can be converted
MOV/QT</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32717">
        <source>OGG/OGM source files can be converted
OGG/OGM</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32718">
        <source>Other source files can be converted
Other</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32719">
        <source>MPEG4 is a target format
MPEG4</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32720">
        <source>H.264 is a target format
H.264</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32721">
        <source>MOV is a target format
MOV</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32722">
        <source>3GP is a target format
3GP</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32723">
        <source>OGM is a target format
OGM</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32724">
        <source>VCD is a target format
VCD</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32725">
        <source>DVD is a target format
DVD</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32726">
        <source>SVCD is a target format
SVCD</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32727">
        <source>DV is a target format
DV</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32730">
        <source>AVI is a target format
AVI</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32733">
        <source>WMV is a target format
WMV</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32750">
        <source>Show the user interface in English
English</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32751">
        <source>Show the user interface in Chinese Simplified
Chinese Simplified</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32771">
        <source>Open the web page of Trelvane Audio Converter
Trelvane Audio Converter</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32772">
        <source>Open the web page of Trelvane DVD Creator
Trelvane DVD Creator</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32773">
        <source>Open the web page of Trelvane Video Joiner
Trelvane Video Joiner</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32774">
        <source>Open the web page of Trelvane Video Splitter
Trelvane Video Splitter</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32775">
        <source>Open the web page of Trelvane Screen Recorder
Trelvane Screen Recorder</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32776">
        <source>Open the download page of libmpv (Video Preview)
libmpv (Video Preview)</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32777">
        <source>Open the download page of FFmpeg RealMedia Codecs
FFmpeg RealMedia Codecs</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32778">
        <source>Open the download page of FFmpeg Windows Media Codecs
FFmpeg Windows Media Codecs</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32779">
        <source>Open the download page of FFmpeg QuickTime Codecs
FFmpeg QuickTime Codecs</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32780">
        <source>Open the download page of FFmpeg Ogg Codecs
FFmpeg Ogg Codecs</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32791">
        <source>Open the user manual
Help Contents</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32792">
        <source>Show the help tips
Tool Tips</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32801">
        <source>Add source file(s)
Add source file(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32803">
        <source>Remove the selected source file(s)
Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32804">
        <source>Remove all source files
Remove All</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32805">
        <source>Move the selected source file up
Move Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32806">
        <source>Move the selected source file down
Move Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32807">
        <source>Preview the source file and select a part to convert
Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32808">
        <source>Convert all source files
Convert</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.57600">
        <source>Create a new document
New</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.57601">
        <source>Open an existing document
Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.57603">
        <source>Save the active document
Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.57604">
        <source>Save the active document with a new name
Save As</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.57664">
        <source>Display program information and version
About</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.57665">
        <source>Quit the application
Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61201">
        <source>Please restart the application after installing the FFmpeg Ogg codec libraries.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61205">
        <source>Can't playback the following files.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61207">
        <source>Conversion is canceled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61208">
        <source>Are you sure to cancel all convert tasks?</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61209">
        <source>Conversion is completed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61210">
        <source>Please restart the application after installing the FFmpeg Windows Media codec libraries.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61212">
        <extracomment>printf placeholders, keep them in this order and kind: %d %d %s; write a literal percent sign as %%</extracomment>
        <source>Detecting selected files.
No.%d/%d: "%s"</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61215">
        <extracomment>printf placeholders, keep them in this order and kind: %d %d %s %s; write a literal percent sign as %%</extracomment>
        <source>Step %d/%d: From "%s" 
          to "%s" 
          Click "Skip" or "Cancel" to abort conversion.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61221">
        <extracomment>printf placeholders, keep them in this order and kind: %s; write a literal percent sign as %%</extracomment>
        <source>Thanks for using %s. Sure to exit?</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61222">
        <source>Please note the following reasons:
1. This file is not an available media file or doesn't include audio data.
2. You haven't installed the FFmpeg codec libraries with Windows Media support.
3. You need install the FFmpeg RealMedia decoders when converting RM/RMVB/RAM.
4. You need install the FFmpeg QuickTime decoders when converting QT/MOV.
5. You need install other codec libraries.

Please click menu "Download" to get more.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61225">
        <source>You need download and install the FFmpeg Windows Media codec libraries before converting WMA and WMV format,
download it now?</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61226">
        <source>You need download and install the FFmpeg Ogg codec libraries before converting OGG format, 
download it now?</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61242">
        <source>Please select output folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61243">
        <source>Unknown file format . Please ensure your computer can playback the file normally.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61244">
        <source>The encoder program %s is missing, so no file can be added.
It was looked for in:
%s
Reinstall Clipwright to bring it back.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61245">
        <source>%d converted, %d skipped, %d failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61308">
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61310">
        <source>Convert</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61311">
        <source>Convert Duration</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61313">
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61315">
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61316">
        <source>Doing</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61317">
        <source>Done</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61319">
        <source>Move Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61320">
        <source>Move Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61322">
        <source>Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61323">
        <source>Ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61324">
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61325">
        <source>Remove All</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61328">
        <source>Skip</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61329">
        <source>Source</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61330">
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61332">
        <source>Target</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61335">
        <source>Waiting</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61336">
        <source>Recommended</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61337">
        <source>Keep Original</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61338">
        <source>1 Channel, Mono</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61339">
        <source>2 Channels, Stereo</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61340">
        <source>Disable Audio</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61380">
        <source>did not answer within %d s</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61381">
        <source>the encoder program ended unexpectedly</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61400">
        <extracomment>printf placeholders, keep them in this order and kind: %s %s; write a literal percent sign as %%</extracomment>
        <source>Speed %s, about %s left for all files</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61401">
        <extracomment>printf placeholders, keep them in this order and kind: %s %s %s; write a literal percent sign as %%</extracomment>
        <source>The conversion may need up to %s, but only %s is free in %s.
Convert anyway?</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61402">
        <source>The chosen part is empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61403">
        <source>There is no encoder for this output type.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61404">
        <extracomment>printf placeholders, keep them in this order and kind: %s; write a literal percent sign as %%</extracomment>
        <source>The encoder program %s is missing or could not be started.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61405">
        <extracomment>printf placeholders, keep them in this order and kind: %s; write a literal percent sign as %%</extracomment>
        <source>The output folder %s cannot be written to.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61406">
        <source>The disk of the output folder is full.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61407">
        <source>Write a report of this run (CSV and JSON) into the output folder and open it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61408">
        <extracomment>printf placeholders, keep them in this order and kind: %s; write a literal percent sign as %%</extracomment>
        <source>The report could not be written to %s.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61430">
        <extracomment>printf placeholders, keep them in this order and kind: %s; write a literal percent sign as %%</extracomment>
        <source>%s cannot be previewed: it is not a regular file (it is a FIFO or a device, for example).</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61440">
        <source>the name holds a zero byte, which no file name can hold</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61441">
        <source>This row's record did not match the list, so the row was not converted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61450">
        <source>A disc is made from DVD, VCD or SVCD conversions only. Choose one of these types and convert the list first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61451">
        <source>No file of the list has been converted yet. A disc is made from the files whose status is Done.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61452">
        <source>These files were converted for %s, but %s is chosen now:
%s
Convert them again for %s first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61453">
        <source>The converted files mix television standards, so they cannot go on one disc.
PAL:
%s
NTSC:
%s</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61454">
        <source>These converted files could not be read:
%s</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61455">
        <source>These files are not %s files (their frame size or rate does not fit):
%s</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61456">
        <source>To make the disc, %s is needed but was not found.
Install the Debian package: sudo apt install %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61457">
        <source>The disc image would take about %s, which is %s more than the %s a blank disc holds.
Put the titles onto several discs (none is cut), make one disc anyway, or cancel.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61458">
        <source>The folder %s is not empty. Choose a new or empty folder: nothing already there is overwritten.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61459">
        <source>Choose the folder for the disc</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61460">
        <source>Checking the converted files...</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61461">
        <source>Making the disc, step %d of %d: %s...</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61462">
        <source>The disc is ready:
%s</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61463">
        <source>The disc could not be made. The tool said:
%s</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61464">
        <source>Making the disc was cancelled. What it had written was removed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61465">
        <source>Make a %s disc image from the converted files now?</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61466">
        <source>%s is a file, not a folder. Choose a folder for the disc.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61520">
        <extracomment>printf placeholders, keep them in this order and kind: %d; write a literal percent sign as %%</extracomment>
        <source>The encoder program ended with status %d and gave no reason.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61521">
        <extracomment>printf placeholders, keep them in this order and kind: %d %s; write a literal percent sign as %%</extracomment>
        <source>The encoder program was ended by signal %d (%s).</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61522">
        <extracomment>printf placeholders, keep them in this order and kind: %d; write a literal percent sign as %%</extracomment>
        <source>The encoder program closed its output but did not end; it was stopped after %d s.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61523">
        <source>the encoder program found no length in it and gave no reason</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61524">
        <source>the file name is not valid UTF-8 and could not be passed on unchanged, so the file was not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61525">
        <extracomment>printf placeholders, keep them in this order and kind: %s; write a literal percent sign as %%</extracomment>
        <source>The encoder program %s exists but is not executable.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61526">
        <extracomment>printf placeholders, keep them in this order and kind: %s; write a literal percent sign as %%</extracomment>
        <source>The encoder program %s is a folder, not a program.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61527">
        <extracomment>printf placeholders, keep them in this order and kind: %s; write a literal percent sign as %%</extracomment>
        <source>The output file name is too long for the file system of the folder %s.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61528">
        <extracomment>printf placeholders, keep them in this order and kind: %s %d %d; write a literal percent sign as %%</extracomment>
        <source>One %s disc holds at most %d files, and %d are listed: Make a Disc will not take all of their outputs. Convert fewer files to make one disc of them.

Convert all of them anyway?</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61529">
        <extracomment>printf placeholders, keep them in this order and kind: %s %d %d; write a literal percent sign as %%</extracomment>
        <source>One %s disc holds at most %d files, but %d were converted. Remove files from the list until at most that many are converted, and make the disc again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61620">
        <source>Duration:</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61621">
        <source>Bitrate:</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61622">
        <source>Video</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61623">
        <source>Audio</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61624">
        <extracomment>printf placeholders, keep them in this order and kind: %d %d %d; write a literal percent sign as %%</extracomment>
        <source>Version %d.%d.%d</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61625">
        <source>All Media Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61626">
        <source>Video Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61627">
        <source>Windows Media Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61628">
        <source>QuickTime Media Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61629">
        <source>Real Media Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61630">
        <source>OGG Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61631">
        <source>All Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61632">
        <extracomment>printf placeholders, keep them in this order and kind: %s; write a literal percent sign as %%</extracomment>
        <source>If you find any translation error, please mail to %s, thanks a lot.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61633">
        <source>CAPS</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61634">
        <source>NUM</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61635">
        <source>SCRL</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61636">
        <source>no output file was written</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61637">
        <source>the output file is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61638">
        <source>the output is not a readable media file</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61639">
        <extracomment>printf placeholders, keep them in this order and kind: %s %s; write a literal percent sign as %%</extracomment>
        <source>the output lasts %s s instead of %s s</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61640">
        <source>is a folder, not a media file</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61641">
        <source>not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61642">
        <extracomment>printf placeholders, keep them in this order and kind: %s; write a literal percent sign as %%</extracomment>
        <source>not a readable media file (%s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61643">
        <extracomment>printf placeholders, keep them in this order and kind: %s; write a literal percent sign as %%</extracomment>
        <source>cannot read stream information (%s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61644">
        <source>holds no video or audio stream</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61645">
        <source>Unknown file format.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61646">
        <source>Converting media files</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61647">
        <source>Making a disc image</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61650">
        <extracomment>printf placeholders, keep them in this order and kind: %s; write a literal percent sign as %%</extracomment>
        <source>Can't open link:

%s</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61651">
        <extracomment>printf placeholders, keep them in this order and kind: %d; write a literal percent sign as %%</extracomment>
        <source>Unknown Error (%d) occurred.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61652">
        <source>The operating system is out
of memory or resources.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61653">
        <source>The specified file was not found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61654">
        <source>The specified path was not found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61655">
        <source>The operating system denied
access to the specified file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61656">
        <source>There was not enough memory to complete the operation.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61657">
        <source>The .EXE file is invalid
(non-Win32 .EXE or error in .EXE image).</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61658">
        <source>A sharing violation occurred. </source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61659">
        <source>The filename association is
incomplete or invalid.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61660">
        <source>The DDE transaction could not
be completed because the request timed out.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61661">
        <source>The DDE transaction failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61662">
        <source>The DDE transaction could not
be completed because other DDE transactions
were being processed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61663">
        <source>There is no application associated
with the given filename extension.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61664">
        <source>The specified dynamic-link library was not found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61700">
        <source>The run lasts %s and would take about %s at the disc's standard rate, more than the %s one disc holds.
How should it go onto discs?</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61701">
        <source>&amp;Fit on one disc (%d kbit/s, %s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61702">
        <source>single layer</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61703">
        <source>double layer</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61704">
        <source>80-minute CD</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61705">
        <source>&amp;Several discs</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61706">
        <source>Convert &amp;as it is</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61707">
        <source>Even at the lowest rate of %d kbit/s the run does not fit on one disc, so it cannot be fitted; several discs take it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61708">
        <source>The length of %s is not known, so the run cannot be fitted to a disc.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61709">
        <source>The discs were made, the titles in list order:
%s</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61710">
        <source>Disc %d: %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61711">
        <source>These files are each larger than one disc, so no split can take them:
%s</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61712">
        <source>Step %d/%d: making "%s" again at a lower rate, so that the run fits the disc.
          Click "Skip" or "Cancel" to abort conversion.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61713">
        <source>Make &amp;one disc anyway</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.61714">
        <source>Measuring how much each file needs, so that the run fills the disc (nothing is written)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="str.32811">
        <source>Make a DVD, VCD or SVCD disc image from the converted files
Make a disc</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.p0">
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.p1">
        <source>&amp;Action</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.p2">
        <source>&amp;Language</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.p3">
        <source>&amp;Source Format</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.p4">
        <source>&amp;Target Format</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.p5">
        <source>&amp;Download</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.p6">
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32701">
        <source>VCD/VOB</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32702">
        <source>MP4</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32703">
        <source>RM</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32708">
        <source>MPEG</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32709">
        <source>ASF</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32710">
        <source>WMV</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32712">
        <source>AVI</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32713">
        <source>MOV/QT</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32717">
        <source>OGG/OGM</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32718">
        <source>Other</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32719">
        <source>MPEG4</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32720">
        <source>H.264</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32721">
        <source>MOV</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32722">
        <source>3GP</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32723">
        <source>OGM</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32724">
        <source>VCD</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32725">
        <source>DVD</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32726">
        <source>SVCD</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32727">
        <source>DV</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32730">
        <source>AVI</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32733">
        <source>WMV</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32750">
        <source>&amp;English</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32751">
        <source>&amp;Chinese Simplified</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32771">
        <source>Trelvane Audio Converter</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32772">
        <source>Trelvane DVD Creator</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32773">
        <source>Trelvane Video Joiner</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32774">
        <source>Trelvane Video Splitter</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32775">
        <source>Trelvane Screen Recorder</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32776">
        <source>libmpv (Video Preview)</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32777">
        <source>FFmpeg RealMedia Codecs</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32778">
        <source>FFmpeg Windows Media Codecs</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32779">
        <source>FFmpeg QuickTime Codecs</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32780">
        <source>FFmpeg Ogg Codecs</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32791">
        <source>&amp;Contents...</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32792">
        <source>&amp;Tool Tips</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32801">
        <source>&amp;Add...</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32803">
        <source>&amp;Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32804">
        <source>Re&amp;move All</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32805">
        <source>Move &amp;Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32806">
        <source>Move &amp;Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32807">
        <source>&amp;Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32808">
        <source>&amp;Convert</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.32811">
        <source>&amp;Make a Disc from the Converted Files...</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.57600">
        <source>&amp;New	Ctrl+N</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.57601">
        <source>&amp;Open...	Ctrl+O</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.57603">
        <source>&amp;Save	Ctrl+S</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.57604">
        <source>Save &amp;As...</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.57664">
        <source>&amp;About Clipwright ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.128.57665">
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.100.caption">
        <source>About Clipwright</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.100.1">
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.100.1032">
        <source>https://www.trelvane.example/</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.100.1046">
        <source>Clipwright ( tm )</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.100.1103">
        <source>Version 0.0.0</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.100.40002">
        <source>Copyright (C) Trelvane. All rights reserved.
Clipwright is free to use; see the user manual for its licence.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.1002">
        <source>Browse...</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.1003">
        <source>Go</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.1004">
        <source>MPEG-4</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.1005">
        <source>H.264</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.1006">
        <source>DVD</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.1007">
        <source>WMV</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.1008">
        <source>3GP</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.1009">
        <source>OGM</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.1010">
        <source>VCD</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.1011">
        <source>SVCD</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.1012">
        <source>DV</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.1013">
        <source>AVI</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.1015">
        <source>NTSC</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.1016">
        <source>PAL</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.1017">
        <source>NTSC-Film</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.1077">
        <source>Format:</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.1101">
        <source>Tips: Please install libmpv 0.35 or later for the preview. ( Click Menu/Download )</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.1118">
        <source>Variable Bit Rate</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.32792">
        <source>Hide the tooltips</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.40001">
        <source>Video Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.40002">
        <source>Conversion Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.40003">
        <source>Type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.40004">
        <source>Size:</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.40005">
        <source>X=</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.40006">
        <source>Y=</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.40007">
        <source>Framerate:</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.40008">
        <source>Bitrate:</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.40009">
        <source>Max:</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.40010">
        <source>kbps</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.40011">
        <source>Min:</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.40012">
        <source>kbps</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.40013">
        <source>Audio Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.40014">
        <source>Channels:</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.40015">
        <source>Bitrate:</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.40016">
        <source>Samplerate:</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.40017">
        <source>Volume:</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.40018">
        <source>Path Information </source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.101.40019">
        <source>Output Path:</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.106.caption">
        <source>Convert Video to VCD/DVD/SVCD/...</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.106.1022">
        <source>Cancel All</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.106.1028">
        <source>0k</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.106.1030">
        <source>Prepare to convert...</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.106.1036">
        <source>Skip Current</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.106.40001">
        <source>Overall Progress:</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.106.40002">
        <source>Current Progress:</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.106.40003">
        <source>File Size:</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.107.caption">
        <source>Preview and select a part to convert</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.107.1">
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.107.1037">
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.107.1043">
        <source>Slider1</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.107.1049">
        <source>Play</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.107.1050">
        <source>Pause</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.107.1051">
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.107.1052">
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.107.1053">
        <source>End</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.107.1054">
        <source>Full</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.107.1060">
        <source>Slider1</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.107.1061">
        <source>Slider2</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.107.40002">
        <source>Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.107.40003">
        <source>Start Time:</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.107.40004">
        <source>End Time:</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.107.40005">
        <source>Duration:</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.107.40006">
        <source>Elapsed Time:</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.107.40007">
        <source>Volume</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.107.40008">
        <source>Min</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.107.40009">
        <source>Max</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.107.40010">
        <source>Balance</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.107.40011">
        <source>Left</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.107.40012">
        <source>Right</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.107.40013">
        <source>? You can select a part from the full duration to convert.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.137.1030">
        <source>Detecting selected files...</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.138.1073">
        <source>Hide the tooltips</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.138.40001">
        <source>Help 1-2-3-4

1. Add a media file or more to source list.
2. Preview it or set the convert part, full duration is default.
3. Select and set the target format.
4. OK, Convert it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.139.caption">
        <source>Making a Disc</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.139.1030">
        <source>Preparing...</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="dlg.139.2">
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
