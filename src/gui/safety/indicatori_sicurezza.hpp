// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

namespace kalvor {
struct StatoLavoro;
}

namespace kalvor::gui {

class Applicazione;
struct Platform;

// The safety indicators of every vehicle against the one ahead of it.
class TIndicatoriSicurezza : public QDialog
{
    Q_OBJECT
public:
    TIndicatoriSicurezza(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);

    void refreshFromState();

protected:
    void showEvent(QShowEvent *event) override;

private:
    Applicazione &m_app;
    StatoLavoro &m_stato;
    Platform &m_platform;
};

} // namespace kalvor::gui
