// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "detection/elaborazione_automatica.hpp"
#include "detection/rilevamento.hpp"

#include "gui/app/screen.hpp"

#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace kalvor::gui {

class VistaFotogramma;

// The calibration screen: background, automatic detection run, tuned parameters.
class TCalibrazione : public Screen
{
    Q_OBJECT
public:
    TCalibrazione(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);

    // The background of the interval (refused while a run or a background is going).
    void CalcolaMediaClick();
    // The automatic run over the interval; Ferma stops it after the current frame.
    void ElaborazioneImmaginiClick();
    // Hands the eight parameters and the profile to the capture screen, shows the warning, closes.
    void ConfermaClick();
    void refreshFromState() override;

protected:
    void hideEvent(QHideEvent *event) override;

private:
    void showFrame(const RgbImage &frame, const Drawing &overlays = {});

    VistaFotogramma *m_immagineColori = nullptr;
    QLabel *dilatazioneIMG = nullptr;
    QCheckBox *Mirino = nullptr;
    QCheckBox *MostraAsse = nullptr;
    QCheckBox *Ferma = nullptr;
    QLabel *fotogrammaTXT = nullptr;
    QLabel *NumeroVeicoliTXT = nullptr;
    QProgressBar *barraMedia = nullptr;
    QProgressBar *barraElaborazione = nullptr;

    std::vector<QLineEdit *> m_fields; // the eight fields, in the order of CampiRilevamento
    QComboBox *m_profilo = nullptr; // "Profilo rilevamento"
    RunControl m_controllo; // Mirino, MostraAsse, Ferma and the run in progress
    DetectionWorkspace m_spazio;
    bool m_backgroundRunning = false;
};

} // namespace kalvor::gui
