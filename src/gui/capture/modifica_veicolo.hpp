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

// The capture dialog that renumbers or deletes the clicked vehicle; shown at the mouse.
class TModificaVeicolo : public QDialog
{
    Q_OBJECT
public:
    TModificaVeicolo(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);

    void refreshFromState();

    QPushButton *EliminaVeicolo = nullptr;
    QPushButton *CambiaNumeroVeicolo = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    Applicazione &m_app;
    StatoLavoro &m_stato;
    Platform &m_platform;
    QLabel *m_numeroVeicoloAttuale = nullptr;
    QLineEdit *m_numeroVeicolo = nullptr;
};

} // namespace kalvor::gui
