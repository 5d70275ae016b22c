// Fuzzer of mapplot's "GLOB.DAT" reader. Invariants checked on every input:
// - a pen code is at most 10 bytes and never holds a line end or 0x1A, and it
//   draws exactly when it is " D";
// - every number is finite, and ParseNumber accepts exactly the runs that the
//   file format's grammar accepts, with strtod's value (too large: refused);
// - each line read consumes input, so a file of n bytes has at most n + 1
//   lines; after a failed number the reader is at its end;
// - reading from a stream in 4096-byte blocks gives the same lines as reading
//   the bytes from memory, and nothing after the first 0x1A matters.
// AddressSanitizer catches any read outside the buffer.
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "apps/mapplot/coordinate_reader.h"

namespace {

void Require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

// The format's number grammar, written out independently of the reader:
// [+-] digits [. digits] with at least one digit, then [eE [+-] digits].
bool MatchesGrammar(std::string_view s) {
  std::size_t i = 0, digits = 0;
  const auto isDigit = [&](std::size_t k) { return k < s.size() && s[k] >= '0' && s[k] <= '9'; };
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  while (isDigit(i)) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (isDigit(i)) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    if (!isDigit(i)) return false;
    while (isDigit(i)) ++i;
  }
  return i == s.size();
}

void CheckNumber(std::string_view run) {
  const std::optional<double> parsed = mapplot::ParseNumber(run);
  if (!MatchesGrammar(run)) {
    Require(!parsed, "ParseNumber accepted a run outside the grammar");
    return;
  }
  const std::string text(run);
  errno = 0;
  const double expected = std::strtod(text.c_str(), nullptr);
  const bool range = errno == ERANGE;
  if (range && std::fabs(expected) > 1.0) {
    Require(!parsed, "ParseNumber accepted a value too large for a double");
    return;
  }
  Require(parsed.has_value(), "ParseNumber refused a run of the grammar");
  Require(std::isfinite(*parsed), "ParseNumber gave a value that is not finite");
  if (range) {
    Require(std::fabs(*parsed) < DBL_MIN, "an underflowing value did not read as (nearly) zero");
  } else {
    Require(*parsed == expected, "ParseNumber differs from strtod");
  }
}

struct Line {
  double Longitude, Latitude;
  std::string Pen;
  bool operator==(const Line&) const = default;
};

void CheckLine(const mapplot::CoordinateLine& line) {
  Require(line.Pen.Length <= mapplot::PenCode::Capacity, "pen code longer than 10 bytes");
  const std::string_view pen = line.Pen.View();
  Require(pen.find_first_of("\r\n\x1a") == std::string_view::npos,
          "pen code holds a line end or 0x1A");
  Require(line.Pen.Draws() == (pen == " D"), "pen code draws other than for \" D\"");
  Require(std::isfinite(line.Longitude) && std::isfinite(line.Latitude),
          "a number that is not finite");
}

template <class Reader>
std::vector<Line> ReadAll(Reader& reader, std::size_t size) {
  std::vector<Line> lines;
  for (;;) {
    const mapplot::CoordinateLine line = reader.ReadLine();
    CheckLine(line);
    if (reader.Failed()) {
      Require(line.Latitude == 0.0 && line.Pen.Length == 0,
              "values read after a failed number");
      Require(reader.AtEnd(), "a failed reader is not at its end");
    }
    lines.push_back({line.Longitude, line.Latitude, std::string(line.Pen.View())});
    Require(lines.size() <= size + 1, "more lines than the input has bytes");
    if (reader.AtEnd()) break;
  }
  return lines;
}

std::vector<Line> ReadMemory(std::string_view bytes) {
  mapplot::CoordinateReader reader(bytes);
  return ReadAll(reader, bytes.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The input lies in a block of exactly its size, so any over-read is caught.
  std::vector<std::uint8_t> bytes(data, data + size);
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());

  // Every run of bytes above 0x20 is a candidate number, as the reader cuts it.
  for (std::size_t i = 0; i < text.size();) {
    if (static_cast<std::uint8_t>(text[i]) <= 0x20) {
      ++i;
      continue;
    }
    std::size_t j = i;
    while (j < text.size() && static_cast<std::uint8_t>(text[j]) > 0x20 &&
           j - i < mapplot::CoordinateReader::MaxNumberLength)
      ++j;
    CheckNumber(text.substr(i, j - i));
    i = j;
  }

  const std::vector<Line> fromMemory = ReadMemory(text);

  const std::size_t eof = text.find('\x1a');
  if (eof != std::string_view::npos)
    Require(ReadMemory(text.substr(0, eof)) == fromMemory, "bytes after 0x1A changed the lines");

  if (size > 0) {
    std::FILE* file = fmemopen(bytes.data(), bytes.size(), "rb");
    Require(file != nullptr, "fmemopen failed");
    mapplot::CoordinateReader reader(file);
    const std::vector<Line> fromStream = ReadAll(reader, size);
    std::fclose(file);
    Require(fromStream == fromMemory, "stream and memory readers differ");
  }
  return 0;
}
