// kanvo graphics module: one window run by its own thread, four off-screen
// pages, a pen-and-brush drawing state, palettes, fonts and an OpenGL mode.
//
// Every operation is called on the program's thread. Operations that can fail
// set LastStatus() to StatusOk first and to one negative StatusCode on
// failure, then return without drawing; nothing throws.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <string_view>

namespace kanvo {

enum StatusCode : std::int16_t {
  StatusOk = 0,
  StatusNotOpen = -1,          // the window is not open
  StatusBadDriver = -2,        // StartGraphics: driver not 1, 2, 3 or 9
  StatusBadMode = -3,          // StartGraphics: unknown mode, or the window fits nowhere
  StatusNoWindow = -4,         // the window thread could not create the window
  StatusFontUnavailable = -5,  // RegisterFont: face not installed, or no free slot
  StatusFontSlotEmpty = -6,    // SelectFont: slot 15 or an empty slot
  StatusBadArgument = -7,      // an argument outside its table
  StatusNotPaletteMode = -8,   // ApplyPalette in direct colour
  StatusNoOpenGL = -9,         // the OpenGL contexts could not be made
  StatusAlreadyOpen = -10,     // StartGraphics while open
  StatusWriteFailed = -11,     // SavePage: the file could not be written
};

// A colour argument: an RGB value (red in the low byte) in direct colour, a
// palette index in the palette modes. NamedColor holds values that mean the
// same colour in every mode.
using ColorValue = std::uint32_t;

// An input hook: called on the window thread with the window procedure's own
// four arguments; its result becomes the window procedure's result.
using HookProc = std::int32_t (*)(void* window, std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam);

// ---- Window lifecycle -------------------------------------------------------

// Opens the window. Drivers: 1, 2, 3 give 2, 16 and 256 palette colours, 9 the
// desktop's direct colour. Modes: 1 320x200, 2 640x200, 3 640x350, 4 640x480,
// 5 720x350, 6 800x600, 7 1024x768, 8 1280x1024, 10 system-chosen size,
// 11 screen minus frame, 12 full screen, 13 the size of SetCustomSize.
// Driver 0 picks the defaults (9, 10) and writes them back into both
// arguments. An empty title gives "Kanvo 1.1"; longer titles are cut to 255.
// Status: 0, -2, -3, -4, -5 (window left open and hidden), -9 (window usable,
// no OpenGL), -10.
void StartGraphics(std::int16_t& driver, std::int16_t& mode, std::string_view title);

// Closes the window and waits for the window thread to end. Status 0 or -1.
void StopGraphics();

// Stores the default driver 9 and mode 10; touches nothing else.
void PickDefaultMode(std::int16_t& driver, std::int16_t& mode);

bool IsGraphicsOpen();

// Restores the default pen, colours, brush, font, text settings, view, raster
// mode and aspect factors.
void ResetDrawingState();

// Status of the last operation: a StatusCode.
std::int16_t LastStatus();

// The client size that mode 13 opens with (0 x 0 until set). Takes effect at
// the next StartGraphics; sets no status.
void SetCustomSize(std::int32_t width, std::int32_t height);

// ---- Pages and the window ---------------------------------------------------

enum RefreshMode : std::int16_t { RefreshManual = 0, RefreshAuto = 1, RefreshNow = 2 };

// Pages are numbered 0 to 3; any other number means page 0. Status 0 or -1.
void SetDrawPage(std::int16_t page);
void SetShowPage(std::int16_t page);  // also repaints the whole window from it

// 0: stop drawing into the window at once; 1: draw into it again (repaints);
// 2: show now (repaint from the shown page, or swap buffers when the window
// is the OpenGL target). Other values do nothing.
void RefreshScreen(std::int16_t how);

// Writes page 0..3 as a Windows bitmap file of the page's depth, with its
// colour table in the palette modes. Status 0, -1, -7 (page outside 0..3),
// -11 (the file could not be created or written; a partial file is removed).
void SavePage(std::int16_t page, std::string_view fileName);

// Largest x and y of the client area of the current or last window; 0 before
// the first. Never fail.
std::int16_t WindowMaxX();
std::int16_t WindowMaxY();

// Set by the close button or the system menu; the window stays open. Cleared
// by StartGraphics.
bool CloseRequested();

// Slots through which the window procedure hands keyboard and mouse messages
// to the input modules; filled by their start-up.
std::atomic<HookProc>& KeyHook();
std::atomic<HookProc>& MouseHook();

// ---- Pen, lines and pixels --------------------------------------------------
// Coordinates are view coordinates: (0, 0) is the view's top-left corner.

// Sets the view (corners included) and moves the pen to its (0, 0); with clip,
// drawing outside it is cut off. Status 0, -1, -7 (x1 > x2 or y1 > y2).
void SetView(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2, bool clip);

// 0..15 choose the raster operation (copy, xor, merge, mask, not-copy, not,
// not-xor, not-merge, not-mask, mask-not-pen, merge-not-pen, mask-pen-not,
// merge-pen-not, black, white, nop); adding 16 makes the background opaque.
// Status 0, -1, -7.
void SetRasterMode(std::int16_t mode);

// Radius factors of DrawArc, 10000 meaning 1. Works while closed; no status.
void SetAspectFactors(std::uint16_t xFactor, std::uint16_t yFactor);

void SetBackColor(ColorValue color);

// Also the text colour. The colour is stored even while the window is closed.
void SetPenColor(ColorValue color);

// Styles: 0 solid, 1 dotted, 2 dash-dot, 3 dashed, 4 dash-dot-dot, 5 the
// 16-bit pattern pixel by pixel (bit 0 first), 6 nothing but the end pixel.
// Status 0, -1, -7.
void SetPenStyle(std::uint16_t style, std::uint16_t pattern, std::uint16_t thickness);

void MovePen(std::int16_t x, std::int16_t y);

// Draws from the pen position to (x, y), end pixel included for thickness 1,
// and moves the pen there.
void DrawLineTo(std::int16_t x, std::int16_t y);

void PlotPixel(std::int16_t x, std::int16_t y, ColorValue color);

// ---- Brushes, shapes and fills ----------------------------------------------

// Styles: 0 solid in the background colour, 1 solid, 2 horizontal, 3 vertical,
// 4 cross, 5 backward diagonal, 6 forward diagonal, 7 diagonal cross hatch,
// 8 the pattern of SetBrushBits, 9 hollow. Status 0, -1, -7.
void SetBrushStyle(std::uint16_t style, ColorValue color);

// An 8 x 8 pattern, row 0 first, the high bit leftmost: set bits in color,
// clear bits in the background colour; selects it as brush style 8.
void SetBrushBits(std::array<std::uint8_t, 8> pattern, ColorValue color);

// An elliptic arc counterclockwise from startAngle to endAngle (degrees, 0
// pointing right) with the current pen. Under aspect factors other than
// 10000/10000 the radii are scaled by 10000/factor; a factor of 0 leaves its
// radius uncorrected.
void DrawArc(std::int16_t x, std::int16_t y, std::uint16_t startAngle, std::uint16_t endAngle,
             std::uint16_t xRadius, std::uint16_t yRadius);
void DrawCircle(std::int16_t x, std::int16_t y, std::uint16_t radius);

// Fills the rectangle, corners included, with the brush. Status 0, -1, -7.
void FillBox(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2);

// Fills outward from the seed with the brush up to pixels of the border colour.
void FloodArea(std::int16_t x, std::int16_t y, ColorValue border);

// Paints the view (ClearView) or the whole page (ClearPage) in the background
// colour; the brush and, for ClearPage, the view stay as they were.
void ClearView();
void ClearPage();

// ---- Palette and colour tables ----------------------------------------------

struct PaletteRecord {
  std::uint16_t count = 0;
  std::array<std::uint32_t, 256> colors{};  // red in bits 0-7, green 8-15, blue 16-23
};

// The start palette of the current mode (the 256-entry list while closed).
// Works while closed; no status.
void ReadStandardPalette(PaletteRecord& pal);

// Loads a palette. Status 0, -1, -8 (direct colour), -7 (count 0 or more
// entries than the mode has).
void ApplyPalette(const PaletteRecord& pal);

// Colour values by number: RGB values in direct colour, the nearest palette
// index in palette modes. [12] black, [15] blue, [105] green, [128] light
// green, [250] white. All 0 until the first window opens.
extern ColorValue NamedColor[256];

// ---- Text and fonts ---------------------------------------------------------

// Enters an installed face into the first free of 15 slots; returns the slot
// or -1. Status 0, -1, -5.
std::int16_t RegisterFont(std::string_view name);

// font: bits 0-3 slot, 4-7 weight step (400 + 300 n), 8-11 underline, 12-15
// italic. direction in degrees; size up to 5 is multiplied by 8, larger sizes
// are pixels. Status 0, -1, -6.
void SelectFont(std::uint16_t font, std::uint16_t direction, std::uint16_t size);

// horizontal: 0 left, 1 centre, 2 right; vertical: 0 top, 1 bottom,
// 2 baseline. Text starts at and advances the pen position. Status 0, -1, -7.
void SetTextAnchor(std::int16_t horizontal, std::int16_t vertical);

// Extra pixels between characters and at a word break; the last two
// arguments have no effect.
void SetTextGaps(std::uint16_t charExtra, std::uint16_t breakExtra, std::uint16_t third,
                 std::uint16_t fourth);

// ---- OpenGL -----------------------------------------------------------------

// Makes the window's (true) or the page's (false) OpenGL context current on
// the calling thread; the view is kept. Status -9 without OpenGL, otherwise 0
// (or -1 when the window is closed).
void SelectGLTarget(bool window);

}  // namespace kanvo
