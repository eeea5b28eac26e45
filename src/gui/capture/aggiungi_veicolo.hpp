// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QPoint>

#include <functional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kalvor {
struct StatoLavoro;
}

namespace kalvor::gui {

class Applicazione;
struct Platform;

enum class Aggiunta { VeicoloEsistente, NuovoVeicolo };

// The three fields of the dialog as typed.
struct DatiAggiunta
{
    std::string numero;
    std::string lunghezza;
    std::string area;
};

// The capture dialog that adds a record at the clicked point, for a vehicle
// never captured before or for a known one lost in this frame. It takes the
// clicked frame pixel and gives the choice with the typed texts to whoever
// opened it; its edit fields keep their texts from one opening to the next.
class TAggiungiVeicolo : public QDialog
{
    Q_OBJECT
public:
    // Performs one addition. It may rewrite lunghezza and area (an existing
    // vehicle brings its own), which the fields then show. When it throws, the
    // error is shown and the dialog stays open with what was typed.
    using Esecuzione = std::function<void(Aggiunta, DatiAggiunta &)>;

    TAggiungiVeicolo(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);

    // Shows X and Y of the frame pixel, places the dialog below the pointer
    // (screen position) and gives it the addition to perform.
    void prepara(QPoint pixel, QPoint pointer, Esecuzione esegui);
    // prepara, then shown modally until an addition succeeds or the dialog is closed.
    void apri(QPoint pixel, QPoint pointer, Esecuzione esegui);

    void AggiungiVeicoloEsistenteClick();
    void AggiungiNuovoVeicoloClick();
    void refreshFromState();

    QLineEdit *NumeroVeicolo = nullptr;
    QLineEdit *LunghezzaVeicolo = nullptr;
    QLineEdit *AreaVeicolo = nullptr;
    QPushButton *AggiungiVeicoloEsistente = nullptr;
    QPushButton *AggiungiNuovoVeicolo = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void aggiungi(Aggiunta scelta);

    Applicazione &m_app;
    StatoLavoro &m_stato;
    Platform &m_platform;
    Esecuzione m_esegui;
    QLabel *m_xtxt = nullptr;
    QLabel *m_ytxt = nullptr;
};

} // namespace kalvor::gui
