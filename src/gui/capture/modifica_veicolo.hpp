// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace kalvor {
struct StatoLavoro;
}

namespace kalvor::gui {

class Applicazione;
struct Platform;

// The capture dialog for renumbering or deleting the clicked vehicle; shown at the mouse.
class TModificaVeicolo : public QDialog
{
    Q_OBJECT
public:
    TModificaVeicolo(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);

    void refreshFromState();

protected:
    void showEvent(QShowEvent *event) override;

private:
    Applicazione &m_app;
    StatoLavoro &m_stato;
    Platform &m_platform;
    QLabel *m_caption1 = nullptr;
    QWidget *m_field2 = nullptr;
};

} // namespace kalvor::gui
