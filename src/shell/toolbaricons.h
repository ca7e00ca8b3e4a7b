#pragma once

#include <QIcon>

namespace shell {

// The toolbar's nine pictures, drawn by the program: 1 letter list, 2 clear, 3 reduce,
// 4 enlarge, 5 paper size, 6 print, 7 help, 8 version, 9 end.
QIcon toolbarIcon(int image);
// The main window's icon: a sheet with a pen.
QIcon windowIcon();

} // namespace shell
