#pragma once
// The plot settings that drawing and tracing read: presence, colour and pen
// width of each kind of line, the level count and the ratio label.

#include <cstdint>
#include <string>

#include "platform/color.h"

namespace orbisk {

struct PlotSettings {
  bool XY_Present = true;
  Color XY_Color = 0;
  std::int32_t XY_Width = 1;
  bool IntCircle_Present = true;
  Color IntCircle_Color = 0;
  std::int32_t IntCircle_Width = 2;
  bool ExtCircle_Present = true;
  Color ExtCircle_Color = 0;
  std::int32_t ExtCircle_Width = 2;
  bool Function_Present = true;
  Color Function_Color = 0;
  std::int32_t Function_Width = 1;
  Color Contour_Color = 0;         // stored and restored only
  std::int32_t Contour_Width = 1;  // stored and restored only
  std::int32_t Contour_NLevel = 14;
  bool Label_Present = true;
  std::string Label_Format = ".4g";
  std::string Label_FontName = "Arial Cyr";
  std::int32_t Label_FontSize = 12;

  bool operator==(const PlotSettings&) const = default;
};

// What the picture tells of the contour levels beyond the plain map. Every
// part is off by default, and with all off the picture is drawn exactly as
// without them. They apply to polylines that know their level (traced from a
// grid), and only while the contour lines are drawn.
struct LevelDisplay {
  bool Colors = false;      // each level's lines in its colour from the viridis map
  bool Legend = false;      // the level values with their colours, in a strip at the right
  bool LineLabels = false;  // each level's value written on its lines
  // The number format of the values in the legend and on the lines, in the
  // ratio label's format (what follows "%").
  std::string ValueFormat = ".4g";

  bool operator==(const LevelDisplay&) const = default;
};

}  // namespace orbisk
