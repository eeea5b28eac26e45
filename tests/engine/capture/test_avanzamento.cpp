// SPDX-License-Identifier: GPL-3.0-or-later
#include "capture/avanzamento.hpp"
#include "capture/modifica_manuale.hpp"
#include "common/errors.hpp"
#include "extraction/frame_file.hpp"
#include "extraction/png_io.hpp"
#include "fixture_captazione.hpp"
#include "state/record_veicolo.hpp"

#include <gtest/gtest.h>

#include <filesystem>

using namespace kalvor;
using kalvor::testing::CaptazioneTest;

namespace {

// Everything an operation may change, for "nothing changed" checks.
struct Fotografia
{
    explicit Fotografia(const StatoLavoro &s, const SessioneCaptazione &ses)
        : fotogrammaTXT(s.Captazione.fotogrammaTXT)
        , NumeroVeicoliTXT(s.Captazione.NumeroVeicoliTXT)
        , att(s.Captazione.veicoliAtt)
        , prec(s.Captazione.veicoliPrec)
        , tot(s.Captazione.VeicoliTOT)
        , fotogramma(s.CP.FotogrammaAttuale)
        , numero(s.CP.NumeroVeicolo)
        , istante(s.CP.IstanteFotogramma)
        , immagine(ses.fotogramma)
        , disegno(ses.disegno)
        , virtuali(ses.veicoliVirtuali)
        , barra(ses.barraPosizione)
    {
    }
    bool operator==(const Fotografia &) const = default;

    std::string fotogrammaTXT;
    std::string NumeroVeicoliTXT;
    TextList att;
    TextList prec;
    TextList tot;
    int fotogramma;
    int numero;
    double istante;
    RgbImage immagine;
    Drawing disegno;
    std::vector<VeicoloVirtuale> virtuali;
    int barra;
};

} // namespace

TEST_F(CaptazioneTest, AvvioDaCalcMedia)
{
    stato.Captazione.VeicoliTOT = TextList {"resta"};
    sessione.veicoliVirtuali.push_back({"3", 1, 1, 1, 1, true});
    avvia();
    EXPECT_TRUE(sessione.avviata);
    EXPECT_EQ(stato.CP.FotogrammaAttuale, 0);
    EXPECT_EQ(stato.Captazione.fotogrammaTXT, "0");
    EXPECT_EQ(stato.Captazione.NumeroVeicoliTXT, "-1"); // VeicoloIniziale "0", nothing found yet
    EXPECT_EQ(sessione.fotogramma, readPng(frameFileName(dir.path(), 0)));
    EXPECT_EQ(sessione.barraMassimo, 12);
    EXPECT_EQ(sessione.barraPosizione, 0);
    EXPECT_TRUE(sessione.veicoliVirtuali.empty());
    EXPECT_EQ(stato.Captazione.VeicoliTOT, TextList {"resta"});
}

TEST_F(CaptazioneTest, RifiutataPrimaDiCalcMedia)
{
    EXPECT_THROW(AvanzaFotogrammaClick(stato, sessione), RefusalError);
    EXPECT_THROW(FotogrammaPrecedenteClick(stato, sessione), RefusalError);
    EXPECT_EQ(stato.CP.FotogrammaAttuale, 0);
    EXPECT_FALSE(RiconoscimentoVeicoloManualeClick(stato, sessione, {10, 10}));
    EXPECT_EQ(stato.AggiungiVeicolo.Xtxt, "00000");
}

