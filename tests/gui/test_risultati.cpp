// SPDX-License-Identifier: GPL-3.0-or-later
#include "extraction/frame_file.hpp"
#include "extraction/png_io.hpp"
#include "gui/app/applicazione.hpp"
#include "gui/platform/hint_balloon.hpp"
#include "gui/platform/scripted_platform.hpp"
#include "gui/results/livelli_simulazione.hpp"
#include "gui/results/risultati.hpp"
#include "results/conferma.hpp"
#include "support/lavoro_risultati.hpp"
#include "support/scoped_number_format.hpp"
#include "support/temp_dir.hpp"

#include <QAbstractButton>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

#include <filesystem>

using namespace kalvor;
using namespace kalvor::gui;

namespace {

// A confirmed capture: vehicle 0 ("sup") in frames 10, 11, 12 and vehicle 1
// ("inf") in frames 10 and 12, 0.5 s apart; the axis from pixel column 100
// to 299 (2 pixels a metre); frame files in `cartella`.
void lavoroConfermato(StatoLavoro &s, const std::string &cartella)
{
    s = kalvor::testing::lavoroRisultati();
    s.AreaCaptazione.PuntiRiferimento = TextList {"100", "100", "100", "299", "80", "150", "120", "150"};
    s.Estrattore.Cartella = cartella;
    s.Estrattore.step = "0,5";
    kalvor::testing::tempiFotogrammi(s, {{10, 1.0}, {11, 1.5}, {12, 2.0}});
    kalvor::testing::aggiungiAvvistamento(s, "0", "sup", 150, "5", 10);
    kalvor::testing::aggiungiAvvistamento(s, "1", "inf", 250, "4", 10);
    kalvor::testing::aggiungiAvvistamento(s, "0", "sup", 160, "5", 11);
    kalvor::testing::aggiungiAvvistamento(s, "0", "sup", 170, "5", 12);
    kalvor::testing::aggiungiAvvistamento(s, "1", "inf", 240, "4", 12);
    for (int n : {0, 10, 11, 12})
        writePng(frameFileName(cartella, n), RgbImage(64 + n, 48));
    ConfermaClick(s, false);
}

QString testo(QWidget *screen, const char *name)
{
    return screen->findChild<QPlainTextEdit *>(name)->toPlainText();
}

} // namespace

