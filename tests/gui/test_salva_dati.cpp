// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/files.hpp"
#include "gui/app/applicazione.hpp"
#include "gui/capture/captazione.hpp"
#include "gui/platform/scripted_platform.hpp"
#include "project/project_writer.hpp"
#include "support/temp_dir.hpp"

#include <QPushButton>
#include <QtTest>

#include <filesystem>
#include <unistd.h>

using namespace kalvor;
using namespace kalvor::gui;

class TestSalvaDati : public QObject
{
    Q_OBJECT
private slots:
    void dialogAsDescribed()
    {
        const FileDialogOptions d = TCaptazione::dialogoSalva();
        QCOMPARE(d.title, QString("Salva i dati fin'ora ottenuti"));
        QCOMPARE(d.initialPath, QString("dati"));
        QCOMPARE(d.filter, QString("File dati KALVOR (*.kvr)"));
        QCOMPARE(d.defaultExtension, QString("kvr"));
        ScriptedPlatform platform;
        Applicazione app(platform);
        QCOMPARE(app.Captazione()->findChild<QPushButton *>("SalvaDati")->text(),
                 QString("Salva i dati finora ottenuti"));
    }

    void savesTheJobAsItStands()
    {
        kalvor::testing::TempDir dir;
        ScriptedPlatform platform;
        const QString name = QString::fromStdString(dir.file("lavoro.kvr"));
        platform.saveAnswers = {name};
        Applicazione app(platform);
        StatoLavoro &s = app.stato();
        s.Riferimenti.luogo = "Forlì";
        s.Captazione.VeicoliTOT = {"veicolo", "1", "inf", "30", "90", "4", "7", "12", "2,4"};
        s.CP.FotogrammaAttuale = 12;
        app.Captazione()->findChild<QPushButton *>("SalvaDati")->click();

        QVERIFY(platform.messageTexts("error").isEmpty());
        writeProjectFile(dir.file("atteso.kvr"), s);
        QCOMPARE(readFileBytes(name.toStdString()), readFileBytes(dir.file("atteso.kvr")));
        QCOMPARE(app.Captazione()->testo, projectFileLines(s));
    }

    void cancellingWritesNothing()
    {
        kalvor::testing::TempDir dir;
        ScriptedPlatform platform; // no answer: cancelled
        Applicazione app(platform);
        app.Captazione()->findChild<QPushButton *>("SalvaDati")->click();
        QCOMPARE(platform.dialogs.size(), size_t(1));
        QVERIFY(app.Captazione()->testo.empty());
        QVERIFY(platform.messageTexts("error").isEmpty());
    }

    void aFolderThatCannotBeWrittenShowsTheErrorAndKeepsTheOldFile()
    {
        kalvor::testing::TempDir dir;
        ScriptedPlatform platform;
        const std::string name = dir.file("chiusa/lavoro.kvr");
        std::filesystem::create_directory(dir.file("chiusa"));
        writeFileAtomically(name, "vecchio\r\n");
        std::filesystem::permissions(dir.file("chiusa"),
                                     std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        if (::access(dir.file("chiusa").c_str(), W_OK) == 0)
            QSKIP("running with rights that ignore folder permissions");
        platform.saveAnswers = {QString::fromStdString(name)};
        Applicazione app(platform);
        app.Captazione()->findChild<QPushButton *>("SalvaDati")->click();
        QCOMPARE(platform.messageTexts("error").size(), 1);
        QVERIFY(platform.messageTexts("error").front().contains("lavoro.kvr"));
        QCOMPARE(readFileBytes(name), std::string("vecchio\r\n"));
    }
};

QTEST_MAIN(TestSalvaDati)
#include "test_salva_dati.moc"
