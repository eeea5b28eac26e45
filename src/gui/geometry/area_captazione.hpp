// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The examination area: four clicks on a frame give the road axis and the
// height of the band around it (PuntiRiferimento). The operations named by
// the program throw on failure (the project reader calls two of them); the
// buttons run them guarded.

#include "gui/app/screen.hpp"

class QLineEdit;

namespace kalvor::gui {

class Lente;
class TextListEdit;
class VistaFotogramma;

class TAreaCaptazione : public Screen
{
    Q_OBJECT
public:
    TAreaCaptazione(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);

    void AzzeraDatiClick();
    void lucidoClick(QPoint framePixel, QPoint pointerOnScreen);
    void disegnaElementi();
    void ConfermaClick();
    void refreshFromState() override;

private:
    VistaFotogramma *m_vista = nullptr;
    Lente *m_lente = nullptr;
    QLineEdit *m_fotogrammaIniziale = nullptr;
    TextListEdit *m_puntiRiferimento = nullptr;
};

} // namespace kalvor::gui
