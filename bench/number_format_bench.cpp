// Traced points as text: the angles and radii of a trace (reals between 0
// and 2 pi, and between 1 and 2) written with 21 significant digits, by the
// program's rounding and by printf's %.21Lg, whose text it gives; and that
// text read back, by the program's conversion and by strtold, whose values
// it gives.

#include <benchmark/benchmark.h>
#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "polar_data/decimal_parsing.h"
#include "polar_data/number_format.h"

namespace {

std::vector<long double> TracedReals() {
  std::mt19937_64 random(42);
  std::uniform_real_distribution<long double> angle(0, 2 * std::numbers::pi_v<long double>), radius(1, 2);
  std::vector<long double> values;
  for (int k = 0; k < 50000; ++k) values.push_back(k % 2 == 0 ? angle(random) : radius(random));
  return values;
}

void BM_AppendDigits21(benchmark::State& state) {
  const std::vector<long double> values = TracedReals();
  std::string text;
  for (auto _ : state) {
    text.clear();
    for (long double v : values) orbisk::AppendDigits(text, v, 21);
    benchmark::DoNotOptimize(text.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(values.size()));
}
BENCHMARK(BM_AppendDigits21)->Unit(benchmark::kMillisecond);

void BM_PrintfDigits21(benchmark::State& state) {
  const std::vector<long double> values = TracedReals();
  std::string text;
  for (auto _ : state) {
    text.clear();
    for (long double v : values) {
      char number[64];
      text.append(number, static_cast<std::size_t>(std::snprintf(number, sizeof number, "%.21Lg", v)));
    }
    benchmark::DoNotOptimize(text.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(values.size()));
}
BENCHMARK(BM_PrintfDigits21)->Unit(benchmark::kMillisecond);

std::vector<std::string> TracedTexts() {
  std::vector<std::string> texts;
  for (long double v : TracedReals()) {
    texts.emplace_back();
    orbisk::AppendDigits(texts.back(), v, 21);
  }
  return texts;
}

void BM_ParseDecimal21(benchmark::State& state) {
  const std::vector<std::string> texts = TracedTexts();
  for (auto _ : state) {
    long double sum = 0;
    for (const std::string& text : texts) sum += orbisk::ParseDecimal(text).value_or(0);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(texts.size()));
}
BENCHMARK(BM_ParseDecimal21)->Unit(benchmark::kMillisecond);

void BM_Strtold21(benchmark::State& state) {
  const std::vector<std::string> texts = TracedTexts();
  const locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
  for (auto _ : state) {
    long double sum = 0;
    for (const std::string& text : texts) sum += strtold_l(text.c_str(), nullptr, c);
    benchmark::DoNotOptimize(sum);
  }
  freelocale(c);
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(texts.size()));
}
BENCHMARK(BM_Strtold21)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
