// Runs the window tests on Qt's offscreen platform with the dialog fonts
// mapped as the program maps them.
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/qt/dialog_font.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    romwise::ui::installFontSubstitutions();
    return RUN_ALL_TESTS();
}
