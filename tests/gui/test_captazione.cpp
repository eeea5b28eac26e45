// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/files.hpp"
#include "extraction/frame_file.hpp"
#include "extraction/png_io.hpp"
#include "gui/app/applicazione.hpp"
#include "gui/capture/aggiungi_veicolo.hpp"
#include "gui/capture/area_veicolo_virtuale.hpp"
#include "gui/capture/captazione.hpp"
#include "gui/capture/modifica_veicolo.hpp"
#include "gui/platform/hand_cursor.hpp"
#include "gui/platform/hint_balloon.hpp"
#include "gui/platform/lente.hpp"
#include "gui/platform/scripted_platform.hpp"
#include "gui/platform/vista_fotogramma.hpp"
#include "project/headless_project_steps.hpp"
#include "project/project_reader.hpp"
#include "project/project_writer.hpp"
#include "scene/strada_sintetica.hpp"
#include "state/record_veicolo.hpp"
#include "support/modal_driver.hpp"
#include "support/screen_parts.hpp"
#include "support/temp_dir.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <filesystem>

using namespace kalvor;
using namespace kalvor::gui;

namespace {

// 13 frames of a 160 x 120 road whose axis runs along row 60 with a band of
// 30 rows; one pixel is 0.25 m. Frame 0 is the empty road, then one vehicle
// 30 pixels long drives right in the lower arc, 6 pixels a frame.
void preparaLavoro(StatoLavoro &s, const std::string &cartella)
{
    const RgbImage sfondo = kalvor::scene::sfondoStrada(160, 120, 9);
    for (int n = 0; n <= 12; ++n) {
        std::vector<kalvor::scene::Scatola> v;
        if (n >= 1)
            v.push_back({10 + 6 * n, 66, 30, 10});
        writePng(frameFileName(cartella, n), kalvor::scene::fotogrammaStrada(sfondo, v, 0, 1));
    }
    s.Estrattore.Cartella = cartella;
    s.AreaCaptazione.PuntiRiferimento = TextList {"60", "5", "60", "150", "45", "0", "75", "0"};
    s.GrigliaMetrica = kalvor::scene::grigliaUniforme(160, 120, 0.25);
    for (int n = 0; n <= 12; ++n)
        s.TabellaTempiFotogrammi.push_back({static_cast<double>(n), 0.5 * n});
    s.NumeroFotogrammiEstratti = 13;
}

template<class T> T *figlio(QWidget *w, const char *name)
{
    T *c = w->findChild<T *>(QString::fromLatin1(name));
    if (!c)
        qFatal("manca %s", name);
    return c;
}

QStringList numeri(const TextList &lista)
{
    QStringList out;
    for (const int i : findRecords(lista))
        out << QString::fromStdString(recordField(lista, i, OffNumero));
    return out;
}

QList<AreaVeicoloVirtuale *> areeVisibili(TCaptazione *c)
{
    QList<AreaVeicoloVirtuale *> out;
    for (AreaVeicoloVirtuale *a : kalvor::testing::frameView(c)->findChildren<AreaVeicoloVirtuale *>())
        if (a->isVisible())
            out << a;
    return out;
}

// The capture screen shown on a prepared job, background from frame 0 alone,
// then the interval opened up to frame 12.
struct Captazione
{
    ScriptedPlatform platform;
    Applicazione app {platform};
    kalvor::testing::TempDir dir;
    TCaptazione *c = app.Captazione();

    Captazione()
    {
        preparaLavoro(app.stato(), dir.path());
        c->show();
        figlio<QLineEdit>(c, "ImmagineFinale")->setText("0");
        figlio<QPushButton>(c, "CalcolaMedia")->click();
        figlio<QLineEdit>(c, "ImmagineFinale")->setText("12");
    }
    ~Captazione() { c->hide(); }
    StatoCaptazione &cap() { return app.stato().Captazione; }
    QString label(const char *name) { return figlio<QLabel>(c, name)->text(); }
};

// The reader's steps with the capture part on the capture screen, as the
// program's project opening runs them.
class PassiConCaptazione : public HeadlessProjectSteps
{
public:
    PassiConCaptazione(StatoLavoro &stato, TCaptazione *c)
        : HeadlessProjectSteps(stato)
        , m_c(c)
    {
    }
    void CalcolaMediaClick() override { m_c->CalcolaMediaDaProgetto(); }
    void setBarraElaborazione(int position) override { m_c->setBarraElaborazione(position); }
    void showCaptureFrame(const RgbImage &frame) override { m_c->showCaptureFrame(frame); }
    void drawCaptureOverlays() override { m_c->drawCaptureOverlays(); }

private:
    TCaptazione *m_c;
};

} // namespace

