#include "app/extra_settings.h"

#include <optional>
#include <string>

#include "app/level_texts.h"
#include "app/settings_store.h"
#include "contour/contour_levels.h"
#include "platform/error.h"

namespace orbisk {

namespace {

// Each read gives nothing for a value that is missing or mistyped, so that
// the caller keeps the item's default.
class ExtraReader {
 public:
  explicit ExtraReader(const Registry& registry) : registry_(registry) {}

  std::optional<bool> Flag(const char* name) const {
    const std::optional<std::uint32_t> number = Dword(name);
    if (!number) return std::nullopt;
    return *number != 0;
  }

  std::optional<LevelMode> Mode(const char* name) const {
    const std::optional<std::uint32_t> number = Dword(name);
    if (!number || *number > static_cast<std::uint32_t>(LevelMode::Step)) return std::nullopt;
    return static_cast<LevelMode>(*number);
  }

  // A string value with data, taken up to its first NUL.
  std::optional<std::string> Text(const char* name) const {
    const std::optional<RegistryValue> value = registry_.Read(name);
    if (!value || value->data.empty()) return std::nullopt;
    if (value->type != RegistryType::String && value->type != RegistryType::ExpandString) return std::nullopt;
    return value->data.substr(0, value->data.find('\0'));
  }

  // A blank text is an empty list.
  std::optional<std::vector<long double>> List(const char* name) const {
    const std::optional<std::string> text = Text(name);
    if (!text) return std::nullopt;
    if (IsBlank(*text)) return std::vector<long double>{};
    try {
      return ParseLevelList(*text);
    } catch (const InputError&) {
      return std::nullopt;
    }
  }

  std::optional<long double> Number(const char* name) const {
    const std::optional<std::string> text = Text(name);
    if (!text) return std::nullopt;
    try {
      return ParseLevelNumber(*text, '.', "%s");
    } catch (const InputError&) {
      return std::nullopt;
    }
  }

 private:
  std::optional<std::uint32_t> Dword(const char* name) const {
    const std::optional<RegistryValue> value = registry_.Read(name);
    if (!value) return std::nullopt;
    return DwordOf(*value);
  }

  const Registry& registry_;
};

RegistryValue FlagValue(bool value) { return DwordValue(value ? 1 : 0); }

}  // namespace

void ReadExtraSettings(const Registry& registry, Settings& settings) {
  const Settings defaults;
  const ExtraReader r(registry);
  LevelChoice& choice = settings.levelChoice;
  choice.mode = r.Mode(kLevelModeValue).value_or(defaults.levelChoice.mode);
  choice.list = r.List(kLevelListValue).value_or(defaults.levelChoice.list);
  choice.start = r.Number(kLevelStartValue).value_or(defaults.levelChoice.start);
  choice.step = r.Number(kLevelStepValue).value_or(defaults.levelChoice.step);
  try {
    CheckLevelChoice(choice);
  } catch (const InputError&) {
    choice.mode = LevelMode::Even;
  }
  LevelDisplay& display = settings.levelDisplay;
  display.Colors = r.Flag(kLevelColorsValue).value_or(defaults.levelDisplay.Colors);
  display.Legend = r.Flag(kLevelLegendValue).value_or(defaults.levelDisplay.Legend);
  display.LineLabels = r.Flag(kLevelLineLabelsValue).value_or(defaults.levelDisplay.LineLabels);
  display.ValueFormat = r.Text(kLevelValueFormatValue).value_or(defaults.levelDisplay.ValueFormat);
  settings.StatusLine_Present = r.Flag(kStatusLineValue).value_or(defaults.StatusLine_Present);
}

std::vector<std::pair<const char*, RegistryValue>> ExtraSettingsValues(const Settings& settings,
                                                                       const Registry& registry) {
  const Settings d;
  const LevelChoice& c = settings.levelChoice;
  const LevelDisplay& l = settings.levelDisplay;
  std::vector<std::pair<const char*, RegistryValue>> values;
  auto add = [&](const char* name, const RegistryValue& value, bool atDefault) {
    if (!atDefault || registry.Read(name)) values.emplace_back(name, value);
  };
  add(kLevelModeValue, DwordValue(static_cast<std::uint32_t>(c.mode)), c.mode == d.levelChoice.mode);
  add(kLevelListValue, StringValue(LevelListText(c.list)), c.list == d.levelChoice.list);
  add(kLevelStartValue, StringValue(LevelNumberText(c.start)), c.start == d.levelChoice.start);
  add(kLevelStepValue, StringValue(LevelNumberText(c.step)), c.step == d.levelChoice.step);
  add(kLevelColorsValue, FlagValue(l.Colors), l.Colors == d.levelDisplay.Colors);
  add(kLevelLegendValue, FlagValue(l.Legend), l.Legend == d.levelDisplay.Legend);
  add(kLevelLineLabelsValue, FlagValue(l.LineLabels), l.LineLabels == d.levelDisplay.LineLabels);
  add(kLevelValueFormatValue, StringValue(l.ValueFormat), l.ValueFormat == d.levelDisplay.ValueFormat);
  add(kStatusLineValue, FlagValue(settings.StatusLine_Present), settings.StatusLine_Present == d.StatusLine_Present);
  return values;
}

}  // namespace orbisk
