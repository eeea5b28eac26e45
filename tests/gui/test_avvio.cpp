// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/applicazione.hpp"

#include <QMainWindow>
#include <QtTest>

class TestAvvio : public QObject
{
    Q_OBJECT
private slots:
    void mainWindowOpensAndCloses()
    {
        kalvor::gui::Applicazione app;
        app.show();
        QVERIFY(app.Impostazioni()->isVisible());
        QCOMPARE(app.Impostazioni()->objectName(), QString("Impostazioni"));
        app.Impostazioni()->close();
        QVERIFY(!app.Impostazioni()->isVisible());
    }
};

QTEST_MAIN(TestAvvio)
#include "test_avvio.moc"
