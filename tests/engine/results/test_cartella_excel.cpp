// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/errors.hpp"
#include "common/files.hpp"
#include "results/cartella_excel.hpp"
#include "state/stato_lavoro.hpp"
#include "support/scoped_number_format.hpp"
#include "support/temp_dir.hpp"

#include <gtest/gtest.h>
#include <zip.h>

#include <cstdio>
#include <memory>

using namespace kalvor;

namespace {

RigaIstanti riga(double veicolo, double x, double y, double corsia, double lungh, double tempo, double velocita,
                 double spazio, double fotogr)
{
    RigaIstanti r;
    r.veicolo = veicolo;
    r.barX = x;
    r.barY = y;
    r.corsia = corsia;
    r.lungh = lungh;
    r.tempo = tempo;
    r.velocita = velocita;
    r.spazio = spazio;
    r.fotogr = fotogr;
    r.Arco = 1;
    return r;
}

// Five sightings of two vehicles, two of them first sightings (speed 0); one
// row with arc code 0.
std::vector<RigaIstanti> cinqueRighe()
{
    return {
        riga(1, 100, 3.5, 1, 4.2, 0.4, 0, 0, 10),
        riga(1, 98, 3.5, 1, 4.2, 0.44, 180, 2, 11),
        riga(1, 96.123456, 3.5, 2, 4.2, 0.48, 172.5, 1.87654, 12),
        riga(2, 20, -3, 2, 5, 0.44, 0, 0, 11),
        riga(2, 21.5, -3, 0, 5, 0.48, 135, 1.5, 12),
    };
}

const char *const kTesta = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\r\n"
                           "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                           "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">\r\n";
const char *const kViste = "<sheetViews>\r\n"
                           "<sheetView tabSelected=\"1\" workbookViewId=\"0\">\r\n"
                           "<selection activeCell=\"A2\" sqref=\"A2\" />\r\n"
                           "</sheetView>\r\n"
                           "</sheetViews>\r\n"
                           "<sheetFormatPr defaultRowHeight=\"15\" />\r\n"
                           "<sheetData>\r\n"
                           "<row r=\"1\" spans=\"1:9\" s=\"1\" customFormat=\"1\">\r\n"
                           "<c r=\"A1\" s=\"1\" t=\"s\"><v>0</v></c>\r\n"
                           "<c r=\"B1\" s=\"1\" t=\"s\"><v>1</v></c>\r\n"
                           "<c r=\"C1\" s=\"1\" t=\"s\"><v>2</v></c>\r\n"
                           "<c r=\"D1\" s=\"1\" t=\"s\"><v>3</v></c>\r\n"
                           "<c r=\"E1\" s=\"1\" t=\"s\"><v>4</v></c>\r\n"
                           "<c r=\"F1\" s=\"1\" t=\"s\"><v>5</v></c>\r\n"
                           "<c r=\"G1\" s=\"1\" t=\"s\"><v>6</v></c>\r\n"
                           "<c r=\"H1\" s=\"1\" t=\"s\"><v>7</v></c>\r\n"
                           "<c r=\"I1\" s=\"1\" t=\"s\"><v>8</v></c>\r\n"
                           "</row>\r\n";
const char *const kCoda = "</sheetData>\r\n"
                          "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" "
                          "footer=\"0.3\" />\r\n"
                          "</worksheet>\r\n";

std::string credito(int r)
{
    const std::string n = std::to_string(r);
    return "<row r=\"" + n + "\" spans=\"1:14\">\r\n<c r=\"E" + n
        + "\" s=\"2\" t=\"inlineStr\"><is><t>Kalvor - Realizzato da Gruppo Kalvor di ingegneria del "
          "traffico</t></is></c>\r\n</row>\r\n";
}

// The parts of a ZIP archive held in memory, by name.
std::vector<std::pair<std::string, std::string>> partiArchivio(const std::string &byte)
{
    zip_error_t errore;
    zip_error_init(&errore);
    zip_source_t *sorgente = zip_source_buffer_create(byte.data(), byte.size(), 0, &errore);
    zip_t *archivio = zip_open_from_source(sorgente, ZIP_RDONLY | ZIP_CHECKCONS, &errore);
    zip_error_fini(&errore);
    if (archivio == nullptr) {
        zip_source_free(sorgente);
        ADD_FAILURE() << "not a ZIP archive";
        return {};
    }
    std::vector<std::pair<std::string, std::string>> parti;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archivio, 0); ++i) {
        zip_stat_t info;
        zip_stat_index(archivio, static_cast<zip_uint64_t>(i), 0, &info);
        std::string contenuto(static_cast<std::size_t>(info.size), '\0');
        zip_file_t *f = zip_fopen_index(archivio, static_cast<zip_uint64_t>(i), 0);
        zip_fread(f, contenuto.data(), info.size);
        zip_fclose(f);
        parti.emplace_back(info.name, contenuto);
    }
    zip_discard(archivio);
    return parti;
}

