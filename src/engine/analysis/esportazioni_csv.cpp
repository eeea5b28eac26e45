// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/esportazioni_csv.hpp"

#include "common/numbers.hpp"

#include <cmath>
#include <optional>

namespace kalvor {

namespace {

const NumberFormat punto = NumberFormat::dot();

class RigaCsv
{
public:
    explicit RigaCsv(std::string &out)
        : m_out(out)
    {
    }
    ~RigaCsv() { m_out += "\r\n"; }
    RigaCsv(const RigaCsv &) = delete;
    RigaCsv &operator=(const RigaCsv &) = delete;

    RigaCsv &testo(std::string_view t)
    {
        separa();
        m_out += t;
        return *this;
    }
    RigaCsv &numero(double v)
    {
        separa();
        appendFixedText(m_out, v, punto);
        return *this;
    }
    RigaCsv &numero(std::optional<double> v) { return v ? numero(*v) : testo(""); }

private:
    void separa()
    {
        if (!m_primo)
            m_out += ',';
        m_primo = false;
    }
    std::string &m_out;
    bool m_primo = true;
};

std::string_view nomeArco(double codice)
{
    return codice == 1.0 ? "sup" : codice == 2.0 ? "inf" : "";
}

constexpr std::string_view intestazioneAvvistamenti
    = "vehicle,lane,arc,frame,time_s,x_m,y_m,speed_kmh,length_m,distance_m,out_of_arc\r\n";

void scriviAvvistamento(std::string &out, const RigaIstanti &r)
{
    RigaCsv(out)
        .numero(r.veicolo)
        .testo(nomeArco(r.corsia))
        .testo(nomeArco(r.Arco))
        .numero(r.fotogr)
        .numero(r.tempo)
        .numero(r.barX)
        .numero(r.barY)
        .numero(r.velocita)
        .numero(r.lungh)
        .numero(r.spazio)
        .numero(r.sorp);
}

} // namespace

std::string csvTraiettorie(const std::vector<RigaIstanti> &istanti)
{
    std::string out(intestazioneAvvistamenti);
    out.reserve(istanti.size() * 96 + out.size());
    for (const RigaIstanti &r : istanti)
        scriviAvvistamento(out, r);
    return out;
}

std::string csvVeicoli(const std::vector<RigaIstanti> &veicoli, const std::vector<RigaIstanti> &istanti)
{
    // Only whole, non-negative vehicle numbers are grouped; they fill the first rows.
    std::size_t raggruppate = 0;
    for (const RigaIstanti &r : istanti)
        if (r.veicolo >= 0.0 && std::trunc(r.veicolo) == r.veicolo)
            ++raggruppate;
    std::string out(intestazioneAvvistamenti);
    out.reserve(raggruppate * 96 + out.size());
    for (std::size_t i = 0; i < raggruppate && i < veicoli.size(); ++i)
        scriviAvvistamento(out, veicoli[i]);
    return out;
}

std::string csvFlussi(const AnalisiTraffico &a)
{
    std::string out("arc,interval_start_s,interval_end_s,observed_s,count,flow_veh_h,mean_speed_kmh,"
                    "p85_speed_kmh,space_mean_speed_kmh,mean_time_headway_s,mean_space_headway_m,"
                    "density_veh_km\r\n");
    for (const FlussoIntervallo &f : a.flussi)
        RigaCsv(out)
            .testo(nomeArco(f.arco))
            .numero(f.inizio)
            .numero(f.fine)
            .numero(f.durata)
            .numero(static_cast<double>(f.veicoli))
            .numero(f.flusso)
            .numero(f.velocitaMedia)
            .numero(f.velocita85)
            .numero(f.velocitaSpazio)
            .numero(f.distanziamentoTemporale)
            .numero(f.distanziamentoSpaziale)
            .numero(f.densita);
    return out;
}

std::string csvIndicatoriEstesi(const AnalisiTraffico &a)
{
    std::string out("arc,leader,follower,section_x_m,leader_front_time_s,leader_rear_time_s,"
                    "follower_front_time_s,time_headway_s,space_headway_m,pet_s,leader_speed_kmh,"
                    "follower_speed_kmh,leader_length_m,follower_length_m\r\n");
    for (const CoppiaConsecutiva &c : a.coppie) {
        const PassaggioSezione &primo = a.passaggi[c.primo];
        const PassaggioSezione &secondo = a.passaggi[c.secondo];
        RigaCsv(out)
            .testo(nomeArco(c.arco))
            .numero(primo.veicolo)
            .numero(secondo.veicolo)
            .numero(a.opzioni.sezioneX)
            .numero(primo.tempoFronte)
            .numero(primo.tempoCoda)
            .numero(secondo.tempoFronte)
            .numero(c.distanziamentoTemporale)
            .numero(c.distanziamentoSpaziale)
            .numero(c.pet)
            .numero(primo.velocita)
            .numero(secondo.velocita)
            .numero(primo.lunghezza)
            .numero(secondo.lunghezza);
    }
    return out;
}

} // namespace kalvor
