// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/screen.hpp"

namespace kalvor::gui {

Screen::Screen(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent)
    : QDialog(parent)
    , m_app(app)
    , m_stato(stato)
    , m_platform(platform)
{
}

void Screen::setIdentity(const QString &name, const QString &caption, WindowKind kind, QSize size)
{
    setObjectName(name);
    setWindowTitle(caption);
    applyWindowKind(this, kind, size);
}

void Screen::showEvent(QShowEvent *event)
{
    refreshFromState();
    QDialog::showEvent(event);
}

} // namespace kalvor::gui
