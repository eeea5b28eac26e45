// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The frame extractor `Estrattore`: loads a video into its media player,
// moves in it, grabs frames at a fixed interval into numbered PNG files with
// their times, and on confirmation builds TabellaTempiFotogrammi.
//
// Frames come from the decoder at the player's position, never from the
// screen; closing the screen (confirmation or close box) stops a running
// extraction; a write failure stops it with one error box.

#include "gui/app/screen.hpp"
#include <QString>

class QCommandLinkButton;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace kalvor::gui {

class MediaPlayer;

// The video filter of OpenDialog1 as the program writes it (description|pattern pairs).
inline const QString kFiltroVideo
    = QStringLiteral("Filmato Full HD|*.mts|Tutti gli altri tipi di filmato|*.avi;*.mpg;*.flv|tutti i file|*.*");
// The same filter in the syntax of Qt's file dialogs.
QString qtFileFilter(const QString &programFilter);

class TEstrattore : public Screen
{
    Q_OBJECT
public:
    TEstrattore(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);

    void caricafilmatoClick();
    void avantiClick();
    void indietroClick();
    void EstrazioneFrameClick();
    void estrattoreframeTimer();
    void FermaEstrClick();
    void ConfermaClick();
    void FormClose();
    void refreshFromState() override;
    // Every way out (close box, Esc, close()) runs FormClose.
    void done(int result) override;

private:
    void move(int direction);
    // Without a video: what the job already holds (its frame count, its first frame).
    void showJobFrames();

    MediaPlayer *SorgenteFilmato = nullptr;
    QTimer *estrattoreframe = nullptr;
    void stopExtraction();

    QLineEdit *m_immagineIniziale = nullptr;
    QLineEdit *m_step = nullptr;
    QLineEdit *m_stepRegolazione = nullptr;
    QLabel *m_fotogrammiTOT = nullptr;
    QLabel *m_fotogrammaTXT = nullptr;
    QLabel *m_numeroEstrazioneTXT = nullptr;
};

} // namespace kalvor::gui
