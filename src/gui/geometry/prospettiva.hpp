// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The reference-point screen: a frame, the clicked reference points, the
// distances typed between them, and the button that builds GrigliaMetrica.
// Calls to other screens (direction dialog, GPS dialog, the area screen's
// magnifier, the mouse animation) go through the hooks its owner sets.

#include "common/drawing.hpp"
#include "state/stato_lavoro.hpp"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QFrame;
class QPushButton;

namespace kalvor::gui {

class Lente;
class TextListEdit;
class VistaFotogramma;

class TProspettiva : public QDialog
{
    Q_OBJECT
public:
    explicit TProspettiva(StatoLavoro &stato, QWidget *parent = nullptr);

    struct Hooks
    {
        std::function<void()> showReadingDirection; // SceltaVersoLetture, modal
        std::function<void(QPoint pointerOnScreen)> showGpsDialog; // PuntiGPS, modal
        std::function<void()> switchOnAreaMagnifier; // AreaCaptazione's timer
        std::function<void(int speed)> playMouseAnimation;
    };
    void setHooks(Hooks hooks) { m_hooks = std::move(hooks); }

    Lente *lente() const { return m_lente; }
    VistaFotogramma *vista() const { return m_vista; }
    // Shows the state's lists again (after a project load, for instance).
    void refreshLists();
    // Draws a marker made elsewhere (the GPS dialog) on the overlay.
    void drawMarker(const Drawing &marker);

public slots:
    void AzzeraDatiClick();
    void AzzeraSenzaRichieste();
    void lucidoClick(QPoint framePixel, QPoint globalPos);
    void DisegnaPunti();
    void AvanzaFotogrammaClick();
    void FotogrammaPrecedenteClick();
    void TrasformazioneClick();
    void ConfermaClick();

private:
    bool reset(bool askDirection);
    void setIndicator(bool transformed);
    void showFrame(const std::string &file);
    void drawPoints();

    StatoLavoro &m_stato;
    Hooks m_hooks;
    VistaFotogramma *m_vista = nullptr;
    Lente *m_lente = nullptr;
    QLabel *m_fotogrammaTXT = nullptr;
    QLineEdit *m_fotogrammaIniziale = nullptr;
    TextListEdit *m_x = nullptr;
    TextListEdit *m_y = nullptr;
    TextListEdit *m_distanze = nullptr;
    QFrame *m_led = nullptr;
    QLabel *m_info = nullptr;
};

} // namespace kalvor::gui
