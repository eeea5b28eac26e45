// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The results screen: the two result tables, the traffic replay on a
// schematic road beside the frame of each instant, the evaluation per arc,
// and the way to the safety indicators.

#include "gui/app/screen.hpp"

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace kalvor {
struct PassoSimulazione;
}

namespace kalvor::gui {

class ImmagineScalata;
class LivelliSimulazione;

class TRisultati : public Screen
{
    Q_OBJECT
public:
    TRisultati(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);

    void SimulaVeicoliAutomaticoClick();
    void AzzeraSimulazioneClick();
    void SimulaVeicoliAvantiClick();
    void SimulazioneVeicoloIndietroClick();
    void ValutazioneDatiClick();
    void CalcolaIndicatoriClick();
    // "Chiudi": ends the program, modal screens open or not.
    void ChiudiTuttoClick();
    // Ctrl+A in either view: the vehicle table selected and copied.
    void ContenitoreDatiVeicolariKeyDown();
    void refreshFromState() override;

    // The wait between two instants of the automatic replay; by default the
    // screen's events run meanwhile (so it repaints) and the time passes.
    void setAttesa(std::function<void(int ms)> attesa) { m_attesa = std::move(attesa); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void mostraPasso(const PassoSimulazione &passo);
    void mostraFotogramma(int numero);

    QPlainTextEdit *m_contenitoreDatiTemporali = nullptr;
    QPlainTextEdit *m_contenitoreDatiVeicolari = nullptr;
    QPlainTextEdit *m_valutazioniTXT = nullptr;
    QLineEdit *m_istanteInizialeTXT = nullptr;
    QLineEdit *m_numeroPrimoVeicoloTXT = nullptr;
    QLabel *m_tempoTXT = nullptr;
    QCheckBox *m_fermaSimulazione = nullptr;
    LivelliSimulazione *m_livelli = nullptr;
    ImmagineScalata *m_filmatoIMG = nullptr;
    std::function<void(int ms)> m_attesa;
};

} // namespace kalvor::gui
