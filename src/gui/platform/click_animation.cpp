// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/click_animation.hpp"

namespace kalvor::gui {

namespace {

constexpr int pictureOfStep[ClickAnimation::stepCount]
    = {10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};

} // namespace

ClickAnimation::ClickAnimation(QWidget *owner, const AnimationPictures &pictures, int msPerStep)
    : QLabel(owner)
    , m_pictures(pictures)
{
    setObjectName(QStringLiteral("AnimazioneMouse"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
    setStyleSheet(QStringLiteral("background: transparent;"));
    resize(105, 105);
    m_timer.setInterval(std::max(0, msPerStep));
    connect(&m_timer, &QTimer::timeout, this, &ClickAnimation::showStep);
}

ClickAnimation *ClickAnimation::play(QWidget *owner, QPoint globalPos, const AnimationPictures &pictures, int msPerStep)
{
    if (!owner)
        return nullptr;
    auto *animation = new ClickAnimation(owner, pictures, msPerStep);
    animation->move(owner->mapFromGlobal(globalPos) - QPoint(14, 14));
    animation->show();
    animation->raise();
    animation->showStep();
    animation->m_timer.start();
    return animation;
}

void ClickAnimation::showStep()
{
    if (m_step >= stepCount) {
        m_timer.stop();
        hide();
        deleteLater();
        return;
    }
    const int picture = pictureOfStep[m_step];
    const QPixmap &pixmap = m_pictures[static_cast<size_t>(picture)];
    if (pixmap.isNull())
        clear();
    else
        setPixmap(pixmap);
    emit stepShown(m_step, picture);
    ++m_step;
}

} // namespace kalvor::gui
