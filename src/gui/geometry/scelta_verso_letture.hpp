// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The reading-direction dialog: four pictures, each ticking its direction mark
// (and unticking the other three) and closing; the visible switch usoGPS.
// The marks live in StatoLavoro; the hidden check boxes mirror them.

#include "geometry/verso_letture.hpp"

#include <QDialog>

class QCheckBox;
class QLabel;

namespace kalvor::gui {

class TSceltaVersoLetture : public QDialog
{
    Q_OBJECT
public:
    explicit TSceltaVersoLetture(StatoLavoro &stato, QWidget *parent = nullptr);

    // Shows the state's marks in the check boxes.
    void refresh();

public slots:
    void Image1Click();
    void Image2Click();
    void Image3Click();
    void Image4Click();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void choose(ReadingDirection direction);

    StatoLavoro &m_stato;
    QLabel *m_images[4] = {};
    QCheckBox *m_origine00 = nullptr;
    QCheckBox *m_origine640480 = nullptr;
    QCheckBox *m_origine0480 = nullptr;
    QCheckBox *m_origine6400 = nullptr;
    QCheckBox *m_usoGPS = nullptr;
};

} // namespace kalvor::gui
