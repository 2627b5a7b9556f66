#include "ui/file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>
#include <deque>
#include <utility>

namespace clipwright {

namespace {

std::deque<std::optional<QStringList>>& OpenAnswers() {
    static std::deque<std::optional<QStringList>> answers;
    return answers;
}

std::deque<std::optional<QString>>& FolderAnswers() {
    static std::deque<std::optional<QString>> answers;
    return answers;
}

UnansweredDialogHandler& Unanswered() {
    static UnansweredDialogHandler handler;
    return handler;
}

template <typename T>
bool TakeQueued(std::deque<std::optional<T>>& queue, std::optional<T>& answer) {
    if (queue.empty()) {
        return false;
    }
    answer = queue.front();
    queue.pop_front();
    return true;
}

// The file system model's date column, written by the default locale (the chosen language's).
class LanguageDatesModel : public QIdentityProxyModel {
public:
    QVariant data(const QModelIndex& index, int role) const override {
        constexpr int kDateColumn = 3;
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (files == nullptr || role != Qt::DisplayRole || index.column() != kDateColumn) {
            return QIdentityProxyModel::data(index, role);
        }
        return QLocale().toString(files->lastModified(mapToSource(index)), QLocale::ShortFormat);
    }
};

}  // namespace

void ShowDatesInTheLanguage(QFileDialog& dialog) {
    dialog.setProxyModel(new LanguageDatesModel);
}

QString NearestExistingFolder(const QString& folder) {
    if (folder.isEmpty()) {
        return folder;
    }
    // A folder the run has not made yet opens the dialog where it will be, not in the working
    // directory.
    QDir dir(QDir::cleanPath(folder));
    while (!dir.exists() && !dir.isRoot()) {
        const QString parent = QFileInfo(dir.path()).path();
        if (parent == dir.path()) {
            break;
        }
        dir.setPath(parent);
    }
    return dir.exists() ? dir.path() : QString();
}

std::optional<QStringList> ChooseOpenFiles(QWidget* parent, const QString& filter) {
    std::optional<QStringList> answer;
    if (TakeQueued(OpenAnswers(), answer)) {
        return answer;
    }
    if (Unanswered()) {
        Unanswered()("open files");
        return std::nullopt;
    }
    QFileDialog dialog(parent, QString(), QString(), filter);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    // Our labels already name their patterns; Qt would add them a second time.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    ShowDatesInTheLanguage(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles();
}

std::optional<QString> ChooseFolder(QWidget* parent, const QString& title,
                                    const QString& startFolder) {
    std::optional<QString> answer;
    if (TakeQueued(FolderAnswers(), answer)) {
        return answer;
    }
    if (Unanswered()) {
        Unanswered()("folder");
        return std::nullopt;
    }
    QFileDialog dialog(parent, title, NearestExistingFolder(startFolder));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    ShowDatesInTheLanguage(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

void SetNextOpenFiles(std::optional<QStringList> files) {
    OpenAnswers().push_back(files);
}

void SetNextFolder(std::optional<QString> folder) {
    FolderAnswers().push_back(folder);
}

UnansweredDialogHandler SetUnansweredDialogHandler(UnansweredDialogHandler handler) {
    std::swap(Unanswered(), handler);
    return handler;
}

}  // namespace clipwright
