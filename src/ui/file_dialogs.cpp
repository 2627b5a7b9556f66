#include "ui/file_dialogs.h"

#include <QFileDialog>
#include <deque>

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

template <typename T>
bool TakeQueued(std::deque<std::optional<T>>& queue, std::optional<T>& answer) {
    if (queue.empty()) {
        return false;
    }
    answer = queue.front();
    queue.pop_front();
    return true;
}

}  // namespace

std::optional<QStringList> ChooseOpenFiles(QWidget* parent, const QString& filter) {
    std::optional<QStringList> answer;
    if (TakeQueued(OpenAnswers(), answer)) {
        return answer;
    }
    // Our labels already name their patterns; Qt would add them a second time.
    const QStringList files = QFileDialog::getOpenFileNames(
        parent, QString(), QString(), filter, nullptr, QFileDialog::HideNameFilterDetails);
    if (files.isEmpty()) {
        return std::nullopt;
    }
    return files;
}

std::optional<QString> ChooseFolder(QWidget* parent, const QString& title,
                                    const QString& startFolder) {
    std::optional<QString> answer;
    if (TakeQueued(FolderAnswers(), answer)) {
        return answer;
    }
    const QString folder = QFileDialog::getExistingDirectory(parent, title, startFolder);
    if (folder.isEmpty()) {
        return std::nullopt;
    }
    return folder;
}

void SetNextOpenFiles(std::optional<QStringList> files) {
    OpenAnswers().push_back(files);
}

void SetNextFolder(std::optional<QString> folder) {
    FolderAnswers().push_back(folder);
}

}  // namespace clipwright
