// Prints the benchmark table: rate of each operation through the library and
// through direct GDI calls, and their ratio (time with the library over time
// with direct calls).
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

Row Compare(std::string name, std::string unit, const std::function<void()>& kanvo,
            const std::function<void()>& direct, std::string note) {
  Row row{std::move(name), std::move(unit), 0, 0, std::move(note)};
  for (int round = 0; round < 5; ++round) {
    const double k = Rate(kanvo, 0.2);
    const double d = Rate(direct, 0.2);
    if (k > row.Kanvo) row.Kanvo = k;
    if (d > row.Direct) row.Direct = d;
  }
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
                  row.Kanvo, row.Direct, row.Direct / row.Kanvo);
    } else {
      std::printf("%-44s %-10s %14.1f %14s %7s", row.Name.c_str(), row.Unit.c_str(), row.Kanvo,
                  "-", "-");
    }
    if (!row.Note.empty()) std::printf("  %s", row.Note.c_str());
    std::printf("\n");
  }
  return 0;
}
