// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/project_reader.hpp"

#include "common/errors.hpp"
#include "common/files.hpp"
#include "common/numbers.hpp"
#include "common/printable.hpp"
#include "extraction/frame_file.hpp"
#include "extraction/png_io.hpp"
#include "project/profile_text.hpp"
#include "project/project_file_check.hpp"
#include "project/project_labels.hpp"

#include <cstdint>
#include <filesystem>
#include <limits>

namespace kalvor {

namespace {

using namespace project;

// The general data are read from fixed lines; headers are looked for from the
// line after the last label of that section.
constexpr int kPrimaRigaIntestazioni = 5;

class Reader
{
public:
    Reader(const TextList &testo, StatoLavoro &stato, ProjectScreenSteps &steps, const ProjectProgress &progress)
        : m_lines(testo.lines())
        , m_testo(testo)
        , m_s(stato)
        , m_steps(steps)
        , m_progress(progress)
    {
    }

    void run()
    {
        profiles();
        m_s.Riferimenti.luogo = lineOrEmpty(2);
        m_s.Riferimenti.elaboratore = lineOrEmpty(4);
        m_s.Riferimenti.dataelaborazione = lineOrEmpty(6);
        report(5);
        const int c = count();
        for (int p = kPrimaRigaIntestazioni; p < c; ++p) {
            const std::string &l = m_lines[static_cast<std::size_t>(p)];
            if (l.size() < 3 || l[0] != '-')
                continue;
            if (l == kEstrattore)
                estrattore(p);
            else if (l == kVersoLettura)
                versoLettura(p);
            else if (l == kProspettiva)
                prospettiva(p);
            else if (l == kAreaCaptazione)
                areaCaptazione(p);
            else if (l == kCalibrazione)
                calibrazione(p);
            else if (l == kCaptazione)
                captazione(p);
        }
        if (m_s.Captazione.veicoliAtt.count() > 5)
            m_steps.drawCaptureOverlays();
    }

private:
    int count() const { return static_cast<int>(m_lines.size()); }

    std::string lineOrEmpty(int i) const { return i < count() ? m_lines[static_cast<std::size_t>(i)] : std::string(); }

    // A value line that a section needs: a file cut short is an error, not a
    // silent empty value.
    const std::string &at(int i) const
    {
        if (i >= count())
            throw ListIndexError("Il file dati è incompleto: manca la riga " + std::to_string(i + 1) + ".");
        return m_lines[static_cast<std::size_t>(i)];
    }

    void report(int percent) const
    {
        if (m_progress)
            m_progress(percent);
    }

    // Looked up before any section, since the capture's background, computed
    // while its section is read, depends on its profile. A bad word refuses
    // the file before anything changes.
    void profiles()
    {
        for (int p = kPrimaRigaIntestazioni; p < count(); ++p) {
            if (m_lines[static_cast<std::size_t>(p)] != kProfiloRilevamento)
                continue;
            m_profiloCalibrazione = profile(p + 2, "Calibrazione.Profilo");
            m_profiloCaptazione = profile(p + 4, "Captazione.Profilo");
        }
    }

    ProfiloRilevamento profile(int i, const char *item) const
    {
        const std::string &text = at(i);
        try {
            return profileFromText(text);
        } catch (const ConversionError &e) {
            throw ConversionError("Riga " + std::to_string(i + 1) + " (" + item + "): " + e.what());
        }
    }

    void block(int start, const BlockMarkers &markers, TextList &list) const
    {
        readBlock(m_testo, start, markers.label, markers.end, list);
    }

    void estrattore(int h)
    {
        auto &e = m_s.Estrattore;
        e.step = at(h + 2);
        e.ListaFotogrammi.clear();
        e.ListaTempi.clear();
        block(h + 3, kListaFotogrammi, e.ListaFotogrammi);
        block(h + 3, kListaTempi, e.ListaTempi);
        report(10);
    }

    void versoLettura(int h)
    {
        auto &v = m_s.SceltaVersoLetture;
        v.Origine00 = v.Origine0480 = v.Origine6400 = v.Origine640480 = false;
        // A file saved before any origin was chosen has "usato gps" here and
        // the answer one line early: no mark is set and usoGPS stays as it is.
        const std::string &origine = at(h + 2);
        if (origine == kOrigine00)
            v.Origine00 = true;
        else if (origine == kOrigine0480)
            v.Origine0480 = true;
        else if (origine == kOrigine6400)
            v.Origine6400 = true;
        else if (origine == kOrigine640480)
            v.Origine640480 = true;
        const std::string &gps = at(h + 4);
        if (gps == kNo)
            v.usoGPS = false;
        else if (gps == kSi)
            v.usoGPS = true;
        report(20);
    }

