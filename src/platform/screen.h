#pragma once

// The screen's twips per pixel: 1440 twips make an inch, so 15 at 96 dots per inch.
namespace platform {

// Horizontal and vertical twips per pixel of the primary screen's logical resolution;
// 15 when there is no screen (no GUI application).
double twipsPerPixelX();
double twipsPerPixelY();

} // namespace platform
