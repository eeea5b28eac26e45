// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/project_writer.hpp"

#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "project/profile_text.hpp"
#include "project/project_labels.hpp"

#include <string_view>

namespace kalvor {

namespace {

using namespace project;

// Vehicle lists shorter than one record plus its first line hold no record.
constexpr int kRigheMinimeVeicoli = 6;

void refuseLineBreak(std::string_view item, std::string_view text)
{
    if (text.find_first_of("\r\n") != std::string_view::npos)
        throw RefusalError("Il valore di " + std::string(item)
                           + " contiene un a capo: il file dati non può essere salvato.");
}

class Writer
{
public:
    explicit Writer(TextList &out)
        : m_out(out)
    {
    }

    void line(const char *fixed) { m_out.append(fixed); }

    void value(std::string_view item, const std::string &text)
    {
        refuseLineBreak(item, text);
        m_out.append(text);
    }

    void block(std::string_view item, const BlockMarkers &markers, const TextList &list)
    {
        m_out.append(markers.label);
        for (const auto &l : list.lines())
            value(item, l);
        m_out.append(markers.end);
    }

    void vehicleBlock(std::string_view item, const BlockMarkers &markers, const TextList &list)
    {
        if (list.count() >= kRigheMinimeVeicoli) {
            block(item, markers, list);
        } else {
            m_out.append(markers.label);
            m_out.append(markers.end);
        }
    }

    void fields(std::string_view screen, const CampiRilevamento &c)
    {
        const std::string s(screen);
        line(kImmagineIniziale);
        value(s + ".ImmagineIniziale", c.ImmagineIniziale);
        line(kImmagineFinale);
        value(s + ".ImmagineFinale", c.ImmagineFinale);
        line(kVeicoloIniziale);
        value(s + ".VeicoloIniziale", c.VeicoloIniziale);
        line(kVariazionePosizione);
        value(s + ".VariazionePosTXT", c.VariazionePosTXT);
        line(kLunghezzaMin);
        value(s + ".LunghezzaMinTXT", c.LunghezzaMinTXT);
        line(kAreaVeicolo);
        value(s + ".AreaVeicoloTXT", c.AreaVeicoloTXT);
        line(kMargineSuperiore);
        value(s + ".MargineSuperiore", c.MargineSuperiore);
        line(kMargineInferiore);
        value(s + ".MargineInferiore", c.MargineInferiore);
    }

    // Only for a job that leaves the default somewhere: a default job's file
    // is what it always was, and a file without the section reads as default.
    void profiles(const StatoLavoro &s)
    {
        if (s.Calibrazione.Profilo == ProfiloRilevamento::Predefinito
            && s.Captazione.Profilo == ProfiloRilevamento::Predefinito)
            return;
        line(kProfiloRilevamento);
        line(kProfiloCalibrazione);
        m_out.append(profileText(s.Calibrazione.Profilo));
        line(kProfiloCaptazione);
        m_out.append(profileText(s.Captazione.Profilo));
    }

private:
    TextList &m_out;
};

} // namespace

TextList projectFileLines(const StatoLavoro &s)
{
    TextList out;
    out.lines().reserve(static_cast<std::size_t>(s.Captazione.VeicoliTOT.count() + s.Captazione.veicoliAtt.count()
                                                 + s.Captazione.veicoliPrec.count()
                                                 + 2 * s.Estrattore.ListaFotogrammi.count() + 256));
    Writer w(out);

    w.line(kDatiGenerali);
    w.line(kElaborazione);
    w.value("luogo", s.Riferimenti.luogo);
    w.line(kTecnico);
    w.value("elaboratore", s.Riferimenti.elaboratore);
    w.line(kData);
    w.value("dataelaborazione", s.Riferimenti.dataelaborazione);

    w.line(kEstrattore);
    w.line(kIntervalloEstrazione);
    w.value("step", s.Estrattore.step);
    w.block("ListaFotogrammi", kListaFotogrammi, s.Estrattore.ListaFotogrammi);
    w.block("ListaTempi", kListaTempi, s.Estrattore.ListaTempi);

    const auto &verso = s.SceltaVersoLetture;
    w.line(kVersoLettura);
    w.line(kVerso);
    if (verso.Origine00)
        w.line(kOrigine00);
    if (verso.Origine0480)
        w.line(kOrigine0480);
    if (verso.Origine6400)
        w.line(kOrigine6400);
    if (verso.Origine640480)
        w.line(kOrigine640480);
    w.line(kUsatoGps);
    w.line(verso.usoGPS ? kSi : kNo);

    const auto &p = s.Prospettiva;
    w.line(kProspettiva);
    w.line(kFotogrammaIniziale);
    w.value("Prospettiva.FotogrammaIniziale", p.FotogrammaIniziale);
    w.block("coordinataXPixelP", kCoordinataXPixel, p.coordinataXPixelP);
    w.block("coordinataYPixelP", kCoordinataYPixel, p.coordinataYPixelP);
    w.block("DistanzeRealiP", kDistanzeReali, p.DistanzeRealiP);
    // The GPS positions are the job's reference data in GPS mode: without
    // them a reopened GPS job cannot be transformed again.
    if (!p.coordinataX_GPSp.empty())
        w.block("coordinataX_GPSp", kCoordinataXGps, p.coordinataX_GPSp);
    if (!p.coordinataY_GPSp.empty())
        w.block("coordinataY_GPSp", kCoordinataYGps, p.coordinataY_GPSp);

    w.line(kAreaCaptazione);
    w.line(kFotogrammaIniziale);
    w.value("AreaCaptazione.FotogrammaIniziale", s.AreaCaptazione.FotogrammaIniziale);
    w.block("PuntiRiferimento", kCoordinate, s.AreaCaptazione.PuntiRiferimento);

    w.line(kCalibrazione);
    w.fields("Calibrazione", s.Calibrazione);

    const auto &c = s.Captazione;
    w.line(kCaptazione);
    w.fields("Captazione", c);
    w.line(kFotogramma);
    out.append(intText(s.CP.FotogrammaAttuale));
    w.line(kNumeroVeicoli);
    w.value("NumeroVeicoliTXT", c.NumeroVeicoliTXT);
    w.vehicleBlock("veicoliAtt", kVeicoliAttuali, c.veicoliAtt);
    w.vehicleBlock("veicoliPrec", kVeicoliPrecedenti, c.veicoliPrec);
    w.vehicleBlock("VeicoliTOT", kVeicoliTotali, c.VeicoliTOT);
    w.profiles(s);
    return out;
}

void writeProjectFile(const std::string &path, const StatoLavoro &stato)
{
    projectFileLines(stato).saveToFile(path);
}

} // namespace kalvor
