#pragma once

#include <QIcon>
#include <QPixmap>

namespace shell {

// The toolbar's nine pictures, drawn by the program: 1 letter list, 2 clear, 3 reduce,
// 4 enlarge, 5 paper size, 6 print, 7 help, 8 version, 9 end.
QIcon toolbarIcon(int image);
// The record list's button pictures, drawn by the program at the buttons' picture sizes:
// 新規登録, 登録更新 and 登録削除 16 x 16, 印刷準備 35 x 32, キャンセル 25 x 22 pixels.
enum class ListPicture { NewLetter, ChangeLetter, DeleteLetter, ShowLetter, Cancel };
QPixmap listButtonPicture(ListPicture picture);
// The main window's icon: a sheet with a pen.
QIcon windowIcon();

} // namespace shell
