// SPDX-License-Identifier: GPL-3.0-or-later
// The automatic run under the robust profile chosen in the screen's field.
#include "detection/elaborazione_automatica.hpp"
#include "detection/sfondo.hpp"
#include "extraction/frame_file.hpp"
#include "extraction/png_io.hpp"
#include "scene/strada_sintetica.hpp"
#include "state/record_veicolo.hpp"
#include "support/scoped_number_format.hpp"
#include "support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace kalvor;

namespace {

// A 160 x 120 road, axis at row 60 from pixel column 5 to 150: in the lower
// arc a 30 x 10 vehicle drives right 6 pixels a frame from frame 2, and from
// frame 4 a second one 50 pixels behind it, entering the band at frame 6;
// frame 7 shows only the second.
class CorsaRobustaTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const RgbImage sfondo = kalvor::scene::sfondoStrada(160, 120, 9);
        for (int n = 0; n <= 12; ++n) {
            std::vector<kalvor::scene::Scatola> s;
            if (n >= 2 && n != 7)
                s.push_back({6 * n, 66, 30, 10});
            if (n >= 4)
                s.push_back({6 * n - 50, 66, 30, 10});
            writePng(frameFileName(dir.path(), n), kalvor::scene::fotogrammaStrada(sfondo, s, 0, 1));
        }
        stato.Estrattore.Cartella = dir.path();
        stato.AreaCaptazione.PuntiRiferimento = TextList {"60", "5", "60", "150", "45", "0", "75", "0"};
        stato.GrigliaMetrica = kalvor::scene::grigliaUniforme(160, 120, 0.2);
        for (int n = 0; n <= 12; ++n)
            stato.TabellaTempiFotogrammi.push_back({static_cast<double>(n), 0.2 * n});
        stato.Calibrazione.ImmagineFinale = "12";
        stato.Calibrazione.VeicoloIniziale = "4";
        computeBackground(stato.C, stato.Calibrazione, stato.AreaCaptazione.PuntiRiferimento, dir.path(),
                          BackgroundFor::Calibrazione);
        const RgbImage vuoto = readPng(frameFileName(dir.path(), 0));
        std::copy(vuoto.pixels.begin(), vuoto.pixels.end(), stato.C.MediaSfondo.data.begin());
        ++stato.C.GenerazioneSfondo;
    }

    // The numbers VeicoliTOT gives the front vehicle and the one behind.
    std::pair<std::set<std::string>, std::set<std::string>> numeriDeiDue() const
    {
        std::pair<std::set<std::string>, std::set<std::string>> n;
        const TextList &tot = stato.Calibrazione.VeicoliTOT;
        for (const int i : findRecords(tot)) {
            const int f = toInt(recordField(tot, i, OffFotogramma));
            const int centro
                = centreByteColumn(toInt(recordField(tot, i, OffInizio)), toInt(recordField(tot, i, OffFine))) / 3;
            const bool davanti = f != 7 && centro > 6 * f;
            (davanti ? n.first : n.second).insert(recordField(tot, i, OffNumero));
        }
        return n;
    }

    kalvor::testing::ScopedNumberFormat comma {NumberFormat::comma()};
    kalvor::testing::TempDir dir;
    StatoLavoro stato {NumberFormat::comma()};
    RunControl controllo;
    DetectionWorkspace spazio;
};

} // namespace

TEST_F(CorsaRobustaTest, IlVeicoloMancatoTieneIlNumero)
{
    using Numeri = std::set<std::string>;
    // Today's numbering: in frame 7 the vehicle behind, entering, takes the
    // number of the one ahead (4), then a new one as its length grows by
    // 1.2 m; the one ahead gets 4 back from it in frame 8.
    ElaborazioneImmagini(stato, controllo, spazio);
    EXPECT_EQ(numeriDeiDue(), std::make_pair(Numeri {"4"}, Numeri {"4", "5", "6"}));
    EXPECT_EQ(stato.C.NumeroVeicolo, 7);

    // The robust profile, read from the screen's field at the start of the
    // run; a second run starts from an empty memory and gives the same.
    stato.Calibrazione.Profilo = ProfiloRilevamento::Robusto;
    for (int corsa = 0; corsa < 2; ++corsa) {
        ElaborazioneImmagini(stato, controllo, spazio);
        EXPECT_EQ(stato.C.Profilo, ProfiloRilevamento::Robusto);
        EXPECT_EQ(numeriDeiDue(), std::make_pair(Numeri {"4"}, Numeri {"5"}));
        EXPECT_EQ(stato.C.NumeroVeicolo, 6);
    }
}
