// Runs a dialog modally, with a seam for tests: a handler set with SetModalDialogHandler is
// called instead of exec() (it may drive the dialog, call exec() itself, or just answer).
// User-interface thread only.
#pragma once

#include <QDialog>
#include <functional>

namespace clipwright {

using ModalDialogHandler = std::function<int(QDialog&)>;

int RunModalDialog(QDialog& dialog);
// An empty handler restores exec().
void SetModalDialogHandler(ModalDialogHandler handler);

}  // namespace clipwright
