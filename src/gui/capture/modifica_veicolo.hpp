// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/app/screen.hpp"

#include <QPoint>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kalvor::gui {

enum class Modifica { CambiaNumero, Elimina };

// The capture dialog that renumbers or deletes the clicked vehicle. It shows
// StatoLavoro.ModificaVeicolo (the number clicked, the new number as typed)
// and gives the choice to whoever opened it, which performs the change.
class TModificaVeicolo : public Screen
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
    void refreshFromState() override;

private:
    void modifica(Modifica scelta);

    QLineEdit *NumeroVeicolo = nullptr;
    QPushButton *EliminaVeicolo = nullptr;
    QPushButton *CambiaNumeroVeicolo = nullptr;

    Esecuzione m_esegui;
    QLabel *m_numeroVeicoloAttuale = nullptr;
};

} // namespace kalvor::gui
