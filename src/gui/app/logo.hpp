// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/app/screen.hpp"

namespace kalvor::gui {

// The about box shown at every start: a click anywhere closes it, except on
// the web address, which opens it in the browser.
class Tlogo : public Screen
{
    Q_OBJECT
public:
    Tlogo(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);

    static const QString webAddress;

    void sfondoClick();
    void sitowebClick();

protected:
    void mousePressEvent(QMouseEvent *event) override;
};

} // namespace kalvor::gui
