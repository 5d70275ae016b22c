// The two constant colour tables: the palette a palette mode starts with and
// the RGB values behind the named colours. Pure data.
#pragma once
#include <array>
#include <cstdint>

namespace kanvo::core {

// A colour packed as the platform packs it: red in bits 0-7, green in 8-15,
// blue in 16-23.
constexpr std::uint32_t Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return red | (std::uint32_t{green} << 8) | (std::uint32_t{blue} << 16);
}

// 16 standard colours, a 16-step grey ramp, nine hue circles of 24 entries
// and eight blacks.
extern const std::array<std::uint32_t, 256> StandardPalette;

// The colour each NamedColor number stands for.
extern const std::array<std::uint32_t, 256> NamedColorRGB;

}  // namespace kanvo::core
