#pragma once
// The items that outlive a run: the plot settings, the picture size, the three
// file dialogs' names and the function record, and their mapping onto the
// settings key of the registry (32 values); after them, the options that are
// off by default (extra_settings.h).

#include <cstdint>
#include <string>

#include "contour/contour_levels.h"
#include "contour/plot_settings.h"
#include "polar_data/function_record.h"

namespace orbisk {

class Bitmap;
class Registry;
class Ui;
struct FontSpec;

// Every stored item; the defaults are those of a first start.
struct Settings {
  PlotSettings plot;
  // The picture size last set; the picture bitmap holds the actual size, and
  // whoever changes these fields applies them to it (height first).
  std::int32_t pictureHeight = 500;
  std::int32_t pictureWidth = 500;
  std::string OpenedFile;            // file name of OpenDialog
  std::string SavedFile;             // file name of SaveDialog
  std::string SavedBMP = "new.bmp";  // file name of SPD, the picture dialog
  FunctionRecord function;
  // Stored after the 32 values, each on its own; all off by default.
  LevelChoice levelChoice;          // how the levels are chosen
  LevelDisplay levelDisplay;        // colours by level, legend, values on the lines
  bool StatusLine_Present = false;  // the value under the cursor in a status line

  bool operator==(const Settings&) const = default;
};

// Sets every item to its default and resizes picture to 500 x 500, height
// first. Leaves the label font alone and draws nothing.
void SetDefaults(Settings& settings, Bitmap& picture);

// Reads every item from the settings key, then resizes picture to the stored
// size, height first; when the key cannot be opened, any of the 32 values is
// missing or mistyped (a missing string, or one without data, only reads as
// empty) or the picture cannot take the stored size, every item takes its
// default instead, silently. The values after the 32 are read each on its own
// (ReadExtraSettings). Then sets labelFont's face and size from the settings.
void LoadSettings(Registry& registry, Settings& settings, Bitmap& picture, FontSpec& labelFont);

// Writes the 32 values into the settings key, creating it when missing, with
// the picture's actual size, then those of ExtraSettingsValues. Nothing is written or shown when the key cannot be
// opened; a value that cannot be written stops the writing and shows "Failed to
// set data for '%s'" (its name) through ui.ShowError.
void SaveSettings(Registry& registry, const Settings& settings, const Bitmap& picture, Ui& ui);

}  // namespace orbisk
