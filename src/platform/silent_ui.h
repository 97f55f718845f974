#pragma once
// A Ui that shows nothing and cancels every dialog: for batch work that has
// no one to talk to (benchmarks, fuzzing).

#include <optional>
#include <string>

#include "platform/ui.h"

namespace orbisk {

class SilentUi : public Ui {
 public:
  void ShowHourglass() override {}
  void RestoreCursor() override {}
  void ProcessPendingEvents() override {}
  void ShowMessage(const std::string&) override {}
  void ShowError(const std::string&) override {}
  void ShowInformation(const std::string&, const std::string&) override {}
  std::optional<std::string> RunFileDialog(FileDialogKind, const std::string&) override { return std::nullopt; }
  void ShowHelp(const std::string&) override {}
};

}  // namespace orbisk