TEST_F(CaptazioneTest, AvanzaEInsegue)
{
    avvia();
    // Frame 1: nothing; the caption still shows "-1".
    EsitoPasso e = AvanzaFotogrammaClick(stato, sessione);
    EXPECT_FALSE(e.suono);
    EXPECT_FALSE(e.fotogrammiFiniti);
    EXPECT_EQ(stato.Captazione.fotogrammaTXT, "1");
    EXPECT_TRUE(stato.Captazione.veicoliAtt.empty());
    EXPECT_EQ(stato.Captazione.NumeroVeicoliTXT, "-1");
    EXPECT_EQ(sessione.fotogramma, readPng(frameFileName(dir.path(), 1)));

    // Frames 2..12: the lower vehicle is 0 throughout, the upper one 1.
    std::vector<int> suoni;
    for (int n = 2; n <= 12; ++n) {
        e = AvanzaFotogrammaClick(stato, sessione);
        if (e.suono)
            suoni.push_back(n);
        EXPECT_EQ(stato.CP.FotogrammaAttuale, n);
        EXPECT_EQ(sessione.barraPosizione, n);
        // The whole step is done when the sound is due: virtual vehicles and caption too.
        EXPECT_EQ(sessione.veicoliVirtuali.size(), findRecords(stato.Captazione.veicoliAtt).size());
        EXPECT_EQ(stato.Captazione.NumeroVeicoliTXT, intText(stato.CP.NumeroVeicolo - 1));
    }
    EXPECT_EQ(suoni, (std::vector<int> {2, 3, 4, 5, 6, 7, 9, 10, 11, 12}));
    const TextList &tot = stato.Captazione.VeicoliTOT;
    // Frames 2..11 have left; frame 8 had nothing, frame 12 is on screen.
    EXPECT_EQ(fotogrammi(tot),
              (std::vector<std::string> {"2", "3", "4", "4", "5", "5", "6", "6", "7", "7", "9", "9", "10", "10", "11",
                                         "11"}));
    for (const int i : findRecords(tot))
        EXPECT_EQ(recordField(tot, i, OffNumero), recordField(tot, i, OffArco) == "inf" ? "0" : "1");
    // Frame 6 has no time: frame 5's.
    for (const int i : findRecords(tot))
        if (recordField(tot, i, OffFotogramma) == "6") {
            EXPECT_EQ(recordField(tot, i, OffTempo), "2,5");
        }
    EXPECT_EQ(numeri(stato.Captazione.veicoliAtt).size(), 2U);
    EXPECT_EQ(fotogrammi(stato.Captazione.veicoliPrec), (std::vector<std::string> {"11", "11"}));
    EXPECT_EQ(stato.CP.NumeroVeicolo, 2);
    EXPECT_EQ(stato.Captazione.NumeroVeicoliTXT, "1");
}

TEST_F(CaptazioneTest, FotogrammiFinitiUnaVoltaSola)
{
    stato.Captazione.ImmagineFinale = "3";
    avvia();
    for (int i = 0; i < 3; ++i)
        AvanzaFotogrammaClick(stato, sessione);
    ASSERT_EQ(stato.CP.FotogrammaAttuale, 3);
    const TextList ultimo = stato.Captazione.veicoliAtt;
    ASSERT_FALSE(ultimo.empty());
    const int prima = stato.Captazione.VeicoliTOT.count();

    EsitoPasso e = AvanzaFotogrammaClick(stato, sessione);
    EXPECT_TRUE(e.fotogrammiFiniti);
    EXPECT_FALSE(e.suono);
    EXPECT_EQ(stato.CP.FotogrammaAttuale, 3);
    EXPECT_EQ(stato.Captazione.fotogrammaTXT, "3");
    EXPECT_EQ(stato.Captazione.VeicoliTOT.count(), prima + ultimo.count());
    EXPECT_EQ(stato.Captazione.veicoliPrec, ultimo);
    const TextList totDopo = stato.Captazione.VeicoliTOT;

    // The second click shows the message again and appends nothing more.
    e = AvanzaFotogrammaClick(stato, sessione);
    EXPECT_TRUE(e.fotogrammiFiniti);
    EXPECT_EQ(stato.Captazione.VeicoliTOT, totDopo);

    // A correction made after the message replaces the last frame's records.
    stato.Captazione.veicoliAtt.setLine(OffNumero, "44");
    AvanzaFotogrammaClick(stato, sessione);
    EXPECT_EQ(stato.Captazione.VeicoliTOT.count(), prima + ultimo.count());
    EXPECT_EQ(numeri(stato.Captazione.VeicoliTOT).back(), "44");
    EXPECT_EQ(stato.Captazione.veicoliPrec, stato.Captazione.veicoliAtt);

    // A job saved after the message and read again: the state alone tells.
    const TextList totSalvato = stato.Captazione.VeicoliTOT;
    SessioneCaptazione riaperta;
    riaperta.avviata = true;
    riaperta.anticipa = false;
    EXPECT_TRUE(AvanzaFotogrammaClick(stato, riaperta).fotogrammiFiniti);
    EXPECT_EQ(stato.Captazione.VeicoliTOT, totSalvato);
    // A file in which repeated clicks left the last frame twice keeps it once.
    for (const auto &riga : stato.Captazione.veicoliAtt.lines())
        stato.Captazione.VeicoliTOT.append(riga);
    AvanzaFotogrammaClick(stato, riaperta);
    EXPECT_EQ(stato.Captazione.VeicoliTOT, totSalvato);

    // Raising the last frame goes on without appending frame 3 again.
    stato.Captazione.ImmagineFinale = "4";
    e = AvanzaFotogrammaClick(stato, sessione);
    EXPECT_FALSE(e.fotogrammiFiniti);
    EXPECT_EQ(stato.CP.FotogrammaAttuale, 4);
    EXPECT_EQ(stato.Captazione.VeicoliTOT.count(), prima + ultimo.count());
}

