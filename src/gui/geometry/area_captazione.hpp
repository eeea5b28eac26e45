// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The examination area: four clicks on a frame give the road axis and the
// height of the band around it (PuntiRiferimento). The operations named by
// the program throw on failure (the project reader calls two of them); the
// buttons run them guarded.

#include <QDialog>

class QLineEdit;
class QTimer;

namespace kalvor {
struct StatoLavoro;
}

namespace kalvor::gui {

class Applicazione;
class Lente;
class TextListEdit;
class VistaFotogramma;
struct Platform;

class TAreaCaptazione : public QDialog
{
    Q_OBJECT
public:
    TAreaCaptazione(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);

    void AzzeraDatiClick();
    void lucidoClick(QPoint framePixel);
    void disegnaElementi();
    void ConfermaClick();
    void refreshFromState();

    VistaFotogramma *vista() const { return m_vista; }
    Lente *lente() const { return m_lente; }

    // The magnifier timer (100 ms), switched on by the reference-point screen.
    QTimer *ingrandimento_TIMER = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    Applicazione &m_app;
    StatoLavoro &m_stato;
    Platform &m_platform;
    VistaFotogramma *m_vista = nullptr;
    Lente *m_lente = nullptr;
    QLineEdit *m_fotogrammaIniziale = nullptr;
    TextListEdit *m_puntiRiferimento = nullptr;
};

} // namespace kalvor::gui
