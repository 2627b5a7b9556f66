// The file-open and folder dialogs, with a seam for tests: a queued answer is taken instead of
// showing the dialog. User-interface thread only.
#pragma once

#include <QStringList>
#include <QWidget>
#include <optional>

namespace clipwright {

// Full paths of the chosen files, in the dialog's order; nullopt when cancelled.
std::optional<QStringList> ChooseOpenFiles(QWidget* parent, const QString& filter);
// The chosen folder; nullopt when cancelled.
std::optional<QString> ChooseFolder(QWidget* parent, const QString& title,
                                    const QString& startFolder);

// Test seam: the next dialog of that kind answers with this (nullopt: cancelled).
void SetNextOpenFiles(std::optional<QStringList> files);
void SetNextFolder(std::optional<QString> folder);

}  // namespace clipwright
