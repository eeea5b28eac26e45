// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/profile_choice.hpp"

#include "gui/platform/hint_balloon.hpp"

#include <QComboBox>
#include <QSignalBlocker>

#include <iterator>

namespace kalvor::gui {

namespace {

constexpr ProfiloRilevamento kEntries[] = {ProfiloRilevamento::Predefinito, ProfiloRilevamento::Robusto};

int entryOf(ProfiloRilevamento p)
{
    return p == ProfiloRilevamento::Robusto ? 1 : 0;
}

} // namespace

QComboBox *boundProfileChoice(QWidget *parent, ProfiloRilevamento &item)
{
    auto *choice = new QComboBox(parent);
    choice->setObjectName(QStringLiteral("ProfiloRilevamento"));
    for (const ProfiloRilevamento p : kEntries)
        choice->addItem(QString::fromLatin1(profileName(p).data(), static_cast<int>(profileName(p).size())));
    choice->setCurrentIndex(entryOf(item));
    setHint(choice,
            QStringLiteral("Profilo rilevamento|predefinito: il rilevamento e la numerazione di sempre, "
                           "come nei lavori già fatti; robusto: per i filmati reali, con ombre, luce che "
                           "cambia e veicoli che si fermano"));
    QObject::connect(choice, &QComboBox::currentIndexChanged, choice, [&item](int index) {
        if (index >= 0 && index < static_cast<int>(std::size(kEntries)))
            item = kEntries[index];
    });
    return choice;
}

void showProfile(QComboBox *choice, ProfiloRilevamento item)
{
    const QSignalBlocker quiet(choice);
    choice->setCurrentIndex(entryOf(item));
}

} // namespace kalvor::gui
