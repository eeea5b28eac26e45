// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/run_capture.hpp"

#include "capture/avanzamento.hpp"
#include "capture/sovrapposizioni_captazione.hpp"
#include "cli/extraction_project.hpp"
#include "cli/options.hpp"
#include "cli/progress.hpp"
#include "common/errors.hpp"
#include "common/frame_interval.hpp"
#include "common/numbers.hpp"
#include "extraction/frame_file.hpp"
#include "extraction/ordered_frame_reader.hpp"
#include "extraction/png_io.hpp"
#include "project/project_writer.hpp"
#include "state/record_veicolo.hpp"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <set>

namespace kalvor::cli {

std::string verificaSalvataggio(const std::string &salva, const std::string &job)
{
    if (salva.empty())
        return {};
    const std::string cartella = std::filesystem::path(job).parent_path().string();
    return extractionProjectPath(salva, cartella.empty() ? "./" : cartella + '/');
}

void PassiProgettoCaptazione::CalcolaMediaClick()
{
    if (m_profilo)
        m_stato.Captazione.Profilo = *m_profilo;
    CalcolaMediaCaptazione(m_stato, m_sessione);
}

void PassiProgettoCaptazione::setBarraElaborazione(int position)
{
    impostaBarraCaptazione(m_sessione, position);
}

void PassiProgettoCaptazione::showCaptureFrame(const RgbImage &frame)
{
    HeadlessProjectSteps::showCaptureFrame(frame);
    mostraFotogrammaCaptazione(m_sessione, frame);
}

void PassiProgettoCaptazione::drawCaptureOverlays()
{
    DisegnaContornoVeicoli(m_stato, m_sessione, false, colors::red);
    DisegnaVeicoliVirtualiClick(m_stato, m_sessione);
}

void eseguiCaptazione(StatoLavoro &stato, SessioneCaptazione &sessione, const std::string &salva)
{
    if (!sessione.avviata) {
        std::printf("captazione: il lavoro non ha la sezione di captazione, nessun avanzamento\n");
        return;
    }
    const int da = stato.CP.FotogrammaAttuale;
    const int a = toInt(stato.Captazione.ImmagineFinale);
    std::printf("captazione: sfondo dei fotogrammi %s..%s (%d), dal fotogramma %d al %d\n",
                stato.Captazione.ImmagineIniziale.c_str(), stato.Captazione.ImmagineFinale.c_str(),
                stato.CP.NumeroFotogrammiMedia, da, a);

    // Frames da+1..a decoded on both cores, handed over in order; any other
    // request (none in this loop) reads its file.
    std::unique_ptr<OrderedFrameReader> lettore;
    int atteso = da + 1;
    if (atteso <= a) {
        const std::string cartella = stato.Estrattore.Cartella;
        lettore = std::make_unique<OrderedFrameReader>(
            [cartella](int n) { return readPng(frameFileName(cartella, n)); }, FrameInterval {atteso, a});
    }
    // The source reads through this function's reader: gone with it.
    struct Ripristino
    {
        SessioneCaptazione &s;
        ~Ripristino() { s.sorgente = nullptr; }
    } ripristino {sessione};
    sessione.sorgente = [&](int n, const std::string &file) {
        if (lettore && n == atteso && n <= a) {
            ++atteso;
            return lettore->next();
        }
        return readPng(file);
    };

    ProgressLine riga;
    const int totale = a > da ? a - da : 1;
    const auto t0 = std::chrono::steady_clock::now();
    int fotogrammi = 0;
    int conVeicoli = 0;
    for (;;) {
        const EsitoPasso e = AvanzaFotogrammaClick(stato, sessione);
        if (e.fotogrammiFiniti)
            break;
        ++fotogrammi;
        conVeicoli += e.suono ? 1 : 0;
        riga.update(static_cast<double>(fotogrammi) / totale, fotogrammi);
    }
    const double secondi = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    riga.finish();

    const TextList &tot = stato.Captazione.VeicoliTOT;
    std::set<std::string> numeri;
    const std::vector<int> records = findRecords(tot);
    for (const int i : records)
        numeri.insert(recordField(tot, i, OffNumero));
    std::printf("captazione: %d fotogrammi avanzati, %d con veicoli, in %s s (%s fotogrammi/s); "
                "%zu avvistamenti di %zu veicoli, ultimo numero dato %s\n",
                fotogrammi, conVeicoli, localeDecimal(secondi, 2).c_str(),
                localeDecimal(secondi > 0 ? fotogrammi / secondi : 0.0, 0).c_str(), records.size(), numeri.size(),
                stato.Captazione.NumeroVeicoliTXT.c_str());
    if (!salva.empty()) {
        writeProjectFile(salva, stato);
        std::printf("lavoro salvato in \"%s\" al fotogramma %s\n", salva.c_str(),
                    stato.Captazione.fotogrammaTXT.c_str());
    }
}

} // namespace kalvor::cli
