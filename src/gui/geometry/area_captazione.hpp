// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The examination-area screen: four clicks on a frame give the road axis and
// the height of the band around it (PuntiRiferimento).

#include "common/drawing.hpp"
#include "state/stato_lavoro.hpp"

#include <QDialog>

#include <functional>

class QLineEdit;

namespace kalvor::gui {

class Lente;
class TextListEdit;
class VistaFotogramma;

class TAreaCaptazione : public QDialog
{
    Q_OBJECT
public:
    explicit TAreaCaptazione(StatoLavoro &stato, QWidget *parent = nullptr);

    void setPlayMouseAnimation(std::function<void(int speed)> play) { m_playMouseAnimation = std::move(play); }
    Lente *lente() const { return m_lente; }
    VistaFotogramma *vista() const { return m_vista; }
    void refreshList();

public slots:
    void AzzeraDatiClick();
    void lucidoClick(QPoint framePixel, QPoint globalPos);
    void disegnaElementi();
    void ConfermaClick();

private:
    StatoLavoro &m_stato;
    std::function<void(int)> m_playMouseAnimation;
    VistaFotogramma *m_vista = nullptr;
    Lente *m_lente = nullptr;
    QLineEdit *m_fotogrammaIniziale = nullptr;
    TextListEdit *m_punti = nullptr;
};

} // namespace kalvor::gui
