// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/safety/indicatori_sicurezza.hpp"

#include "analysis/testo_indicatori_estesi.hpp"
#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "gui/platform/bindings.hpp"
#include "gui/platform/guarded.hpp"
#include "gui/platform/hand_cursor.hpp"
#include "gui/platform/hint_balloon.hpp"
#include "gui/platform/picture_control.hpp"
#include "gui/platform/resources.hpp"
#include "gui/platform/window_kind.hpp"
#include "gui/results/grafici_risultati.hpp"
#include "safety/indicatori.hpp"
#include "safety/tabella_indicatori.hpp"
#include "state/stato_lavoro.hpp"

#include <QFontDatabase>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QScrollBar>
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

// "Lucida Console" where it is installed, otherwise the system's fixed-pitch
// font; when the system names one that is not fixed pitch (fontconfig may map
// "monospace" to a proportional face), the first installed family that is.
QFont fixedPitchFont()
{
    const QStringList families = QFontDatabase::families();
    QFont font = families.contains(QStringLiteral("Lucida Console"))
        ? QFont(QStringLiteral("Lucida Console"))
        : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (!QFontInfo(font).fixedPitch())
        for (const QString &family : families)
            if (QFontDatabase::isFixedPitch(family) && !QFontDatabase::isPrivateFamily(family)) {
                font = QFont(family);
                break;
            }
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPixelSize(12);
    return font;
}

// A time of day, or a duration, in the user's long time format without the zone.
std::string userTimeText(std::int64_t milliseconds)
{
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    const QTime time = QTime::fromMSecsSinceStartOfDay(static_cast<int>(milliseconds));
    return QLocale::system().toString(time, format.trimmed()).toStdString();
}

// The extra columns for the table the text area shows: the whole table or one
// vehicle's rows, told by the title line; nothing beside other texts.
TextList colonneEstese(const StatoLavoro &stato)
{
    const TextList &tabella = stato.IndicatoriSicurezza.Tabella;
    if (tabella.empty())
        return {};
    std::optional<double> veicolo;
    const std::string &titolo = tabella.line(0);
    const std::string_view perVeicolo = titoloIndicatoriVeicolo;
    if (titolo.starts_with(perVeicolo)) {
        try {
            veicolo = toInt(std::string_view(titolo).substr(perVeicolo.size()));
        } catch (const Error &) {
            return {};
        }
    } else if (titolo != titoloIndicatori) {
        return {};
    }
    // The measures at the section do not depend on the flow interval.
    return testoIndicatoriEstesi(stato.TabellaIndicatori,
                                 indicatoriEstesi(stato.TabellaIndicatori, analisiDelLavoro(stato)), veicolo);
}

QPlainTextEdit *tableView(QWidget *parent, const QString &name)
{
    auto *view = new QPlainTextEdit(parent);
    view->setObjectName(name);
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view->setFrameShape(QFrame::NoFrame);
    view->setFont(fixedPitchFont());
    view->setStyleSheet(QStringLiteral("QPlainTextEdit { background: #000000; color: rgb(0, 159, 0);"
                                       " border: none; border-radius: 0; }"));
    return view;
}

} // namespace

