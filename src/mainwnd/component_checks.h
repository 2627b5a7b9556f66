// Checks made before converting to a type that needs an optional component: Windows Media
// (ASF writing with the WMV and WMA encoders, as trelcore uses them) and Ogg (the demuxer with
// the Vorbis and Theora decoders), both from the FFmpeg libraries. The encoder program is asked
// (trelcore --can-make), so this program never loads those libraries. User-interface thread only;
// each check blocks while the encoder answers.
#pragma once

#include <functional>

#include "engine/encoder_capabilities.h"

class QWidget;

namespace clipwright {

using ComponentProbe = std::function<CanMakeAnswer()>;

// What the encoder says about each component.
CanMakeAnswer AskWindowsMediaWriter();
CanMakeAnswer AskOggReader();

// True when the conversion must not start: the component is missing and the user was asked to
// install it (on OK the download page opens and a restart is advised), or the encoder program
// itself is missing (said in a message naming where it was looked for). False when the
// component is there, or when the encoder gave no answer: the conversion then runs and reports
// its own failures.
bool CheckWindowsMediaSupport(QWidget* parent, const ComponentProbe& probe = AskWindowsMediaWriter);
bool CheckOggSupport(QWidget* parent, const ComponentProbe& probe = AskOggReader);

}  // namespace clipwright
