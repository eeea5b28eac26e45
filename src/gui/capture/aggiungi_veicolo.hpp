// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/app/screen.hpp"

#include <QPoint>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kalvor::gui {

enum class Aggiunta { VeicoloEsistente, NuovoVeicolo };

// The capture dialog that adds a record at the clicked point, for a vehicle
// never captured before or for a known one lost in this frame. Its fields are
// StatoLavoro.AggiungiVeicolo, kept from one opening to the next; it gives the
// choice to whoever opened it, which performs the addition.
class TAggiungiVeicolo : public Screen
{
    Q_OBJECT
public:
    // Performs one addition on the job state; the fields then show the state
    // again (an existing vehicle brings its length and area). When it throws,
    // the error is shown and the dialog stays open with what was typed.
    using Esecuzione = std::function<void(Aggiunta)>;

    TAggiungiVeicolo(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);

    // Shows the state (Xtxt, Ytxt and the fields), places the dialog below the
    // pointer (a screen position) and gives it the addition to perform.
    void prepara(QPoint pointer, Esecuzione esegui);
    // prepara, then shown modally until an addition succeeds or the dialog is closed.
    void apri(QPoint pointer, Esecuzione esegui);

    void AggiungiVeicoloEsistenteClick();
    void AggiungiNuovoVeicoloClick();
    void refreshFromState() override;

private:
    void aggiungi(Aggiunta scelta);

    QLineEdit *NumeroVeicolo = nullptr;
    QLineEdit *LunghezzaVeicolo = nullptr;
    QLineEdit *AreaVeicolo = nullptr;
    QPushButton *AggiungiVeicoloEsistente = nullptr;
    QPushButton *AggiungiNuovoVeicolo = nullptr;

    Esecuzione m_esegui;
    QLabel *m_xtxt = nullptr;
    QLabel *m_ytxt = nullptr;
};

} // namespace kalvor::gui
