// Saving pages as bitmap files, read back and compared with the pages.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support.h"

using namespace kanvo;

namespace {

std::vector<std::uint8_t> ReadFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t Read32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

// The colour of pixel (x, y) as the file describes it, as 0xBBGGRR.
COLORREF FilePixel(const std::vector<std::uint8_t>& file, int x, int y) {
  const std::uint32_t offset = Read32(file, 10);
  const auto width = static_cast<std::int32_t>(Read32(file, 18));
  const auto height = static_cast<std::int32_t>(Read32(file, 22));
  const std::uint16_t bits = static_cast<std::uint16_t>(file[28] | file[29] << 8);
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * bits + 31) / 32 * 4;
  const std::size_t row = offset + rowBytes * static_cast<std::uint32_t>(height - 1 - y);
  std::uint32_t bgr = 0;
  if (bits == 8) {
    const std::size_t entry = 54 + 4 * static_cast<std::size_t>(file[row + x]);
    bgr = Read32(file, entry);
  } else {
    REQUIRE(bits == 32);
    bgr = Read32(file, row + 4 * static_cast<std::size_t>(x));
  }
  return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
}

struct Poke {
  int x, y;
  COLORREF color;
};

void PokeCurrentPage(const Poke& p) {
  GraphicsLockGuard lock;
  SetPixelV(Graphics.PageDC, p.x, p.y, p.color);
}

// Compares the file with the page that is currently drawn on.
void CheckMatchesDrawPage(const std::vector<std::uint8_t>& file, const std::vector<Poke>& pokes) {
  REQUIRE(file.size() > 54);
  CHECK(file[0] == 'B');
  CHECK(Read32(file, 18) == static_cast<std::uint32_t>(WindowMaxX() + 1));
  CHECK(Read32(file, 22) == static_cast<std::uint32_t>(WindowMaxY() + 1));
  for (const Poke& p : pokes) {
    CAPTURE(p.x);
    CAPTURE(p.y);
    CHECK(FilePixel(file, p.x, p.y) == test::PagePixel(p.x, p.y));
    CHECK(FilePixel(file, p.x, p.y) != RGB(0, 0, 0));
  }
  for (int y = 0; y <= WindowMaxY(); y += 37) {
    for (int x = 0; x <= WindowMaxX(); x += 53) {
      CAPTURE(x);
      CAPTURE(y);
      CHECK(FilePixel(file, x, y) == test::PagePixel(x, y));
    }
  }
}

}  // namespace

TEST_CASE("saved pages match the pages, in palette and direct colour") {
  for (std::int16_t driver : {3, 9}) {
    CAPTURE(driver);
    test::OpenWindow window(driver, 4);
    if (driver == 3) {
      // A colour table of the test's own, which SetDrawPage loads into the
      // pages it selects, whatever palette the library applied.
      for (int i = 0; i < 256; ++i) Graphics.ColorTable[i] = {BYTE(i), BYTE(255 - i), BYTE(i * 7), 0};
    }
    const std::vector<Poke> page0 = {{0, 0, RGB(255, 0, 0)}, {639, 479, RGB(0, 255, 0)},
                                     {5, 470, RGB(10, 20, 250)}};
    const std::vector<Poke> page2 = {{100, 100, RGB(255, 255, 255)}, {1, 2, RGB(255, 0, 255)}};
    SetDrawPage(0);
    for (const Poke& p : page0) PokeCurrentPage(p);
    SetDrawPage(2);
    for (const Poke& p : page2) PokeCurrentPage(p);
    SetDrawPage(0);

    const std::string name0 = "kanvo-page0-" + std::to_string(driver) + ".bmp";
    const std::string name2 = "kanvo-page2-" + std::to_string(driver) + ".bmp";
    SavePage(0, name0);
    CHECK(LastStatus() == StatusOk);
    SavePage(2, name2);  // not the drawn page
    CHECK(LastStatus() == StatusOk);
    CHECK(GetCurrentObject(Graphics.PageDC, OBJ_BITMAP) == Graphics.Pages[0]);

    const auto file0 = ReadFile(name0);
    const auto file2 = ReadFile(name2);
    CHECK(file0[28] == (driver == 3 ? 8 : Graphics.BitsPerPixel));
    CheckMatchesDrawPage(file0, page0);
    SetDrawPage(2);
    CheckMatchesDrawPage(file2, page2);
    std::remove(name0.c_str());
    std::remove(name2.c_str());
  }
}

TEST_CASE("saving refuses bad pages and unwritable files") {
  SavePage(0, "closed.bmp");
  CHECK(LastStatus() == StatusNotOpen);
  CHECK(ReadFile("closed.bmp").empty());

  test::OpenWindow window;
  for (std::int16_t page : {4, -1, 100}) {
    CAPTURE(page);
    SavePage(page, "bad-page.bmp");
    CHECK(LastStatus() == StatusBadArgument);
    CHECK(ReadFile("bad-page.bmp").empty());
  }
  SavePage(0, "no-such-folder\\page.bmp");
  CHECK(LastStatus() == StatusWriteFailed);
  SavePage(1, "");
  CHECK(LastStatus() == StatusWriteFailed);
  SavePage(3, "kanvo-page3.bmp");
  CHECK(LastStatus() == StatusOk);
  CHECK(ReadFile("kanvo-page3.bmp").size() == 14 + 40 + 640 * 480 * Graphics.BitsPerPixel / 8);
  std::remove("kanvo-page3.bmp");
}
