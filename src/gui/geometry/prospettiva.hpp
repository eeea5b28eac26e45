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

// The reference-point screen: points on a frame and the distances between them.
class TProspettiva : public QDialog
{
    Q_OBJECT
public:
    TProspettiva(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);

    void ConfermaClick();
    void refreshFromState();

    // The magnifier timer (100 ms), switched on and off by other screens too.
    QTimer *ingrandimento_TIMER = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    Applicazione &m_app;
    StatoLavoro &m_stato;
    Platform &m_platform;
    QLineEdit *m_fotogrammaIniziale = nullptr;
    QPlainTextEdit *m_coordinataXPixelP = nullptr;
    QPlainTextEdit *m_coordinataYPixelP = nullptr;
    QPlainTextEdit *m_distanzeRealiP = nullptr;
};

} // namespace kalvor::gui
