// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QPoint>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kalvor {
struct StatoLavoro;
}

namespace kalvor::gui {

class Applicazione;
struct Platform;

enum class Modifica { CambiaNumero, Elimina };

// The capture dialog that renumbers or deletes the clicked vehicle. It shows
// StatoLavoro.ModificaVeicolo (the number clicked, the new number as typed)
// and gives the choice to whoever opened it, which performs the change.
class TModificaVeicolo : public QDialog
{
    Q_OBJECT
public:
    // Performs the change; when it throws, the error is shown and the dialog
    // stays open.
    using Esecuzione = std::function<void(Modifica)>;

    TModificaVeicolo(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);

    // Shows the state, centres the dialog below the pointer (a screen
    // position) and gives it the change to perform.
    void prepara(QPoint pointer, Esecuzione esegui);
    // prepara, then shown modally until a change succeeds or the dialog is closed.
    void apri(QPoint pointer, Esecuzione esegui);

    void CambiaNumeroVeicoloClick();
    void EliminaVeicoloClick();
    void refreshFromState();

    QLineEdit *NumeroVeicolo = nullptr;
    QPushButton *EliminaVeicolo = nullptr;
    QPushButton *CambiaNumeroVeicolo = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void modifica(Modifica scelta);

    Applicazione &m_app;
    StatoLavoro &m_stato;
    Platform &m_platform;
    Esecuzione m_esegui;
    QLabel *m_numeroVeicoloAttuale = nullptr;
};

} // namespace kalvor::gui
