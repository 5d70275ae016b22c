#include "apps/mapplot/coordinate_reader.h"

#include <charconv>
#include <system_error>

namespace mapplot {

namespace {

constexpr std::uint8_t EndOfFileByte = 0x1A;
constexpr std::uint8_t LastBlank = 0x20;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<double> ParseNumber(std::string_view run) {
  std::size_t i = 0;
  bool negative = false;
  if (i < run.size() && (run[i] == '+' || run[i] == '-')) negative = run[i++] == '-';
  const std::size_t mantissaStart = i;
  // Where the first significant digit stands, as a power of ten, tells an
  // overflow from an underflow when the value does not fit a double.
  std::int64_t digitCount = 0, integerDigits = 0, leading = -1;
  const auto digit = [&] {
    if (leading < 0 && run[i] != '0') leading = digitCount;
    ++digitCount;
    ++i;
  };
  while (i < run.size() && IsDigit(run[i])) digit();
  integerDigits = digitCount;
  if (i < run.size() && run[i] == '.') {
    ++i;
    while (i < run.size() && IsDigit(run[i])) digit();
  }
  if (digitCount == 0) return std::nullopt;
  std::int64_t exponent = 0;
  if (i < run.size() && (run[i] == 'e' || run[i] == 'E')) {
    ++i;
    bool negativeExponent = false;
    if (i < run.size() && (run[i] == '+' || run[i] == '-')) negativeExponent = run[i++] == '-';
    if (i == run.size() || !IsDigit(run[i])) return std::nullopt;
    while (i < run.size() && IsDigit(run[i])) {
      // Saturates far beyond any double's range.
      if (exponent < 100000) exponent = exponent * 10 + (run[i] - '0');
      ++i;
    }
    if (negativeExponent) exponent = -exponent;
  }
  if (i != run.size()) return std::nullopt;

  // from_chars takes no "+": it parses the unsigned rest, the sign is ours.
  double value = 0.0;
  const char* first = run.data() + mantissaStart;
  const char* last = run.data() + run.size();
  const auto result = std::from_chars(first, last, value);
  if (result.ec == std::errc::result_out_of_range) {
    if (leading >= 0 && integerDigits - 1 - leading + exponent > 0) return std::nullopt;
    value = 0.0;
  } else if (result.ec != std::errc() || result.ptr != last) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

CoordinateReader::CoordinateReader(std::FILE* file) : file_(file), failed_(file == nullptr) {
  data_ = block_.data();
}

CoordinateReader::CoordinateReader(std::span<const std::uint8_t> bytes)
    : data_(bytes.data()), size_(bytes.size()) {}

CoordinateReader::CoordinateReader(std::string_view bytes)
    : data_(reinterpret_cast<const std::uint8_t*>(bytes.data())), size_(bytes.size()) {}

bool CoordinateReader::Refill() {
  if (file_ == nullptr || ended_) return false;
  // A read error ends the data just as the end of the file does.
  size_ = std::fread(block_.data(), 1, block_.size(), file_);
  pos_ = 0;
  if (size_ == 0) ended_ = true;
  return size_ != 0;
}

int CoordinateReader::Peek() {
  if (ended_) return End;
  if (pos_ == size_ && !Refill()) {
    ended_ = true;
    return End;
  }
  if (data_[pos_] == EndOfFileByte) {
    ended_ = true;
    return End;
  }
  return data_[pos_];
}

double CoordinateReader::ReadNumber() {
  if (failed_) return 0.0;
  int c = Peek();
  while (c != End && c <= LastBlank) {
    Advance();
    c = Peek();
  }
  char run[MaxNumberLength];
  std::size_t length = 0;
  while (length < MaxNumberLength && c != End && c > LastBlank) {
    run[length++] = static_cast<char>(c);
    Advance();
    c = Peek();
  }
  if (length == 0) return 0.0;
  const std::optional<double> value = ParseNumber({run, length});
  if (!value) {
    failed_ = true;
    return 0.0;
  }
  return *value;
}

void CoordinateReader::ReadPenCode(PenCode& pen) {
  for (int c = Peek(); pen.Length < PenCode::Capacity && c != End && c != '\r' && c != '\n';
       c = Peek()) {
    pen.Bytes[pen.Length++] = static_cast<char>(c);
    Advance();
  }
}

void CoordinateReader::SkipLineEnd() {
  int c = Peek();
  while (c != End && c != '\r' && c != '\n') {
    Advance();
    c = Peek();
  }
  if (c == End) return;
  Advance();
  if (c == '\r' && Peek() == '\n') Advance();
}

CoordinateLine CoordinateReader::ReadLine() {
  CoordinateLine line;
  line.Longitude = ReadNumber();
  line.Latitude = ReadNumber();
  if (failed_) return line;
  ReadPenCode(line.Pen);
  SkipLineEnd();
  return line;
}

bool CoordinateReader::AtEnd() { return failed_ || Peek() == End; }

}  // namespace mapplot
