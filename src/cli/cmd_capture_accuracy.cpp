// SPDX-License-Identifier: GPL-3.0-or-later
// `kalvor-cli capture-accuracy [--seeds 1,2,3] [--duration S] [--every K] [--profilo predefinito|robusto]`:
// how well the capture's frame advance follows the vehicles of generated road
// scenes, with the capture screen's default parameters and no correction.
// The frames are every K-th picture of a 25 frames per second scene (K = 5,
// one frame every 0.2 s, as the example job's extraction), the background is
// the mean of the interval's first 201 frames, the grid the scene's own
// metres. Per scene and in total it prints:
//   missed per frame     ground-truth vehicles wholly in the picture and inside
//                        the scanned columns that no record of their half
//                        overlaps
//   spurious per frame   records overlapping no vehicle on their side
//   one number           share of the vehicles found that keep one number
//   switches per vehicle changes of number between consecutive sightings
#include "capture/avanzamento.hpp"
#include "cli/commands.hpp"
#include "cli/options.hpp"
#include "cli/scene_job.hpp"
#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "detection/geometria_area.hpp"
#include "project/headless_project_steps.hpp"
#include "project/profile_text.hpp"
#include "scene/road_scene.hpp"
#include "state/record_veicolo.hpp"

#include <cstdio>
#include <map>
#include <sstream>

namespace kalvor::cli {

namespace {

struct Conteggi
{
    long long fotogrammi = 0;
    long long veri = 0; // ground-truth sightings counted
    long long mancati = 0;
    long long record = 0;
    long long spuri = 0;
    long long veicoli = 0; // found at least once
    long long unNumero = 0;
    long long cambi = 0;

