#include "ui/modal_dialog.h"

namespace clipwright {

namespace {
ModalDialogHandler& Handler() {
    static ModalDialogHandler handler;
    return handler;
}
}  // namespace

int RunModalDialog(QDialog& dialog) {
    if (Handler()) {
        return Handler()(dialog);
    }
    return dialog.exec();
}

void SetModalDialogHandler(ModalDialogHandler handler) {
    Handler() = std::move(handler);
}

}  // namespace clipwright
