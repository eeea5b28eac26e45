// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/geometry/punti_gps.hpp"

#include "geometry/prospettiva.hpp"
#include "gui/platform/bindings.hpp"
#include "gui/platform/guarded.hpp"
#include "gui/platform/hint_balloon.hpp"
#include "state/stato_lavoro.hpp"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kalvor::gui {

TPuntiGPS::TPuntiGPS(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent)
    : Screen(app, stato, platform, parent)
{
    setIdentity(QStringLiteral("PuntiGPS"), QStringLiteral("Coordinate GPS"), WindowKind::MouseDialog);

    auto *grid = new QGridLayout(this);
    auto *label1 = new QLabel(QStringLiteral("Posizione X"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    auto *label2 = new QLabel(QStringLiteral("Posizione Y"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    auto makeField = [this](const QString &name, const QString &hint) {
        auto *field = new QLineEdit(this);
        field->setObjectName(name);
        QFont bold = field->font();
        bold.setBold(true);
        field->setFont(bold);
        field->setAlignment(Qt::AlignCenter);
        setHint(field, hint);
        return field;
    };
    m_posizioneX = makeField(QStringLiteral("Posizione_X"), QStringLiteral("Coordinate GPS|coordinata X in [metri]|2"));
    m_posizioneY = makeField(QStringLiteral("Posizione_Y"), QStringLiteral("Coordinate GPS|coordinata Y in [metri]|2"));
    m_xTXT = boundLineEdit(this, QStringLiteral("X_TXT"), m_stato.PuntiGPS.X_TXT);
    m_yTXT = boundLineEdit(this, QStringLiteral("Y_TXT"), m_stato.PuntiGPS.Y_TXT);
    m_xTXT->hide();
    m_yTXT->hide();
    auto *annulla = new QPushButton(QStringLiteral("Annulla"), this);
    annulla->setObjectName(QStringLiteral("Annulla"));
    auto *conferma = new QPushButton(QStringLiteral("Conferma"), this);
    conferma->setObjectName(QStringLiteral("Conferma"));
    // No default button: Enter in Posizione_X must not confirm.
    annulla->setAutoDefault(false);
    conferma->setAutoDefault(false);
    grid->addWidget(label1, 0, 0);
    grid->addWidget(m_posizioneX, 0, 1);
    grid->addWidget(label2, 1, 0);
    grid->addWidget(m_posizioneY, 1, 1);
    grid->addWidget(annulla, 2, 0);
    grid->addWidget(conferma, 2, 1);
    connectGuarded(conferma, &TPuntiGPS::ConfermaClick);
    connectGuarded(annulla, &TPuntiGPS::AnnullaClick);
    connect(m_posizioneY, &QLineEdit::returnPressed, this, [this] { runGuarded([&] { ConfermaClick(); }); });
}

void TPuntiGPS::ConfermaClick()
{
    const Drawing marker
        = confirmGpsPoint(m_stato, m_posizioneX->text().toStdString(), m_posizioneY->text().toStdString());
    emit pointRecorded(marker);
    close();
}

void TPuntiGPS::AnnullaClick()
{
    close();
}

void TPuntiGPS::clearPositions()
{
    m_posizioneX->clear();
    m_posizioneY->clear();
}

void TPuntiGPS::refreshFromState()
{
    showText(m_xTXT, m_stato.PuntiGPS.X_TXT);
    showText(m_yTXT, m_stato.PuntiGPS.Y_TXT);
}

void TPuntiGPS::showEvent(QShowEvent *event)
{
    Screen::showEvent(event);
    // Placed once shown: showing a dialog would centre it over its parent otherwise.
    if (m_openAt != QPoint(-1, -1))
        move(m_openAt);
    m_openAt = {-1, -1};
    m_posizioneX->setFocus();
}

} // namespace kalvor::gui
