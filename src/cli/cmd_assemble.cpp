// SPDX-License-Identifier: GPL-3.0-or-later
// `kalvor-cli assemble OUT.kvr IN1.kvr IN2.kvr ...`: joins the project files
// of consecutive intervals into one, as the assembly screen does.
#include "cli/commands.hpp"
#include "common/errors.hpp"
#include "common/files.hpp"
#include "project/assembly.hpp"
#include "state/record_veicolo.hpp"

#include <iostream>

namespace kalvor::cli {

namespace {

int runAssemble(const Args &args)
{
    if (args.size() < 2)
        throw RefusalError("Indicare il file da scrivere e almeno un file da unire: "
                           "kalvor-cli assemble USCITA.kvr FILE1.kvr FILE2.kvr ...");
    const std::string output = args[0];
    checkOutputFile(output);
    const std::vector<std::string> inputs(args.begin() + 1, args.end());
    std::vector<TextList> files(inputs.size());
    for (std::size_t i = 0; i < inputs.size(); ++i)
        files[i].loadFromFile(inputs[i]);
    const TextList assembled = assembleProjects(files);
    assembled.saveToFile(output);
    std::cout << "Assemblaggio completato: " << inputs.size() << " file, " << findRecords(assembled).size()
              << " record di veicoli in \"" << output << "\".\n";
    return 0;
}

const CommandRegistration reg({"assemble", "assemble OUT.kvr IN1.kvr [IN2.kvr ...]",
                               "join the project files of consecutive intervals into OUT.kvr", runAssemble});

} // namespace

} // namespace kalvor::cli
