// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/files.hpp"
#include "gui/app/applicazione.hpp"
#include "gui/app/impostazioni.hpp"
#include "gui/platform/scripted_platform.hpp"
#include "gui/project/assemblazione.hpp"
#include "project/assembly.hpp"
#include "project/project_writer.hpp"
#include "support/modal_driver.hpp"
#include "support/temp_dir.hpp"

#include <QCommandLinkButton>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include <filesystem>

using namespace kalvor;
using namespace kalvor::gui;

namespace {

// Three interval files of one job: the first starts its calibration at 30.
QStringList writeIntervals(const kalvor::testing::TempDir &dir)
{
    QStringList names;
    for (int i = 1; i <= 3; ++i) {
        StatoLavoro s(NumberFormat::comma());
        s.Calibrazione.ImmagineIniziale = std::to_string(30 * i);
        for (int r = 0; r < i; ++r)
            s.Captazione.VeicoliTOT.lines().insert(
                s.Captazione.VeicoliTOT.lines().end(),
                {"veicolo", std::to_string(10 * i + r), "sup", "3", "90", "4", "7", std::to_string(100 * i), "20"});
        s.Captazione.veicoliAtt = s.Captazione.VeicoliTOT;
        const std::string name = dir.file("intervallo" + std::to_string(i) + ".kvr");
        writeProjectFile(name, s);
        names << QString::fromStdString(name);
    }
    return names;
}

void setIntervals(TAssemblazione *screen, const QString &text)
{
    auto *field = screen->findChild<QLineEdit *>("intervalliTXT");
    field->selectAll();
    QTest::keyClicks(field, text);
}

} // namespace

