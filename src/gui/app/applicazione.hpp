// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "state/stato_lavoro.hpp"

#include <memory>

class QMainWindow;

namespace kalvor::gui {

// Owns the job state and every screen of the program for the whole run.
class Applicazione
{
public:
    Applicazione();
    ~Applicazione();

    StatoLavoro &stato() { return m_stato; }
    QMainWindow *Impostazioni() const { return m_impostazioni.get(); }
    void show();

private:
    StatoLavoro m_stato;
    std::unique_ptr<QMainWindow> m_impostazioni;
};

// The program: creates the application object and runs the event loop.
int runKalvor(int argc, char **argv);

} // namespace kalvor::gui
