// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/app/screen.hpp"
#include "gui/platform/platform.hpp"

class QKeyEvent;
class QLineEdit;
class QPlainTextEdit;

namespace kalvor::gui {

class PictureControl;

// The safety indicators of every vehicle against the one ahead of it, shown
// as a text table that can be copied and saved.
class TIndicatoriSicurezza : public Screen
{
    Q_OBJECT
public:
    TIndicatoriSicurezza(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);

    // DialogoSalva: where the table shown is saved.
    static FileDialogOptions DialogoSalva();

    void CalcolaIndicatoriIMGClick();
    void MostraTabellaCompletaIMGClick();
    void Image1Click();
    void SalvaRisultatiIMGClick();
    // True when the key was Ctrl+A, which copies the whole table.
    bool TabellaKeyDown(QKeyEvent *event);

    void refreshFromState() override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // A click on the picture runs the handler guarded.
    void connectPicture(PictureControl *picture, void (TIndicatoriSicurezza::*handler)());
    void showTable();

    PictureControl *m_sfondo = nullptr;
    PictureControl *CalcolaIndicatoriIMG = nullptr;
    PictureControl *MostraTabellaCompletaIMG = nullptr;
    PictureControl *Image1 = nullptr;
    PictureControl *SalvaRisultatiIMG = nullptr;
    PictureControl *EsportaDatiInExcel = nullptr;
    QLineEdit *VeicoloTXT = nullptr;
    QPlainTextEdit *Tabella = nullptr;
};

} // namespace kalvor::gui
