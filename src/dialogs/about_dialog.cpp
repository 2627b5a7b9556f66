#include "dialogs/about_dialog.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <cstdio>

#include "base/string_ids.h"
#include "support/file_version.h"
#include "support/resource_module.h"
#include "support/resource_strings.h"
#include "ui/hyper_link.h"
#include "ui/message_box.h"

namespace clipwright {

namespace {

constexpr int kAboutDialogId = 100;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

CAboutDialog::CAboutDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    const std::shared_ptr<const ResourceModule> module = CurrentResourceModule();
    form_ = std::make_unique<TemplateForm>(this, kAboutDialogId, *module,
                                           WritesHan(module->Language()));
    setFixedSize(form_->PixelSize());
    setWindowTitle(QStringLiteral("About ") + QLatin1String(kApplicationName));
    if (auto* title = form_->Get<QLabel>(kAboutTitleId)) {
        QFont bold = title->font();
        bold.setBold(true);
        // Template fonts are set in pixels.
        if (bold.pixelSize() > 0) {
            bold.setPixelSize(bold.pixelSize() * 5 / 4);
        } else {
            bold.setPointSizeF(bold.pointSizeF() * 1.25);
        }
        title->setFont(bold);
        title->setWordWrap(false);
        title->setText(QLatin1String(kApplicationName) + QStringLiteral(" ( tm )"));
    }
    ShowVersion();
    if (auto* link = form_->Get<CHyperLink>(kAboutLinkId)) {
        link->SetLinkAddress(QLatin1String(kMakerWebAddress));
    }
    if (auto* ok = form_->Get<QPushButton>(1)) {
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    }
}

void CAboutDialog::ShowVersion() {
    auto* version = form_->Get<QLabel>(kAboutVersionId);
    if (version == nullptr) {
        return;
    }
    // The reader prints a dump of the block, of no use here.
    const std::unique_ptr<std::FILE, FileCloser> quiet(std::fopen("/dev/null", "w"));
    if (!quiet) {
        return;  // the template's text stays
    }
    int major = 0;
    int minor = 0;
    int build = 0;
    CFileVersion reader(quiet.get());
    reader.ReadFileVersion(QCoreApplication::applicationFilePath().toStdString(), major, minor,
                           build);
    version->setText(
        QString::fromStdString(LoadResourceString(kIdsAboutVersion, major, minor, build)));
}

}  // namespace clipwright
