// SPDX-License-Identifier: GPL-3.0-or-later
#include "extraction/frame_file.hpp"
#include "extraction/png_io.hpp"
#include "gui/app/applicazione.hpp"
#include "gui/capture/captazione.hpp"
#include "gui/detection/calibrazione.hpp"
#include "gui/platform/hint_balloon.hpp"
#include "gui/platform/scripted_platform.hpp"
#include "gui/platform/vista_fotogramma.hpp"
#include "scene/strada_sintetica.hpp"
#include "state/record_veicolo.hpp"
#include "support/modal_driver.hpp"
#include "support/screen_parts.hpp"
#include "support/temp_dir.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <iterator>

using namespace kalvor;
using namespace kalvor::gui;
using namespace kalvor::testing;
using namespace kalvor::scene;

namespace {

// 13 frames of a 160 x 120 road; frames 0 and 1 are empty, then one vehicle
// drives right in the lower arc.
void preparaLavoro(StatoLavoro &s, const std::string &cartella)
{
    const RgbImage sfondo = kalvor::scene::sfondoStrada(160, 120, 9);
    for (int n = 0; n <= 12; ++n) {
        std::vector<kalvor::scene::Scatola> v;
        if (n >= 2)
            v.push_back({6 * n, 66, 30, 10});
        writePng(frameFileName(cartella, n), kalvor::scene::fotogrammaStrada(sfondo, v, 0, 1));
    }
    s.Estrattore.Cartella = cartella;
    s.AreaCaptazione.PuntiRiferimento = TextList {"60", "5", "60", "150", "45", "0", "75", "0"};
    s.GrigliaMetrica = kalvor::scene::grigliaUniforme(160, 120, 0.2);
    for (int n = 0; n <= 12; ++n)
        s.TabellaTempiFotogrammi.push_back({static_cast<double>(n), 0.5 * n});
}

template<class T> T *figlio(QWidget *w, const char *name)
{
    T *c = w->findChild<T *>(QString::fromLatin1(name));
    if (!c)
        qFatal("manca %s", name);
    return c;
}

} // namespace

