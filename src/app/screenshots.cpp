// SPDX-License-Identifier: GPL-3.0-or-later
// Renders every screen of the program into PNG files for review, without a
// display: kalvor-screenshots <folder> [job.kvr]. Screens are shown one at a
// time (never modally) with a scripted platform; maximized screens are drawn
// at 1280 by 800. Also draws a balloon hint over the main screen, the hint
// pictures, the click animation and the capture screen at work. With a job (in the folder of its frames)
// the work screens are drawn again as a user sees them with that job open:
// its frames, reference points, area lines, the grid built and a calibration
// run with its mask, into <folder>/con_lavoro.

#include "gui/app/applicazione.hpp"
#include "gui/app/impostazioni.hpp"
#include "gui/app/qt_translations.hpp"
#include "gui/app/riferimenti.hpp"
#include "gui/capture/captazione.hpp"
#include "gui/detection/calibrazione.hpp"
#include "gui/extraction/estrattore.hpp"
#include "gui/geometry/area_captazione.hpp"
#include "gui/geometry/prospettiva.hpp"
#include "gui/platform/guarded.hpp"
#include "gui/platform/hint_balloon.hpp"
#include "gui/platform/resources.hpp"
#include "gui/platform/scripted_platform.hpp"
#include "gui/platform/style.hpp"
#include "gui/project/apri_progetto.hpp"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdio>

using namespace kalvor::gui;

