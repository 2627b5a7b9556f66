#include "dialogs/help_tips_dialog.h"

#include <QCheckBox>

#include "support/resource_module.h"

namespace clipwright {

namespace {
constexpr int kTipsDialogId = 138;
constexpr int kHideBoxId = 1073;
}  // namespace

CHelpTipsDialog::CHelpTipsDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint) {
    form_ = std::make_unique<TemplateForm>(this, kTipsDialogId, *CurrentResourceModule());
    setFixedSize(form_->PixelSize());
    if (auto* hide = form_->Get<QCheckBox>(kHideBoxId)) {
        connect(hide, &QCheckBox::clicked, this, &QDialog::accept);
    }
}

}  // namespace clipwright