class TestCalibrazione : public QObject
{
    Q_OBJECT
private slots:
    void controlliDidascalieESuggerimenti()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        TCalibrazione *c = app.Calibrazione();
        c->refreshFromState();
        const QList<QPair<const char *, QString>> campi = {
            {"ImmagineIniziale", "0"},  {"ImmagineFinale", "200"},   {"VeicoloIniziale", "0"},
            {"MargineSuperiore", "12"}, {"MargineInferiore", "-12"}, {"AreaVeicoloTXT", "4"},
            {"VariazionePosTXT", "50"}, {"LunghezzaMinTXT", "2"},
        };
        for (const auto &[nome, testo] : campi)
            QCOMPARE(figlio<QLineEdit>(c, nome)->text(), testo);
        QCOMPARE(figlio<QPushButton>(c, "CalcolaMedia")->text(), QString("CalcolaMedia"));
        QCOMPARE(figlio<QPushButton>(c, "ElaborazioneImmagini")->text(), QString("Mostra individuazione"));
        QCOMPARE(figlio<QPushButton>(c, "ConfermaDirettamenteDati")->text(), QString("I dati vanno già bene"));
        QVERIFY(!figlio<QPushButton>(c, "ConfermaDirettamenteDati")->isEnabled());
        QCOMPARE(figlio<QPushButton>(c, "Conferma")->text(), QString("Passa al procedimento semiautomatico"));
        QCOMPARE(figlio<QCheckBox>(c, "Mirino")->text(), QString("Mirino"));
        QCOMPARE(figlio<QCheckBox>(c, "MostraAsse")->text(), QString("Mostra Asse strada"));
        QCOMPARE(figlio<QCheckBox>(c, "Ferma")->text(), QString("Ferma l'elaborazione"));
        QCOMPARE(figlio<QLabel>(c, "fotogrammaTXT")->text(), QString("00000"));
        QCOMPARE(figlio<QLabel>(c, "NumeroVeicoliTXT")->text(), QString("00000"));
        QVERIFY(figlio<QLabel>(c, "NumeroVeicoliTXT")->font().bold());
        QCOMPARE(figlio<QProgressBar>(c, "barraMedia")->orientation(), Qt::Vertical);
        QCOMPARE(figlio<QLabel>(c, "dilatazioneIMG")->size(), QSize(320, 240));
        QCOMPARE(figlio<VistaFotogramma>(c, "ImmagineColori")->size(), QSize(640, 480));
        QCOMPARE(
            hintOf(figlio<QLineEdit>(c, "AreaVeicoloTXT")),
            QString("Superfice veicolo|Superfice minima di un veicolo in pianta = Lung.min x Metà corsia in mq|15"));
        QCOMPARE(hintOf(figlio<QCheckBox>(c, "Ferma")),
                 QString("Ferma l'elaborazione|Ferma il processo di individuazione dei veicoli|2"));
        const char *ordine[] = {"ImmagineIniziale",   "ImmagineFinale", "VeicoloIniziale",      "MargineSuperiore",
                                "MargineInferiore",   "AreaVeicoloTXT", "VariazionePosTXT",     "LunghezzaMinTXT",
                                "ProfiloRilevamento", "CalcolaMedia",   "ElaborazioneImmagini", "Conferma"};
        // Walk the focus chain as Tab does: widgets that take focus from Tab, in order.
        QStringList visti;
        QWidget *w = c->findChild<QWidget *>(ordine[0]);
        for (int passi = 0; passi < 500 && visti.size() < static_cast<int>(std::size(ordine));
             ++passi, w = w->nextInFocusChain())
            if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && !w->objectName().isEmpty())
                visti << w->objectName();
        QStringList attesi;
        for (const char *n : ordine)
            attesi << n;
        QCOMPARE(visti, attesi);
    }

    void sfondoECorsaAutomatica()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        kalvor::testing::TempDir dir;
        preparaLavoro(app.stato(), dir.path());
        TCalibrazione *c = app.Calibrazione();
        c->refreshFromState();

        // Background of frame 0 alone: the empty road.
        figlio<QLineEdit>(c, "ImmagineFinale")->setText("0");
        figlio<QPushButton>(c, "CalcolaMedia")->click();
        QVERIFY(platform.messages.empty());
        QVERIFY(!app.stato().C.MediaSfondo.empty());
        QCOMPARE(figlio<QProgressBar>(c, "barraMedia")->value(), 0);

        figlio<QLineEdit>(c, "ImmagineFinale")->setText("12");
        figlio<QLineEdit>(c, "VeicoloIniziale")->setText("3");
        figlio<QPushButton>(c, "ElaborazioneImmagini")->click();
        QVERIFY(platform.messages.empty());
        QCOMPARE(figlio<QProgressBar>(c, "barraElaborazione")->maximum(), 12);
        QCOMPARE(figlio<QProgressBar>(c, "barraElaborazione")->value(), 12);
        QCOMPARE(figlio<QLabel>(c, "fotogrammaTXT")->text(), QString("12"));
        QCOMPARE(figlio<QLabel>(c, "NumeroVeicoliTXT")->text(), QString("3")); // one vehicle, number 3
        QVERIFY(!figlio<QLabel>(c, "dilatazioneIMG")->pixmap().isNull());
        QVERIFY(!figlio<VistaFotogramma>(c, "ImmagineColori")->frame().isNull());
        const auto tot = findRecords(app.stato().Calibrazione.VeicoliTOT);
        QVERIFY(tot.size() >= 5);
        QCOMPARE(platform.playedSounds.size(), qsizetype(tot.size())); // one sound per frame with a vehicle
        QVERIFY(platform.playedSounds.front().endsWith("trovata.wav"));

        // Ferma ticked while the run processes events: it stops after that frame,
        // and the next run unticks it first.
        QTimer::singleShot(0, c, [c] { figlio<QCheckBox>(c, "Ferma")->setChecked(true); });
        figlio<QPushButton>(c, "ElaborazioneImmagini")->click();
        QCOMPARE(figlio<QLabel>(c, "fotogrammaTXT")->text(), QString("1"));
        QVERIFY(figlio<QCheckBox>(c, "Ferma")->isChecked());
        figlio<QPushButton>(c, "ElaborazioneImmagini")->click();
        QVERIFY(!figlio<QCheckBox>(c, "Ferma")->isChecked());
        QCOMPARE(figlio<QLabel>(c, "fotogrammaTXT")->text(), QString("12"));
    }

    void corsaSenzaSfondoRifiutata()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        figlio<QPushButton>(app.Calibrazione(), "ElaborazioneImmagini")->click();
        QCOMPARE(platform.messages.size(), size_t(1));
        QVERIFY(platform.messages.front().text.contains("CalcolaMedia"));
    }

    void confermaPassaIParametri()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        TCalibrazione *c = app.Calibrazione();
        c->refreshFromState();
        figlio<QLineEdit>(c, "MargineSuperiore")->setText("20");
        figlio<QLineEdit>(c, "AreaVeicoloTXT")->setText("3,5");
        QTest::keyClick(figlio<QComboBox>(c, "ProfiloRilevamento"), Qt::Key_Down);
        test::ModalDriver driver; // closes the warning screen
        figlio<QPushButton>(c, "Conferma")->click();
        QCOMPARE(driver.seen, QStringList {"Controindicazioni"});
        QCOMPARE(app.stato().Captazione.MargineSuperiore, std::string("20"));
        QCOMPARE(app.stato().Captazione.MargineInferiore, std::string("-12")); // not the capture's -15
        QCOMPARE(app.stato().Captazione.AreaVeicoloTXT, std::string("3,5"));
        QCOMPARE(app.stato().Captazione.Profilo, ProfiloRilevamento::Robusto);
        app.Captazione()->refreshFromState();
        QCOMPARE(figlio<QComboBox>(app.Captazione(), "ProfiloRilevamento")->currentText(), QString("robusto"));
        QVERIFY(magnifierTimer(app.Captazione())->isActive());
    }

    void profiloRilevamentoSceltoEMostrato()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        TCalibrazione *c = app.Calibrazione();
        c->refreshFromState();
        auto *scelta = figlio<QComboBox>(c, "ProfiloRilevamento");
        QStringList voci;
        for (int i = 0; i < scelta->count(); ++i)
            voci << scelta->itemText(i);
        QCOMPARE(voci, (QStringList {"predefinito", "robusto"}));
        QCOMPARE(scelta->currentText(), QString("predefinito"));
        QVERIFY(hintOf(scelta).startsWith("Profilo rilevamento|"));

        // Chosen from the keyboard: the screen's fields hold it at once, the capture's do not.
        QTest::keyClick(scelta, Qt::Key_Down);
        QCOMPARE(scelta->currentText(), QString("robusto"));
        QCOMPARE(app.stato().Calibrazione.Profilo, ProfiloRilevamento::Robusto);
        QCOMPARE(app.stato().Captazione.Profilo, ProfiloRilevamento::Predefinito);
        QTest::keyClick(scelta, Qt::Key_Up);
        QCOMPARE(app.stato().Calibrazione.Profilo, ProfiloRilevamento::Predefinito);

        // The state put back on the screen, as after opening a job.
        app.stato().Calibrazione.Profilo = ProfiloRilevamento::Robusto;
        c->refreshFromState();
        QCOMPARE(scelta->currentText(), QString("robusto"));
    }
};

QTEST_MAIN(TestCalibrazione)
#include "test_calibrazione.moc"
