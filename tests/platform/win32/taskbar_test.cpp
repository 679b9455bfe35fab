#include "platform/taskbar.h"

#include <gtest/gtest.h>

#include "win32_test_support.h"

namespace orbel::platform {
namespace {

class TaskbarTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"OrbelTaskbarTest";
        RegisterClassW(&wc);
        // An extended style the toolkit might have given its window.
        window_ = CreateWindowExW(WS_EX_APPWINDOW | WS_EX_CONTROLPARENT, L"OrbelTaskbarTest", L"t", WS_OVERLAPPEDWINDOW,
                                  0, 0, 100, 100, nullptr, nullptr, wc.hInstance, nullptr);
        if (!window_) GTEST_SKIP() << "no window can be made here";
    }
    void TearDown() override {
        if (window_) DestroyWindow(window_);
    }
    LONG_PTR Style() const { return GetWindowLongPtrW(window_, GWL_EXSTYLE); }
    std::uintptr_t Id() const { return reinterpret_cast<std::uintptr_t>(window_); }
    HWND window_ = nullptr;
};

TEST_F(TaskbarTest, ToolWindowStyleComesAndGoesOthersStay) {
    for (bool mapped : {false, true}) {
        SCOPED_TRACE(mapped ? "on screen" : "before mapping");
        if (mapped) ShowWindow(window_, SW_SHOWNOACTIVATE);
        SetSkipTaskbar(Id(), true, mapped);
        EXPECT_TRUE(Style() & WS_EX_TOOLWINDOW);
        EXPECT_FALSE(Style() & WS_EX_APPWINDOW);  // it would force a button
        EXPECT_TRUE(Style() & WS_EX_CONTROLPARENT);
        SetSkipTaskbar(Id(), false, mapped);
        EXPECT_FALSE(Style() & WS_EX_TOOLWINDOW);
        EXPECT_TRUE(Style() & WS_EX_CONTROLPARENT);
    }
    SetSkipTaskbar(0, true, true);  // no window: nothing happens
}

}  // namespace
}  // namespace orbel::platform
