#include "cli/sample_options.h"

#include <clocale>
#include <cmath>
#include <cstdlib>

#include "formula/formula_engine.h"
#include "platform/error.h"
#include "polar_data/cyl_data_file.h"
#include "polar_data/domain_validation.h"
#include "polar_data/sampling.h"

namespace orbisk::cli {

namespace {

// The number an --error-value text holds, read with "." whatever the locale.
long double ParseErrorValue(const std::string& text) {
  locale_t c = ::newlocale(LC_ALL_MASK, "C", nullptr);
  char* end = nullptr;
  long double value = ::strtold_l(text.c_str(), &end, c);
  bool whole = !text.empty() && end == text.c_str() + text.size();
  ::freelocale(c);
  if (!whole || !std::isfinite(value)) {
    throw InputError("--error-value: '" + text + "' is not a number");
  }
  return value;
}

std::string* TextField(const std::string& option, FunctionRecord& record) {
  if (option == "--formula") return &record.SFCyl;
  if (option == "--fi-start") return &record.SFiStart;
  if (option == "--fi-end") return &record.SFiEnd;
  if (option == "--r-int") return &record.SRInt;
  if (option == "--r-ext") return &record.SRExt;
  if (option == "--nfi") return &record.SNFi;
  if (option == "--nr") return &record.SNR;
  return nullptr;
}

}  // namespace

bool ConsumeSampleOption(const Args& args, std::size_t& i, FunctionRecord& record) {
  const std::string& option = args[i];
  std::string* field = TextField(option, record);
  if (field == nullptr && option != "--error-value") return false;
  if (i + 1 >= args.size()) throw InputError("option " + option + " needs a value");
  const std::string& value = args[i + 1];
  if (field != nullptr) {
    *field = value;
  } else {
    record.ErrorValue = ParseErrorValue(value);
  }
  i += 2;
  return true;
}

bool FillGrid(const std::optional<std::string>& cylFile, const FunctionRecord& record, PolarGrid& grid, Ui& ui,
              std::ostream& err) {
  if (cylFile) {
    ReadCylDataFile(*cylFile, grid);
    return true;
  }
  FormulaEngine engine;
  if (std::optional<std::string> message = ValidateFunctionDomain(record, engine)) {
    err << *message << "\n";
    return false;
  }
  SampleFormula(record, grid, engine, ui);  // a failure message goes to the Ui
  return true;
}

}  // namespace orbisk::cli
