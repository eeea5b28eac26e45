// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QCheckBox;

namespace kalvor {
struct StatoLavoro;
}

namespace kalvor::gui {

class Applicazione;
struct Platform;

// How the reference distances were measured: the corner they start from, and GPS mode.
class TSceltaVersoLetture : public QDialog
{
    Q_OBJECT
public:
    TSceltaVersoLetture(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);

    void refreshFromState();

protected:
    void showEvent(QShowEvent *event) override;

private:
    StatoLavoro &m_stato;
    Platform &m_platform;
    QCheckBox *m_origine00 = nullptr;
    QCheckBox *m_origine640480 = nullptr;
    QCheckBox *m_origine0480 = nullptr;
    QCheckBox *m_origine6400 = nullptr;
    QCheckBox *m_usoGPS = nullptr;
};

} // namespace kalvor::gui