class TestCaptazione : public QObject
{
    Q_OBJECT
private slots:
    void controlliDidascalieESuggerimenti()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        TCaptazione *c = app.Captazione();
        c->refreshFromState();
        QCOMPARE(c->windowTitle(), QString("Captazione veicoli assistita  dal calcolatore"));
        QVERIFY(c->windowState() & Qt::WindowMaximized);

        struct Campo
        {
            const char *nome, *testo, *etichetta, *suggerimento;
        };
        const Campo campi[] = {
            {"ImmagineIniziale", "0", "Fotog. iniziale",
             "Fotogramma iniziale|Numero del primo fotogramma dell'intervallo da elaborare|6"},
            {"ImmagineFinale", "200", "Fotog. finale",
             "Fotogramma finale|Numero dell'ultimo fotogramma dell'intervallo da elaborare|6"},
            {"VeicoloIniziale", "0", "Veicolo Iniziale",
             "Veicolo iniziale|Numero da assegnare al primo veicolo individuato|16"},
            {"AreaVeicoloTXT", "4", "Area veic. mq",
             "Superfice veicolo|Superfice minima di un veicolo in pianta = Lung.min x Metà corsia in mq|15"},
            {"VariazionePosTXT", "50", "Variaz. posiz.",
             "Variazione della posizione|Variazione della posizione del veicolo oltre il quale ricercarlo nel "
             "fotogr. successivo in metri|18"},
            {"LunghezzaMinTXT", "2", "Lung. min veic",
             "Lunghezza minima vieicolo|Lunghezza minima di un veicolo tipo in metri|15"},
            {"MargineSuperiore", "15", "margine super.",
             "Margine superiore|Margine di soglia superiore per la pulizia del fotogramma|17"},
            {"MargineInferiore", "-15", "margine infer.",
             "Margine inferiore|Margine di soglia inferiore per la pulizia del fotogramma|3"},
        };
        QStringList etichette;
        for (QLabel *l : c->findChildren<QLabel *>())
            etichette << l->text();
        for (const Campo &campo : campi) {
            QLineEdit *field = figlio<QLineEdit>(c, campo.nome);
            QCOMPARE(field->text(), QString::fromUtf8(campo.testo));
            QCOMPARE(hintOf(field), QString::fromUtf8(campo.suggerimento));
            QVERIFY2(etichette.contains(QString::fromUtf8(campo.etichetta)), campo.etichetta);
        }
        for (const char *l : {"Fotogr. :", "Veicoli :"})
            QVERIFY2(etichette.contains(QString(l)), l);

        const QList<QPair<const char *, QString>> pulsanti = {
            {"CalcolaMedia", "Calc. Media"},
            {"AvanzaFotogramma", "Avanza Fotogramma"},
            {"FotogrammaPrecedente", "Fotogramma Precedente"},
            {"SalvaDati", "Salva i dati finora ottenuti"},
            {"Conferma", "I dati vanno bene"},
            {"DisegnaVeicoliVirtuali", "DisegnaVeicoliVirtuali"},
        };
        for (const auto &[nome, testo] : pulsanti)
            QCOMPARE(figlio<QPushButton>(c, nome)->text(), testo);
        QVERIFY(figlio<QPushButton>(c, "DisegnaVeicoliVirtuali")->isHidden());
        QCOMPARE(hintOf(figlio<QPushButton>(c, "AvanzaFotogramma")), QString("diponibile anche come F4"));
        QCOMPARE(hintOf(figlio<QPushButton>(c, "FotogrammaPrecedente")), QString("diponibile anche come F3"));

