#include "platform/ui/QtDialogService.h"

#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

TEST(QtDialogService, BuildsAYesNoQuestionWithYesAsDefaultAndNoOnEscape) {
    const auto box = QtDialogService::Build({DialogKind::Question, QStringLiteral("Warning"),
                                             QStringLiteral("Сохранить?"), DialogIcon::Warning,
                                             DialogButtons::YesNo});
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Warning"));
    EXPECT_EQ(box->text(), QStringLiteral("Сохранить?"));
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Yes));
    EXPECT_EQ(box->escapeButton(), box->button(QMessageBox::No));
}

TEST(QtDialogService, BuildsTheOtherKinds) {
    const struct {
        DialogIcon icon;
        DialogButtons buttons;
        QMessageBox::Icon qtIcon;
        QMessageBox::StandardButtons qtButtons;
    } cases[] = {
        {DialogIcon::Stop, DialogButtons::Ok, QMessageBox::Critical, QMessageBox::Ok},
        {DialogIcon::None, DialogButtons::Ok, QMessageBox::NoIcon, QMessageBox::Ok},
        {DialogIcon::Information, DialogButtons::YesNo, QMessageBox::Information,
         QMessageBox::Yes | QMessageBox::No},
        {DialogIcon::Confirmation, DialogButtons::OkCancel, QMessageBox::Question,
         QMessageBox::Ok | QMessageBox::Cancel},
    };
    for (const auto& c : cases) {
        const auto box =
            QtDialogService::Build({DialogKind::MessageBox, {}, {}, c.icon, c.buttons});
        EXPECT_EQ(box->icon(), c.qtIcon);
        EXPECT_EQ(box->standardButtons(), c.qtButtons);
    }
}

} // namespace
