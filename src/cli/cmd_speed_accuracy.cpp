// SPDX-License-Identifier: GPL-3.0-or-later
// `kalvor-cli speed-accuracy [--seeds 1,2,3] [--duration S] [--every K] [--profilo predefinito|robusto]`:
// how close the confirmed speeds come to the true speeds of generated road
// scenes. Each scene is captured frame by frame to its end with the capture
// screen's default parameters (every K-th picture of 25 per second, the
// background the mean of the first 201 frames, the grid the scene's own
// metres), then confirmed without and with "Correggi". Each captured vehicle
// is paired with the true vehicle most of its records overlap on their side;
// its speed is the mean of its rows with a speed above 0 (the vehicle view).
// Printed per scene and in total: vehicles measured and the median and 90th
// percentile of the absolute error in km/h.
#include "capture/avanzamento.hpp"
#include "cli/commands.hpp"
#include "cli/options.hpp"
#include "cli/scene_job.hpp"
#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "detection/geometria_area.hpp"
#include "project/headless_project_steps.hpp"
#include "project/profile_text.hpp"
#include "results/conferma.hpp"
#include "scene/road_scene.hpp"
#include "state/record_veicolo.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>

namespace kalvor::cli {

namespace {

struct Errori
{
    std::vector<double> senza; // without "Correggi"
    std::vector<double> con;
};

// For each captured number, the true vehicle most of its records overlap.
std::map<std::string, int> abbinaVeri(const StatoLavoro &s, const scene::RoadScene &scena, int passo)
{
    const TextList &tot = s.Captazione.VeicoliTOT;
    std::map<std::string, std::map<int, int>> voti;
    std::map<int, scene::FrameTruth> verita;
    for (const int i : findRecords(tot)) {
        const int f = toInt(recordField(tot, i, OffFotogramma));
        auto it = verita.find(f);
        if (it == verita.end())
            it = verita.emplace(f, scena.truth(f * passo)).first;
        const int x0 = toInt(recordField(tot, i, OffInizio)) / 3;
        const int x1 = toInt(recordField(tot, i, OffFine)) / 3; // excluded
        const bool sup = recordField(tot, i, OffArco) == kArcoSuperiore;
        int migliore = -1;
        int sovrapposizione = 0;
        for (const auto &v : it->second.vehicles) {
            const int o = std::min(x1, v.right + 1) - std::max(x0, v.left);
            if ((v.half == scene::Half::Sup) == sup && o > sovrapposizione) {
                sovrapposizione = o;
                migliore = v.id;
            }
        }
        if (migliore >= 0)
            ++voti[recordField(tot, i, OffNumero)][migliore];
    }
    std::map<std::string, int> abbinati;
    for (const auto &[numero, conti] : voti)
        abbinati[numero] = std::max_element(conti.begin(), conti.end(), [](const auto &a, const auto &b) {
                               return a.second < b.second;
                           })->first;
    return abbinati;
}

// The absolute speed error of every paired vehicle with a measured speed.
std::vector<double> erroriVelocita(const StatoLavoro &s, const std::map<std::string, int> &abbinati,
                                   const std::map<int, double> &velocitaVere)
{
    std::map<double, std::pair<double, int>> somme; // number: sum of speeds, rows
    for (const RigaIstanti &r : s.TabellaVeicoli)
        if (r.velocita > 0.0) {
            auto &[somma, righe] = somme[r.veicolo];
            somma += r.velocita;
            ++righe;
        }
    std::vector<double> errori;
    for (const auto &[numero, sr] : somme) {
        const auto it = abbinati.find(fixedText(numero));
        if (it != abbinati.end())
            errori.push_back(std::abs(sr.first / sr.second - velocitaVere.at(it->second)));
    }
    return errori;
}

void misuraScena(std::uint64_t seme, double durata, int passo, ProfiloRilevamento profilo, Errori &errori)
{
    scene::SceneOptions opzioni;
    opzioni.duration = durata;
    opzioni.seed = seme;
    const scene::RoadScene scena(opzioni);
    const int ultimo = (scena.frameCount() - 1) / passo;
    StatoLavoro s = lavoroDellaScena(scena, passo, ultimo, profilo);
    avviaCaptazione(s);
    SessioneCaptazione ses;
    ses.avviata = true;
    ses.anticipa = false;
    ses.sorgente = [&](int n, const std::string &) { return scena.frame(n * passo); };
    while (!AvanzaFotogrammaClick(s, ses).fotogrammiFiniti) { }

    std::map<int, double> velocitaVere;
    for (const auto &v : scena.vehicles())
        velocitaVere[v.id] = v.speedKmh;
    const auto abbinati = abbinaVeri(s, scena, passo);
    ConfermaClick(s, false);
    errori.senza = erroriVelocita(s, abbinati, velocitaVere);
    ConfermaClick(s, true);
    errori.con = erroriVelocita(s, abbinati, velocitaVere);
}

double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0.0;
    std::sort(v.begin(), v.end());
    const auto i = static_cast<std::size_t>(std::ceil(p * static_cast<double>(v.size()))) - 1;
    return v[std::min(i, v.size() - 1)];
}

void stampa(const char *nome, const Errori &e)
{
    std::printf("%-8s senza correzioni: %3zu veicoli, errore mediano %6.2f km/h, 90%% %6.2f km/h   "
                "con \"Correggi\": %3zu veicoli, mediano %6.2f km/h, 90%% %6.2f km/h\n",
                nome, e.senza.size(), percentile(e.senza, 0.5), percentile(e.senza, 0.9), e.con.size(),
                percentile(e.con, 0.5), percentile(e.con, 0.9));
}

const CommandHelp kHelp {
    "speed-accuracy",
    "[--seeds 1,2,3] [--duration S] [--every K] [--profilo predefinito|robusto]",
    "Cattura scene stradali generate fino alla fine con i parametri predefiniti, le conferma\n"
    "senza e con \"Correggi\" e confronta la velocità media di ogni veicolo (le sue righe con\n"
    "velocità maggiore di 0) con la velocità vera: mediana e 90% dell'errore assoluto in km/h.",
    {{"--seeds", "S1,S2,...", "semi delle scene (predefiniti 1,2,3)"},
     {"--duration", "S", "secondi di ogni scena (predefiniti 60)"},
     {"--every", "K", "un fotogramma ogni K della scena a 25 al secondo (predefinito 5)"},
     {"--profilo", "NOME", "profilo di rilevamento della captazione: predefinito (se non indicato) o robusto"}}};

int runSpeedAccuracy(const Args &args)
{
    const auto options = parseOptions(args, kHelp);
    if (!options)
        return 0;
    if (!options->positional.empty())
        throw RefusalError("Argomento inatteso \"" + options->positional[0] + "\".");
    std::vector<std::uint64_t> semi;
    {
        std::istringstream in(options->text("--seeds", "1,2,3"));
        std::string seme;
        while (std::getline(in, seme, ','))
            semi.push_back(static_cast<std::uint64_t>(optionInteger("--seeds", seme)));
    }
    const double durata = options->decimal("--duration", 60.0);
    const int passo = options->integer("--every", 5);
    const ProfiloRilevamento profilo = options->has("--profilo")
        ? optionProfile("--profilo", options->text("--profilo"))
        : ProfiloRilevamento::Predefinito;
    if (semi.empty() || passo < 1 || !(durata > 0 && durata <= 3600))
        throw RefusalError("Uso: kalvor-cli speed-accuracy [--seeds 1,2,3] [--duration S] [--every K] [--profilo "
                           "predefinito|robusto]. Vedere "
                           "kalvor-cli speed-accuracy --help.");
    std::printf("velocità media per veicolo contro la verità, profilo %s; %.0f s a 25 fotogrammi/s, uno ogni %d\n",
                profileText(profilo).c_str(), durata, passo);
    Errori totale;
    for (const std::uint64_t seme : semi) {
        Errori e;
        misuraScena(seme, durata, passo, profilo, e);
        stampa(("seme " + std::to_string(seme)).c_str(), e);
        totale.senza.insert(totale.senza.end(), e.senza.begin(), e.senza.end());
        totale.con.insert(totale.con.end(), e.con.begin(), e.con.end());
    }
    stampa("totale", totale);
    return 0;
}

const CommandRegistration
    reg({"speed-accuracy", "speed-accuracy [--seeds 1,2,3] [--duration S] [--every K] [--profilo predefinito|robusto]",
         "capta scene generate, le conferma senza e con le correzioni e stampa la mediana e "
         "il 90° percentile dell'errore di velocità di ciascun veicolo",
         runSpeedAccuracy});

} // namespace

} // namespace kalvor::cli
