// SPDX-License-Identifier: GPL-3.0-or-later
// Runs under the xcb platform on a virtual X display: a screen's button
// handler fails (or, with "disegno", a paint event), and the error box must be
// readable on the display itself, not only in Qt's own rendering of it. The
// pixels come from the X server. No fixed wait: the box is polled for, with a
// generous bound that only ends a broken run.

#include "gui/app/applicazione.hpp"
#include "gui/app/impostazioni.hpp"
#include "gui/app/kalvor_application.hpp"
#include "gui/geometry/prospettiva.hpp"
#include "gui/platform/qt_platform.hpp"
#include "gui/platform/style.hpp"

#include "common/errors.hpp"

#include <QEventLoop>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <cstdio>

using namespace kalvor::gui;

namespace {

struct BoxCheck
{
    bool seen = false;
    bool readable = false;
    QString text;
    QString why;
};

// Dark pixels where the message's label lies: its text is drawn there.
int darkPixelsIn(const QImage &image, const QRect &area)
{
    int dark = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(image.pixel(x, y)) < 110)
                ++dark;
    return dark;
}

// Looks at the box as the display shows it (the root window's pixels, so a
// compositor's or window manager's view counts); false while not painted yet.
bool inspect(QMessageBox *box, BoxCheck &check)
{
    check.seen = true;
    check.text = box->text();
    const QImage shown = box->screen()
                             ->grabWindow(0, box->geometry().x(), box->geometry().y(), box->width(), box->height())
                             .toImage()
                             .convertToFormat(QImage::Format_RGB32);
    if (shown.isNull() || shown.width() < box->width() / 2)
        return false;
    int black = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if ((shown.pixel(x, y) & 0xffffff) == 0)
                ++black;
    const double blackShare = double(black) / (shown.width() * shown.height());
    auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    const QRect labelArea = label ? QRect(label->mapTo(box, QPoint(0, 0)), label->size()) : QRect();
    const int textPixels = darkPixelsIn(shown, labelArea);
    check.why = QStringLiteral("black share %1, dark pixels under the text %2").arg(blackShare).arg(textPixels);
    check.readable = blackShare < 0.5 && textPixels > 20;
    return check.readable;
}

// With "disegno": a widget whose first paint fails: the failure reaches the application's
// last line of defence while the window is being painted.
class FailingPaint : public QWidget
{
public:
    bool failed = false;

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (failed)
            return;
        failed = true;
        throw kalvor::RefusalError("Disegno non riuscito: errore di prova.");
    }
};

} // namespace

int main(int argc, char **argv)
{
    KalvorApplication qapp(argc, argv);
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        std::fprintf(stderr, "needs the xcb platform, got %s\n", qPrintable(QGuiApplication::platformName()));
        return 1;
    }
    applyProgramStyle(qapp);
    QtPlatform platform;
    qapp.setPlatform(&platform);
    BoxCheck check;
    bool timedOut = false;
    {
        Applicazione app(platform);
        TProspettiva *screen = app.Prospettiva();
        const bool failingPaint = argc > 1 && QByteArray(argv[1]) == "disegno";

        // Polls for the box; the bound is generous and only ends a broken run.
        QTimer poll;
        poll.setInterval(50);
        int attempts = 0;
        bool clicked = false;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (++attempts > 1200) {
                timedOut = true;
                QApplication::exit(1);
                return;
            }
            QWidget *modal = QApplication::activeModalWidget();
            if (modal && modal != screen && !qobject_cast<QMessageBox *>(modal)) {
                modal->close();
                return;
            }
            if (modal == screen && !clicked && screen->windowHandle() && screen->windowHandle()->isExposed()) {
                clicked = true;
                // Not from inside this timer's slot: the box's own loop must let the timer run.
                QTimer::singleShot(0, screen, [&] {
                    QTest::mouseClick(screen->findChild<QPushButton *>(QStringLiteral("Trasformazione")),
                                      Qt::LeftButton);
                });
                return;
            }
            auto *box = qobject_cast<QMessageBox *>(modal);
            if (!box || !box->isVisible())
                return;
            if (!inspect(box, check) && attempts < 1200)
                return;
            poll.stop();
            box->done(QMessageBox::Ok);
            screen->close();
        });
        QTimer::singleShot(0, screen, [&] {
            poll.start();
            if (failingPaint) {
                FailingPaint w;
                w.resize(300, 200);
                w.show();
                QEventLoop loop;
                QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
                    if (!poll.isActive())
                        loop.quit();
                });
                loop.exec();
                QApplication::exit(0);
                return;
            }
            app.showModal(screen); // as the chain opens it
            QApplication::exit(0);
        });
        QApplication::exec();
    }
    qapp.setPlatform(nullptr);
    if (timedOut || !check.seen) {
        std::fprintf(stderr, "FAIL: no error box was shown\n");
        return 1;
    }
    std::printf("box: %s\n%s\n", qPrintable(check.text), qPrintable(check.why));
    if (!check.readable) {
        std::fprintf(stderr, "FAIL: the error box is not readable on the display\n");
        return 1;
    }
    std::printf("PASS\n");
    return 0;
}
