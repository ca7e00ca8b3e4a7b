#pragma once

#include <QString>

namespace sheet {

class DrawTarget;

// Prints `text` with its lines' left edge at x and the first line's top at y, one line per
// CR LF, each line one line height of the current font below the one before. An empty text
// prints nothing; a CR LF at the very end adds no empty line.
void PrintLines(DrawTarget& obj, const QString& text, int x, int y);

} // namespace sheet
