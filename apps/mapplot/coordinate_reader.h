// Reader of the coordinate file "GLOB.DAT": per line a longitude, a latitude
// and a pen code, read byte by byte as plain 8-bit text.
// Pure: the bytes come from a C stream or from a buffer in memory.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string_view>

namespace mapplot {

// The rest of a line after the latitude, separator included, cut to 10 bytes.
struct PenCode {
  static constexpr std::size_t Capacity = 10;
  std::array<char, Capacity> Bytes{};
  std::size_t Length = 0;

  std::string_view View() const { return {Bytes.data(), Length}; }
  // Exactly " D" draws; anything else, the empty code included, moves.
  bool Draws() const { return View() == " D"; }
};

struct CoordinateLine {
  double Longitude = 0.0;
  double Latitude = 0.0;
  PenCode Pen;
};

// A run of bytes above 0x20 as a number: optional sign, digits with an
// optional fraction (at least one digit in all), optional exponent with at
// least one digit. Nothing else may follow. A value too large for a double
// does not read; one too small reads as zero.
std::optional<double> ParseNumber(std::string_view run);

class CoordinateReader {
 public:
  static constexpr std::size_t MaxNumberLength = 255;
  static constexpr std::size_t BlockSize = 4096;

  // Reads the stream from its current position; the caller keeps it open
  // and closes it. A null stream is a file that could not be opened: every
  // read fails.
  explicit CoordinateReader(std::FILE* file);
  explicit CoordinateReader(std::span<const std::uint8_t> bytes);
  explicit CoordinateReader(std::string_view bytes);

  CoordinateReader(const CoordinateReader&) = delete;
  CoordinateReader& operator=(const CoordinateReader&) = delete;

  // One line: both numbers (each looked for across line ends), the pen code,
  // then past the line end. A number missing at the end of the data is 0.0.
  // After a run that is not a number, that number and everything read after
  // it are 0.0 and the pen code is empty.
  CoordinateLine ReadLine();

  // No byte left, a 0x1A next, or a failed number.
  bool AtEnd();

  // A run did not read as a number, or there was no file.
  bool Failed() const { return failed_; }

 private:
  static constexpr int End = -1;

  int Peek();
  void Advance() { ++pos_; }
  bool Refill();
  double ReadNumber();
  void ReadPenCode(PenCode& pen);
  void SkipLineEnd();

  std::FILE* file_ = nullptr;
  const std::uint8_t* data_ = nullptr;
  std::size_t pos_ = 0, size_ = 0;
  bool ended_ = false;
  bool failed_ = false;
  std::array<std::uint8_t, BlockSize> block_{};
};

}  // namespace mapplot
