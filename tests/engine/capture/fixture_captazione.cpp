// SPDX-License-Identifier: GPL-3.0-or-later
#include "fixture_captazione.hpp"

#include "extraction/frame_file.hpp"
#include "extraction/png_io.hpp"
#include "scene/strada_sintetica.hpp"
#include "state/record_veicolo.hpp"

#include <algorithm>

namespace kalvor::testing {

using namespace kalvor::scene;

namespace {

RgbImage fotogramma(int n, int spostamento)
{
    const RgbImage sfondo = sfondoStrada(160, 120, 9);
    std::vector<Scatola> s;
    if (n >= 2 && n != 8)
        s.push_back({6 * n + spostamento, 66, 30, 10});
    if (n >= 4 && n != 8)
        s.push_back({120 - 5 * (n - 4), 46, 25, 9, 30, 30, 200});
    return fotogrammaStrada(sfondo, s, 0, 1);
}

} // namespace

void CaptazioneTest::SetUp()
{
    for (int n = 0; n <= 12; ++n)
        writePng(frameFileName(dir.path(), n), fotogramma(n, 0));
    writePng(frameFileName(dir.path(), 100), RgbImage(20, 20));
    stato.Estrattore.Cartella = dir.path();
    stato.AreaCaptazione.PuntiRiferimento = TextList {"60", "5", "60", "150", "45", "0", "75", "0"};
    stato.GrigliaMetrica = grigliaUniforme(160, 120, 0.2);
    for (int n = 0; n <= 12; ++n)
        if (n != 6)
            stato.TabellaTempiFotogrammi.push_back({static_cast<double>(n), 0.5 * n});
    stato.Captazione.ImmagineFinale = "12";
    sessione.anticipa = false;
}

void CaptazioneTest::riscriviFotogramma(int n, int spostamento)
{
    writePng(frameFileName(dir.path(), n), fotogramma(n, spostamento));
}

void CaptazioneTest::avvia()
{
    CalcolaMediaCaptazione(stato, sessione);
    const RgbImage vuoto = readPng(frameFileName(dir.path(), 0));
    std::copy(vuoto.pixels.begin(), vuoto.pixels.end(), stato.CP.MediaSfondo.data.begin());
    ++stato.CP.GenerazioneSfondo;
}

std::vector<std::string> CaptazioneTest::numeri(const TextList &l)
{
    std::vector<std::string> n;
    for (const int i : findRecords(l))
        n.push_back(recordField(l, i, OffNumero));
    return n;
}

std::vector<std::string> CaptazioneTest::fotogrammi(const TextList &l)
{
    std::vector<std::string> n;
    for (const int i : findRecords(l))
        n.push_back(recordField(l, i, OffFotogramma));
    return n;
}

} // namespace kalvor::testing
