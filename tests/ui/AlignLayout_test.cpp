#include "platform/ui/AlignLayout.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace {

using Align = AlignLayout::Align;

// A window with a top bar, two bottom bars and a client area, as the main window has.
class AlignLayoutTest : public ::testing::Test {
protected:
    AlignLayoutTest() {
        window.resize(400, 300);
        top->resize(400, 40);
        status->resize(400, 20);
        panel->resize(400, 50);
        auto* layout = new AlignLayout(&window);
        layout->Add(top, Align::Top);
        layout->Add(status, Align::Bottom);
        layout->Add(panel, Align::Bottom);
        layout->Add(client, Align::Client);
        window.show();
    }

    QWidget window;
    QWidget* top = new QWidget(&window);
    QWidget* status = new QWidget(&window);
    QWidget* panel = new QWidget(&window);
    QWidget* client = new QWidget(&window);
};

TEST_F(AlignLayoutTest, StacksTopAndBottomBarsInTheOrderAddedAndGivesTheClientTheRest) {
    EXPECT_EQ(top->geometry(), QRect(0, 0, 400, 40));
    EXPECT_EQ(status->geometry(), QRect(0, 280, 400, 20));
    EXPECT_EQ(panel->geometry(), QRect(0, 230, 400, 50));
    EXPECT_EQ(client->geometry(), QRect(0, 40, 400, 190));
}

TEST_F(AlignLayoutTest, AHiddenBarTakesNoRoomAtOnce) {
    panel->hide();
    EXPECT_EQ(client->geometry(), QRect(0, 40, 400, 240));
    top->hide();
    EXPECT_EQ(client->geometry(), QRect(0, 0, 400, 280));
    panel->show();
    EXPECT_EQ(panel->geometry(), QRect(0, 230, 400, 50));
    EXPECT_EQ(client->geometry(), QRect(0, 0, 400, 230));
}

TEST_F(AlignLayoutTest, AResizedWindowPlacesTheBarsAnew) {
    window.resize(500, 400);
    window.layout()->activate();
    EXPECT_EQ(status->geometry(), QRect(0, 380, 500, 20));
    EXPECT_EQ(panel->geometry(), QRect(0, 330, 500, 50));
    EXPECT_EQ(client->geometry(), QRect(0, 40, 500, 290));
}

} // namespace
