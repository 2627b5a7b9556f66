#include <QApplication>
#include <cstdio>
#include <string>

#include "base/c_locale.h"
#include "platform/media_runtime.h"

#include "shell/startup_arguments.h"
#include "shell/trelvane_app.h"

namespace {

// Help, version and errors end the program before any display is needed.
int Finish(const clipwright::StartupArguments& arguments) {
    const QByteArray text = arguments.text.toLocal8Bit();
    std::FILE* const stream =
        arguments.action == clipwright::StartupArguments::Action::kError ? stderr : stdout;
    const bool written = std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()),
                                     stream) == static_cast<size_t>(text.size());
    // A help text that could not be written is no success.
    if (std::fflush(stream) != 0 || !written) {
        return arguments.exitCode == 0 ? 1 : arguments.exitCode;
    }
    return arguments.exitCode;
}

}  // namespace

int main(int argc, char** argv) {
    // Asked by the running program, so that libmpv is loaded here and not in it.
    if (argc == 2 && argv[1] == clipwright::kRuntimeVersionArgument) {
        const std::string text =
            clipwright::RuntimeVersionText(clipwright::ReadMediaRuntimeVersion());
        return std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0 ? 0 : 1;
    }
    clipwright::StartupArguments arguments = clipwright::ParseStartupArguments(
        clipwright::ArgumentsOf(argc, argv), clipwright::RawArgumentsOf(argc, argv));
    if (arguments.action != clipwright::StartupArguments::Action::kRun) {
        return Finish(arguments);
    }
    QApplication application(argc, argv);
    // The application object took the whole locale from the environment; numbers stay "C" for
    // good (libmpv refuses to run otherwise), the rest follows the user.
    clipwright::UseCNumericLocale();
    clipwright::CTrelvaneApp app;
    if (!app.InitInstance()) {
        return 1;
    }
    app.OpenFilesWhenShown(std::move(arguments.files));
    return QApplication::exec();
}
