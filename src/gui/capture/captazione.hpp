// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/text_list.hpp"
#include "gui/platform/platform.hpp"

#include <QDialog>

#include <vector>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
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

    // "Salva i dati finora ottenuti": the project file of the job as it stands,
    // built in `testo` and written under the name chosen in dialogoSalva.
    void SalvaDatiClick();
    static FileDialogOptions dialogoSalva();
    TextList testo;

    // The magnifier timer (100 ms), switched on by the calibration confirmation.
    QTimer *ingrandimento_TIMER = nullptr;
    // The frame view (640 by 480, unscaled from the top-left corner).
    QLabel *ImmagineColori = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    Applicazione &m_app;
    StatoLavoro &m_stato;
    Platform &m_platform;
    std::vector<QLineEdit *> m_parametri; // the eight fields, in the order of CampiRilevamento
    QLabel *m_fotogrammaTXT = nullptr;
    QLabel *m_numeroVeicoliTXT = nullptr;
    QPlainTextEdit *m_veicoliAtt = nullptr;
    QPlainTextEdit *m_veicoliPrec = nullptr;
};

} // namespace kalvor::gui
