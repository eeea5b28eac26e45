// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/impostazioni.hpp"

#include "gui/app/applicazione.hpp"
#include "gui/app/logo.hpp"
#include "gui/app/riferimenti.hpp"
#include "gui/capture/captazione.hpp"
#include "gui/detection/calibrazione.hpp"
#include "gui/extraction/estrattore.hpp"
#include "gui/geometry/area_captazione.hpp"
#include "gui/geometry/prospettiva.hpp"
#include "gui/platform/click_animation.hpp"
#include "gui/platform/guarded.hpp"
#include "gui/platform/hand_cursor.hpp"
#include "gui/platform/hint_balloon.hpp"
#include "gui/platform/immagini_animazione.hpp"
#include "gui/platform/picture_control.hpp"
#include "gui/platform/resources.hpp"
#include "gui/project/apri_progetto.hpp"
#include "gui/project/assemblazione.hpp"

#include <QCommandLinkButton>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QVBoxLayout>

namespace kalvor::gui {

namespace {

const char *const hintH1 = "Angolazione - Dimensione|Bisogna contenere l'angolo di inclinazione e effettuare la "
                           "ripresa con una risoluzione di 640x480|13";
const char *const hintH2 = "Distanza ripresa|Bisogna fare riprese a distanza contenute in quelle limite|7";
const char *const hintH3
    = "Distanze riferimento|Bisogna prendere in maggior numero di distanze di riferimento e sull'asse|5";

QCommandLinkButton *commandLink(QWidget *parent, const QString &name, const QString &text, int picture)
{
    auto *button = new QCommandLinkButton(text, parent);
    button->setObjectName(name);
    button->setIcon(hintIcon(picture));
    button->setIconSize(QSize(48, 48));
    useHandCursor(button);
    return button;
}

} // namespace

TImpostazioni::TImpostazioni(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent)
    : QMainWindow(parent)
    , m_app(app)
    , m_stato(stato)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("Impostazioni"));
    setWindowTitle(QStringLiteral("Precisazioni tecniche per l'utilizzo della KALVOR"));
    setWindowIcon(QIcon(picturePath(QStringLiteral("kalvor.svg"))));
    resize(1024, 720);
    buildControls();
    FormCreate();
}

TImpostazioni::~TImpostazioni() = default;

