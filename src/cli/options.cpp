#include "cli/options.h"

#include <algorithm>

namespace orbisk::cli {

namespace {

const OptionSpec* Find(const std::vector<OptionSpec>& table, const std::string& name) {
  auto it = std::find_if(table.begin(), table.end(), [&](const OptionSpec& row) { return name == row.name; });
  return it == table.end() ? nullptr : &*it;
}

bool LooksLikeOption(const std::string& arg) { return arg.size() > 1 && arg[0] == '-'; }

// Decimal digits with an optional sign, and nothing else.
std::optional<long long> WholeNumber(const std::string& text) {
  std::size_t i = text.empty() || (text[0] != '-' && text[0] != '+') ? 0 : 1;
  if (i == text.size() || text.size() - i > 12) return std::nullopt;
  long long value = 0;
  for (std::size_t k = i; k < text.size(); ++k) {
    if (text[k] < '0' || text[k] > '9') return std::nullopt;
    value = value * 10 + (text[k] - '0');
  }
  return text[0] == '-' ? -value : value;
}

}  // namespace

std::optional<std::string> ParsedArgs::Text(const std::string& name) const {
  auto it = options.find(name);
  if (it == options.end()) return std::nullopt;
  return it->second;
}

int ParsedArgs::Integer(const std::string& name, int low, int high, int fallback) const {
  std::optional<std::string> text = Text(name);
  if (!text) return fallback;
  std::optional<long long> value = WholeNumber(*text);
  if (!value || *value < low || *value > high) {
    throw UsageError(name + " needs an integer from " + std::to_string(low) + " to " + std::to_string(high) +
                     ", not '" + EscapeControlBytes(*text) + "'");
  }
  return static_cast<int>(*value);
}

ParsedArgs ParseArgs(const std::vector<OptionSpec>& table, const Args& args, bool positionalsAllowed) {
  ParsedArgs parsed;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!optionsEnded && arg == "--" && !table.empty()) {
      optionsEnded = true;
      continue;
    }
    const OptionSpec* row = optionsEnded ? nullptr : Find(table, arg);
    if (row == nullptr) {
      if (!positionalsAllowed || (LooksLikeOption(arg) && !optionsEnded && !table.empty())) {
        throw UsageError("unexpected argument '" + EscapeControlBytes(arg) + "'");
      }
      parsed.positionals.push_back(arg);
      continue;
    }
    if (row->value == nullptr) {
      parsed.options[arg] = "";
      continue;
    }
    if (i + 1 >= args.size()) throw UsageError("option " + arg + " needs a value");
    parsed.options[arg] = args[++i];
  }
  return parsed;
}

std::string OutputPath(const std::string& value) { return value == "-" ? "/dev/stdout" : value; }

}  // namespace orbisk::cli
