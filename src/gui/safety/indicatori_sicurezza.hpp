// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/platform/platform.hpp"

#include <QDialog>

class QKeyEvent;
class QLineEdit;
class QPlainTextEdit;

namespace kalvor {
struct StatoLavoro;
}

namespace kalvor::gui {

class Applicazione;
class PictureControl;

// The safety indicators of every vehicle against the one ahead of it, shown
// as a text table that can be saved.
class TIndicatoriSicurezza : public QDialog
{
    Q_OBJECT
public:
    TIndicatoriSicurezza(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);

    void refreshFromState();

    void CalcolaIndicatoriIMGClick();
    void MostraTabellaCompletaIMGClick();
    void Image1Click();
    void SalvaRisultatiIMGClick();
    // True when the key was Ctrl+A, which copies the whole table.
    bool TabellaKeyDown(QKeyEvent *event);

    // DialogoSalva: where the table shown is saved.
    static FileDialogOptions DialogoSalva();

    PictureControl *CalcolaIndicatoriIMG = nullptr;
    PictureControl *MostraTabellaCompletaIMG = nullptr;
    PictureControl *Image1 = nullptr;
    PictureControl *SalvaRisultatiIMG = nullptr;
    PictureControl *EsportaDatiInExcel = nullptr;
    QLineEdit *VeicoloTXT = nullptr;
    QPlainTextEdit *Tabella = nullptr;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showTable();

    Applicazione &m_app;
    StatoLavoro &m_stato;
    Platform &m_platform;
    PictureControl *m_sfondo = nullptr;
};

} // namespace kalvor::gui
