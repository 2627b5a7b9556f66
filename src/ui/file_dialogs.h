// The file-open and folder dialogs, with a seam for tests: a queued answer is taken instead of
// showing the dialog. User-interface thread only.
#pragma once

#include <QStringList>
#include <QWidget>

class QFileDialog;
#include <functional>
#include <optional>

namespace clipwright {

// Full paths of the chosen files, in the dialog's order; nullopt when cancelled.
std::optional<QStringList> ChooseOpenFiles(QWidget* parent, const QString& filter);
// The chosen folder; nullopt when cancelled.
std::optional<QString> ChooseFolder(QWidget* parent, const QString& title,
                                    const QString& startFolder);

// folder when it exists, else its nearest existing parent (for a relative path, at worst the
// working directory); empty for an empty folder.
QString NearestExistingFolder(const QString& folder);

// Makes Qt's own (not a desktop's native) file dialog show the files' dates in the chosen
// language, as the rest of it is; Qt writes them in the system locale's words. Call before the
// dialog is shown; the dialog owns what this adds.
void ShowDatesInTheLanguage(QFileDialog& dialog);

// Test seam: the next dialog of that kind answers with this (nullopt: cancelled).
void SetNextOpenFiles(std::optional<QStringList> files);
void SetNextFolder(std::optional<QString> folder);
// Called with the dialog's kind ("open files", "folder") instead of showing it when no answer is
// queued; the dialog then counts as cancelled. Test programs set one that fails the test; an
// empty one shows the dialog. Returns the handler it replaces.
using UnansweredDialogHandler = std::function<void(const char* dialog)>;
UnansweredDialogHandler SetUnansweredDialogHandler(UnansweredDialogHandler handler);

}  // namespace clipwright
