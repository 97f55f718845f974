#include "app/main_window.h"

#include <exception>
#include <optional>
#include <utility>

#include "app/data_file_kind.h"
#include "app/delimiter_tool.h"
#include "app/line_export.h"
#include "app/settings_dialog_model.h"
#include "contour/compute_contours.h"
#include "contour/draw_picture.h"
#include "platform/error.h"
#include "polar_data/cyl_data_file.h"
#include "polar_data/file_input.h"
#include "polar_data/polar_data_file.h"
#include "polar_data/sampling.h"
#include "polar_data/test_data.h"

namespace orbisk {

const char* const kAboutText =
    "Orbisk 1.0.0\n\n"
    "Draws contour maps of a function F(x,y,r) over a polar domain, from a "
    "formula, a Cyl Data grid file or a Polar Data contour file, and saves "
    "them as pictures.";

std::string HelpFileFor(const std::string& programPath) {
  const std::string::size_type slash = programPath.find_last_of('/');
  const std::string::size_type dot = programPath.find_last_of('.');
  std::string base = programPath;
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) base.erase(dot);
  return base + ".html";
}

namespace {

// Restores the default cursor when an error leaves a command, so that a
// failure half-way never leaves the hourglass showing; the error goes on.
template <typename Work>
void RestoringCursorOnError(Ui& ui, Work work) {
  try {
    work();
  } catch (...) {
    ui.RestoreCursor();
    throw;
  }
}

}  // namespace

TfmMain::TfmMain(Ui& ui, Bitmap& picture, Registry& registry, MainDialogs& dialogs)
    : ui_(ui), picture_(picture), registry_(registry), dialogs_(dialogs), grid_(std::make_unique<PolarGrid>()) {}

TfmMain::~TfmMain() = default;

void TfmMain::FormCreate() {
  dataKind_ = kDataNothing;
  LoadSettings(registry_, items_, picture_, labelFont_);
  picture_.Whiteness();
}

void TfmMain::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  try {
    SaveSettings(registry_, items_, picture_, ui_);
  } catch (...) {
    store_.ClearLines();
    throw;
  }
  store_.ClearLines();
}

// ---- File menu ----------------------------------------------------------

void TfmMain::mnNewCylDataClick() {
  FunctionTexts texts = TextsOf(items_.function);
  if (!dialogs_.RunFunctionDialog(texts, engine_)) return;
  items_.function = WithTexts(items_.function, texts);
  sampledFormula_.reset();
  SampleFormula(items_.function, *grid_, engine_, ui_);
  sampledFormula_ = engine_;  // compiled with the formula that sampled the grid
  std::string note;
  RestoringCursorOnError(ui_, [this, &note] {
    ScanGrid(*grid_);
    note = ComputeContours();
    DrawPicture();
  });
  ShowNote(note);
}

void TfmMain::mnFileLoad3dClick() {
  if (RunDialog(FileDialogKind::Open)) LoadCylData();
}

void TfmMain::mnFileLoadPolarClick() {
  if (RunDialog(FileDialogKind::Open)) LoadPolarData();
}

void TfmMain::mnFileSavePictureClick() {
  if (RunDialog(FileDialogKind::Picture)) picture_.SaveToFile(items_.SavedBMP);
}

void TfmMain::mnSaveCylDataClick() {
  if (RunDialog(FileDialogKind::Save)) SaveCylData(items_.SavedFile, *grid_);
}

void TfmMain::mnSaveLinesGeoJsonClick() {
  if (RunDialog(FileDialogKind::LinesGeoJson)) SaveLines(linesGeoJsonName_, store_, LineFormat::GeoJson);
}

void TfmMain::mnSaveLinesCsvClick() {
  if (RunDialog(FileDialogKind::LinesCsv)) SaveLines(linesCsvName_, store_, LineFormat::Csv);
}

void TfmMain::mnExitClick() { dialogs_.CloseMainWindow(); }

void TfmMain::LoadCylData() {
  dataKind_ = kDataCylFile;
  const std::string path = items_.OpenedFile;
  if (path.empty()) return;
  const std::string bytes = ReadDataFile(path, kCylDataFormat);  // an unreadable file raises
  ui_.ShowHourglass();
  ui_.ProcessPendingEvents();
  std::optional<std::string> failure;  // shown once the cursor is back
  std::string note;
  try {
    sampledFormula_.reset();
    ReadCylData(bytes, *grid_);
    ScanGrid(*grid_);
    note = ComputeContours();
    DrawPicture();
  } catch (const std::exception& e) {
    failure = MessageOf(e);
  }
  ui_.RestoreCursor();
  if (failure) ui_.ShowMessage(*failure);
  ShowNote(note);
}

void TfmMain::LoadPolarData() {
  dataKind_ = kDataPolarFile;
  const std::string path = items_.OpenedFile;
  if (path.empty()) return;
  store_.ClearLines();
  ShowPolarData(ReadDataFile(path, kPolarDataFormat));  // an unreadable file raises
}

void TfmMain::ShowPolarData(const std::string& bytes) {
  try {
    ReadPolarData(bytes, store_, *grid_);
    DrawPicture();
  } catch (const std::exception& e) {
    ui_.ShowMessage(MessageOf(e));
  }
}

void TfmMain::OpenDataFile(const std::string& path) {
  items_.OpenedFile = path;
  // Read once: the bytes that tell the kind are the ones a Polar Data file
  // is loaded from (a Cyl Data file is read again with its own limit).
  const std::string bytes = ReadDataFile(path, kPolarDataFormat);
  if (GuessDataFileKind(bytes) == DataFileKind::PolarData) {
    dataKind_ = kDataPolarFile;
    store_.ClearLines();
    ShowPolarData(bytes);
  } else {
    LoadCylData();
  }
}

