#include "platform/taskbar.h"

#include <windows.h>

#include <shobjidl.h>

#include "platform/win32/wide.h"

namespace orbel::platform {

void SetSkipTaskbar(std::uintptr_t nativeWindow, bool skip, bool mapped) {
    const HWND window = reinterpret_cast<HWND>(nativeWindow);
    if (!window || !IsWindow(window)) return;
    // Only the two bits that decide the button change: the toolkit's window
    // needs the rest of its extended style.
    const LONG_PTR old = GetWindowLongPtrW(window, GWL_EXSTYLE);
    const LONG_PTR style = skip ? (old | WS_EX_TOOLWINDOW) & ~LONG_PTR(WS_EX_APPWINDOW)
                                : old & ~LONG_PTR(WS_EX_TOOLWINDOW);
    if (style != old) {
        SetWindowLongPtrW(window, GWL_EXSTYLE, style);
        SetWindowPos(window, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    if (!mapped) return;
    // The taskbar reads the style when a window appears; one on screen is
    // told through the taskbar's own list.
    const win32::ComScope com;
    ITaskbarList* list = nullptr;
    if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList,
                                reinterpret_cast<void**>(&list))))
        return;
    if (SUCCEEDED(list->HrInit())) skip ? list->DeleteTab(window) : list->AddTab(window);
    list->Release();
}

}  // namespace orbel::platform
