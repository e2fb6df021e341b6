// The tree window's map in GDI: the model's scene drawn into a device context (the map
// control's back buffer, or a bitmap for a PNG).
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "places/map.h"

namespace veldaris {

// The scene from the context's origin; `font` the window's, from which the labels' are made.
void PaintMap(HDC dc, const places::MapScene& scene, HFONT font, int dpi);

// The scene drawn into a bitmap of its view's size: RGB pixels, row by row from the top.
std::vector<std::uint8_t> RenderMapPixels(const places::MapScene& scene, HFONT font, int dpi);

}  // namespace veldaris