    void aggiungi(const Conteggi &c)
    {
        fotogrammi += c.fotogrammi;
        veri += c.veri;
        mancati += c.mancati;
        record += c.record;
        spuri += c.spuri;
        veicoli += c.veicoli;
        unNumero += c.unNumero;
        cambi += c.cambi;
    }
};

void stampa(const char *nome, const Conteggi &c)
{
    const auto q = [](long long a, long long b) { return b ? static_cast<double>(a) / static_cast<double>(b) : 0.0; };
    const auto d = [](double v, int cifre) { return localeDecimal(v, cifre); };
    std::printf("%-8s fotogrammi %5lld  veicoli veri/fotogramma %s  mancati/fotogramma %s (%s%%)  "
                "spuri/fotogramma %s (%s%% dei record)  veicoli trovati %lld  con un solo numero %s%%  "
                "cambi di numero/veicolo %s\n",
                nome, c.fotogrammi, d(q(c.veri, c.fotogrammi), 3).c_str(), d(q(c.mancati, c.fotogrammi), 3).c_str(),
                d(100 * q(c.mancati, c.veri), 1).c_str(), d(q(c.spuri, c.fotogrammi), 3).c_str(),
                d(100 * q(c.spuri, c.record), 1).c_str(), c.veicoli, d(100 * q(c.unNumero, c.veicoli), 1).c_str(),
                d(q(c.cambi, c.veicoli), 3).c_str());
}

struct Record
{
    int x0 = 0, x1 = 0; // pixel columns, end excluded
    bool sup = false;
    std::string numero;
};

Conteggi misuraScena(std::uint64_t seme, double durata, int passo, ProfiloRilevamento profilo)
{
    scene::SceneOptions opzioni;
    opzioni.duration = durata;
    opzioni.seed = seme;
    const scene::RoadScene scena(opzioni);
    const int ultimo = (scena.frameCount() - 1) / passo; // frames 0..ultimo
    const auto &geo = scena.geometry();
    StatoLavoro s = lavoroDellaScena(scena, passo, ultimo, profilo);
    StatoRilevamento &det = s.CP;
    avviaCaptazione(s);

    SessioneCaptazione ses;
    ses.avviata = true;
    ses.anticipa = false;
    ses.sorgente = [&](int n, const std::string &) { return scena.frame(n * passo); };

    Conteggi c;
    std::map<int, std::vector<std::string>> numeri; // per ground-truth vehicle, per sighting
    while (!AvanzaFotogrammaClick(s, ses).fotogrammiFiniti) {
        ++c.fotogrammi;
        const TextList &att = s.Captazione.veicoliAtt;
        std::vector<Record> recs;
        for (const int i : findRecords(att))
            recs.push_back({toInt(recordField(att, i, OffInizio)) / 3, toInt(recordField(att, i, OffFine)) / 3,
                            recordField(att, i, OffArco) == kArcoSuperiore, recordField(att, i, OffNumero)});
        const auto verita = scena.truth(det.FotogrammaAttuale * passo);
        for (const auto &v : verita.vehicles) {
            if (v.clipped || v.left < det.ColonnaArea1 / 3 || v.right > det.ColonnaArea2 / 3)
                continue;
            ++c.veri;
            const bool sup = v.half == scene::Half::Sup;
            const Record *trovato = nullptr;
            for (const Record &r : recs)
                if (r.sup == sup && r.x0 <= v.right && r.x1 > v.left) {
                    trovato = &r;
                    break;
                }
            if (trovato)
                numeri[v.id].push_back(trovato->numero);
            else
                ++c.mancati;
        }
        for (const Record &r : recs) {
            ++c.record;
            bool vero = false;
            for (const auto &v : verita.vehicles) {
                const bool lato = r.sup ? v.top <= geo.axisRow : v.bottom >= geo.axisRow;
                vero = vero || (lato && r.x0 <= v.right && r.x1 > v.left);
            }
            c.spuri += vero ? 0 : 1;
        }
    }
    for (const auto &[id, lista] : numeri) {
        ++c.veicoli;
        int cambi = 0;
        for (std::size_t i = 1; i < lista.size(); ++i)
            cambi += lista[i] != lista[i - 1] ? 1 : 0;
        c.cambi += cambi;
        c.unNumero += cambi == 0 ? 1 : 0;
    }
    return c;
}

const CommandHelp kHelp {
    "capture-accuracy",
    "[--seeds 1,2,3] [--duration S] [--every K] [--profilo predefinito|robusto]",
    "Cattura scene stradali generate fotogramma per fotogramma, con i parametri predefiniti\n"
    "della captazione e senza correzioni, e confronta i record con la verità della scena:\n"
    "veicoli mancati e record spuri per fotogramma, veicoli con un solo numero, cambi di numero.",
    {{"--seeds", "S1,S2,...", "semi delle scene (predefiniti 1,2,3)"},
     {"--duration", "S", "secondi di ogni scena (predefiniti 60)"},
     {"--every", "K", "un fotogramma ogni K della scena a 25 al secondo (predefinito 5)"},
     {"--profilo", "NOME", "profilo di rilevamento della captazione: predefinito (se non indicato) o robusto"}}};

int runCaptureAccuracy(const Args &args)
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
        throw RefusalError("Uso: kalvor-cli capture-accuracy [--seeds 1,2,3] [--duration S] [--every K] [--profilo "
                           "predefinito|robusto]. Vedere "
                           "kalvor-cli capture-accuracy --help.");
    std::printf(
        "captazione senza correzioni, parametri predefiniti, profilo %s; %.0f s a 25 fotogrammi/s, uno ogni %d\n",
        profileText(profilo).c_str(), durata, passo);
    Conteggi totale;
    for (const std::uint64_t seme : semi) {
        const Conteggi c = misuraScena(seme, durata, passo, profilo);
        stampa(("seme " + std::to_string(seme)).c_str(), c);
        totale.aggiungi(c);
    }
    stampa("totale", totale);
    return 0;
}

const CommandRegistration reg(
    {"capture-accuracy", "capture-accuracy [--seeds 1,2,3] [--duration S] [--every K] [--profilo predefinito|robusto]",
     "capta scene generate fotogramma per fotogramma con i parametri predefiniti e "
     "stampa i veicoli mancati e i rilevamenti spuri per fotogramma e i cambi di numero "
     "per veicolo",
     runCaptureAccuracy});

} // namespace

} // namespace kalvor::cli
