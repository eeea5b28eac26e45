// SPDX-License-Identifier: GPL-3.0-or-later
// Worked examples of the frame pipeline. Every case runs through the plain and
// the packed pipeline, which must agree, and checks the expected records.
#include "common/errors.hpp"
#include "detection/geometria_area.hpp"
#include "detection/rilevamento.hpp"
#include "detection/rilevamento_riferimento.hpp"
#include "detection/sovrapposizioni.hpp"
#include "state/record_veicolo.hpp"
#include "support/scoped_number_format.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kalvor;

namespace {

using Righe = std::vector<std::string>;

struct Rett
{
    int x0, y0, x1, y1; // inclusive pixel bounds, painted as foreground
};

// A flat grey background, X = passoX * column, Y = 0.25 * row (exact binary
// values), horizontal axis at row 100 from pixel column 10 to 200, band 40.
class Banco
{
public:
    Banco(int w = 240, int h = 160, double passoX = 0.25)
    {
        det.AltezzaImmagine = h;
        det.LarghezzaRiga = 3 * w;
        det.MediaSfondo.resize(h, 3 * w);
        for (auto &v : det.MediaSfondo.data)
            v = 100;
        det.MatriceDifferenza.resize(h, 3 * w);
        det.GenerazioneSfondo = 1;
        det.RigaArea1 = 100;
        det.ColonnaArea1 = 30;
        det.RigaArea2 = 100;
        det.ColonnaArea2 = 600;
        det.DislivelloArea = 40;
        det.SogliaConteggio = 1;
        det.LunghezzaMin = 2;
        det.AreaVeicolo = 4;
        griglia.resize(h, w);
        for (int r = 0; r < h; ++r)
            for (int x = 0; x < w; ++x) {
                griglia.at(r, x, 0) = passoX * x;
                griglia.at(r, x, 1) = 0.25 * r;
            }
    }

    RgbImage fotogramma(const std::vector<Rett> &rett) const
    {
        RgbImage img(det.LarghezzaRiga / 3, det.AltezzaImmagine);
        std::fill(img.pixels.begin(), img.pixels.end(), 100);
        for (const Rett &r : rett)
            for (int y = r.y0; y <= r.y1; ++y)
                for (int x = r.x0; x <= r.x1; ++x)
                    for (int c = 0; c < 3; ++c)
                        img.row(y)[3 * x + c] = 180;
        return img;
    }

    // Both pipelines; they must agree on mask and records.
    Righe rileva(const RgbImage &frame, int sup = 12, int inf = -12)
    {
        StatoRilevamento d = det;
        TextList rif;
        riferimento::IndividuaVeicoli(d, griglia, frame, sup, inf, 5, 1.5, rif);
        TextList veloce;
        IndividuaVeicoli(det, griglia, frame, sup, inf, 5, 1.5, veloce, spazio);
        MatriceInteri m;
        writeMaskMatrix(spazio, m);
        EXPECT_EQ(m.data, d.MatriceDifferenza.data);
        EXPECT_EQ(veloce.lines(), rif.lines());
        maschera = d.MatriceDifferenza;
        return rif.lines();
    }

