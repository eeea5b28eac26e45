// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Subcommands of kalvor-cli. Each file of this folder registers its own with
// a static CommandRegistration, so adding a command touches only its file.

#include <string>
#include <vector>

namespace kalvor::cli {

using Args = std::vector<std::string>;
using CommandFn = int (*)(const Args &args);

struct Command
{
    std::string name;
    std::string usage; // one line, after "kalvor-cli "
    std::string summary; // one line
    CommandFn run;
};

struct CommandRegistration
{
    explicit CommandRegistration(Command command);
};

const std::vector<Command> &commands();

} // namespace kalvor::cli
