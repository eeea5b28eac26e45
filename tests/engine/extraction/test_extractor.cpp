// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/errors.hpp"
#include "extraction/caption.hpp"
#include "extraction/extractor.hpp"
#include "extraction/png_io.hpp"
#include "support/scoped_number_format.hpp"
#include "support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <filesystem>

using namespace kalvor;
using namespace kalvor::testing;

TEST(Extractor, FittedFrameSize)
{
    struct Case
    {
        int w, h, fw, fh;
    };
    const Case cases[] = {
        {640, 480, 640, 480}, {320, 240, 320, 240},   {1920, 1080, 640, 360}, {1280, 720, 640, 360},
        {720, 576, 600, 480}, {1440, 1080, 640, 480}, {800, 480, 640, 384},   {640, 481, 639, 480},
        {100, 2000, 24, 480}, {641, 100, 640, 100},   {640, 200, 640, 200},   {3840, 2160, 640, 360},
    };
    for (const auto &c : cases)
        EXPECT_EQ(fittedFrameSize(c.w, c.h), (FrameSize {c.fw, c.fh})) << c.w << "x" << c.h;
}

TEST(Extractor, FolderFromDialogName)
{
    EXPECT_EQ(folderFromDialogName("/home/rilievi/via Roma/seleziona cartella"), "/home/rilievi/via Roma/");
    EXPECT_EQ(folderFromDialogName("seleziona cartella"), "");
    EXPECT_EQ(folderFromDialogName("/frames/"), "/frames/");
    EXPECT_EQ(folderFromDialogName(""), "");
}

TEST(Extractor, IntervalIsTruncatedMilliseconds)
{
    ScopedNumberFormat comma(NumberFormat::comma());
    struct Case
    {
        const char *step;
        int ms;
    };
    const Case cases[] = {{"0,2", 200},  {"0,04", 40},  {"0,0333", 33}, {"1", 1000},
                          {"0,001", 1},  {"0,0019", 1}, {"2,5", 2500},  {"0,00095", 1}, // ties to even: 0,001
                          {" 0,3", 300}, {"1e-3", 1}};
    for (const auto &c : cases)
        EXPECT_EQ(extractionIntervalMs(c.step), c.ms) << c.step;
    // 0 ms would be a timer that never grabs: refused.
    for (const char *bad : {"0", "0,0009", "0,00005", "-0,2", "-1"})
        EXPECT_THROW(extractionIntervalMs(bad), RefusalError) << bad;
    for (const char *bad : {"", "abc", "0.2", "0,2s"})
        EXPECT_THROW(extractionIntervalMs(bad), ConversionError) << bad;
}

TEST(Extractor, StartChecksBothFieldsBeforeChangingAnything)
{
    ScopedNumberFormat comma(NumberFormat::comma());
    StatoLavoro s;
    s.NumeroFotogrammaEstratto = 42;
    s.Estrattore.ImmagineIniziale = "7";
    s.Estrattore.step = "0";
    EXPECT_THROW(startExtraction(s), RefusalError);
    EXPECT_EQ(s.NumeroFotogrammaEstratto, 42);
    s.Estrattore.ImmagineIniziale = "sette";
    s.Estrattore.step = "0,2";
    EXPECT_THROW(startExtraction(s), ConversionError);
    EXPECT_EQ(s.NumeroFotogrammaEstratto, 42);
    s.Estrattore.ImmagineIniziale = "7";
    EXPECT_EQ(startExtraction(s), 200);
    EXPECT_EQ(s.NumeroFotogrammaEstratto, 7);
}

namespace {

RgbImage flat(int w, int h, std::uint8_t v)
{
    RgbImage img(w, h);
    std::fill(img.pixels.begin(), img.pixels.end(), v);
    return img;
}

} // namespace

