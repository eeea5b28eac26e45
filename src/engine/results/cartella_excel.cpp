// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/cartella_excel.hpp"

#include "common/errors.hpp"
#include "common/files.hpp"
#include "common/numbers.hpp"
#include "state/stato_lavoro.hpp"

#include <zip.h>

#include <memory>

namespace kalvor {

namespace {

constexpr const char *spazioPrincipale = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr const char *spazioRelazioni = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr const char *intestazioneXml = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>";

// Inside the workbook a number is always written with a dot.
std::string numero(double valore)
{
    return fixedText(valore, NumberFormat::dot());
}

void riga(std::string &testo, const std::string &linea)
{
    testo += linea;
    testo += "\r\n";
}

std::string cellaNumero(char colonna, int r, double valore)
{
    return std::string("<c r=\"") + colonna + std::to_string(r) + "\" s=\"2\"><v>" + numero(valore) + "</v></c>";
}

std::string cellaTesto(char colonna, int r, const std::string &testo)
{
    return std::string("<c r=\"") + colonna + std::to_string(r) + "\" s=\"2\" t=\"inlineStr\"><is><t>" + testo
        + "</t></is></c>";
}

void rigaDati(std::string &testo, const RigaIstanti &v, int r)
{
    riga(testo, "<row r=\"" + std::to_string(r) + "\" spans=\"1:14\">");
    riga(testo, cellaNumero('A', r, v.veicolo));
    riga(testo, cellaNumero('B', r, v.barX));
    riga(testo, cellaNumero('C', r, v.barY));
    if (v.corsia == 1.0)
        riga(testo, cellaTesto('D', r, "sup"));
    else if (v.corsia == 2.0)
        riga(testo, cellaTesto('D', r, "inf"));
    riga(testo, cellaNumero('E', r, v.lungh));
    riga(testo, cellaNumero('F', r, v.tempo));
    riga(testo, cellaNumero('G', r, v.velocita));
    riga(testo, cellaNumero('H', r, v.spazio));
    riga(testo, cellaNumero('I', r, v.fotogr));
    riga(testo, "</row>");
}

std::string tipiContenuto()
{
    return std::string(intestazioneXml)
        + "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
          "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
          "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
          "<Override PartName=\"/xl/workbook.xml\" "
          "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
          "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
          "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
          "<Override PartName=\"/xl/styles.xml\" "
          "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
          "<Override PartName=\"/xl/sharedStrings.xml\" "
          "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>"
          "</Types>";
}

std::string relazioniPacchetto()
{
    return std::string(intestazioneXml)
        + "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
          "<Relationship Id=\"rId1\" "
          "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
          "Target=\"xl/workbook.xml\"/>"
          "</Relationships>";
}

std::string cartellaDiLavoro()
{
    return std::string(intestazioneXml) + "<workbook xmlns=\"" + spazioPrincipale + "\" xmlns:r=\"" + spazioRelazioni
        + "\"><bookViews><workbookView/></bookViews>"
          "<sheets><sheet name=\"Foglio1\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
}

std::string relazioniCartella()
{
    const std::string tipo = std::string(spazioRelazioni) + "/";
    return std::string(intestazioneXml)
        + "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
          "<Relationship Id=\"rId1\" Type=\""
        + tipo + "worksheet\" Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" Type=\"" + tipo
        + "styles\" Target=\"styles.xml\"/><Relationship Id=\"rId3\" Type=\"" + tipo
        + "sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>";
}

// Style 1: the header row, bold; style 2: the data cells.
std::string stili()
{
    return std::string(intestazioneXml) + "<styleSheet xmlns=\"" + spazioPrincipale
        + "\">"
          "<fonts count=\"2\">"
          "<font><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font>"
          "<font><b/><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font>"
          "</fonts>"
          "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
          "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
          "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
          "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
          "<cellXfs count=\"3\">"
          "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
          "<xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyFont=\"1\" "
          "applyAlignment=\"1\"><alignment horizontal=\"center\"/></xf>"
          "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyAlignment=\"1\">"
          "<alignment horizontal=\"center\"/></xf>"
          "</cellXfs>"
          "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
          "</styleSheet>";
}

struct ChiudiArchivio
{
    void operator()(zip_t *archivio) const { zip_discard(archivio); }
};

[[noreturn]] void erroreArchivio()
{
    throw FileError("Impossibile comporre la cartella di lavoro Excel.");
}

void aggiungi(zip_t *archivio, const char *nome, const std::string &contenuto)
{
    // libzip copies nothing: the text must outlive zip_close, which the caller's strings do.
    zip_source_t *sorgente = zip_source_buffer(archivio, contenuto.data(), contenuto.size(), 0);
    if (sorgente == nullptr)
        erroreArchivio();
    const zip_int64_t indice = zip_file_add(archivio, nome, sorgente, ZIP_FL_ENC_UTF_8);
    if (indice < 0) {
        zip_source_free(sorgente);
        erroreArchivio();
    }
    // A fixed date (2000-01-01) makes the same table give the same bytes.
    if (zip_file_set_mtime(archivio, static_cast<zip_uint64_t>(indice), 946684800, 0) != 0)
        erroreArchivio();
}

} // namespace

std::string foglioExcel(const std::vector<RigaIstanti> &tabellaVeicoli)
{
    std::string testo;
    riga(testo, intestazioneXml);
    riga(testo, std::string("<worksheet xmlns=\"") + spazioPrincipale + "\" xmlns:r=\"" + spazioRelazioni + "\">");
    riga(testo, "<dimension ref=\"A1:I" + std::to_string(tabellaVeicoli.size() + 4) + "\" />");
    riga(testo, "<sheetViews>");
    riga(testo, "<sheetView tabSelected=\"1\" workbookViewId=\"0\">");
    riga(testo, "<selection activeCell=\"A2\" sqref=\"A2\" />");
    riga(testo, "</sheetView>");
    riga(testo, "</sheetViews>");
    riga(testo, "<sheetFormatPr defaultRowHeight=\"15\" />");
    riga(testo, "<sheetData>");
    riga(testo, "<row r=\"1\" spans=\"1:9\" s=\"1\" customFormat=\"1\">");
    for (int k = 0; k < 9; ++k)
        riga(testo,
             std::string("<c r=\"") + static_cast<char>('A' + k) + "1\" s=\"1\" t=\"s\"><v>" + std::to_string(k)
                 + "</v></c>");
    riga(testo, "</row>");

    // Row 2 stays empty; first sightings (speed 0) leave no gap.
    int r = 3;
    for (const RigaIstanti &v : tabellaVeicoli)
        if (v.velocita > 0.0)
            rigaDati(testo, v, r++);
    const int credito = r + 1;
    riga(testo, "<row r=\"" + std::to_string(credito) + "\" spans=\"1:14\">");
    riga(testo, cellaTesto('E', credito, creditoExcel));
    riga(testo, "</row>");

    riga(testo, "</sheetData>");
    riga(testo,
         "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" footer=\"0.3\" />");
    riga(testo, "</worksheet>");
    return testo;
}

std::string stringheCondiviseExcel()
{
    std::string testo
        = std::string(intestazioneXml) + "<sst xmlns=\"" + spazioPrincipale + "\" count=\"9\" uniqueCount=\"9\">";
    for (std::size_t k = 0; k < 9; ++k)
        testo += "<si><t>" + std::string(colonneIstanti[k].header) + "</t></si>";
    return testo + "</sst>";
}

std::string cartellaExcel(const std::vector<RigaIstanti> &tabellaVeicoli)
{
    // Every number is checked before anything is composed.
    const std::string foglio = foglioExcel(tabellaVeicoli);
    const std::string parti[][2] = {
        {"[Content_Types].xml", tipiContenuto()},
        {"_rels/.rels", relazioniPacchetto()},
        {"xl/workbook.xml", cartellaDiLavoro()},
        {"xl/_rels/workbook.xml.rels", relazioniCartella()},
        {"xl/styles.xml", stili()},
        {"xl/sharedStrings.xml", stringheCondiviseExcel()},
        {"xl/worksheets/sheet1.xml", foglio},
    };

    zip_error_t errore;
    zip_error_init(&errore);
    zip_source_t *memoria = zip_source_buffer_create(nullptr, 0, 0, &errore);
    zip_error_fini(&errore);
    if (memoria == nullptr)
        erroreArchivio();
    // The archive is written into the memory source, which must survive zip_close.
    zip_source_keep(memoria);
    std::unique_ptr<zip_source_t, decltype(&zip_source_free)> sorgente(memoria, zip_source_free);
    zip_t *aperto = zip_open_from_source(memoria, ZIP_TRUNCATE, nullptr);
    if (aperto == nullptr)
        erroreArchivio();
    std::unique_ptr<zip_t, ChiudiArchivio> archivio(aperto);
    for (const auto &parte : parti)
        aggiungi(archivio.get(), parte[0].c_str(), parte[1]);
    if (zip_close(archivio.get()) != 0)
        erroreArchivio();
    archivio.release(); // closed

    zip_stat_t info;
    if (zip_source_stat(memoria, &info) != 0 || zip_source_open(memoria) != 0)
        erroreArchivio();
    std::string byte(static_cast<std::size_t>(info.size), '\0');
    const zip_int64_t letti = zip_source_read(memoria, byte.data(), info.size);
    zip_source_close(memoria);
    if (letti != static_cast<zip_int64_t>(info.size))
        erroreArchivio();
    return byte;
}

void scriviCartellaExcel(const std::vector<RigaIstanti> &tabellaVeicoli, const std::string &percorso)
{
    writeFileAtomically(percorso, cartellaExcel(tabellaVeicoli));
}

void EsportaDati(const StatoLavoro &stato, const std::string &percorso)
{
    if (stato.Risultati.IndicePosTXT.empty())
        throw RefusalError("Nessun dato da esportare: confermare prima i dati della captazione.");
    scriviCartellaExcel(stato.TabellaVeicoli, percorso);
}

} // namespace kalvor
