<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en_US">
<context>
    <name></name>
    <message id="str.100">
        <source>Initialization failed.  Make sure that the Qt 6 libraries are the correct version.</source>
        <translation>初始化失败。请确认 Qt 6 库的版本正确。</translation>
    </message>
    <message id="str.32701">
        <source>VCD/VOB source files can be converted
VCD/VOB</source>
        <translation>可以转换 VCD/VOB 源文件
VCD/VOB</translation>
    </message>
    <message id="str.32702">
        <source>MP4 source files can be converted
MP4</source>
        <translation>可以转换 MP4 源文件
MP4</translation>
    </message>
    <message id="str.32703">
        <source>RM source files can be converted
RM</source>
        <translation>可以转换 RM 源文件
RM</translation>
    </message>
    <message id="str.32708">
        <source>MPEG source files can be converted
MPEG</source>
        <translation>可以转换 MPEG 源文件
MPEG</translation>
    </message>
    <message id="str.32709">
        <source>ASF source files can be converted
ASF</source>
        <translation>可以转换 ASF 源文件
ASF</translation>
    </message>
    <message id="str.32710">
        <source>WMV source files can be converted
WMV</source>
        <translation>可以转换 WMV 源文件
WMV</translation>
    </message>
    <message id="str.32712">
        <source>AVI source files can be converted
AVI</source>
        <translation>可以转换 AVI 源文件
AVI</translation>
    </message>
    <message id="str.32713">
        <source>MOV/QT source files can be converted
MOV/QT</source>
        <translation>可以转换 MOV/QT 源文件
MOV/QT</translation>
    </message>
    <message id="str.32717">
        <source>OGG/OGM source files can be converted
OGG/OGM</source>
        <translation>可以转换 OGG/OGM 源文件
OGG/OGM</translation>
    </message>
    <message id="str.32718">
        <source>Other source files can be converted
Other</source>
        <translation>可以转换其他源文件
其他</translation>
    </message>
    <message id="str.32719">
        <source>MPEG4 is a target format
MPEG4</source>
        <translation>MPEG4 是一种目标格式
MPEG4</translation>
    </message>
    <message id="str.32720">
        <source>H.264 is a target format
H.264</source>
        <translation>H.264 是一种目标格式
H.264</translation>
    </message>
    <message id="str.32721">
        <source>MOV is a target format
MOV</source>
        <translation>MOV 是一种目标格式
MOV</translation>
    </message>
    <message id="str.32722">
        <source>3GP is a target format
3GP</source>
        <translation>3GP 是一种目标格式
3GP</translation>
    </message>
    <message id="str.32723">
        <source>OGM is a target format
OGM</source>
        <translation>OGM 是一种目标格式
OGM</translation>
    </message>
    <message id="str.32724">
        <source>VCD is a target format
VCD</source>
        <translation>VCD 是一种目标格式
VCD</translation>
    </message>
    <message id="str.32725">
        <source>DVD is a target format
DVD</source>
        <translation>DVD 是一种目标格式
DVD</translation>
    </message>
    <message id="str.32726">
        <source>SVCD is a target format
SVCD</source>
        <translation>SVCD 是一种目标格式
SVCD</translation>
    </message>
    <message id="str.32727">
        <source>DV is a target format
DV</source>
        <translation>DV 是一种目标格式
DV</translation>
    </message>
    <message id="str.32730">
        <source>AVI is a target format
AVI</source>
        <translation>AVI 是一种目标格式
AVI</translation>
    </message>
    <message id="str.32733">
        <source>WMV is a target format
WMV</source>
        <translation>WMV 是一种目标格式
WMV</translation>
    </message>
    <message id="str.32750">
        <source>Show the user interface in English
English</source>
        <translation>以英语显示用户界面
英语</translation>
    </message>
    <message id="str.32751">
        <source>Show the user interface in Chinese Simplified
Chinese Simplified</source>
        <translation>以简体中文显示用户界面
简体中文</translation>
    </message>
    <message id="str.32771">
        <source>Open the web page of Trelvane Audio Converter
Trelvane Audio Converter</source>
        <translation>打开 Trelvane Audio Converter 的网页
Trelvane Audio Converter</translation>
    </message>
    <message id="str.32772">
        <source>Open the web page of Trelvane DVD Creator
Trelvane DVD Creator</source>
        <translation>打开 Trelvane DVD Creator 的网页
Trelvane DVD Creator</translation>
    </message>
    <message id="str.32773">
        <source>Open the web page of Trelvane Video Joiner
Trelvane Video Joiner</source>
        <translation>打开 Trelvane Video Joiner 的网页
Trelvane Video Joiner</translation>
    </message>
    <message id="str.32774">
        <source>Open the web page of Trelvane Video Splitter
Trelvane Video Splitter</source>
        <translation>打开 Trelvane Video Splitter 的网页
Trelvane Video Splitter</translation>
    </message>
    <message id="str.32775">
        <source>Open the web page of Trelvane Screen Recorder
Trelvane Screen Recorder</source>
        <translation>打开 Trelvane Screen Recorder 的网页
Trelvane Screen Recorder</translation>
    </message>
    <message id="str.32776">
        <source>Open the download page of libmpv (Video Preview)
libmpv (Video Preview)</source>
        <translation>打开 libmpv（视频预览）的下载页面
libmpv（视频预览）</translation>
    </message>
    <message id="str.32777">
        <source>Open the download page of FFmpeg RealMedia Codecs
FFmpeg RealMedia Codecs</source>
        <translation>打开 FFmpeg RealMedia 编解码器的下载页面
FFmpeg RealMedia 编解码器</translation>
    </message>
    <message id="str.32778">
        <source>Open the download page of FFmpeg Windows Media Codecs
FFmpeg Windows Media Codecs</source>
        <translation>打开 FFmpeg Windows Media 编解码器的下载页面