    StatoRilevamento det;
    MetricGrid griglia;
    DetectionWorkspace spazio;
    MatriceInteri maschera;
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

class RilevamentoTest : public ::testing::Test
{
protected:
    kalvor::testing::ScopedNumberFormat comma {NumberFormat::comma()};
};

} // namespace

TEST_F(RilevamentoTest, DifferenzaUgualeAlMargineESfondo)
{
    // Per byte difference, margins 12 / -12: both ends included.
    struct Caso
    {
        int valore;
        bool primoPiano;
    };
    for (const Caso c : {Caso {112, false}, Caso {88, false}, Caso {113, true}, Caso {87, true}, Caso {100, false}}) {
        MatriceInteri m;
        m.resize(1, 3);
        MatriceInteri sfondo;
        sfondo.resize(1, 3);
        sfondo.data = {100, 100, 100};
        RgbImage f(1, 1);
        f.pixels = {100, static_cast<std::uint8_t>(c.valore), 100};
        riferimento::subtractBackground(f, sfondo, m);
        riferimento::ClassificaPixel(m, 12, -12, 1, 3);
        EXPECT_EQ(m.data, (std::vector<std::int32_t>(3, c.primoPiano ? 0 : 255))) << c.valore;
    }
}

TEST_F(RilevamentoTest, PixelIsolatoEQuadrato3x3)
{
    Banco b(40, 30);
    // An isolated pixel disappears in the first erosion.
    MatriceInteri m;
    riferimento::subtractBackground(b.fotogramma({{20, 15, 20, 15}}), b.det.MediaSfondo, m = b.det.MediaSfondo);
    riferimento::ClassificaPixel(m, 12, -12, 30, 120);
    riferimento::ErodiMaschera(m, 1, 30, 120);
    for (const auto v : m.data)
        ASSERT_EQ(v, 255);

    // A 3x3 square: erosion keeps its centre alone; three dilations make a
    // vertical bar of seven pixels three columns to its right.
    riferimento::subtractBackground(b.fotogramma({{10, 10, 12, 12}}), b.det.MediaSfondo, m);
    riferimento::ClassificaPixel(m, 12, -12, 30, 120);
    riferimento::ErodiMaschera(m, 1, 30, 120);
    for (int r = 0; r < 30; ++r)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(m.at(r, 3 * x), (r == 11 && x == 11) ? 0 : 255) << r << "," << x;
    riferimento::DilataMaschera(m, 3, 30, 120);
    for (int r = 0; r < 30; ++r)
        for (int x = 0; x < 40; ++x)
            for (int k = 0; k < 3; ++k)
                ASSERT_EQ(m.at(r, 3 * x + k), (x == 14 && r >= 8 && r <= 14) ? 0 : 255) << r << "," << x;
}

TEST_F(RilevamentoTest, BordoMaiScritto)
{
    Banco b(20, 12);
    // The whole frame foreground: interior stays foreground, and so does the border,
    // which only classification writes.
    RgbImage f = b.fotogramma({{0, 0, 19, 11}});
    b.rileva(f);
    for (int r = 0; r < 12; ++r)
        for (int x = 0; x < 20; ++x)
            EXPECT_EQ(b.maschera.at(r, 3 * x), 0);
    // A foreground border column next to background: dilation never spreads into row 0 or column 0.
    f = b.fotogramma({{0, 0, 0, 11}});
    b.rileva(f);
    for (int r = 0; r < 12; ++r)
        EXPECT_EQ(b.maschera.at(r, 0), 0) << r;
    for (int x = 1; x < 20; ++x)
        EXPECT_EQ(b.maschera.at(0, 3 * x), 255) << x;
}

TEST_F(RilevamentoTest, VeicoloDelArcoSuperioreMisurato)
{
    // Painted columns 50..79, rows 85..95; after the four operations the
    // foreground spans columns 58..83 and rows 81..99: the upper half band only.
    Banco b;
    const Righe atteso = record("sup", 174, 252, "6,25", "31,25");
    EXPECT_EQ(b.rileva(b.fotogramma({{50, 85, 79, 95}})), atteso);
    EXPECT_EQ(b.maschera.at(81, 3 * 58), 0);
    EXPECT_EQ(b.maschera.at(80, 3 * 58), 255);
    EXPECT_EQ(b.maschera.at(99, 3 * 83 + 2), 0);
    EXPECT_EQ(b.maschera.at(99, 3 * 84), 255);
    EXPECT_EQ(b.maschera.at(99, 3 * 57), 255);
}

TEST_F(RilevamentoTest, SoglieRaggiunteEsattamente)
{
    // Length 6.25 m and area 31.25 m2 exactly.
    struct Caso
    {
        double lunghezza;
        double area;
        bool registrato;
    };
    for (const Caso c : {Caso {6.25, 31.25, true}, Caso {6.2501, 31.25, false}, Caso {6.25, 31.2501, false}}) {
        Banco b;
        b.det.LunghezzaMin = c.lunghezza;
        b.det.AreaVeicolo = c.area;
        EXPECT_EQ(b.rileva(b.fotogramma({{50, 85, 79, 95}})).size(), c.registrato ? 9U : 0U)
            << c.lunghezza << " " << c.area;
    }
}

TEST_F(RilevamentoTest, CasiDellAsse)
{
    const Rett veicolo {50, 85, 79, 95};
    struct Caso
    {
        const char *nome;
        int colonna1, colonna2; // pixel columns of the axis ends
        std::size_t righe;
    };
    for (const Caso &c : {Caso {"left to right", 10, 200, 9}, Caso {"right to left scans nothing", 200, 10, 0},
                          Caso {"vehicle still on the last column", 10, 80, 0},
                          Caso {"last column is the first free one", 10, 84, 9}}) {
        Banco b;
        b.det.ColonnaArea1 = 3 * c.colonna1;
        b.det.ColonnaArea2 = 3 * c.colonna2;
        EXPECT_EQ(b.rileva(b.fotogramma({veicolo})).size(), c.righe) << c.nome;
    }
    Banco b;
    b.det.ColonnaArea2 = b.det.ColonnaArea1;
    EXPECT_THROW(b.rileva(b.fotogramma({veicolo})), ArithmeticError);
}

TEST_F(RilevamentoTest, LunghezzeNegative)
{
    // X decreasing to the right: lengths are negative and never reach a positive threshold.
    Banco b(240, 160, -0.25);
    EXPECT_TRUE(b.rileva(b.fotogramma({{50, 85, 79, 95}})).empty());
    b.det.LunghezzaMin = -100;
    b.det.AreaVeicolo = -1000;
    EXPECT_EQ(b.rileva(b.fotogramma({{50, 85, 79, 95}})), record("sup", 174, 252, "-6,25", "-31,25"));
}

TEST_F(RilevamentoTest, SemibandaDispariEMinima)
{
    // Foreground rows after the operations: y0-4 .. y1+4.
    struct Caso
    {
        const char *nome;
        int dislivello;
        int y0, y1;
        double area;
        Righe atteso;
    };
    const std::vector<Caso> casi = {
        // W = 5: h = 2, the upper segment is rows 98..100.
        {"odd band reaches row r0-2", 5, 90, 94, 0, record("sup", 174, 252, "6,25", "3,125")},
        {"odd band misses row r0-3", 5, 89, 93, 0, {}},
        // W = 1 and W = 0: the axis row alone, for both arcs.
        {"band 1 on the axis row", 1, 98, 100, 0,
         unisci(record("sup", 174, 252, "6,25", "0"), record("inf", 174, 252, "6,25", "0"))},
        {"band 0 above the axis row", 0, 90, 95, 0, {}},
        // One vehicle across the axis: a record in each arc, upper first.
        {"both arcs", 40, 95, 105, 4,
         unisci(record("sup", 174, 252, "6,25", "31,25"), record("inf", 174, 252, "6,25", "31,25"))},
    };
    for (const Caso &c : casi) {
        Banco b;
        b.det.DislivelloArea = c.dislivello;
        b.det.AreaVeicolo = c.area;
        EXPECT_EQ(b.rileva(b.fotogramma({{50, c.y0, 79, c.y1}})), c.atteso) << c.nome;
    }
}

TEST_F(RilevamentoTest, DueVeicoliInOrdineDiChiusura)
{
    // The lower vehicle ends first, so its record comes first.
    Banco b;
    const Righe r = b.rileva(b.fotogramma({{50, 85, 90, 95}, {30, 105, 69, 115}}));
    ASSERT_EQ(r.size(), 18U);
    EXPECT_EQ(r[2], "inf");
    EXPECT_EQ(r[11], "sup");
}

TEST_F(RilevamentoTest, AreaFuoriImmagineTagliata)
{
    // Band rows beyond the image and axis columns beyond the grid are not read.
    Banco b;
    b.det.RigaArea1 = 150;
    b.det.RigaArea2 = 150;
    b.det.ColonnaArea1 = -30;
    b.det.ColonnaArea2 = 3 * 500;
    b.det.DislivelloArea = 80;
    const Righe r = b.rileva(b.fotogramma({{50, 140, 79, 150}}));
    ASSERT_EQ(r.size(), 18U);
    EXPECT_EQ(r[2], "sup");
    EXPECT_EQ(r[11], "inf");
}

TEST_F(RilevamentoTest, FotogrammaDiAltraDimensioneRifiutato)
{
    Banco b;
    DetectionWorkspace s;
    TextList att;
    EXPECT_THROW(IndividuaVeicoli(b.det, b.griglia, RgbImage(10, 10), 12, -12, 1, 0, att, s), RefusalError);
}

TEST_F(RilevamentoTest, GeometriaEstremaSenzaTraboccamenti)
{
    Banco b;
    readAreaGeometry(
        TextList {"2000000000", "-2000000000", "-2000000000", "2000000000", "-2000000000", "0", "2000000000", "0"},
        b.det);
    EXPECT_EQ(b.det.RigaArea1, 1000000000);
    EXPECT_EQ(b.det.RigaArea2, -1000000000);
    EXPECT_EQ(b.det.ColonnaArea1, -2000000000);
    EXPECT_EQ(b.det.DislivelloArea, 1000000000);
    b.det.AreaVeicolo = -1e18;
    b.det.LunghezzaMin = -1e18;
    const Righe r = b.rileva(b.fotogramma({{50, 85, 79, 95}}));
    EXPECT_EQ(r.size() % 9, 0U);
    TextList att;
    appendRecord(att, makeRecord("1", "sup", 0, 3, 1, 1, 1, 0));
    EXPECT_EQ(vehicleOverlays(att, b.det, true).size(), 6U);
    EXPECT_EQ(axisOverlay(b.det).size(), 3U);
}
