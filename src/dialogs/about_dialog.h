// The About box: template 100 with the product name, the version read from the running
// executable's own version block, and a link to the maker's web site. User-interface thread.
#pragma once

#include <QDialog>
#include <memory>

#include "ui/template_form.h"

namespace clipwright {

inline constexpr const char* kMakerWebAddress = "https://www.trelvane.example/";
// The controls the box fills in: the product name, the version line, the link.
inline constexpr int kAboutTitleId = 1046;
inline constexpr int kAboutVersionId = 1103;
inline constexpr int kAboutLinkId = 1032;

class CAboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDialog(QWidget* parent);
    const TemplateForm& Form() const { return *form_; }

private:
    void ShowVersion();

    std::unique_ptr<TemplateForm> form_;
};

}  // namespace clipwright
