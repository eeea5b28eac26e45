// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/options.hpp"

#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "common/printable.hpp"
#include "project/profile_text.hpp"

#include <cmath>
#include <cstdio>
#include <iostream>

namespace kalvor::cli {

namespace {

const OptionHelp *findOption(const CommandHelp &help, const std::string &name)
{
    for (const auto &o : help.options)
        if (o.name == name)
            return &o;
    return nullptr;
}

bool isHelp(const std::string &a)
{
    return a == "-h" || a == "--help";
}

// "-" alone names standard input or output, and "-3" is a number: neither is
// an option.
bool looksLikeOption(const std::string &a)
{
    if (a.size() < 2 || a[0] != '-')
        return false;
    return !(a[1] >= '0' && a[1] <= '9');
}

std::string seeHelp(const CommandHelp &help)
{
    return " Vedere kalvor-cli " + help.command + " --help.";
}

} // namespace

bool ParsedOptions::has(const std::string &name) const
{
    return m_values.count(name) != 0;
}

std::string ParsedOptions::text(const std::string &name, const std::string &fallback) const
{
    const auto it = m_values.find(name);
    return it == m_values.end() || it->second.empty() ? fallback : it->second.back();
}

std::vector<std::string> ParsedOptions::all(const std::string &name) const
{
    const auto it = m_values.find(name);
    return it == m_values.end() ? std::vector<std::string> {} : it->second;
}

int ParsedOptions::integer(const std::string &name, int fallback) const
{
    return has(name) ? optionInteger(name, text(name)) : fallback;
}

double ParsedOptions::decimal(const std::string &name, double fallback) const
{
    return has(name) ? optionDecimal(name, text(name)) : fallback;
}

std::optional<ParsedOptions> parseOptions(const Args &args, const CommandHelp &help)
{
    // Help first, so that "--help" after a bad option still answers.
    for (const auto &a : args) {
        if (a == "--")
            break;
        if (isHelp(a)) {
            std::cout << usageText(help);
            return std::nullopt;
        }
    }
    ParsedOptions out;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        if (optionsEnded || !looksLikeOption(a)) {
            out.positional.push_back(a);
            continue;
        }
        if (a == "--") {
            optionsEnded = true;
            continue;
        }
        const auto eq = a.find('=');
        const std::string name = a.substr(0, eq);
        const OptionHelp *o = findOption(help, name);
        if (o == nullptr)
            throw RefusalError("Opzione sconosciuta \"" + name + "\"." + seeHelp(help));
        auto &values = out.m_values[name];
        if (o->value.empty()) {
            if (eq != std::string::npos)
                throw RefusalError("L'opzione " + name + " non vuole un valore." + seeHelp(help));
            values.emplace_back();
            continue;
        }
        if (eq != std::string::npos) {
            values.push_back(a.substr(eq + 1));
        } else {
            if (i + 1 >= args.size())
                throw RefusalError("Manca il valore di " + name + " (" + o->value + ")." + seeHelp(help));
            values.push_back(args[++i]);
        }
    }
    return out;
}

std::string usageText(const CommandHelp &help)
{
    std::string s = "Uso: kalvor-cli " + help.command + (help.synopsis.empty() ? "" : " " + help.synopsis) + "\n\n"
        + help.description + "\n";
    if (!help.options.empty()) {
        s += "\nOpzioni:\n";
        for (const auto &o : help.options) {
            std::string head = "  " + o.name + (o.value.empty() ? "" : " " + o.value);
            if (head.size() < 24)
                head.resize(24, ' ');
            else
                head += "\n" + std::string(24, ' ');
            std::string text = o.text;
            for (std::size_t p = text.find('\n'); p != std::string::npos; p = text.find('\n', p + 1))
                text.insert(p + 1, std::string(24, ' '));
            s += head + text + "\n";
        }
    }
    s += "  -h, --help            questo aiuto (non scrive nulla)\n";
    if (!help.footer.empty())
        s += "\n" + help.footer + "\n";
    return s;
}

double optionDecimal(const std::string &what, const std::string &text)
{
    try {
        const bool comma = text.find(',') != std::string::npos;
        return toDecimal(text, comma ? NumberFormat::comma() : NumberFormat::dot());
    } catch (const ConversionError &) {
        throw RefusalError("Valore non valido per " + what + ": \"" + text + "\" non è un numero.");
    }
}

int optionInteger(const std::string &what, const std::string &text)
{
    try {
        return toInt(text);
    } catch (const ConversionError &) {
        throw RefusalError("Valore non valido per " + what + ": \"" + text + "\" non è un numero intero.");
    }
}

ProfiloRilevamento optionProfile(const std::string &what, const std::string &text)
{
    try {
        return profileFromText(text);
    } catch (const ConversionError &) {
        throw RefusalError("Valore non valido per " + what + ": \"" + printable(text)
                           + "\" non è un profilo di rilevamento; scrivere predefinito o robusto.");
    }
}

std::string decimalsHelpLine()
{
    return "I numeri decimali delle opzioni si scrivono con la virgola o con il punto (0,2 o 0.2),\n"
           "qualunque sia la lingua del sistema.";
}

std::string localeDecimal(double value, int decimals)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, std::isfinite(value) ? value : 0.0);
    std::string s = buffer;
    for (char &c : s)
        if (c == '.')
            c = currentNumberFormat().decimalSeparator;
    return s;
}

} // namespace kalvor::cli
