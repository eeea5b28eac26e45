// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/text_list.hpp"
#include "gui/platform/bindings.hpp"
#include "gui/platform/platform.hpp"
#include "gui/platform/resources.hpp"
#include "gui/platform/scripted_platform.hpp"
#include "gui/platform/window_kind.hpp"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

using namespace kalvor;
using namespace kalvor::gui;

class TestPiattaforma : public QObject
{
    Q_OBJECT
private slots:
    void folderIsTakenFromTheNameGivenInASaveDialog_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("folder");
        QTest::newRow("file in a folder") << "/home/rilievi/via Roma/frame.png"
                                          << "/home/rilievi/via Roma/";
        QTest::newRow("file at the root") << "/x.png"
                                          << "/";
        QTest::newRow("cancelled") << ""
                                   << "";
    }

    void folderIsTakenFromTheNameGivenInASaveDialog()
    {
        QFETCH(QString, answer);
        QFETCH(QString, folder);
        ScriptedPlatform platform;
        platform.saveAnswers.push_back(answer);
        const FileDialogOptions options {"Scegli la cartella", "Immagine PNG (*.png)", "png", {}};
        QCOMPARE(chooseFolder(platform, nullptr, options), folder);
        QCOMPARE(platform.dialogs.size(), size_t(1));
        QCOMPARE(platform.dialogs[0].kind, QString("save"));
        QCOMPARE(platform.dialogs[0].options.title, QString("Scegli la cartella"));
    }

    void scriptedDialogsAnswerInOrderThenCancel()
    {
        ScriptedPlatform platform;
        platform.openAnswers = {"a.kvr", "b.kvr"};
        platform.questionAnswers = {true};
        QCOMPARE(platform.openFileName(nullptr, {}), QString("a.kvr"));
        QCOMPARE(platform.openFileName(nullptr, {}), QString("b.kvr"));
        QCOMPARE(platform.openFileName(nullptr, {}), QString());
        QVERIFY(platform.question(nullptr, "Sovrascrivere?", "Il file esiste"));
        QVERIFY(!platform.question(nullptr, "Sovrascrivere?", "Il file esiste"));
    }

    void typedTextGoesIntoTheStateAndTheStateComesBack()
    {
        std::string item = "0,2";
        QWidget page;
        QLineEdit *field = boundLineEdit(&page, "step", item);
        QCOMPARE(field->objectName(), QString("step"));
        QCOMPARE(field->text(), QString("0,2"));
        field->selectAll();
        QTest::keyClicks(field, "0,5");
        QCOMPARE(item, std::string("0,5"));
        item = std::string(1, '1');
        showText(field, item);
        QCOMPARE(field->text(), QString("1"));
        QCOMPARE(item, std::string("1"));
    }

    void checkBoxesAndListsFollowTheirItems()
    {
        bool usoGPS = false;
        TextList veicoli {"veicolo", "3", "sup"};
        QWidget page;
        QCheckBox *box = boundCheckBox(&page, "usoGPS", "GPS", usoGPS);
        box->click();
        QVERIFY(usoGPS);
        usoGPS = false;
        showCheck(box, usoGPS);
        QVERIFY(!box->isChecked());

        QPlainTextEdit *edit = boundListEdit(&page, "veicoliAtt", veicoli);
        QCOMPARE(edit->toPlainText(), QString("veicolo\n3\nsup"));
        edit->setPlainText("veicolo\n4\ninf");
        QCOMPARE(veicoli.count(), 3);
        QCOMPARE(veicoli.line(1), std::string("4"));
        // Showing a list with an empty last line keeps it in the state.
        veicoli = TextList {"a", ""};
        showList(edit, veicoli);
        QCOMPARE(veicoli.count(), 2);

        QPlainTextEdit *view = listView(&page, "veicoliPrec");
        QVERIFY(view->isReadOnly());
        showList(view, TextList {"1", "2"});
        QCOMPARE(view->toPlainText(), QString("1\n2"));
    }

    void picturesComeFromBesideTheExecutable()
    {
        QCOMPARE(programFolder(), QCoreApplication::applicationDirPath() + "/");
        QVERIFY(QFile::exists(picturePath("logo.svg")));
        QCOMPARE(picture("logo.svg", QSize(110, 44)).size(), QSize(110, 44));
        QVERIFY(picture("nessuna.svg").isNull());
        QVERIFY(QFile::exists(programFolder() + "trovata.wav"));
        QVERIFY(QFile::exists(programFolder() + "trovata2.wav"));
        QVERIFY(QFile::exists(programFolder() + "kalvor.desktop"));
    }

    void dialogsAreDrawnAtThePointer()
    {
        QWidget dialog;
        applyWindowKind(&dialog, WindowKind::MouseDialog);
        QVERIFY(dialog.windowFlags() & Qt::WindowCloseButtonHint);
        QCursor::setPos(400, 300);
        if (QCursor::pos() != QPoint(400, 300))
            QSKIP("this platform cannot move the pointer");
        placeAtPointer(&dialog, QPoint(-60, 20));
        QCOMPARE(dialog.pos(), QPoint(340, 320));
    }
};

QTEST_MAIN(TestPiattaforma)
#include "test_piattaforma.moc"
