// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/logo.hpp"

#include "gui/platform/guarded.hpp"
#include "gui/platform/hand_cursor.hpp"
#include "gui/platform/picture_control.hpp"
#include "gui/platform/resources.hpp"

#include <QMouseEvent>

namespace kalvor::gui {

const QString Tlogo::webAddress = QStringLiteral("https://kalvor.example.org");

namespace {

ClickableLabel *textLabel(QWidget *parent, const QString &name, const QString &text, const QRect &geometry,
                          const QString &style, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto *label = new ClickableLabel(text, parent, name);
    label->setGeometry(geometry);
    label->setStyleSheet(style);
    label->setAlignment(alignment);
    useHandCursor(label);
    return label;
}

} // namespace

Tlogo::Tlogo(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent)
    : Screen(app, stato, platform, parent)
{
    setIdentity(QStringLiteral("logo"), QStringLiteral("logo"), WindowKind::Borderless, QSize(649, 448));

    auto *sfondo = new PictureControl(this, QStringLiteral("sfondo"));
    sfondo->setGeometry(0, 0, 649, 448);
    sfondo->setScaledContents(true);
    sfondo->setPixmap(picture(QStringLiteral("sfondo_logo.svg"), QSize(649, 448)));
    useHandCursor(sfondo);

    auto *logoIMG = new PictureControl(this, QStringLiteral("logoIMG"));
    logoIMG->setGeometry(214, 60, 220, 88);
    logoIMG->setPixmap(picture(QStringLiteral("logo.svg"), QSize(220, 88)));
    useHandCursor(logoIMG);

    const QString big = QStringLiteral("color: %1; font-family: 'DejaVu Serif'; font-size: 40pt; font-weight: bold;"
                                       " font-style: italic;");
    QList<QWidget *> closers {sfondo, logoIMG};
    // The name in large lettering over three labels, set side by side and centred.
    const QStringList parts {QStringLiteral("Kal"), QStringLiteral("v"), QStringLiteral("or")};
    const QStringList names {QStringLiteral("Label11"), QStringLiteral("Label3"), QStringLiteral("Label4")};
    const QStringList colours {QStringLiteral("#ffd166"), QStringLiteral("#ffffff"), QStringLiteral("#ffd166")};
    QList<ClickableLabel *> lettering;
    int total = 0;
    for (int i = 0; i < 3; ++i) {
        auto *label = textLabel(this, names[i], parts[i], QRect(), big.arg(colours[i]), Qt::AlignCenter);
        label->ensurePolished();
        total += label->fontMetrics().horizontalAdvance(parts[i]) + 6;
        lettering << label;
    }
    int x = (649 - total) / 2;
    for (ClickableLabel *label : lettering) {
        const int width = label->fontMetrics().horizontalAdvance(label->text()) + 6;
        label->setGeometry(x, 160, width, 80);
        x += width;
        closers << label;
    }
    closers << textLabel(this, QStringLiteral("versioneTXT"), QStringLiteral("versione 16 Novembre 2010"),
                         QRect(0, 240, 649, 24), QStringLiteral("color: #dfe9f3; font-size: 11pt;"), Qt::AlignCenter);
    closers << textLabel(this, QStringLiteral("Label1"),
                         QStringLiteral("Ideazione e sviluppo: gruppo Kalvor di ingegneria del traffico"),
                         QRect(150, 300, 480, 22), QStringLiteral("color: #ffffff; font-size: 10pt;"));
    closers << textLabel(this, QStringLiteral("Label2"),
                         QStringLiteral("Programma di ricerca sulla sicurezza stradale, laboratorio di strade e "
                                        "trasporti"),
                         QRect(150, 324, 480, 40), QStringLiteral("color: #dfe9f3; font-size: 9pt;"));
    closers.last()->setProperty("wordWrap", true);
    static_cast<QLabel *>(closers.last())->setWordWrap(true);

    auto *universita = new PictureControl(this, QStringLiteral("Image1"));
    universita->setGeometry(24, 330, 100, 100);
    universita->setPixmap(picture(QStringLiteral("sigillo.svg"), QSize(100, 100)));
    useHandCursor(universita);
    closers << universita;

    closers << textLabel(this, QStringLiteral("Label6"), QStringLiteral("info@kalvor.example.org"),
                         QRect(389, 12, 248, 22), QStringLiteral("color: #dfe9f3; font-size: 9pt;"),
                         Qt::AlignRight | Qt::AlignVCenter);
    auto *sitoweb
        = textLabel(this, QStringLiteral("sitoweb"), QStringLiteral("www.kalvor.example.org"), QRect(12, 12, 248, 22),
                    QStringLiteral("color: #ffd166; font-size: 9pt; text-decoration: underline;"));

    for (QWidget *widget : closers) {
        if (auto *picture = qobject_cast<PictureControl *>(widget))
            connect(picture, &PictureControl::clicked, this, [this] { sfondoClick(); });
        else if (auto *label = qobject_cast<ClickableLabel *>(widget))
            connect(label, &ClickableLabel::clicked, this, [this] { sfondoClick(); });
    }
    connect(sitoweb, &ClickableLabel::clicked, this, [this] { runGuarded([&] { sitowebClick(); }); });
}

void Tlogo::sfondoClick()
{
    close();
}

void Tlogo::sitowebClick()
{
    m_platform.openUrl(webAddress);
}

void Tlogo::mousePressEvent(QMouseEvent *event)
{
    // A click between the elements closes the box too.
    if (event->button() == Qt::LeftButton) {
        sfondoClick();
        return;
    }
    QDialog::mousePressEvent(event);
}

} // namespace kalvor::gui