void TImpostazioni::buildControls()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("centrale"));
    setCentralWidget(central);

    m_sfondo = new PictureControl(central, QStringLiteral("sfondo"));
    m_sfondo->setScaledContents(true);
    m_sfondo->setPixmap(picture(QStringLiteral("sfondo_impostazioni.svg"), QSize(1600, 1000)));
    connect(m_sfondo, &PictureControl::clicked, this, &TImpostazioni::Image1Click);

    m_contenuto = new QWidget(central);
    m_contenuto->setObjectName(QStringLiteral("contenuto"));
    m_contenuto->setAttribute(Qt::WA_TranslucentBackground);
    auto *page = new QVBoxLayout(m_contenuto);
    page->setContentsMargins(40, 24, 40, 24);

    auto *top = new QHBoxLayout;
    auto *heading = new QLabel(QStringLiteral("Prima di cominciare: come riprendere la strada"), m_contenuto);
    heading->setObjectName(QStringLiteral("intestazione"));
    heading->setStyleSheet(QStringLiteral("color: #ffffff; font-size: 20pt; font-weight: bold;"));
    top->addWidget(heading, 1, Qt::AlignBottom);
    auto *logoIMG = new PictureControl(m_contenuto, QStringLiteral("logoIMG"));
    logoIMG->setPixmap(picture(QStringLiteral("logo.svg"), QSize(220, 88)));
    useHandCursor(logoIMG);
    top->addWidget(logoIMG, 0, Qt::AlignTop | Qt::AlignRight);
    page->addLayout(top);
    page->addSpacing(24);

    struct Advice
    {
        const char *label;
        const char *labelText;
        const char *image;
        const char *file;
        const char *hint;
    };
    const Advice advice[] = {
        {"Label1", "Angolazione di ripresa e dimensione video", "Image1", "consiglio_angolazione.svg", hintH1},
        {"Label2", "Distanza massima di ripresa", "Image2", "consiglio_distanza.svg", hintH2},
        {"Label3", "Distanze di riferimento", "Image3", "consiglio_riferimenti.svg", hintH3},
    };
    auto *adviceRow = new QHBoxLayout;
    adviceRow->setSpacing(28);
    for (const Advice &a : advice) {
        auto *column = new QVBoxLayout;
        auto *label = new QLabel(QString::fromUtf8(a.labelText), m_contenuto);
        label->setObjectName(QString::fromLatin1(a.label));
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
        label->setStyleSheet(QStringLiteral("color: #fff6d8; font-size: 13pt; font-weight: bold;"));
        column->addWidget(label);
        auto *image = new PictureControl(m_contenuto, QString::fromLatin1(a.image));
        image->setPixmap(picture(QString::fromLatin1(a.file), QSize(300, 225)));
        image->setAlignment(Qt::AlignCenter);
        setHint(image, QString::fromUtf8(a.hint));
        useHandCursor(image);
        connect(image, &PictureControl::clicked, this, &TImpostazioni::Image1Click);
        column->addWidget(image);
        adviceRow->addLayout(column);
    }
    page->addLayout(adviceRow);
    page->addStretch(1);

    auto *buttons = new QWidget(m_contenuto);
    buttons->setObjectName(QStringLiteral("pannelloComandi"));
    buttons->setAttribute(Qt::WA_StyledBackground);
    buttons->setStyleSheet(
        QStringLiteral("#pannelloComandi { background: rgba(255, 251, 240, 225); border-radius: 12px; }"
                       "QCommandLinkButton { font-size: 11pt; }"));
    auto *buttonColumn = new QVBoxLayout(buttons);
    m_conferma = commandLink(buttons, QStringLiteral("Conferma"),
                             QStringLiteral("Se hai preso i dati campione in questo modo clicca qui per procedere "
                                            "all'elaborazione"),
                             14);
    m_apriDati = commandLink(buttons, QStringLiteral("ApriDati"),
                             QStringLiteral("Se hai già un file dati clicca qui per caricarli e procedere"), 0);
    m_assemblaggio = commandLink(buttons, QStringLiteral("Assemblaggio"),
                                 QStringLiteral("Se vuoi assemblare i risultati di una elaborazione conclusa"), 18);
    buttonColumn->addWidget(m_conferma);
    buttonColumn->addWidget(m_apriDati);
    buttonColumn->addWidget(m_assemblaggio);
    page->addWidget(buttons);

    m_barra = new QProgressBar(m_contenuto);
    m_barra->setObjectName(QStringLiteral("Barra"));
    m_barra->setRange(0, 100);
    m_barra->hide();
    page->addWidget(m_barra);

    connect(m_conferma, &QCommandLinkButton::clicked, this,
            [this] { guarded(this, m_platform, [&] { ConfermaClick(); }); });
    connect(m_apriDati, &QCommandLinkButton::clicked, this,
            [this] { guarded(this, m_platform, [&] { ApriDatiClick(); }); });
    connect(m_assemblaggio, &QCommandLinkButton::clicked, this,
            [this] { guarded(this, m_platform, [&] { AssemblaggioClick(); }); });
}

void TImpostazioni::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (QWidget *central = centralWidget()) {
        m_sfondo->setGeometry(central->rect());
        m_contenuto->setGeometry(central->rect());
    }
}

FileDialogOptions TImpostazioni::DialogoApri()
{
    return {QStringLiteral("Apri un lavoro KALVOR fatto in precedenza"),
            QStringLiteral("Progetto KALVOR (*.kvr)"),
            QStringLiteral("kvr"),
            {}};
}

void TImpostazioni::FormCreate()
{
    QStringList missing;
    m_animazione = loadAnimationPictures(programFolder(), missing);
    if (!missing.isEmpty())
        m_platform.error(this, QStringLiteral("Impossibile aprire il file \"%1\".").arg(missing.join("\", \"")));
}

void TImpostazioni::FormShow()
{
    QCursor cursor;
    if (loadCursorFile(QDir::current().filePath(QStringLiteral("Mouse1.cur")), cursor))
        installHandCursor(cursor);
    m_app.showModal(m_app.logo());
}

void TImpostazioni::ConfermaClick()
{
    m_app.showModal(m_app.Riferimenti());
    m_app.showModal(m_app.Estrattore());
    m_app.showModal(m_app.Prospettiva());
    m_app.showModal(m_app.AreaCaptazione());
    m_app.showModal(m_app.Calibrazione());
    m_app.showModal(m_app.Captazione());
}

void TImpostazioni::ApriDatiClick()
{
    const QString fileName = m_platform.openFileName(this, DialogoApri());
    if (fileName.isEmpty())
        return;
    readProjectFile(m_app, fileName);
}

void TImpostazioni::AssemblaggioClick()
{
    m_app.Assemblazione()->setNomeFileAperto(QStringLiteral("Nome del file aperto"));
    m_app.showModal(m_app.Assemblazione());
}

void TImpostazioni::Image1Click()
{
    AnimazioneMouse(clickAnimationMs, this);
}

ClickAnimation *TImpostazioni::AnimazioneMouse(int Velocita, QWidget *FormApparteneza)
{
    return ClickAnimation::play(FormApparteneza, QCursor::pos(), m_animazione, Velocita);
}

void TImpostazioni::refreshFromState()
{
}

} // namespace kalvor::gui
