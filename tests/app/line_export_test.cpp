#include "app/line_export.h"

#include <charconv>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <sstream>

#include "platform/error.h"
#include "support/temp_dir.h"

namespace orbisk {
namespace {

void AddLine(ContourStore& store, const std::vector<std::pair<long double, long double>>& points) {
  auto fi = std::make_unique<TListExt>();
  auto r = std::make_unique<TListExt>();
  for (auto [angle, radius] : points) {
    fi->Add(angle);
    r->Add(radius);
  }
  store.LinesFi.Add(std::move(fi));
  store.LinesR.Add(std::move(r));
}

// A line of two points, a line of one, and an entry without lists.
ContourStore SmallStore(bool levels) {
  ContourStore store;
  AddLine(store, {{0, 1}, {0, 1.5L}});
  AddLine(store, {{0, 2}});
  store.LinesFi.Add(nullptr);
  store.LinesR.Add(nullptr);
  if (levels) store.Levels = {0.5L, 1.25L, 1.25L};
  return store;
}

TEST(LineExport, FormatsEveryPolylineInOrder) {
  const struct {
    const char* name;
    bool levels;
    std::string geoJson;
    std::string csv;
  } cases[] = {
      {"traced, with levels", true,
       "{\"type\":\"FeatureCollection\",\"features\":[\n"
       R"({"type":"Feature","properties":{"line":0,"level":0.5},)"
       R"("geometry":{"type":"LineString","coordinates":[[1,0],[1.5,0]]}},)"
       "\n"
       R"({"type":"Feature","properties":{"line":1,"level":1.25},"geometry":{"type":"Point","coordinates":[2,0]}},)"
       "\n"
       R"({"type":"Feature","properties":{"line":2,"level":1.25},"geometry":null})"
       "\n]}\n",
       "level,line,point,phi,r,x,y\r\n0.5,0,0,0,1,1,0\r\n0.5,0,1,0,1.5,1.5,0\r\n1.25,1,0,0,2,2,0\r\n"},
      {"Polar Data, no levels", false,
       "{\"type\":\"FeatureCollection\",\"features\":[\n"
       R"({"type":"Feature","properties":{"line":0,"level":null},)"
       R"("geometry":{"type":"LineString","coordinates":[[1,0],[1.5,0]]}},)"
       "\n"
       R"({"type":"Feature","properties":{"line":1,"level":null},"geometry":{"type":"Point","coordinates":[2,0]}},)"
       "\n"
       R"({"type":"Feature","properties":{"line":2,"level":null},"geometry":null})"
       "\n]}\n",
       "level,line,point,phi,r,x,y\r\n,0,0,0,1,1,0\r\n,0,1,0,1.5,1.5,0\r\n,1,0,0,2,2,0\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ContourStore store = SmallStore(c.levels);
    EXPECT_EQ(FormatLinesGeoJson(store), c.geoJson);
    EXPECT_EQ(FormatLinesCsv(store), c.csv);
  }
  EXPECT_EQ(FormatLinesGeoJson(ContourStore{}), "{\"type\":\"FeatureCollection\",\"features\":[\n]}\n");
}

TEST(LineExport, NumbersReadBackAsTheSameDoubles) {
  std::mt19937_64 random(16);
  std::uniform_real_distribution<double> angle(-7, 7), radius(1e-300, 1e300);
  ContourStore store;
  std::vector<std::pair<long double, long double>> points;
  for (int m = 0; m < 200; ++m) points.emplace_back(angle(random), m % 2 ? radius(random) : radius(random) * 1e-290);
  AddLine(store, points);
  std::istringstream csv(FormatLinesCsv(store));
  std::string row;
  std::getline(csv, row);  // the header
  for (int m = 0; std::getline(csv, row); ++m) {
    SCOPED_TRACE(row);
    std::vector<double> fields;
    for (std::size_t at = row.find(',', row.find(',') + 1) + 1; at != 0; at = row.find(',', at) + 1) {
      double value = 0;
      std::from_chars(row.data() + at, row.data() + row.size(), value);
      fields.push_back(value);
    }
    ASSERT_EQ(fields.size(), 5u);  // point, phi, r, x, y
    const auto [fi, r] = points[static_cast<std::size_t>(m)];
    EXPECT_EQ(fields[1], static_cast<double>(fi));
    EXPECT_EQ(fields[2], static_cast<double>(r));
    EXPECT_EQ(fields[3], static_cast<double>(std::cos(fi) * r));
    EXPECT_EQ(fields[4], static_cast<double>(std::sin(fi) * r));
  }
}

TEST(LineExport, RefusesValuesBeyondDouble) {
  ContourStore store;
  AddLine(store, {{0, 1}, {0, 1e4000L}});
  for (LineFormat format : {LineFormat::GeoJson, LineFormat::Csv}) {
    try {
      SaveLines("/nonexistent/never-written", store, format);
      ADD_FAILURE() << "no error";
    } catch (const Error& error) {
      EXPECT_STREQ(error.what(), "Line 0, point 1 does not fit in a double");
    }
  }
}

TEST(LineExport, GeoJsonPassesPythonsReaderAndTheSchemaCheck) {
  if (std::system("command -v python3 >/dev/null 2>&1") != 0) GTEST_SKIP() << "python3 is not installed";
  orbisk::testing::TempDir dir;
  const struct {
    bool levels;
    const char* expected;
  } cases[] = {{true, "0.5,1.25,1.25"}, {false, "null,null,null"}};
  for (const auto& c : cases) {
    const std::string path = dir.File("lines.geojson");
    SaveLines(path, SmallStore(c.levels), LineFormat::GeoJson);
    const std::string command =
        "python3 " ORBISK_TESTS_DIR "/app/check_geojson.py " + path + " " + c.expected + " >/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
  }
  // The check itself notices a wrong level.
  const std::string wrong =
      "python3 " ORBISK_TESTS_DIR "/app/check_geojson.py " + dir.File("lines.geojson") + " 0.5,1,1 >/dev/null";
  EXPECT_NE(std::system(wrong.c_str()), 0);
}

}  // namespace
}  // namespace orbisk
