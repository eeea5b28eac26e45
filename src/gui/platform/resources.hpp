// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's pictures live beside its executable (the build copies
// resources/ into the folder of the executable): pictures under "immagini/",
// the mouse animation under "Animazioni mouse/", sounds in the folder itself.
// A missing picture gives an empty pixmap, never an error.

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace kalvor::gui {

// The folder of the running executable, ending with '/'.
QString programFolder();

// The path of a picture file under the program's "immagini" folder.
QString picturePath(const QString &name);

// A picture of the "immagini" folder drawn at the given size (SVG pictures are
// rendered at that size; others scaled); the natural size when size is empty.
QPixmap picture(const QString &name, QSize size = {});

// Number of pictures of ListaImmaginiHint and their size.
inline constexpr int hintPictureCount = 19;
inline constexpr int hintPictureSize = 64;

// Picture `index` of ListaImmaginiHint (64 by 64); empty for an index outside 0..18.
QPixmap hintPicture(int index);
QIcon hintIcon(int index);

} // namespace kalvor::gui
