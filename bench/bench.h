// Shared parts of the benchmark: the clock, the rate measurement and the rows
// of the table.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace bench {

double Seconds();

// Calls step() repeatedly for at least minSeconds and returns calls per
// second.
double Rate(const std::function<void()>& step, double minSeconds = 0.3);

struct Row {
  std::string Name;
  std::string Unit;  // what one call counts as
  double Kanvo = 0;  // per second
  double Direct = 0; // per second; 0 when there is no direct counterpart
  double Ratio = 0;  // time through the library over time of the direct calls
  std::string Note;
};

// Measures both ways in alternating rounds; rates and ratio are the medians.
Row Compare(std::string name, std::string unit, const std::function<void()>& kanvo,
            const std::function<void()>& direct, std::string note = {});

void PrimitiveRows(std::vector<Row>& rows);

// coastglobe's frame at two radii (with its direct counterpart), texglobe's
// frame, mapplot's plot of a 100 000-line file. dataRoot is the apps folder,
// which holds each program's data file.
void ProgramRows(std::vector<Row>& rows, const std::string& dataRoot);

// StartGraphics plus StopGraphics, and a window thread with the same window,
// pages, palette and OpenGL contexts run by direct calls.
Row OpenCloseRow();

}  // namespace bench
