// Message boxes under the application's name, with a seam for tests: answers queued with
// SetNextMessageAnswer are taken instead of showing a box, and every text asked is recorded.
// User-interface thread only.
#pragma once

#include <QMessageBox>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace clipwright {

enum class MessageIcon { kInformation, kQuestion, kExclamation };
enum class MessageButtons { kOk, kOkCancel };
enum MessageAnswer { kAnswerOk = 1, kAnswerCancel = 2 };

inline constexpr const char* kApplicationName = "Clipwright";

// Shows a modal box (the text's "\r\n" line ends shown as line ends) and returns the answer.
int ShowMessageBox(QWidget* parent, const std::string& text, MessageButtons buttons,
                   MessageIcon icon);

// The box ShowMessageBox shows, not yet shown: a text taller than most of the screen (the names
// and reasons of a thousand files) scrolls inside it, so its buttons stay on screen. The caller
// owns it; box->text() is the whole text.
std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, const std::string& text,
                                            MessageButtons buttons, MessageIcon icon);

// A question with buttons of its own (texts from the catalogs, "&" marks kept) and Cancel.
// Returns the chosen button's 1-based number, or kChoiceCancel. The seam's queued answers stand
// for these numbers.
inline constexpr int kChoiceCancel = 0;
int ShowChoiceBox(QWidget* parent, const std::string& text, const std::vector<std::string>& choices,
                  MessageIcon icon);

// Test seam.
void SetNextMessageAnswer(int answer);
// True while queued answers remain, so tests can see that a box was asked for.
bool HasPendingMessageAnswers();
// The texts of every box asked for since the last call, shown or answered from the queue.
std::vector<std::string> TakeMessageTexts();
// Called with the text instead of showing a box when no answer is queued, and its result taken
// as the answer; an empty one shows the box. Test programs set one that fails the test, so a
// missing answer ends it at once instead of leaving a modal box up until the run's time limit.
// Returns the handler it replaces.
using UnansweredMessageHandler = std::function<int(const std::string& text)>;
UnansweredMessageHandler SetUnansweredMessageHandler(UnansweredMessageHandler handler);

}  // namespace clipwright
