#include "platform/autostart.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>
#include <vector>

#include "win32_test_support.h"

namespace orbel::platform {
namespace {

using testing::Utf8;

constexpr wchar_t kRun[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// The value as the registry itself holds it, read without our code.
struct RegistryValue {
    LSTATUS status = ERROR_FILE_NOT_FOUND;
    DWORD type = 0;
    std::wstring data;
};

RegistryValue ReadValue() {
    RegistryValue v;
    wchar_t buffer[1024] = {};
    DWORD bytes = sizeof buffer;
    v.status = RegGetValueW(HKEY_CURRENT_USER, kRun, L"Tandrel-Orbel", RRF_RT_ANY, &v.type, buffer, &bytes);
    if (v.status == ERROR_SUCCESS) v.data = buffer;
    return v;
}

void SetRaw(const std::wstring& data) {
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kRun, L"Tandrel-Orbel", REG_SZ, data.c_str(),
                              static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
}

class RunValueTest : public ::testing::Test {
protected:
    void TearDown() override { RegDeleteKeyValueW(HKEY_CURRENT_USER, kRun, L"Tandrel-Orbel"); }
};

TEST_F(RunValueTest, OnWritesTheFullPathOffRemovesTheValue) {
    EXPECT_EQ(AutostartEntryPath(),
              "HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\Tandrel-Orbel");
    const std::string path = "C:\\Program Files\\Tandrel Orbel\\orbel.exe";
    WriteAutostart(true, path);
    RegistryValue v = ReadValue();
    ASSERT_EQ(v.status, ERROR_SUCCESS);
    EXPECT_EQ(v.type, DWORD(REG_SZ));
    EXPECT_EQ(Utf8(v.data), path);  // no quotes, no arguments
    EXPECT_TRUE(ReadAutostart());

    // Written again, the data is replaced; UTF-8 names arrive whole.
    const std::string other = "D:\\Caf\xc3\xa9\\orbel.exe";
    WriteAutostart(true, other);
    EXPECT_EQ(ReadValue().data, L"D:\\Caf\u00e9\\orbel.exe");

    WriteAutostart(false, path);
    EXPECT_EQ(ReadValue().status, ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(ReadAutostart());
    EXPECT_NO_THROW(WriteAutostart(false, path));  // a missing value is no error
    EXPECT_THROW(WriteAutostart(true, ""), std::runtime_error);
    EXPECT_EQ(ReadValue().status, ERROR_FILE_NOT_FOUND);
}

TEST_F(RunValueTest, AnyNonEmptyTextReadsAsOnWhateverItNames) {
    SetRaw(L"C:\\gone\\nowhere.exe");
    EXPECT_TRUE(ReadAutostart());
    SetRaw(L"");
    EXPECT_FALSE(ReadAutostart());
}

TEST_F(RunValueTest, AMissingRunKeyIsCreated) {
    // The key goes with its other values: keep them to put back.
    std::vector<std::pair<std::wstring, std::wstring>> kept;
    HKEY run = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRun, 0, KEY_READ, &run) == ERROR_SUCCESS) {
        wchar_t name[256];
        wchar_t data[2048];
        for (DWORD i = 0;; ++i) {
            DWORD nameChars = 256, bytes = sizeof data - sizeof(wchar_t), type = 0;
            if (RegEnumValueW(run, i, name, &nameChars, nullptr, &type, reinterpret_cast<BYTE*>(data), &bytes) !=
                ERROR_SUCCESS)
                break;
            data[bytes / sizeof(wchar_t)] = L'\0';
            if (type == REG_SZ) kept.emplace_back(name, data);
        }
        RegCloseKey(run);
    }
    ASSERT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, kRun), ERROR_SUCCESS);
    EXPECT_FALSE(ReadAutostart());
    WriteAutostart(true, "C:\\orbel.exe");
    EXPECT_EQ(ReadValue().data, L"C:\\orbel.exe");
    for (const auto& [valueName, valueData] : kept)
        RegSetKeyValueW(HKEY_CURRENT_USER, kRun, valueName.c_str(), REG_SZ, valueData.c_str(),
                        static_cast<DWORD>((valueData.size() + 1) * sizeof(wchar_t)));
}

}  // namespace
}  // namespace orbel::platform
