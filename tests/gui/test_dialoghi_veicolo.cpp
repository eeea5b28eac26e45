// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/errors.hpp"
#include "gui/app/applicazione.hpp"
#include "gui/capture/aggiungi_veicolo.hpp"
#include "gui/capture/modifica_veicolo.hpp"
#include "gui/platform/hint_balloon.hpp"
#include "gui/platform/scripted_platform.hpp"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace kalvor;
using namespace kalvor::gui;

namespace {

template<class T> T *figlio(QWidget *w, const char *name)
{
    T *c = w->findChild<T *>(QString::fromLatin1(name));
    if (!c)
        qFatal("manca %s", name);
    return c;
}

// The widgets that Tab visits, in order, starting from `first`.
QStringList tabOrder(QWidget *first, int count)
{
    QStringList seen;
    QWidget *w = first;
    for (int steps = 0; steps < 200 && seen.size() < count; ++steps, w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && !w->objectName().isEmpty())
            seen << w->objectName();
    return seen;
}

QColor cornerColour(QWidget *dialog)
{
    return dialog->grab().toImage().pixelColor(2, 2);
}

struct AddCall
{
    int count = 0;
    Aggiunta scelta = Aggiunta::NuovoVeicolo;
    StatoAggiungiVeicolo campi;
};

struct ChangeCall
{
    int count = 0;
    Modifica scelta = Modifica::CambiaNumero;
    StatoModificaVeicolo campi;
};

} // namespace

