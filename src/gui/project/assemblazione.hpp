// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;

namespace kalvor {
struct StatoLavoro;
}

namespace kalvor::gui {

class Applicazione;
struct Platform;

// The assembly of the project files of consecutive intervals into one.
class TAssemblazione : public QDialog
{
    Q_OBJECT
public:
    TAssemblazione(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);

    // The caption NomeFileApertoTXT, set by the main screen each time it opens this screen.
    void setNomeFileAperto(const QString &text);
    void refreshFromState();

private:
    Applicazione &m_app;
    StatoLavoro &m_stato;
    Platform &m_platform;
    QLabel *m_nomeFileApertoTXT = nullptr;
};

} // namespace kalvor::gui
