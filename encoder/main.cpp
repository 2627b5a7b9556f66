// trelcore: the encoder program Clipwright starts for probing and converting media files.
//   trelcore [token] -i SOURCE                      prints what the source holds
//   trelcore [token] -i SOURCE [options] [-y] OUT   converts
//   trelcore [token] --probe-server                  probes the paths read from standard input
#include <unistd.h>

#include <string>
#include <vector>

extern "C" {
#include <libavutil/log.h>
}

#include "capabilities.h"
#include "diagnostics.h"
#include "options.h"
#include "probe_server.h"
#include "stop_signal.h"
#include "targets.h"
#include "transcoder.h"

#ifndef TRELCORE_VERSION
#define TRELCORE_VERSION "unknown"
#endif

namespace {

constexpr const char* kUsage =
    "usage: trelcore -i SOURCE                         describe the source\n"
    "       trelcore -i SOURCE [options] [-y] OUTPUT   convert\n"
    "       trelcore --probe-server                    describe each zero-ended path read\n"
    "                                                  from standard input (see trelcore(1))\n"
    "       trelcore --can-make wmv|ogm                yes (0) or no (1)\n"
    "       trelcore --help | --version | -V\n"
    "options: -title TEXT  -target {ntsc,pal,film}-{dvd,vcd,svcd,dv}\n"
    "         -vcodec xvid|h264|NAME  -acodec NAME  -pix_fmt FMT  -s WxH  -r FPS\n"
    "         -b KBITS | -bt KBITS [-maxrate KBITS] [-minrate KBITS]  -cq QUANTISER\n"
    "         -ac CHANNELS  -ab KBITS  -ar HZ  -ss SECONDS  -t SECONDS  -y\n"
    "         --  (the next argument is the output even if it begins with '-')\n";

}  // namespace

int main(int argc, char** argv) {
    av_log_set_level(AV_LOG_QUIET);
    trel::install_stop_handlers();
    const std::vector<std::string> args(argv, argv + argc);
    if (const std::optional<int> status = trel::run_capability_query(args)) {
        return *status;
    }
    const trel::ParseResult parsed = trel::parse_options(args);
    if (!parsed.error.empty()) {
        trel::write_stderr("trelcore: " + trel::printable(parsed.error) + "\n");
        return 2;
    }
    const trel::Options& options = parsed.options;
    if (options.show_help) {
        return trel::write_stdout(kUsage) ? 0 : 1;
    }
    if (options.show_version) {
        return trel::write_stdout("trelcore " TRELCORE_VERSION " (Clipwright)\n") ? 0 : 1;
    }
    if (options.probe_server) {
        return trel::run_probe_server(STDIN_FILENO);
    }
    if (options.probe_only()) {
        return trel::probe_source(options.input);
    }
    std::optional<trel::TargetPreset> target;
    if (!options.target.empty()) {
        target = trel::find_target(options.target);
        if (!target) {
            trel::report_error("-target " + options.target,
                               "unknown target (expected ntsc-, pal- or film- with dvd, vcd, "
                               "svcd or dv)");
            return 2;
        }
    }
    return trel::run_conversion(options, target);
}
