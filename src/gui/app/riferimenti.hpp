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

// The job references: place, operator and date of the processing.
class TRiferimenti : public QDialog
{
    Q_OBJECT
public:
    TRiferimenti(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);

    // Drops the frame lists of an earlier extraction when the job has no
    // reference points yet, then closes.
    void ConfermaClick();
    // F1, whatever the modifiers, writes today's date in the user's short format.
    void dataelaborazioneKeyDown(int key, Qt::KeyboardModifiers shift);

    void refreshFromState();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    StatoLavoro &m_stato;
    Platform &m_platform;
    QLineEdit *m_luogo = nullptr;
    QLineEdit *m_elaboratore = nullptr;
    QLineEdit *m_dataelaborazione = nullptr;
};

} // namespace kalvor::gui
