#pragma once
// Helpers of the widget tests: the application object and answering modal
// dialogs from a timer, so that no test waits for a person.

#include <QDialog>
#include <functional>

namespace orbisk::testing {

// Once the event loop of the next modal dialog runs, calls answer with that
// dialog (the active modal widget). Rejects the dialog when answer leaves it
// open, so a test can never hang on it.
void AnswerNextDialog(std::function<void(QDialog&)> answer);

}  // namespace orbisk::testing
