#include "app/settings_store.h"

#include <cmath>
#include <cstring>
#include <exception>
#include <optional>
#include <vector>

#include "app/extra_settings.h"
#include "platform/canvas.h"
#include "platform/error.h"
#include "platform/registry.h"
#include "platform/ui.h"

namespace orbisk {

namespace {

// Reads values one by one into the items; each Read returns false on a value
// that makes the whole load fail.
class ValueReader {
 public:
  explicit ValueReader(const Registry& registry) : registry_(registry) {}

  // A missing value or one without data reads as empty; a string value is
  // taken up to its first NUL, unexpanded; any other type fails.
  bool String(const char* name, std::string& item) const {
    std::optional<RegistryValue> value = registry_.Read(name);
    if (!value || value->data.empty()) {
      item.clear();
      return true;
    }
    if (value->type != RegistryType::String && value->type != RegistryType::ExpandString) return false;
    item = value->data.substr(0, value->data.find('\0'));
    return true;
  }

  bool Dword(const char* name, std::uint32_t& item) const {
    std::optional<RegistryValue> value = registry_.Read(name);
    if (!value) return false;
    std::optional<std::uint32_t> number = DwordOf(*value);
    if (!number) return false;
    item = *number;
    return true;
  }

  bool Int(const char* name, std::int32_t& item) const {
    std::uint32_t number = 0;
    if (!Dword(name, number)) return false;
    item = static_cast<std::int32_t>(number);
    return true;
  }

  // Any non-zero DWORD is true.
  bool Bool(const char* name, bool& item) const {
    std::uint32_t number = 0;
    if (!Dword(name, number)) return false;
    item = number != 0;
    return true;
  }

  // Exactly 8 bytes of binary data: a little-endian IEEE double. A NaN or an
  // infinity is no usable value (the grid would hold points that no level
  // crosses and that no data file can hold), so it fails like a mistyped one.
  bool Double(const char* name, long double& item) const {
    std::optional<RegistryValue> value = registry_.Read(name);
    if (!value || value->type != RegistryType::Binary || value->data.size() != 8) return false;
    std::uint64_t bits = 0;
    for (std::size_t i = 8; i-- > 0;) bits = (bits << 8) | static_cast<unsigned char>(value->data[i]);
    double number = 0;
    std::memcpy(&number, &bits, sizeof number);
    if (!std::isfinite(number)) return false;
    item = number;
    return true;
  }

