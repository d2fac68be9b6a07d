#pragma once

#include "app/AppController.h"
#include "app/Session.h"
#include "app/ui/Tfrmmain.h"
#include "settings/GridLayoutStore.h"
#include "support/ScriptedUi.h"

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

// The main window over a fresh home, its questions answered by a script. show()
// answers the "create a database here?" question Yes.
struct MainWindowFixture {
    QTemporaryDir dir;
    ScriptedUi ui;
    Session session{Folders::forApplication(dir.path()), ui};
    AppController controller{session};
    GridLayoutStore layout{dir.path() + "/layout.conf"};
    std::unique_ptr<Tfrmmain> window;

    void show()
    {
        ui.answer(Ui::Answer::Yes);
        window = std::make_unique<Tfrmmain>(controller, layout);
        controller.start();
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        QTRY_VERIFY(controller.mainWindowShown());
    }
    template <class T> T* find(const QString& name) const
    {
        return window->findChild<T*>(name);
    }
    bool visible(const QString& name) const
    {
        auto* w = find<QWidget>(name);
        return w && w->isVisible();
    }
};
