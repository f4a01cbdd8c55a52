// The splash window: sized by its picture for the screen's density, shaped
// by the picture's outline, closed by a click.
#include <gtest/gtest.h>

#include "Application_win.h"
#include "Handle_win.h"
#include "splash_win.h"

namespace {

TEST(Splash, IsSizedAndShapedByItsPicture) {
    TfrmSplash splash;
    EXPECT_EQ(splash.ClientWidth(), splash.Scaled(438));
    EXPECT_EQ(splash.ClientHeight(), splash.Scaled(273));
    EXPECT_EQ(splash.Image1.Picture.Width(), splash.Scaled(438));

    UniqueRegion shape(CreateRectRgn(0, 0, 0, 0));
    ASSERT_EQ(GetWindowRgn(splash.Handle(), shape.get()), COMPLEXREGION);
    // The rounded corners are cut away; the artwork itself belongs to the window.
    EXPECT_FALSE(PtInRegion(shape.get(), 0, 0));
    EXPECT_FALSE(PtInRegion(shape.get(), splash.ClientWidth() - 1, splash.ClientHeight() - 1));
    EXPECT_TRUE(PtInRegion(shape.get(), splash.ClientWidth() / 2, splash.ClientHeight() / 2));
    EXPECT_TRUE(PtInRegion(shape.get(), splash.ClientWidth() / 2, splash.ClientHeight() - 1));
    EXPECT_TRUE(PtInRegion(shape.get(), 0, splash.ClientHeight() / 2));
}

TEST(Splash, ClickClosesItWithTheFadeOut) {
    TfrmSplash splash;
    splash.Show();
    RECT before;
    GetWindowRect(splash.Handle(), &before);
    ASSERT_TRUE(splash.Visible());
    const int x = splash.ClientWidth() / 2;
    const int y = splash.ClientHeight() / 2;
    SendMessageW(splash.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(splash.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    EXPECT_FALSE(splash.Visible());
    RECT after;
    GetWindowRect(splash.Handle(), &after);
    EXPECT_EQ(after.top, before.top - 51);  // it rose a pixel per fade step
    // A second close of the hidden splash changes nothing.
    splash.Close();
    GetWindowRect(splash.Handle(), &before);
    EXPECT_EQ(before.top, after.top);
}

}  // namespace
