// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/applicazione.hpp"
#include "gui/app/impostazioni.hpp"
#include "gui/app/logo.hpp"
#include "gui/platform/click_animation.hpp"
#include "gui/platform/hand_cursor.hpp"
#include "gui/platform/immagini_animazione.hpp"
#include "gui/platform/scripted_platform.hpp"
#include "support/temp_dir.hpp"

#include <QLabel>
#include <QtTest>

using namespace kalvor::gui;

namespace {

struct Step
{
    bool present = false;
    QPoint pos;
    QSize size;
    qint64 pictureKey = 0;
};

} // namespace

class TestAnimazione : public QObject
{
    Q_OBJECT
private slots:
    void elevenPicturesAreLoadedFromBesideTheExecutable()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        const auto &pictures = app.Impostazioni()->ImmaginiAnimazioneMouse();
        for (const QPixmap &picture : pictures) {
            QVERIFY(!picture.isNull());
            QCOMPARE(picture.size(), QSize(105, 105));
            QVERIFY(picture.hasAlpha()); // the corner colour is see-through
        }
        QVERIFY(platform.messages.empty());
    }

    void aMissingPictureLeavesAnEmptyStepAndIsReported()
    {
        kalvor::testing::TempDir folder;
        const QString base = QString::fromStdString(folder.path());
        QVERIFY(QDir(base).mkpath("Animazioni mouse"));
        // Pictures 1 to 11 except 4 and 11; a magenta corner is the see-through colour.
        QImage picture(105, 105, QImage::Format_RGB32);
        picture.fill(QColor(255, 0, 255));
        picture.setPixel(50, 50, qRgb(10, 20, 30));
        for (int n = 1; n <= 10; ++n)
            if (n != 4)
                QVERIFY(picture.save(base + QString("Animazioni mouse/Animazione mouse %1.bmp").arg(n), "BMP"));
        QStringList missing;
        const AnimationPictures pictures = loadAnimationPictures(base, missing);
        QCOMPARE(missing.size(), 2);
        QVERIFY(missing[0].endsWith("Animazione mouse 4.bmp"));
        QVERIFY(missing[1].endsWith("Animazione mouse 11.bmp"));
        for (int k = 0; k < animationPictureCount; ++k)
            QCOMPARE(pictures[size_t(k)].isNull(), k == 3 || k == 10);
        const QImage loaded = pictures[0].toImage();
        QCOMPARE(qAlpha(loaded.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(loaded.pixel(50, 50)), 255);
        QCOMPARE(loaded.pixel(50, 50), qRgb(10, 20, 30));
    }

    void animationPlays22StepsAroundThePointerAndThenGoes()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        TImpostazioni *main = app.Impostazioni();
        main->setGeometry(100, 80, 800, 600);
        main->show();
        QVERIFY(QTest::qWaitForWindowExposed(main));
        QCursor::setPos(main->mapToGlobal(QPoint(300, 200)));
        if (main->mapFromGlobal(QCursor::pos()) != QPoint(300, 200))
            QSKIP("this platform cannot move the pointer");

        QVERIFY(!main->findChild<QLabel *>("AnimazioneMouse"));
        std::vector<Step> steps;
        const auto record = [&](ClickAnimation *frame) {
            steps.push_back({true, frame->pos(), frame->size(), frame->pixmap().cacheKey()});
        };
        QPointer<ClickAnimation> animation = main->AnimazioneMouse(1, main);
        QVERIFY(animation);
        record(animation); // the first step is shown at once
        connect(animation, &ClickAnimation::stepShown, [&] { record(animation); });
        // The screen stays responsive: the steps follow on a timer until the animation goes.
        QTRY_VERIFY_WITH_TIMEOUT(!animation, 60000);
        QVERIFY(!main->findChild<QLabel *>("AnimazioneMouse"));

        QCOMPARE(int(steps.size()), 22);
        const int order[] = {10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
        for (int i = 0; i < 22; ++i) {
            QVERIFY(steps[i].present);
            QCOMPARE(steps[i].pos, QPoint(300 - 14, 200 - 14));
            QCOMPARE(steps[i].size, QSize(105, 105));
            QCOMPARE(steps[i].pictureKey, main->ImmaginiAnimazioneMouse()[order[i]].cacheKey());
        }
    }

    void clickOnTheAdvicePicturesPlaysTheAnimation()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        TImpostazioni *main = app.Impostazioni();
        main->show();
        for (const char *name : {"sfondo", "Image1", "Image2", "Image3"}) {
            QTest::mouseClick(main->findChild<QWidget *>(name), Qt::LeftButton);
            QPointer<ClickAnimation> animation = main->findChild<ClickAnimation *>("AnimazioneMouse");
            QVERIFY2(animation, name);
            QCOMPARE(animation->msPerStep(), 30); // speed 30
            QTRY_VERIFY_WITH_TIMEOUT(!animation, 60000);
        }
    }

    void cursorFileInTheWorkingFolderBecomesTheHandCursor()
    {
        installHandCursor(QCursor(Qt::ArrowCursor));
        kalvor::testing::TempDir folder;
        const QString previous = QDir::currentPath();
        QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + "/Mouse1.cur",
                            QString::fromStdString(folder.path()) + "Mouse1.cur"));
        QDir::setCurrent(QString::fromStdString(folder.path()));
        {
            ScriptedPlatform platform;
            Applicazione app(platform);
            app.Impostazioni()->FormShow(); // the about box is closed below
            // Controls with the hand cursor show the new one.
            QCOMPARE(app.Impostazioni()->findChild<QWidget *>("Conferma")->cursor().shape(), Qt::BitmapCursor);
            QCOMPARE(app.logo()->findChild<QWidget *>("sfondo")->cursor().shape(), Qt::BitmapCursor);
        }
        QDir::setCurrent(previous);
        QCOMPARE(handCursor().shape(), Qt::BitmapCursor);
        QCOMPARE(handCursor().hotSpot(), QPoint(2, 2));
        QCOMPARE(handCursor().pixmap().size(), QSize(32, 32));
    }

    void missingOrBrokenCursorFileFallsBackSilently()
    {
        kalvor::testing::TempDir folder;
        QCursor cursor(Qt::IBeamCursor);
        const QString missing = QString::fromStdString(folder.path()) + "Mouse1.cur";
        QVERIFY(!loadCursorFile(missing, cursor));
        QFile broken(missing);
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("\0\0\2\0\1\0garbage that is no cursor", 30);
        broken.close();
        QVERIFY(!loadCursorFile(missing, cursor));
        QCOMPARE(cursor.shape(), Qt::IBeamCursor);

        installHandCursor(QCursor(Qt::ArrowCursor));
        const QString previous = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(folder.path()));
        ScriptedPlatform platform;
        {
            Applicazione app(platform);
            app.Impostazioni()->FormShow();
        }
        QDir::setCurrent(previous);
        QCOMPARE(handCursor().shape(), Qt::ArrowCursor);
        QVERIFY(platform.messages.empty());
    }

    void init() { m_closer.start(); }

    void cleanup() { m_closer.stop(); }

public:
    TestAnimazione()
    {
        // FormShow shows the about box modally: close it as soon as it is up.
        m_closer.setInterval(5);
        connect(&m_closer, &QTimer::timeout, [] {
            if (QWidget *modal = QApplication::activeModalWidget())
                modal->close();
        });
    }

private:
    QTimer m_closer;
};

QTEST_MAIN(TestAnimazione)
#include "test_animazione.moc"
