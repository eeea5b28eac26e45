// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/project/assemblazione.hpp"

#include "common/numbers.hpp"
#include "gui/platform/guarded.hpp"
#include "gui/platform/hand_cursor.hpp"
#include "gui/platform/hint_balloon.hpp"
#include "gui/platform/resources.hpp"
#include "project/assembly.hpp"

#include <QCommandLinkButton>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kalvor::gui {

TAssemblazione::TAssemblazione(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent)
    : Screen(app, stato, platform, parent)
{
    setIdentity(QStringLiteral("Assemblazione"), QStringLiteral("Assemblazione elaborazioni"), WindowKind::CloseBoxOnly,
                QSize(560, 320));

    auto *page = new QVBoxLayout(this);
    auto *question = new QHBoxLayout;
    auto *label8 = new QLabel(QStringLiteral("Quanti intervalli o file devo unire?"), this);
    label8->setObjectName(QStringLiteral("Label8"));
    m_intervalliTXT = new QLineEdit(QStringLiteral("3"), this);
    m_intervalliTXT->setObjectName(QStringLiteral("intervalliTXT"));
    m_intervalliTXT->setMaximumWidth(80);
    setHint(m_intervalliTXT, QStringLiteral("Istante iniziale|istante di inizio simulazione in secondi|4"));
    useHandCursor(m_intervalliTXT);
    question->addWidget(label8);
    question->addWidget(m_intervalliTXT);
    question->addStretch(1);
    page->addLayout(question);

    auto *label1 = new QLabel(
        QStringLiteral("Ti verrà chiesto successivamente di selezionare i file da unire, quindi seleziona per primo il "
                       "file contenente il primo intervallo elaborato e via via gli altri, verrà poi chiesto infine "
                       "dove salvare il progetto completo che sarà possibile visionare aprendolo dalla schermata "
                       "principale come un comune file KALVOR"),
        this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setWordWrap(true);
    page->addWidget(label1);

    auto *assemblaggio = new QCommandLinkButton(QStringLiteral("Prosegui nell'assemblaggio"), this);
    assemblaggio->setObjectName(QStringLiteral("Assemblaggio"));
    useHandCursor(assemblaggio);
    page->addWidget(assemblaggio);
    page->addStretch(1);

    m_nomeFileApertoTXT = new QLabel(QStringLiteral("nome del file aperto"), this);
    m_nomeFileApertoTXT->setObjectName(QStringLiteral("NomeFileApertoTXT"));
    m_nomeFileApertoTXT->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    page->addWidget(m_nomeFileApertoTXT);

    connectGuarded(assemblaggio, &TAssemblazione::AssemblaggioClick);
}

FileDialogOptions TAssemblazione::DialogoApri(int fileNumber)
{
    return {QStringLiteral("Selezionare il File numero %1").arg(fileNumber),
            QStringLiteral("Progetto KALVOR (*.kvr)"),
            QStringLiteral("kvr"),
            {}};
}

FileDialogOptions TAssemblazione::dialogoSalva()
{
    return {QStringLiteral("Salva il progetto completo"), QStringLiteral("File dati KALVOR (*.kvr)"),
            QStringLiteral("kvr"), QStringLiteral("dati")};
}

void TAssemblazione::setNomeFileAperto(const QString &text)
{
    m_nomeFileApertoTXT->setText(text);
}

void TAssemblazione::AssemblaggioClick()
{
    FileAssemblato.clear();
    const int k = toInt(m_intervalliTXT->text().toStdString());
    std::vector<TextList> files;
    for (int i = 1; i <= k; ++i) {
        FileAperto.clear();
        const QString name = m_platform.openFileName(this, DialogoApri(i));
        // A cancelled choice ends the assembly and writes nothing, instead of
        // going on to fail on the empty name.
        if (name.isEmpty()) {
            m_platform.information(this, QStringLiteral("Kalvor"),
                                   QStringLiteral("Assemblaggio annullato\nnessun file è stato scritto"));
            return;
        }
        FileAperto.loadFromFile(name.toStdString());
        m_nomeFileApertoTXT->setText(name);
        files.push_back(FileAperto);
    }
    FileAssemblato = assembleProjects(files);
    m_platform.information(this, QStringLiteral("Kalvor"),
                           QStringLiteral("Assemblaggio completato\nsalvare il file per continuare"));
    const QString output = m_platform.saveFileName(this, dialogoSalva());
    // A cancelled save writes nothing and leaves the screen open for another try.
    if (output.isEmpty())
        return;
    FileAssemblato.saveToFile(output.toStdString());
    close();
}

} // namespace kalvor::gui