FFmpeg Windows Media 编解码器</translation>
    </message>
    <message id="str.32779">
        <source>Open the download page of FFmpeg QuickTime Codecs
FFmpeg QuickTime Codecs</source>
        <translation>打开 FFmpeg QuickTime 编解码器的下载页面
FFmpeg QuickTime 编解码器</translation>
    </message>
    <message id="str.32780">
        <source>Open the download page of FFmpeg Ogg Codecs
FFmpeg Ogg Codecs</source>
        <translation>打开 FFmpeg Ogg 编解码器的下载页面
FFmpeg Ogg 编解码器</translation>
    </message>
    <message id="str.32791">
        <source>Open the user manual
Help Contents</source>
        <translation>打开用户手册
帮助目录</translation>
    </message>
    <message id="str.32792">
        <source>Show the help tips
Tool Tips</source>
        <translation>显示帮助提示
使用提示</translation>
    </message>
    <message id="str.32801">
        <source>Add source file(s)
Add source file(s)</source>
        <translation>添加源文件
添加源文件</translation>
    </message>
    <message id="str.32803">
        <source>Remove the selected source file(s)
Remove</source>
        <translation>移除选定的源文件
移除</translation>
    </message>
    <message id="str.32804">
        <source>Remove all source files
Remove All</source>
        <translation>移除所有源文件
全部移除</translation>
    </message>
    <message id="str.32805">
        <source>Move the selected source file up
Move Up</source>
        <translation>将选定的源文件上移
上移</translation>
    </message>
    <message id="str.32806">
        <source>Move the selected source file down
Move Down</source>
        <translation>将选定的源文件下移
下移</translation>
    </message>
    <message id="str.32807">
        <source>Preview the source file and select a part to convert
Preview</source>
        <translation>预览源文件并选择要转换的片段
预览</translation>
    </message>
    <message id="str.32808">
        <source>Convert all source files
Convert</source>
        <translation>转换所有源文件
转换</translation>
    </message>
    <message id="str.57600">
        <source>Create a new document
New</source>
        <translation>新建文档
新建</translation>
    </message>
    <message id="str.57601">
        <source>Open an existing document
Open</source>
        <translation>打开现有文档
打开</translation>
    </message>
    <message id="str.57603">
        <source>Save the active document
Save</source>
        <translation>保存当前文档
保存</translation>
    </message>
    <message id="str.57604">
        <source>Save the active document with a new name
Save As</source>
        <translation>以新名称保存当前文档
另存为</translation>
    </message>
    <message id="str.57664">
        <source>Display program information and version
About</source>
        <translation>显示程序信息和版本
关于</translation>
    </message>
    <message id="str.57665">
        <source>Quit the application
Exit</source>
        <translation>退出应用程序
退出</translation>
    </message>
    <message id="str.61201">
        <source>Please restart the application after installing the FFmpeg Ogg codec libraries.</source>
        <translation>安装 FFmpeg Ogg 编解码器库后，请重新启动本程序。</translation>
    </message>
    <message id="str.61205">
        <source>Can't playback the following files.</source>
        <translation>无法播放以下文件。</translation>
    </message>
    <message id="str.61207">
        <source>Conversion is canceled.</source>
        <translation>转换已取消。</translation>
    </message>
    <message id="str.61208">
        <source>Are you sure to cancel all convert tasks?</source>
        <translation>确定要取消所有转换任务吗？</translation>
    </message>
    <message id="str.61209">
        <source>Conversion is completed.</source>
        <translation>转换已完成。</translation>
    </message>
    <message id="str.61210">
        <source>Please restart the application after installing the FFmpeg Windows Media codec libraries.</source>
        <translation>安装 FFmpeg Windows Media 编解码器库后，请重新启动本程序。</translation>
    </message>
    <message id="str.61212">
        <extracomment>printf placeholders, keep them in this order and kind: %d %d %s; write a literal percent sign as %%</extracomment>
        <source>Detecting selected files.
No.%d/%d: "%s"</source>
        <translation>正在检测选定的文件。
第 %d/%d 个：“%s”</translation>
    </message>
    <message id="str.61215">
        <extracomment>printf placeholders, keep them in this order and kind: %d %d %s %s; write a literal percent sign as %%</extracomment>
        <source>Step %d/%d: From "%s" 
          to "%s" 
          Click "Skip" or "Cancel" to abort conversion.</source>
        <translation>第 %d/%d 步：从“%s” 
          转换为“%s” 
          点击“跳过当前”或“全部取消”可中止转换。</translation>
    </message>
    <message id="str.61221">
        <extracomment>printf placeholders, keep them in this order and kind: %s; write a literal percent sign as %%</extracomment>
        <source>Thanks for using %s. Sure to exit?</source>
        <translation>感谢使用 %s。确定要退出吗？</translation>
    </message>
    <message id="str.61222">
        <source>Please note the following reasons:
1. This file is not an available media file or doesn't include audio data.
2. You haven't installed the FFmpeg codec libraries with Windows Media support.
3. You need install the FFmpeg RealMedia decoders when converting RM/RMVB/RAM.
4. You need install the FFmpeg QuickTime decoders when converting QT/MOV.
5. You need install other codec libraries.

Please click menu "Download" to get more.</source>
        <translation>请注意以下可能的原因：
1. 此文件不是可用的媒体文件，或不含音频数据。
2. 尚未安装支持 Windows Media 的 FFmpeg 编解码器库。
3. 转换 RM/RMVB/RAM 文件需要安装 FFmpeg RealMedia 解码器。
4. 转换 QT/MOV 文件需要安装 FFmpeg QuickTime 解码器。
5. 需要安装其他编解码器库。

请点击“下载”菜单获取更多内容。</translation>
    </message>
    <message id="str.61225">
        <source>You need download and install the FFmpeg Windows Media codec libraries before converting WMA and WMV format,
