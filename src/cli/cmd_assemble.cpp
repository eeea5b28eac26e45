// SPDX-License-Identifier: GPL-3.0-or-later
// `kalvor-cli assemble OUT.kvr IN1.kvr IN2.kvr ...`: joins the project files
// of consecutive intervals into one, as the assembly screen does.
#include "cli/commands.hpp"
#include "cli/options.hpp"
#include "cli/progress.hpp"
#include "common/errors.hpp"
#include "common/files.hpp"
#include "project/assembly.hpp"
#include "state/record_veicolo.hpp"

#include <iostream>

namespace kalvor::cli {

namespace {

const CommandHelp kHelp {"assemble",
                         "USCITA.kvr FILE1.kvr FILE2.kvr ...",
                         "Unisce i file di progetto di intervalli consecutivi in USCITA.kvr, come la\n"
                         "schermata di assemblaggio.",
                         {}};

int runAssemble(const Args &arguments)
{
    const auto options = parseOptions(arguments, kHelp);
    if (!options)
        return 0;
    const Args &args = options->positional;
    if (args.size() < 2)
        throw RefusalError("Indicare il file da scrivere e almeno un file da unire: "
                           "kalvor-cli assemble USCITA.kvr FILE1.kvr FILE2.kvr ...");
    const std::string output = args[0];
    checkOutputFile(output);
    const std::vector<std::string> inputs(args.begin() + 1, args.end());
    std::vector<TextList> files(inputs.size());
    ProgressLine line("file");
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        files[i].loadFromFile(inputs[i]);
        line.update((i + 1.0) / static_cast<double>(inputs.size()), static_cast<int>(i + 1));
    }
    line.finish();
    const TextList assembled = assembleProjects(files);
    assembled.saveToFile(output);
    std::cout << "Assemblaggio completato: " << inputs.size() << " file, " << findRecords(assembled).size()
              << " record di veicoli in \"" << output << "\".\n";
    return 0;
}

const CommandRegistration reg({"assemble", "assemble USCITA.kvr FILE1.kvr [FILE2.kvr ...]",
                               "unisce i file di progetto di intervalli consecutivi", runAssemble});

} // namespace

} // namespace kalvor::cli
