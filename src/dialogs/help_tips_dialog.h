// The help tips: template 138, a short how-to with a "Hide the tooltips" box that closes it.
#pragma once

#include <QDialog>
#include <memory>

#include "ui/template_form.h"

namespace clipwright {

class CHelpTipsDialog : public QDialog {
    Q_OBJECT

public:
    explicit CHelpTipsDialog(QWidget* parent);
    const TemplateForm& Form() const { return *form_; }

private:
    std::unique_ptr<TemplateForm> form_;
};

}  // namespace clipwright
