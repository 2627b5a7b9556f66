#include "shell/trelvane_doc.h"

#include "shell/message_box.h"
#include "support/resource_strings.h"
#include "support/string_ids.h"

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
