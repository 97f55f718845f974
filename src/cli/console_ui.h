#pragma once
// The Ui of the batch front end: messages and errors go to a stream (stderr),
// the cursor and event calls do nothing, file dialogs are cancelled.

#include <ostream>

#include "platform/ui.h"

namespace orbisk::cli {

class ConsoleUi : public Ui {
 public:
  explicit ConsoleUi(std::ostream& err) : err_(err) {}

  void ShowHourglass() override {}
  void RestoreCursor() override {}
  void ProcessPendingEvents() override {}
  // One line each; counted, so a command can turn a shown failure into its
  // exit code.
  void ShowMessage(const std::string& text) override {
    err_ << text << "\n";
    ++shown_;
  }
  void ShowError(const std::string& text) override {
    err_ << text << "\n";
    ++shown_;
  }
  void ShowInformation(const std::string& caption, const std::string& text) override {
    err_ << caption << ": " << text << "\n";
  }
  std::optional<std::string> RunFileDialog(FileDialogKind, const std::string&) override { return std::nullopt; }
  void ShowHelp(const std::string&) override {}

  // Messages and errors shown so far.
  int Shown() const { return shown_; }

 private:
  std::ostream& err_;
  int shown_ = 0;
};

}  // namespace orbisk::cli
