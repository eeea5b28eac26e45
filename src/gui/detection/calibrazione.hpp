// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <vector>

class QLineEdit;

namespace kalvor {
struct StatoLavoro;
}

namespace kalvor::gui {

class Applicazione;
struct Platform;

// The calibration screen: background, automatic detection run, tuned parameters.
class TCalibrazione : public QDialog
{
    Q_OBJECT
public:
    TCalibrazione(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);

    // Hands the eight parameters to the capture screen, shows the warning, closes.
    void ConfermaClick();
    void refreshFromState();

protected:
    void showEvent(QShowEvent *event) override;

private:
    Applicazione &m_app;
    StatoLavoro &m_stato;
    Platform &m_platform;
    std::vector<QLineEdit *> m_parametri; // the eight fields, in the order of CampiRilevamento
};

} // namespace kalvor::gui