// ---- Edit menu ----------------------------------------------------------

void TfmMain::mnEditRedrawClick() { ReDraw(); }

void TfmMain::ReDraw() {
  ui_.ShowHourglass();
  ui_.ProcessPendingEvents();
  std::optional<std::string> failure;  // shown once the cursor is back
  std::string note;
  try {
    switch (dataKind_) {
      case kDataCylFile:
        ScanGrid(*grid_);
        note = ComputeContours();
        DrawPicture();
        break;
      case kDataPolarFile:
        LoadPolarData();
        break;
      case kDataTraced:
        note = ComputeContours();
        DrawPicture();
        break;
      default:
        break;  // nothing loaded yet
    }
  } catch (const std::exception& e) {
    failure = MessageOf(e);
  }
  ui_.RestoreCursor();
  if (failure) ui_.ShowMessage(*failure);
  ShowNote(note);
}

void TfmMain::mnEditCopyClick() { picture_.CopyToClipboard(); }

void TfmMain::mnEditClearClick() {
  picture_.Whiteness();
  shown_.reset();
}

// ---- Tools menu ---------------------------------------------------------

void TfmMain::mnSettingsClick() {
  const std::pair<int, int> size{picture_.Width(), picture_.Height()};
  auto redraw = [this, size] {
    // A resized picture shows no map until it is drawn again.
    if (std::pair<int, int>{picture_.Width(), picture_.Height()} != size) shown_.reset();
    ReDraw();
  };
  try {
    SettingsDialogModel model(items_, picture_, labelFont_, dialogs_.DecimalSeparator());
    dialogs_.RunSettingsDialog(model);
  } catch (...) {
    redraw();
    throw;
  }
  redraw();
}

void TfmMain::mnGenerateClick() {
  if (!RunDialog(FileDialogKind::Save)) return;
  sampledFormula_.reset();  // the grid takes the test domain
  Generate3dData(items_.SavedFile, *grid_, ui_);
}

void TfmMain::GenPolar1Click() {
  if (!RunDialog(FileDialogKind::Save)) return;
  sampledFormula_.reset();  // the grid takes the test radii
  GeneratePolarData(items_.SavedFile, store_, *grid_, ui_);
}

void TfmMain::mnToolsDelimiterPtoCClick() {
  if (RunDialog(FileDialogKind::Open) && RunDialog(FileDialogKind::Save))
    ReplaceCharInFile(items_.OpenedFile, items_.SavedFile, '.', ',');
}

void TfmMain::mnToolsDelimiterCtoPClick() {
  if (RunDialog(FileDialogKind::Open) && RunDialog(FileDialogKind::Save))
    ReplaceCharInFile(items_.OpenedFile, items_.SavedFile, ',', '.');
}

void TfmMain::mnToolsDelimiterPexCClick() {
  if (RunDialog(FileDialogKind::Open) && RunDialog(FileDialogKind::Save))
    ExchangeCharsInFile(items_.OpenedFile, items_.SavedFile, '.', ',');
}

// ---- Help menu ----------------------------------------------------------

void TfmMain::mnHelpContentsClick() { ui_.ShowHelp(HelpFileFor(dialogs_.ProgramPath())); }

void TfmMain::mnAboutClick() { ui_.ShowInformation(kAboutCaption, kAboutText); }

// ---- helpers ------------------------------------------------------------

std::string& TfmMain::NameOf(FileDialogKind kind) {
  switch (kind) {
    case FileDialogKind::Open:
      return items_.OpenedFile;
    case FileDialogKind::Save:
      return items_.SavedFile;
    case FileDialogKind::LinesGeoJson:
      return linesGeoJsonName_;
    case FileDialogKind::LinesCsv:
      return linesCsvName_;
    case FileDialogKind::Picture:
      break;
  }
  return items_.SavedBMP;
}

bool TfmMain::RunDialog(FileDialogKind kind) {
  std::string& name = NameOf(kind);
  const std::optional<std::string> answer = ui_.RunFileDialog(kind, name);
  if (!answer || answer->empty()) return false;
  name = *answer;
  return true;
}

std::string TfmMain::ComputeContours() {
  dataKind_ = kDataTraced;
  const ChosenLevels chosen =
      orbisk::ComputeContours(*grid_, items_.levelChoice, items_.plot.Contour_NLevel, store_, ui_);
  return LevelsOutsideMessage(chosen, grid_->MinValue, grid_->MaxValue);
}

void TfmMain::DrawPicture() {
  shown_.reset();
  const MapPlacement placement =
      orbisk::DrawPicture(*grid_, store_, items_.plot, labelFont_, picture_.GetCanvas(), picture_.Width(),
                          picture_.Height(), dialogs_.DecimalSeparator(), items_.levelDisplay);
  if (dataKind_ == kDataPolarFile) {
    shown_ = ShownMap::OfLines(placement);
  } else if (sampledFormula_) {
    shown_ = ShownMap::OfFormula(placement, *grid_, *sampledFormula_);
  } else {
    shown_ = ShownMap::OfGrid(placement, *grid_);
  }
}

void TfmMain::ShowNote(const std::string& note) {
  if (!note.empty()) ui_.ShowMessage(note);
}

std::string TfmMain::CursorText(int px, int py) {
  return shown_ ? shown_->TextAt(px, py, dialogs_.DecimalSeparator()) : std::string();
}

}  // namespace orbisk
