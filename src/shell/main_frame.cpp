#include "shell/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "base/string_ids.h"
#include "dialogs/about_dialog.h"
#include "mainwnd/trelvane_view.h"
#include "platform/settings_key.h"
#include "shell/language.h"
#include "support/resource_module.h"
#include "support/resource_strings.h"
#include "support/toolbar_images.h"
#include "ui/help_commands.h"
#include "ui/message_box.h"
#include "ui/modal_dialog.h"
#include "ui/startup_values.h"
#include "ui/template_form.h"

namespace clipwright {

namespace {

constexpr int kMenuId = 128;
constexpr int kLanguagePopup = 2;
constexpr int kHelpPopup = 6;
constexpr int kLanguageCommands = 20;
constexpr char kTranslationMailAddress[] = "translations@trelvane.example";
// The string id of a lock-key pane of the status bar.
constexpr char kIndicatorProperty[] = "indicatorStringId";
// The document commands whose menu entries go (their accelerators stay).
constexpr int kDocumentCommands[] = {kCmdNew, kCmdOpen, kCmdSave, kCmdSaveAs};
// Target types this edition does not offer on the form.
constexpr int kHiddenTargetCommands[] = {32721, 32733, 32722, 32723, 32730, 32719, 32720};

QString Qs(const std::string& text) {
    return QString::fromStdString(text);
}

bool IsFormatCommand(int commandId) {
    return commandId >= 32701 && commandId <= 32733;
}

bool IsLanguageCommand(int commandId) {
    return commandId >= kFirstLanguageCommand &&
           commandId < kFirstLanguageCommand + kLanguageCommands;
}

void RemoveAction(QMenuBar* bar, QAction* action) {
    for (QAction* top : bar->actions()) {
        if (QMenu* menu = top->menu()) {
            menu->removeAction(action);
        }
    }
}

}  // namespace

CMainFrame::CMainFrame(StartupValues& values)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowCloseButtonHint),
      values_(values) {
    setFixedSize(kFrameWidth, kFrameHeight);
    if (const QScreen* screen = QApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - kFrameWidth) / 2,
             area.y() + (area.height() - kFrameHeight) / 2);
    }
    BuildToolbar();
    BuildStatusBar();
    BuildAccelerators();
    RecreateView();
    RebuildMenu(true);
    LabelToolbar(true);
}

CMainFrame::~CMainFrame() = default;

CTrelvaneView* CMainFrame::View() const {
    return view_;
}

QAction* CMainFrame::Action(int commandId) const {
    const auto found = actions_.find(commandId);
    return found == actions_.end() ? nullptr : found->second;
}

QAction* CMainFrame::EnsureAction(int commandId) {
    if (QAction* existing = Action(commandId)) {
        return existing;
    }
    auto* action = new QAction(this);
    action->setData(commandId);
    connect(action, &QAction::triggered, this, [this, commandId] { RunCommand(commandId); });
    actions_[commandId] = action;
    return action;
}

void CMainFrame::BuildToolbar() {
    toolbar_ = addToolBar(QString());
    toolbar_->setMovable(false);
    toolbar_->setFloatable(false);
    toolbar_->setContextMenuPolicy(Qt::PreventContextMenu);
    toolbar_->toggleViewAction()->setVisible(false);
    toolbar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    const std::shared_ptr<const ResourceModule> module = CurrentResourceModule();
    const std::optional<clipwright::Toolbar> layout = module->ToolbarLayout(kMenuId);
    if (!layout) {
        return;
    }
    toolbar_->setIconSize(QSize(layout->imageSize, layout->imageSize));
    std::vector<QImage> normal = module->Bitmap(layout->normalBitmap);
    // Drawings made for a light toolbar (the Exit door, the Preview screen) vanish on a dark one.
    if (palette().color(QPalette::Window).lightness() < 128) {
        for (QImage& image : normal) {
            image = WithRim(image, QColor(255, 255, 255, 200));
        }
    }
    const std::vector<QImage> disabled = module->Bitmap(layout->disabledBitmap);
    size_t image = 0;
    for (const ToolbarButton& button : layout->buttons) {
        if (button.commandId == 0) {
            toolbar_->addSeparator();
            continue;
        }
        QAction* action = EnsureAction(button.commandId);
        QIcon icon;
        if (image < normal.size()) {
            icon.addPixmap(QPixmap::fromImage(normal[image]), QIcon::Normal);
        }
        if (image < disabled.size()) {
            icon.addPixmap(QPixmap::fromImage(disabled[image]), QIcon::Disabled);
        }
        ++image;
        action->setIcon(icon);
        toolbar_->addAction(action);
    }
}

