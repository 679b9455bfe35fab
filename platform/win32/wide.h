#pragma once
// The UTF-8 / UTF-16 boundary of the Windows services, their error texts,
// and COM for the calls that need it on the calling thread.

#include <windows.h>

#include <string>

namespace orbel::platform::win32 {

// Invalid UTF-8 becomes U+FFFD: a name we cannot convert must not turn
// into another existing name.
std::wstring Wide(const std::string& utf8);
std::string Utf8(const wchar_t* text, int length = -1);
inline std::string Utf8(const std::wstring& text) { return Utf8(text.c_str(), static_cast<int>(text.size())); }

// The system's message text for an error code, without its line end.
std::string ErrorText(DWORD code);

// COM for this thread while the object lives: joined when the thread has it
// already in another model, released only if this scope started it.
class ComScope {
public:
    ComScope();
    ~ComScope();
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    bool ok() const { return ok_; }

private:
    bool ok_ = false;
    bool release_ = false;
};

}  // namespace orbel::platform::win32
