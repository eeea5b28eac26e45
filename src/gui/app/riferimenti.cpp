// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/riferimenti.hpp"

#include "gui/platform/bindings.hpp"
#include "gui/platform/guarded.hpp"
#include "gui/platform/hand_cursor.hpp"
#include "gui/platform/picture_control.hpp"
#include "gui/platform/resources.hpp"
#include "state/stato_lavoro.hpp"

#include <QCommandLinkButton>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kalvor::gui {

TRiferimenti::TRiferimenti(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent)
    : Screen(app, stato, platform, parent)
{
    setIdentity(QStringLiteral("Riferimenti"), QStringLiteral("Riferimenti"), WindowKind::FixedCentred,
                QSize(520, 360));

    auto *sfondo = new PictureControl(this, QStringLiteral("sfondo"));
    sfondo->setScaledContents(true);
    sfondo->setPixmap(picture(QStringLiteral("sfondo_riferimenti.svg"), QSize(520, 360)));
    sfondo->setGeometry(0, 0, 520, 360);

    auto *page = new QVBoxLayout(this);
    page->setContentsMargins(36, 70, 36, 24);
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(12);
    const QString labelStyle = QStringLiteral("color: #1f3b57; font-size: 11pt; font-weight: bold;");
    struct Row
    {
        const char *label;
        const char *text;
        const char *field;
        std::string *item;
    };
    const Row rows[] = {
        {"Label1", "Luogo", "luogo", &m_stato.Riferimenti.luogo},
        {"Label2", "Elaboratore", "elaboratore", &m_stato.Riferimenti.elaboratore},
        {"Label3", "data elaborazione", "dataelaborazione", &m_stato.Riferimenti.dataelaborazione},
    };
    QLineEdit *fields[3] = {};
    for (int i = 0; i < 3; ++i) {
        auto *label = new QLabel(QString::fromUtf8(rows[i].text), this);
        label->setObjectName(QString::fromLatin1(rows[i].label));
        label->setStyleSheet(labelStyle);
        fields[i] = boundLineEdit(this, QString::fromLatin1(rows[i].field), *rows[i].item);
        fields[i]->setMinimumWidth(260);
        useHandCursor(fields[i]);
        grid->addWidget(label, i, 0);
        grid->addWidget(fields[i], i, 1);
    }
    m_luogo = fields[0];
    m_elaboratore = fields[1];
    m_dataelaborazione = fields[2];
    m_dataelaborazione->setPlaceholderText(QStringLiteral("F1: data di oggi"));
    m_dataelaborazione->installEventFilter(this);
    page->addLayout(grid);
    page->addStretch(1);

    auto *conferma = new QCommandLinkButton(QStringLiteral("clicca qui per procedere all'elaborazione"), this);
    conferma->setObjectName(QStringLiteral("Conferma"));
    conferma->setIcon(hintIcon(14));
    conferma->setIconSize(QSize(40, 40));
    useHandCursor(conferma);
    page->addWidget(conferma);
    connectGuarded(conferma, &TRiferimenti::ConfermaClick);
}

void TRiferimenti::ConfermaClick()
{
    if (m_stato.Prospettiva.coordinataXPixelP.count() < 2) {
        m_stato.Estrattore.ListaFotogrammi.clear();
        m_stato.Estrattore.ListaTempi.clear();
    }
    close();
}

void TRiferimenti::dataelaborazioneKeyDown(int key, Qt::KeyboardModifiers)
{
    if (key == Qt::Key_F1)
        m_dataelaborazione->setText(m_platform.todayText());
}

void TRiferimenti::refreshFromState()
{
    showText(m_luogo, m_stato.Riferimenti.luogo);
    showText(m_elaboratore, m_stato.Riferimenti.elaboratore);
    showText(m_dataelaborazione, m_stato.Riferimenti.dataelaborazione);
}

bool TRiferimenti::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_dataelaborazione && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        bool handled = false;
        runGuarded([&] {
            dataelaborazioneKeyDown(key->key(), key->modifiers());
            handled = key->key() == Qt::Key_F1;
        });
        return handled;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kalvor::gui
