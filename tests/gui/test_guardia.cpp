// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/errors.hpp"
#include "gui/app/applicazione.hpp"
#include "gui/app/impostazioni.hpp"
#include "gui/app/kalvor_application.hpp"
#include "gui/platform/guarded.hpp"
#include "gui/platform/hint_balloon.hpp"
#include "gui/platform/resources.hpp"
#include "gui/platform/scripted_platform.hpp"
#include "support/modal_driver.hpp"

#include <QCommandLinkButton>
#include <QHelpEvent>
#include <QLabel>
#include <QtTest>

using namespace kalvor::gui;

namespace {

// A widget whose click handler fails without guarding itself.
class Failing : public QWidget
{
protected:
    void mousePressEvent(QMouseEvent *) override { throw kalvor::FileError("Impossibile aprire \"12.png\""); }
};

QWidget *visibleBalloon()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->objectName() == "HintArtistico" && widget->isVisible())
            return widget;
    return nullptr;
}

} // namespace

class TestGuardia : public QObject
{
    Q_OBJECT
private slots:
    void guardedShowsWhatAHandlerLetsOut()
    {
        ScriptedPlatform platform;
        int after = 0;
        QVERIFY(!guarded(nullptr, platform, [&] {
            throw kalvor::ConversionError("\"12a\" non è un numero intero valido");
            ++after;
        }));
        QVERIFY(!guarded(nullptr, platform, [] { throw std::runtime_error("vector::at"); }));
        QVERIFY(!guarded(nullptr, platform, [] { throw std::bad_alloc(); }));
        QVERIFY(!guarded(nullptr, platform, [] { throw 42; }));
        QVERIFY(guarded(nullptr, platform, [&] { ++after; }));
        QCOMPARE(after, 1);
        QCOMPARE(platform.messageTexts("error"),
                 (QStringList {"\"12a\" non è un numero intero valido", "Errore inatteso (vector::at).",
                               "Memoria insufficiente per completare l'operazione.", "Errore inatteso."}));
    }

    void aFailingProjectReadIsShownAndTheProgramGoesOn()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        app.Impostazioni()->show();
        platform.openAnswers.push_back("/nessuna/cartella/lavoro.kvr");
        test::ModalDriver driver;
        app.Impostazioni()->findChild<QCommandLinkButton *>("ApriDati")->click();
        QCOMPARE(platform.messageTexts("error").size(), 1);
        QVERIFY(platform.messageTexts("error").front().contains("lavoro.kvr"));
        QVERIFY(app.Impostazioni()->isVisible());
        // Still usable: the chain starts.
        app.Impostazioni()->findChild<QCommandLinkButton *>("Conferma")->click();
        QCOMPARE(driver.seen.value(0), QString("Riferimenti"));
        QCOMPARE(driver.seen.size(), 6);
    }

    void anUnguardedHandlerIsCaughtByTheApplication()
    {
        ScriptedPlatform platform;
        auto *application = qobject_cast<KalvorApplication *>(qApp);
        QVERIFY(application);
        application->setPlatform(&platform);
        Failing widget;
        widget.show();
        QTest::mouseClick(&widget, Qt::LeftButton);
        application->setPlatform(nullptr);
        QCOMPARE(platform.messageTexts("error"), QStringList {"Impossibile aprire \"12.png\""});
        QVERIFY(widget.isVisible());
    }

    void hintTextsSplitIntoTitleTextAndPicture_data()
    {
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("picture");
        QTest::newRow("H2") << "Distanza ripresa|Bisogna fare riprese a distanza contenute in quelle limite|7"
                            << "Distanza ripresa"
                            << "Bisogna fare riprese a distanza contenute in quelle limite" << 7;
        QTest::newRow("first picture") << "a|b|0"
                                       << "a"
                                       << "b" << 0;
        QTest::newRow("last picture") << "a|b|18"
                                      << "a"
                                      << "b" << 18;
        QTest::newRow("beyond the list") << "a|b|19"
                                         << "a"
                                         << "b" << -1;
        QTest::newRow("negative") << "a|b|-1"
                                  << "a"
                                  << "b" << -1;
        QTest::newRow("not a number") << "a|b|sette"
                                      << "a"
                                      << "b" << -1;
        QTest::newRow("no picture") << "a|b"
                                    << "a"
                                    << "b" << -1;
        QTest::newRow("plain text") << "solo testo"
                                    << ""
                                    << "solo testo" << -1;
        QTest::newRow("empty title") << "|testo|3"
                                     << ""
                                     << "testo" << 3;
    }

    void hintTextsSplitIntoTitleTextAndPicture()
    {
        QFETCH(QString, hint);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(int, picture);
        const Hint parsed = parseHint(hint);
        QCOMPARE(parsed.title, title);
        QCOMPARE(parsed.text, text);
        QCOMPARE(parsed.picture, picture);
    }

    void restingOnAnAdvicePictureShowsItsBalloon()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        app.Impostazioni()->show();
        auto *image1 = app.Impostazioni()->findChild<QWidget *>("Image1");
        QCOMPARE(hintOf(image1),
                 QString("Angolazione - Dimensione|Bisogna contenere l'angolo di inclinazione e "
                         "effettuare la ripresa con una risoluzione di 640x480|13"));
        QHelpEvent rest(QEvent::ToolTip, QPoint(10, 10), image1->mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(image1, &rest);
        QWidget *balloon = visibleBalloon();
        QVERIFY(balloon);
        QCOMPARE(balloon->findChild<QLabel *>("titolo")->text(), QString("Angolazione - Dimensione"));
        QVERIFY(balloon->findChild<QLabel *>("testo")->text().startsWith("Bisogna contenere"));
        auto *picture = balloon->findChild<QLabel *>("immagine");
        QVERIFY(picture);
        QCOMPARE(picture->pixmap().cacheKey(), hintPicture(13).cacheKey());
        QCOMPARE(picture->pixmap().size(), QSize(64, 64));

        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(image1, &leave);
        QTRY_VERIFY_WITH_TIMEOUT(!visibleBalloon(), 60000);
    }

    void allNineteenHintPicturesExist()
    {
        for (int i = 0; i < hintPictureCount; ++i) {
            const QPixmap picture = hintPicture(i);
            QVERIFY2(!picture.isNull(), qPrintable(QString::number(i)));
            QCOMPARE(picture.size(), QSize(64, 64));
        }
        QVERIFY(hintPicture(19).isNull());
        QVERIFY(hintPicture(-1).isNull());
    }
};

int main(int argc, char **argv)
{
    KalvorApplication application(argc, argv);
    TestGuardia test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_guardia.moc"
