#include <doctest/doctest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "apps/mapplot/coordinate_reader.h"

using namespace mapplot;
using namespace std::string_literals;

namespace {

struct Line {
  double Longitude, Latitude;
  std::string Pen;
  bool operator==(const Line&) const = default;
};

doctest::String toString(const std::vector<Line>& lines) {
  std::string s;
  for (const Line& l : lines) {
    s += "(" + std::to_string(l.Longitude) + ", " + std::to_string(l.Latitude) + ", \"";
    for (char c : l.Pen) {
      if (static_cast<unsigned char>(c) < 0x20) {
        s += "\\x" + std::to_string(static_cast<unsigned char>(c));
      } else {
        s += c;
      }
    }
    s += "\") ";
  }
  return s.c_str();
}

// Reads as the program does: the end test comes after each line.
std::vector<Line> ReadAll(CoordinateReader& reader) {
  std::vector<Line> lines;
  do {
    const CoordinateLine l = reader.ReadLine();
    lines.push_back({l.Longitude, l.Latitude, std::string(l.Pen.View())});
  } while (!reader.AtEnd());
  return lines;
}

std::vector<Line> ReadAll(const std::string& bytes) {
  CoordinateReader reader(std::string_view{bytes});
  return ReadAll(reader);
}

}  // namespace

TEST_CASE("number runs") {
  struct Case {
    std::string run;
    bool reads;
    double value;
  };
  const Case cases[] = {
      {"12", true, 12.0},
      {"-5.5", true, -5.5},
      {".5", true, 0.5},
      {"5.", true, 5.0},
      {"+1.5e2", true, 150.0},
      {"1E-2", true, 0.01},
      {"-0.25e+1", true, -2.5},
      {"007", true, 7.0},
      {"1e-999", true, 0.0},  // too small: zero
      {"0e99999", true, 0.0},
      {"3,5", false, 0},  // decimal comma
      {"12N", false, 0},
      {"1e", false, 0},  // exponent without digits
      {"1e+", false, 0},
      {"", false, 0},
      {"+", false, 0},
      {"-", false, 0},
      {".", false, 0},
      {"-.", false, 0},
      {"e5", false, 0},
      {".e5", false, 0},
      {"--1", false, 0},
      {"+-1", false, 0},
      {"1.5.2", false, 0},
      {"1d2", false, 0},
      {"0x10", false, 0},
      {"inf", false, 0},
      {"nan", false, 0},
      {"1e999", false, 0},  // too large for a double
      {"-1e400", false, 0},
      {"12\xB0", false, 0},          // degree sign in Latin-1
      {"\xEF\xBB\xBF" "12", false, 0},  // byte-order mark
  };
  for (const Case& c : cases) {
    CAPTURE(c.run);
    const std::optional<double> v = ParseNumber(c.run);
    REQUIRE(v.has_value() == c.reads);
    if (c.reads) CHECK(*v == c.value);
  }
}

TEST_CASE("lines of the coordinate file") {
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<Line> lines;
    bool failed;
  };
  const std::vector<Case> cases = {
      {"worked lines", "-5.5 36.2 D\n20.0 -34.8\n195 10 D\n0 0 D\n",
       {{-5.5, 36.2, " D"}, {20.0, -34.8, ""}, {195, 10, " D"}, {0, 0, " D"}}, false},
      {"CR LF", "-5.5 36.2 D\r\n20.0 -34.8\r\n195 10 D\r\n",
       {{-5.5, 36.2, " D"}, {20.0, -34.8, ""}, {195, 10, " D"}}, false},
      {"lone CR", "-5.5 36.2 D\r20.0 -34.8\r195 10 D\r",
       {{-5.5, 36.2, " D"}, {20.0, -34.8, ""}, {195, 10, " D"}}, false},
      {"CR CR LF is an empty line between", "1 2 D\r\r\n3 4 D",
       {{1, 2, " D"}, {3, 4, " D"}}, false},
      {"last line without line end", "1 2 D", {{1, 2, " D"}}, false},
      {"pen codes kept as they are", "1 2  D\n1 2 d\n1 2\tD\n1 2 D \n1 2 \x01" "D\n1 2 D\0\n"s,
       {{1, 2, "  D"}, {1, 2, " d"}, {1, 2, "\tD"}, {1, 2, " D "}, {1, 2, " \x01" "D"},
        {1, 2, " D\0"s}},
       false},
      {"pen code cut after ten bytes", "1 2 D23456789ABCDEF\n3 4 D\n",
       {{1, 2, " D23456789"}, {3, 4, " D"}}, false},
      {"ten bytes exactly", "1 2 123456789\r\n3 4 D\n", {{1, 2, " 123456789"}, {3, 4, " D"}},
       false},
      {"blanks and control bytes before numbers", "\t 1\x01\x02 \x1F" "2 D\n", {{1, 2, " D"}},
       false},
      {"blank lines between", "1 2 D\n\n \r\n\r3 4 D\n", {{1, 2, " D"}, {3, 4, " D"}}, false},
      {"blanks after the last line move once more", "1 2 D\n \n\n", {{1, 2, " D"}, {0, 0, ""}},
       false},
      {"only a longitude: the latitude comes from the next line", "10\n20 D\n30 40 D\n",
       {{10, 20, " D"}, {30, 40, " D"}}, false},
      {"only a longitude: the next line's rest is the pen code", "10\n20 30 D\n",
       {{10, 20, " 30 D"}}, false},
      {"only a longitude at the end", "1 2 D\n10\n", {{1, 2, " D"}, {10, 0, ""}}, false},
      {"0x1A ends the file", "1 2 D\n3 4 D\x1A" "5 6 D\n", {{1, 2, " D"}, {3, 4, " D"}}, false},
      {"0x1A inside the pen code", "1 2 D\x1A\n3 4 D\n", {{1, 2, " D"}}, false},
      {"0x1A where the latitude is due", "1 2 D\n3\x1A" "4 D\n", {{1, 2, " D"}, {3, 0, ""}},
       false},
      {"0x1A first", "\x1A" "1 2 D\n", {{0, 0, ""}}, false},
      {"empty file", "", {{0, 0, ""}}, false},
      {"byte-order mark", "\xEF\xBB\xBF-5.5 36.2 D\n20 10 D\n", {{0, 0, ""}}, true},
      {"decimal comma ends the reading", "1 2 D\n3,5 36.2 D\n7 8 D\n",
       {{1, 2, " D"}, {0, 0, ""}}, true},
      {"bad latitude keeps the longitude", "1 2 D\n3 4N D\n7 8 D\n", {{1, 2, " D"}, {3, 0, ""}},
       true},
      {"bad number on the last line", "1 2 D\n3 x", {{1, 2, " D"}, {3, 0, ""}}, true},
      // The run is cut after 255 bytes; the rest is read as the next number.
      {"number run cut at 255 bytes", std::string(255, '0') + "7 8 D\n", {{0, 7, " 8 D"}}, false},
  };
  for (const Case& c : cases) {
    CAPTURE(c.name);
    CoordinateReader reader(std::string_view{c.bytes});
    CHECK(ReadAll(reader) == c.lines);
    CHECK(reader.Failed() == c.failed);
    CHECK(reader.AtEnd());
  }
}

