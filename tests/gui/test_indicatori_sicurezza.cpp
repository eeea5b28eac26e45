// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/errors.hpp"
#include "common/files.hpp"
#include "gui/app/applicazione.hpp"
#include "gui/platform/hint_balloon.hpp"
#include "gui/platform/picture_control.hpp"
#include "gui/platform/scripted_platform.hpp"
#include "gui/results/esporta_excel.hpp"
#include "gui/safety/indicatori_sicurezza.hpp"
#include "results/cartella_excel.hpp"
#include "state/stato_lavoro.hpp"
#include "support/scoped_number_format.hpp"
#include "support/temp_dir.hpp"

#include <QClipboard>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

using namespace kalvor;
using namespace kalvor::gui;

namespace {

const QString kHeader
    = "veic\tVel\tX\tY\tArco\tSorp\tLveic\tdt\tveic\tVel\tX\tY\tArco\tSorp\tLveic\tdist\tDRAC\tMADR\tTTC";

void click(QWidget *screen, const char *name)
{
    auto *picture = screen->findChild<PictureControl *>(name);
    QVERIFY2(picture, name);
    QTest::mouseClick(picture, Qt::LeftButton);
}

// Vehicle 1 at X 100 behind vehicle 2 at X 80, both on the upper arc.
void duePasseggeri(StatoLavoro &s)
{
    RigaIstanti a;
    a.veicolo = 1;
    a.barX = 100;
    a.corsia = 1;
    a.Arco = 1;
    a.tempo = 2;
    a.velocita = 72;
    a.lungh = 4.5;
    RigaIstanti b = a;
    b.veicolo = 2;
    b.barX = 80;
    b.velocita = 36;
    s.TabellaIstanti = {a, b};
    s.TabellaVeicoli = {a, b};
    s.Risultati.IndicePosTXT = std::to_string(s.TabellaVeicoli.size());
}

QLineEdit *veicoloTXT(QWidget *screen)
{
    return screen->findChild<QLineEdit *>("VeicoloTXT");
}

QPlainTextEdit *tabella(QWidget *screen)
{
    return screen->findChild<QPlainTextEdit *>("Tabella");
}

} // namespace

class TestIndicatoriSicurezza : public QObject
{
    Q_OBJECT
private slots:
    void controlsAsDescribed()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        TIndicatoriSicurezza *screen = app.IndicatoriSicurezza();
        QCOMPARE(screen->windowTitle(), QString("IndicatoriSicurezza"));
        for (const char *name : {"CalcolaIndicatoriIMG", "MostraTabellaCompletaIMG", "Image1", "SalvaRisultatiIMG",
                                 "EsportaDatiInExcel"}) {
            QVERIFY2(screen->findChild<PictureControl *>(name), name);
        }
        QCOMPARE(veicoloTXT(screen)->text(), QString("0"));
        QCOMPARE(veicoloTXT(screen)->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
        QCOMPARE(hintOf(veicoloTXT(screen)), QString("Precisione|Grado di precisione temporale [sec]|0"));
        QCOMPARE(hintOf(tabella(screen)), QString("risultati di calcolo"));
        QVERIFY(tabella(screen)->isReadOnly());
        QCOMPARE(tabella(screen)->font().pixelSize(), 12);
        // Columns line up: every character the table holds has one width. (Not
        // QFontInfo::fixedPitch, which is false for some monospaced fonts such
        // as Noto Sans Mono, fontconfig's "monospace" where it is installed.)
        const QFontMetricsF metrics(tabella(screen)->font());
        for (const QChar c : QStringLiteral("0123456789 ,.-:iMWabc|"))
            QCOMPARE(metrics.horizontalAdvance(c), metrics.horizontalAdvance(QLatin1Char('0')));
        QCOMPARE(tabella(screen)->frameShape(), QFrame::NoFrame);
        QCOMPARE(tabella(screen)->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(tabella(screen)->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QVERIFY(tabella(screen)->styleSheet().contains("rgb(0, 159, 0)"));

        const FileDialogOptions d = TIndicatoriSicurezza::DialogoSalva();
        QCOMPARE(d.title, QString("Salvataggio indicatori"));
        QCOMPARE(d.initialPath, QString("Indicatori"));
        QCOMPARE(d.filter, QString("Semplice file di testo (*.txt)"));
        QCOMPARE(d.defaultExtension, QString("txt"));
    }

    void computeThenShowWholeAndOneVehicle()
    {
        kalvor::testing::ScopedNumberFormat comma(NumberFormat::comma());
        ScriptedPlatform platform;
        platform.fixedTime = QTime(9, 5, 7);
        Applicazione app(platform);
        duePasseggeri(app.stato());
        TIndicatoriSicurezza *screen = app.IndicatoriSicurezza();

        click(screen, "CalcolaIndicatoriIMG");
        QVERIFY(platform.messageTexts("error").isEmpty());
        QCOMPARE(tabella(screen)->toPlainText(),
                 QString("Inizio calcolo\n09:05:07\nFine calcolo\n09:05:07\nImpego [sec]\n00:00:00"));
        QCOMPARE(app.stato().TabellaIndicatori.size(), std::size_t(2));

        const QString riga1 = "1\t72\t100\t\t1\t0\t4,5\t2\t2\t36\t80\t\t1\t0\t4,5\t20\t2,5\t3,3\t2";
        const QString riga2 = "2\t36\t80\t\t1\t0\t4,5\t2\t0\t0\t\t\t0\t0\t0\t0\t0\t3,3\t0";
        click(screen, "MostraTabellaCompletaIMG");
        QCOMPARE(tabella(screen)->toPlainText(),
                 "Tabella INDICATORI DI SICUREZZA\n" + kHeader + "\n" + riga1 + "\n" + riga2);

        veicoloTXT(screen)->clear();
        QTest::keyClicks(veicoloTXT(screen), "02");
        click(screen, "Image1");
        QCOMPARE(tabella(screen)->toPlainText(),
                 "Tabella INDICATORI DI SICUREZZA veicolo : 02\n" + kHeader + "\n" + riga2);
        QVERIFY(!tabella(screen)->isHidden());

        // Not an integer: the error box, and the text area keeps what it showed.
        veicoloTXT(screen)->clear();
        QTest::keyClicks(veicoloTXT(screen), "due");
        click(screen, "Image1");
        QCOMPARE(platform.messageTexts("error").size(), 1);
        QVERIFY(platform.messageTexts("error").front().contains("due"));
        QVERIFY(tabella(screen)->toPlainText().endsWith(riga2));
        QVERIFY(!tabella(screen)->isHidden());
    }

    void ctrlAWithAnyOtherModifiersCopiesTheWholeTable()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        TIndicatoriSicurezza *screen = app.IndicatoriSicurezza();
        click(screen, "MostraTabellaCompletaIMG");
        for (auto modifiers : {Qt::KeyboardModifiers(Qt::ControlModifier), Qt::ControlModifier | Qt::ShiftModifier,
                               Qt::ControlModifier | Qt::AltModifier}) {
            QGuiApplication::clipboard()->setText("altro");
            QTest::keyClick(tabella(screen), Qt::Key_A, modifiers);
            QCOMPARE(QGuiApplication::clipboard()->text(), "Tabella INDICATORI DI SICUREZZA\n" + kHeader);
        }
        QGuiApplication::clipboard()->setText("altro");
        QTest::keyClick(tabella(screen), Qt::Key_A);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("altro"));
    }

