#include "app/Unit1.h"

#include <gtest/gtest.h>

namespace {

TEST(MainWindow, HasItsCaptionAndAFixedClientArea) {
    TMenu menu;
    menu.show();

    EXPECT_EQ(menu.objectName(), QStringLiteral("Menu"));
    EXPECT_EQ(menu.windowTitle(), QStringLiteral("Телефонный справочник г. Вельтинска 2006"));
    EXPECT_EQ(menu.size(), QSize(431, 543));
    EXPECT_EQ(menu.minimumSize(), menu.maximumSize());
    EXPECT_FALSE(menu.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(menu.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(menu.windowFlags() & Qt::WindowCloseButtonHint);
}

} // namespace
