#include <string>

#include "cli/cli_options.h"

namespace clipwright::cli {

std::string UsageText() {
    return R"(Usage: clipwright-cli [OPTIONS] FILE...
       clipwright-cli [OPTIONS] --list FILE
Converts each FILE as Clipwright does, without a window.

  -t, --type TYPE          dvd, vcd, svcd, dv, mpeg4, h264, wmv, ogm (default dvd)
  -s, --standard STD       ntsc, pal, film (default ntsc)
      --size WxH|keep      frame size (mpeg4, h264)
      --rate FPS|keep      14.985, 23.976 or 29.97
      --video-bitrate K|keep   128 256 384 512 576 640 768 900 1500 2000 2500 kbit/s
      --vbr                variable bit rate, with --max-rate K and --min-rate K
      --audio-bitrate K|keep   32 48 64 80 96 112 128 160 kbit/s
      --channels 1|2|keep  --sample-rate 24000|44100|48000|keep
  -p, --part START-END     the part of every file, HH:MM:SS-HH:MM:SS (default: all)
  -o, --output DIR         output folder (default: Clipwright's stored folder)
  -j, --jobs N|auto        files converted at once (default 1)
      --report csv,json    write the run's report into the output folder
      --disc[=DIR]         after a dvd, vcd or svcd run, make the disc
      --force              convert even when the output folder looks too full
      --fit-disc DISC      dvd5, dvd9 (dvd) or cd80 (svcd): rates that fill one disc
      --split-discs        with --disc: titles onto as many discs as they need
      --shard K/N          take every N-th file starting at the K-th
      --list FILE          one source a line: PATH[<TAB>START-END]
      --progress MODE      auto, bar, lines or json
      --dry-run            print the encoder command lines and output names only
                           (with --fit-disc: measured first, the planned rates)
  -h, --help               this text
  -V, --version            the version

Exit status: 0 all converted, 1 a file failed or was skipped, 2 bad usage or input,
3 the encoder or an authoring tool is missing, 130 interrupted.
)";
}

}  // namespace clipwright::cli