download it now?</source>
        <translation>转换 WMA 和 WMV 格式之前，需要下载并安装 FFmpeg Windows Media 编解码器库，
现在下载吗？</translation>
    </message>
    <message id="str.61226">
        <source>You need download and install the FFmpeg Ogg codec libraries before converting OGG format, 
download it now?</source>
        <translation>转换 OGG 格式之前，需要下载并安装 FFmpeg Ogg 编解码器库， 
现在下载吗？</translation>
    </message>
    <message id="str.61242">
        <source>Please select output folder</source>
        <translation>请选择输出文件夹</translation>
    </message>
    <message id="str.61243">
        <source>Unknown file format . Please ensure your computer can playback the file normally.</source>
        <translation>未知的文件格式。请确认您的计算机能正常播放此文件。</translation>
    </message>
    <message id="str.61244">
        <source>The encoder program %s is missing, so no file can be added.
It was looked for in:
%s
Reinstall Clipwright to bring it back.</source>
        <translation>编码程序 %s 不存在，因此无法添加文件。
已在以下位置查找：
%s
请重新安装 Clipwright 以恢复它。</translation>
    </message>
    <message id="str.61245">
        <source>%d converted, %d skipped, %d failed.</source>
        <translation>已转换 %d 个，跳过 %d 个，失败 %d 个。</translation>
    </message>
    <message id="str.61308">
        <source>Add</source>
        <translation>添加</translation>
    </message>
    <message id="str.61310">
        <source>Convert</source>
        <translation>转换</translation>
    </message>
    <message id="str.61311">
        <source>Convert Duration</source>
        <translation>转换时长</translation>
    </message>
    <message id="str.61313">
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message id="str.61315">
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message id="str.61316">
        <source>Doing</source>
        <translation>正在转换</translation>
    </message>
    <message id="str.61317">
        <source>Done</source>
        <translation>完成</translation>
    </message>
    <message id="str.61319">
        <source>Move Up</source>
        <translation>上移</translation>
    </message>
    <message id="str.61320">
        <source>Move Down</source>
        <translation>下移</translation>
    </message>
    <message id="str.61322">
        <source>Preview</source>
        <translation>预览</translation>
    </message>
    <message id="str.61323">
        <source>Ready</source>
        <translation>就绪</translation>
    </message>
    <message id="str.61324">
        <source>Remove</source>
        <translation>移除</translation>
    </message>
    <message id="str.61325">
        <source>Remove All</source>
        <translation>全部移除</translation>
    </message>
    <message id="str.61328">
        <source>Skip</source>
        <translation>已跳过</translation>
    </message>
    <message id="str.61329">
        <source>Source</source>
        <translation>源文件</translation>
    </message>
    <message id="str.61330">
        <source>Status</source>
        <translation>状态</translation>
    </message>
    <message id="str.61332">
        <source>Target</source>
        <translation>目标</translation>
    </message>
    <message id="str.61335">
        <source>Waiting</source>
        <translation>等待</translation>
    </message>
    <message id="str.61336">
        <source>Recommended</source>
        <translation>推荐</translation>
    </message>
    <message id="str.61337">
        <source>Keep Original</source>
        <translation>保持原样</translation>
    </message>
    <message id="str.61338">
        <source>1 Channel, Mono</source>
        <translation>1 声道，单声道</translation>
    </message>
    <message id="str.61339">
        <source>2 Channels, Stereo</source>
        <translation>2 声道，立体声</translation>
    </message>
    <message id="str.61340">
        <source>Disable Audio</source>
        <translation>禁用音频</translation>
    </message>
    <message id="str.61380">
        <source>did not answer within %d s</source>
        <translation>未在 %d 秒内响应</translation>
    </message>
    <message id="str.61381">
        <source>the encoder program ended unexpectedly</source>
        <translation>编码程序意外终止</translation>
    </message>
    <message id="str.61400">
        <extracomment>printf placeholders, keep them in this order and kind: %s %s; write a literal percent sign as %%</extracomment>
        <source>Speed %s, about %s left for all files</source>
        <translation>速度 %s，全部文件约剩 %s</translation>
    </message>
    <message id="str.61401">
        <extracomment>printf placeholders, keep them in this order and kind: %s %s %s; write a literal percent sign as %%</extracomment>
        <source>The conversion may need up to %s, but only %s is free in %s.
Convert anyway?</source>
        <translation>转换最多可能需要 %s，但只剩 %s 可用空间（位于 %s）。
仍然转换吗？</translation>
    </message>
    <message id="str.61402">
        <source>The chosen part is empty.</source>
        <translation>所选片段为空。</translation>
    </message>
    <message id="str.61403">
        <source>There is no encoder for this output type.</source>
        <translation>此输出类型没有可用的编码器。</translation>
    </message>
    <message id="str.61404">
        <extracomment>printf placeholders, keep them in this order and kind: %s; write a literal percent sign as %%</extracomment>
        <source>The encoder program %s is missing or could not be started.</source>
        <translation>编码程序 %s 缺失或无法启动。</translation>
    </message>
    <message id="str.61405">
        <extracomment>printf placeholders, keep them in this order and kind: %s; write a literal percent sign as %%</extracomment>
        <source>The output folder %s cannot be written to.</source>
        <translation>无法写入输出文件夹 %s。</translation>
    </message>
    <message id="str.61406">
        <source>The disk of the output folder is full.</source>
        <translation>输出文件夹所在的磁盘已满。</translation>
    </message>
    <message id="str.61407">
        <source>Write a report of this run (CSV and JSON) into the output folder and open it?</source>
        <translation>将本次转换的报告（CSV 和 JSON）写入输出文件夹并打开吗？</translation>
    </message>
    <message id="str.61408">
        <extracomment>printf placeholders, keep them in this order and kind: %s; write a literal percent sign as %%</extracomment>
        <source>The report could not be written to %s.</source>
        <translation>无法将报告写入 %s。</translation>
    </message>
    <message id="str.61430">
        <extracomment>printf placeholders, keep them in this order and kind: %s; write a literal percent sign as %%</extracomment>
        <source>%s cannot be previewed: it is not a regular file (it is a FIFO or a device, for example).</source>
        <translation>无法预览 %s：它不是普通文件（例如是 FIFO 或设备）。</translation>
    </message>
    <message id="str.61440">
        <source>the name holds a zero byte, which no file name can hold</source>
        <translation>名称中含有零字节，文件名不能含有零字节</translation>
    </message>
    <message id="str.61441">
        <source>This row's record did not match the list, so the row was not converted.</source>
        <translation>此行的记录与列表不符，因此未转换此行。</translation>
    </message>
    <message id="str.61450">
        <source>A disc is made from DVD, VCD or SVCD conversions only. Choose one of these types and convert the list first.</source>
        <translation>只能用 DVD、VCD 或 SVCD 转换结果制作光盘。请先选择其中一种类型并转换列表。</translation>
    </message>
    <message id="str.61451">
        <source>No file of the list has been converted yet. A disc is made from the files whose status is Done.</source>
        <translation>列表中还没有已转换的文件。光盘由状态为“完成”的文件制作。</translation>
    </message>
    <message id="str.61452">
        <source>These files were converted for %s, but %s is chosen now:
%s
Convert them again for %s first.</source>
        <translation>这些文件是按 %s 转换的，但现在选择的是 %s：
%s
请先按 %s 重新转换。</translation>
    </message>
    <message id="str.61453">
        <source>The converted files mix television standards, so they cannot go on one disc.
PAL:
%s
NTSC:
%s</source>
        <translation>转换后的文件混用了不同的电视制式，无法放在同一张光盘上。
PAL：
%s
NTSC：
%s</translation>
    </message>
    <message id="str.61454">
        <source>These converted files could not be read:
%s</source>
        <translation>无法读取这些转换后的文件：
%s</translation>
    </message>
    <message id="str.61455">
        <source>These files are not %s files (their frame size or rate does not fit):
%s</source>
        <translation>这些文件不是 %s 文件（画面尺寸或帧率不符）：
%s</translation>
    </message>
    <message id="str.61456">
        <source>To make the disc, %s is needed but was not found.
Install the Debian package: sudo apt install %s</source>
        <translation>制作光盘需要 %s，但未找到。
请安装 Debian 软件包：sudo apt install %s</translation>
    </message>
    <message id="str.61457">
        <source>The disc image would take about %s, which is %s more than the %s a blank disc holds.
Put the titles onto several discs (none is cut), make one disc anyway, or cancel.</source>
        <translation>光盘映像约为 %s，超出 %s，多于空白光盘可容纳的 %s。
可将标题分到多张光盘（不拆分任何标题）、仍然制作一张光盘，或者取消。</translation>
    </message>
    <message id="str.61458">
        <source>The folder %s is not empty. Choose a new or empty folder: nothing already there is overwritten.</source>
        <translation>文件夹 %s 不是空的。请选择一个新的或空的文件夹：不会覆盖已有的任何内容。</translation>
    </message>
    <message id="str.61459">
        <source>Choose the folder for the disc</source>
        <translation>选择光盘的文件夹</translation>
    </message>
    <message id="str.61460">
        <source>Checking the converted files...</source>
        <translation>正在检查转换后的文件...</translation>
    </message>
    <message id="str.61461">
        <source>Making the disc, step %d of %d: %s...</source>
        <translation>正在制作光盘，第 %d 步，共 %d 步：%s...</translation>
    </message>
    <message id="str.61462">
        <source>The disc is ready:
%s</source>
        <translation>光盘已制作完成：
%s</translation>
    </message>
    <message id="str.61463">
        <source>The disc could not be made. The tool said:
%s</source>
        <translation>无法制作光盘。工具提示：
%s</translation>
    </message>
    <message id="str.61464">
        <source>Making the disc was cancelled. What it had written was removed.</source>
        <translation>已取消制作光盘。已写入的内容已被删除。</translation>
    </message>
    <message id="str.61465">
        <source>Make a %s disc image from the converted files now?</source>
        <translation>现在用转换后的文件制作 %s 光盘映像吗？</translation>
    </message>
    <message id="str.61466">
        <source>%s is a file, not a folder. Choose a folder for the disc.</source>
        <translation>%s 是文件而不是文件夹。请为光盘选择一个文件夹。</translation>
    </message>
    <message id="str.61520">
        <extracomment>printf placeholders, keep them in this order and kind: %d; write a literal percent sign as %%</extracomment>
        <source>The encoder program ended with status %d and gave no reason.</source>
        <translation>编码程序以状态 %d 结束，未给出原因。</translation>
    </message>
    <message id="str.61521">
        <extracomment>printf placeholders, keep them in this order and kind: %d %s; write a literal percent sign as %%</extracomment>
        <source>The encoder program was ended by signal %d (%s).</source>
        <translation>编码程序被信号 %d (%s) 终止。</translation>
    </message>
    <message id="str.61522">
        <extracomment>printf placeholders, keep them in this order and kind: %d; write a literal percent sign as %%</extracomment>
        <source>The encoder program closed its output but did not end; it was stopped after %d s.</source>
        <translation>编码程序关闭了输出但没有结束；%d 秒后已被终止。</translation>
    </message>
    <message id="str.61523">
        <source>the encoder program found no length in it and gave no reason</source>
        <translation>编码程序未在其中找到时长，也未给出原因</translation>
    </message>
    <message id="str.61524">
        <source>the file name is not valid UTF-8 and could not be passed on unchanged, so the file was not found</source>
        <translation>文件名不是有效的 UTF-8，无法原样传递，因此找不到该文件</translation>
    </message>
    <message id="str.61525">
        <extracomment>printf placeholders, keep them in this order and kind: %s; write a literal percent sign as %%</extracomment>
        <source>The encoder program %s exists but is not executable.</source>
        <translation>编码程序 %s 存在，但不可执行。</translation>
    </message>
    <message id="str.61526">
        <extracomment>printf placeholders, keep them in this order and kind: %s; write a literal percent sign as %%</extracomment>
        <source>The encoder program %s is a folder, not a program.</source>
        <translation>编码程序 %s 是一个文件夹，而不是程序。</translation>
    </message>
    <message id="str.61527">
        <extracomment>printf placeholders, keep them in this order and kind: %s; write a literal percent sign as %%</extracomment>
        <source>The output file name is too long for the file system of the folder %s.</source>
        <translation>输出文件名对于文件夹 %s 所在的文件系统而言太长。</translation>
    </message>
    <message id="str.61528">
        <extracomment>printf placeholders, keep them in this order and kind: %s %d %d; write a literal percent sign as %%</extracomment>
        <source>One %s disc holds at most %d files, and %d are listed: Make a Disc will not take all of their outputs. Convert fewer files to make one disc of them.

