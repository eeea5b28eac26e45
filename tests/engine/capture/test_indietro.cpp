// SPDX-License-Identifier: GPL-3.0-or-later
#include "capture/avanzamento.hpp"
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

void avanzaFinoA(StatoLavoro &s, SessioneCaptazione &ses, int n)
{
    while (s.CP.FotogrammaAttuale < n)
        AvanzaFotogrammaClick(s, ses);
}

} // namespace

TEST_F(CaptazioneTest, IndietroDa11A10)
{
    avvia();
    avanzaFinoA(stato, sessione, 10);
    const TextList att10 = stato.Captazione.veicoliAtt;
    const TextList prec10 = stato.Captazione.veicoliPrec;
    const TextList tot10 = stato.Captazione.VeicoliTOT;
    ASSERT_EQ(findRecords(att10).size(), 2U);
    AvanzaFotogrammaClick(stato, sessione);
    const TextList att11 = stato.Captazione.veicoliAtt;

    EsitoPasso e = FotogrammaPrecedenteClick(stato, sessione);
    EXPECT_FALSE(e.suono);
    EXPECT_EQ(stato.CP.FotogrammaAttuale, 10);
    EXPECT_EQ(stato.Captazione.fotogrammaTXT, "10");
    EXPECT_EQ(stato.Captazione.veicoliAtt, att10);
    EXPECT_EQ(stato.Captazione.veicoliPrec, prec10); // frame 9's records, rebuilt from VeicoliTOT
    EXPECT_EQ(stato.Captazione.VeicoliTOT, tot10);
    EXPECT_EQ(fotogrammi(stato.Captazione.VeicoliTOT).back(), "9");
    EXPECT_EQ(sessione.fotogramma, readPng(frameFileName(dir.path(), 10)));
    EXPECT_EQ(sessione.barraPosizione, 10);
    EXPECT_EQ(sessione.veicoliVirtuali.size(), 2U);
    EXPECT_EQ(stato.CP.IstanteFotogramma, 5.0);
    // Counter from VeicoloIniziale "0" and VeicoliTOT: numbers 0 and 1 given.
    EXPECT_EQ(stato.CP.NumeroVeicolo, 2);
    EXPECT_EQ(stato.Captazione.NumeroVeicoliTXT, "1");

    // The next advance detects frame 11 anew, with the same numbers.
    AvanzaFotogrammaClick(stato, sessione);
    EXPECT_EQ(stato.Captazione.veicoliAtt, att11);
}

TEST_F(CaptazioneTest, IndietroAUnFotogrammaSenzaRecord)
{
    avvia();
    avanzaFinoA(stato, sessione, 9);
    const TextList prec = stato.Captazione.veicoliPrec; // frame 7
    const TextList tot = stato.Captazione.VeicoliTOT;
    FotogrammaPrecedenteClick(stato, sessione);
    EXPECT_EQ(stato.CP.FotogrammaAttuale, 8);
    EXPECT_TRUE(stato.Captazione.veicoliAtt.empty());
    EXPECT_EQ(stato.Captazione.veicoliPrec, prec);
    EXPECT_EQ(stato.Captazione.VeicoliTOT, tot);
    EXPECT_TRUE(sessione.veicoliVirtuali.empty());
}

TEST_F(CaptazioneTest, IndietroContatoreDaVeicoloIniziale)
{
    stato.Captazione.VeicoloIniziale = "5";
    avvia();
    AvanzaFotogrammaClick(stato, sessione); // frame 1, nothing
    FotogrammaPrecedenteClick(stato, sessione);
    EXPECT_EQ(stato.CP.NumeroVeicolo, 6);
    EXPECT_EQ(stato.Captazione.NumeroVeicoliTXT, "5");
}

TEST_F(CaptazioneTest, IndietroSenzaFileNonCambiaNulla)
{
    avvia();
    avanzaFinoA(stato, sessione, 6);
    std::filesystem::remove(frameFileName(dir.path(), 5));
    const StatoLavoro prima = stato;
    const RgbImage immagine = sessione.fotogramma;
    const Drawing disegno = sessione.disegno;
    EXPECT_THROW(FotogrammaPrecedenteClick(stato, sessione), FileError);
    EXPECT_EQ(stato.CP.FotogrammaAttuale, 6);
    EXPECT_EQ(stato.Captazione.fotogrammaTXT, "6");
    EXPECT_EQ(stato.CP.NumeroVeicolo, prima.CP.NumeroVeicolo);
    EXPECT_EQ(stato.Captazione.veicoliAtt, prima.Captazione.veicoliAtt);
    EXPECT_EQ(stato.Captazione.veicoliPrec, prima.Captazione.veicoliPrec);
    EXPECT_EQ(stato.Captazione.VeicoliTOT, prima.Captazione.VeicoliTOT);
    EXPECT_EQ(sessione.fotogramma, immagine);
    EXPECT_EQ(sessione.disegno, disegno);

    // Before the first extracted frame: the same.
    StatoLavoro s2 = prima;
    s2.CP.FotogrammaAttuale = 0;
    EXPECT_THROW(FotogrammaPrecedenteClick(s2, sessione), FileError);
    EXPECT_EQ(s2.CP.FotogrammaAttuale, 0);
}

