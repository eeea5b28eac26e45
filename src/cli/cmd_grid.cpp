// SPDX-License-Identifier: GPL-3.0-or-later
// `kalvor-cli grid`: runs the pixel-to-metric transformation on points given
// on the command line and prints the metric x and y of the pixels asked, or
// the rows of TabellaRiferimenti, so that a calibration can be checked
// without the screens.
#include "cli/commands.hpp"
#include "cli/options.hpp"
#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "geometry/trasformazione.hpp"

#include <cstdio>
#include <iostream>
#include <sstream>

namespace kalvor::cli {

namespace {

const CommandHelp kHelp {
    "grid",
    "--size LxA --direction 00|0480|6400|640480 --points \"x,y x,y ...\"\n"
    "                [--distances \"d d ...\"] [--gps \"X,Y X,Y ...\"] (--at r,c ... | --table)",
    "Applica la trasformazione da pixel a metri ai punti di riferimento dati e scrive la x e la y\n"
    "metriche dei pixel chiesti, oppure le righe di TabellaRiferimenti: si controlla una taratura\n"
    "senza le schermate.",
    {{"--size", "LxA", "larghezza e altezza del fotogramma in pixel"},
     {"--direction", "VERSO",
      "dove iniziano i punti misurati: 00 in alto a sinistra, 640480 in basso\n"
      "a destra, 0480 in basso a sinistra, 6400 in alto a destra"},
     {"--points", "\"x,y ...\"", "colonna,riga in pixel di ogni punto di riferimento, nell'ordine delle misure"},
     {"--distances", "\"d ...\"", "distanza reale in metri da ogni punto al successivo"},
     {"--gps", "\"X,Y ...\"", "coordinate GPS X,Y in metri interi di ogni punto; attiva il modo GPS"},
     {"--at", "r,c", "un pixel (riga, colonna) di cui scrivere x e y metriche; ripetibile", true},
     {"--table", "", "scrive invece le righe di TabellaRiferimenti"}},
    decimalsHelpLine()
        + "\n\nUscita: una riga per --at, \"r c x y\", metri con sei decimali e il separatore della\n"
          "lingua del sistema; con --table un'intestazione e una riga per riga della tabella."};

struct Pair
{
    std::string first;
    std::string second;
};

std::vector<Pair> splitPairs(const std::string &text, const std::string &option)
{
    std::vector<Pair> out;
    std::istringstream in(text);
    std::string item;
    while (in >> item) {
        const auto comma = item.find(',');
        if (comma == std::string::npos)
            throw RefusalError("In " + option + " manca la virgola fra i due valori di '" + item + "'.");
        out.push_back({item.substr(0, comma), item.substr(comma + 1)});
    }
    return out;
}

std::vector<std::string> splitWords(const std::string &text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string item;
    while (in >> item)
        out.push_back(item);
    return out;
}

std::string sixDecimals(double v)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.6f", v);
    std::string s = buffer;
    for (char &c : s)
        if (c == '.')
            c = currentNumberFormat().decimalSeparator;
    return s;
}

int runGrid(const Args &args)
{
    StatoLavoro stato;
    int width = 0;
    int height = 0;
    bool directionGiven = false;
    bool table = false;
    std::vector<std::pair<int, int>> cells;
    const auto options = parseOptions(args, kHelp);
    if (!options)
        return 0;
    const ParsedOptions &o = *options;
    if (!o.positional.empty())
        throw RefusalError("Argomento di troppo \"" + o.positional[0] + "\". Vedere kalvor-cli grid --help.");
    table = o.has("--table");
    if (o.has("--size")) {
        const std::string value = o.text("--size");
        const auto x = value.find('x');
        if (x == std::string::npos)
            throw RefusalError("--size vuole LARGHEZZAxALTEZZA, non '" + value + "'.");
        width = optionInteger("--size", value.substr(0, x));
        height = optionInteger("--size", value.substr(x + 1));
    }
    if (o.has("--direction")) {
        chooseReadingDirection(stato.SceltaVersoLetture, directionFromCode(o.text("--direction")));
        directionGiven = true;
    }
    for (const Pair &p : splitPairs(o.text("--points"), "--points")) {
        stato.Prospettiva.coordinataXPixelP.append(intText(optionInteger("--points", p.first)));
        stato.Prospettiva.coordinataYPixelP.append(intText(optionInteger("--points", p.second)));
    }
    // The transformation reads the distances in the locale's format.
    for (const std::string &d : splitWords(o.text("--distances")))
        stato.Prospettiva.DistanzeRealiP.append(fixedText(optionDecimal("--distances", d)));
    if (o.has("--gps")) {
        stato.SceltaVersoLetture.usoGPS = true;
        for (const Pair &p : splitPairs(o.text("--gps"), "--gps")) {
            stato.Prospettiva.coordinataX_GPSp.append(intText(optionInteger("--gps", p.first)));
            stato.Prospettiva.coordinataY_GPSp.append(intText(optionInteger("--gps", p.second)));
        }
    }
    for (const std::string &value : o.all("--at")) {
        const auto pairs = splitPairs(value, "--at");
        if (pairs.size() != 1)
            throw RefusalError("--at vuole una sola coppia riga,colonna, non '" + value + "'.");
        cells.emplace_back(optionInteger("--at", pairs[0].first), optionInteger("--at", pairs[0].second));
    }
    if (width <= 0 || height <= 0)
        throw RefusalError("Indicare la dimensione del fotogramma con --size LARGHEZZAxALTEZZA.");
    if (!directionGiven)
        throw RefusalError("Indicare il verso di lettura con --direction 00|0480|6400|640480.");
    if (!table && cells.empty())
        throw RefusalError("Indicare almeno un pixel con --at riga,colonna, oppure --table.");

    runTransformation(stato, width, height);

    if (table) {
        std::cout << "row\tX\tY\td\tD\trise\ta\tx\ty\tcolspan\txspan\txratio\trowspan\tyspan\tyratio\n";
        for (std::size_t k = 0; k < stato.TabellaRiferimenti.size(); ++k) {
            std::cout << k;
            for (double v : stato.TabellaRiferimenti[k])
                std::cout << '\t' << sixDecimals(v);
            std::cout << '\n';
        }
    }
    for (const auto &[r, c] : cells) {
        if (!stato.GrigliaMetrica.contains(r, c))
            throw RefusalError("Il pixel riga " + intText(r) + ", colonna " + intText(c) + " è fuori dal fotogramma.");
        std::cout << r << ' ' << c << ' ' << sixDecimals(stato.GrigliaMetrica.at(r, c, 0)) << ' '
                  << sixDecimals(stato.GrigliaMetrica.at(r, c, 1)) << '\n';
    }
    return 0;
}

const CommandRegistration reg({"grid",
                               "grid --size LxA --direction 00|0480|6400|640480 --points \"x,y ...\" "
                               "[--distances \"d ...\"] [--gps \"X,Y ...\"] (--at r,c ... | --table)",
                               "x e y metriche dei pixel dopo la trasformazione dei punti di riferimento", runGrid});

} // namespace

} // namespace kalvor::cli
