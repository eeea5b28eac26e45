// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/project_numbers.hpp"

#include "common/errors.hpp"
#include "project/profile_text.hpp"
#include "project/project_labels.hpp"

#include <string>

namespace kalvor {

namespace {

using namespace project;

enum class Kind { Integer, Decimal, Profile };

class NumberCheck
{
public:
    NumberCheck(const TextList &testo, const NumberFormat &format)
        : m_lines(testo.lines())
        , m_format(format)
    {
    }

    void run()
    {
        const int c = count();
        for (int h = 5; h < c; ++h) {
            const std::string &l = m_lines[static_cast<std::size_t>(h)];
            if (l == kEstrattore) {
                value(h + 2, "Estrattore.step", Kind::Decimal);
                block(h + 3, kListaFotogrammi, "Estrattore.ListaFotogrammi", Kind::Integer);
                block(h + 3, kListaTempi, "Estrattore.ListaTempi", Kind::Decimal);
            } else if (l == kProspettiva) {
                value(h + 2, "Prospettiva.FotogrammaIniziale", Kind::Integer);
                block(h + 3, kCoordinataXPixel, "Prospettiva.coordinataXPixelP", Kind::Integer);
                block(h + 3, kCoordinataYPixel, "Prospettiva.coordinataYPixelP", Kind::Integer);
                block(h + 3, kDistanzeReali, "Prospettiva.DistanzeRealiP", Kind::Decimal);
                block(h + 3, kCoordinataXGps, "Prospettiva.coordinataX_GPSp", Kind::Integer);
                block(h + 3, kCoordinataYGps, "Prospettiva.coordinataY_GPSp", Kind::Integer);
            } else if (l == kAreaCaptazione) {
                value(h + 2, "AreaCaptazione.FotogrammaIniziale", Kind::Integer);
                block(h + 3, kCoordinate, "AreaCaptazione.PuntiRiferimento", Kind::Integer);
            } else if (l == kCalibrazione) {
                fields(h, "Calibrazione");
            } else if (l == kCaptazione) {
                fields(h, "Captazione");
                value(h + 18, "Captazione.Fotogramma", Kind::Integer);
                value(h + 20, "Captazione.NumeroVeicoliTXT", Kind::Integer);
            } else if (l == kProfiloRilevamento) {
                value(h + 2, "Calibrazione.Profilo", Kind::Profile);
                value(h + 4, "Captazione.Profilo", Kind::Profile);
            }
        }
        separatorHint();
    }

    std::vector<JobProblem> problems() const { return m_problems; }

private:
    int count() const { return static_cast<int>(m_lines.size()); }

    void fields(int h, const std::string &screen)
    {
        value(h + 2, screen + ".ImmagineIniziale", Kind::Integer);
        value(h + 4, screen + ".ImmagineFinale", Kind::Integer);
        value(h + 6, screen + ".VeicoloIniziale", Kind::Integer);
        value(h + 8, screen + ".VariazionePosTXT", Kind::Decimal);
        value(h + 10, screen + ".LunghezzaMinTXT", Kind::Decimal);
        value(h + 12, screen + ".AreaVeicoloTXT", Kind::Decimal);
        value(h + 14, screen + ".MargineSuperiore", Kind::Integer);
        value(h + 16, screen + ".MargineInferiore", Kind::Integer);
    }

    // Blocks are read as the reader reads them: every label from `start` to
    // the end of the file, each up to its end marker.
    void block(int start, const BlockMarkers &markers, const std::string &item, Kind kind)
    {
        const int c = count();
        for (int i = start; i < c; ++i) {
            if (m_lines[static_cast<std::size_t>(i)] != markers.label)
                continue;
            for (int j = i + 1; j < c && m_lines[static_cast<std::size_t>(j)] != markers.end; ++j)
                value(j, item, kind);
        }
    }

    void value(int i, const std::string &item, Kind kind)
    {
        if (i >= count())
            return; // the reader reports a file cut short
        const std::string &text = m_lines[static_cast<std::size_t>(i)];
        try {
            if (kind == Kind::Integer) {
                toInt(text);
            } else if (kind == Kind::Profile) {
                profileFromText(text);
            } else {
                m_localeSeparatorUsed |= text.find(m_format.decimalSeparator) != std::string::npos;
                toDecimal(text, m_format);
            }
        } catch (const ConversionError &e) {
            // Files of the original format wrote a list of five lines or fewer
            // as this single word: its values are gone.
            const std::string message = text == kVuota && kind != Kind::Profile
                ? "la lista fu salvata come \"vuota\" perché aveva cinque righe o meno: i suoi valori non "
                  "sono nel file e vanno indicati di nuovo."
                : std::string(e.what());
            m_problems.push_back({"riga " + std::to_string(i + 1) + " (" + item + ")", message});
            if (kind == Kind::Decimal) {
                m_decimalFailures.push_back(m_problems.size() - 1);
                m_allConvertTheOtherWay &= convertsWithTheOtherSeparator(text);
            }
        }
    }

    bool convertsWithTheOtherSeparator(const std::string &text) const
    {
        try {
            toDecimal(text, other());
            return true;
        } catch (const ConversionError &) {
            return false;
        }
    }

    NumberFormat other() const
    {
        return m_format.decimalSeparator == ',' ? NumberFormat::dot() : NumberFormat::comma();
    }

    void separatorHint()
    {
        if (m_decimalFailures.empty() || !m_allConvertTheOtherWay || m_localeSeparatorUsed)
            return;
        // One example is enough when the cause is the whole file's.
        const std::size_t failures = m_decimalFailures.size();
        for (auto it = m_decimalFailures.rbegin(); it + 1 != m_decimalFailures.rend(); ++it)
            m_problems.erase(m_problems.begin() + static_cast<std::ptrdiff_t>(*it));
        const bool fileUsesDot = other().decimalSeparator == '.';
        m_problems.push_back(
            {"file",
             (failures > 1 ? "come questo, altri " + std::to_string(failures - 1) + " valori decimali: "
                           : std::string())
                 + "il file usa " + (fileUsesDot ? "il punto" : "la virgola")
                 + " come separatore decimale, mentre le impostazioni locali (LC_NUMERIC) usano "
                 + (fileUsesDot ? "la virgola" : "il punto") + ". Aprirlo con "
                 + (fileUsesDot ? "LC_NUMERIC=C.UTF-8" : "LC_NUMERIC=it_IT.UTF-8")
                 + " davanti al comando (o LC_ALL, se è impostata), per esempio: "
                 + (fileUsesDot ? "LC_ALL=C.UTF-8" : "LC_ALL=it_IT.UTF-8") + " kalvor-cli run LAVORO.kvr"});
    }

    const std::vector<std::string> &m_lines;
    NumberFormat m_format;
    std::vector<JobProblem> m_problems;
    std::vector<std::size_t> m_decimalFailures; // indices into m_problems
    bool m_allConvertTheOtherWay = true;
    bool m_localeSeparatorUsed = false;
};

} // namespace

std::vector<JobProblem> checkProjectNumbers(const TextList &testo, const NumberFormat &format)
{
    NumberCheck check(testo, format);
    check.run();
    return check.problems();
}

} // namespace kalvor
