// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The semi-automatic capture: frame by frame (F4) with tracking, a frame back
// (F3), corrections by clicking on the frame (a vehicle added there) or on a
// captured vehicle (renumbered or deleted), saving, and the confirmation that
// turns the capture into the result tables. Each operation calls the capture
// engine on the job state and this screen's session, then shows both again;
// the operations throw on failure and the buttons and keys run them guarded.

#include "capture/sessione_captazione.hpp"
#include "common/rgb_image.hpp"
#include "common/text_list.hpp"
#include "gui/app/screen.hpp"
#include "gui/platform/platform.hpp"

#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QScrollArea;

namespace kalvor::gui {

class AreaVeicoloVirtuale;
class Lente;
class VistaFotogramma;

class TCaptazione : public Screen
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
    // (once "Calc. Media" has run); pointer is the position on the screen.
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

    // The capture steps of opening a project: the background and start of the
    // capture, the gauge, the saved current frame, its overlays.
    void CalcolaMediaDaProgetto();
    void setBarraElaborazione(int position);
    void showCaptureFrame(const RgbImage &frame);
    void drawCaptureOverlays();

    // The session on show: frame, drawings, virtual vehicles, gauge.
    const SessioneCaptazione &sessione() const { return m_sessione; }

    // The state and the session back on the widgets, the frame view included.
    void refreshFromState() override;

private:
    // Runs a step, then shows the session and the state whether it succeeded or not.
    template<class Body> void passo(Body &&body);
    void mostraFotogramma();
    void mostraVeicoliVirtuali();

    SessioneCaptazione m_sessione;
    bool m_correzioni = false;
    bool m_mediaInCorso = false;
    VistaFotogramma *m_vista = nullptr; // ImmagineColori
    QScrollArea *m_riquadro = nullptr;
    Lente *m_lente = nullptr; // zoom_IMG with ingrandimento_TIMER
    std::vector<QLineEdit *> m_parametri; // in the order of the parameter table
    QComboBox *m_profilo = nullptr; // "Profilo rilevamento"
    std::vector<AreaVeicoloVirtuale *> m_aree; // reused from refresh to refresh
    QCheckBox *m_mirino = nullptr;
    QCheckBox *m_mostraAsse = nullptr;
    QCheckBox *m_correggi = nullptr;
    QLabel *m_fotogrammaTXT = nullptr;
    QLabel *m_numeroVeicoliTXT = nullptr;
    QPlainTextEdit *m_veicoliAtt = nullptr;
    QPlainTextEdit *m_veicoliPrec = nullptr;
    QProgressBar *m_barraMedia = nullptr;
    QProgressBar *m_barraElaborazione = nullptr;
};

} // namespace kalvor::gui
