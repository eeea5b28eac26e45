// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The reading-direction dialog: four pictures, each ticking its direction mark
// (and unticking the other three) and closing; the visible switch usoGPS. The
// marks live in StatoLavoro; the hidden check boxes show them.

#include "gui/app/screen.hpp"

class QCheckBox;
class QLabel;

namespace kalvor::gui {

class TSceltaVersoLetture : public Screen
{
    Q_OBJECT
public:
    TSceltaVersoLetture(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);

    void Image1Click();
    void Image2Click();
    void Image3Click();
    void Image4Click();
    void refreshFromState() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *m_images[4] = {};
    QCheckBox *m_origine00 = nullptr;
    QCheckBox *m_origine640480 = nullptr;
    QCheckBox *m_origine0480 = nullptr;
    QCheckBox *m_origine6400 = nullptr;
    QCheckBox *m_usoGPS = nullptr;
};

} // namespace kalvor::gui
