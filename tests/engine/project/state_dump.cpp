// SPDX-License-Identifier: GPL-3.0-or-later
#include "state_dump.hpp"

#include <sstream>

namespace kalvor::testing {

namespace {

void item(std::ostream &out, const char *name, const std::string &value)
{
    out << name << ": " << value << "\n";
}

void item(std::ostream &out, const char *name, bool value)
{
    out << name << ": " << (value ? "true" : "false") << "\n";
}

void item(std::ostream &out, const char *name, const TextList &list)
{
    out << name << ": " << list.count() << "\n";
    for (const auto &l : list.lines())
        out << "| " << l << "\n";
}

void fields(std::ostream &out, const std::string &screen, const CampiRilevamento &c)
{
    const auto n = [&](const char *f) { return screen + "." + f; };
    item(out, n("ImmagineIniziale").c_str(), c.ImmagineIniziale);
    item(out, n("ImmagineFinale").c_str(), c.ImmagineFinale);
    item(out, n("VeicoloIniziale").c_str(), c.VeicoloIniziale);
    item(out, n("VariazionePosTXT").c_str(), c.VariazionePosTXT);
    item(out, n("LunghezzaMinTXT").c_str(), c.LunghezzaMinTXT);
    item(out, n("AreaVeicoloTXT").c_str(), c.AreaVeicoloTXT);
    item(out, n("MargineSuperiore").c_str(), c.MargineSuperiore);
    item(out, n("MargineInferiore").c_str(), c.MargineInferiore);
    // Only when not the default, so that the dumps of default jobs stay as they were.
    if (c.Profilo != ProfiloRilevamento::Predefinito)
        item(out, n("Profilo").c_str(), std::string(profileName(c.Profilo)));
}

} // namespace

std::string dumpProjectState(const StatoLavoro &s, const std::string &folder)
{
    std::ostringstream out;
    item(out, "Riferimenti.luogo", s.Riferimenti.luogo);
    item(out, "Riferimenti.elaboratore", s.Riferimenti.elaboratore);
    item(out, "Riferimenti.dataelaborazione", s.Riferimenti.dataelaborazione);
    std::string cartella = s.Estrattore.Cartella;
    if (!folder.empty() && cartella.rfind(folder, 0) == 0)
        cartella = "<cartella>/" + cartella.substr(folder.size());
    item(out, "Estrattore.Cartella", cartella);
    item(out, "Estrattore.step", s.Estrattore.step);
    item(out, "Estrattore.ListaFotogrammi", s.Estrattore.ListaFotogrammi);
    item(out, "Estrattore.ListaTempi", s.Estrattore.ListaTempi);
    item(out, "SceltaVersoLetture.Origine00", s.SceltaVersoLetture.Origine00);
    item(out, "SceltaVersoLetture.Origine0480", s.SceltaVersoLetture.Origine0480);
    item(out, "SceltaVersoLetture.Origine6400", s.SceltaVersoLetture.Origine6400);
    item(out, "SceltaVersoLetture.Origine640480", s.SceltaVersoLetture.Origine640480);
    item(out, "SceltaVersoLetture.usoGPS", s.SceltaVersoLetture.usoGPS);
    item(out, "Prospettiva.FotogrammaIniziale", s.Prospettiva.FotogrammaIniziale);
    item(out, "Prospettiva.coordinataXPixelP", s.Prospettiva.coordinataXPixelP);
    item(out, "Prospettiva.coordinataYPixelP", s.Prospettiva.coordinataYPixelP);
    item(out, "Prospettiva.DistanzeRealiP", s.Prospettiva.DistanzeRealiP);
    item(out, "Prospettiva.coordinataX_GPSp", s.Prospettiva.coordinataX_GPSp);
    item(out, "Prospettiva.coordinataY_GPSp", s.Prospettiva.coordinataY_GPSp);
    item(out, "AreaCaptazione.FotogrammaIniziale", s.AreaCaptazione.FotogrammaIniziale);
    item(out, "AreaCaptazione.PuntiRiferimento", s.AreaCaptazione.PuntiRiferimento);
    fields(out, "Calibrazione", s.Calibrazione);
    fields(out, "Captazione", s.Captazione);
    item(out, "Captazione.fotogrammaTXT", s.Captazione.fotogrammaTXT);
    item(out, "Captazione.NumeroVeicoliTXT", s.Captazione.NumeroVeicoliTXT);
    item(out, "FotogrammaAttualeCP", std::to_string(s.CP.FotogrammaAttuale));
    item(out, "NumeroVeicoloCP", std::to_string(s.CP.NumeroVeicolo));
    item(out, "Captazione.veicoliAtt", s.Captazione.veicoliAtt);
    item(out, "Captazione.veicoliPrec", s.Captazione.veicoliPrec);
    item(out, "Captazione.VeicoliTOT", s.Captazione.VeicoliTOT);
    return out.str();
}

} // namespace kalvor::testing
