// SPDX-License-Identifier: GPL-3.0-or-later
#include "geometry/verso_letture.hpp"

#include "common/errors.hpp"
#include "common/printable.hpp"

namespace kalvor {

ReadingDirection readingDirection(const StatoSceltaVersoLetture &scelta)
{
    if (scelta.Origine00)
        return ReadingDirection::Origine00;
    if (scelta.Origine640480)
        return ReadingDirection::Origine640480;
    if (scelta.Origine0480)
        return ReadingDirection::Origine0480;
    if (scelta.Origine6400)
        return ReadingDirection::Origine6400;
    return ReadingDirection::Origine00;
}

void chooseReadingDirection(StatoSceltaVersoLetture &scelta, ReadingDirection direction)
{
    scelta.Origine00 = direction == ReadingDirection::Origine00;
    scelta.Origine640480 = direction == ReadingDirection::Origine640480;
    scelta.Origine0480 = direction == ReadingDirection::Origine0480;
    scelta.Origine6400 = direction == ReadingDirection::Origine6400;
}

void clearReadingDirection(StatoSceltaVersoLetture &scelta)
{
    scelta.Origine00 = false;
    scelta.Origine640480 = false;
    scelta.Origine0480 = false;
    scelta.Origine6400 = false;
}

bool isReversed(ReadingDirection direction)
{
    return direction == ReadingDirection::Origine640480 || direction == ReadingDirection::Origine6400;
}

bool isBottomOrigin(ReadingDirection direction)
{
    return direction == ReadingDirection::Origine0480 || direction == ReadingDirection::Origine6400;
}

std::string directionCode(ReadingDirection direction)
{
    switch (direction) {
    case ReadingDirection::Origine00:
        return "00";
    case ReadingDirection::Origine640480:
        return "640480";
    case ReadingDirection::Origine0480:
        return "0480";
    case ReadingDirection::Origine6400:
        return "6400";
    }
    return "00";
}

ReadingDirection directionFromCode(const std::string &code)
{
    if (code == "00")
        return ReadingDirection::Origine00;
    if (code == "640480")
        return ReadingDirection::Origine640480;
    if (code == "0480")
        return ReadingDirection::Origine0480;
    if (code == "6400")
        return ReadingDirection::Origine6400;
    throw ConversionError("'" + printable(code) + "' non è un verso di lettura (00, 0480, 6400, 640480).");
}

} // namespace kalvor
