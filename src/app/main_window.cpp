#include "app/main_window.h"

namespace orbisk {

const char* const kAboutText =
    "Orbisk 1.0.0\n\nDraws contour maps of a function F(x,y,r) over a polar domain.";

std::string HelpFileFor(const std::string& programPath) {
  std::string::size_type slash = programPath.find_last_of('/');
  std::string::size_type dot = programPath.find_last_of('.');
  std::string base = programPath;
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) base.erase(dot);
  return base + ".html";
}

TfmMain::TfmMain(Ui& ui, Bitmap& picture, Registry& registry, MainDialogs& dialogs)
    : ui_(ui), picture_(picture), registry_(registry), dialogs_(dialogs),
      grid_(std::make_unique<PolarGrid>()) {}

TfmMain::~TfmMain() = default;

void TfmMain::FormCreate() {}
void TfmMain::FormDestroy() {}
void TfmMain::mnNewCylDataClick() {}
void TfmMain::mnFileLoad3dClick() {}
void TfmMain::mnFileLoadPolarClick() {}
void TfmMain::mnFileSavePictureClick() {}
void TfmMain::mnSaveCylDataClick() {}
void TfmMain::mnExitClick() { dialogs_.CloseMainWindow(); }
void TfmMain::mnEditRedrawClick() {}
void TfmMain::mnEditCopyClick() { picture_.CopyToClipboard(); }
void TfmMain::mnEditClearClick() { picture_.Whiteness(); }
void TfmMain::mnSettingsClick() {}
void TfmMain::mnGenerateClick() {}
void TfmMain::GenPolar1Click() {}
void TfmMain::mnToolsDelimiterPtoCClick() {}
void TfmMain::mnToolsDelimiterCtoPClick() {}
void TfmMain::mnToolsDelimiterPexCClick() {}
void TfmMain::mnHelpContentsClick() { ui_.ShowHelp(HelpFileFor(dialogs_.ProgramPath())); }
void TfmMain::mnAboutClick() { ui_.ShowInformation(kAboutCaption, kAboutText); }
void TfmMain::LoadCylData() {}
void TfmMain::LoadPolarData() {}
void TfmMain::ReDraw() {}

}  // namespace orbisk