Convert all of them anyway?</source>
        <translation>一张 %s 光盘最多容纳 %d 个文件，而列表中有 %d 个：“制作光盘”无法容纳全部输出。若要制成一张光盘，请转换更少的文件。

仍然全部转换吗？</translation>
    </message>
    <message id="str.61529">
        <extracomment>printf placeholders, keep them in this order and kind: %s %d %d; write a literal percent sign as %%</extracomment>
        <source>One %s disc holds at most %d files, but %d were converted. Remove files from the list until at most that many are converted, and make the disc again.</source>
        <translation>一张 %s 光盘最多容纳 %d 个文件，但已转换了 %d 个。请从列表中移除文件，直到已转换的文件不超过该数目，然后重新制作光盘。</translation>
    </message>
    <message id="str.61620">
        <source>Duration:</source>
        <translation>时长:</translation>
    </message>
    <message id="str.61621">
        <source>Bitrate:</source>
        <translation>比特率:</translation>
    </message>
    <message id="str.61622">
        <source>Video</source>
        <translation>视频</translation>
    </message>
    <message id="str.61623">
        <source>Audio</source>
        <translation>音频</translation>
    </message>
    <message id="str.61624">
        <extracomment>printf placeholders, keep them in this order and kind: %d %d %d; write a literal percent sign as %%</extracomment>
        <source>Version %d.%d.%d</source>
        <translation>版本 %d.%d.%d</translation>
    </message>
    <message id="str.61625">
        <source>All Media Files</source>
        <translation>所有媒体文件</translation>
    </message>
    <message id="str.61626">
        <source>Video Files</source>
        <translation>视频文件</translation>
    </message>
    <message id="str.61627">
        <source>Windows Media Files</source>
        <translation>Windows Media 文件</translation>
    </message>
    <message id="str.61628">
        <source>QuickTime Media Files</source>
        <translation>QuickTime 媒体文件</translation>
    </message>
    <message id="str.61629">
        <source>Real Media Files</source>
        <translation>RealMedia 文件</translation>
    </message>
    <message id="str.61630">
        <source>OGG Files</source>
        <translation>OGG 文件</translation>
    </message>
    <message id="str.61631">
        <source>All Files</source>
        <translation>所有文件</translation>
    </message>
    <message id="str.61632">
        <extracomment>printf placeholders, keep them in this order and kind: %s; write a literal percent sign as %%</extracomment>
        <source>If you find any translation error, please mail to %s, thanks a lot.</source>
        <translation>如果您发现任何翻译错误，请发送邮件至 %s，非常感谢。</translation>
    </message>
    <message id="str.61633">
        <source>CAPS</source>
        <translation>大写</translation>
    </message>
    <message id="str.61634">
        <source>NUM</source>
        <translation>数字</translation>
    </message>
    <message id="str.61635">
        <source>SCRL</source>
        <translation>滚动</translation>
    </message>
    <message id="str.61636">
        <source>no output file was written</source>
        <translation>未写入输出文件</translation>
    </message>
    <message id="str.61637">
        <source>the output file is empty</source>
        <translation>输出文件为空</translation>
    </message>
    <message id="str.61638">
        <source>the output is not a readable media file</source>
        <translation>输出不是可读的媒体文件</translation>
    </message>
    <message id="str.61639">
        <extracomment>printf placeholders, keep them in this order and kind: %s %s; write a literal percent sign as %%</extracomment>
        <source>the output lasts %s s instead of %s s</source>
        <translation>输出时长为 %s 秒，而不是 %s 秒</translation>
    </message>
    <message id="str.61640">
        <source>is a folder, not a media file</source>
        <translation>是文件夹，不是媒体文件</translation>
    </message>
    <message id="str.61641">
        <source>not a regular file</source>
        <translation>不是普通文件</translation>
    </message>
    <message id="str.61642">
        <extracomment>printf placeholders, keep them in this order and kind: %s; write a literal percent sign as %%</extracomment>
        <source>not a readable media file (%s)</source>
        <translation>不是可读的媒体文件（%s）</translation>
    </message>
    <message id="str.61643">
        <extracomment>printf placeholders, keep them in this order and kind: %s; write a literal percent sign as %%</extracomment>
        <source>cannot read stream information (%s)</source>
        <translation>无法读取流信息（%s）</translation>
    </message>
    <message id="str.61644">
        <source>holds no video or audio stream</source>
        <translation>不含视频或音频流</translation>
    </message>
    <message id="str.61645">
        <source>Unknown file format.</source>
        <translation>未知的文件格式。</translation>
    </message>
    <message id="str.61646">
        <source>Converting media files</source>
        <translation>正在转换媒体文件</translation>
    </message>
    <message id="str.61647">
        <source>Making a disc image</source>
        <translation>正在制作光盘映像</translation>
    </message>
    <message id="str.61650">
        <extracomment>printf placeholders, keep them in this order and kind: %s; write a literal percent sign as %%</extracomment>
        <source>Can't open link:

%s</source>
        <translation>无法打开链接：

%s</translation>
    </message>
    <message id="str.61651">
        <extracomment>printf placeholders, keep them in this order and kind: %d; write a literal percent sign as %%</extracomment>
        <source>Unknown Error (%d) occurred.</source>
        <translation>发生未知错误 (%d)。</translation>
    </message>
    <message id="str.61652">
        <source>The operating system is out
of memory or resources.</source>
        <translation>操作系统内存
或资源不足。</translation>
    </message>
    <message id="str.61653">
        <source>The specified file was not found.</source>
        <translation>找不到指定的文件。</translation>
    </message>
    <message id="str.61654">
        <source>The specified path was not found.</source>
        <translation>找不到指定的路径。</translation>
    </message>
    <message id="str.61655">
        <source>The operating system denied
access to the specified file.</source>
        <translation>操作系统拒绝
访问指定的文件。</translation>
    </message>
    <message id="str.61656">
        <source>There was not enough memory to complete the operation.</source>
        <translation>内存不足，无法完成此操作。</translation>
    </message>
    <message id="str.61657">
        <source>The .EXE file is invalid
(non-Win32 .EXE or error in .EXE image).</source>
        <translation>.EXE 文件无效
（非 Win32 .EXE 或 .EXE 映像有错误）。</translation>
    </message>
    <message id="str.61658">
        <source>A sharing violation occurred. </source>
        <translation>发生共享冲突。 </translation>
    </message>
    <message id="str.61659">
        <source>The filename association is
incomplete or invalid.</source>
        <translation>文件名关联
不完整或无效。</translation>
    </message>
    <message id="str.61660">
        <source>The DDE transaction could not
be completed because the request timed out.</source>
        <translation>DDE 事务无法
完成，因为请求超时。</translation>
    </message>
    <message id="str.61661">
        <source>The DDE transaction failed.</source>
        <translation>DDE 事务失败。</translation>
    </message>
    <message id="str.61662">
        <source>The DDE transaction could not
be completed because other DDE transactions
were being processed.</source>
        <translation>DDE 事务无法
完成，因为其他 DDE 事务
正在处理中。</translation>
    </message>
    <message id="str.61663">
        <source>There is no application associated
with the given filename extension.</source>
        <translation>没有与给定文件扩展名
关联的应用程序。</translation>
    </message>
    <message id="str.61664">
        <source>The specified dynamic-link library was not found.</source>
        <translation>找不到指定的动态链接库。</translation>
    </message>
    <message id="str.61700">
        <source>The run lasts %s and would take about %s at the disc's standard rate, more than the %s one disc holds.
How should it go onto discs?</source>
        <translation>本次转换时长 %s，按光盘标准码率约需 %s，超过一张光盘可容纳的 %s。
要如何放到光盘上？</translation>
    </message>
    <message id="str.61701">
        <source>&amp;Fit on one disc (%d kbit/s, %s)</source>
        <translation>压缩到一张光盘(&amp;F)（%d kbit/s，%s）</translation>
    </message>
    <message id="str.61702">
        <source>single layer</source>
        <translation>单层</translation>
    </message>
    <message id="str.61703">
        <source>double layer</source>
        <translation>双层</translation>
    </message>
    <message id="str.61704">
        <source>80-minute CD</source>
        <translation>80 分钟 CD</translation>
    </message>
    <message id="str.61705">
        <source>&amp;Several discs</source>
        <translation>分成多张光盘(&amp;S)</translation>
    </message>
    <message id="str.61706">
        <source>Convert &amp;as it is</source>
        <translation>按原样转换(&amp;A)</translation>
    </message>
    <message id="str.61707">
        <source>Even at the lowest rate of %d kbit/s the run does not fit on one disc, so it cannot be fitted; several discs take it.</source>
        <translation>即使用最低码率 %d kbit/s，也放不进一张光盘，因此无法压缩；可以分成多张光盘。</translation>
    </message>
    <message id="str.61708">
        <source>The length of %s is not known, so the run cannot be fitted to a disc.</source>
        <translation>%s 的时长未知，因此无法将本次转换压缩到一张光盘。</translation>
    </message>
    <message id="str.61709">
        <source>The discs were made, the titles in list order:
%s</source>
        <translation>光盘已制作完成，标题按列表顺序：
%s</translation>
    </message>
    <message id="str.61710">
        <source>Disc %d: %s</source>
        <translation>光盘 %d：%s</translation>
    </message>
    <message id="str.61711">
        <source>These files are each larger than one disc, so no split can take them:
%s</source>
        <translation>以下文件各自都大于一张光盘，无法分盘：
%s</translation>
    </message>
    <message id="str.61712">
        <source>Step %d/%d: making "%s" again at a lower rate, so that the run fits the disc.
          Click "Skip" or "Cancel" to abort conversion.</source>
        <translation>第 %d/%d 步：以较低的码率重新制作“%s”，使整批文件能放进光盘。
          点击“跳过当前”或“全部取消”可中止转换。</translation>
    </message>
    <message id="str.61713">
        <source>Make &amp;one disc anyway</source>
        <translation>仍然制作一张光盘(&amp;O)</translation>
    </message>
    <message id="str.61714">
        <source>Measuring how much each file needs, so that the run fills the disc (nothing is written)...</source>
        <translation>正在测算每个文件需要的码率，使整批文件正好装满光盘（不会写入任何文件）...</translation>
    </message>
    <message id="str.32811">
        <source>Make a DVD, VCD or SVCD disc image from the converted files
Make a disc</source>
        <translation>用转换后的文件制作 DVD、VCD 或 SVCD 光盘映像
