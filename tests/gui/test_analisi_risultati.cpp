// SPDX-License-Identifier: GPL-3.0-or-later
// The charts, the flow view with its exports, and the extra indicator columns
// on a small hand-built table.
#include "analysis/diagramma_spazio_tempo.hpp"
#include "analysis/distribuzione_velocita.hpp"
#include "analysis/esportazioni_csv.hpp"
#include "analysis/rapporto_flussi.hpp"
#include "common/files.hpp"
#include "gui/app/applicazione.hpp"
#include "gui/platform/picture_control.hpp"
#include "gui/platform/scripted_platform.hpp"
#include "gui/results/flussi_risultati.hpp"
#include "gui/results/grafici_risultati.hpp"
#include "gui/safety/indicatori_sicurezza.hpp"
#include "state/stato_lavoro.hpp"
#include "support/scoped_number_format.hpp"
#include "support/temp_dir.hpp"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include <filesystem>

using namespace kalvor;
using namespace kalvor::gui;

namespace {

RigaIstanti avvistamento(double veicolo, int arco, double tempo, double x, double velocita)
{
    RigaIstanti r;
    r.veicolo = veicolo;
    r.Arco = arco;
    r.corsia = arco;
    r.tempo = tempo;
    r.barX = x;
    r.velocita = velocita;
    r.lungh = 4;
    return r;
}

// Two vehicles 4 m long on arc 1 at 72 km/h one second apart, one on arc 2 the
// other way at 36 km/h. The section is the middle of X: 20 m. Vehicle 1's
// front reaches it at 0.9 s and its rear leaves at 1.1 s; vehicle 2's front
// arrives at 1.9 s: headway 1 s, PET 0.8 s.
void traffico(StatoLavoro &s)
{
    s.TabellaIstanti = {avvistamento(1, 1, 0, 0, 0),   avvistamento(1, 1, 2, 40, 72), avvistamento(2, 1, 1, 0, 0),
                        avvistamento(2, 1, 3, 40, 72), avvistamento(3, 2, 0, 40, 0),  avvistamento(3, 2, 4, 0, 36)};
    s.TabellaVeicoli = s.TabellaIstanti;
}

AnalisiTraffico analisi(const StatoLavoro &s, double intervallo)
{
    return analizzaTraffico(s.TabellaIstanti, {intervallo, sezioneDiRiferimento(s)});
}

QString testo(const TextList &lista)
{
    QStringList righe;
    for (const std::string &riga : lista.lines())
        righe << QString::fromStdString(riga);
    return righe.join('\n').trimmed();
}

void premi(QWidget *widget, const char *nome)
{
    auto *button = widget->findChild<QPushButton *>(nome);
    QVERIFY2(button, nome);
    button->click();
}

} // namespace

