// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/extraction/estrattore.hpp"

#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "extraction/extractor.hpp"
#include "extraction/frame_file.hpp"
#include "gui/app/applicazione.hpp"
#include "gui/geometry/prospettiva.hpp"
#include "gui/platform/bindings.hpp"
#include "gui/platform/controls.hpp"
#include "gui/platform/frame_image.hpp"
#include "gui/platform/guarded.hpp"
#include "gui/platform/hand_cursor.hpp"
#include "gui/platform/hint_balloon.hpp"
#include "gui/platform/media_player.hpp"
#include "gui/platform/platform.hpp"
#include "gui/platform/resources.hpp"
#include "state/stato_lavoro.hpp"

#include <QCommandLinkButton>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace kalvor::gui {

QString qtFileFilter(const QString &programFilter)
{
    const QStringList parts = programFilter.split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        filters << parts[i] + QStringLiteral(" (") + patterns + ')';
    }
    return filters.join(QStringLiteral(";;"));
}

TEstrattore::TEstrattore(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent)
    : Screen(app, stato, platform, parent)
{
    setIdentity(QStringLiteral("Estrattore"), QStringLiteral("Estrattore fotogrammi da esaminare"),
                WindowKind::Maximized);

    SorgenteFilmato = new MediaPlayer(this); // objectName "SorgenteFilmato"
    estrattoreframe = new QTimer(this);
    estrattoreframe->setObjectName(QStringLiteral("estrattoreframe"));

    auto *caricafilmato
        = namedControl<QCommandLinkButton>(this, QStringLiteral("caricafilmato"), QStringLiteral("carica filmato"));
    m_immagineIniziale = boundLineEdit(this, QStringLiteral("ImmagineIniziale"), m_stato.Estrattore.ImmagineIniziale);
    setHint(m_immagineIniziale, QStringLiteral("Numero primo fotogramma|numero del primo fotogramma da salvare|7"));
    m_step = boundLineEdit(this, QStringLiteral("step"), m_stato.Estrattore.step);
    setHint(m_step, QStringLiteral("Intervallo estrazione|impostare l'intervallo di estrazione fotogr. in secondi|4"));
    auto *estrazione
        = namedControl<QCommandLinkButton>(this, QStringLiteral("EstrazioneFrame"), QStringLiteral("EstrazioneFrame"));
    auto *ferma
        = namedControl<QCommandLinkButton>(this, QStringLiteral("FermaEstr"), QStringLiteral("Ferma estrazion."));
    auto *conferma
        = namedControl<QCommandLinkButton>(this, QStringLiteral("Conferma"), QStringLiteral("Passo successivo"));
    conferma->setIcon(hintIcon(14));
    auto *indietro = new QPushButton(QStringLiteral("indietro"), this);
    indietro->setObjectName(QStringLiteral("indietro"));
    auto *avanti = new QPushButton(QStringLiteral("avanti"), this);
    avanti->setObjectName(QStringLiteral("avanti"));
    // Not an item of the job state: the size of one move lives with the screen.
    m_stepRegolazione = new QLineEdit(QStringLiteral("50"), this);
    m_stepRegolazione->setObjectName(QStringLiteral("StepRegolazione"));
    setHint(m_stepRegolazione, QStringLiteral("Micro spostamenti|Numero di secondi di cui spostarsi|7"));
    m_fotogrammiTOT = namedControl<QLabel>(this, QStringLiteral("fotogrammiTOT"), QStringLiteral("00000"));
    m_fotogrammaTXT = namedControl<QLabel>(this, QStringLiteral("fotogrammaTXT"), QStringLiteral("00000"));
    m_numeroEstrazioneTXT = namedControl<QLabel>(this, QStringLiteral("NumeroEstrazioneTXT"), QStringLiteral("00000"));
    auto *tempoTXT = namedControl<QLabel>(this, QStringLiteral("TempoTXT"), QStringLiteral("00:00"));

    auto *side = new QGridLayout;
    int row = 0;
    side->addWidget(caricafilmato, row++, 0, 1, 2);
    side->addWidget(namedControl<QLabel>(this, QStringLiteral("Label1"), QStringLiteral("Numer. fotog. iniz.")), row,
                    0);
    side->addWidget(m_immagineIniziale, row++, 1);
    side->addWidget(namedControl<QLabel>(this, QStringLiteral("Label3"), QStringLiteral("Intervallo di estraz.")), row,
                    0);
    side->addWidget(m_step, row++, 1);
    side->addWidget(estrazione, row++, 0, 1, 2);
    side->addWidget(ferma, row++, 0, 1, 2);
    side->addWidget(namedControl<QLabel>(this, QStringLiteral("Label7"), QStringLiteral("Micro spostamenti")), row, 0);
    side->addWidget(m_stepRegolazione, row++, 1);
    side->addWidget(indietro, row, 0);
    side->addWidget(avanti, row++, 1);
    side->addWidget(namedControl<QLabel>(this, QStringLiteral("Label2"), QStringLiteral("Fotogrammi:")), row++, 0, 1,
                    2);
    side->addWidget(namedControl<QLabel>(this, QStringLiteral("Label4"), QStringLiteral("Totali")), row, 0);
    side->addWidget(m_fotogrammiTOT, row++, 1);
    side->addWidget(namedControl<QLabel>(this, QStringLiteral("Label5"), QStringLiteral("Attuale")), row, 0);
    side->addWidget(m_fotogrammaTXT, row++, 1);
    side->addWidget(namedControl<QLabel>(this, QStringLiteral("Label6"), QStringLiteral("Etratti")), row, 0);
    side->addWidget(m_numeroEstrazioneTXT, row++, 1);
    side->addWidget(namedControl<QLabel>(this, QStringLiteral("Label8"), QStringLiteral("Istante")), row, 0);
    side->addWidget(tempoTXT, row++, 1);
    side->setRowStretch(row++, 1);
    side->addWidget(conferma, row++, 0, 1, 2);

    auto *page = new QHBoxLayout(this);
    page->addWidget(SorgenteFilmato, 1);
    page->addLayout(side, 0);

    connectGuarded(caricafilmato, &TEstrattore::caricafilmatoClick);
    connectGuarded(avanti, &TEstrattore::avantiClick);
    connectGuarded(indietro, &TEstrattore::indietroClick);
    connectGuarded(estrazione, &TEstrattore::EstrazioneFrameClick);
    connectGuarded(ferma, &TEstrattore::FermaEstrClick);
    connectGuarded(conferma, &TEstrattore::ConfermaClick);
    connect(estrattoreframe, &QTimer::timeout, this, [this] { runGuarded([&] { estrattoreframeTimer(); }); });
}