// What openpyxl reads back, through Debian's python.
std::string lettoDaOpenpyxl(const std::string &percorso)
{
    const std::string comando
        = "/usr/bin/python3 " KALVOR_SOURCE_DIR "/tests/engine/results/leggi_cartella.py '" + percorso + "' 2>&1";
    std::unique_ptr<FILE, decltype(&pclose)> tubo(popen(comando.c_str(), "r"), pclose);
    if (!tubo)
        return "popen failed";
    std::string uscita;
    char pezzo[4096];
    std::size_t n;
    while ((n = std::fread(pezzo, 1, sizeof pezzo, tubo.get())) > 0)
        uscita.append(pezzo, n);
    return uscita;
}

const char *const kIntestazioniLette = "fogli ['Foglio1']\n"
                                       "A1 str 'veicolo' grassetto\n"
                                       "B1 str 'bar. X' grassetto\n"
                                       "C1 str 'bar. Y' grassetto\n"
                                       "D1 str 'corsia' grassetto\n"
                                       "E1 str 'lungh' grassetto\n"
                                       "F1 str 'tempo' grassetto\n"
                                       "G1 str 'velocità' grassetto\n"
                                       "H1 str 'spazio' grassetto\n"
                                       "I1 str 'fotogr' grassetto\n";

} // namespace

TEST(CartellaExcel, FiveRowsWithTwoFirstSightings)
{
    // The user's separator is a comma; inside the workbook numbers take a dot.
    kalvor::testing::ScopedNumberFormat comma(NumberFormat::comma());
    const std::string atteso = std::string(kTesta) + "<dimension ref=\"A1:I9\" />\r\n" + kViste
        + "<row r=\"3\" spans=\"1:14\">\r\n"
          "<c r=\"A3\" s=\"2\"><v>1</v></c>\r\n"
          "<c r=\"B3\" s=\"2\"><v>98</v></c>\r\n"
          "<c r=\"C3\" s=\"2\"><v>3.5</v></c>\r\n"
          "<c r=\"D3\" s=\"2\" t=\"inlineStr\"><is><t>sup</t></is></c>\r\n"
          "<c r=\"E3\" s=\"2\"><v>4.2</v></c>\r\n"
          "<c r=\"F3\" s=\"2\"><v>0.44</v></c>\r\n"
          "<c r=\"G3\" s=\"2\"><v>180</v></c>\r\n"
          "<c r=\"H3\" s=\"2\"><v>2</v></c>\r\n"
          "<c r=\"I3\" s=\"2\"><v>11</v></c>\r\n"
          "</row>\r\n"
          "<row r=\"4\" spans=\"1:14\">\r\n"
          "<c r=\"A4\" s=\"2\"><v>1</v></c>\r\n"
          "<c r=\"B4\" s=\"2\"><v>96.1235</v></c>\r\n"
          "<c r=\"C4\" s=\"2\"><v>3.5</v></c>\r\n"
          "<c r=\"D4\" s=\"2\" t=\"inlineStr\"><is><t>inf</t></is></c>\r\n"
          "<c r=\"E4\" s=\"2\"><v>4.2</v></c>\r\n"
          "<c r=\"F4\" s=\"2\"><v>0.48</v></c>\r\n"
          "<c r=\"G4\" s=\"2\"><v>172.5</v></c>\r\n"
          "<c r=\"H4\" s=\"2\"><v>1.8765</v></c>\r\n"
          "<c r=\"I4\" s=\"2\"><v>12</v></c>\r\n"
          "</row>\r\n"
          "<row r=\"5\" spans=\"1:14\">\r\n"
          "<c r=\"A5\" s=\"2\"><v>2</v></c>\r\n"
          "<c r=\"B5\" s=\"2\"><v>21.5</v></c>\r\n"
          "<c r=\"C5\" s=\"2\"><v>-3</v></c>\r\n"
          "<c r=\"E5\" s=\"2\"><v>5</v></c>\r\n"
          "<c r=\"F5\" s=\"2\"><v>0.48</v></c>\r\n"
          "<c r=\"G5\" s=\"2\"><v>135</v></c>\r\n"
          "<c r=\"H5\" s=\"2\"><v>1.5</v></c>\r\n"
          "<c r=\"I5\" s=\"2\"><v>12</v></c>\r\n"
          "</row>\r\n"
        + credito(7) + kCoda;
    EXPECT_EQ(foglioExcel(cinqueRighe()), atteso);

    kalvor::testing::TempDir dir;
    const std::string percorso = dir.file("Dati Excel.xlsx"); // a blank in the name
    scriviCartellaExcel(cinqueRighe(), percorso);
    const auto parti = partiArchivio(readFileBytes(percorso));
    std::vector<std::string> nomi;
    for (const auto &[nome, contenuto] : parti) {
        nomi.push_back(nome);
        if (nome == "xl/worksheets/sheet1.xml") {
            EXPECT_EQ(contenuto, atteso);
        }
    }
    EXPECT_EQ(nomi,
              (std::vector<std::string> {"[Content_Types].xml", "_rels/.rels", "xl/workbook.xml",
                                         "xl/_rels/workbook.xml.rels", "xl/styles.xml", "xl/sharedStrings.xml",
                                         "xl/worksheets/sheet1.xml"}));

    EXPECT_EQ(lettoDaOpenpyxl(percorso),
              std::string(kIntestazioniLette)
                  + "A3 int 1 normale\nB3 int 98 normale\nC3 float 3.5 normale\nD3 str 'sup' normale\n"
                    "E3 float 4.2 normale\nF3 float 0.44 normale\nG3 int 180 normale\nH3 int 2 normale\n"
                    "I3 int 11 normale\n"
                    "A4 int 1 normale\nB4 float 96.1235 normale\nC4 float 3.5 normale\nD4 str 'inf' normale\n"
                    "E4 float 4.2 normale\nF4 float 0.48 normale\nG4 float 172.5 normale\nH4 float 1.8765 normale\n"
                    "I4 int 12 normale\n"
                    "A5 int 2 normale\nB5 float 21.5 normale\nC5 int -3 normale\n"
                    "E5 int 5 normale\nF5 float 0.48 normale\nG5 int 135 normale\nH5 float 1.5 normale\n"
                    "I5 int 12 normale\n"
                    "E7 str 'Kalvor - Realizzato da Gruppo Kalvor di ingegneria del traffico' normale\n");
}

