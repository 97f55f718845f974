#include "support/fake_ui.h"

namespace orbisk::testing {

std::optional<std::string> FakeUi::RunFileDialog(FileDialogKind kind, const std::string& proposed) {
  fileDialogs.emplace_back(kind, proposed);
  log.push_back("file dialog: " + proposed);
  if (fileAnswers.empty()) return std::nullopt;
  std::optional<std::string> answer = fileAnswers.front();
  fileAnswers.pop_front();
  return answer;
}

}  // namespace orbisk::testing