    void saveWritesTheLinesShownAndCancelWritesNothing()
    {
        kalvor::testing::TempDir dir;
        ScriptedPlatform platform;
        const QString name = QString::fromStdString(dir.file("Indicatori.txt"));
        platform.saveAnswers = {name};
        Applicazione app(platform);
        TIndicatoriSicurezza *screen = app.IndicatoriSicurezza();
        click(screen, "CalcolaIndicatoriIMG");
        click(screen, "SalvaRisultatiIMG");
        QVERIFY(platform.messageTexts("error").isEmpty());
        QCOMPARE(platform.dialogs.size(), std::size_t(1));
        QCOMPARE(platform.dialogs.front().options.title, QString("Salvataggio indicatori"));
        QCOMPARE(readFileBytes(name.toStdString()),
                 std::string("Inizio calcolo\r\n08:30:00\r\nFine calcolo\r\n"
                             "08:30:00\r\nImpego [sec]\r\n00:00:00\r\n"));

        click(screen, "MostraTabellaCompletaIMG");
        click(screen, "SalvaRisultatiIMG"); // no answer left: cancelled
        QCOMPARE(platform.dialogs.size(), std::size_t(2));
        QVERIFY(readFileBytes(name.toStdString()).starts_with("Inizio calcolo"));
    }

    void workbookExportAsked()
    {
        kalvor::testing::TempDir dir;
        ScriptedPlatform platform;
        const QString name = QString::fromStdString(dir.file("DatiExcel.xlsx"));
        Applicazione app(platform);
        QWidget *parent = app.IndicatoriSicurezza();

        // Before any confirmation: a message, nothing written.
        platform.saveAnswers = {name};
        QVERIFY_THROWS_EXCEPTION(kalvor::RefusalError, exportWorkbook(parent, app.stato(), platform));
        QVERIFY(!QFile::exists(name));

        duePasseggeri(app.stato());
        exportWorkbook(parent, app.stato(), platform); // cancelled
        QVERIFY(!QFile::exists(name));
        platform.saveAnswers = {name};
        exportWorkbook(parent, app.stato(), platform);
        QCOMPARE(readFileBytes(name.toStdString()), cartellaExcel(app.stato().TabellaVeicoli));

        const FileDialogOptions d = platform.dialogs.back().options;
        QCOMPARE(d.title, QString("Esportazione Microsoft Excel"));
        QCOMPARE(d.filter, QString("Microsoft Excel 2007 (*.xlsx)"));
        QCOMPARE(d.defaultExtension, QString("xlsx"));
        QCOMPARE(d.initialPath, QString("DatiExcel"));
    }
};

QTEST_MAIN(TestIndicatoriSicurezza)
#include "test_indicatori_sicurezza.moc"
