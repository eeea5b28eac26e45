// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/text_list.hpp"
#include "gui/platform/immagini_animazione.hpp"
#include "gui/platform/platform.hpp"

#include <QMainWindow>

#include <array>

class QCommandLinkButton;
class QLabel;
class QProgressBar;

namespace kalvor {
struct StatoLavoro;
}

namespace kalvor::gui {

class Applicazione;
class ClickAnimation;
class PictureControl;

// The main screen: shooting advice with hints, and the three ways into the work.
class TImpostazioni : public QMainWindow
{
    Q_OBJECT
public:
    TImpostazioni(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);
    ~TImpostazioni() override;

    // Loads ImmaginiAnimazioneMouse from beside the executable.
    void FormCreate();
    // Installs the hand cursor from "Mouse1.cur" and shows the about box.
    void FormShow();

    // The chain of work screens, each shown modally after the previous one closed.
    void ConfermaClick();
    void ApriDatiClick();
    void AssemblaggioClick();
    void Image1Click();

    // The click animation: 22 pictures at Velocita milliseconds each, drawn on
    // FormApparteneza around the mouse pointer. Returns at once.
    ClickAnimation *AnimazioneMouse(int Velocita, QWidget *FormApparteneza);

    void refreshFromState();

    // DialogoApri: the project file to open.
    static FileDialogOptions DialogoApri();

    // Buffer and progress bar of the project reader.
    TextList testo;
    QProgressBar *Barra() const { return m_barra; }
    QCommandLinkButton *Conferma() const { return m_conferma; }

    const AnimationPictures &ImmaginiAnimazioneMouse() const { return m_animazione; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildControls();

    Applicazione &m_app;
    StatoLavoro &m_stato;
    Platform &m_platform;
    PictureControl *m_sfondo = nullptr;
    QWidget *m_contenuto = nullptr;
    QCommandLinkButton *m_conferma = nullptr;
    QCommandLinkButton *m_apriDati = nullptr;
    QCommandLinkButton *m_assemblaggio = nullptr;
    QProgressBar *m_barra = nullptr;
    AnimationPictures m_animazione;
};

} // namespace kalvor::gui