制作光盘</translation>
    </message>
    <message id="menu.128.p0">
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message id="menu.128.p1">
        <source>&amp;Action</source>
        <translation>操作(&amp;A)</translation>
    </message>
    <message id="menu.128.p2">
        <source>&amp;Language</source>
        <translation>语言(&amp;L)</translation>
    </message>
    <message id="menu.128.p3">
        <source>&amp;Source Format</source>
        <translation>源格式(&amp;S)</translation>
    </message>
    <message id="menu.128.p4">
        <source>&amp;Target Format</source>
        <translation>目标格式(&amp;T)</translation>
    </message>
    <message id="menu.128.p5">
        <source>&amp;Download</source>
        <translation>下载(&amp;D)</translation>
    </message>
    <message id="menu.128.p6">
        <source>&amp;Help</source>
        <translation>帮助(&amp;H)</translation>
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
        <translation>其他</translation>
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
        <translation>英语(&amp;E)</translation>
    </message>
    <message id="menu.128.32751">
        <source>&amp;Chinese Simplified</source>
        <translation>简体中文(&amp;C)</translation>
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
        <translation>libmpv（视频预览）</translation>
    </message>
    <message id="menu.128.32777">
        <source>FFmpeg RealMedia Codecs</source>
        <translation>FFmpeg RealMedia 编解码器</translation>
    </message>
    <message id="menu.128.32778">
        <source>FFmpeg Windows Media Codecs</source>
        <translation>FFmpeg Windows Media 编解码器</translation>
    </message>
    <message id="menu.128.32779">
        <source>FFmpeg QuickTime Codecs</source>
        <translation>FFmpeg QuickTime 编解码器</translation>
    </message>
    <message id="menu.128.32780">
        <source>FFmpeg Ogg Codecs</source>
        <translation>FFmpeg Ogg 编解码器</translation>
    </message>
    <message id="menu.128.32791">
        <source>&amp;Contents...</source>
        <translation>目录(&amp;C)...</translation>
    </message>
    <message id="menu.128.32792">
        <source>&amp;Tool Tips</source>
        <translation>使用提示(&amp;T)</translation>
    </message>
    <message id="menu.128.32801">
        <source>&amp;Add...</source>
        <translation>添加(&amp;A)...</translation>
    </message>
    <message id="menu.128.32803">
        <source>&amp;Remove</source>
        <translation>移除(&amp;R)</translation>
    </message>
    <message id="menu.128.32804">
        <source>Re&amp;move All</source>
        <translation>全部移除(&amp;M)</translation>
    </message>
    <message id="menu.128.32805">
        <source>Move &amp;Up</source>
        <translation>上移(&amp;U)</translation>
    </message>
    <message id="menu.128.32806">
        <source>Move &amp;Down</source>
        <translation>下移(&amp;D)</translation>
    </message>
    <message id="menu.128.32807">
        <source>&amp;Preview</source>
        <translation>预览(&amp;P)</translation>
    </message>
    <message id="menu.128.32808">
        <source>&amp;Convert</source>
        <translation>转换(&amp;C)</translation>
    </message>
    <message id="menu.128.32811">
        <source>&amp;Make a Disc from the Converted Files...</source>
        <translation>从转换后的文件制作光盘(&amp;M)...</translation>
    </message>
    <message id="menu.128.57600">
        <source>&amp;New	Ctrl+N</source>
        <translation>新建(&amp;N)	Ctrl+N</translation>
    </message>
    <message id="menu.128.57601">
        <source>&amp;Open...	Ctrl+O</source>
        <translation>打开(&amp;O)...	Ctrl+O</translation>
    </message>
    <message id="menu.128.57603">
        <source>&amp;Save	Ctrl+S</source>
        <translation>保存(&amp;S)	Ctrl+S</translation>
    </message>
    <message id="menu.128.57604">
        <source>Save &amp;As...</source>
        <translation>另存为(&amp;V)...</translation>
    </message>
    <message id="menu.128.57664">
        <source>&amp;About Clipwright ...</source>
        <translation>关于 Clipwright(&amp;A)...</translation>
    </message>
    <message id="menu.128.57665">
        <source>E&amp;xit</source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message id="dlg.100.caption">
        <source>About Clipwright</source>
        <translation>关于 Clipwright</translation>
    </message>
    <message id="dlg.100.1">
        <source>OK</source>
        <translation>确定</translation>
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
        <translation>版本 0.0.0</translation>
    </message>
    <message id="dlg.100.40002">
        <source>Copyright (C) Trelvane. All rights reserved.
Clipwright is free to use; see the user manual for its licence.</source>
        <translation>版权所有 (C) Trelvane。保留所有权利。
