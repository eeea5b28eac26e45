// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The reference-point screen: a frame, the clicked reference points, the
// distances typed between them, and the button that builds GrigliaMetrica.
// The operations named by the program throw on failure (the project reader
// calls two of them); the buttons run them guarded.

#include "common/drawing.hpp"
#include "common/rgb_image.hpp"
#include "gui/app/screen.hpp"

class QFrame;
class QLabel;
class QLineEdit;

namespace kalvor::gui {

class Lente;
class TextListEdit;
class VistaFotogramma;

class TProspettiva : public Screen
{
    Q_OBJECT
public:
    TProspettiva(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);

    void AzzeraDatiClick();
    void AzzeraSenzaRichieste();
    // What a reset shows: the frame, a clear overlay, the emptied lists, "da trasformare".
    void showReset(const RgbImage &frame);
    // The markers of the reference points; the area screen's magnifier goes on.
    void showReferencePoints(const Drawing &markers);
    void lucidoClick(QPoint framePixel, QPoint pointerOnScreen);
    void DisegnaPunti();
    void AvanzaFotogrammaClick();
    void FotogrammaPrecedenteClick();
    void TrasformazioneClick();
    void ConfermaClick();
    void refreshFromState() override;

    // A point recorded elsewhere (the GPS dialog): its marker on the overlay, the lists refreshed.
    void showRecordedPoint(const Drawing &marker);

    // led and info_TXT: true once a transformation ran through, false after a reset.
    bool transformed() const { return m_transformed; }

private:
    void showFrameNumber();
    void setIndicator(bool transformed);
    void stepFrame(int delta);
    // Runs the transformation the user skipped; throws, naming what failed.
    void transformBeforeLeaving();

    VistaFotogramma *m_vista = nullptr;
    Lente *m_lente = nullptr;
    QLabel *m_fotogrammaTXT = nullptr;
    QLineEdit *m_fotogrammaIniziale = nullptr;
    TextListEdit *m_coordinataXPixelP = nullptr;
    TextListEdit *m_coordinataYPixelP = nullptr;
    TextListEdit *m_distanzeRealiP = nullptr;
    QFrame *m_led = nullptr;
    QLabel *m_info = nullptr;
    bool m_transformed = false;
};

} // namespace kalvor::gui
