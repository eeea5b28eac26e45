// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kalvor {
struct StatoLavoro;
}

namespace kalvor::gui {

class Applicazione;
struct Platform;

// The capture dialog that adds a record at the clicked point, for a vehicle
// never captured before or for a known one lost in this frame. Shown at the
// mouse; its edit fields keep their texts from one opening to the next.
class TAggiungiVeicolo : public QDialog
{
    Q_OBJECT
public:
    TAggiungiVeicolo(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);

    void refreshFromState();

    QLineEdit *NumeroVeicolo = nullptr;
    QLineEdit *LunghezzaVeicolo = nullptr;
    QLineEdit *AreaVeicolo = nullptr;
    QPushButton *AggiungiVeicoloEsistente = nullptr;
    QPushButton *AggiungiNuovoVeicolo = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    Applicazione &m_app;
    StatoLavoro &m_stato;
    Platform &m_platform;
    QLabel *m_xtxt = nullptr;
    QLabel *m_ytxt = nullptr;
};

} // namespace kalvor::gui