        const QList<QPair<const char *, QString>> caselle
            = {{"Mirino", "Mirino"}, {"MostraAsse", "Mostra Asse strada"}, {"Correzioni", "Correggi"}};
        for (const auto &[nome, testo] : caselle) {
            QCOMPARE(figlio<QCheckBox>(c, nome)->text(), testo);
            QVERIFY(!figlio<QCheckBox>(c, nome)->isChecked());
        }
        QCOMPARE(hintOf(figlio<QCheckBox>(c, "Mirino")),
                 QString("Mostra mirino|Quando individua un veicolo gli associa un mirino|18"));
        QCOMPARE(hintOf(figlio<QCheckBox>(c, "MostraAsse")),
                 QString("Mostra asse strada|Mostra sui fotogrammi l'asse e i confini dell'area di capatazione|18"));

        QCOMPARE(hintOf(figlio<QPlainTextEdit>(c, "veicoliAtt")), QString("Veicoli attuali"));
        QCOMPARE(hintOf(figlio<QPlainTextEdit>(c, "veicoliPrec")), QString("Veicoli precedenti"));
        QVERIFY(!figlio<QPlainTextEdit>(c, "veicoliAtt")->isReadOnly());
        QVERIFY(figlio<QPlainTextEdit>(c, "veicoliPrec")->isReadOnly());
        QCOMPARE(figlio<QLabel>(c, "fotogrammaTXT")->text(), QString("00000"));
        QCOMPARE(figlio<QLabel>(c, "NumeroVeicoliTXT")->text(), QString("00000"));
        QCOMPARE(figlio<QProgressBar>(c, "barraMedia")->orientation(), Qt::Horizontal);
        QCOMPARE(figlio<QProgressBar>(c, "barraElaborazione")->orientation(), Qt::Vertical);
        QCOMPARE(figlio<QProgressBar>(c, "barraElaborazione")->value(), 0);
        QCOMPARE(kalvor::testing::magnifier(c)->size(), QSize(200, 200));
        QCOMPARE(kalvor::testing::magnifierTimer(c)->interval(), 100);
        QVERIFY(!kalvor::testing::magnifierTimer(c)->isActive());
        QCOMPARE(kalvor::testing::frameView(c)->size(), QSize(640, 480));
    }

    void profiloRilevamentoSceltoPrimaDelloSfondo()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        TCaptazione *c = app.Captazione();
        c->refreshFromState();
        auto *scelta = figlio<QComboBox>(c, "ProfiloRilevamento");
        QCOMPARE(scelta->currentText(), QString("predefinito"));
        QStringList etichette;
        for (QLabel *l : c->findChildren<QLabel *>())
            etichette << l->text();
        QVERIFY(etichette.contains("Profilo rilevamento"));

        // Chosen from the keyboard: the capture's fields hold it, the calibration's do not.
        QTest::keyClick(scelta, Qt::Key_Down);
        QCOMPARE(app.stato().Captazione.Profilo, ProfiloRilevamento::Robusto);
        QCOMPARE(app.stato().Calibrazione.Profilo, ProfiloRilevamento::Predefinito);
        // Showing the state again keeps the choice, and shows a changed state.
        c->refreshFromState();
        QCOMPARE(scelta->currentText(), QString("robusto"));
        app.stato().Captazione.Profilo = ProfiloRilevamento::Predefinito;
        c->refreshFromState();
        QCOMPARE(scelta->currentText(), QString("predefinito"));
        QCOMPARE(app.stato().Captazione.Profilo, ProfiloRilevamento::Predefinito);
    }

    void primaDelCalcoloDellaMediaNullaAvanza()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        TCaptazione *c = app.Captazione();
        c->show();
        figlio<QPushButton>(c, "AvanzaFotogramma")->setFocus();
        QTest::keyClick(figlio<QPushButton>(c, "AvanzaFotogramma"), Qt::Key_F4);
        QCOMPARE(platform.messageTexts("error").size(), 1);
        QVERIFY(platform.messageTexts("error").front().contains("Calc. Media"));
        QCOMPARE(figlio<QLabel>(c, "fotogrammaTXT")->text(), QString("00000"));
        // A click on the frame does nothing yet.
        test::ModalDriver driver;
        QTest::mouseClick(kalvor::testing::frameView(c)->lucido(), Qt::LeftButton, {}, QPoint(50, 50));
        QVERIFY(driver.seen.isEmpty());
        c->hide();
    }

    void avanzaIndietroEFineFotogrammi()
    {
        Captazione t;
        TCaptazione *c = t.c;
        QVERIFY(t.platform.messages.empty());
        QCOMPARE(t.label("fotogrammaTXT"), QString("0"));
        QCOMPARE(t.label("NumeroVeicoliTXT"), QString("-1"));
        QCOMPARE(kalvor::testing::frameView(c)->frame().size(), QSize(160, 120));
        QCOMPARE(figlio<QProgressBar>(c, "barraElaborazione")->value(), 0);

        // A click: frame 1, one vehicle numbered 0, the sound, one virtual vehicle.
        figlio<QPushButton>(c, "AvanzaFotogramma")->click();
        QVERIFY(t.platform.messages.empty());
        QCOMPARE(t.label("fotogrammaTXT"), QString("1"));
        QCOMPARE(t.label("NumeroVeicoliTXT"), QString("0"));
        QCOMPARE(numeri(t.cap().veicoliAtt), QStringList {"0"});
        QCOMPARE(figlio<QPlainTextEdit>(c, "veicoliAtt")->toPlainText().split('\n').size(), 9);
        QCOMPARE(t.platform.playedSounds.size(), 1);
        QVERIFY(t.platform.playedSounds.front().endsWith("/trovata2.wav"));
        QCOMPARE(figlio<QProgressBar>(c, "barraElaborazione")->value(), 1);
        const QList<AreaVeicoloVirtuale *> aree = areeVisibili(c);
        QCOMPARE(aree.size(), 1);
        const VeicoloVirtuale &v = c->sessione().veicoliVirtuali.front();
        QCOMPARE(aree.front()->geometry(), QRect(v.x, v.y, v.larghezza, v.altezza));
        QCOMPARE(hintOf(aree.front()), QString("0"));
        QCOMPARE(aree.front()->cursor().shape(), handCursor().shape());
        // The outline of the "inf" record is yellow on the overlay, from the axis row down.
        QCOMPARE(v.y, 60);
        QCOMPARE(kalvor::testing::frameView(c)->overlay().pixelColor(v.x, v.y + 1), QColor(255, 255, 0));
        // The frame itself carries no drawing: it is what the detection and the magnifier read.
        QVERIFY(kalvor::testing::frameView(c)->frame().pixelColor(v.x, v.y + 1) != QColor(255, 255, 0));
        QCOMPARE(kalvor::testing::frameView(c)->composed().pixelColor(v.x, v.y + 1), QColor(255, 255, 0));

        // F4 on the focused advance button, the same vehicle keeps its number.
        figlio<QPushButton>(c, "AvanzaFotogramma")->setFocus();
        QTest::keyClick(figlio<QPushButton>(c, "AvanzaFotogramma"), Qt::Key_F4);
        QCOMPARE(t.label("fotogrammaTXT"), QString("2"));
        QCOMPARE(numeri(t.cap().veicoliAtt), QStringList {"0"});
        QCOMPARE(numeri(t.cap().veicoliPrec), QStringList {"0"});
        const TextList frame2 = t.cap().veicoliAtt;

        // F4 on the step-back button advances too, F3 on either steps back.
        figlio<QPushButton>(c, "FotogrammaPrecedente")->setFocus();
        QTest::keyClick(figlio<QPushButton>(c, "FotogrammaPrecedente"), Qt::Key_F4);
        QCOMPARE(t.label("fotogrammaTXT"), QString("3"));
        QTest::keyClick(figlio<QPushButton>(c, "FotogrammaPrecedente"), Qt::Key_F3);
        QCOMPARE(t.label("fotogrammaTXT"), QString("2"));
        QCOMPARE(t.cap().veicoliAtt, frame2);
        figlio<QPushButton>(c, "AvanzaFotogramma")->setFocus();
        QTest::keyClick(figlio<QPushButton>(c, "AvanzaFotogramma"), Qt::Key_F3);
        QCOMPARE(t.label("fotogrammaTXT"), QString("1"));
        QCOMPARE(figlio<QProgressBar>(c, "barraElaborazione")->value(), 1);
        QCOMPARE(findRecords(t.cap().VeicoliTOT).size(), size_t(0));
        // Other keys do nothing.
        QTest::keyClick(figlio<QPushButton>(c, "AvanzaFotogramma"), Qt::Key_F5);
        QCOMPARE(t.label("fotogrammaTXT"), QString("1"));
        QVERIFY(t.platform.messages.empty());

        // To the end: every frame with its vehicle, then "Fotogrammi finiti" on each further click.
        for (int n = 2; n <= 12; ++n)
            figlio<QPushButton>(c, "AvanzaFotogramma")->click();
        QCOMPARE(t.label("fotogrammaTXT"), QString("12"));
        QVERIFY(t.platform.messages.empty());
        figlio<QPushButton>(c, "AvanzaFotogramma")->click();
        figlio<QPushButton>(c, "AvanzaFotogramma")->click();
        QCOMPARE(t.platform.messageTexts("information"), (QStringList {"Fotogrammi finiti", "Fotogrammi finiti"}));
        QCOMPARE(t.label("fotogrammaTXT"), QString("12"));
        QCOMPARE(findRecords(t.cap().VeicoliTOT).size(), size_t(12));
        QCOMPARE(numeri(t.cap().VeicoliTOT), QStringList(12, "0"));
    }

    void veicoliAttualiUsatiComeScritti()
    {
        Captazione t;
        TCaptazione *c = t.c;
        figlio<QPushButton>(c, "AvanzaFotogramma")->click();
        // The operator renumbers the vehicle by typing in the list: tracking carries the typed number.
        auto *lista = figlio<QPlainTextEdit>(c, "veicoliAtt");
        QString testo = lista->toPlainText();
        QStringList righe = testo.split('\n');
        righe[1] = "42";
        lista->setPlainText(righe.join('\n'));
        QCOMPARE(numeri(t.cap().veicoliAtt), QStringList {"42"});
        figlio<QPushButton>(c, "AvanzaFotogramma")->click();
        QCOMPARE(numeri(t.cap().veicoliPrec), QStringList {"42"});
        QCOMPARE(numeri(t.cap().veicoliAtt), QStringList {"42"});
        QCOMPARE(numeri(t.cap().VeicoliTOT), QStringList {"42"});
    }

    void aggiuntaRinumerazioneEliminazioneESalvataggio()
    {
        Captazione t;
        TCaptazione *c = t.c;
        figlio<QPushButton>(c, "AvanzaFotogramma")->click();
        figlio<QPushButton>(c, "AvanzaFotogramma")->click(); // frame 2; veicoliPrec holds frame 1's vehicle 0
        QCOMPARE(numeri(t.cap().veicoliAtt), QStringList {"0"});

        // A new vehicle 10 pixels above the axis at column 100: "sup", 4 m at 0.25 m a pixel = 48 byte columns.
        QStringList dialoghi;
        {
            test::ModalDriver driver;
            driver.then([](QWidget *d) {
                QTest::keyClicks(figlio<QLineEdit>(d, "NumeroVeicolo"), "7");
                QTest::keyClicks(figlio<QLineEdit>(d, "LunghezzaVeicolo"), "4");
                QTest::keyClicks(figlio<QLineEdit>(d, "AreaVeicolo"), "3,5");
                QTest::keyClick(figlio<QLineEdit>(d, "AreaVeicolo"), Qt::Key_Return);
            });
            QTest::mouseClick(kalvor::testing::frameView(c)->lucido(), Qt::LeftButton, {}, QPoint(100, 50));
            dialoghi << driver.seen;
        }
        QCOMPARE(dialoghi, QStringList {"AggiungiVeicolo"});
        QVERIFY(!t.app.AggiungiVeicolo()->isVisible());
        QCOMPARE(t.app.stato().AggiungiVeicolo.Xtxt, std::string("100"));
        QCOMPARE(t.app.stato().AggiungiVeicolo.Ytxt, std::string("50"));
        QVERIFY(t.platform.messages.empty());
        const TextList &att = t.cap().veicoliAtt;
        QCOMPARE(numeri(att), (QStringList {"0", "7"}));
        const int nuovo = findRecords(att).back();
        QCOMPARE(readRecord(att, nuovo),
                 (RecordVeicolo {"7", "sup", "276", "324", "4", "3,5", "2", readRecord(att, nuovo).tempo}));
        QCOMPARE(areeVisibili(c).size(), 2);
        // Drawn in green over the frame.
        QCOMPARE(kalvor::testing::frameView(c)->overlay().pixelColor(276 / 3, 60 - 15 + 1), QColor(0, 128, 0));

        // Vehicle 0 again at another point, as an existing vehicle: it takes frame 1's width.
        {
            test::ModalDriver driver;
            driver.then([](QWidget *d) {
                auto *numero = figlio<QLineEdit>(d, "NumeroVeicolo");
                numero->clear();
                QTest::keyClicks(numero, "0");
                QTest::keyClick(numero, Qt::Key_Return);
            });
            QTest::mouseClick(kalvor::testing::frameView(c)->lucido(), Qt::LeftButton, {}, QPoint(120, 70));
            dialoghi << driver.seen;
        }
        const TextList &prec = t.cap().veicoliPrec;
        const int p = findRecords(prec).front();
        const int w = std::stoi(recordField(prec, p, OffFine)) - std::stoi(recordField(prec, p, OffInizio));
        const RecordVeicolo esistente = readRecord(att, findRecords(att).back());
        QCOMPARE(esistente.numero, std::string("0"));
        QCOMPARE(esistente.arco, std::string("inf"));
        QCOMPARE(esistente.inizio, std::to_string(360 - w / 2));
        QCOMPARE(esistente.fine, std::to_string(360 + w / 2));
        QCOMPARE(esistente.lunghezza, recordField(prec, p, OffLunghezza));
        QCOMPARE(figlio<QLineEdit>(t.app.AggiungiVeicolo(), "LunghezzaVeicolo")->text(),
                 QString::fromStdString(recordField(prec, p, OffLunghezza)));

        // Vehicle 7 renumbered 9 through its virtual vehicle: number and Enter.
        AreaVeicoloVirtuale *area7 = nullptr;
        for (AreaVeicoloVirtuale *a : areeVisibili(c))
            if (a->veicolo().numero == "7")
                area7 = a;
        QVERIFY(area7);
        {
            test::ModalDriver driver;
            driver.then([](QWidget *d) {
                QCOMPARE(figlio<QLabel>(d, "NumeroVeicoloAttuale")->text(), QString("7"));
                QVERIFY(figlio<QLineEdit>(d, "NumeroVeicolo")->text().isEmpty());
                QTest::keyClicks(figlio<QLineEdit>(d, "NumeroVeicolo"), "9");
                QTest::keyClick(figlio<QLineEdit>(d, "NumeroVeicolo"), Qt::Key_Return);
            });
            QTest::mouseClick(area7, Qt::LeftButton, {}, QPoint(2, 2));
            QCoreApplication::processEvents(); // the dialog opens once the click has been handled
            dialoghi << driver.seen;
        }
        QCOMPARE(numeri(att), (QStringList {"0", "9", "0"}));
        QVERIFY(t.platform.messages.empty());

        // Then deleted with F1.
        AreaVeicoloVirtuale *area9 = nullptr;
        for (AreaVeicoloVirtuale *a : areeVisibili(c))
            if (a->veicolo().numero == "9")
                area9 = a;
        QVERIFY(area9);
        {
            test::ModalDriver driver;
            driver.then([](QWidget *d) { QTest::keyClick(figlio<QLineEdit>(d, "NumeroVeicolo"), Qt::Key_F1); });
            QTest::mouseClick(area9, Qt::LeftButton, {}, QPoint(2, 2));
            QCoreApplication::processEvents();
            dialoghi << driver.seen;
        }
        QCOMPARE(dialoghi, (QStringList {"AggiungiVeicolo", "AggiungiVeicolo", "ModificaVeicolo", "ModificaVeicolo"}));
        QCOMPARE(numeri(att), (QStringList {"0", "0"}));
        QVERIFY(!area9->isVisible());

        // Saved as it stands.
        t.platform.saveAnswers = {QString::fromStdString(t.dir.file("lavoro.kvr"))};
        figlio<QPushButton>(c, "SalvaDati")->click();
        QVERIFY(t.platform.messageTexts("error").isEmpty());
        writeProjectFile(t.dir.file("atteso.kvr"), t.app.stato());
        QCOMPARE(readFileBytes(t.dir.file("lavoro.kvr")), readFileBytes(t.dir.file("atteso.kvr")));

        // The next frame is matched against the corrected records.
        figlio<QPushButton>(c, "AvanzaFotogramma")->click();
        QCOMPARE(numeri(t.cap().veicoliPrec), (QStringList {"0", "0"}));
        QCOMPARE(t.label("fotogrammaTXT"), QString("3"));
    }

    void salvatoERiapertoAlloStessoFotogramma()
    {
        Captazione t;
        TCaptazione *c = t.c;
        // Opening the file computes the background over the interval of the fields: the same here.
        figlio<QPushButton>(c, "CalcolaMedia")->click();
        for (int n = 1; n <= 3; ++n)
            figlio<QPushButton>(c, "AvanzaFotogramma")->click();
        t.platform.saveAnswers = {QString::fromStdString(t.dir.file("lavoro.kvr"))};
        figlio<QPushButton>(c, "SalvaDati")->click();
        QVERIFY(t.platform.messages.empty());

        ScriptedPlatform platform2;
        Applicazione app2(platform2);
        TCaptazione *c2 = app2.Captazione();
        c2->show();
        PassiConCaptazione passi(app2.stato(), c2);
        readProjectFile(t.dir.file("lavoro.kvr"), app2.stato(), passi);
        QVERIFY(platform2.messages.empty());
        QCOMPARE(figlio<QLabel>(c2, "fotogrammaTXT")->text(), QString("3"));
        QCOMPARE(app2.stato().Captazione.veicoliAtt, t.cap().veicoliAtt);
        QCOMPARE(app2.stato().Captazione.veicoliPrec, t.cap().veicoliPrec);
        QCOMPARE(app2.stato().Captazione.VeicoliTOT, t.cap().VeicoliTOT);
        QCOMPARE(kalvor::testing::frameView(c2)->frame(), kalvor::testing::frameView(c)->frame());
        QCOMPARE(figlio<QProgressBar>(c2, "barraElaborazione")->value(), 3);
        QCOMPARE(areeVisibili(c2).size(), 1);
        QCOMPARE(hintOf(areeVisibili(c2).front()), QString("0"));
        QCOMPARE(kalvor::testing::frameView(c2)->overlay(), kalvor::testing::frameView(c)->overlay());

        // Both go on alike (this job's grid and frame times are not made from
        // reference points and an extraction: the file does not hold them).
        app2.stato().GrigliaMetrica = t.app.stato().GrigliaMetrica;
        app2.stato().TabellaTempiFotogrammi = t.app.stato().TabellaTempiFotogrammi;
        figlio<QPushButton>(c, "AvanzaFotogramma")->click();
        figlio<QPushButton>(c2, "AvanzaFotogramma")->click();
        QVERIFY(platform2.messages.empty());
        QCOMPARE(figlio<QLabel>(c2, "fotogrammaTXT")->text(), QString("4"));
        QCOMPARE(app2.stato().Captazione.veicoliAtt, t.cap().veicoliAtt);
        QCOMPARE(app2.stato().Captazione.VeicoliTOT, t.cap().VeicoliTOT);
        c2->hide();
    }

    void unPassoRifiutatoLasciaTuttoComEra_data()
    {
        QTest::addColumn<QString>("caso");
        QTest::newRow("area non numerica, F4") << "area";
        QTest::newRow("fotogramma precedente mancante, F3") << "file";
        QTest::newRow("margine non numerico, F4") << "margine";
    }

    void unPassoRifiutatoLasciaTuttoComEra()
    {
        QFETCH(QString, caso);
        Captazione t;
        TCaptazione *c = t.c;
        auto *avanza = figlio<QPushButton>(c, "AvanzaFotogramma");
        avanza->click();
        avanza->click();
        const TextList att = t.cap().veicoliAtt, prec = t.cap().veicoliPrec, tot = t.cap().VeicoliTOT;
        const QImage frame = kalvor::testing::frameView(c)->frame();
        int tasto = Qt::Key_F4;
        if (caso == "area")
            figlio<QLineEdit>(c, "AreaVeicoloTXT")->setText("quattro");
        else if (caso == "margine")
            figlio<QLineEdit>(c, "MargineSuperiore")->setText("1,5");
        else {
            std::filesystem::remove(frameFileName(t.dir.path(), 1));
            tasto = Qt::Key_F3;
        }
        avanza->setFocus();
        QTest::keyClick(avanza, Qt::Key(tasto));
        QCOMPARE(t.platform.messageTexts("error").size(), 1);
        QCOMPARE(t.label("fotogrammaTXT"), QString("2"));
        QCOMPARE(t.cap().veicoliAtt, att);
        QCOMPARE(t.cap().veicoliPrec, prec);
        QCOMPARE(t.cap().VeicoliTOT, tot);
        QCOMPARE(kalvor::testing::frameView(c)->frame(), frame);
        QCOMPARE(areeVisibili(c).size(), 1);
    }

    void unaLunghezzaNonNumericaLasciaApertoIlDialogo()
    {
        Captazione t;
        TCaptazione *c = t.c;
        figlio<QPushButton>(c, "AvanzaFotogramma")->click();
        const TextList prima = t.cap().veicoliAtt;
        test::ModalDriver driver;
        driver.then([&](QWidget *d) {
            QTest::keyClicks(figlio<QLineEdit>(d, "LunghezzaVeicolo"), "lungo");
            QTest::keyClick(figlio<QLineEdit>(d, "AreaVeicolo"), Qt::Key_Return);
            QVERIFY(d->isVisible());
            QTest::keyClick(figlio<QLineEdit>(d, "AreaVeicolo"), Qt::Key_Escape);
        });
        QTest::mouseClick(kalvor::testing::frameView(c)->lucido(), Qt::LeftButton, {}, QPoint(100, 50));
        QCOMPARE(t.platform.messageTexts("error").size(), 1);
        QCOMPARE(t.cap().veicoliAtt, prima);
    }

    void lenteSulFotogrammaSenzaDisegni()
    {
        Captazione t;
        TCaptazione *c = t.c;
        figlio<QCheckBox>(c, "MostraAsse")->setChecked(true);
        figlio<QPushButton>(c, "AvanzaFotogramma")->click();
        // The axis is drawn on row 60, but the magnifier copies the frame without it.
        QCOMPARE(kalvor::testing::frameView(c)->overlay().pixelColor(80, 60), QColor(0, 0, 255));
        kalvor::testing::magnifier(c)->showAt(QPoint(80, 60));
        const QImage lente = kalvor::testing::magnifier(c)->image();
        int blu = 0, copiati = 0;
        for (int y = 0; y < lente.height(); ++y)
            for (int x = 0; x < lente.width(); ++x) {
                const QColor p = lente.pixelColor(x, y);
                blu += p == QColor(0, 0, 255);
                copiati += p != QColor(64, 64, 64) && p != QColor(255, 0, 0);
            }
        QVERIFY(copiati > 0);
        QCOMPARE(blu, 0);
    }
};

QTEST_MAIN(TestCaptazione)
#include "test_captazione.moc"
