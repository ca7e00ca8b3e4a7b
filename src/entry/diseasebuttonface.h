#pragma once

#include <QPixmap>

namespace entry {

// The face of a specified-disease button, 55 × 17 pixels reading 特定疾病: raised, or
// pressed while the diagnosis box holds the specified-disease list.
QPixmap diseaseButtonFace(bool pressed);

} // namespace entry
