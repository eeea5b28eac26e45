// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/job_confirmation.hpp"

#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "detection/geometria_area.hpp"
#include "extraction/extractor.hpp"
#include "extraction/frame_file.hpp"
#include "geometry/area_captazione.hpp"
#include "geometry/trasformazione.hpp"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>

namespace kalvor {

namespace {

class Confirmation
{
public:
    explicit Confirmation(StatoLavoro &s)
        : m_s(s)
    {
    }

    // Runs one step; its failure becomes a problem of `item`.
    void step(const std::string &item, const std::function<void()> &body)
    {
        try {
            body();
        } catch (const Error &e) {
            m_problems.push_back({item, e.what()});
        }
    }

    void listedFrames()
    {
        for (const auto &line : m_s.Estrattore.ListaFotogrammi.lines())
            m_listed.insert(toInt(line));
        if (m_listed.empty())
            throw RefusalError("nessun fotogramma estratto: la lista dei fotogrammi è vuota.");
    }

    // A frame the job shows or reads: listed and present on disk.
    void requireFrame(const std::string &what, int n) const
    {
        if (m_listed.count(n) == 0)
            throw RefusalError(what + " " + intText(n) + " non è fra i fotogrammi estratti (" + listedSpan() + ").");
        const std::string file = frameFileName(m_s.Estrattore.Cartella, n);
        std::error_code ec;
        if (!std::filesystem::is_regular_file(file, ec))
            throw RefusalError("manca il file del fotogramma " + intText(n) + ": \"" + file + "\".");
    }

    void interval(const CampiRilevamento &c)
    {
        const int a = toInt(c.ImmagineIniziale);
        const int b = toInt(c.ImmagineFinale);
        if (b < a)
            throw RefusalError("l'immagine finale " + intText(b) + " precede l'immagine iniziale " + intText(a) + ".");
        for (long long n = a; n <= b; ++n)
            if (m_listed.count(static_cast<int>(n)) == 0)
                throw RefusalError("l'intervallo " + intText(a) + "–" + intText(b) + " esce dai fotogrammi estratti ("
                                   + listedSpan() + "): manca il fotogramma " + intText(n) + ".");
        for (long long n = a; n <= b; ++n)
            requireFrame("il fotogramma", static_cast<int>(n));
    }

    static void parameters(const CampiRilevamento &c)
    {
        toInt(c.VeicoloIniziale);
        StatoRilevamento det;
        leggiParametriRilevamento(c, det);
        toInt(c.MargineSuperiore);
        toInt(c.MargineInferiore);
    }

    std::vector<JobProblem> problems() const { return m_problems; }
    bool haveFrames() const { return !m_listed.empty(); }

private:
    std::string listedSpan() const
    {
        if (m_listed.empty())
            return "nessuno";
        const int first = *m_listed.begin();
        const int last = *m_listed.rbegin();
        const bool contiguous = static_cast<long long>(last) - first + 1 == static_cast<long long>(m_listed.size());
        return intText(first) + "–" + intText(last) + (contiguous ? "" : ", con lacune");
    }

    StatoLavoro &m_s;
    std::set<int> m_listed;
    std::vector<JobProblem> m_problems;
};

} // namespace

std::vector<JobProblem> confirmJob(StatoLavoro &s, int frameWidth, int frameHeight)
{
    Confirmation c(s);
    c.step("Estrattore", [&] {
        confirmExtraction(s);
        c.listedFrames();
    });
    c.step("Prospettiva", [&] {
        if (c.haveFrames())
            c.requireFrame("il fotogramma iniziale", toInt(s.Prospettiva.FotogrammaIniziale));
        runTransformation(s, frameWidth, frameHeight);
    });
    c.step("AreaCaptazione", [&] {
        if (c.haveFrames())
            c.requireFrame("il fotogramma iniziale", toInt(s.AreaCaptazione.FotogrammaIniziale));
        if (frameWidth <= 0 || frameHeight <= 0)
            throw RefusalError("la dimensione del fotogramma non è nota (manca il fotogramma dei punti di "
                               "riferimento): non si può controllare che i punti stiano nel fotogramma.");
        confirmArea(s.AreaCaptazione, frameWidth, frameHeight);
        // The detection divides by the axis' column span.
        const TextList &p = s.AreaCaptazione.PuntiRiferimento;
        if (toInt(p.line(1)) == toInt(p.line(3)))
            throw RefusalError("i due punti dell'asse stanno nella stessa colonna " + p.line(1) + ".");
    });
    c.step("Calibrazione", [&] {
        Confirmation::parameters(s.Calibrazione);
        if (c.haveFrames())
            c.interval(s.Calibrazione);
    });
    c.step("Captazione", [&] {
        Confirmation::parameters(s.Captazione);
        if (c.haveFrames())
            c.interval(s.Captazione);
    });
    return c.problems();
}

std::string problemsText(const std::vector<JobProblem> &problems)
{
    std::string s;
    for (const auto &p : problems)
        s += p.item + ": " + p.message + "\n";
    return s;
}

std::string refusedJobText(const std::vector<JobProblem> &problems)
{
    std::string text = problemsText(problems);
    if (!text.empty())
        text.pop_back();
    return "Il lavoro non è coerente; nessuna elaborazione eseguita:\n" + text;
}

void requireConfirmedJob(StatoLavoro &stato, int frameWidth, int frameHeight)
{
    const auto problems = confirmJob(stato, frameWidth, frameHeight);
    if (!problems.empty())
        throw RefusalError(refusedJobText(problems));
}

} // namespace kalvor