namespace {

bool save(const QPixmap &pixmap, const QDir &folder, const QString &name)
{
    const QString path = folder.filePath(name + QStringLiteral(".png"));
    if (!pixmap.save(path, "PNG")) {
        std::fprintf(stderr, "kalvor-screenshots: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

QPixmap shoot(QWidget *screen)
{
    if (screen->windowState() & Qt::WindowMaximized) {
        screen->setWindowState(Qt::WindowNoState);
        screen->resize(1280, 800);
    }
    screen->show();
    QApplication::processEvents();
    const QPixmap pixmap = screen->grab();
    screen->hide();
    return pixmap;
}

QPixmap hintSheet()
{
    const int cell = 84;
    QPixmap sheet(cell * 10, cell * 2);
    sheet.fill(QColor(246, 242, 230));
    QPainter painter(&sheet);
    painter.setPen(QColor(43, 43, 43));
    for (int i = 0; i < hintPictureCount; ++i) {
        const QPoint at((i % 10) * cell + 10, (i / 10) * cell + 4);
        painter.drawPixmap(at, hintPicture(i));
        painter.drawText(QRect(at.x(), at.y() + 64, 64, 16), Qt::AlignCenter, QString::number(i));
    }
    return sheet;
}

QPixmap animationSheet(const TImpostazioni &main)
{
    const auto &pictures = main.ImmaginiAnimazioneMouse();
    QPixmap sheet(115 * 11 + 10, 125);
    sheet.fill(QColor(200, 214, 228));
    QPainter painter(&sheet);
    for (int k = 0; k < 11; ++k) {
        const QPoint at(10 + k * 115, 10);
        painter.setPen(QColor(120, 130, 140));
        painter.drawRect(QRect(at, QSize(104, 104)));
        painter.drawPixmap(at, pictures[static_cast<size_t>(k)]);
    }
    return sheet;
}

// The work screens with the job open, each after the step a user takes there.
bool shootWithJob(const QString &job, const QDir &folder)
{
    if (!folder.mkpath(QStringLiteral(".")))
        return false;
    ScriptedPlatform platform;
    Applicazione app(platform);
    const bool read = guarded(nullptr, platform, [&] { readProjectFile(app, job, {}); });
    bool ok = read;
    ok &= save(shoot(app.Riferimenti()), folder, QStringLiteral("01_Riferimenti"));
    ok &= save(shoot(app.Estrattore()), folder, QStringLiteral("02_Estrattore"));
    ok &= guarded(nullptr, platform, [&] { app.Prospettiva()->TrasformazioneClick(); });
    ok &= save(shoot(app.Prospettiva()), folder, QStringLiteral("03_Prospettiva_trasformata"));
    ok &= save(shoot(app.AreaCaptazione()), folder, QStringLiteral("04_AreaCaptazione"));
    ok &= guarded(nullptr, platform, [&] {
        app.Calibrazione()->CalcolaMediaClick();
        app.Calibrazione()->ElaborazioneImmaginiClick();
    });
    ok &= save(shoot(app.Calibrazione()), folder, QStringLiteral("05_Calibrazione_dopo_la_corsa"));
    ok &= save(shoot(app.Captazione()), folder, QStringLiteral("06_Captazione"));
    for (const QString &message : platform.messageTexts(QStringLiteral("error")))
        std::fprintf(stderr, "kalvor-screenshots: %s\n", qPrintable(message));
    return ok;
}

// Frame n of a small road: the road axis along row 240, a red car driving
// right below it and a blue one driving left above it from frame 1.
QImage roadFrame(int n)
{
    QImage frame(640, 480, QImage::Format_RGB888);
    frame.fill(QColor(96, 112, 88));
    QPainter p(&frame);
    p.fillRect(0, 170, 640, 140, QColor(92, 92, 96));
    p.fillRect(0, 238, 640, 4, QColor(210, 210, 200));
    if (n > 0) {
        p.fillRect(100 + 24 * n, 252, 84, 34, QColor(190, 30, 36));
        p.fillRect(470 - 24 * n, 196, 96, 34, QColor(36, 70, 170));
    }
    return frame;
}

// The capture screen at work: background from frame 0, two frames on, with
// the sight and the road axis shown.
QPixmap captureAtWork(Applicazione &app, const QDir &frames)
{
    kalvor::StatoLavoro &s = app.stato();
    for (int n = 0; n <= 2; ++n)
        roadFrame(n).save(frames.filePath(QStringLiteral("%1.png").arg(n)), "PNG");
    s.Estrattore.Cartella = frames.path().toStdString() + "/";
    s.AreaCaptazione.PuntiRiferimento = kalvor::TextList {"240", "10", "240", "630", "180", "0", "300", "0"};
    s.GrigliaMetrica.resize(480, 640);
    for (int r = 0; r < 480; ++r)
        for (int x = 0; x < 640; ++x) {
            s.GrigliaMetrica.at(r, x, 0) = 0.05 * x;
            s.GrigliaMetrica.at(r, x, 1) = 0.05 * r;
        }
    for (int n = 0; n <= 2; ++n)
        s.TabellaTempiFotogrammi.push_back({static_cast<double>(n), 0.2 * n});
    TCaptazione *screen = app.Captazione();
    screen->findChild<QLineEdit *>(QStringLiteral("ImmagineFinale"))->setText(QStringLiteral("0"));
    screen->findChild<QPushButton *>(QStringLiteral("CalcolaMedia"))->click();
    screen->findChild<QLineEdit *>(QStringLiteral("ImmagineFinale"))->setText(QStringLiteral("2"));
    screen->findChild<QCheckBox *>(QStringLiteral("Mirino"))->setChecked(true);
    screen->findChild<QCheckBox *>(QStringLiteral("MostraAsse"))->setChecked(true);
    for (int n = 1; n <= 2; ++n)
        screen->findChild<QPushButton *>(QStringLiteral("AvanzaFotogramma"))->click();
    return shoot(screen);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication qapp(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: kalvor-screenshots <folder> [job.kvr]\n");
        return 2;
    }
    QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral(".")))
        return 1;
    kalvor::setCurrentNumberFormat(kalvor::NumberFormat::comma());
    applyProgramStyle(qapp);
    installQtItalian();

    ScriptedPlatform platform;
    Applicazione app(platform);
    bool ok = true;
    const QList<QWidget *> screens = app.screens();
    for (int i = 0; i < screens.size(); ++i)
        ok &= save(shoot(screens[i]), folder,
                   QStringLiteral("%1_%2").arg(i + 1, 2, 10, QLatin1Char('0')).arg(screens[i]->objectName()));

    // The main screen with the balloon of its first advice picture.
    TImpostazioni *main = app.Impostazioni();
    main->setWindowState(Qt::WindowNoState);
    main->resize(1280, 800);
    main->show();
    QApplication::processEvents();
    QWidget *image1 = main->findChild<QWidget *>(QStringLiteral("Image1"));
    const QPoint rest = image1->mapToGlobal(image1->rect().center());
    QHelpEvent help(QEvent::ToolTip, image1->rect().center(), rest);
    QApplication::sendEvent(image1, &help);
    QApplication::processEvents();
    QPixmap withHint = main->grab();
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QStringLiteral("HintArtistico") && widget->isVisible()) {
            QPainter painter(&withHint);
            painter.drawPixmap(main->mapFromGlobal(widget->pos()), widget->grab());
        }
    hideHintBalloon();
    main->hide();
    ok &= save(withHint, folder, QStringLiteral("01b_Impostazioni_suggerimento"));
    ok &= save(hintSheet(), folder, QStringLiteral("ListaImmaginiHint"));
    QTemporaryDir frames;
    ok &= frames.isValid()
        && save(captureAtWork(app, QDir(frames.path())), folder, QStringLiteral("04b_Captazione_al_lavoro"));
    ok &= save(animationSheet(*main), folder, QStringLiteral("ImmaginiAnimazioneMouse"));
    if (argc == 3)
        ok &= shootWithJob(QString::fromLocal8Bit(argv[2]), QDir(folder.filePath(QStringLiteral("con_lavoro"))));
    return ok ? 0 : 1;
}
