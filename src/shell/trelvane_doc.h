// The document: it holds no data; it only asks the exit question before the window closes or
// before New or Open would replace it. User-interface thread only.
#pragma once

class QWidget;

namespace clipwright {

class CTrelvaneDoc {
public:
    // "Thanks for using Clipwright. Sure to exit?" with OK and Cancel; true on OK.
    bool SaveModified(QWidget* parent) const;
    // New or Open: asks first, then re-initialises the (empty) document.
    bool OnNewDocument(QWidget* parent);
};

}  // namespace clipwright
