#include "apps/texglobe/globe_render.h"

#include <windows.h>
#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

#include "apps/texglobe/globe_mesh.h"
#include "apps/texglobe/globe_view.h"
#include "apps/texglobe/image_file.h"
#include "kanvo/graphics.h"
#include "kanvo/mouse.h"

namespace texglobe {

namespace {

constexpr const char* ImageFileName = "earth.bmp";

GlobeView View;
std::uint8_t ImageHeader[ImageHeaderSize];
ImageDims Image;
std::uint8_t* ImageData = nullptr;

// The file opened but could not be read as a picture: stop here, as an
// unhandled input/output error would. Process exit closes the window.
[[noreturn]] void StopOnReadError(const char* what) {
  std::fprintf(stderr, "texglobe: input/output error reading %s: %s\n", ImageFileName, what);
  std::fflush(stderr);
  std::exit(EXIT_FAILURE);
}

[[noreturn]] void StopOnSystemError(const char* what) {
  char text[160];
  std::snprintf(text, sizeof text, "%s (system error %lu)", what, GetLastError());
  StopOnReadError(text);
}

}  // namespace

bool LoadTextureImage() {
  HANDLE file = CreateFileA(ImageFileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;

  DWORD got = 0;
  if (!ReadFile(file, ImageHeader, ImageHeaderSize, &got, nullptr)) {
    StopOnSystemError("reading the header failed");
  }
  if (got != ImageHeaderSize) StopOnReadError("the file is shorter than its 54-byte header");
  if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) {
    StopOnSystemError("cannot return to the start of the file");
  }
  Image = ReadImageDims(std::span<const std::uint8_t, ImageHeaderSize>(ImageHeader));

  LARGE_INTEGER size;
  if (!GetFileSizeEx(file, &size)) StopOnSystemError("cannot read the file size");
  // One read of the whole file: its size has to fit one ReadFile call.
  if (size.QuadPart > LONGLONG{MAXDWORD}) StopOnReadError("the file is too large");
  const auto imageSize = static_cast<DWORD>(size.QuadPart);
  // OpenGL reads the pixels straight from the file's bytes, so it must not
  // find fewer there than the header announces.
  if (!PixelAreaFits(Image, imageSize)) {
    StopOnReadError("the pixel rows are shorter than the header's width and height need");
  }

  ImageData = static_cast<std::uint8_t*>(std::malloc(imageSize));
  if (ImageData == nullptr) StopOnReadError("not enough memory for the file");
  if (!ReadFile(file, ImageData, imageSize, &got, nullptr)) {
    StopOnSystemError("reading the file failed");
  }
  if (got != imageSize) StopOnReadError("the file ended early");
  CloseHandle(file);

  glEnable(GL_TEXTURE_2D);
  // Without a current context (no OpenGL, or no window) GLU faults on the
  // missing version string instead of doing nothing; there is nothing to
  // texture then anyway.
  if (wglGetCurrentContext() != nullptr) {
    // Rejects a top-down or empty picture; the globe is then drawn white.
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, Image.ImageWidth, Image.ImageHeight, GL_RGB,
                      GL_UNSIGNED_BYTE, ImageData + ImageHeaderSize);
  }
  return true;
}

void FreeTextureImage() {
  std::free(ImageData);
  ImageData = nullptr;
}

void DrawGlobeFrame() {
  // The three reads in their fixed order, not as arguments whose order of
  // evaluation is unspecified.
  const std::uint16_t x = kanvo::CurrentMouseX();
  const std::uint16_t y = kanvo::CurrentMouseY();
  const std::uint16_t buttons = kanvo::CurrentMouseButtons();
  SpinAndDrag(View, x, y, buttons);

  const Perspective lens = ComputePerspective(View);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(lens.FieldOfView, lens.Aspect, lens.Near, lens.Far);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_DEPTH_TEST);
  glLoadIdentity();
  const CameraPose pose = ComputeCamera(View);
  gluLookAt(pose.Eye.X, pose.Eye.Y, pose.Eye.Z, 0.0, 0.0, 0.0, pose.Up.X, pose.Up.Y, pose.Up.Z);

  glBegin(GL_TRIANGLE_STRIP);
  GenerateGlobeStrip([](const GlobeVertex& v) {
    glTexCoord2f(v.S, v.T);
    glVertex3f(v.X, v.Y, v.Z);
  });
  glEnd();
  glFlush();
  kanvo::RefreshScreen(kanvo::RefreshNow);
}

}  // namespace texglobe
