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
    const std::shared_ptr<const ResourceModule> module = CurrentResourceModule();
    form_ =
        std::make_unique<TemplateForm>(this, kTipsDialogId, *module, WritesHan(module->Language()));
    setFixedSize(form_->PixelSize());
    if (auto* hide = form_->Get<QCheckBox>(kHideBoxId)) {
        connect(hide, &QCheckBox::clicked, this, &QDialog::accept);
    }
}

}  // namespace clipwright
