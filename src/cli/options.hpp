// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The option parser every subcommand shares: "--opt value" and "--opt=value",
// -h/--help printing the command's Italian usage, unknown options refused
// before any work starts, "--" ending the options.

#include "cli/commands.hpp"
#include "state/profilo_rilevamento.hpp"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kalvor::cli {

struct OptionHelp
{
    std::string name; // "--out"
    std::string value; // "CARTELLA", or "" for a switch
    std::string text; // one or more lines of Italian help
    bool repeatable = false; // all() gives every value; otherwise the last one counts
};

struct CommandHelp
{
    std::string command; // "extract"
    std::string synopsis; // after "kalvor-cli extract "
    std::string description; // what the command does, a few lines
    std::vector<OptionHelp> options;
    std::string footer = {}; // printed after the options, when not empty
};

class ParsedOptions
{
public:
    bool has(const std::string &name) const;
    // The last value given (an option given twice keeps the last), or
    // `fallback`.
    std::string text(const std::string &name, const std::string &fallback = {}) const;
    std::vector<std::string> all(const std::string &name) const;

    // Numbers of options: RefusalError naming the option and the text.
    int integer(const std::string &name, int fallback) const;
    double decimal(const std::string &name, double fallback) const;

    std::vector<std::string> positional;

private:
    friend std::optional<ParsedOptions> parseOptions(const Args &args, const CommandHelp &help);
    std::map<std::string, std::vector<std::string>> m_values;
};

// Parses the arguments. With -h or --help anywhere among the options, prints
// the usage to stdout and returns nothing: the command then returns 0 without
// doing anything. RefusalError for an unknown option or a missing value.
std::optional<ParsedOptions> parseOptions(const Args &args, const CommandHelp &help);

// The usage text: synopsis, description, options.
std::string usageText(const CommandHelp &help);

// A decimal given on the command line: the locale's separator and the dot are
// both accepted, since a single number cannot be ambiguous there.
// RefusalError naming `what` and the text.
double optionDecimal(const std::string &what, const std::string &text);
int optionInteger(const std::string &what, const std::string &text);

// A detection profile given on the command line: "predefinito" or
// "robusto". RefusalError naming `what`, the text and the two words.
ProfiloRilevamento optionProfile(const std::string &what, const std::string &text);

// The help line that says how decimals are written in options.
std::string decimalsHelpLine();

// A decimal written with the locale's separator and `decimals` digits.
std::string localeDecimal(double value, int decimals);

} // namespace kalvor::cli
