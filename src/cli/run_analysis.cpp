// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/run_analysis.hpp"

#include "analysis/analisi_traffico.hpp"
#include "analysis/diagramma_spazio_tempo.hpp"
#include "analysis/distribuzione_velocita.hpp"
#include "analysis/esportazioni_csv.hpp"
#include "analysis/rapporto_flussi.hpp"
#include "analysis/svg.hpp"
#include "common/errors.hpp"
#include "common/files.hpp"

#include <cstdio>
#include <filesystem>

namespace kalvor::cli {

std::vector<std::string> runAnalysis(const StatoLavoro &s, const std::string &cartella,
                                     const OpzioniRunAnalisi &opzioni)
{
    OpzioniAnalisi o;
    o.durataIntervallo = opzioni.durataIntervallo;
    o.sezioneX = sezioneDiRiferimento(s);
    const AnalisiTraffico a = analizzaTraffico(s.TabellaIstanti, o);

    std::string base = cartella;
    if (!base.empty() && base.back() != '/')
        base += '/';
    std::error_code errore;
    if (!base.empty())
        std::filesystem::create_directories(base, errore);
    if (errore)
        throw FileError("Impossibile creare la cartella \"" + base + "\".");

    const TextList rapporto = rapportoFlussi(a);
    for (const std::string &riga : rapporto.lines())
        std::printf("%s\n", riga.c_str());

    const std::pair<std::string, std::string> file[] = {
        {"traiettorie.csv", csvTraiettorie(s.TabellaIstanti)},
        {"veicoli.csv", csvVeicoli(s.TabellaVeicoli, s.TabellaIstanti)},
        {"flussi.csv", csvFlussi(a)},
        {"indicatori_estesi.csv", csvIndicatoriEstesi(a)},
        {"diagramma_spazio_tempo.svg", svgDiGrafico(diagrammaSpazioTempo(a.traiettorie))},
        {"velocita_sup.svg", svgDiGrafico(distribuzioneVelocita(velocitaAllaSezione(a, 1), 1))},
        {"velocita_inf.svg", svgDiGrafico(distribuzioneVelocita(velocitaAllaSezione(a, 2), 2))},
    };
    std::vector<std::string> scritti;
    for (const auto &[nome, contenuto] : file) {
        writeFileAtomically(base + nome, contenuto);
        scritti.push_back(base + nome);
        std::printf("%s scritto\n", (base + nome).c_str());
    }
    return scritti;
}

bool leggiOpzioneIntervallo(const std::vector<std::string> &args, std::size_t &i, OpzioniRunAnalisi &opzioni)
{
    if (args[i] != "--intervallo")
        return false;
    if (i + 1 >= args.size())
        throw RefusalError("Manca il valore di --intervallo.");
    opzioni.durataIntervallo = leggiDurataIntervallo(args[++i]);
    return true;
}

} // namespace kalvor::cli
