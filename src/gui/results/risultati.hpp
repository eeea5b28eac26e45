// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;

namespace kalvor {
struct StatoLavoro;
}

namespace kalvor::gui {

class Applicazione;
struct Platform;

// The results: replay, evaluation, export and the way to the safety indicators.
class TRisultati : public QDialog
{
    Q_OBJECT
public:
    TRisultati(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);

    void CalcolaIndicatoriClick();
    // "Chiudi": ends the program, modal screens open or not.
    void ChiudiTuttoClick();
    void refreshFromState();

protected:
    void showEvent(QShowEvent *event) override;

private:
    Applicazione &m_app;
    StatoLavoro &m_stato;
    Platform &m_platform;
    QPlainTextEdit *m_contenitoreDatiTemporali = nullptr;
    QPlainTextEdit *m_contenitoreDatiVeicolari = nullptr;
    QPlainTextEdit *m_valutazioniTXT = nullptr;
    QLineEdit *m_istanteInizialeTXT = nullptr;
    QLineEdit *m_numeroPrimoVeicoloTXT = nullptr;
};

} // namespace kalvor::gui