TEST_CASE("draw only on exactly \" D\"") {
  const char* codes[] = {"", " ", "D", "  D", " d", "\tD", " D ", " DD", " D\t", "D "};
  for (const char* code : codes) {
    CAPTURE(code);
    const std::string bytes = std::string("1 2") + code + "\n";
    CoordinateReader reader(std::string_view{bytes});
    CHECK_FALSE(reader.ReadLine().Pen.Draws());
  }
  CoordinateReader reader(std::string_view{"1 2 D\n"});
  CHECK(reader.ReadLine().Pen.Draws());
}

TEST_CASE("a missing file reads as one empty line") {
  CoordinateReader reader(static_cast<std::FILE*>(nullptr));
  CHECK(reader.Failed());
  CHECK(ReadAll(reader) == std::vector<Line>{{0, 0, ""}});
}

TEST_CASE("a file read in blocks reads as the same bytes in memory") {
  // Long enough for several blocks, with line ends and numbers of varying
  // width so that runs, CR LF pairs and pen codes fall across block edges.
  std::string bytes;
  for (int i = 0; i < 3000; ++i) {
    bytes += std::to_string(i % 360 - 180) + "." + std::to_string(i % 100) + " " +
             std::to_string(i % 170 - 85) + ".5" + (i % 3 ? " D" : "") +
             (i % 5 == 0 ? "\r\n" : i % 5 == 1 ? "\r" : "\n");
  }
  REQUIRE(bytes.size() > 3 * CoordinateReader::BlockSize);
  std::FILE* file = std::tmpfile();
  REQUIRE(file != nullptr);
  REQUIRE(std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size());
  std::rewind(file);
  CoordinateReader fromFile(file);
  const std::vector<Line> lines = ReadAll(fromFile);
  std::fclose(file);
  CHECK(lines.size() == 3000);
  CHECK(lines == ReadAll(bytes));
  CHECK_FALSE(fromFile.Failed());
}

TEST_CASE("the sample data reads in full") {
  std::FILE* file = std::fopen(MAPPLOT_SAMPLE_DATA, "rb");
  REQUIRE(file != nullptr);
  CoordinateReader reader(file);
  int lines = 0, runs = 0, longestRun = 0, run = 0;
  double previousLongitude = 0;
  do {
    const CoordinateLine line = reader.ReadLine();
    CAPTURE(lines);
    CHECK(line.Longitude >= -180);
    CHECK(line.Longitude <= 180);
    CHECK(line.Latitude >= -90);
    CHECK(line.Latitude <= 90);
    if (line.Pen.Draws()) {
      REQUIRE(run > 0);
      // Nothing is drawn across the whole map.
      CHECK(std::abs(line.Longitude - previousLongitude) < 180);
      ++run;
    } else {
      CHECK(line.Pen.View().empty());
      ++runs;
      run = 1;
    }
    longestRun = std::max(longestRun, run);
    previousLongitude = line.Longitude;
    ++lines;
  } while (!reader.AtEnd());
  std::fclose(file);
  CHECK_FALSE(reader.Failed());
  CHECK(lines > 4000);
  CHECK(runs > 100);
  CHECK(longestRun > 500);
}
