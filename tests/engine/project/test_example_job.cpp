// SPDX-License-Identifier: GPL-3.0-or-later
// The committed example job must stay the one built from the scene it is
// made for: a change of the scene's geometry or of the project file format
// shows up here. KALVOR_UPDATE_GOLDEN=1 rewrites it.
#include "common/files.hpp"
#include "project/project_reader.hpp"
#include "project/project_writer.hpp"
#include "support/example_job.hpp"
#include "support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace kalvor;

TEST(ExampleJob, CommittedFileIsTheOneBuiltFromTheScene)
{
    const std::string committed = std::string(KALVOR_SOURCE_DIR) + "/resources/esempio/esempio.kvr";
    const StatoLavoro job = kalvor::testing::exampleJob(kalvor::scene::sceneGeometry(640, 480),
                                                        kalvor::testing::ExampleJobOptions {}, NumberFormat::comma());
    const char *update = std::getenv("KALVOR_UPDATE_GOLDEN");
    if (update && std::string(update) == "1")
        writeProjectFile(committed, job);
    const kalvor::testing::TempDir dir;
    writeProjectFile(dir.file("esempio.kvr"), job);
    EXPECT_EQ(readFileBytes(committed), readFileBytes(dir.file("esempio.kvr")));

    // What the demo relies on: 100 frames at 0.2 s, ten metres between points,
    // the area on the road axis.
    EXPECT_EQ(job.Estrattore.ListaFotogrammi.count(), 100);
    EXPECT_EQ(job.Estrattore.ListaTempi.line(99), "19,8");
    EXPECT_EQ(job.Prospettiva.DistanzeRealiP, (TextList {"10", "10", "10"}));
    EXPECT_EQ(job.AreaCaptazione.PuntiRiferimento, (TextList {"240", "8", "240", "631", "170", "320", "310", "320"}));
    EXPECT_EQ(job.Calibrazione.ImmagineFinale, "99");
}
