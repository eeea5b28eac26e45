// SPDX-License-Identifier: GPL-3.0-or-later
// Renders every screen of the program into PNG files for review, without a
// display: kalvor-screenshots <folder> [job.kvr]. Screens are shown one at a
// time (never modally) with a scripted platform; maximized screens are drawn
// at 1280 by 800. Also draws a balloon hint over the main screen, the hint
// pictures and the click animation. With a job (in the folder of its frames)
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
#include <QDir>
#include <QHelpEvent>
#include <QPainter>

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
    ok &= save(animationSheet(*main), folder, QStringLiteral("ImmaginiAnimazioneMouse"));
    if (argc == 3)
        ok &= shootWithJob(QString::fromLocal8Bit(argv[2]), QDir(folder.filePath(QStringLiteral("con_lavoro"))));
    return ok ? 0 : 1;
}
