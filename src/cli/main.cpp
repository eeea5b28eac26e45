// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commands.hpp"
#include "cli/options.hpp"
#include "common/errors.hpp"
#include "common/numbers.hpp"

#include <algorithm>
#include <iostream>

namespace kalvor::cli {

namespace {

std::vector<Command> &registry()
{
    static std::vector<Command> all;
    return all;
}

void printHelp(std::ostream &out)
{
    out << "kalvor-cli: Kalvor senza schermo, per i rilievi lunghi e il lavoro in serie.\n\n"
           "Uso:\n";
    auto sorted = registry();
    std::sort(sorted.begin(), sorted.end(), [](const Command &a, const Command &b) { return a.name < b.name; });
    for (const auto &c : sorted)
        out << "  kalvor-cli " << c.usage << "\n      " << c.summary << "\n";
    out << "  kalvor-cli --version\n      la versione del programma\n"
           "  kalvor-cli --help\n      questo aiuto; kalvor-cli COMANDO --help spiega un comando\n";
}

int runVersion(const Args &args)
{
    if (!parseOptions(args, {"version", "", "Scrive la versione del programma.", {}}))
        return 0;
    std::cout << "kalvor-cli " << KALVOR_VERSION << "\n";
    return 0;
}

const CommandRegistration versionCommand({"version", "version", "la versione del programma", runVersion});

} // namespace

CommandRegistration::CommandRegistration(Command command)
{
    registry().push_back(std::move(command));
}

const std::vector<Command> &commands()
{
    return registry();
}

} // namespace kalvor::cli

int main(int argc, char **argv)
{
    using namespace kalvor::cli;
    kalvor::setCurrentNumberFormat(kalvor::NumberFormat::fromLocale());
    if (argc < 2 || std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h") {
        printHelp(argc < 2 ? std::cerr : std::cout);
        return argc < 2 ? 2 : 0;
    }
    const std::string name = std::string(argv[1]) == "--version" ? "version" : argv[1];
    const Args args(argv + 2, argv + argc);
    for (const auto &c : commands()) {
        if (c.name == name) {
            try {
                return c.run(args);
            } catch (const std::exception &e) {
                std::cerr << "kalvor-cli " << name << ": " << kalvor::userMessage(e) << "\n";
                return 1;
            }
        }
    }
    std::cerr << "kalvor-cli: comando sconosciuto \"" << name << "\". Vedere kalvor-cli --help.\n";
    return 2;
}
