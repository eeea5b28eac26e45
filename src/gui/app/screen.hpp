// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The base of every work screen. A screen is its controls and its handlers:
//
//   class TEsempio : public Screen
//   {
//       Q_OBJECT
//   public:
//       TEsempio(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr)
//           : Screen(app, stato, platform, parent)
//       {
//           setIdentity("Esempio", "Un esempio", WindowKind::Centred); // name, caption, window
//           auto *ok = namedControl<QPushButton>(this, "Conferma", "Conferma");
//           connectGuarded(ok, &TEsempio::ConfermaClick); // errors end in the error box
//       }
//       void ConfermaClick();
//       void refreshFromState() override; // the state back on the widgets; runs on every show
//   };
//
// Other screens are reached only through Applicazione's calls (showModal,
// switchMagnifierOn, playClickAnimation), never through their widgets.

#include "gui/platform/guarded.hpp"
#include "gui/platform/window_kind.hpp"

#include <QAbstractButton>
#include <QDialog>

namespace kalvor {
struct StatoLavoro;
}

namespace kalvor::gui {

class Applicazione;

class Screen : public QDialog
{
    Q_OBJECT
public:
    Screen(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent);

    // Puts the job state back on the widgets; runs before every show.
    virtual void refreshFromState() { }

protected:
    void showEvent(QShowEvent *event) override;

    // The screen's name in the program (its objectName), its caption and its kind of window.
    void setIdentity(const QString &name, const QString &caption, WindowKind kind, QSize size = {});

    // Runs body inside guarded(): an exception ends in the standard error box.
    template<class Body> bool runGuarded(Body &&body) { return guarded(this, m_platform, std::forward<Body>(body)); }

    // A click on button runs the handler guarded.
    template<class Derived> void connectGuarded(QAbstractButton *button, void (Derived::*handler)())
    {
        auto *self = static_cast<Derived *>(this);
        connect(button, &QAbstractButton::clicked, this,
                [this, self, handler] { runGuarded([&] { (self->*handler)(); }); });
    }

    Applicazione &m_app;
    StatoLavoro &m_stato;
    Platform &m_platform;
};

} // namespace kalvor::gui
