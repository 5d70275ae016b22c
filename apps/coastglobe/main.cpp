// coastglobe: an orthographic globe from the built-in coastline table, turned
// with the arrow keys, sized with A and Z, ended with Esc.
#include "apps/coastglobe/globe_frame.h"

int main() {
  coastglobe::RunGlobe();
  return 0;
}
