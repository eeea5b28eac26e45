// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/app/screen.hpp"

class QLineEdit;

namespace kalvor::gui {

// The job references: place, operator and date of the processing.
class TRiferimenti : public Screen
{
    Q_OBJECT
public:
    TRiferimenti(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);

    // Drops the frame lists of an earlier extraction when the job has no
    // reference points yet, then closes.
    void ConfermaClick();
    // F1, whatever the modifiers, writes today's date in the user's short format.
    void dataelaborazioneKeyDown(int key, Qt::KeyboardModifiers shift);

    void refreshFromState() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_luogo = nullptr;
    QLineEdit *m_elaboratore = nullptr;
    QLineEdit *m_dataelaborazione = nullptr;
};

} // namespace kalvor::gui