Clipwright 可免费使用；许可证请参阅用户手册。</translation>
    </message>
    <message id="dlg.101.1002">
        <source>Browse...</source>
        <translation>浏览...</translation>
    </message>
    <message id="dlg.101.1003">
        <source>Go</source>
        <translation>打开</translation>
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
        <translation>格式：</translation>
    </message>
    <message id="dlg.101.1101">
        <source>Tips: Please install libmpv 0.35 or later for the preview. ( Click Menu/Download )</source>
        <translation>提示：预览需要安装 libmpv 0.35 或更高版本。（请点击菜单“下载”）</translation>
    </message>
    <message id="dlg.101.1118">
        <source>Variable Bit Rate</source>
        <translation>可变比特率</translation>
    </message>
    <message id="dlg.101.32792">
        <source>Hide the tooltips</source>
        <translation>隐藏提示</translation>
    </message>
    <message id="dlg.101.40001">
        <source>Video Settings</source>
        <translation>视频设置</translation>
    </message>
    <message id="dlg.101.40002">
        <source>Conversion Settings</source>
        <translation>转换设置</translation>
    </message>
    <message id="dlg.101.40003">
        <source>Type:</source>
        <translation>类型：</translation>
    </message>
    <message id="dlg.101.40004">
        <source>Size:</source>
        <translation>尺寸：</translation>
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
        <translation>帧率：</translation>
    </message>
    <message id="dlg.101.40008">
        <source>Bitrate:</source>
        <translation>比特率：</translation>
    </message>
    <message id="dlg.101.40009">
        <source>Max:</source>
        <translation>最大</translation>
    </message>
    <message id="dlg.101.40010">
        <source>kbps</source>
        <translation>kbps</translation>
    </message>
    <message id="dlg.101.40011">
        <source>Min:</source>
        <translation>最小</translation>
    </message>
    <message id="dlg.101.40012">
        <source>kbps</source>
        <translation>kbps</translation>
    </message>
    <message id="dlg.101.40013">
        <source>Audio Settings</source>
        <translation>音频设置</translation>
    </message>
    <message id="dlg.101.40014">
        <source>Channels:</source>
        <translation>声道：</translation>
    </message>
    <message id="dlg.101.40015">
        <source>Bitrate:</source>
        <translation>比特率：</translation>
    </message>
    <message id="dlg.101.40016">
        <source>Samplerate:</source>
        <translation>采样率：</translation>
    </message>
    <message id="dlg.101.40017">
        <source>Volume:</source>
        <translation>音量：</translation>
    </message>
    <message id="dlg.101.40018">
        <source>Path Information </source>
        <translation>路径信息 </translation>
    </message>
    <message id="dlg.101.40019">
        <source>Output Path:</source>
        <translation>输出路径：</translation>
    </message>
    <message id="dlg.106.caption">
        <source>Convert Video to VCD/DVD/SVCD/...</source>
        <translation>将视频转换为 VCD/DVD/SVCD/...</translation>
    </message>
    <message id="dlg.106.1022">
        <source>Cancel All</source>
        <translation>全部取消</translation>
    </message>
    <message id="dlg.106.1028">
        <source>0k</source>
        <translation>0k</translation>
    </message>
    <message id="dlg.106.1030">
        <source>Prepare to convert...</source>
        <translation>准备转换...</translation>
    </message>
    <message id="dlg.106.1036">
        <source>Skip Current</source>
        <translation>跳过当前</translation>
    </message>
    <message id="dlg.106.40001">
        <source>Overall Progress:</source>
        <translation>总体进度：</translation>
    </message>
    <message id="dlg.106.40002">
        <source>Current Progress:</source>
        <translation>当前进度：</translation>
    </message>
    <message id="dlg.106.40003">
        <source>File Size:</source>
        <translation>文件大小：</translation>
    </message>
    <message id="dlg.107.caption">
        <source>Preview and select a part to convert</source>
        <translation>预览并选择要转换的片段</translation>
    </message>
    <message id="dlg.107.1">
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message id="dlg.107.1037">
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message id="dlg.107.1043">
        <source>Slider1</source>
        <translation>Slider1</translation>
    </message>
    <message id="dlg.107.1049">
        <source>Play</source>
        <translation>播放</translation>
    </message>
    <message id="dlg.107.1050">
        <source>Pause</source>
        <translation>暂停</translation>
    </message>
    <message id="dlg.107.1051">
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message id="dlg.107.1052">
        <source>Start</source>
        <translation>起点</translation>
    </message>
    <message id="dlg.107.1053">
        <source>End</source>
        <translation>终点</translation>
    </message>
    <message id="dlg.107.1054">
        <source>Full</source>
        <translation>全部</translation>
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
        <translation>信息</translation>
    </message>
    <message id="dlg.107.40003">
        <source>Start Time:</source>
        <translation>开始时间：</translation>
    </message>
    <message id="dlg.107.40004">
        <source>End Time:</source>
        <translation>结束时间：</translation>
    </message>
    <message id="dlg.107.40005">
        <source>Duration:</source>
        <translation>时长：</translation>
    </message>
    <message id="dlg.107.40006">
        <source>Elapsed Time:</source>
        <translation>已播放：</translation>
    </message>
    <message id="dlg.107.40007">
        <source>Volume</source>
        <translation>音量</translation>
    </message>
    <message id="dlg.107.40008">
        <source>Min</source>
        <translation>低</translation>
    </message>
    <message id="dlg.107.40009">
        <source>Max</source>
        <translation>高</translation>
    </message>
    <message id="dlg.107.40010">
        <source>Balance</source>
        <translation>平衡</translation>
    </message>
    <message id="dlg.107.40011">
        <source>Left</source>
        <translation>左</translation>
    </message>
    <message id="dlg.107.40012">
        <source>Right</source>
        <translation>右</translation>
    </message>
    <message id="dlg.107.40013">
        <source>? You can select a part from the full duration to convert.</source>
        <translation>? 您可以从完整时长中选择一个片段进行转换。</translation>
    </message>
    <message id="dlg.137.1030">
        <source>Detecting selected files...</source>
        <translation>正在检测选定的文件...</translation>
    </message>
    <message id="dlg.138.1073">
        <source>Hide the tooltips</source>
        <translation>隐藏提示</translation>
    </message>
    <message id="dlg.138.40001">
        <source>Help 1-2-3-4

1. Add a media file or more to source list.
2. Preview it or set the convert part, full duration is default.
3. Select and set the target format.
4. OK, Convert it.</source>
        <translation>帮助 1-2-3-4

1. 向源文件列表添加一个或多个媒体文件。
2. 预览文件或设置要转换的片段，默认为完整时长。
3. 选择并设置目标格式。
4. 好了，开始转换。</translation>
    </message>
    <message id="dlg.139.caption">
        <source>Making a Disc</source>
        <translation>制作光盘</translation>
    </message>
    <message id="dlg.139.1030">
        <source>Preparing...</source>
        <translation>正在准备...</translation>
    </message>
    <message id="dlg.139.2">
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
</TS>
