#pragma once

#include <QImage>

namespace sheet {

// The small arrow of page 1 (109 × 39 pixels, black on white): a stroke down the left edge
// that turns into a shaft along rows 26 to 29 and ends in a filled head pointing right.
const QImage& arrowPicture();

} // namespace sheet
