#pragma once
// A scripted Ui for tests: records every call in a log and answers the file
// dialogs from a queue.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui.h"

namespace orbisk::testing {

class FakeUi : public Ui {
 public:
  void ShowHourglass() override { log.push_back("hourglass"); }
  void RestoreCursor() override { log.push_back("cursor"); }
  void ProcessPendingEvents() override { log.push_back("events"); }
  void ShowMessage(const std::string& text) override {
    messages.push_back(text);
    log.push_back("message: " + text);
  }
  void ShowError(const std::string& text) override {
    errors.push_back(text);
    log.push_back("error: " + text);
  }
  void ShowInformation(const std::string& caption, const std::string& text) override {
    log.push_back("information: " + caption + ": " + text);
  }
  std::optional<std::string> RunFileDialog(FileDialogKind kind, const std::string& proposed) override;
  void ShowHelp(const std::string& helpFile) override { log.push_back("help: " + helpFile); }

  // Answers for the next file dialogs, in order; nothing means cancel. When the
  // queue is empty the dialog is cancelled.
  std::deque<std::optional<std::string>> fileAnswers;
  // (kind, proposed name) of every file dialog run.
  std::vector<std::pair<FileDialogKind, std::string>> fileDialogs;

  std::vector<std::string> log;
  std::vector<std::string> messages;
  std::vector<std::string> errors;
};

}  // namespace orbisk::testing
