// SPDX-License-Identifier: GPL-3.0-or-later
// Renders every screen of the program into PNG files for review, without a
// display: kalvor-screenshots <folder>. Screens are shown one at a time
// (never modally) with a scripted platform; maximized screens are drawn at
// 1280 by 800. Also draws a balloon hint over the main screen, the hint
// pictures and the click animation.

#include "gui/app/applicazione.hpp"
#include "gui/app/impostazioni.hpp"
#include "gui/app/qt_translations.hpp"
#include "gui/platform/hint_balloon.hpp"
#include "gui/platform/resources.hpp"
#include "gui/platform/scripted_platform.hpp"
#include "gui/platform/style.hpp"

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

} // namespace

int main(int argc, char **argv)
{
    QApplication qapp(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: kalvor-screenshots <folder>\n");
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
    return ok ? 0 : 1;
}
