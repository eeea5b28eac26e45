// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/safety/indicatori_sicurezza.hpp"

#include "gui/platform/hand_cursor.hpp"
#include "gui/platform/hint_balloon.hpp"
#include "gui/platform/picture_control.hpp"
#include "gui/platform/resources.hpp"
#include "gui/platform/window_kind.hpp"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace kalvor::gui {

namespace {

// An image button with its label underneath.
QWidget *imageButton(QWidget *parent, PictureControl *&picture, const QString &name, int pictureIndex,
                     const QString &label)
{
    auto *box = new QWidget(parent);
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(4, 0, 4, 0);
    picture = new PictureControl(box, name);
    picture->setPixmap(hintPicture(pictureIndex));
    picture->setAlignment(Qt::AlignCenter);
    useHandCursor(picture);
    auto *caption = new QLabel(label, box);
    caption->setAlignment(Qt::AlignCenter);
    caption->setWordWrap(true);
    caption->setStyleSheet(QStringLiteral("font-weight: bold;"));
    caption->setFixedWidth(110);
    column->addWidget(picture, 0, Qt::AlignHCenter);
    column->addWidget(caption, 0, Qt::AlignHCenter);
    return box;
}

} // namespace

TIndicatoriSicurezza::TIndicatoriSicurezza(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent)
    : QDialog(parent)
    , m_app(app)
    , m_stato(stato)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("IndicatoriSicurezza"));
    setWindowTitle(QStringLiteral("IndicatoriSicurezza"));
    applyWindowKind(this, WindowKind::Centred, QSize(900, 600));

    m_sfondo = new PictureControl(this, QStringLiteral("sfondo"));
    m_sfondo->setScaledContents(true);
    m_sfondo->setPixmap(picture(QStringLiteral("sfondo_indicatori.svg"), QSize(900, 600)));

    auto *page = new QVBoxLayout(this);
    page->setContentsMargins(16, 80, 16, 16);
    auto *commands = new QHBoxLayout;
    commands->addWidget(
        imageButton(this, CalcolaIndicatoriIMG, QStringLiteral("CalcolaIndicatoriIMG"), 11, QStringLiteral("Calcola")));
    commands->addWidget(imageButton(this, MostraTabellaCompletaIMG, QStringLiteral("MostraTabellaCompletaIMG"), 9,
                                    QStringLiteral("Mostra la tabella completa")));
    commands->addWidget(
        imageButton(this, Image1, QStringLiteral("Image1"), 2, QStringLiteral("Mostra la tabella individuale")));
    auto *veicolo = new QVBoxLayout;
    veicolo->addStretch(1);
    veicolo->addWidget(new QLabel(QStringLiteral("Veicolo"), this), 0, Qt::AlignHCenter);
    VeicoloTXT = new QLineEdit(QStringLiteral("0"), this);
    VeicoloTXT->setObjectName(QStringLiteral("VeicoloTXT"));
    VeicoloTXT->setAlignment(Qt::AlignCenter);
    VeicoloTXT->setFixedWidth(80);
    setHint(VeicoloTXT, QStringLiteral("Precisione|Grado di precisione temporale [sec]|0"));
    useHandCursor(VeicoloTXT);
    veicolo->addWidget(VeicoloTXT);
    veicolo->addStretch(1);
    commands->addLayout(veicolo);
    commands->addStretch(1);
    commands->addWidget(
        imageButton(this, SalvaRisultatiIMG, QStringLiteral("SalvaRisultatiIMG"), 10, QStringLiteral("Salva")));
    commands->addWidget(imageButton(this, EsportaDatiInExcel, QStringLiteral("EsportaDatiInExcel"), 1,
                                    QStringLiteral("Esporta Excel 2007/10")));
    page->addLayout(commands);

    Tabella = new QPlainTextEdit(this);
    Tabella->setObjectName(QStringLiteral("Tabella"));
    Tabella->setReadOnly(true);
    Tabella->setLineWrapMode(QPlainTextEdit::NoWrap);
    Tabella->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Tabella->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Tabella->setFrameShape(QFrame::NoFrame);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPixelSize(12);
    Tabella->setFont(fixed);
    Tabella->setStyleSheet(QStringLiteral("QPlainTextEdit { background: #000000; color: rgb(0, 159, 0);"
                                          " border: none; border-radius: 0; }"));
    setHint(Tabella, QStringLiteral("risultati di calcolo"));
    page->addWidget(Tabella, 1);
}

FileDialogOptions TIndicatoriSicurezza::DialogoSalva()
{
    return {QStringLiteral("Salvataggio indicatori"), QStringLiteral("Semplice file di testo (*.txt)"),
            QStringLiteral("txt"), QStringLiteral("Indicatori")};
}

void TIndicatoriSicurezza::refreshFromState()
{
}

void TIndicatoriSicurezza::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    m_sfondo->setGeometry(rect());
    m_sfondo->lower();
}

void TIndicatoriSicurezza::showEvent(QShowEvent *event)
{
    refreshFromState();
    QDialog::showEvent(event);
}

} // namespace kalvor::gui