// "Calc. Media" again to go on from the frame where the interval ended: the
// records of that frame stay in VeicoliTOT.
TEST_F(CaptazioneTest, RipresaDalFotogrammaFinale)
{
    stato.Captazione.ImmagineFinale = "3";
    avvia();
    for (int i = 0; i < 4; ++i)
        AvanzaFotogrammaClick(stato, sessione);
    const TextList tot = stato.Captazione.VeicoliTOT;
    ASSERT_EQ(fotogrammi(tot).back(), "3");
    stato.Captazione.ImmagineIniziale = "3";
    stato.Captazione.ImmagineFinale = "6";
    avvia();
    EXPECT_EQ(stato.Captazione.VeicoliTOT, tot);
    AvanzaFotogrammaClick(stato, sessione);
    EXPECT_EQ(stato.CP.FotogrammaAttuale, 4);
    EXPECT_EQ(stato.Captazione.VeicoliTOT, tot);
}

TEST_F(CaptazioneTest, IndietroDopoFotogrammiFiniti)
{
    stato.Captazione.ImmagineFinale = "3";
    avvia();
    for (int i = 0; i < 3; ++i)
        AvanzaFotogrammaClick(stato, sessione);
    const TextList att2 = stato.Captazione.veicoliPrec; // frame 2's records
    AvanzaFotogrammaClick(stato, sessione); // "Fotogrammi finiti"
    FotogrammaPrecedenteClick(stato, sessione);
    // As if the message had never been shown: back on frame 2 with its records.
    EXPECT_EQ(stato.CP.FotogrammaAttuale, 2);
    EXPECT_EQ(stato.Captazione.veicoliAtt, att2);
    EXPECT_TRUE(stato.Captazione.VeicoliTOT.empty());
    EXPECT_TRUE(stato.Captazione.veicoliPrec.empty());
}

