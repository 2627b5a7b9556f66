#include "shell/trelvane_doc.h"

#include "base/string_ids.h"
#include "support/resource_strings.h"
#include "ui/message_box.h"

namespace clipwright {

bool CTrelvaneDoc::SaveModified(QWidget* parent) const {
    const std::string question = LoadResourceString(kIdsConfirmExit, kApplicationName);
    return ShowMessageBox(parent, question, MessageButtons::kOkCancel, MessageIcon::kQuestion) ==
           kAnswerOk;
}

bool CTrelvaneDoc::OnNewDocument(QWidget* parent) {
    // Nothing to clear: the document holds no data.
    return SaveModified(parent);
}

}  // namespace clipwright
