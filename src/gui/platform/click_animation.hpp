// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The click animation: the 11 pictures forwards and back (22 steps) around a
// point of a screen, one step every few milliseconds on a timer, so that the
// screen stays responsive. It deletes itself after its last step, or goes
// with its screen.

#include "gui/platform/immagini_animazione.hpp"

#include <QLabel>
#include <QTimer>

namespace kalvor::gui {

// How long each step lasts on the program's screens.
inline constexpr int clickAnimationMs = 30;

class ClickAnimation : public QLabel
{
    Q_OBJECT
public:
    static constexpr int stepCount = 22;

    // Starts the animation on owner with its first step shown at once; the
    // pictures' top-left corner is 14 pixels up and left of globalPos.
    static ClickAnimation *play(QWidget *owner, QPoint globalPos, const AnimationPictures &pictures, int msPerStep);

    int msPerStep() const { return m_timer.interval(); }

signals:
    // After step `step` (0 to 21) showed the picture `picture` (0 to 10).
    void stepShown(int step, int picture);

private:
    ClickAnimation(QWidget *owner, const AnimationPictures &pictures, int msPerStep);
    void showStep();

    AnimationPictures m_pictures; // shared copies of the pixmaps
    QTimer m_timer;
    int m_step = 0;
};

} // namespace kalvor::gui
