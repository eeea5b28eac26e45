// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

namespace kalvor {
struct StatoLavoro;
}

namespace kalvor::gui {

class Applicazione;
struct Platform;

// The tongue-in-cheek warning shown before the capture: a click anywhere closes it.
class TControindicazioni : public QDialog
{
    Q_OBJECT
public:
    TControindicazioni(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);

    void sfondoClick();
    void refreshFromState() { }

protected:
    void mousePressEvent(QMouseEvent *event) override;
};

} // namespace kalvor::gui
