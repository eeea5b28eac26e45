// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QTimer;

namespace kalvor {
struct StatoLavoro;
}

namespace kalvor::gui {

class Applicazione;
struct Platform;

// The examination area: the road axis and the band around it.
class TAreaCaptazione : public QDialog
{
    Q_OBJECT
public:
    TAreaCaptazione(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);

    void ConfermaClick();
    void refreshFromState();

    // The magnifier timer (100 ms), switched on by the reference-point screen.
    QTimer *ingrandimento_TIMER = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    Applicazione &m_app;
    StatoLavoro &m_stato;
    Platform &m_platform;
    QLineEdit *m_fotogrammaIniziale = nullptr;
    QPlainTextEdit *m_puntiRiferimento = nullptr;
};

} // namespace kalvor::gui
