// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;

namespace kalvor {
struct StatoLavoro;
}

namespace kalvor::gui {

class Applicazione;
struct Platform;

// The GPS position of one reference point.
class TPuntiGPS : public QDialog
{
    Q_OBJECT
public:
    TPuntiGPS(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);

    void ConfermaClick();
    void AnnullaClick();
    void refreshFromState();

protected:
    void showEvent(QShowEvent *event) override;

private:
    Applicazione &m_app;
    StatoLavoro &m_stato;
    Platform &m_platform;
    QLineEdit *m_posizioneX = nullptr;
    QLineEdit *m_posizioneY = nullptr;
    QLineEdit *m_xTXT = nullptr;
    QLineEdit *m_yTXT = nullptr;
};

} // namespace kalvor::gui