TEST_F(CaptazioneTest, IndietroConNumeroNonInteroNonCambiaNulla)
{
    avvia();
    avanzaFinoA(stato, sessione, 6);
    stato.Captazione.VeicoliTOT.setLine(OffNumero, "dieci");
    const StatoLavoro prima = stato;
    EXPECT_THROW(FotogrammaPrecedenteClick(stato, sessione), ConversionError);
    EXPECT_EQ(stato.CP.FotogrammaAttuale, 6);
    EXPECT_EQ(stato.Captazione.veicoliAtt, prima.Captazione.veicoliAtt);
    EXPECT_EQ(stato.Captazione.VeicoliTOT, prima.Captazione.VeicoliTOT);
}

// The read-ahead of the next frame leaves the state and the picture exactly
// as reading on demand, also when a file changes after it was read ahead.
TEST_F(CaptazioneTest, LetturaAnticipataInvisibile)
{
    StatoLavoro stato2 = stato;
    SessioneCaptazione anticipata;
    anticipata.anticipa = true;
    avvia();
    CalcolaMediaCaptazione(stato2, anticipata);
    stato2.CP.MediaSfondo = stato.CP.MediaSfondo;
    ++stato2.CP.GenerazioneSfondo;

    const auto uguali = [&](const char *dove) {
        SCOPED_TRACE(dove);
        EXPECT_EQ(stato2.Captazione.veicoliAtt, stato.Captazione.veicoliAtt);
        EXPECT_EQ(stato2.Captazione.veicoliPrec, stato.Captazione.veicoliPrec);
        EXPECT_EQ(stato2.Captazione.VeicoliTOT, stato.Captazione.VeicoliTOT);
        EXPECT_EQ(stato2.CP.FotogrammaAttuale, stato.CP.FotogrammaAttuale);
        EXPECT_EQ(stato2.CP.NumeroVeicolo, stato.CP.NumeroVeicolo);
        EXPECT_EQ(anticipata.fotogramma, sessione.fotogramma);
        EXPECT_EQ(anticipata.disegno, sessione.disegno);
    };
    for (int i = 0; i < 5; ++i) {
        AvanzaFotogrammaClick(stato, sessione);
        AvanzaFotogrammaClick(stato2, anticipata);
    }
    uguali("frame 5");
    // Frame 6 has been read ahead; now it changes on disk.
    riscriviFotogramma(6, 4);
    AvanzaFotogrammaClick(stato, sessione);
    AvanzaFotogrammaClick(stato2, anticipata);
    uguali("frame 6 rewritten");
    EXPECT_EQ(anticipata.fotogramma, readPng(frameFileName(dir.path(), 6)));
    // A file removed after being read ahead fails as it would have.
    std::filesystem::remove(frameFileName(dir.path(), 7));
    EXPECT_THROW(AvanzaFotogrammaClick(stato2, anticipata), FileError);
    EXPECT_THROW(AvanzaFotogrammaClick(stato, sessione), FileError);
    uguali("frame 7 missing");
    FotogrammaPrecedenteClick(stato, sessione);
    FotogrammaPrecedenteClick(stato2, anticipata);
    uguali("back to 5");
}

// The plain detection gives the capture the same records, numbers and lists.
TEST_F(CaptazioneTest, RilevamentoRiferimentoIdentico)
{
    avvia();
    StatoLavoro piano = stato;
    SessioneCaptazione sessionePiana;
    sessionePiana.avviata = true;
    sessionePiana.anticipa = false;
    sessionePiana.rilevamentoRiferimento = true;
    for (int n = 1; n <= 13; ++n) {
        const bool fine = AvanzaFotogrammaClick(stato, sessione).fotogrammiFiniti;
        EXPECT_EQ(AvanzaFotogrammaClick(piano, sessionePiana).fotogrammiFiniti, fine);
        EXPECT_EQ(piano.Captazione.veicoliAtt, stato.Captazione.veicoliAtt) << "frame " << n;
    }
    EXPECT_EQ(piano.Captazione.VeicoliTOT, stato.Captazione.VeicoliTOT);
    EXPECT_EQ(piano.CP.NumeroVeicolo, stato.CP.NumeroVeicolo);
    EXPECT_EQ(sessionePiana.disegno, sessione.disegno);
}
