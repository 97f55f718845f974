#pragma once
// TfmMain: the main window without its widgets. It owns the program's data for
// the whole run (grid, function record, DataKind, contour store, plot settings,
// label font, the three file dialogs' names, the formula engine) and carries
// every menu command as a method named after its handler. Platform services go
// through Ui, the picture Bitmap, the Registry and MainDialogs. Errors that a
// command does not catch propagate to the caller, the front end's default
// handler.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/data_kind.h"
#include "app/main_dialogs.h"
#include "app/settings_store.h"
#include "app/shown_map.h"
#include "contour/plot_settings.h"
#include "formula/formula_engine.h"
#include "platform/canvas.h"
#include "platform/ui.h"
#include "polar_data/function_record.h"
#include "polar_data/polar_grid.h"
#include "store/contour_store.h"

namespace orbisk {

class Registry;

// The caption of the About box and the text it shows.
inline constexpr const char* kAboutCaption = "About Orbisk";
extern const char* const kAboutText;

// The help page of a program file: its path with the extension replaced by
// ".html" ("/opt/orbisk/orbisk" -> "/opt/orbisk/orbisk.html").
std::string HelpFileFor(const std::string& programPath);

class TfmMain {
 public:
  // The services must outlive the window. Nothing is loaded or drawn until
  // FormCreate.
  TfmMain(Ui& ui, Bitmap& picture, Registry& registry, MainDialogs& dialogs);
  ~TfmMain();
  TfmMain(const TfmMain&) = delete;
  TfmMain& operator=(const TfmMain&) = delete;

  // Window life: FormCreate loads the settings (sizing the picture, nothing
  // drawn, DataKind 0); FormDestroy saves them and frees the contour store.
  // FormDestroy runs once; a second call does nothing.
  void FormCreate();
  void FormDestroy();

  // File menu.
  void mnNewCylDataClick();
  void mnFileLoad3dClick();
  void mnFileLoadPolarClick();
  void mnFileSavePictureClick();
  void mnSaveCylDataClick();
  // The contour lines as data: GeoJSON, CSV (line_export.h).
  void mnSaveLinesGeoJsonClick();
  void mnSaveLinesCsvClick();
  void mnExitClick();
  // Edit menu.
  void mnEditRedrawClick();
  void mnEditCopyClick();
  void mnEditClearClick();
  // Tools menu.
  void mnSettingsClick();
  void mnGenerateClick();
  void GenPolar1Click();
  void mnToolsDelimiterPtoCClick();
  void mnToolsDelimiterCtoPClick();
  void mnToolsDelimiterPexCClick();
  // Help menu.
  void mnHelpContentsClick();
  void mnAboutClick();

  // Reads the Cyl Data file named by the open dialog into the grid, then
  // scans, traces and draws; read and drawing errors show in a message box.
  void LoadCylData();
  // Reads the Polar Data file named by the open dialog into the contour store
  // and draws it; read and drawing errors show in a message box, a file that
  // cannot be opened raises.
  void LoadPolarData();
  // Redraws from what DataKind says the picture was made of; errors show in a
  // message box.
  void ReDraw();
  // Opens a data file named outside the dialogs (on the command line) as File
  // > Load does: the open dialog's name becomes path, and the file's content
  // decides between LoadCylData and LoadPolarData. A file that cannot be read
  // raises.
  void OpenDataFile(const std::string& path);

  // What the status line shows for the picture's pixel (px, py): the point of
  // the domain there and the value there (ShownMap::TextAt); empty when the
  // picture shows no map (nothing drawn yet, cleared, resized, or the pixel
  // lies on the legend). The value of a formula is the formula evaluated
  // there, of a Cyl Data grid interpolated, of Polar Data none.
  std::string CursorText(int px, int py);

  // Read-only views of the window's items; they change only through the
  // commands above.
  const PolarGrid& Grid() const { return *grid_; }
  std::int32_t GetDataKind() const { return dataKind_; }
  const ContourStore& Store() const { return store_; }
  // Every stored item: plot settings, picture size, file names, function record.
  const Settings& Items() const { return items_; }
  const PlotSettings& Plot() const { return items_.plot; }
  const FunctionRecord& Function() const { return items_.function; }
  const FontSpec& LabelFont() const { return labelFont_; }
  // Current names of the three shared file dialogs.
  const std::string& OpenDialogName() const { return items_.OpenedFile; }
  const std::string& SaveDialogName() const { return items_.SavedFile; }
  const std::string& PictureDialogName() const { return items_.SavedBMP; }
  // Whether the value under the cursor is shown in a status line.
  bool StatusLineShown() const { return items_.StatusLine_Present; }

 private:
  // Runs a shared file dialog proposing its current name; on OK the name is
  // remembered and true returned.
  bool RunDialog(FileDialogKind kind);
  std::string& NameOf(FileDialogKind kind);
  // Traces the grid into the contour store (DataKind becomes 3) with the
  // chosen levels; returns what to tell when chosen levels were left out
  // (empty when none was), to be shown once the picture is drawn.
  std::string ComputeContours();
  // Paints the picture from the grid and the contour store, and keeps what
  // it shows for CursorText.
  void DrawPicture();
  // Shows note in a message box unless it is empty.
  void ShowNote(const std::string& note);
  // Reads a Polar Data file's bytes into the contour store and draws it;
  // read and drawing errors show in a message box.
  void ShowPolarData(const std::string& bytes);

  Ui& ui_;
  Bitmap& picture_;
  Registry& registry_;
  MainDialogs& dialogs_;

  std::unique_ptr<PolarGrid> grid_;  // ~530 KB, hence on the heap
  std::int32_t dataKind_ = kDataNothing;
  ContourStore store_;
  Settings items_;
  FontSpec labelFont_;
  FormulaEngine engine_;
  // The formula compiled as it sampled the grid; none once the grid holds
  // anything else (a Cyl Data file, a generator's domain).
  std::optional<FormulaEngine> sampledFormula_;
  std::optional<ShownMap> shown_;  // the map the picture shows
  // The names the two line dialogs propose, kept for the run.
  std::string linesGeoJsonName_ = "lines.geojson";
  std::string linesCsvName_ = "lines.csv";
  bool destroyed_ = false;
};

}  // namespace orbisk
