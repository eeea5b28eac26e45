// SPDX-License-Identifier: GPL-3.0-or-later
// Small made-up frames that show each fault the robust profile mends, run
// under both profiles: the default keeps giving exactly what it gives today,
// the robust one gives what a person sees. Every robust run goes through the
// plain and the fast version, which must agree.
#include "detection/rilevamento.hpp"
#include "detection/rilevamento_robusto.hpp"
#include "detection/rilevamento_robusto_riferimento.hpp"
#include "detection/sfondo.hpp"
#include "detection/sfondo_robusto.hpp"
#include "extraction/frame_file.hpp"
#include "extraction/png_io.hpp"
#include "support/scoped_number_format.hpp"
#include "support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

using namespace kalvor;

namespace {

using Righe = std::vector<std::string>;
using Colore = std::array<std::uint8_t, 3>;

struct Rett
{
    int x0, y0, x1, y1; // inclusive pixel bounds
    Colore colore {180, 180, 180};
};

// A flat grey road of 100, X = 0.25 x column, Y = 0.25 x row, horizontal axis
// at row 100 from pixel column 10 to 200, band 40 (rows 80..120).
class Banco
{
public:
    Banco()
    {
        det.AltezzaImmagine = kAltezza;
        det.LarghezzaRiga = 3 * kLarghezza;
        det.MediaSfondo.resize(kAltezza, 3 * kLarghezza);
        for (auto &v : det.MediaSfondo.data)
            v = 100;
        det.MatriceDifferenza.resize(kAltezza, 3 * kLarghezza);
        det.GenerazioneSfondo = 1;
        det.RigaArea1 = 100;
        det.ColonnaArea1 = 30;
        det.RigaArea2 = 100;
        det.ColonnaArea2 = 600;
        det.DislivelloArea = 40;
        det.SogliaConteggio = 1;
        det.LunghezzaMin = 2;
        det.AreaVeicolo = 4;
        griglia.resize(kAltezza, kLarghezza);
        for (int r = 0; r < kAltezza; ++r)
            for (int x = 0; x < kLarghezza; ++x) {
                griglia.at(r, x, 0) = 0.25 * x;
                griglia.at(r, x, 1) = 0.25 * r;
            }
    }

    static RgbImage fotogramma(const std::vector<Rett> &rett, std::uint8_t strada = 100)
    {
        RgbImage img(kLarghezza, kAltezza);
        std::fill(img.pixels.begin(), img.pixels.end(), strada);
        for (const Rett &r : rett)
            for (int y = r.y0; y <= r.y1; ++y)
                for (int x = r.x0; x <= r.x1; ++x)
                    for (int c = 0; c < 3; ++c)
                        img.row(y)[3 * x + c] = r.colore[static_cast<std::size_t>(c)];
        return img;
    }

    Righe predefinito(const RgbImage &frame)
    {
        TextList att;
        IndividuaVeicoli(det, griglia, frame, 12, -12, 5, 1.5, att, spazioPredefinito, MaskWanted::RecordsOnly);
        return att.lines();
    }

    Righe robusto(const RgbImage &frame)
    {
        StatoRilevamento d = det;
        TextList rif;
        riferimento::IndividuaVeicoliRobusto(d, griglia, frame, 12, -12, 5, 1.5, rif);
        TextList veloce;
        IndividuaVeicoliRobusto(det, griglia, frame, 12, -12, 5, 1.5, veloce, spazioRobusto, MaskWanted::RecordsOnly);
        EXPECT_EQ(veloce.lines(), rif.lines());
        return rif.lines();
    }

