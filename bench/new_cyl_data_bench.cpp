// File > New > Cyl Data end to end at 256 x 256 with the default formula: the
// function-and-domain dialog's check, sampling, scanning, tracing 14 levels
// and drawing the 500 x 500 picture on the Qt bitmap, through the main
// window's own command with silent stand-ins for the dialogs and the registry.

#include <benchmark/benchmark.h>

#include "app/main_dialogs.h"
#include "app/main_window.h"
#include "platform/registry.h"
#include "platform/silent_ui.h"
#include "polar_data/domain_validation.h"
#include "qt/qt_bitmap.h"

namespace orbisk {
namespace {

// A registry without the key: the settings are the defaults, nothing is stored.
class NoRegistry : public Registry {
 public:
  bool Open(RegistryAccess) override { return false; }
  bool OpenOrCreate() override { return false; }
  std::optional<RegistryValue> Read(const std::string&) const override { return std::nullopt; }
  bool Write(const std::string&, const RegistryValue&) override { return false; }
  void Close() override {}
};

// The function-and-domain dialog closed with OK on the default texts at
// 256 x 256, after the check its OK runs.
class GridDialogs : public MainDialogs {
 public:
  bool RunFunctionDialog(FunctionTexts& texts, FormulaEngine& engine) override {
    texts[kTextNFi] = "256";
    texts[kTextNR] = "256";
    return !ValidateFunctionDomain(WithTexts(FunctionRecord{}, texts), engine).has_value();
  }
  void RunSettingsDialog(SettingsDialogModel&) override {}
  std::string ProgramPath() const override { return "/usr/bin/orbisk"; }
  void CloseMainWindow() override {}
};

void BM_NewCylData(benchmark::State& state) {
  SilentUi ui;
  QtBitmap picture(500, 500);
  NoRegistry registry;
  GridDialogs dialogs;
  TfmMain main(ui, picture, registry, dialogs);
  main.FormCreate();
  for (auto _ : state) {
    main.mnNewCylDataClick();
    benchmark::DoNotOptimize(picture.Image().constBits());  // the painting is done
  }
  state.counters["polylines"] = main.Store().LinesR.Count();
  state.counters["grid"] = main.Grid().NFi * main.Grid().NR;
}
BENCHMARK(BM_NewCylData)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orbisk
