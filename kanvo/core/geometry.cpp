#include "kanvo/core/geometry.h"

#include <array>

namespace kanvo::core {
namespace {

struct ClientSize {
  std::int32_t Width, Height;
};

// Client sizes of the fixed modes 1 to 8.
constexpr std::array<ClientSize, 8> FixedModes = {{
    {320, 200},    // 1
    {640, 200},    // 2
    {640, 350},    // 3
    {640, 480},    // 4
    {720, 350},    // 5
    {800, 600},    // 6
    {1024, 768},   // 7
    {1280, 1024},  // 8
}};
static_assert(FixedModes.size() == 8);

// An unknown mode asks for a client area that never fits.
constexpr ClientSize Unfittable = {65535, 65535};

constexpr std::int32_t DefaultPosition = static_cast<std::int32_t>(0x80000000u);

}  // namespace

std::int16_t ComputeWindowGeometry(std::int16_t driver, std::int16_t mode,
                                   std::int32_t customWidth, std::int32_t customHeight,
                                   const ScreenMetrics& m, WindowGeometry& out) {
  const std::int32_t fx = 2 * m.DlgFrameX;
  const std::int32_t fy = 2 * m.DlgFrameY + m.CaptionY;

  ClientSize client = Unfittable;
  if (mode >= 1 && mode <= 8) {
    client = FixedModes[mode - 1];
  } else if (mode == 10) {
    client = {-fx, -fy};  // outer size 0: the system chooses
  } else if (mode == 11) {
    client = {m.ScreenWidth - fx, m.ScreenHeight - fy};
  } else if (mode == 12) {
    client = {m.ScreenWidth, m.ScreenHeight};
  } else if (mode == 13) {
    client = {customWidth, customHeight};
  }

  out.WindowWidth = client.Width + fx;
  out.WindowHeight = client.Height + fy;
  if (out.WindowWidth <= m.ScreenWidth && out.WindowHeight <= m.ScreenHeight) {
    out.WindowStyle = CaptionedStyle;
  } else if (client.Width <= m.ScreenWidth && client.Height <= m.ScreenHeight) {
    out.WindowWidth = client.Width;
    out.WindowHeight = client.Height;
    out.WindowStyle = PopupStyle;
  } else {
    return -3;
  }

  switch (driver) {
    case 1: out.BitsPerPixel = 1; break;
    case 2: out.BitsPerPixel = 4; break;
    case 3: out.BitsPerPixel = 8; break;
    case 9: out.BitsPerPixel = static_cast<std::uint8_t>(m.DesktopBits); break;
    default: return -2;
  }
  if (driver == 9) {
    out.PaletteMode = false;  // ColorCount keeps its previous value
  } else {
    out.PaletteMode = true;
    out.ColorCount = static_cast<std::uint16_t>(1u << out.BitsPerPixel);
  }
  return 0;
}

WindowPlacement PlaceWindow(std::int32_t screenWidth, std::int32_t screenHeight,
                            std::int32_t windowWidth, std::int32_t windowHeight) {
  if (windowWidth == 0) {
    return {DefaultPosition, DefaultPosition, DefaultPosition, DefaultPosition};
  }
  return {(screenWidth - windowWidth) / 2, (screenHeight - windowHeight) / 2, windowWidth,
          windowHeight};
}

}  // namespace kanvo::core
