// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "capture/sessione_captazione.hpp"
#include "common/text_list.hpp"
#include "gui/platform/platform.hpp"

#include <QDialog>

#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QTimer;

namespace kalvor {
struct StatoLavoro;
}

namespace kalvor::gui {

class Applicazione;
class AreaVeicoloVirtuale;
class Lente;
class VistaFotogramma;
struct Platform;

// The semi-automatic capture: frame by frame (F4) with tracking, a frame back
// (F3), corrections by clicking on the frame or on a vehicle, saving, and the
// confirmation that turns the capture into the result tables. The handlers
// call the capture engine on the job state and this screen's session, then
// show both again.
class TCaptazione : public QDialog
{
    Q_OBJECT
public:
    TCaptazione(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);
    ~TCaptazione() override;

    // "Calc. Media": the capture background, then the first frame of the interval.
    void CalcolaMediaClick();
    // "Avanza Fotogramma" and F4.
    void AvanzaFotogrammaClick();
    // "Fotogramma Precedente" and F3.
    void FotogrammaPrecedenteClick();
    // The hidden "DisegnaVeicoliVirtuali": the clickable vehicles renewed.
    void DisegnaVeicoliVirtualiClick();
    // A click on the frame at a frame pixel opens "Aggiungi Veicolo" there
    // (once "Calc. Media" has run); pointer is the screen position.
    void RiconoscimentoVeicoloManualeClick(QPoint pixel, QPoint pointer);
    // A click on a virtual vehicle opens "Modifica Veicolo" for it.
    void VeicoloVirtualeClick(const VeicoloVirtuale &veicolo, QPoint pointer);
    // "I dati vanno bene": shows the results on top of this screen, which stays open.
    void ConfermaClick();
    // "Salva i dati finora ottenuti": the project file of the job as it stands,
    // built in `testo` and written under the name chosen in dialogoSalva.
    void SalvaDatiClick();
    static FileDialogOptions dialogoSalva();
    TextList testo;

    void refreshFromState();

    const SessioneCaptazione &sessione() const { return m_sessione; }
    // The frame view: the frame, its drawings and the virtual vehicles.
    VistaFotogramma *ImmagineColori = nullptr;
    // The magnifier timer (100 ms), switched on by the calibration confirmation.
    QTimer *ingrandimento_TIMER = nullptr;
    Lente *zoom_IMG = nullptr;
    QPushButton *AvanzaFotogramma = nullptr;
    QPushButton *FotogrammaPrecedente = nullptr;
    QProgressBar *barraMedia = nullptr;
    QProgressBar *barraElaborazione = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    // Runs a step, then shows the session and the state whether it succeeded or not.
    template<class Body> void passo(Body &&body);
    void mostraSessione();
    void mostraFotogramma();
    void mostraVeicoliVirtuali();
    bool guardato(const std::function<void()> &body);

    Applicazione &m_app;
    StatoLavoro &m_stato;
    Platform &m_platform;
    SessioneCaptazione m_sessione;
    bool m_correzioni = false;
    bool m_mediaInCorso = false;
    std::vector<QLineEdit *> m_parametri; // in the order of the parameter table
    std::vector<AreaVeicoloVirtuale *> m_aree; // reused from refresh to refresh
    QScrollArea *m_riquadro = nullptr;
    QCheckBox *m_mirino = nullptr;
    QCheckBox *m_mostraAsse = nullptr;
    QCheckBox *m_correggi = nullptr;
    QLabel *m_fotogrammaTXT = nullptr;
    QLabel *m_numeroVeicoliTXT = nullptr;
    QPlainTextEdit *m_veicoliAtt = nullptr;
    QPlainTextEdit *m_veicoliPrec = nullptr;
};

} // namespace kalvor::gui
