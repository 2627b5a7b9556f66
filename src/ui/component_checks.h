// Checks made before converting to a type that needs an optional component: Windows Media
// (ASF writing with the WMV and WMA encoders, as trelcore uses them) and Ogg (the demuxer with
// the Vorbis and Theora decoders), both from the FFmpeg libraries. User-interface thread only.
#pragma once

#include <functional>

class QWidget;

namespace clipwright {

using ComponentProbe = std::function<bool()>;

// Whether the FFmpeg libraries present can do the job.
bool HasWindowsMediaWriter();
bool HasOggReader();

// True when the conversion must not start: the component is missing and the user was asked to
// install it (on OK the download page opens and a restart is advised). False when it is there.
bool CheckWindowsMediaSupport(QWidget* parent, const ComponentProbe& probe = HasWindowsMediaWriter);
bool CheckOggSupport(QWidget* parent, const ComponentProbe& probe = HasOggReader);

}  // namespace clipwright