class TestRisultati : public QObject
{
    Q_OBJECT
private slots:
    void controlsCarryTheirTexts()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        TRisultati *r = app.Risultati();
        const std::pair<const char *, const char *> testi[] = {
            {"SimulaVeicoliAutomatico", "Simula veicoli in automatico"},
            {"FermaSimulazione", "Ferma Simulazione"},
            {"AzzeraSimulazione", "Azzera la simulazione"},
            {"SimulaVeicoliAvanti", "Istante successivo di simulazione"},
            {"SimulazioneVeicoloIndietro", "Istante precedente di simulazione"},
            {"ValutazioneDati", "Valutazione dati"},
            {"CalcolaIndicatori", "Calcola Indicatori"},
            {"ChiudiTutto", "Chiudi"},
        };
        for (const auto &[name, text] : testi) {
            auto *button = r->findChild<QAbstractButton *>(name);
            QVERIFY2(button, name);
            QCOMPARE(button->text(), QString::fromUtf8(text));
        }
        const std::pair<const char *, const char *> etichette[] = {
            {"Label1", "Tempo:"},
            {"tempoTXT", "00000"},
            {"Label8", "Istante iniziale"},
            {"Label3", "Num. Prim. Veic."},
            {"Label2", "Esporta Excel 2007"},
        };
        for (const auto &[name, text] : etichette)
            QCOMPARE(r->findChild<QLabel *>(name)->text(), QString::fromUtf8(text));
        for (const char *name : {"IstanteInizialeTXT", "NumeroPrimoVeicoloTXT"}) {
            auto *field = r->findChild<QLineEdit *>(name);
            QCOMPARE(field->text(), QString("0"));
            QCOMPARE(hintOf(field), QString("Istante iniziale|istante di inizio simulazione in secondi|4"));
        }
        for (const char *name : {"ContenitoreDatiTemporali", "ContenitoreDatiVeicolari", "ValutazioniTXT"}) {
            auto *view = r->findChild<QPlainTextEdit *>(name);
            QVERIFY(view->isReadOnly());
            QCOMPARE(view->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
            QCOMPARE(view->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        }
        QCOMPARE(r->findChild<QLabel *>("stradaIMG")->size(), QSize(398, 240));
        QCOMPARE(r->findChild<QLabel *>("veicoliIMG")->geometry(), r->findChild<QLabel *>("stradaIMG")->geometry());
        QVERIFY(r->findChild<ImmagineScalata *>("filmatoIMG")->minimumSize() == QSize(320, 240));
    }

    void stepsDrawTheInstantsAndShowTheNextFrame()
    {
        kalvor::testing::ScopedNumberFormat comma {NumberFormat::comma()};
        kalvor::testing::TempDir dir;
        ScriptedPlatform platform;
        Applicazione app(platform);
        lavoroConfermato(app.stato(), dir.path());
        TRisultati *r = app.Risultati();
        r->show();
        QVERIFY(testo(r, "ContenitoreDatiTemporali").endsWith("in 2 secondi"));
        QCOMPARE(testo(r, "ContenitoreDatiVeicolari").count('\n'), 3);

        auto *livelli = r->findChild<LivelliSimulazione *>();
        auto *filmato = r->findChild<ImmagineScalata *>("filmatoIMG");
        auto *tempo = r->findChild<QLabel *>("tempoTXT");
        QTest::mouseClick(r->findChild<QAbstractButton *>("AzzeraSimulazione"), Qt::LeftButton);
        QCOMPARE(tempo->text(), QString("0"));
        QCOMPARE(livelli->strada().pixelColor(2, 120), QColor(0, 0, 255)); // the axis
        QCOMPARE(livelli->strada().pixelColor(2, 120 - 15), QColor(0, 0, 0)); // an edge
        QCOMPARE(app.stato().IstanteSimulazione, 1.0);

        QTest::mouseClick(r->findChild<QAbstractButton *>("SimulaVeicoliAvanti"), Qt::LeftButton);
        QCOMPARE(tempo->text(), QString("1"));
        QCOMPARE(filmato->image().width(), 64 + 11); // one instant ahead
        // Vehicle 0 at X 150: centre column 100, 10 by 4 pixels above the axis.
        QCOMPARE(livelli->veicoli().pixelColor(100, 113), QColor(0, 128, 0));
        QCOMPARE(livelli->veicoli().pixelColor(95, 111), QColor(0, 0, 255));
        QCOMPARE(livelli->veicoli().pixelColor(390, 5).alpha(), 0);
        QVERIFY(platform.messages.empty());

        QTest::mouseClick(r->findChild<QAbstractButton *>("SimulaVeicoliAvanti"), Qt::LeftButton);
        QTest::mouseClick(r->findChild<QAbstractButton *>("SimulazioneVeicoloIndietro"), Qt::LeftButton);
        QCOMPARE(tempo->text(), QString("1"));
        QCOMPARE(app.stato().IstanteSimulazione, 1.5);
    }

    void automaticReplayWaitsTheStepAndClearsFerma()
    {
        kalvor::testing::ScopedNumberFormat comma {NumberFormat::comma()};
        kalvor::testing::TempDir dir;
        ScriptedPlatform platform;
        Applicazione app(platform);
        lavoroConfermato(app.stato(), dir.path());
        TRisultati *r = app.Risultati();
        r->show();
        std::vector<int> attese;
        r->setAttesa([&](int ms) { attese.push_back(ms); });
        auto *ferma = r->findChild<QCheckBox *>("FermaSimulazione");
        ferma->setChecked(true);
        QTest::mouseClick(r->findChild<QAbstractButton *>("SimulaVeicoliAutomatico"), Qt::LeftButton);
        QVERIFY(!ferma->isChecked());
        QCOMPARE(attese, (std::vector<int> {500, 500, 500}));
        QCOMPARE(r->findChild<QLabel *>("tempoTXT")->text(), QString("2"));
        QCOMPARE(r->findChild<ImmagineScalata *>("filmatoIMG")->image().width(), 64 + 12);

        // Ticked during the second wait: the run ends at the next row.
        attese.clear();
        r->setAttesa([&](int ms) {
            attese.push_back(ms);
            ferma->setChecked(attese.size() == 2);
        });
        QTest::mouseClick(r->findChild<QAbstractButton *>("SimulaVeicoliAutomatico"), Qt::LeftButton);
        QCOMPARE(attese.size(), std::size_t(2));
        QCOMPARE(r->findChild<QLabel *>("tempoTXT")->text(), QString("1,5"));
    }

    void missingFrameStopsWithTheErrorBox()
    {
        kalvor::testing::ScopedNumberFormat comma {NumberFormat::comma()};
        kalvor::testing::TempDir dir;
        ScriptedPlatform platform;
        Applicazione app(platform);
        lavoroConfermato(app.stato(), dir.path());
        std::filesystem::remove(frameFileName(dir.path(), 10));
        TRisultati *r = app.Risultati();
        r->show();
        QTest::mouseClick(r->findChild<QAbstractButton *>("SimulaVeicoliAvanti"), Qt::LeftButton);
        QCOMPARE(platform.messageTexts("error").size(), 1);
        QVERIFY(platform.messageTexts("error").front().contains("10.png"));
    }

    void evaluationAndCtrlACopy()
    {
        kalvor::testing::ScopedNumberFormat comma {NumberFormat::comma()};
        kalvor::testing::TempDir dir;
        ScriptedPlatform platform;
        Applicazione app(platform);
        lavoroConfermato(app.stato(), dir.path());
        TRisultati *r = app.Risultati();
        r->show();
        QTest::mouseClick(r->findChild<QAbstractButton *>("ValutazioneDati"), Qt::LeftButton);
        const QStringList righe = testo(r, "ValutazioniTXT").split('\n');
        QCOMPARE(righe.value(0), QString("Arco SUPERIORE"));
        QCOMPARE(righe.value(3), QString("0\t1\t1\t2\t20\t72\t5\t0\t"));
        QCOMPARE(righe.value(11), QString("1\t2\t1\t2\t10\t36\t4\t0\t"));

        QGuiApplication::clipboard()->clear();
        auto *valutazioni = r->findChild<QPlainTextEdit *>("ValutazioniTXT");
        QTest::keyClick(valutazioni, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), testo(r, "ContenitoreDatiVeicolari"));

        app.stato().Risultati.NumeroPrimoVeicoloTXT = "x";
        QTest::mouseClick(r->findChild<QAbstractButton *>("ValutazioneDati"), Qt::LeftButton);
        QCOMPARE(platform.messageTexts("error").size(), 1);
        QCOMPARE(testo(r, "ValutazioniTXT").split('\n').value(3), righe.value(3));
    }
};

QTEST_MAIN(TestRisultati)
#include "test_risultati.moc"