TEST(Extractor, GrabWritesCaptionedFrameAndAppendsLists)
{
    ScopedNumberFormat comma(NumberFormat::comma());
    TempDir dir;
    StatoLavoro s;
    s.Estrattore.Cartella = dir.path();
    s.Estrattore.ImmagineIniziale = "12";
    s.Estrattore.step = "0,2";
    startExtraction(s);
    grabFrame(s, flat(640, 480, 100), 3.4);
    grabFrame(s, flat(640, 480, 100), 12.345678);
    EXPECT_EQ(s.Estrattore.ListaFotogrammi, (TextList {"12", "13"}));
    EXPECT_EQ(s.Estrattore.ListaTempi, (TextList {"3,4", "12,3457"}));
    EXPECT_EQ(s.NumeroFotogrammaEstratto, 14);

    RgbImage expected = flat(640, 480, 100);
    drawCaption(expected, "Fotog. : 12 sec. : 00:03");
    EXPECT_TRUE(readPng(dir.file("12.png")) == expected);
    EXPECT_TRUE(std::filesystem::exists(dir.file("13.png")));

    // A second extraction from the same number rewrites the files and lists the numbers twice.
    startExtraction(s);
    grabFrame(s, flat(640, 480, 50), 0.0);
    EXPECT_EQ(s.Estrattore.ListaFotogrammi, (TextList {"12", "13", "12"}));
    RgbImage again = flat(640, 480, 50);
    drawCaption(again, "Fotog. : 12 sec. : 00:00");
    EXPECT_TRUE(readPng(dir.file("12.png")) == again);
}

