// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <vector>

class QLabel;
class QLineEdit;
class QTimer;

namespace kalvor {
struct StatoLavoro;
}

namespace kalvor::gui {

class Applicazione;
struct Platform;

// The semi-automatic capture: frame by frame, with tracking and manual corrections.
class TCaptazione : public QDialog
{
    Q_OBJECT
public:
    TCaptazione(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);

    // "I dati vanno bene": shows the results on top of this screen, which stays open.
    void ConfermaClick();
    void refreshFromState();

    // The magnifier timer (100 ms), switched on by the calibration confirmation.
    QTimer *ingrandimento_TIMER = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    Applicazione &m_app;
    StatoLavoro &m_stato;
    Platform &m_platform;
    std::vector<QLineEdit *> m_parametri; // the eight fields, in the order of CampiRilevamento
    QLabel *m_fotogrammaTXT = nullptr;
    QLabel *m_numeroVeicoliTXT = nullptr;
};

} // namespace kalvor::gui