    static constexpr int kLarghezza = 240;
    static constexpr int kAltezza = 160;
    StatoRilevamento det;
    MetricGrid griglia;
    DetectionWorkspace spazioPredefinito;
    DetectionWorkspace spazioRobusto;
};

Righe record(const std::string &arco, int inizio, int fine, const std::string &lung, const std::string &area)
{
    return {"veicolo", "numero", arco, std::to_string(inizio), std::to_string(fine), lung, area, "5", "1,5"};
}

Righe unisci(Righe a, const Righe &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class ProfiliTest : public ::testing::Test
{
protected:
    kalvor::testing::ScopedNumberFormat comma {NumberFormat::comma()};
    Banco b;
};

} // namespace

TEST_F(ProfiliTest, VeicoloInUnaSolaMetaDellaBanda)
{
    struct Caso
    {
        const char *nome;
        Rett veicolo;
        Righe predefinito;
        Righe robusto;
    };
    // The default's mask: columns 58..94 (its dilation reaches right, its
    // erosions eat the left), rows across the axis.
    const Righe entrambe = unisci(record("sup", 174, 285, "9", "45"), record("inf", 174, 285, "9", "45"));
    const Caso casi[] = {
        // Seen from the side: its body rises above the axis, its wheels stand
        // below it. The default records it in both halves.
        {"in piedi sotto l'asse", {50, 70, 90, 108}, entrambe, record("inf", 150, 273, "10", "50")},
        // Wholly above the axis, or wholly below: the default's dilation
        // carries it across.
        {"sopra l'asse", {50, 84, 90, 97}, entrambe, record("sup", 150, 273, "10", "50")},
        {"sotto l'asse", {50, 103, 90, 115}, entrambe, record("inf", 150, 273, "10", "50")},
        // Reaching two rows past the axis (a blur, a shadow): still above it.
        {"sfiora l'asse", {50, 84, 90, 102}, entrambe, record("sup", 150, 273, "10", "50")},
    };
    for (const Caso &c : casi) {
        EXPECT_EQ(b.predefinito(Banco::fotogramma({c.veicolo})), c.predefinito) << c.nome;
        EXPECT_EQ(b.robusto(Banco::fotogramma({c.veicolo})), c.robusto) << c.nome;
    }
}

TEST_F(ProfiliTest, AffiancatiRestanoDue)
{
    // Two vehicles side by side, seven rows apart across the axis: the
    // default merges them into one run per half; the robust profile gives two
    // records, one per half, each with its own extent.
    const RgbImage f = Banco::fotogramma({{50, 84, 90, 96}, {70, 104, 120, 116}});
    EXPECT_EQ(b.predefinito(f),
              unisci(record("sup", 174, 375, "16,5", "82,5"), record("inf", 174, 375, "16,5", "82,5")));
    EXPECT_EQ(b.robusto(f), unisci(record("sup", 150, 273, "10", "50"), record("inf", 210, 363, "12,5", "62,5")));
}

TEST_F(ProfiliTest, CambioDiLuce)
{
    // The whole picture 20 levels brighter with one vehicle on it: the default
    // sees the whole band as one run still open at the right end, and records
    // nothing, not even the vehicle; the robust one shifts its margins.
    const RgbImage chiara = Banco::fotogramma({{120, 104, 160, 116, {230, 60, 60}}}, 120);
    EXPECT_EQ(b.predefinito(chiara), Righe {});
    EXPECT_EQ(b.robusto(chiara), record("inf", 360, 483, "10", "50"));
}

TEST_F(ProfiliTest, BordoDiOmbra)
{
    // The shadow of a building (the road at 70 of 100, same colour) across
    // the band, and a black car inside it: the default records the shadow in
    // both halves, the robust one only the car.
    const RgbImage f = Banco::fotogramma({{100, 60, 180, 159, {70, 70, 70}}, {120, 103, 160, 115, {20, 20, 25}}});
    EXPECT_EQ(b.predefinito(f), unisci(record("sup", 324, 555, "19", "95"), record("inf", 324, 555, "19", "95")));
    EXPECT_EQ(b.robusto(f), record("inf", 360, 483, "10", "50"));
}

TEST_F(ProfiliTest, EstremiDellaBandaTrattatiAlloStessoModo)
{
    // One vehicle reaching past the band's left end (pixel column 10), one
    // past its right end (200): the default cuts the first and loses the
    // second; the robust one records both, cut at the ends.
    const RgbImage f = Banco::fotogramma({{0, 103, 40, 115}, {170, 84, 239, 97}});
    EXPECT_EQ(b.predefinito(f), unisci(record("sup", 30, 135, "8,5", "42,5"), record("inf", 30, 135, "8,5", "42,5")));
    EXPECT_EQ(b.robusto(f), unisci(record("inf", 30, 123, "7,5", "37,5"), record("sup", 510, 601, "7,5", "37,5")));
}

TEST_F(ProfiliTest, VeicoloFermoPoiRipartito)
{
    // 21 frames as PNG files: a vehicle stands on the band for the first 8,
    // then leaves. Each profile computes its background from the files and
    // looks at the empty road of the last frame: the mean keeps the ghost.
    kalvor::testing::TempDir dir;
    const RgbImage fermo = Banco::fotogramma({{60, 103, 110, 115}});
    const RgbImage vuota = Banco::fotogramma({});
    for (int n = 0; n <= 20; ++n)
        writePng(frameFileName(dir.path(), n), n < 8 ? fermo : vuota);
    const TextList punti {"100", "10", "100", "200", "80", "0", "120", "0"};
    CampiRilevamento campi;
    campi.ImmagineFinale = "20";
    for (const ProfiloRilevamento profilo : {ProfiloRilevamento::Predefinito, ProfiloRilevamento::Robusto}) {
        campi.Profilo = profilo;
        computeBackground(b.det, campi, punti, dir.path(), BackgroundFor::Calibrazione);
        ASSERT_EQ(b.det.DislivelloArea, 40);
        ASSERT_EQ(b.det.ColonnaArea2, 600);
        if (profilo == ProfiloRilevamento::Predefinito)
            EXPECT_EQ(b.predefinito(vuota),
                      unisci(record("sup", 204, 345, "11,5", "57,5"), record("inf", 204, 345, "11,5", "57,5")));
        else
            EXPECT_EQ(b.robusto(vuota), Righe {});
    }
}