TIndicatoriSicurezza::TIndicatoriSicurezza(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent)
    : Screen(app, stato, platform, parent)
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
    VeicoloTXT = boundLineEdit(this, QStringLiteral("VeicoloTXT"), m_stato.IndicatoriSicurezza.VeicoloTXT);
    VeicoloTXT->setAlignment(Qt::AlignCenter);
    VeicoloTXT->setFixedWidth(80);
    setHint(VeicoloTXT, QStringLiteral("Precisione|Grado di precisione temporale [sec]|0"));
    veicolo->addWidget(VeicoloTXT);
    veicolo->addStretch(1);
    commands->addLayout(veicolo);
    commands->addStretch(1);
    commands->addWidget(
        imageButton(this, SalvaRisultatiIMG, QStringLiteral("SalvaRisultatiIMG"), 10, QStringLiteral("Salva")));
    commands->addWidget(imageButton(this, EsportaDatiInExcel, QStringLiteral("EsportaDatiInExcel"), 1,
                                    QStringLiteral("Esporta Excel 2007/10")));
    page->addLayout(commands);

    Tabella = tableView(this, QStringLiteral("Tabella"));
    setHint(Tabella, QStringLiteral("risultati di calcolo"));
    Tabella->installEventFilter(this);
    // The extra columns beside the table, line for line, scrolled with it.
    TabellaEstesa = tableView(this, QStringLiteral("TabellaEstesa"));
    TabellaEstesa->setFixedWidth(180);
    setHint(TabellaEstesa, QStringLiteral("PET e Headway [sec] alla sezione di riferimento"));
    connect(Tabella->verticalScrollBar(), &QScrollBar::valueChanged, TabellaEstesa->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(TabellaEstesa->verticalScrollBar(), &QScrollBar::valueChanged, Tabella->verticalScrollBar(),
            &QScrollBar::setValue);
    auto *tabelle = new QHBoxLayout;
    tabelle->setSpacing(0);
    tabelle->addWidget(Tabella, 1);
    tabelle->addWidget(TabellaEstesa);
    page->addLayout(tabelle, 1);

    connectPicture(CalcolaIndicatoriIMG, &TIndicatoriSicurezza::CalcolaIndicatoriIMGClick);
    connectPicture(MostraTabellaCompletaIMG, &TIndicatoriSicurezza::MostraTabellaCompletaIMGClick);
    connectPicture(Image1, &TIndicatoriSicurezza::Image1Click);
    connectPicture(SalvaRisultatiIMG, &TIndicatoriSicurezza::SalvaRisultatiIMGClick);
    // EsportaDatiInExcel has no action.
    refreshFromState();
}

void TIndicatoriSicurezza::CalcolaIndicatoriIMGClick()
{
    const OrologioCalcolo orologio {[this] { return std::int64_t {m_platform.timeOfDay().msecsSinceStartOfDay()}; },
                                    userTimeText};
    CalcolaIndicatori(m_stato, orologio);
    refreshFromState();
}

void TIndicatoriSicurezza::MostraTabellaCompletaIMGClick()
{
    MostraTabellaCompleta(m_stato);
    showTable();
}

void TIndicatoriSicurezza::Image1Click()
{
    MostraTabellaVeicolo(m_stato);
    showTable();
}

void TIndicatoriSicurezza::SalvaRisultatiIMGClick()
{
    const QString name = m_platform.saveFileName(this, DialogoSalva());
    if (name.isEmpty())
        return;
    SalvaTabellaIndicatori(m_stato.IndicatoriSicurezza.Tabella, name.toStdString());
}

bool TIndicatoriSicurezza::TabellaKeyDown(QKeyEvent *event)
{
    // Ctrl+A, whatever other modifiers are held: select the whole text and copy it.
    if (event->key() != Qt::Key_A || !(event->modifiers() & Qt::ControlModifier))
        return false;
    Tabella->selectAll();
    Tabella->copy();
    return true;
}

bool TIndicatoriSicurezza::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Tabella && event->type() == QEvent::KeyPress && TabellaKeyDown(static_cast<QKeyEvent *>(event)))
        return true;
    return Screen::eventFilter(watched, event);
}

void TIndicatoriSicurezza::connectPicture(PictureControl *picture, void (TIndicatoriSicurezza::*handler)())
{
    connect(picture, &PictureControl::clicked, this, [this, handler] { runGuarded([&] { (this->*handler)(); }); });
}

void TIndicatoriSicurezza::showTable()
{
    // Hidden while it is filled, so a long table does not repaint line by line.
    Tabella->hide();
    refreshFromState();
    Tabella->show();
}

FileDialogOptions TIndicatoriSicurezza::DialogoSalva()
{
    return {QStringLiteral("Salvataggio indicatori"), QStringLiteral("Semplice file di testo (*.txt)"),
            QStringLiteral("txt"), QStringLiteral("Indicatori")};
}

void TIndicatoriSicurezza::refreshFromState()
{
    showText(VeicoloTXT, m_stato.IndicatoriSicurezza.VeicoloTXT);
    showList(Tabella, m_stato.IndicatoriSicurezza.Tabella);
    runGuarded([&] { showList(TabellaEstesa, colonneEstese(m_stato)); });
    TabellaEstesa->verticalScrollBar()->setValue(Tabella->verticalScrollBar()->value());
}

void TIndicatoriSicurezza::resizeEvent(QResizeEvent *event)
{
    Screen::resizeEvent(event);
    m_sfondo->setGeometry(rect());
    m_sfondo->lower();
}

} // namespace kalvor::gui
