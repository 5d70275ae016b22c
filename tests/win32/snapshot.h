// A copy of everything the graphics and input modules keep, to show that an
// operation changed nothing (or only what it is meant to), field by field.
#pragma once

#include <windows.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "kanvo/graphics.h"
#include "kanvo/src/input.h"
#include "kanvo/src/state.h"

namespace test {

template <class T>
std::vector<unsigned char> Bytes(const T& value) {
  std::vector<unsigned char> bytes(sizeof value);
  std::memcpy(bytes.data(), &value, sizeof value);
  return bytes;
}

// Name, then how to read the field. Atomics are loaded; arrays and records
// are compared byte for byte.
#define KANVO_SNAPSHOT_FIELDS(X)                                                 \
  X(IsOpen, Graphics.IsOpen.load())                                              \
  X(PaletteMode, Graphics.PaletteMode.load())                                    \
  X(Driver, Graphics.Driver)                                                     \
  X(Mode, Graphics.Mode)                                                         \
  X(CustomWidth, Graphics.CustomWidth)                                           \
  X(CustomHeight, Graphics.CustomHeight)                                         \
  X(WindowWidth, Graphics.WindowWidth)                                           \
  X(WindowHeight, Graphics.WindowHeight)                                         \
  X(WindowStyle, Graphics.WindowStyle)                                           \
  X(BitsPerPixel, Graphics.BitsPerPixel)                                         \
  X(ColorCount, Graphics.ColorCount)                                             \
  X(WindowHandle, Graphics.WindowHandle.load())                                  \
  X(Title, std::string(Graphics.Title))                                          \
  X(ThreadHandle, Graphics.ThreadHandle)                                         \
  X(MaxX, Graphics.MaxX.load())                                                  \
  X(MaxY, Graphics.MaxY.load())                                                  \
  X(WindowDC, Graphics.WindowDC)                                                 \
  X(PageDC, Graphics.PageDC)                                                     \
  X(PatternDC, Graphics.PatternDC)                                               \
  X(Pages, Bytes(Graphics.Pages))                                                \
  X(DrawPage, Graphics.DrawPage.load())                                          \
  X(ShowPage, Graphics.ShowPage.load())                                          \
  X(AutoRefresh, Graphics.AutoRefresh.load())                                    \
  X(DrawToWindow, Graphics.DrawToWindow.load())                                  \
  X(ColorTable, Bytes(Graphics.ColorTable))                                      \
  X(ColorTableSize, Graphics.ColorTableSize)                                     \
  X(CurrentPalette, Graphics.CurrentPalette)                                     \
  X(CurrentPen, Graphics.CurrentPen)                                             \
  X(CurrentBrush, Graphics.CurrentBrush)                                         \
  X(CurrentFont, Graphics.CurrentFont)                                           \
  X(PatternBitmap, Graphics.PatternBitmap)                                       \
  X(ClipRegion, Graphics.ClipRegion)                                             \
  X(CloseRequested, Graphics.CloseRequested.load())                              \
  X(KeyHook, Graphics.KeyHook.load())                                            \
  X(MouseHook, Graphics.MouseHook.load())                                        \
  X(PenColor, Graphics.PenColor)                                                 \
  X(BackColor, Graphics.BackColor)                                               \
  X(LineStyle, Graphics.LineStyle)                                               \
  X(LinePattern, Graphics.LinePattern)                                           \
  X(LineThickness, Graphics.LineThickness)                                       \
  X(ViewRect, Bytes(Graphics.ViewRect))                                          \
  X(ViewOriginX, Graphics.ViewOriginX)                                           \
  X(ViewOriginY, Graphics.ViewOriginY)                                           \
  X(ViewWidth, Graphics.ViewWidth)                                               \
  X(ViewHeight, Graphics.ViewHeight)                                             \
  X(CurrentX, Graphics.CurrentX)                                                 \
  X(CurrentY, Graphics.CurrentY)                                                 \
  X(AspectX, Graphics.AspectX)                                                   \
  X(AspectY, Graphics.AspectY)                                                   \
  X(AspectSquare, Graphics.AspectSquare)                                         \
  X(BrushStyle, Graphics.BrushStyle)                                             \
  X(BrushColor, Graphics.BrushColor)                                             \
  X(FloodKind, Graphics.FloodKind)                                               \
  X(AppliedColorCount, Graphics.AppliedColorCount)                               \
  X(FontSlots, Bytes(Graphics.FontSlots))                                        \
  X(GLAvailable, Graphics.GLAvailable)                                           \
  X(GLTarget, Graphics.GLTarget)                                                 \
  X(WindowGLContext, Graphics.WindowGLContext)                                   \
  X(PageGLContext, Graphics.PageGLContext)                                       \
  X(NamedColors, Bytes(kanvo::NamedColor))                                       \
  X(KeyReadPos, kanvo::KeyRing.ReadPos())                                        \
  X(KeyWritePos, kanvo::KeyRing.WritePos())                                      \
  X(MouseReadPos, kanvo::MouseRing.Events.ReadPos())                             \
  X(MouseWritePos, kanvo::MouseRing.Events.WritePos())                           \
  X(MouseButtons, kanvo::MouseRing.CurrentButtons.load())                        \
  X(MouseX, kanvo::MouseRing.CurrentX.load())                                    \
  X(MouseY, kanvo::MouseRing.CurrentY.load())                                    \
  X(CurrentContext, wglGetCurrentContext())                                      \
  X(GdiObjects, GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS))

using kanvo::Graphics;

struct Snapshot {
#define KANVO_SNAPSHOT_MEMBER(name, read) decltype(read) name;
  KANVO_SNAPSHOT_FIELDS(KANVO_SNAPSHOT_MEMBER)
#undef KANVO_SNAPSHOT_MEMBER

  static Snapshot Take() {
    Snapshot s;
#define KANVO_SNAPSHOT_READ(name, read) s.name = read;
    KANVO_SNAPSHOT_FIELDS(KANVO_SNAPSHOT_READ)
#undef KANVO_SNAPSHOT_READ
    return s;
  }

  // Names of the fields in which the two differ.
  std::string Differences(const Snapshot& other) const {
    std::string names;
#define KANVO_SNAPSHOT_DIFF(name, read) \
  if (!(name == other.name)) names += std::string(names.empty() ? "" : ", ") + #name;
    KANVO_SNAPSHOT_FIELDS(KANVO_SNAPSHOT_DIFF)
#undef KANVO_SNAPSHOT_DIFF
    return names;
  }
};

}  // namespace test