TEST(Extractor, GrabIntoUnwritableFolderChangesNothing)
{
    TempDir dir;
    StatoLavoro s;
    s.Estrattore.Cartella = dir.file("missing/");
    s.NumeroFotogrammaEstratto = 3;
    try {
        grabFrame(s, flat(64, 48, 10), 1.0);
        FAIL() << "no error";
    } catch (const FileError &e) {
        EXPECT_NE(std::string(e.what()).find("3.png"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(s.Estrattore.ListaFotogrammi.empty());
    EXPECT_TRUE(s.Estrattore.ListaTempi.empty());
    EXPECT_EQ(s.NumeroFotogrammaEstratto, 3);
}

TEST(Extractor, ConfirmBuildsTheTimeTable)
{
    ScopedNumberFormat comma(NumberFormat::comma());
    StatoLavoro s;
    s.Estrattore.ListaFotogrammi = {"5", "6", "7", "5"};
    s.Estrattore.ListaTempi = {"0", "0,2", "12,3457", "0,00005"};
    s.TabellaTempiFotogrammi = {{9, 9}};
    confirmExtraction(s);
    EXPECT_EQ(s.NumeroFotogrammiEstratti, 4);
    ASSERT_EQ(s.TabellaTempiFotogrammi.size(), 4u);
    EXPECT_EQ(s.TabellaTempiFotogrammi[0], (RigaTempi {5, 0}));
    EXPECT_EQ(s.TabellaTempiFotogrammi[1], (RigaTempi {6, 0.2}));
    EXPECT_EQ(s.TabellaTempiFotogrammi[2], (RigaTempi {7, 12.3457}));
    EXPECT_EQ(s.TabellaTempiFotogrammi[3], (RigaTempi {5, 0.0})); // four decimals, ties to even

    StatoLavoro empty;
    confirmExtraction(empty);
    EXPECT_EQ(empty.NumeroFotogrammiEstratti, 0);
    EXPECT_TRUE(empty.TabellaTempiFotogrammi.empty());
}

TEST(Extractor, ConfirmStopsAtAMissingTimeWithAPartlyFilledTable)
{
    ScopedNumberFormat comma(NumberFormat::comma());
    StatoLavoro s;
    s.Estrattore.ListaFotogrammi = {"1", "2", "3", "4"};
    s.Estrattore.ListaTempi = {"0,1", "0,2"};
    EXPECT_THROW(confirmExtraction(s), ConversionError);
    EXPECT_EQ(s.NumeroFotogrammiEstratti, 4);
    ASSERT_EQ(s.TabellaTempiFotogrammi.size(), 4u);
    EXPECT_EQ(s.TabellaTempiFotogrammi[1], (RigaTempi {2, 0.2}));
    EXPECT_EQ(s.TabellaTempiFotogrammi[2], (RigaTempi {3, 0})); // its number was read before the time failed
    EXPECT_EQ(s.TabellaTempiFotogrammi[3], (RigaTempi {0, 0}));

    s.Estrattore.ListaFotogrammi = {"1", "x"};
    s.Estrattore.ListaTempi = {"0,1", "0,2"};
    EXPECT_THROW(confirmExtraction(s), ConversionError);
    EXPECT_EQ(s.TabellaTempiFotogrammi[0], (RigaTempi {1, 0.1}));
}

TEST(Caption, TextAndDrawing)
{
    EXPECT_EQ(captionText(12, 3.0), "Fotog. : 12 sec. : 00:03");
    EXPECT_EQ(captionText(0, 754.9), "Fotog. : 0 sec. : 12:34");

    const std::string text = "Fotog. : 12 sec. : 00:03";
    RgbImage img = flat(640, 480, 100);
    drawCaption(img, text);
    // Scale 2: a box of (24 x 6 + 1) x 2 by (7 + 2) x 2 pixels.
    const int boxW = (static_cast<int>(text.size()) * 6 + 1) * 2;
    const int boxH = 18;
    int white = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const std::uint8_t *p = img.row(y) + 3 * x;
            if (x < boxW && y < boxH) {
                const bool isWhite = p[0] == 255 && p[1] == 255 && p[2] == 255;
                const bool isBlue = p[0] == 0 && p[1] == 0 && p[2] == 255;
                ASSERT_TRUE(isWhite || isBlue) << x << "," << y;
                white += isWhite ? 1 : 0;
            } else {
                ASSERT_TRUE(p[0] == 100 && p[1] == 100 && p[2] == 100) << x << "," << y;
            }
        }
    EXPECT_GT(white, 0);
    // The 'F' at the start: its top bar is five dots (ten pixels) from x = 2, two rows from y = 2,
    // then one blank column of dots; its stem goes down to the seventh row (y = 14, 15).
    const auto isWhite = [&](int x, int y) { return img.row(y)[3 * x] == 255; };
    for (int x = 2; x < 12; ++x)
        EXPECT_TRUE(isWhite(x, 2) && isWhite(x, 3)) << x;
    EXPECT_FALSE(isWhite(12, 2));
    EXPECT_FALSE(isWhite(1, 2));
    EXPECT_FALSE(isWhite(2, 1));
    for (int y = 2; y < 16; ++y)
        EXPECT_TRUE(isWhite(2, y)) << y;
    EXPECT_FALSE(isWhite(2, 16));
    EXPECT_FALSE(isWhite(4, 4)); // inside the F, right of the stem
    EXPECT_TRUE(isWhite(4, 8)); // its middle bar, fourth row of the glyph

    // Small pictures get one-pixel dots; a caption wider than the picture is clipped.
    RgbImage small = flat(40, 6, 0);
    drawCaption(small, text);
    EXPECT_EQ(small.row(0)[0], 0);
    EXPECT_EQ(small.row(0)[2], 255);
    EXPECT_EQ(small.row(5)[3 * 39 + 2], 255);
}

TEST(Extractor, TheLastFrameNumberIsRefusedNotWrappedAround)
{
    // The number after 2147483647 would have been -2147483648.
    TempDir dir;
    StatoLavoro s;
    s.Estrattore.Cartella = dir.path();
    s.NumeroFotogrammaEstratto = 2147483646;
    grabFrame(s, flat(64, 48, 10), 1.0);
    EXPECT_EQ(s.NumeroFotogrammaEstratto, 2147483647);
    EXPECT_THROW(grabFrame(s, flat(64, 48, 10), 1.2), RefusalError);
    EXPECT_EQ(s.NumeroFotogrammaEstratto, 2147483647);
    EXPECT_EQ(s.Estrattore.ListaFotogrammi, (TextList {"2147483646"}));
}
