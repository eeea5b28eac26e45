// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/errors.hpp"
#include "extraction/frame_file.hpp"
#include "extraction/png_io.hpp"
#include "project/headless_project_steps.hpp"
#include "project/project_reader.hpp"
#include "project/project_writer.hpp"
#include "scene/road_scene.hpp"
#include "support/example_job.hpp"
#include "support/scoped_number_format.hpp"
#include "support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <filesystem>

using namespace kalvor;

namespace {

// The example job over the first ten extracted frames of its scene.
void writeShortExample(const kalvor::testing::TempDir &dir, int frames)
{
    const kalvor::scene::RoadScene scene(kalvor::scene::SceneOptions {});
    StatoLavoro job = kalvor::testing::exampleJob(scene.geometry(), {}, NumberFormat::comma());
    job.Captazione.ImmagineFinale = "9";
    job.CP.FotogrammaAttuale = 4;
    job.Captazione.NumeroVeicoliTXT = "6";
    writeProjectFile(dir.file("esempio.kvr"), job);
    for (int k = 0; k < frames; ++k)
        writePng(frameFileName(dir.path(), k), scene.frame(5 * k));
}

} // namespace

TEST(HeadlessProjectSteps, OpensTheExampleJobAsTheScreensWould)
{
    const kalvor::testing::ScopedNumberFormat comma(NumberFormat::comma());
    kalvor::testing::TempDir dir;
    writeShortExample(dir, 10);
    StatoLavoro s(NumberFormat::comma());
    s.Prospettiva.coordinataXPixelD = {"stale"};
    HeadlessProjectSteps steps(s);
    readProjectFile(dir.file("esempio.kvr"), s, steps);

    EXPECT_EQ(s.FotogrammaProspettiva, 0);
    EXPECT_TRUE(s.Prospettiva.coordinataXPixelD.empty()) << "the reset without asking clears the D lists";
    EXPECT_EQ(s.Prospettiva.coordinataXPixelP.count(), 4);
    EXPECT_EQ(s.AreaCaptazione.PuntiRiferimento.count(), 8);
    // The capture background over 0..9, then the saved frame and counter.
    EXPECT_EQ(s.CP.NumeroFotogrammiMedia, 10);
    EXPECT_EQ(s.CP.AltezzaImmagine, 480);
    EXPECT_EQ(s.CP.LarghezzaRiga, 640 * 3);
    EXPECT_EQ(s.CP.FotogrammaAttuale, 4);
    EXPECT_EQ(s.CP.NumeroVeicolo, 7);
    EXPECT_EQ(s.Captazione.fotogrammaTXT, "4");
    EXPECT_EQ(steps.referenceFrame().width, 640);
    EXPECT_EQ(steps.captureFrame().height, 480);
}

TEST(HeadlessProjectSteps, AMissingBackgroundFrameStopsTheReading)
{
    const kalvor::testing::ScopedNumberFormat comma(NumberFormat::comma());
    kalvor::testing::TempDir dir;
    writeShortExample(dir, 6);
    StatoLavoro s(NumberFormat::comma());
    HeadlessProjectSteps steps(s);
    EXPECT_THROW(readProjectFile(dir.file("esempio.kvr"), s, steps), Error);
    // The calibration section came before and stays read; the capture's
    // counters were not reached.
    EXPECT_EQ(s.Calibrazione.ImmagineFinale, "99");
    EXPECT_EQ(s.Captazione.ImmagineFinale, "9");
    EXPECT_EQ(s.Captazione.NumeroVeicoliTXT, "00000");
}
