// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/app/screen.hpp"

namespace kalvor::gui {

// The tongue-in-cheek warning shown before the capture: a click anywhere closes it.
class TControindicazioni : public Screen
{
    Q_OBJECT
public:
    TControindicazioni(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);

    void sfondoClick();

protected:
    void mousePressEvent(QMouseEvent *event) override;
};

} // namespace kalvor::gui
