// SPDX-License-Identifier: GPL-3.0-or-later
#include "capture/avanzamento.hpp"
#include "capture/sovrapposizioni_captazione.hpp"
#include "extraction/frame_file.hpp"
#include "extraction/png_io.hpp"
#include "fixture_captazione.hpp"
#include "project/headless_project_steps.hpp"
#include "project/project_reader.hpp"
#include "project/project_writer.hpp"

#include <gtest/gtest.h>

using namespace kalvor;
using kalvor::testing::CaptazioneTest;

namespace {

// The capture screen's steps of the project reader on a session, with the
// fixture's background (the empty road) in place of the interval's mean.
class PassiCaptazione : public HeadlessProjectSteps
{
public:
    PassiCaptazione(StatoLavoro &s, SessioneCaptazione &ses, const std::string &dir)
        : HeadlessProjectSteps(s)
        , m_s(s)
        , m_ses(ses)
        , m_dir(dir)
    {
    }
    void CalcolaMediaClick() override
    {
        CalcolaMediaCaptazione(m_s, m_ses);
        const RgbImage vuoto = readPng(frameFileName(m_dir, 0));
        std::copy(vuoto.pixels.begin(), vuoto.pixels.end(), m_s.CP.MediaSfondo.data.begin());
        ++m_s.CP.GenerazioneSfondo;
    }
    void setBarraElaborazione(int p) override { impostaBarraCaptazione(m_ses, p); }
    void showCaptureFrame(const RgbImage &f) override { mostraFotogrammaCaptazione(m_ses, f); }
    void drawCaptureOverlays() override
    {
        DisegnaContornoVeicoli(m_s, m_ses, false, colors::red);
        DisegnaVeicoliVirtualiClick(m_s, m_ses);
    }

private:
    StatoLavoro &m_s;
    SessioneCaptazione &m_ses;
    std::string m_dir;
};

} // namespace

// Saved at frame 7 and read again, the capture goes on exactly as if it had
// never stopped, also after a step back and through "Fotogrammi finiti".
TEST_F(CaptazioneTest, SalvataERiapertaProsegueUguale)
{
    avvia();
    for (int i = 0; i < 7; ++i)
        AvanzaFotogrammaClick(stato, sessione);
    writeProjectFile(dir.file("lavoro.kvr"), stato);

    StatoLavoro riletto {NumberFormat::comma()};
    SessioneCaptazione riaperta;
    riaperta.anticipa = false;
    PassiCaptazione passi(riletto, riaperta, dir.path());
    readProjectFile(dir.file("lavoro.kvr"), riletto, passi);
    // Rebuilt by the confirmations of the chain that reading starts; the
    // time of the frame shown is not in the file (frame 6 has none to look up).
    riletto.GrigliaMetrica = stato.GrigliaMetrica;
    riletto.TabellaTempiFotogrammi = stato.TabellaTempiFotogrammi;
    riletto.CP.IstanteFotogramma = stato.CP.IstanteFotogramma;

    EXPECT_EQ(riletto.CP.FotogrammaAttuale, 7);
    EXPECT_EQ(riletto.CP.NumeroVeicolo, stato.CP.NumeroVeicolo);
    EXPECT_EQ(riaperta.fotogramma, sessione.fotogramma);
    EXPECT_EQ(riaperta.disegno, sessione.disegno);
    EXPECT_EQ(riaperta.veicoliVirtuali, sessione.veicoliVirtuali);
    EXPECT_EQ(riaperta.barraPosizione, 7);

    const auto uguali = [&](const char *dove) {
        SCOPED_TRACE(dove);
        EXPECT_EQ(riletto.Captazione.veicoliAtt, stato.Captazione.veicoliAtt);
        EXPECT_EQ(riletto.Captazione.veicoliPrec, stato.Captazione.veicoliPrec);
        EXPECT_EQ(riletto.Captazione.VeicoliTOT, stato.Captazione.VeicoliTOT);
        EXPECT_EQ(riletto.Captazione.NumeroVeicoliTXT, stato.Captazione.NumeroVeicoliTXT);
        EXPECT_EQ(riletto.CP.FotogrammaAttuale, stato.CP.FotogrammaAttuale);
    };
    FotogrammaPrecedenteClick(stato, sessione);
    FotogrammaPrecedenteClick(riletto, riaperta);
    uguali("back to 6");
    for (int i = 0; i < 8; ++i) {
        const bool fine = AvanzaFotogrammaClick(stato, sessione).fotogrammiFiniti;
        EXPECT_EQ(AvanzaFotogrammaClick(riletto, riaperta).fotogrammiFiniti, fine);
    }
    uguali("after the last frame");
    EXPECT_EQ(riaperta.disegno, sessione.disegno);
}