    void prospettiva(int h)
    {
        auto &p = m_s.Prospettiva;
        p.FotogrammaIniziale = at(h + 2);
        m_steps.AzzeraSenzaRichieste();
        p.coordinataXPixelP.clear();
        p.coordinataYPixelP.clear();
        p.DistanzeRealiP.clear();
        // Cleared too, so that reading a GPS job twice does not double them.
        p.coordinataX_GPSp.clear();
        p.coordinataY_GPSp.clear();
        block(h + 3, kCoordinataXPixel, p.coordinataXPixelP);
        block(h + 3, kCoordinataYPixel, p.coordinataYPixelP);
        block(h + 3, kDistanzeReali, p.DistanzeRealiP);
        block(h + 3, kCoordinataXGps, p.coordinataX_GPSp);
        block(h + 3, kCoordinataYGps, p.coordinataY_GPSp);
        if ((p.coordinataXPixelP.count() >= 3 && p.coordinataYPixelP.count() >= 3) || p.DistanzeRealiP.count() >= 2)
            m_steps.DisegnaPunti();
        report(40);
    }

    void areaCaptazione(int h)
    {
        auto &a = m_s.AreaCaptazione;
        a.FotogrammaIniziale = at(h + 2);
        m_steps.AzzeraDatiClick();
        a.PuntiRiferimento.clear();
        block(h + 3, kCoordinate, a.PuntiRiferimento);
        m_steps.disegnaElementi();
        report(60);
    }

    void fields(int h, CampiRilevamento &c) const
    {
        c.ImmagineIniziale = at(h + 2);
        c.ImmagineFinale = at(h + 4);
        c.VeicoloIniziale = at(h + 6);
        c.VariazionePosTXT = at(h + 8);
        c.LunghezzaMinTXT = at(h + 10);
        c.AreaVeicoloTXT = at(h + 12);
        c.MargineSuperiore = at(h + 14);
        c.MargineInferiore = at(h + 16);
    }

    void calibrazione(int h)
    {
        fields(h, m_s.Calibrazione);
        m_s.Calibrazione.Profilo = m_profiloCalibrazione;
        report(80);
    }

    void captazione(int h)
    {
        auto &c = m_s.Captazione;
        fields(h, c);
        c.Profilo = m_profiloCaptazione;
        m_steps.CalcolaMediaClick();

        c.fotogrammaTXT = at(h + 18);
        m_s.CP.FotogrammaAttuale = toInt(c.fotogrammaTXT);
        m_steps.setBarraElaborazione(m_s.CP.FotogrammaAttuale);

        c.NumeroVeicoliTXT = at(h + 20);
        const std::int32_t ultimo = toInt(c.NumeroVeicoliTXT);
        if (ultimo == std::numeric_limits<std::int32_t>::max())
            throw ConversionError("'" + printable(c.NumeroVeicoliTXT) + "' è troppo grande per un numero di veicolo.");
        m_s.CP.NumeroVeicolo = ultimo + 1;

        m_steps.showCaptureFrame(readPng(frameFileName(m_s.Estrattore.Cartella, m_s.CP.FotogrammaAttuale)));

        c.veicoliAtt.clear();
        c.veicoliPrec.clear();
        c.VeicoliTOT.clear();
        block(h + 21, kVeicoliAttuali, c.veicoliAtt);
        block(h + 21, kVeicoliPrecedenti, c.veicoliPrec);
        block(h + 21, kVeicoliTotali, c.VeicoliTOT);
        report(100);
    }

    const std::vector<std::string> &m_lines;
    const TextList &m_testo;
    StatoLavoro &m_s;
    ProjectScreenSteps &m_steps;
    const ProjectProgress &m_progress;
    // A file without the profile section is a file of default jobs.
    ProfiloRilevamento m_profiloCalibrazione = ProfiloRilevamento::Predefinito;
    ProfiloRilevamento m_profiloCaptazione = ProfiloRilevamento::Predefinito;
};

} // namespace

void readBlock(const TextList &testo, int start, const char *label, const char *end, TextList &list)
{
    const auto &lines = testo.lines();
    const std::string_view b(label);
    const std::string_view e(end);
    const std::size_t c = lines.size();
    for (std::size_t i = start < 0 ? 0 : static_cast<std::size_t>(start); i < c; ++i) {
        if (lines[i] != b)
            continue;
        for (std::size_t j = i + 1; j < c && lines[j] != e; ++j)
            list.append(lines[j]);
    }
}

void readProjectLines(const TextList &testo, StatoLavoro &stato, ProjectScreenSteps &steps,
                      const ProjectProgress &progress)
{
    Reader(testo, stato, steps, progress).run();
}

void readProjectFile(const std::string &path, StatoLavoro &stato, ProjectScreenSteps &steps,
                     const ProjectProgress &progress)
{
    TextList testo;
    testo.loadFromFile(path);
    checkProjectText(testo, std::filesystem::path(path).filename().string());
    stato.Estrattore.Cartella = folderOf(path);
    readProjectLines(testo, stato, steps, progress);
}

} // namespace kalvor
