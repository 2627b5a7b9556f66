#include "mainwnd/media_file_filter.h"

#include <QStringList>
#include <utility>

#include "base/string_ids.h"
#include "support/resource_strings.h"

namespace clipwright {

namespace {

// A filter label in the current language: the words before the label's own pattern list come
// from the catalog, the patterns stay as written.
QString FilterLabelInOurWords(const QString& label) {
    static const std::pair<const char*, int> kWords[] = {
        {"All Media Files", kIdsFilterAllMedia},
        {"Video Files", kIdsFilterVideo},
        {"Windows Media Files", kIdsFilterWindowsMedia},
        {"QuickTime Media Files", kIdsFilterQuickTime},
        {"Real Media Files", kIdsFilterRealMedia},
        {"OGG Files", kIdsFilterOgg},
        {"All Files", kIdsFilterAll},
    };
    const qsizetype patterns = label.indexOf(QStringLiteral(" ("));
    const QString words = patterns < 0 ? label : label.left(patterns);
    for (const auto& [english, stringId] : kWords) {
        if (words == QLatin1String(english)) {
            return QString::fromStdString(LoadResourceString(stringId)) + label.mid(words.size());
        }
    }
    return label;
}

}  // namespace

QString MediaFileFilter() {
    static const char* const kFilters[][2] = {
        // The extensions of every type the desktop entry claims, so a file manager's "Open With"
        // and this dialog agree.
        {"All Media Files",
         "*.3g2; *.3gp; *.aac; *.ac3; *.acp; *.aif; *.aifc; *.aiff; *.au; *.asf; *.avi; *.dat; "
         "*.dv; *.flac; *.flv; *.m1v; *.m2ts; *.m2v; *.m4a; *.m4p; *.m4v; *.mka; *.mkv; *.mov; "
         "*.mp1; *.mp2; *.mp3; *.mp4; *.mpa; *.mpe; *.mpeg; *.mpg; *.mpga; *.mts; *.oga; *.ogg; "
         "*.ogm; *.ogv; *.opus; *.qt; *.ra; *.ram; *.rm; *.rmm; *.rmvb; *.rmj; *.rms; *.rp; *.rt; "
         "*.rv; *.snd; *.ts; *.vcd; *.vob; *.wav; *.webm; *.wm; *.wma; *.wmd; *.wmv"},
        // ".mp4" alone would match only a file of that name; the label lists what is matched.
        {"Video Files (*.3gp; *.asf; *.avi; *.dat; *.dv; *.flv; *.m1v; *.m2ts; *.m2v; *.m4p; "
         "*.m4v; *.mkv; *.mov; *.mp4; *.mpe; *.mpeg; *.mpg; *.mts; *.ogg; *.ogm; *.ogv; *.qt; "
         "*.ram; *.rm; *.rmm; *.rmvb; *.rmj; *.rms; *.rp; *.rt; *.rv; *.ts; *.vcd; *.vob; *.webm; "
         "*.wm; *.wmd; *.wmv)",
         "*.3gp; *.asf; *.avi; *.dat; *.dv; *.flv; *.m1v; *.m2ts; *.m2v; *.m4p; *.m4v; *.mkv; "
         "*.mov; *.mp4; *.mpe; *.mpeg; *.mpg; *.mts; *.ogg; *.ogm; *.ogv; *.qt; *.ram; *.rm; "
         "*.rmm; *.rmvb; *.rmj; *.rms; *.rp; *.rt; *.rv; *.ts; *.vcd; *.vob; *.webm; *.wm; *.wmd; "
         "*.wmv"},
        {"Windows Media Files (*.aifc; *.aiff; *.au; *.asf; *.avi; *.mp3; *.wav; *.wm; *.wma; "
         "*.wmd; *.wmv)",
         "*.aifc; *.aiff; *.au; *.asf; *.avi; *.mp3; *.wav; *.wm; *.wma; *.wmd; *.wmv"},
        {"QuickTime Media Files (*.3gp; *.mp4; *.mov; *.qt)", "*.3gp; *.mp4; *.mov; *.qt"},
        {"Real Media Files (*.ra; *.ram; *.rm; *.rmm; *.rmvb; *.rmj; *.rms; *.rp; *.rt; *.rv)",
         "*.ra; *.ram; *.rm; *.rmm; *.rmvb; *.rmj; *.rms; *.rp; *.rt; *.rv"},
        {"OGG Files (*.oga; *.ogg; *.ogm; *.ogv)", "*.oga; *.ogg; *.ogm; *.ogv"},
        // "*.*" would hide files without a dot, which are common on Linux.
        {"All Files (*)", "*"},
    };
    QStringList filters;
    for (const auto& [label, patterns] : kFilters) {
        QString qtPatterns = QString::fromLatin1(patterns);
        qtPatterns.replace(QStringLiteral("; "), QStringLiteral(" "));
        filters << FilterLabelInOurWords(QString::fromLatin1(label)) + QStringLiteral(" (") +
                       qtPatterns + QStringLiteral(")");
    }
    return filters.join(QStringLiteral(";;"));
}

}  // namespace clipwright
