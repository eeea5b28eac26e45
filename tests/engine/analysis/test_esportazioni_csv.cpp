// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/esportazioni_csv.hpp"
#include "righe_esempio.hpp"
#include "support/scoped_number_format.hpp"

#include <gtest/gtest.h>

using namespace kalvor;
using kalvor::testing::avvistamento;

TEST(EsportazioniCsv, SightingsWithDotDecimalsWhateverTheLocale)
{
    kalvor::testing::ScopedNumberFormat virgola(NumberFormat::comma());
    RigaIstanti r = avvistamento(12, 1, 3.4, 101.234567, 87.5, 4.25);
    r.barY = -1.5;
    r.corsia = 2; // out of its arc
    r.sorp = 1;
    r.fotogr = 17;
    r.spazio = 2.43;
    EXPECT_EQ(csvTraiettorie({r}),
              "vehicle,lane,arc,frame,time_s,x_m,y_m,speed_kmh,length_m,distance_m,out_of_arc\r\n"
              "12,inf,sup,17,3.4,101.2346,-1.5,87.5,4.25,2.43,1\r\n");
}

TEST(EsportazioniCsv, VehiclesLeaveOutTheRowsOfNumbersThatWereNotGrouped)
{
    // Vehicle 2.5 does not reach TabellaVeicoli, which ends with its row of zeros.
    const std::vector<RigaIstanti> istanti {avvistamento(1, 2, 0.0, 0.0, 0.0, 4.0),
                                            avvistamento(2.5, 0, 0.0, 5.0, 0.0, 4.0),
                                            avvistamento(1, 2, 1.0, 10.0, 36.0, 4.0)};
    const std::vector<RigaIstanti> veicoli {istanti[0], istanti[2], RigaIstanti {}};
    const std::string csv = csvVeicoli(veicoli, istanti);
    EXPECT_EQ(csv.substr(csv.find('\n') + 1),
              "1,inf,inf,0,0,0,0,0,4,0,0\r\n"
              "1,inf,inf,0,1,10,0,36,4,0,0\r\n");
}

TEST(EsportazioniCsv, PairsAtTheSectionWithAnEmptyFieldForAnUndefinedPet)
{
    OpzioniAnalisi opzioni;
    opzioni.sezioneX = 12.0;
    AnalisiTraffico a = analizzaTraffico(kalvor::testing::tabellaEsempio(), opzioni);
    EXPECT_EQ(csvIndicatoriEstesi(a),
              "arc,leader,follower,section_x_m,leader_front_time_s,leader_rear_time_s,follower_front_time_s,"
              "time_headway_s,space_headway_m,pet_s,leader_speed_kmh,follower_speed_kmh,leader_length_m,"
              "follower_length_m\r\n"
              "inf,1,2,12,0.5,0.7,1.7,1.2,24,1,72,72,4,6\r\n");
    a.passaggi[a.coppie[0].primo].tempoCoda.reset();
    a.coppie[0].pet.reset();
    const std::string csv = csvIndicatoriEstesi(a);
    EXPECT_EQ(csv.substr(csv.find('\n') + 1), "inf,1,2,12,0.5,,1.7,1.2,24,,72,72,4,6\r\n");
}
