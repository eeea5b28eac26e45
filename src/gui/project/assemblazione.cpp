// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/project/assemblazione.hpp"

#include "gui/platform/window_kind.hpp"

#include <QLabel>
#include <QVBoxLayout>

namespace kalvor::gui {

TAssemblazione::TAssemblazione(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent)
    : QDialog(parent)
    , m_app(app)
    , m_stato(stato)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("Assemblazione"));
    setWindowTitle(QStringLiteral("Assemblazione elaborazioni"));
    applyWindowKind(this, WindowKind::CloseBoxOnly, QSize(560, 300));

    auto *page = new QVBoxLayout(this);
    m_nomeFileApertoTXT = new QLabel(QStringLiteral("nome del file aperto"), this);
    m_nomeFileApertoTXT->setObjectName(QStringLiteral("NomeFileApertoTXT"));
    m_nomeFileApertoTXT->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    page->addWidget(m_nomeFileApertoTXT);
    page->addStretch(1);
}

void TAssemblazione::setNomeFileAperto(const QString &text)
{
    m_nomeFileApertoTXT->setText(text);
}

void TAssemblazione::refreshFromState()
{
}

} // namespace kalvor::gui