TEST_F(CaptazioneTest, UnPassoFallitoNonCambiaNulla)
{
    struct Caso
    {
        const char *nome;
        void (*guasta)(StatoLavoro &, const std::string &dir);
        const char *messaggio; // how the error begins
    };
    // Two faults at once: the step reports the one it reads first.
    const std::vector<Caso> casi = {
        {"AreaVeicoloTXT",
         [](StatoLavoro &s, const std::string &) {
             s.Captazione.AreaVeicoloTXT = "quattro";
             s.Captazione.MargineSuperiore = "x";
         },
         "Area veic. mq: 'quattro'"},
        {"VariazionePosTXT", [](StatoLavoro &s, const std::string &) { s.Captazione.VariazionePosTXT = "5.0"; },
         "Variaz. posiz.: '5.0'"},
        {"LunghezzaMinTXT",
         [](StatoLavoro &s, const std::string &) {
             s.Captazione.LunghezzaMinTXT = "";
             s.Captazione.ImmagineFinale = "12a";
         },
         "Lung. min veic: ''"},
        {"ImmagineFinale",
         [](StatoLavoro &s, const std::string &) {
             s.Captazione.ImmagineFinale = "12a";
             s.Captazione.MargineInferiore = "x";
         },
         "Fotog. finale: '12a'"},
        {"MargineSuperiore", [](StatoLavoro &s, const std::string &) { s.Captazione.MargineSuperiore = "x"; },
         "margine super.: 'x'"},
        {"MargineInferiore", [](StatoLavoro &s, const std::string &) { s.Captazione.MargineInferiore = "1,5"; },
         "margine infer.: '1,5'"},
        {"missing frame file, bad margin too",
         [](StatoLavoro &s, const std::string &d) {
             std::filesystem::remove(frameFileName(d, 6));
             s.Captazione.MargineSuperiore = "x";
         },
         "Impossibile aprire il file"},
        {"hand-edited length in veicoliAtt",
         [](StatoLavoro &s, const std::string &) { s.Captazione.veicoliAtt.setLine(OffLunghezza, "lungo"); },
         "'lungo'"},
    };
    avvia();
    for (int i = 0; i < 5; ++i)
        AvanzaFotogrammaClick(stato, sessione);
    ASSERT_EQ(stato.CP.FotogrammaAttuale, 5);
    ASSERT_EQ(findRecords(stato.Captazione.veicoliAtt).size(), 2U);
    for (const Caso &c : casi) {
        SCOPED_TRACE(c.nome);
        const StatoLavoro buono = stato;
        c.guasta(stato, dir.path());
        const Fotografia prima(stato, sessione);
        try {
            AvanzaFotogrammaClick(stato, sessione);
            ADD_FAILURE() << "no error";
        } catch (const Error &e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.messaggio, 0), 0U) << e.what();
        }
        EXPECT_TRUE(Fotografia(stato, sessione) == prima);
        // Once mended, the retry appends frame 5's records once.
        stato = buono;
        riscriviFotogramma(6, 0);
        StatoLavoro copia = stato;
        AvanzaFotogrammaClick(copia, sessione);
        EXPECT_EQ(fotogrammi(copia.Captazione.VeicoliTOT), (std::vector<std::string> {"2", "3", "4", "4", "5", "5"}));
        EXPECT_EQ(copia.CP.FotogrammaAttuale, 6);
        // The session now shows frame 6: put frame 5 back for the next case.
        sessione.fotogramma = readPng(frameFileName(dir.path(), 5));
    }
}

TEST_F(CaptazioneTest, FotogrammaDiAltraDimensioneRifiutato)
{
    avvia();
    stato.Captazione.ImmagineFinale = "100";
    stato.CP.FotogrammaAttuale = 99;
    const Fotografia prima(stato, sessione);
    try {
        AvanzaFotogrammaClick(stato, sessione);
        FAIL() << "frame 100 accepted";
    } catch (const RefusalError &e) {
        EXPECT_EQ(std::string(e.what()),
                  "Il fotogramma 100 misura 20 x 20 pixel, lo sfondo 160 x 120: ricalcolare "
                  "lo sfondo con \"Calc. Media\".");
    }
    EXPECT_TRUE(Fotografia(stato, sessione) == prima);
}

TEST_F(CaptazioneTest, NumeriDiFotogrammaEstremi)
{
    avvia();
    stato.Captazione.ImmagineFinale = "2147483647";
    stato.CP.FotogrammaAttuale = 2147483647;
    stato.Captazione.fotogrammaTXT = "2147483647";
    EXPECT_TRUE(AvanzaFotogrammaClick(stato, sessione).fotogrammiFiniti);
    EXPECT_EQ(stato.CP.FotogrammaAttuale, 2147483647);
    EXPECT_EQ(stato.Captazione.fotogrammaTXT, "2147483647");
    stato.CP.FotogrammaAttuale = -2147483647 - 1;
    EXPECT_THROW(FotogrammaPrecedenteClick(stato, sessione), RefusalError);
    EXPECT_EQ(stato.CP.FotogrammaAttuale, -2147483647 - 1);
}
