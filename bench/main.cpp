// Prints the benchmark table: rate of each operation through the library and
// through direct GDI calls, and their ratio (time with the library over time
// with direct calls, the median of paired rounds).
#include <algorithm>
#include <cstdio>

#include "bench.h"

namespace bench {

double Seconds() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / frequency;
}

double Rate(const std::function<void()>& step, double minSeconds) {
  long long calls = 0;
  const double start = Seconds();
  double elapsed = 0;
  do {
    for (int i = 0; i < 8; ++i) step();
    calls += 8;
    elapsed = Seconds() - start;
  } while (elapsed < minSeconds);
  return static_cast<double>(calls) / elapsed;
}

namespace {

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double TimeBatch(const std::function<void()>& step, long calls) {
  const double start = Seconds();
  for (long i = 0; i < calls; ++i) step();
  return Seconds() - start;
}

}  // namespace

Row Compare(std::string name, std::string unit, const std::function<void()>& kanvo,
            const std::function<void()>& direct, std::string note) {
  // Batches of about 10 ms, the two ways in turn, the order swapped every
  // round: a burst of other work on the machine then lands in one pair
  // only, and the median of the rounds leaves it out.
  constexpr int Rounds = 61;
  constexpr double BatchSeconds = 0.01;
  const double once = std::max(TimeBatch(kanvo, 1), TimeBatch(direct, 1));
  const long calls = std::max(1L, static_cast<long>(BatchSeconds / std::max(once, 1e-7)));
  std::vector<double> kanvoTimes, directTimes, ratios;
  for (int round = 0; round < Rounds; ++round) {
    double k, d;
    if (round % 2 == 0) {
      k = TimeBatch(kanvo, calls);
      d = TimeBatch(direct, calls);
    } else {
      d = TimeBatch(direct, calls);
      k = TimeBatch(kanvo, calls);
    }
    kanvoTimes.push_back(k);
    directTimes.push_back(d);
    ratios.push_back(k / d);
  }
  Row row{std::move(name), std::move(unit), 0, 0, 0, std::move(note)};
  row.Kanvo = calls / Median(kanvoTimes);
  row.Direct = calls / Median(directTimes);
  row.Ratio = Median(ratios);
  return row;
}

}  // namespace bench

// The one argument is the apps folder, for the programs' data files.
int main(int argc, char** argv) {
  std::vector<bench::Row> rows;
  bench::PrimitiveRows(rows);
  rows.push_back(bench::OpenCloseRow());
  if (argc > 1) bench::ProgramRows(rows, argv[1]);

  std::printf("%-44s %-10s %14s %14s %7s\n", "operation", "unit", "kanvo /s", "direct /s",
              "ratio");
  for (const bench::Row& row : rows) {
    if (row.Direct > 0) {
      std::printf("%-44s %-10s %14.1f %14.1f %7.2f", row.Name.c_str(), row.Unit.c_str(),
                  row.Kanvo, row.Direct, row.Ratio);
    } else {
      std::printf("%-44s %-10s %14.1f %14s %7s", row.Name.c_str(), row.Unit.c_str(), row.Kanvo,
                  "-", "-");
    }
    if (!row.Note.empty()) std::printf("  %s", row.Note.c_str());
    std::printf("\n");
  }
  return 0;
}
