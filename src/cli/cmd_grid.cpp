// SPDX-License-Identifier: GPL-3.0-or-later
// `kalvor-cli grid`: runs the pixel-to-metric transformation on points given
// on the command line and prints the metric x and y of the pixels asked, or
// the rows of TabellaRiferimenti, so that a calibration can be checked
// without the screens.
#include "cli/commands.hpp"
#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "geometry/trasformazione.hpp"

#include <cstdio>
#include <iostream>
#include <sstream>

namespace kalvor::cli {

namespace {

const char *const kHelp = "kalvor-cli grid --size WxH --direction 00|0480|6400|640480 --points \"x,y x,y ...\"\n"
                          "                [--distances \"d d ...\"] [--gps \"X,Y X,Y ...\"] (--at r,c ... | --table)\n"
                          "\n"
                          "  --size       width and height of the frame in pixels\n"
                          "  --direction  where the measured points start: 00 top left, 640480 bottom right,\n"
                          "               0480 bottom left, 6400 top right\n"
                          "  --points     pixel column,row of each reference point in measuring order\n"
                          "  --distances  real distance in metres from each point to the next, written with the\n"
                          "               decimal separator of the locale (LC_NUMERIC), as on the screens\n"
                          "  --gps        GPS X,Y in whole metres of each point; switches GPS mode on\n"
                          "  --at r,c     a pixel (row, column) whose metric x and y to print; repeatable\n"
                          "  --table      print the rows of TabellaRiferimenti instead\n"
                          "\n"
                          "Output: one line per --at, \"r c x y\", metres with six decimals and the locale's\n"
                          "separator; with --table a header and one line per row of the table.\n";

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
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        if (a == "--help" || a == "-h") {
            std::cout << kHelp;
            return 0;
        }
        if (a == "--table") {
            table = true;
            continue;
        }
        if (i + 1 >= args.size())
            throw RefusalError("Manca il valore di " + a + ". Vedere kalvor-cli grid --help.");
        const std::string &value = args[++i];
        if (a == "--size") {
            const auto x = value.find('x');
            if (x == std::string::npos)
                throw RefusalError("--size vuole LARGHEZZAxALTEZZA, non '" + value + "'.");
            width = toInt(value.substr(0, x));
            height = toInt(value.substr(x + 1));
        } else if (a == "--direction") {
            chooseReadingDirection(stato.SceltaVersoLetture, directionFromCode(value));
            directionGiven = true;
        } else if (a == "--points") {
            for (const Pair &p : splitPairs(value, "--points")) {
                stato.Prospettiva.coordinataXPixelP.append(p.first);
                stato.Prospettiva.coordinataYPixelP.append(p.second);
            }
        } else if (a == "--distances") {
            for (const std::string &d : splitWords(value))
                stato.Prospettiva.DistanzeRealiP.append(d);
        } else if (a == "--gps") {
            stato.SceltaVersoLetture.usoGPS = true;
            for (const Pair &p : splitPairs(value, "--gps")) {
                stato.Prospettiva.coordinataX_GPSp.append(p.first);
                stato.Prospettiva.coordinataY_GPSp.append(p.second);
            }
        } else if (a == "--at") {
            const auto pairs = splitPairs(value, "--at");
            if (pairs.size() != 1)
                throw RefusalError("--at vuole una sola coppia riga,colonna, non '" + value + "'.");
            cells.emplace_back(toInt(pairs[0].first), toInt(pairs[0].second));
        } else {
            throw RefusalError("Opzione sconosciuta '" + a + "'. Vedere kalvor-cli grid --help.");
        }
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
                               "grid --size WxH --direction 00|0480|6400|640480 --points \"x,y ...\" "
                               "[--distances \"d ...\"] [--gps \"X,Y ...\"] (--at r,c ... | --table)",
                               "metric x and y of pixels after the reference-point transformation (grid --help)",
                               runGrid});

} // namespace

} // namespace kalvor::cli
