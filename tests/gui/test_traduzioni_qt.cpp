// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/qt_translations.hpp"
#include "support/temp_dir.hpp"

#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

using namespace kalvor::gui;

namespace {

QString cancelText()
{
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    return box.button(QMessageBox::Cancel)->text().remove('&');
}

} // namespace

// The slots run in order: the fallback first, while no catalogue is installed.
class TestTraduzioniQt : public QObject
{
    Q_OBJECT
private slots:
    void aFolderWithoutCataloguesLeavesQtsTexts()
    {
        kalvor::testing::TempDir empty;
        QVERIFY(!installQtItalian(QString::fromStdString(empty.path())));
        QCOMPARE(cancelText(), QString("Cancel"));
    }

    void standardButtonsSpeakItalian()
    {
        QVERIFY2(installQtItalian(), "qt6-translations-l10n is not installed");
        QCOMPARE(cancelText(), QString("Annulla"));
        QDialogButtonBox buttons(QDialogButtonBox::Open | QDialogButtonBox::Close);
        QCOMPARE(buttons.button(QDialogButtonBox::Open)->text().remove('&'), QString("Apri"));
        QCOMPARE(buttons.button(QDialogButtonBox::Close)->text().remove('&'), QString("Chiudi"));
    }
};

QTEST_MAIN(TestTraduzioniQt)
#include "test_traduzioni_qt.moc"