TEST(CartellaExcel, NoRowWithASpeedGivesHeaderAndCreditAtRow4)
{
    struct Case
    {
        std::vector<RigaIstanti> righe;
        const char *dimensione;
    };
    const Case cases[] = {
        {{}, "<dimension ref=\"A1:I4\" />\r\n"},
        {{riga(1, 100, 3.5, 1, 4.2, 0.4, 0, 0, 10), riga(2, 20, -3, 2, 5, 0.44, 0, 0, 11)},
         "<dimension ref=\"A1:I6\" />\r\n"},
    };
    kalvor::testing::TempDir dir;
    for (const Case &c : cases) {
        EXPECT_EQ(foglioExcel(c.righe), std::string(kTesta) + c.dimensione + kViste + credito(4) + kCoda);
        const std::string percorso = dir.file("vuota.xlsx");
        scriviCartellaExcel(c.righe, percorso);
        EXPECT_EQ(lettoDaOpenpyxl(percorso),
                  std::string(kIntestazioniLette)
                      + "E4 str 'Kalvor - Realizzato da Gruppo Kalvor di ingegneria del traffico' normale\n");
    }
}

TEST(CartellaExcel, SharedStringsAreTheNineHeaders)
{
    EXPECT_EQ(stringheCondiviseExcel(),
              "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>"
              "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" count=\"9\" uniqueCount=\"9\">"
              "<si><t>veicolo</t></si><si><t>bar. X</t></si><si><t>bar. Y</t></si><si><t>corsia</t></si>"
              "<si><t>lungh</t></si><si><t>tempo</t></si><si><t>velocità</t></si><si><t>spazio</t></si>"
              "<si><t>fotogr</t></si></sst>");
}

TEST(CartellaExcel, WrittenWholeOrNotAtAll)
{
    kalvor::testing::TempDir dir;
    const std::string percorso = dir.file("DatiExcel.xlsx");
    writeFileAtomically(percorso, "earlier");
    // A value that has no number text stops the export before the file is touched.
    auto righe = cinqueRighe();
    righe[1].velocita = 1e300;
    EXPECT_THROW(scriviCartellaExcel(righe, percorso), ArithmeticError);
    EXPECT_EQ(readFileBytes(percorso), "earlier");
    // An existing file is replaced whole.
    scriviCartellaExcel(cinqueRighe(), percorso);
    EXPECT_EQ(readFileBytes(percorso).substr(0, 2), "PK");
    EXPECT_THROW(scriviCartellaExcel(cinqueRighe(), dir.file("missing/DatiExcel.xlsx")), FileError);
}

TEST(CartellaExcel, RefusedBeforeAnyConfirmation)
{
    kalvor::testing::TempDir dir;
    StatoLavoro stato;
    EXPECT_THROW(EsportaDati(stato, dir.file("DatiExcel.xlsx")), RefusalError);
    EXPECT_THROW(readFileBytes(dir.file("DatiExcel.xlsx")), FileError);
    stato.Risultati.IndicePosTXT = "5";
    stato.TabellaVeicoli = cinqueRighe();
    EsportaDati(stato, dir.file("DatiExcel.xlsx"));
    EXPECT_EQ(partiArchivio(readFileBytes(dir.file("DatiExcel.xlsx"))).size(), 7u);
}
