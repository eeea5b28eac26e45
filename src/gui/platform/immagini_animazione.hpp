// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The pictures of the mouse-click animation: "Animazione mouse 1.bmp" to
// "Animazione mouse 11.bmp" in the folder "Animazioni mouse" of a program
// folder. The colour of each picture's bottom-left pixel is see-through. A
// picture that cannot be read stays empty (an empty step of the animation)
// and its file is reported; the others load all the same.

#include <QPixmap>
#include <QStringList>

#include <array>

namespace kalvor::gui {

inline constexpr int animationPictureCount = 11;
using AnimationPictures = std::array<QPixmap, animationPictureCount>;

// folder ends with '/'; missing receives the files that could not be read.
AnimationPictures loadAnimationPictures(const QString &folder, QStringList &missing);

// The picture with the colour of its bottom-left pixel made transparent.
QImage withKeyColourTransparent(const QImage &source);

} // namespace kalvor::gui
