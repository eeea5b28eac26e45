// SPDX-License-Identifier: GPL-3.0-or-later
#include "capture/sessione_captazione.hpp"

#include "capture/lettura_anticipata.hpp"
#include "common/numbers.hpp"
#include "extraction/frame_file.hpp"
#include "extraction/png_io.hpp"
#include "project/headless_project_steps.hpp"

namespace kalvor {

SessioneCaptazione::SessioneCaptazione() = default;
SessioneCaptazione::~SessioneCaptazione() = default;

std::string fileFotogrammaCaptazione(const StatoLavoro &stato, int n)
{
    return frameFileName(stato.Estrattore.Cartella, n);
}

RgbImage leggiFotogrammaCaptazione(SessioneCaptazione &sessione, int n, const std::string &file)
{
    if (sessione.sorgente)
        return sessione.sorgente(n, file);
    if (!sessione.anticipa)
        return readPng(file);
    if (!sessione.anticipo)
        sessione.anticipo = std::make_unique<LetturaAnticipata>();
    return sessione.anticipo->leggi(file);
}

void anticipaFotogrammaCaptazione(SessioneCaptazione &sessione, const std::string &file)
{
    if (sessione.sorgente || !sessione.anticipa)
        return;
    if (!sessione.anticipo)
        sessione.anticipo = std::make_unique<LetturaAnticipata>();
    sessione.anticipo->anticipa(file);
}

void mostraFotogrammaCaptazione(SessioneCaptazione &sessione, RgbImage frame)
{
    sessione.fotogramma = std::move(frame);
    sessione.disegno.clear();
}

void impostaBarraCaptazione(SessioneCaptazione &sessione, int posizione)
{
    sessione.barraPosizione = posizione;
}

void CalcolaMediaCaptazione(StatoLavoro &stato, SessioneCaptazione &sessione, const BackgroundProgress &progresso)
{
    auto &c = stato.Captazione;
    sessione.avviata = false;
    computeBackground(stato.CP, c, stato.AreaCaptazione.PuntiRiferimento, stato.Estrattore.Cartella,
                      BackgroundFor::Captazione, progresso);
    // The background computation has checked both ends.
    const int a = toInt(c.ImmagineIniziale);
    sessione.barraMassimo = toInt(c.ImmagineFinale);
    sessione.barraPosizione = a;
    avviaCaptazione(stato);
    // The first frame is named from the field's text, as the background's first frame is.
    mostraFotogrammaCaptazione(
        sessione, leggiFotogrammaCaptazione(sessione, a, stato.Estrattore.Cartella + c.ImmagineIniziale + ".png"));
    // Areas over the previous frame would open the dialog on vehicles no longer shown.
    sessione.veicoliVirtuali.clear();
    sessione.avviata = true;
    anticipaFotogrammaCaptazione(sessione, fileFotogrammaCaptazione(stato, a + 1));
}

} // namespace kalvor