class TestAssemblazione : public QObject
{
    Q_OBJECT
private slots:
    void controlsAndTexts()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        TAssemblazione *a = app.Assemblazione();
        QCOMPARE(a->windowTitle(), QString("Assemblazione elaborazioni"));
        QCOMPARE(a->findChild<QLabel *>("Label8")->text(), QString("Quanti intervalli o file devo unire?"));
        QCOMPARE(a->findChild<QLineEdit *>("intervalliTXT")->text(), QString("3"));
        QCOMPARE(a->findChild<QCommandLinkButton *>("Assemblaggio")->text(), QString("Prosegui nell'assemblaggio"));
        QVERIFY(a->findChild<QLabel *>("Label1")->wordWrap());
        QVERIFY(a->findChild<QLabel *>("Label1")->text().startsWith("Ti verrà chiesto successivamente"));
        auto *nome = a->findChild<QLabel *>("NomeFileApertoTXT");
        QCOMPARE(nome->text(), QString("nome del file aperto"));
        QVERIFY(nome->alignment() & Qt::AlignRight);
        QCOMPARE(TAssemblazione::DialogoApri(2).title, QString("Selezionare il File numero 2"));
        QCOMPARE(TAssemblazione::DialogoApri(2).filter, QString("Progetto KALVOR (*.kvr)"));
        QCOMPARE(TAssemblazione::dialogoSalva().title, QString("Salva il progetto completo"));
        QCOMPARE(TAssemblazione::dialogoSalva().initialPath, QString("dati"));
        QCOMPARE(TAssemblazione::dialogoSalva().filter, QString("File dati KALVOR (*.kvr)"));
    }

    void mainScreenResetsTheFileNameCaption()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        app.Assemblazione()->setNomeFileAperto("/dati/vecchio.kvr");
        test::ModalDriver driver;
        QString captionWhenShown;
        driver.then([&](QWidget *screen) {
            captionWhenShown = screen->findChild<QLabel *>("NomeFileApertoTXT")->text();
            screen->close();
        });
        app.Impostazioni()->findChild<QCommandLinkButton *>("Assemblaggio")->click();
        QCOMPARE(driver.seen, QStringList {"Assemblazione"});
        QCOMPARE(captionWhenShown, QString("Nome del file aperto"));
    }

    void threeFilesAreJoinedAndSaved()
    {
        kalvor::testing::TempDir dir;
        const QStringList inputs = writeIntervals(dir);
        ScriptedPlatform platform;
        platform.openAnswers.assign(inputs.begin(), inputs.end());
        const QString output = QString::fromStdString(dir.file("completo.kvr"));
        platform.saveAnswers.push_back(output);
        Applicazione app(platform);
        TAssemblazione *a = app.Assemblazione();
        a->show();
        a->findChild<QCommandLinkButton *>("Assemblaggio")->click();

        QCOMPARE(platform.dialogs.size(), size_t(4));
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(platform.dialogs[size_t(i)].kind, QString("open"));
            QCOMPARE(platform.dialogs[size_t(i)].options.title, QString("Selezionare il File numero %1").arg(i + 1));
        }
        QCOMPARE(platform.dialogs[3].kind, QString("save"));
        QCOMPARE(platform.messageTexts("information"),
                 QStringList {"Assemblaggio completato\nsalvare il file per continuare"});
        QVERIFY(platform.messageTexts("error").isEmpty());
        QCOMPARE(a->findChild<QLabel *>("NomeFileApertoTXT")->text(), inputs.last());
        QVERIFY(!a->isVisible());

        const std::string expected = dir.file("atteso.kvr");
        assembleProjectFiles({inputs[0].toStdString(), inputs[1].toStdString(), inputs[2].toStdString()}, expected);
        QCOMPARE(readFileBytes(output.toStdString()), readFileBytes(expected));
        // Six records; both sections get the first file's range 30..40.
        const auto &l = a->FileAssemblato.lines();
        QCOMPARE(std::count(l.begin(), l.end(), std::string("veicolo")), 6L);
        QStringList ranges;
        for (std::size_t i = 0; i + 1 < l.size(); ++i)
            if (l[i] == "Immagine iniziale" || l[i] == "Immagine finale")
                ranges << QString::fromStdString(l[i + 1]);
        QCOMPARE(ranges, (QStringList {"30", "40", "30", "40"}));
    }

    void cancellingAnOpenDialogWritesNothing()
    {
        kalvor::testing::TempDir dir;
        const QStringList inputs = writeIntervals(dir);
        ScriptedPlatform platform;
        platform.openAnswers = {inputs[0]}; // the second dialog is cancelled
        platform.saveAnswers = {QString::fromStdString(dir.file("completo.kvr"))};
        Applicazione app(platform);
        TAssemblazione *a = app.Assemblazione();
        a->findChild<QCommandLinkButton *>("Assemblaggio")->click();
        QCOMPARE(platform.dialogs.size(), size_t(2));
        QCOMPARE(platform.messageTexts("information"),
                 QStringList {"Assemblaggio annullato\nnessun file è stato scritto"});
        QVERIFY(platform.messageTexts("error").isEmpty());
        QVERIFY(!std::filesystem::exists(dir.file("completo.kvr")));
    }

    void cancellingTheSaveDialogWritesNothing()
    {
        kalvor::testing::TempDir dir;
        const QStringList inputs = writeIntervals(dir);
        ScriptedPlatform platform;
        platform.openAnswers.assign(inputs.begin(), inputs.end());
        Applicazione app(platform);
        TAssemblazione *a = app.Assemblazione();
        const auto before = std::filesystem::current_path();
        std::filesystem::current_path(dir.path());
        a->findChild<QCommandLinkButton *>("Assemblaggio")->click();
        std::filesystem::current_path(before);
        QCOMPARE(platform.dialogs.back().kind, QString("save"));
        QVERIFY(!std::filesystem::exists(dir.file("dati")));
        QVERIFY(!std::filesystem::exists(dir.file("dati.kvr")));
        QCOMPARE(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 3L);
    }

    void countsThatAreNotPositiveOrNotNumbers_data()
    {
        QTest::addColumn<QString>("count");
        QTest::addColumn<bool>("written");
        QTest::newRow("zero") << "0" << true;
        QTest::newRow("negative") << "-2" << true;
        QTest::newRow("text") << "tre" << false;
    }

    void countsThatAreNotPositiveOrNotNumbers()
    {
        QFETCH(QString, count);
        QFETCH(bool, written);
        kalvor::testing::TempDir dir;
        ScriptedPlatform platform;
        const QString output = QString::fromStdString(dir.file("completo.kvr"));
        platform.saveAnswers = {output};
        Applicazione app(platform);
        TAssemblazione *a = app.Assemblazione();
        setIntervals(a, count);
        a->findChild<QCommandLinkButton *>("Assemblaggio")->click();
        QVERIFY(std::none_of(platform.dialogs.begin(), platform.dialogs.end(),
                             [](const RecordedDialog &d) { return d.kind == "open"; }));
        QCOMPARE(std::filesystem::exists(output.toStdString()), written);
        if (written)
            QCOMPARE(readFileBytes(output.toStdString()), std::string("---fine t\r\n"));
        else
            QCOMPARE(platform.messageTexts("error"), QStringList {"'tre' non è un valore intero valido."});
    }
};

QTEST_MAIN(TestAssemblazione)
#include "test_assemblazione.moc"
