#include "main_window_fakes.h"

#include "platform/atomic_file.h"
#include "polar_data/domain_validation.h"

namespace orbisk::testing {

std::string FakeBitmap::Picture() const {
  std::string text = "picture " + std::to_string(width) + "x" + std::to_string(height) + "\n";
  for (const std::string& call : canvas.calls) text += call + "\n";
  return text;
}

void FakeBitmap::SaveToFile(const std::string& path) { WriteFileAtomically(path, Picture()); }

bool FakeDialogs::RunFunctionDialog(FunctionTexts& texts, FormulaEngine& engine) {
  functionShown.push_back(texts);
  std::optional<FunctionTexts> answer = texts;
  if (!functionAnswers.empty()) {
    answer = functionAnswers.front();
    functionAnswers.pop_front();
  }
  if (!answer) return false;
  if (std::optional<std::string> fault = ValidateFunctionDomain(WithTexts(FunctionRecord{}, *answer), engine)) {
    refusals.push_back(*fault);
    return false;
  }
  texts = *answer;
  return true;
}

void FakeDialogs::RunSettingsDialog(SettingsDialogModel& model) {
  ++settingsRuns;
  if (settingsScript) settingsScript(model);
}

}  // namespace orbisk::testing
