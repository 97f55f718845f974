#include "polar_data/test_data.h"

#include <cmath>
#include <memory>
#include <numbers>

#include "platform/atomic_file.h"
#include "platform/error.h"
#include "polar_data/number_format.h"

namespace orbisk {

namespace {

constexpr long double kTwoPi = 2 * std::numbers::pi_v<long double>;
constexpr const char* kLineEnd = "\r\n";

// The 100 x 100 test domain of the 3d generator.
constexpr std::int32_t kTestNFi = 100;
constexpr std::int32_t kTestNR = 100;
constexpr long double kTestFiStart = 0;
constexpr long double kTestFiEnd = kTwoPi;
constexpr long double kTestRInt = 0.5L;
constexpr long double kTestRExt = 1.0L;

// The three test spirals.
constexpr std::int32_t kSpirals = 3;
constexpr std::int32_t kSpiralPoints = 51;
constexpr long double kSpiralRInt = 3.0L;
constexpr long double kSpiralRExt = 20.0L;

// |z| the way the test data have always computed it.
long double Magnitude(long double z) { return std::sqrt(z * z); }

// The test function at angle fi, radius r, in extended precision throughout.
long double TestFunction(long double fi, long double r) {
  long double x = r * std::cos(fi);
  long double y = r * std::sin(fi);
  return Magnitude(x - y + 5) + std::sqrt(r) - Magnitude(y - 7);
}

// The message a write failure gives: the output error of a full disk, as
// opposed to a file that cannot be created at all.
bool IsOutputError(const FileError& e) { return std::string(e.what()) == "Stream write error"; }

// Writes bytes atomically; an output error is shown as a message, a file that
// cannot be created raises.
void WriteTestFile(const std::string& path, const std::string& bytes, Ui& ui) {
  try {
    WriteFileAtomically(path, bytes);
  } catch (const FileError& e) {
    if (!IsOutputError(e)) throw;
    ui.ShowMessage(e.what());
  }
}

}  // namespace

std::string FormatTest3dData() {
  long double dR = (kTestRExt - kTestRInt) / (kTestNR - 1);
  long double dFi = (kTestFiEnd - kTestFiStart) / (kTestNFi - 1);
  std::string out = std::to_string(kTestNFi) + " " + FormatScientificField(kTestFiStart) + " " +
                    FormatScientificField(kTestFiEnd) + " " + std::to_string(kTestNR) + " " +
                    FormatScientificField(kTestRInt) + " " + FormatScientificField(kTestRExt);
  out.reserve(out.size() + kTestNFi * (2 + kTestNR * 24));
  for (std::int32_t i = 0; i < kTestNFi; ++i) {
    out += kLineEnd;
    long double fi = i * dFi + kTestFiStart;
    for (std::int32_t j = 0; j < kTestNR; ++j) {
      long double r = j * dR + kTestRInt;
      out += FormatScientificField(TestFunction(fi, r));
      out += ' ';
    }
  }
  return out;  // the last line is not ended
}

std::string FormatTestPolarData(ContourStore& store) {
  store.ClearLines();
  store.LinesFi.SetCount(kSpirals);
  store.LinesR.SetCount(kSpirals);
  std::string out = std::to_string(kSpirals) + " " + FormatScientificField(kSpiralRInt) + " " +
                    FormatScientificField(kSpiralRExt) + kLineEnd;
  for (std::int32_t k = 0; k < kSpirals; ++k) {
    out += std::to_string(kSpiralPoints) + kLineEnd;
    auto angles = std::make_unique<TListExt>();
    auto radii = std::make_unique<TListExt>();
    angles->SetCount(kSpiralPoints);
    radii->SetCount(kSpiralPoints);
    for (std::int32_t p = 0; p < kSpiralPoints; ++p) {
      long double fi = p * (kTwoPi / 50);
      long double r = 3.0L * p / 51 + (k + 10);
      angles->Put(p, fi);
      radii->Put(p, r);
      out += FormatScientificField(fi) + " " + FormatScientificField(r) + kLineEnd;
    }
    store.LinesFi.Put(k, std::move(angles));
    store.LinesR.Put(k, std::move(radii));
  }
  return out;
}

void Generate3dData(const std::string& path, PolarGrid& grid, Ui& ui) {
  WriteTestFile(path, FormatTest3dData(), ui);
  grid.NFi = kTestNFi;
  grid.FiStart = kTestFiStart;
  grid.FiEnd = kTestFiEnd;
  grid.NR = kTestNR;
  grid.RInt = kTestRInt;
  grid.RExt = kTestRExt;
}

void GeneratePolarData(const std::string& path, ContourStore& store, PolarGrid& grid, Ui& ui) {
  std::string bytes = FormatTestPolarData(store);
  grid.RInt = kSpiralRInt;
  grid.RExt = kSpiralRExt;
  WriteTestFile(path, bytes, ui);
}

}  // namespace orbisk
