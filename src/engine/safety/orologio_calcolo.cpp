// SPDX-License-Identifier: GPL-3.0-or-later
#include "safety/orologio_calcolo.hpp"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace kalvor {

namespace {

constexpr std::int64_t millisecondiGiorno = 24LL * 3600 * 1000;

std::int64_t oraLocale()
{
    const auto adesso = std::chrono::system_clock::now();
    const std::time_t secondi = std::chrono::system_clock::to_time_t(adesso);
    std::tm locale {};
    localtime_r(&secondi, &locale);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(adesso.time_since_epoch()).count() % 1000;
    return (locale.tm_hour * 3600LL + locale.tm_min * 60LL + locale.tm_sec) * 1000 + ms;
}

} // namespace

OrologioCalcolo orologioDiSistema()
{
    return {oraLocale, testoOraHMS};
}

std::string testoOraHMS(std::int64_t millisecondi)
{
    const std::int64_t s = ((millisecondi % millisecondiGiorno) + millisecondiGiorno) % millisecondiGiorno / 1000;
    char testo[16];
    std::snprintf(testo, sizeof testo, "%02d:%02d:%02d", static_cast<int>(s / 3600), static_cast<int>(s / 60 % 60),
                  static_cast<int>(s % 60));
    return testo;
}

std::int64_t tempoTrascorso(std::int64_t inizio, std::int64_t fine)
{
    return fine >= inizio ? fine - inizio : fine - inizio + millisecondiGiorno;
}

} // namespace kalvor