void CMainFrame::LabelToolbar(bool resize) {
    const std::shared_ptr<const ResourceModule> module = CurrentResourceModule();
    // Labels such as "Remove All" must fit the fixed 68-pixel buttons, in the face of the
    // language they are written in (from the frame's own font, which a switch leaves alone).
    toolbar_->setFont(TemplateForm::DialogFont(font(), 8, WritesHan(module->Language())));
    const std::optional<clipwright::Toolbar> layout = module->ToolbarLayout(kMenuId);
    if (!layout) {
        return;
    }
    for (const ToolbarButton& button : layout->buttons) {
        if (button.commandId == 0) {
            continue;
        }
        QAction* action = EnsureAction(button.commandId);
        action->setIconText(Qs(LoadResourceString(button.labelStringId)));
        if (resize) {
            if (QWidget* widget = toolbar_->widgetForAction(action)) {
                widget->setFixedSize(layout->buttonSize, layout->buttonSize);
            }
        }
    }
    toolbar_->update();
}

void CMainFrame::BuildStatusBar() {
    for (const int indicator : {kIdsIndicatorCaps, kIdsIndicatorNum, kIdsIndicatorScroll}) {
        auto* pane = new QLabel(this);
        pane->setProperty(kIndicatorProperty, indicator);
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        // Lock key states are not reported by the windowing system here; the panes stay dim.
        pane->setEnabled(false);
        statusBar()->addPermanentWidget(pane);
    }
    LabelStatusBar();
}

void CMainFrame::LabelStatusBar() {
    for (QLabel* pane : statusBar()->findChildren<QLabel*>()) {
        const QVariant indicator = pane->property(kIndicatorProperty);
        if (indicator.isValid()) {
            pane->setText(Qs(LoadResourceString(indicator.toInt())));
        }
    }
}

void CMainFrame::BuildAccelerators() {
    const std::optional<std::vector<Accelerator>> table =
        CurrentResourceModule()->Accelerators(kMenuId);
    if (!table) {
        return;
    }
    for (const Accelerator& accelerator : *table) {
        auto* shortcut = new QShortcut(QKeySequence(Qs(accelerator.keys)), this);
        const int commandId = accelerator.commandId;
        connect(shortcut, &QShortcut::activated, this,
                [this, commandId] { RunCommand(commandId); });
    }
}

// A command's tooltip naming the key that runs it, when the accelerator table binds one.
QString CMainFrame::WithKeyName(const QString& tip, int commandId) const {
    const std::optional<std::vector<Accelerator>> table =
        CurrentResourceModule()->Accelerators(kMenuId);
    if (tip.isEmpty() || !table) {
        return tip;
    }
    for (const Accelerator& accelerator : *table) {
        if (accelerator.commandId == commandId) {
            return tip + QStringLiteral(" (") +
                   QKeySequence(Qs(accelerator.keys)).toString(QKeySequence::NativeText) +
                   QStringLiteral(")");
        }
    }
    return tip;
}

void CMainFrame::FillMenu(QMenu* menu, const std::vector<MenuItem>& items, int menuId) {
    const std::shared_ptr<const ResourceModule> module = CurrentResourceModule();
    for (const MenuItem& item : items) {
        if (item.separator) {
            menu->addSeparator();
            continue;
        }
        QAction* action = EnsureAction(item.commandId);
        action->setText(Qs(module->Text(MenuItemKey(menuId, item.commandId)).value_or("")));
        const QString prompt = Qs(module->String(item.commandId).value_or(""));
        action->setStatusTip(prompt.section(QLatin1Char('\n'), 0, 0));
        action->setToolTip(WithKeyName(prompt.section(QLatin1Char('\n'), 1), item.commandId));
        if (item.checked) {
            action->setCheckable(true);
            action->setChecked(true);
        }
        menu->addAction(action);
    }
}

void CMainFrame::RebuildMenu(bool reload) {
    const std::shared_ptr<const ResourceModule> module = CurrentResourceModule();
    if (reload) {
        const std::optional<std::vector<MenuItem>> popups = module->Menu(kMenuId);
        if (popups) {
            menuBar()->clear();
            // Later, not now: the language popup may be the one whose entry runs this switch.
            for (const auto& [position, menu] : popups_) {
                menu->deleteLater();
            }
            popups_.clear();
            int position = 0;
            for (const MenuItem& popup : *popups) {
                QMenu* menu = menuBar()->addMenu(
                    Qs(module->Text(MenuPopupKey(kMenuId, position)).value_or("")));
                FillMenu(menu, popup.children, kMenuId);
                popups_[position++] = menu;
            }
        }
    }
    for (const int command : kDocumentCommands) {
        if (QAction* action = Action(command)) {
            RemoveAction(menuBar(), action);
        }
    }
    for (const int command : kHiddenTargetCommands) {
        if (QAction* action = Action(command)) {
            RemoveAction(menuBar(), action);
        }
    }
    RefreshLanguageEntries();
    if (const auto found = popups_.find(kLanguagePopup); found != popups_.end()) {
        FillLanguagePopup(found->second);
    }
    if (popups_.count(kHelpPopup) != 0) {
        if (QAction* about = Action(kCmdAbout)) {
            about->setText(QStringLiteral("&About ") + QLatin1String(kApplicationName) +
                           QStringLiteral(" ..."));
        }
    }
    UpdateCommandStates();
}

