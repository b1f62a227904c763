#pragma once
// The fixture of the window tests: the whole program on a temporary data folder, with the
// scripted platform answering its dialogs.

#include "app/kalidor_program.h"
#include "platform/scripted_platform.h"
#include "tests/support/test_folder.h"

#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace kalidor::test {

class ProgramTest : public ::testing::Test {
protected:
    // Creates the program's windows on the folder and shows the main window, which runs the
    // first view. With `active`, waits until the window is active, as keyboard shortcuts
    // reach active windows only.
    void startProgram(bool active = false) {
        program = std::make_unique<KalidorProgram>(platform, folder.prefix());
        window().show();
        if (active) {
            window().activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
        }
    }

    TF_une& window() { return *program->F_une; }

    // Selects the first list line that starts with `start`; false when there is none.
    bool selectLineStartingWith(const QString& start) {
        SortedListBox* list = window().ListBox1;
        for (int row = 0; row < list->count(); ++row) {
            if (list->line(row).startsWith(start)) {
                list->setCurrentRow(row);
                return true;
            }
        }
        return false;
    }

    TestFolder folder;
    ScriptedPlatform platform;
    std::unique_ptr<KalidorProgram> program;
};

} // namespace kalidor::test
