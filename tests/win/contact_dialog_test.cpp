// The contact dialog: the picture at its own pixel size, centred, closed by Esc or Enter.
#include <gtest/gtest.h>

#include "contact_dialog.h"
#include "dialog_driver.h"
#include "resource_ids.h"
#include "test_support.h"

TEST(ContactDialog, ShowsThePictureAtItsPixelSizeAndClosesWithEsc) {
    TimerWindow();
    const INT_PTR result = RunDialog(IDD_CONTACT, ContactDialogProc, [](HWND dialog) {
        wchar_t caption[32] = {};
        GetWindowTextW(dialog, caption, 32);
        EXPECT_STREQ(caption, L"联系作者");
        EXPECT_FALSE(IsWindowEnabled(timerState.mainWindow));
        RECT frame, work;
        GetWindowRect(dialog, &frame);
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        EXPECT_NEAR((frame.left + frame.right) / 2, (work.left + work.right) / 2, 1);
        EXPECT_NEAR((frame.top + frame.bottom) / 2, (work.top + work.bottom) / 2, 1);

        HWND picture = GetWindow(dialog, GW_CHILD);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(GetWindow(picture, GW_HWNDNEXT), nullptr);  // the only control
        const HBITMAP image =
            reinterpret_cast<HBITMAP>(SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
        ASSERT_NE(image, nullptr);
        BITMAP bitmap = {};
        GetObjectW(image, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, 200);
        EXPECT_EQ(bitmap.bmHeight, 200);
        RECT client;
        GetClientRect(picture, &client);
        EXPECT_EQ(client.right, 200);
        EXPECT_EQ(client.bottom, 200);
        // The picture is the one resource 137 holds, not some stand-in.
        HBITMAP own =
            static_cast<HBITMAP>(LoadImageW(timerState.instance, MAKEINTRESOURCEW(IDB_CONTACT),
                                            IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        BITMAP ownBitmap = {};
        GetObjectW(own, sizeof ownBitmap, &ownBitmap);
        EXPECT_EQ(ownBitmap.bmBitsPixel, 24);
        DeleteObject(own);

        PostKey(GetFocus() ? GetFocus() : dialog, VK_ESCAPE);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(IsWindowEnabled(timerState.mainWindow));
}

TEST(ContactDialog, EnterAndTheCloseButtonCloseItToo) {
    TimerWindow();
    EXPECT_EQ(RunDialog(IDD_CONTACT, ContactDialogProc,
                        [](HWND dialog) { PostKey(GetFocus() ? GetFocus() : dialog, VK_RETURN); }),
              IDOK);
    EXPECT_EQ(RunDialog(IDD_CONTACT, ContactDialogProc,
                        [](HWND dialog) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }),
              IDCANCEL);
    // Other commands leave it open.
    EXPECT_EQ(RunDialog(IDD_CONTACT, ContactDialogProc,
                        {{1, [](HWND dialog) { SendMessageW(dialog, WM_COMMAND, 3, 0); }},
                         {1,
                          [](HWND dialog) {
                              EXPECT_TRUE(IsWindowVisible(dialog));
                              PostKey(GetFocus() ? GetFocus() : dialog, VK_ESCAPE);
                          }}}),
              IDCANCEL);
}
