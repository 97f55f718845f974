#include "polar_data/sampling.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "platform/error.h"
#include "support/fake_ui.h"

namespace orbisk {
namespace {

using testing::FakeUi;

FunctionRecord Record(const std::string& formula, const std::string& fiStart, const std::string& fiEnd,
                      const std::string& rInt, const std::string& rExt, const std::string& nFi, const std::string& nR) {
  FunctionRecord record;
  record.SFCyl = formula;
  record.SFiStart = fiStart;
  record.SFiEnd = fiEnd;
  record.SRInt = rInt;
  record.SRExt = rExt;
  record.SNFi = nFi;
  record.SNR = nR;
  return record;
}

struct Sampled {
  std::unique_ptr<PolarGrid> grid = std::make_unique<PolarGrid>();
  FakeUi ui;
};

std::unique_ptr<Sampled> Sample(const FunctionRecord& record, double fill = 0) {
  auto s = std::make_unique<Sampled>();
  for (auto& row : s->grid->Values) row.fill(fill);
  FormulaEngine engine;
  SampleFormula(record, *s->grid, engine, s->ui);
  return s;
}

// The point (i, j) with the rounding steps sampling takes.
void PointAt(const PolarGrid& g, int i, int j, double& x, double& y, double& r) {
  double fi = static_cast<double>(i * g.StepFi + g.FiStart);
  double c = static_cast<double>(std::cos(static_cast<long double>(fi)));
  double s = static_cast<double>(std::sin(static_cast<long double>(fi)));
  r = static_cast<double>(j * g.StepR + g.RInt);
  x = static_cast<double>(static_cast<long double>(r) * c);
  y = static_cast<double>(static_cast<long double>(r) * s);
}

TEST(SampleFormula, DefaultRecordFillsTheGridPointByPoint) {
  auto s = Sample(FunctionRecord{});
  const PolarGrid& g = *s->grid;
  EXPECT_EQ(g.NFi, 100);
  EXPECT_EQ(g.NR, 100);
  EXPECT_EQ(g.FiEnd, static_cast<long double>(2 * 3.14159265358979323846));
  EXPECT_EQ(g.StepR, 1.0L / 99);
  for (int i : {0, 1, 50, 99}) {
    for (int j : {0, 7, 99}) {
      double x, y, r;
      PointAt(g, i, j, x, y, r);
      EXPECT_NEAR(g.Values[i][j], r + std::fabs(x - 1), 1e-15) << i << "," << j;
    }
  }
  EXPECT_EQ(s->ui.log, (std::vector<std::string>{"hourglass", "events", "cursor"}));
}

// Each coordinate is a product in extended precision, rounded to double: on
// the default grid three points in 10,000 lie one ulp from the product
// rounded once.
TEST(SampleFormula, CoordinatesAreExtendedProductsRoundedToDouble) {
  FunctionRecord record;
  record.SFCyl = "y";
  auto s = Sample(record);
  const struct {
    int i, j;
    double extended, roundedOnce;
  } rows[] = {
      {30, 2, 0x1.ed9d6ee09cefep-1, 0x1.ed9d6ee09ceffp-1},
      {55, 70, -0x1.2aeeb949a079ep-1, -0x1.2aeeb949a079dp-1},
      {66, 97, -0x1.b6ed195d61d56p+0, -0x1.b6ed195d61d57p+0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.i << "," << row.j);
    double x, y, r;
    PointAt(*s->grid, row.i, row.j, x, y, r);
    const double fi = static_cast<double>(row.i * s->grid->StepFi + s->grid->FiStart);
    const double sinFi = static_cast<double>(std::sin(static_cast<long double>(fi)));
    EXPECT_EQ(s->grid->Values[row.i][row.j], row.extended);
    EXPECT_EQ(r * sinFi, row.roundedOnce);
  }
}

// The rows spread over threads give the grid and the message of one thread.
TEST(SampleFormula, ThreadsChangeNothing) {
  const FunctionRecord records[] = {
      Record("sqrt(x)*ln(y)+r^2", "0", "2*pi", "0", "3", "256", "200"),
      Record("1/(x-y)", "-pi", "pi", "0", "1", "99", "256"),
  };
  for (const FunctionRecord& record : records) {
    SCOPED_TRACE(record.SFCyl);
    auto one = std::make_unique<Sampled>();
    auto many = std::make_unique<Sampled>();
    FormulaEngine engineOne, engineMany;
    ThreadPool single(1), four(4);
    SampleFormula(record, *one->grid, engineOne, one->ui, single);
    SampleFormula(record, *many->grid, engineMany, many->ui, four);
    EXPECT_EQ(one->grid->Values, many->grid->Values);
    EXPECT_EQ(one->ui.messages, many->ui.messages);
    EXPECT_FALSE(one->ui.messages.empty());
  }
}

TEST(SampleFormula, LargestGridLeavesTheSpareCellsAlone) {
  auto s = Sample(Record("x+y", "0", "1", "1", "2", "256", "256"), 42);
  EXPECT_NE(s->grid->Values[255][255], 42);
  EXPECT_EQ(s->grid->Values[255][256], 42);
  EXPECT_EQ(s->grid->Values[256][0], 42);
  EXPECT_EQ(s->grid->Values[257][257], 42);
}

TEST(SampleFormula, FailingPointsGetErrorValueAndOneMessage) {
  struct Case {
    const char* name;
    FunctionRecord record;
    const char* message;
  } cases[] = {
      {"origin column", Record("1/r", "0", "2*pi", "0", "1", "10", "5"), "  10 count errors"},
      {"everywhere", Record("ln(x-100)", "0", "1", "1", "2", "2", "2"), "   4 count errors"},
      {"wider than the field", Record("sqrt(-1-r)", "0", "1", "1", "2", "128", "128"), "16384 count errors"},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.record.ErrorValue = -7.5L;
    auto s = Sample(c.record);
    EXPECT_EQ(s->ui.messages, std::vector<std::string>{c.message});
    EXPECT_EQ(s->ui.log.back(), "cursor");
    EXPECT_EQ(s->grid->Values[0][0], -7.5);
    EXPECT_EQ(s->grid->Values[1][0], -7.5);
  }
  auto origin = Sample(Record("1/r", "0", "2*pi", "0", "1", "10", "5"));
  EXPECT_EQ(origin->grid->Values[3][1], 4);  // r = 0.25 elsewhere
  auto everywhere = Sample(Record("ln(x-100)", "0", "1", "1", "2", "2", "2"));
  ScanGrid(*everywhere->grid);
  EXPECT_EQ(everywhere->grid->MinValue, static_cast<double>(-1.3e-13L));
  EXPECT_EQ(everywhere->grid->MaxValue, static_cast<double>(-1.3e-13L));
}

TEST(SampleFormula, ReversedAnglesAndEqualRadii) {
  auto s = Sample(Record("x", "2*pi", "0", "1", "1", "5", "3"));
  const PolarGrid& g = *s->grid;
  EXPECT_LT(g.StepFi, 0);
  EXPECT_EQ(g.StepR, 0);
  for (int i = 0; i < 5; ++i) {
    double x, y, r;
    PointAt(g, i, 2, x, y, r);
    EXPECT_EQ(g.Values[i][2], x);
    EXPECT_EQ(g.Values[i][0], g.Values[i][2]);
  }
  EXPECT_NEAR(g.Values[2][0], -1, 1e-15);  // angle pi
}

TEST(SampleFormula, TextsAreCutTo255Characters) {
  auto s = Sample(Record("x", "0", "1", "1", "2", "2" + std::string(254, ' ') + "0", "3"));
  EXPECT_EQ(s->grid->NFi, 2);
}

TEST(SampleFormula, FaultsOutsideThePointsPropagateAndRestoreTheCursor) {
  auto grid = std::make_unique<PolarGrid>();
  FormulaEngine engine;
  FakeUi ui;
  EXPECT_THROW(SampleFormula(Record("x", "0", "1", "1", "1/0", "3", "3"), *grid, engine, ui), MathError);
  EXPECT_EQ(ui.log.back(), "cursor");

  grid->Values[0][0] = 42;
  FakeUi other;
  try {
    SampleFormula(Record("x", "0", "1", "1", "2", "300", "3"), *grid, engine, other);
    FAIL() << "no error";
  } catch (const InputError& e) {
    EXPECT_STREQ(e.what(), "NFi = 300 is out of range: it must be from 2 to 256");
  }
  EXPECT_EQ(grid->Values[0][0], 42);
  EXPECT_EQ(other.log.back(), "cursor");
}

TEST(ScanGrid, StepsAndExtremesOverTheUsedCells) {
  auto grid = std::make_unique<PolarGrid>();
  grid->NFi = 2;
  grid->NR = 3;
  grid->FiStart = 1;
  grid->FiEnd = 0;
  grid->RInt = 1;
  grid->RExt = 2;
  grid->Values[0] = {{5, -2, 3}};
  grid->Values[1] = {{7, 4, 0}};
  grid->Values[2][0] = 100;  // outside the used rows
  grid->Values[0][3] = -100;
  ScanGrid(*grid);
  EXPECT_EQ(grid->StepFi, -1);
  EXPECT_EQ(grid->StepR, 0.5L);
  EXPECT_EQ(grid->MinValue, -2);
  EXPECT_EQ(grid->MaxValue, 7);

  grid->NR = 300;  // as a failed load may leave it
  EXPECT_THROW(ScanGrid(*grid), InputError);
}

TEST(RoundCount, HalvesToEvenAndRangeOf32Bits) {
  EXPECT_EQ(RoundCount(2.5), 2);
  EXPECT_EQ(RoundCount(3.5), 4);
  EXPECT_EQ(RoundCount(255.6), 256);
  EXPECT_EQ(RoundCount(-5.5), -6);
  EXPECT_EQ(RoundCount(2147483647.0), 2147483647);
  EXPECT_THROW(RoundCount(2147483648.0), MathError);
  EXPECT_THROW(RoundCount(-1e12), MathError);
}

}  // namespace
}  // namespace orbisk
