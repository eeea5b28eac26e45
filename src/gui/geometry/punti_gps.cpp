// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/geometry/punti_gps.hpp"

#include "gui/app/applicazione.hpp"
#include "gui/platform/bindings.hpp"
#include "gui/platform/guarded.hpp"
#include "gui/platform/hint_balloon.hpp"
#include "gui/platform/window_kind.hpp"
#include "state/stato_lavoro.hpp"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kalvor::gui {

TPuntiGPS::TPuntiGPS(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent)
    : QDialog(parent)
    , m_app(app)
    , m_stato(stato)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("PuntiGPS"));
    setWindowTitle(QStringLiteral("Coordinate GPS"));
    applyWindowKind(this, WindowKind::Dialog);

    auto *grid = new QGridLayout(this);
    auto *label1 = new QLabel(QStringLiteral("Posizione X"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    auto *label2 = new QLabel(QStringLiteral("Posizione Y"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    m_posizioneX = new QLineEdit(this);
    m_posizioneX->setObjectName(QStringLiteral("Posizione_X"));
    setHint(m_posizioneX, QStringLiteral("Coordinate GPS|coordinata X in [metri]|2"));
    m_posizioneY = new QLineEdit(this);
    m_posizioneY->setObjectName(QStringLiteral("Posizione_Y"));
    setHint(m_posizioneY, QStringLiteral("Coordinate GPS|coordinata Y in [metri]|2"));
    m_xTXT = boundLineEdit(this, QStringLiteral("X_TXT"), m_stato.PuntiGPS.X_TXT);
    m_yTXT = boundLineEdit(this, QStringLiteral("Y_TXT"), m_stato.PuntiGPS.Y_TXT);
    m_xTXT->hide();
    m_yTXT->hide();
    auto *annulla = new QPushButton(QStringLiteral("Annulla"), this);
    annulla->setObjectName(QStringLiteral("Annulla"));
    auto *conferma = new QPushButton(QStringLiteral("Conferma"), this);
    conferma->setObjectName(QStringLiteral("Conferma"));
    grid->addWidget(label1, 0, 0);
    grid->addWidget(m_posizioneX, 0, 1);
    grid->addWidget(label2, 1, 0);
    grid->addWidget(m_posizioneY, 1, 1);
    grid->addWidget(annulla, 2, 0);
    grid->addWidget(conferma, 2, 1);
    connect(conferma, &QPushButton::clicked, this, [this] { guarded(this, m_platform, [&] { ConfermaClick(); }); });
    connect(annulla, &QPushButton::clicked, this, [this] { guarded(this, m_platform, [&] { AnnullaClick(); }); });
}

void TPuntiGPS::ConfermaClick()
{
    close();
}

void TPuntiGPS::AnnullaClick()
{
    close();
}

void TPuntiGPS::refreshFromState()
{
    showText(m_xTXT, m_stato.PuntiGPS.X_TXT);
    showText(m_yTXT, m_stato.PuntiGPS.Y_TXT);
}

void TPuntiGPS::showEvent(QShowEvent *event)
{
    refreshFromState();
    QDialog::showEvent(event);
}

} // namespace kalvor::gui