class TestDialoghiVeicolo : public QObject
{
    Q_OBJECT
private slots:
    void aggiungiControlsAsDescribed()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        TAggiungiVeicolo *d = app.AggiungiVeicolo();
        QCOMPARE(d->windowTitle(), QString("Aggiungi Veicolo"));
        QCOMPARE(figlio<QPushButton>(d, "AggiungiVeicoloEsistente")->text(), QString("Aggiungi Veicolo Esistente"));
        QCOMPARE(figlio<QPushButton>(d, "AggiungiNuovoVeicolo")->text(), QString("Aggiungi Nuovo Veicolo"));
        QCOMPARE(hintOf(figlio<QLineEdit>(d, "NumeroVeicolo")),
                 QString("Dati veicolo|Numero del veicolo da aggiungere|2"));
        QCOMPARE(hintOf(figlio<QLineEdit>(d, "LunghezzaVeicolo")),
                 QString("Dati veicolo|Lunghezza veicolo \"SOLO SE NUOVO VEICOLO\"|2"));
        QCOMPARE(hintOf(figlio<QLineEdit>(d, "AreaVeicolo")),
                 QString("Dati veicolo|Area impronta \"SOLO SE NUOVO VEICOLO\"|2"));
        QCOMPARE(hintOf(figlio<QPushButton>(d, "AggiungiVeicoloEsistente")),
                 QString("Aggiungi veicolo|Aggiunge un veicolo già esistente ma momentaneamente non captato|2"));
        QCOMPARE(hintOf(figlio<QPushButton>(d, "AggiungiNuovoVeicolo")),
                 QString("Aggiungi veicolo|Aggiunge un nuovo veicolo ancora non captato|2"));
        QVERIFY(figlio<QLineEdit>(d, "NumeroVeicolo")->text().isEmpty());
        QCOMPARE(d->findChild<QLabel *>("Xtxt")->text(), QString("00000"));
        QCOMPARE(d->findChild<QLabel *>("Ytxt")->text(), QString("00000"));
        QStringList labels;
        for (QLabel *l : d->findChildren<QLabel *>())
            labels << l->text();
        for (const char *text : {"X :", "Y :", "Numero", "Lunghezza", "Area"})
            QVERIFY2(labels.contains(QString(text)), text);
        QCOMPARE(tabOrder(figlio<QLineEdit>(d, "NumeroVeicolo"), 5),
                 (QStringList {"NumeroVeicolo", "LunghezzaVeicolo", "AreaVeicolo", "AggiungiVeicoloEsistente",
                               "AggiungiNuovoVeicolo"}));
        QVERIFY(!(d->windowFlags() & Qt::WindowMinMaxButtonsHint));
        QCOMPARE(cornerColour(d), QColor(84, 168, 0));
    }

    void aggiungiShowsThePointBelowThePointer()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        TAggiungiVeicolo *d = app.AggiungiVeicolo();
        app.stato().AggiungiVeicolo.Xtxt = "200";
        app.stato().AggiungiVeicolo.Ytxt = "173";
        d->prepara(QPoint(700, 400), {});
        QCOMPARE(d->findChild<QLabel *>("Xtxt")->text(), QString("200"));
        QCOMPARE(d->findChild<QLabel *>("Ytxt")->text(), QString("173"));
        QCOMPARE(d->pos(), QPoint(640, 420));
    }

    void aggiungiKeys_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("outcome"); // "esistente", "nuovo", "chiuso" or "niente"
        QTest::newRow("numero Enter") << "NumeroVeicolo" << int(Qt::Key_Return) << "esistente";
        QTest::newRow("numero keypad Enter") << "NumeroVeicolo" << int(Qt::Key_Enter) << "esistente";
        QTest::newRow("numero Esc") << "NumeroVeicolo" << int(Qt::Key_Escape) << "chiuso";
        QTest::newRow("numero F1") << "NumeroVeicolo" << int(Qt::Key_F1) << "chiuso";
        QTest::newRow("lunghezza Enter") << "LunghezzaVeicolo" << int(Qt::Key_Return) << "niente";
        QTest::newRow("lunghezza Esc") << "LunghezzaVeicolo" << int(Qt::Key_Escape) << "chiuso";
        QTest::newRow("area Enter") << "AreaVeicolo" << int(Qt::Key_Return) << "nuovo";
        QTest::newRow("area Esc") << "AreaVeicolo" << int(Qt::Key_Escape) << "chiuso";
        QTest::newRow("area F1") << "AreaVeicolo" << int(Qt::Key_F1) << "chiuso";
        QTest::newRow("esistente Enter") << "AggiungiVeicoloEsistente" << int(Qt::Key_Return) << "niente";
        QTest::newRow("esistente F1") << "AggiungiVeicoloEsistente" << int(Qt::Key_F1) << "chiuso";
        QTest::newRow("nuovo Enter") << "AggiungiNuovoVeicolo" << int(Qt::Key_Return) << "niente";
        QTest::newRow("nuovo Esc") << "AggiungiNuovoVeicolo" << int(Qt::Key_Escape) << "chiuso";
        QTest::newRow("numero F2") << "NumeroVeicolo" << int(Qt::Key_F2) << "niente";
    }

    void aggiungiKeys()
    {
        QFETCH(QString, control);
        QFETCH(int, key);
        QFETCH(QString, outcome);
        ScriptedPlatform platform;
        Applicazione app(platform);
        TAggiungiVeicolo *d = app.AggiungiVeicolo();
        AddCall call;
        d->prepara(QPoint(100, 100), [&](Aggiunta scelta) {
            ++call.count;
            call.scelta = scelta;
            call.campi = app.stato().AggiungiVeicolo;
        });
        QTest::keyClicks(figlio<QLineEdit>(d, "NumeroVeicolo"), "12");
        QTest::keyClicks(figlio<QLineEdit>(d, "LunghezzaVeicolo"), "4,5");
        QTest::keyClicks(figlio<QLineEdit>(d, "AreaVeicolo"), "8");
        d->show();
        QWidget *target = d->findChild<QWidget *>(control);
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key));
        if (outcome == "esistente" || outcome == "nuovo") {
            QCOMPARE(call.count, 1);
            QCOMPARE(call.scelta, outcome == "nuovo" ? Aggiunta::NuovoVeicolo : Aggiunta::VeicoloEsistente);
            QCOMPARE(call.campi.NumeroVeicolo, std::string("12"));
            QCOMPARE(call.campi.LunghezzaVeicolo, std::string("4,5"));
            QCOMPARE(call.campi.AreaVeicolo, std::string("8"));
            QVERIFY(!d->isVisible()); // closes once the addition is done
        } else {
            QCOMPARE(call.count, 0);
            QCOMPARE(d->isVisible(), outcome == "niente");
        }
        d->hide();
    }

    void aggiungiKeepsItsTextsAndShowsWhatTheAdditionBrought()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        TAggiungiVeicolo *d = app.AggiungiVeicolo();
        StatoAggiungiVeicolo &campi = app.stato().AggiungiVeicolo;
        d->prepara(QPoint(100, 100), [&](Aggiunta) {
            campi.LunghezzaVeicolo = "4,2";
            campi.AreaVeicolo = "7,5";
        });
        d->show();
        QTest::keyClicks(figlio<QLineEdit>(d, "NumeroVeicolo"), "12");
        figlio<QPushButton>(d, "AggiungiVeicoloEsistente")->click();
        QVERIFY(!d->isVisible());
        QCOMPARE(figlio<QLineEdit>(d, "LunghezzaVeicolo")->text(), QString("4,2"));
        d->prepara(QPoint(100, 100), {});
        QCOMPARE(figlio<QLineEdit>(d, "NumeroVeicolo")->text(), QString("12"));
        QCOMPARE(figlio<QLineEdit>(d, "LunghezzaVeicolo")->text(), QString("4,2"));
        QCOMPARE(figlio<QLineEdit>(d, "AreaVeicolo")->text(), QString("7,5"));
    }

    void aggiungiStaysOpenWhenTheAdditionFails()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        TAggiungiVeicolo *d = app.AggiungiVeicolo();
        d->prepara(QPoint(100, 100), [&](Aggiunta) {
            throw ConversionError("'" + app.stato().AggiungiVeicolo.LunghezzaVeicolo + "' non è un numero");
        });
        figlio<QLineEdit>(d, "LunghezzaVeicolo")->setText("lungo");
        d->show();
        figlio<QPushButton>(d, "AggiungiNuovoVeicolo")->click();
        QCOMPARE(platform.messageTexts("error").size(), 1);
        QVERIFY(platform.messageTexts("error").front().contains("lungo"));
        QVERIFY(d->isVisible());
        QCOMPARE(figlio<QLineEdit>(d, "LunghezzaVeicolo")->text(), QString("lungo"));
        d->hide();
    }

    void modificaControlsAsDescribed()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        TModificaVeicolo *d = app.ModificaVeicolo();
        QCOMPARE(d->windowTitle(), QString("Modifica Veicolo"));
        QCOMPARE(d->findChild<QLabel *>("NumeroVeicoloAttuale")->text(), QString("nnnnn"));
        QCOMPARE(figlio<QPushButton>(d, "EliminaVeicolo")->text(), QString("Elimina Veicolo"));
        QCOMPARE(figlio<QPushButton>(d, "CambiaNumeroVeicolo")->text(), QString("Cambia Numero Veicolo"));
        QCOMPARE(hintOf(figlio<QLineEdit>(d, "NumeroVeicolo")),
                 QString("Cambia numero|Se vuoi cambiare il numero del veicolo captato|2"));
        QCOMPARE(hintOf(figlio<QPushButton>(d, "EliminaVeicolo")),
                 QString("Elimina veicolo|elimina il veicolo selezionato F1|2"));
        QCOMPARE(hintOf(figlio<QPushButton>(d, "CambiaNumeroVeicolo")),
                 QString("Cambia numero|Cambia il numero al veicolo selezionato|2"));
        QStringList labels;
        for (QLabel *l : d->findChildren<QLabel *>())
            labels << l->text();
        QVERIFY(labels.contains("Veicolo"));
        QCOMPARE(tabOrder(figlio<QLineEdit>(d, "NumeroVeicolo"), 3),
                 (QStringList {"NumeroVeicolo", "EliminaVeicolo", "CambiaNumeroVeicolo"}));
        QCOMPARE(cornerColour(d), QColor(84, 168, 0));
    }

    void modificaOpensOnTheVehicleCentredBelowThePointer()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        TModificaVeicolo *d = app.ModificaVeicolo();
        app.stato().ModificaVeicolo.NumeroVeicoloAttuale = "7";
        d->prepara(QPoint(500, 300), {});
        QCOMPARE(d->findChild<QLabel *>("NumeroVeicoloAttuale")->text(), QString("7"));
        QCOMPARE(d->pos().y(), 320);
        QCOMPARE(d->pos().x() + d->frameGeometry().width() / 2, 500);
    }

    void modificaKeys_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("outcome"); // "cambia", "elimina", "chiuso" or "niente"
        QTest::newRow("numero Enter") << "NumeroVeicolo" << int(Qt::Key_Return) << "cambia";
        QTest::newRow("numero Esc") << "NumeroVeicolo" << int(Qt::Key_Escape) << "chiuso";
        QTest::newRow("numero F1") << "NumeroVeicolo" << int(Qt::Key_F1) << "elimina";
        QTest::newRow("elimina Enter") << "EliminaVeicolo" << int(Qt::Key_Return) << "niente";
        QTest::newRow("elimina Esc") << "EliminaVeicolo" << int(Qt::Key_Escape) << "chiuso";
        QTest::newRow("elimina F1") << "EliminaVeicolo" << int(Qt::Key_F1) << "elimina";
        QTest::newRow("cambia Enter") << "CambiaNumeroVeicolo" << int(Qt::Key_Return) << "niente";
        QTest::newRow("cambia Esc") << "CambiaNumeroVeicolo" << int(Qt::Key_Escape) << "chiuso";
        QTest::newRow("cambia F1") << "CambiaNumeroVeicolo" << int(Qt::Key_F1) << "elimina";
    }

    void modificaKeys()
    {
        QFETCH(QString, control);
        QFETCH(int, key);
        QFETCH(QString, outcome);
        ScriptedPlatform platform;
        Applicazione app(platform);
        TModificaVeicolo *d = app.ModificaVeicolo();
        ChangeCall call;
        app.stato().ModificaVeicolo.NumeroVeicoloAttuale = "5";
        d->prepara(QPoint(300, 300), [&](Modifica scelta) {
            ++call.count;
            call.scelta = scelta;
            call.campi = app.stato().ModificaVeicolo;
        });
        d->show();
        QTest::keyClicks(figlio<QLineEdit>(d, "NumeroVeicolo"), "9");
        QWidget *target = d->findChild<QWidget *>(control);
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key));
        if (outcome == "cambia" || outcome == "elimina") {
            QCOMPARE(call.count, 1);
            QCOMPARE(call.scelta, outcome == "cambia" ? Modifica::CambiaNumero : Modifica::Elimina);
            QCOMPARE(call.campi.NumeroVeicoloAttuale, std::string("5"));
            QCOMPARE(call.campi.NumeroVeicolo, std::string("9"));
            QVERIFY(!d->isVisible());
        } else {
            QCOMPARE(call.count, 0);
            QCOMPARE(d->isVisible(), outcome == "niente");
        }
        d->hide();
    }

    void modificaStaysOpenWhenTheChangeFails()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        TModificaVeicolo *d = app.ModificaVeicolo();
        d->prepara(QPoint(300, 300), [&](Modifica) {
            throw ConversionError("'" + app.stato().ModificaVeicolo.NumeroVeicolo + "' non è un numero intero");
        });
        d->show();
        figlio<QLineEdit>(d, "NumeroVeicolo")->setText("nove");
        figlio<QPushButton>(d, "CambiaNumeroVeicolo")->click();
        QCOMPARE(platform.messageTexts("error").size(), 1);
        QVERIFY(d->isVisible());
        d->hide();
    }
};

QTEST_MAIN(TestDialoghiVeicolo)
#include "test_dialoghi_veicolo.moc"