class TestAnalisiRisultati : public QObject
{
    Q_OBJECT
private slots:
    void chartsAreTheEngineDrawingsAtTheViewSize()
    {
        ScriptedPlatform platform;
        StatoLavoro s;
        traffico(s);
        GraficiRisultati grafici(s, platform);
        grafici.resize(1100, 700);
        grafici.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grafici));

        const AnalisiTraffico a = analisi(s, 60);
        QCOMPARE(a.passaggi.size(), std::size_t(3));
        VistaGrafico *d = grafici.diagramma();
        const Drawing attesi = diagrammaSpazioTempo(a.traiettorie, d->width(), d->height()).disegno;
        QVERIFY(!attesi.empty());
        QVERIFY(d->disegno() == attesi);
        for (int arco : {1, 2}) {
            VistaGrafico *v = grafici.velocita(arco);
            QVERIFY(v->disegno()
                    == distribuzioneVelocita(velocitaAllaSezione(a, arco), arco, v->width(), v->height()).disegno);
        }

        // The first pixel of every trajectory line is painted in its arc's colour.
        const QImage immagine = d->grab().toImage();
        int linee = 0;
        for (const DrawPrimitive &p : attesi) {
            if (p.shape != Shape::Line || (p.pen != coloreArco(1) && p.pen != coloreArco(2)))
                continue;
            ++linee;
            QCOMPARE(immagine.pixelColor(p.x1, p.y1), QColor(p.pen.r, p.pen.g, p.pen.b));
        }
        QCOMPARE(linee, 3);

        // Resized and refreshed, the charts follow the view and the tables.
        s.TabellaIstanti.resize(4);
        grafici.refresh();
        grafici.resize(1050, 600);
        QCOMPARE(d->disegno(), diagrammaSpazioTempo(analisi(s, 60).traiettorie, d->width(), d->height()).disegno);
        QVERIFY(grafici.velocita(2)->disegno()
                == distribuzioneVelocita({}, 2, grafici.velocita(2)->width(), grafici.velocita(2)->height()).disegno);
    }

    void flowViewFollowsTheInterval()
    {
        kalvor::testing::ScopedNumberFormat comma(NumberFormat::comma());
        ScriptedPlatform platform;
        StatoLavoro s;
        traffico(s);
        QCOMPARE(s.Risultati.IntervalloFlussiTXT, std::string("60"));
        FlussiRisultati flussi(s, platform);
        auto *vista = flussi.findChild<QPlainTextEdit *>("RapportoFlussi");
        auto *intervallo = flussi.findChild<QLineEdit *>("IntervalloFlussiTXT");
        QVERIFY(vista && intervallo);
        QCOMPARE(intervallo->text(), QString("60"));
        QCOMPARE(vista->toPlainText().trimmed(), testo(rapportoFlussi(analisi(s, 60))));

        // Typed with the user's decimal separator.
        intervallo->clear();
        QTest::keyClicks(intervallo, "1,5");
        QCOMPARE(s.Risultati.IntervalloFlussiTXT, std::string("1,5"));
        premi(&flussi, "CalcolaFlussi");
        QVERIFY(platform.messages.empty());
        const QString breve = testo(rapportoFlussi(analisi(s, 1.5)));
        QVERIFY(breve != testo(rapportoFlussi(analisi(s, 60))));
        QCOMPARE(vista->toPlainText().trimmed(), breve);

        // A bad interval is reported; the text shown stays.
        for (const char *cattivo : {"0", "-3", "abc"}) {
            intervallo->clear();
            QTest::keyClicks(intervallo, cattivo);
            premi(&flussi, "CalcolaFlussi");
            QCOMPARE(platform.messageTexts("error").size(), 1);
            platform.messages.clear();
            QCOMPARE(vista->toPlainText().trimmed(), breve);
        }
    }

    void exportsWriteThroughTheSaveDialog()
    {
        ScriptedPlatform platform;
        StatoLavoro s;
        traffico(s);
        FlussiRisultati flussi(s, platform);
        kalvor::testing::TempDir dir;

        const QString traiettorie = QString::fromStdString(dir.file("t.csv"));
        platform.saveAnswers = {traiettorie};
        premi(&flussi, "EsportaTraiettorie");
        QVERIFY(platform.messages.empty());
        QCOMPARE(platform.dialogs.size(), std::size_t(1));
        QCOMPARE(platform.dialogs[0].kind, QString("save"));
        QCOMPARE(platform.dialogs[0].options.defaultExtension, QString("csv"));
        const std::string csv = readFileBytes(traiettorie.toStdString());
        QCOMPARE(csv, csvTraiettorie(s.TabellaIstanti));
        QVERIFY(csv.starts_with("vehicle,"));
        QCOMPARE(std::count(csv.begin(), csv.end(), '\n'), 7); // header and six sightings

        const QString nomeFlussi = QString::fromStdString(dir.file("f.csv"));
        platform.saveAnswers = {nomeFlussi};
        premi(&flussi, "EsportaFlussi");
        QCOMPARE(readFileBytes(nomeFlussi.toStdString()), csvFlussi(analisi(s, 60)));

        // Cancelled: nothing written. A bad interval: refused before the dialog.
        platform.dialogs.clear();
        premi(&flussi, "EsportaTraiettorie");
        QCOMPARE(platform.dialogs.size(), std::size_t(1));
        auto *intervallo = flussi.findChild<QLineEdit *>("IntervalloFlussiTXT");
        intervallo->setText(QStringLiteral("0"));
        platform.saveAnswers = {QString::fromStdString(dir.file("mai.csv"))};
        premi(&flussi, "EsportaFlussi");
        QCOMPARE(platform.dialogs.size(), std::size_t(1));
        QCOMPARE(platform.messageTexts("error").size(), 1);
        QVERIFY(!std::filesystem::exists(dir.file("mai.csv")));
    }

    void indicatorScreenShowsPetAndHeadwayBesideTheTable()
    {
        kalvor::testing::ScopedNumberFormat comma(NumberFormat::comma());
        ScriptedPlatform platform;
        Applicazione app(platform);
        StatoLavoro &s = app.stato();
        traffico(s);
        RigaIndicatori r1;
        r1.veic = 1;
        RigaIndicatori r2;
        r2.veic = 2;
        RigaIndicatori r3;
        r3.veic = 3;
        s.TabellaIndicatori = {r1, r2, r3};
        TIndicatoriSicurezza *screen = app.IndicatoriSicurezza();
        auto *tabella = screen->findChild<QPlainTextEdit *>("Tabella");
        auto *estesa = screen->findChild<QPlainTextEdit *>("TabellaEstesa");
        QVERIFY(tabella && estesa);

        QTest::mouseClick(screen->findChild<PictureControl *>("MostraTabellaCompletaIMG"), Qt::LeftButton);
        QVERIFY(platform.messages.empty());
        // The indicator columns' "#.##" form: no zero before the separator.
        QCOMPARE(estesa->toPlainText(), QString("\nPET\tHeadway\n\t\n,8\t1\n\t"));
        QCOMPARE(tabella->toPlainText().count('\n'), estesa->toPlainText().count('\n'));
        QVERIFY(tabella->toPlainText().split('\n')[1].endsWith("\tTTC")); // the 19 columns as they were

        screen->findChild<QLineEdit *>("VeicoloTXT")->setText("2");
        QTest::mouseClick(screen->findChild<PictureControl *>("Image1"), Qt::LeftButton);
        QCOMPARE(estesa->toPlainText(), QString("\nPET\tHeadway\n,8\t1"));

        // Beside the timing lines of a computation there is nothing to show.
        s.TabellaVeicoli.clear();
        s.IndicatoriSicurezza.Tabella = TextList {"Inizio calcolo", "09:00:00"};
        screen->refreshFromState();
        QCOMPARE(estesa->toPlainText(), QString());
    }
};

QTEST_MAIN(TestAnalisiRisultati)
#include "test_analisi_risultati.moc"
