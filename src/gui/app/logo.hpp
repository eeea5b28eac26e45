// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

namespace kalvor {
struct StatoLavoro;
}

namespace kalvor::gui {

class Applicazione;
struct Platform;

// The about box shown at every start: a click anywhere closes it, except on
// the web address, which opens it in the browser.
class Tlogo : public QDialog
{
    Q_OBJECT
public:
    Tlogo(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);

    static const QString webAddress;

    void sfondoClick();
    void sitowebClick();
    void refreshFromState() { }

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    Platform &m_platform;
};

} // namespace kalvor::gui