void CMainFrame::FillLanguagePopup(QMenu* popup) {
    popup->clear();
    const std::vector<LanguageEntry>& entries = LanguageEntries();
    for (size_t i = 0; i < entries.size(); ++i) {
        const int commandId = kFirstLanguageCommand + static_cast<int>(i);
        // Ids past the twentieth belong to other commands (32771 on: Download); such an entry
        // gets an action of its own that is disabled and runs nothing.
        QAction* action =
            IsLanguageCommand(commandId) ? EnsureAction(commandId) : new QAction(popup);
        action->setText(Qs(entries[i].name));
        action->setStatusTip(QString());
        action->setCheckable(true);
        action->setChecked(entries[i].id == CurrentLanguage());
        action->setEnabled(IsLanguageCommand(commandId));
        popup->addAction(action);
    }
}

void CMainFrame::UpdateTitle() {
    setWindowTitle(QLatin1String(kApplicationName));
}

void CMainFrame::UpdateCommandStates() {
    for (const auto& [commandId, action] : actions_) {
        bool enabled = false;
        if (view_ != nullptr && view_->HandlesCommand(commandId)) {
            enabled = view_->IsCommandEnabled(commandId);
        } else {
            enabled =
                commandId == kCmdExit || commandId == kCmdNew || commandId == kCmdOpen ||
                commandId == kCmdAbout || commandId == kCmdHelpContents ||
                IsDownloadCommand(commandId) || IsFormatCommand(commandId) ||
                (IsLanguageCommand(commandId) &&
                 static_cast<size_t>(commandId - kFirstLanguageCommand) < LanguageEntries().size());
        }
        action->setEnabled(enabled);
    }
}

void CMainFrame::RunCommand(int commandId) {
    if (QAction* action = Action(commandId); action != nullptr && !action->isEnabled()) {
        return;
    }
    if (view_ != nullptr && view_->HandlesCommand(commandId)) {
        view_->RunCommand(commandId);
    } else if (commandId == kCmdExit) {
        close();
    } else if (commandId == kCmdNew || commandId == kCmdOpen) {
        document_.OnNewDocument(this);
        UpdateTitle();
    } else if (IsFormatCommand(commandId)) {
        // These entries list what can be converted and change nothing: a click, which toggled
        // the mark, leaves it as it was.
        if (QAction* action = Action(commandId); action != nullptr && action->isCheckable()) {
            action->setChecked(true);
        }
    } else if (IsLanguageCommand(commandId)) {
        OnLanguageCommand(commandId);
    } else if (commandId == kCmdAbout) {
        CAboutDialog about(this);
        RunModalDialog(about);
    } else if (commandId == kCmdHelpContents) {
        OpenHelpContents(this);
    } else if (IsDownloadCommand(commandId)) {
        OpenDownloadPage(commandId);
    }
    UpdateCommandStates();
}

// Every entry switches to the language it lists, the second (32751) included: a binding of its
// own to Chinese would switch to another language than the one shown once German sorts first.
void CMainFrame::OnLanguageCommand(int commandId) {
    const std::vector<LanguageEntry>& entries = LanguageEntries();
    const size_t index = static_cast<size_t>(commandId - kFirstLanguageCommand);
    if (index >= entries.size()) {
        return;
    }
    const uint16_t id = entries[index].id;
    CSettingsKey key(SettingsRoot::kLocalMachine, kSettingsKeyPath, kSettingsRead | kSettingsWrite);
    if (id == CurrentLanguage()) {
        // The language a first start took from the desktop becomes the user's own choice.
        uint32_t stored = 0xffffffffu;
        key.ReadDword("Language", stored);
        if (stored == 0xffffffffu) {
            key.WriteDword("Language", id);
        }
        return;
    }
    if (!SetLanguage(id)) {
        return;
    }
    values_.currentLanguage = CurrentLanguage();
    RebuildMenu(true);
    UpdateTitle();
    RecreateView();
    LabelToolbar(false);
    LabelStatusBar();
    key.WriteDword("Language", id);
    if (index != 0) {
        ShowMessageBox(this, LoadResourceString(kIdsTranslationMail, kTranslationMailAddress),
                       MessageButtons::kOk, MessageIcon::kInformation);
    }
}

void CMainFrame::RecreateView() {
    auto* view = new CTrelvaneView(values_);
    connect(view, &CTrelvaneView::CommandStateChanged, this, &CMainFrame::UpdateCommandStates);
    connect(view, &CTrelvaneView::TipsShownChanged, this, [this](bool shown) {
        QAction* tips = EnsureAction(kCmdToolTips);
        tips->setCheckable(true);
        tips->setChecked(shown);
    });
    auto* scroller = new QScrollArea();
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setFocusPolicy(Qt::NoFocus);  // the form's controls are the tab stops
    scroller->setWidgetResizable(true);
    scroller->setWidget(view);
    view->OnInitialUpdate();
    if (view_ != nullptr) {
        view->CarryStateFrom(*view_);
    }
    // The old view goes with its scroll area.
    setCentralWidget(scroller);
    view_ = view;
    UpdateCommandStates();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!document_.SaveModified(this)) {
        event->ignore();
        return;
    }
    event->accept();
}

}  // namespace clipwright
