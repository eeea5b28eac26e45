// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The application object: owns the one StatoLavoro, the Platform and the
// sixteen screens, created at start in the program's fixed order, each the
// single instance of its class and named (objectName) after that instance.
//
// A screen derives from Screen (gui/app/screen.hpp, which shows the pattern),
// builds its widgets with objectName = the control's name, sets its caption and
// window kind (applyWindowKind), and must not reach other screens in its
// constructor: they may not exist yet. Items of the job state are bound, not
// copied (gui/platform/bindings). A screen asks this object, not another
// screen, for what happens elsewhere: showModal, switchMagnifierOn/Off,
// playClickAnimation. The accessors below give a screen to show or to test;
// its widgets stay its own.
//  - Dialogs, message boxes, sounds, the browser and the clock go through
//    Platform, so that tests can script them.
//  - Hints: setHint(widget, "title|text|picture"); command-link pictures:
//    hintIcon(index) (gui/platform/hint_balloon.hpp, resources.hpp).
//  - Keys: after creating the screens this object makes no button a default
//    button (Enter does only what a screen binds to it) and keeps the work
//    screens open on Esc (screen_keys.hpp); a screen binds its own keys.
//  - Tests: tests/gui/support/modal_driver.hpp plays the user in front of
//    modal screens; ScriptedPlatform answers the dialogs.

#include "state/stato_lavoro.hpp"

#include <QList>
#include <QPoint>

#include <memory>

class QDialog;
class QWidget;

namespace kalvor::gui {

struct Platform;
class TImpostazioni;
class TProspettiva;
class TCalibrazione;
class TCaptazione;
class Tlogo;
class TEstrattore;
class TAreaCaptazione;
class TAggiungiVeicolo;
class TModificaVeicolo;
class TRisultati;
class TSceltaVersoLetture;
class TRiferimenti;
class TControindicazioni;
class TAssemblazione;
class TPuntiGPS;
class TIndicatoriSicurezza;

class Applicazione
{
public:
    // The screens use the platform for as long as they live.
    explicit Applicazione(Platform &platform);
    ~Applicazione();
    Applicazione(const Applicazione &) = delete;
    Applicazione &operator=(const Applicazione &) = delete;

    StatoLavoro &stato() { return m_stato; }
    Platform &platform() { return m_platform; }

    TImpostazioni *Impostazioni() const { return m_impostazioni.get(); }
    TProspettiva *Prospettiva() const { return m_prospettiva; }
    TCalibrazione *Calibrazione() const { return m_calibrazione; }
    TCaptazione *Captazione() const { return m_captazione; }
    Tlogo *logo() const { return m_logo; }
    TEstrattore *Estrattore() const { return m_estrattore; }
    TAreaCaptazione *AreaCaptazione() const { return m_areaCaptazione; }
    TAggiungiVeicolo *AggiungiVeicolo() const { return m_aggiungiVeicolo; }
    TModificaVeicolo *ModificaVeicolo() const { return m_modificaVeicolo; }
    TRisultati *Risultati() const { return m_risultati; }
    TSceltaVersoLetture *SceltaVersoLetture() const { return m_sceltaVersoLetture; }
    TRiferimenti *Riferimenti() const { return m_riferimenti; }
    TControindicazioni *Controindicazioni() const { return m_controindicazioni; }
    TAssemblazione *Assemblazione() const { return m_assemblazione; }
    TPuntiGPS *PuntiGPS() const { return m_puntiGPS; }
    TIndicatoriSicurezza *IndicatoriSicurezza() const { return m_indicatoriSicurezza; }

    // The sixteen screens in the order they were created.
    QList<QWidget *> screens() const;

    // Shows the main screen maximized, then runs its FormShow (cursor, about box).
    void start();

    // Shows a screen modally and returns when it has closed, however it was
    // closed. Once the program is ending it returns at once without showing it.
    void showModal(QDialog *screen);

    // The magnifier of a screen (its timer ingrandimento_TIMER) on or off;
    // a screen without one is left alone.
    void switchMagnifierOn(QWidget *screen);
    void switchMagnifierOff(QWidget *screen);

    // The click animation on a screen around a point on the desktop; returns at once.
    void playClickAnimation(QWidget *screen, QPoint globalPos);

    // Ends the program from anywhere, modal screens open or not: closes them,
    // closes the main screen and leaves every event loop.
    void endProgram();
    bool ending() const { return m_ending; }

private:
    Platform &m_platform;
    StatoLavoro m_stato;
    bool m_ending = false;
    // The main screen owns the other fifteen (Qt parent ownership); the
    // pointers below are only for reaching them.
    std::unique_ptr<TImpostazioni> m_impostazioni;
    TProspettiva *m_prospettiva = nullptr;
    TCalibrazione *m_calibrazione = nullptr;
    TCaptazione *m_captazione = nullptr;
    Tlogo *m_logo = nullptr;
    TEstrattore *m_estrattore = nullptr;
    TAreaCaptazione *m_areaCaptazione = nullptr;
    TAggiungiVeicolo *m_aggiungiVeicolo = nullptr;
    TModificaVeicolo *m_modificaVeicolo = nullptr;
    TRisultati *m_risultati = nullptr;
    TSceltaVersoLetture *m_sceltaVersoLetture = nullptr;
    TRiferimenti *m_riferimenti = nullptr;
    TControindicazioni *m_controindicazioni = nullptr;
    TAssemblazione *m_assemblazione = nullptr;
    TPuntiGPS *m_puntiGPS = nullptr;
    TIndicatoriSicurezza *m_indicatoriSicurezza = nullptr;
};

// The program: application object, platform, screens, event loop.
int runKalvor(int argc, char **argv);

} // namespace kalvor::gui
