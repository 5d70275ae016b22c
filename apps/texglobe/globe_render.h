// texglobe's OpenGL side: the texture from "earth.bmp" and one frame of the
// globe. Runs on the thread that has the window's OpenGL context current.
#pragma once

namespace texglobe {

// Reads "earth.bmp" whole and builds the mipmapped texture from its pixels.
// Returns false, quietly, when the file cannot be opened. A read that fails
// once it is open, or a file whose pixel rows are shorter than its header
// says, ends the process with a report on stderr and a non-zero exit code.
bool LoadTextureImage();

// Frees the file's bytes, which OpenGL may read until then.
void FreeTextureImage();

// Turns the camera (spin and mouse drag), draws the globe and swaps buffers.
void DrawGlobeFrame();

}  // namespace texglobe
