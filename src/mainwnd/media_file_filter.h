// The filters of the file dialog that adds sources: every type the program reads, then groups of
// them, then all files, labelled in the current language. User-interface thread (it reads the
// current resource module).
#pragma once

#include <QString>

namespace clipwright {

// The filters in the form QFileDialog reads: "Label (patterns);;Label (patterns)...".
QString MediaFileFilter();

}  // namespace clipwright
