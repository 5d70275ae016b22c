// Palettes, the pages' colour table and the named colours.
// Placeholder bodies until the palette modes are built.
#include "kanvo/src/state.h"

namespace kanvo {

ColorValue NamedColor[256];

void ReadStandardPalette(PaletteRecord& pal) { pal.count = 256; }
void ApplyPalette(const PaletteRecord&) { BeginOperation(); }
void CreateModePalette() {}
void CopyNamedColors() {}
void RemapNamedColors() {}
void InitNamedColors() {}

}  // namespace kanvo
