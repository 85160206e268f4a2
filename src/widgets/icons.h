#pragma once
#include <string_view>

#include <QIcon>
#include <QPixmap>

namespace korvela {

// The program's own pictures, drawn as SVG and built into the program. A
// name is the file name without ".svg" ("food-logs", "mark-pass",
// "arrow-left-hot"); a name without a picture gives a null icon.
QIcon KorvelaIcon(std::string_view name);

// The picture drawn size × size device-independent pixels; null when the
// name has no picture or the size is not positive.
QPixmap KorvelaPixmap(std::string_view name, int size);

}  // namespace korvela