void TEstrattore::caricafilmatoClick()
{
    FileDialogOptions open;
    open.title = QStringLiteral("Seleziona il video da elaborare");
    open.filter = qtFileFilter(kFiltroVideo);
    const QString video = m_platform.openFileName(this, open);
    if (video.isEmpty())
        return;
    SorgenteFilmato->setURL(video);
    m_fotogrammaTXT->setText(QString::fromStdString(fixedText(SorgenteFilmato->currentPosition())));

    FileDialogOptions save;
    save.title = QStringLiteral("Seleziona la cartella di destinazione dei fotogrammi");
    save.initialPath = QStringLiteral("seleziona cartella");
    // Whatever the user does: a cancelled dialog names no folder, frames go to the working folder.
    m_stato.Estrattore.Cartella = folderFromDialogName(m_platform.saveFileName(this, save).toStdString());

    SorgenteFilmato->setEnabled(true);
    SorgenteFilmato->play();
    SorgenteFilmato->pause();
    SorgenteFilmato->setCurrentPosition(0.0);
    refreshFromState();
}

void TEstrattore::move(int direction)
{
    const int seconds = toInt(m_stepRegolazione->text().toStdString());
    SorgenteFilmato->setCurrentPosition(SorgenteFilmato->currentPosition() + direction * static_cast<double>(seconds));
    m_fotogrammaTXT->setText(QString::fromStdString(fixedText(SorgenteFilmato->currentPosition())));
}

void TEstrattore::avantiClick()
{
    move(+1);
}

void TEstrattore::indietroClick()
{
    move(-1);
}

void TEstrattore::EstrazioneFrameClick()
{
    if (!SorgenteFilmato->hasMedia())
        throw RefusalError("Caricare un filmato prima di estrarre i fotogrammi.");
    // Both fields are checked before the video starts: a bad interval leaves it paused.
    const int ms = startExtraction(m_stato);
    SorgenteFilmato->play();
    estrattoreframe->setInterval(ms);
    estrattoreframe->start();
}

void TEstrattore::estrattoreframeTimer()
{
    if (!SorgenteFilmato->hasMedia() || !SorgenteFilmato->isPlaying()) {
        // The end of the video (or no video): nothing new to grab.
        estrattoreframe->stop();
        return;
    }
    const double position = SorgenteFilmato->currentPosition();
    try {
        grabFrame(m_stato, SorgenteFilmato->pictureAt(position), position);
    } catch (...) {
        // One error box, not one per tick.
        stopExtraction();
        throw;
    }
    m_numeroEstrazioneTXT->setText(QString::number(m_stato.NumeroFotogrammaEstratto));
}

void TEstrattore::stopExtraction()
{
    estrattoreframe->stop();
    SorgenteFilmato->pause();
}

void TEstrattore::FermaEstrClick()
{
    stopExtraction();
}

void TEstrattore::ConfermaClick()
{
    estrattoreframe->stop();
    if (SorgenteFilmato->isEnabled()) {
        SorgenteFilmato->stop();
        SorgenteFilmato->setEnabled(false);
    }
    confirmExtraction(m_stato);
    m_app.switchMagnifierOn(m_app.Prospettiva());
    close();
}

void TEstrattore::FormClose()
{
    estrattoreframe->stop();
    if (SorgenteFilmato->isEnabled()) {
        SorgenteFilmato->stop();
        SorgenteFilmato->closeMedia();
        SorgenteFilmato->setEnabled(false);
    }
}

void TEstrattore::refreshFromState()
{
    showText(m_immagineIniziale, m_stato.Estrattore.ImmagineIniziale);
    showText(m_step, m_stato.Estrattore.step);
    if (!SorgenteFilmato->hasMedia())
        showJobFrames();
}

void TEstrattore::showJobFrames()
{
    const TextList &frames = m_stato.Estrattore.ListaFotogrammi;
    if (frames.empty())
        return;
    const QString count = QString::number(frames.count());
    m_fotogrammiTOT->setText(count);
    m_numeroEstrazioneTXT->setText(count);
    m_fotogrammaTXT->setText(QString::fromStdString(frames.line(0)));
    // A frame file gone from the folder leaves the area empty: the later
    // screens report it where the frame is needed.
    QImage first;
    try {
        first = loadFrameImage(frameFileName(m_stato.Estrattore.Cartella, toInt(frames.line(0))));
    } catch (const Error &) {
    }
    SorgenteFilmato->showStill(first);
}

void TEstrattore::done(int result)
{
    // Every way out (close box, Esc, close()) passes here.
    runGuarded([&] { FormClose(); });
    QDialog::done(result);
}

} // namespace kalvor::gui