 private:
  const Registry& registry_;
};

// Reads the 32 values in their stored order; false at the first failure, the
// items read so far already changed.
bool ReadAll(const Registry& registry, Settings& s) {
  ValueReader r(registry);
  PlotSettings& p = s.plot;
  FunctionRecord& f = s.function;
  if (!r.String("OpenedFile", s.OpenedFile) || !r.String("SavedFile", s.SavedFile) ||
      !r.String("SavedBMP", s.SavedBMP)) {
    return false;
  }
  if (!r.Int("BMPHeight", s.pictureHeight) || !r.Int("BMPWidth", s.pictureWidth)) return false;
  return r.Bool("XY_Present", p.XY_Present) && r.Dword("XY_Color", p.XY_Color) && r.Int("XY_Width", p.XY_Width) &&
         r.Dword("IntCircle_Color", p.IntCircle_Color) && r.Int("IntCircle_Width", p.IntCircle_Width) &&
         r.Bool("IntCircle_Present", p.IntCircle_Present) && r.Dword("ExtCircle_Color", p.ExtCircle_Color) &&
         r.Int("ExtCircle_Width", p.ExtCircle_Width) && r.Bool("ExtCircle_Present", p.ExtCircle_Present) &&
         r.Bool("Function_Present", p.Function_Present) && r.Dword("Function_Color", p.Function_Color) &&
         r.Int("Function_Width", p.Function_Width) && r.Dword("Contour_Color", p.Contour_Color) &&
         r.Int("Contour_Width", p.Contour_Width) && r.Int("Contour_NLevel", p.Contour_NLevel) &&
         r.Bool("Label_Present", p.Label_Present) && r.String("Label_Format", p.Label_Format) &&
         r.String("Label_FontName", p.Label_FontName) && r.Int("Label_FontSize", p.Label_FontSize) &&
         r.String("SFCyl", f.SFCyl) && r.String("SFiStart", f.SFiStart) && r.String("SFiEnd", f.SFiEnd) &&
         r.String("SRInt", f.SRInt) && r.String("SRExt", f.SRExt) && r.String("SNFi", f.SNFi) &&
         r.String("SNR", f.SNR) && r.Double("ErrorValue", f.ErrorValue);
}

// Gives picture the stored size, height first; false when the picture cannot
// take it (more pixels than a picture may have, or no memory for them).
bool ApplyPictureSize(const Settings& s, Bitmap& picture) {
  try {
    picture.SetHeight(s.pictureHeight);
    picture.SetWidth(s.pictureWidth);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

RegistryValue IntValue(std::int32_t value) { return DwordValue(static_cast<std::uint32_t>(value)); }

RegistryValue BoolValue(bool value) { return DwordValue(value ? 1 : 0); }

// The double nearest to value, as 8 little-endian bytes.
RegistryValue DoubleValue(long double value) {
  auto number = static_cast<double>(value);
  std::uint64_t bits = 0;
  std::memcpy(&bits, &number, sizeof bits);
  std::string bytes(8, '\0');
  for (std::size_t i = 0; i < 8; ++i) bytes[i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
  return BinaryValue(bytes);
}

}  // namespace

void SetDefaults(Settings& settings, Bitmap& picture) {
  static const Settings kDefaults;
  settings = kDefaults;
  picture.SetHeight(settings.pictureHeight);
  picture.SetWidth(settings.pictureWidth);
}

void LoadSettings(Registry& registry, Settings& settings, Bitmap& picture, FontSpec& labelFont) {
  bool opened = registry.Open(RegistryAccess::Full) || registry.Open(RegistryAccess::Read);
  // Read whole before anything takes effect: an unusable value, the picture
  // size included, gives every default and never a half-loaded state.
  Settings stored = settings;
  if (opened && ReadAll(registry, stored) && ApplyPictureSize(stored, picture)) {
    ReadExtraSettings(registry, stored);
    settings = std::move(stored);
  } else {
    SetDefaults(settings, picture);
  }
  labelFont.name = settings.plot.Label_FontName;
  labelFont.size = settings.plot.Label_FontSize;
  if (opened) registry.Close();  // nothing was written, so nothing can fail
}

void SaveSettings(Registry& registry, const Settings& settings, const Bitmap& picture, Ui& ui) {
  if (!registry.OpenOrCreate()) return;
  const PlotSettings& p = settings.plot;
  const FunctionRecord& f = settings.function;
  // Each group of three lines is written as width, presence, colour.
  std::vector<std::pair<const char*, RegistryValue>> values = {
      {"OpenedFile", StringValue(settings.OpenedFile)},
      {"SavedFile", StringValue(settings.SavedFile)},
      {"SavedBMP", StringValue(settings.SavedBMP)},
      {"BMPHeight", IntValue(picture.Height())},
      {"BMPWidth", IntValue(picture.Width())},
      {"XY_Present", BoolValue(p.XY_Present)},
      {"XY_Color", DwordValue(p.XY_Color)},
      {"XY_Width", IntValue(p.XY_Width)},
      {"IntCircle_Width", IntValue(p.IntCircle_Width)},
      {"IntCircle_Present", BoolValue(p.IntCircle_Present)},
      {"IntCircle_Color", DwordValue(p.IntCircle_Color)},
      {"ExtCircle_Width", IntValue(p.ExtCircle_Width)},
      {"ExtCircle_Present", BoolValue(p.ExtCircle_Present)},
      {"ExtCircle_Color", DwordValue(p.ExtCircle_Color)},
      {"Function_Width", IntValue(p.Function_Width)},
      {"Function_Present", BoolValue(p.Function_Present)},
      {"Function_Color", DwordValue(p.Function_Color)},
      {"Contour_Color", DwordValue(p.Contour_Color)},
      {"Contour_Width", IntValue(p.Contour_Width)},
      {"Contour_NLevel", IntValue(p.Contour_NLevel)},
      {"Label_Present", BoolValue(p.Label_Present)},
      {"Label_Format", StringValue(p.Label_Format)},
      {"Label_FontName", StringValue(p.Label_FontName)},
      {"Label_FontSize", IntValue(p.Label_FontSize)},
      {"SFCyl", StringValue(f.SFCyl)},
      {"SFiStart", StringValue(f.SFiStart)},
      {"SFiEnd", StringValue(f.SFiEnd)},
      {"SRInt", StringValue(f.SRInt)},
      {"SRExt", StringValue(f.SRExt)},
      {"SNFi", StringValue(f.SNFi)},
      {"SNR", StringValue(f.SNR)},
      {"ErrorValue", DoubleValue(f.ErrorValue)},
  };
  for (auto& extra : ExtraSettingsValues(settings, registry)) values.push_back(std::move(extra));
  for (const auto& [name, value] : values) {
    if (!registry.Write(name, value)) {
      ui.ShowError(FormatMessage("Failed to set data for '%s'", name));
      break;
    }
  }
  try {
    registry.Close();
  } catch (const Error& error) {  // the values were accepted but could not be stored
    ui.ShowError(error.what());
  }
}

}  // namespace orbisk
