#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "platform/win32/wide_text.h"
#include "wingui/resources/resource_ids.h"

// temura.exe as built, read as a file of resources: what the shell, the loader and the program
// itself look up in it.

namespace temura {
namespace {

std::wstring programPath() {
    return win32::widen(win32::nativePath(TEMURA_EXE));
}

class ProgramResources : public testing::Test {
  protected:
    void SetUp() override {
        m_module = LoadLibraryExW(programPath().c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(m_module, nullptr) << "cannot open " << TEMURA_EXE;
    }
    void TearDown() override {
        if (m_module != nullptr) FreeLibrary(m_module);
    }

    std::string bytes(const wchar_t* type, int id) const {
        HRSRC found = FindResourceW(m_module, MAKEINTRESOURCEW(id), type);
        if (found == nullptr) return {};
        HGLOBAL loaded = LoadResource(m_module, found);
        const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
        if (data == nullptr) return {};
        return std::string(static_cast<const char*>(data), SizeofResource(m_module, found));
    }

    HMODULE m_module = nullptr;
};

TEST_F(ProgramResources, EachIsThereUnderItsTypeAndId) {
    struct Case {
        const wchar_t* type;
        int id;
        std::size_t at;
        std::string starts;
    };
    const Case cases[] = {
        {RT_GROUP_ICON, IDI_TEMURA, 0, std::string("\0\0\1\0", 4)},  // an icon directory
        {RT_MANIFEST, 1, 0, "<?xml"},  // the one the loader reads at start
        {L"WAVE", IDW_TICK, 8, "WAVE"},
        {RT_VERSION, 1, 6, std::string("V\0S\0_\0", 6)},  // "VS_VERSION_INFO" in UTF-16
    };
    for (const Case& c : cases) {
        const std::string data = bytes(c.type, c.id);
        EXPECT_EQ(data.substr(c.at, c.starts.size()), c.starts) << "resource " << c.id;
    }
}

TEST_F(ProgramResources, TheIconLoadsAtTheSizesWindowsAsksFor) {
    for (const int size : {16, 24, 32, 48, 64, 256}) {
        HICON icon = static_cast<HICON>(
            LoadImageW(m_module, MAKEINTRESOURCEW(IDI_TEMURA), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info)) << size;
        BITMAP colour{};
        GetObjectW(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, size);
        EXPECT_EQ(colour.bmHeight, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

// The manifest is read as the loader reads it when the program starts: a fault in it would stop
// the program before its first line. Under it, the common controls are version 6.
TEST(ProgramManifest, BringsTheCommonControlsSix) {
    const std::wstring path = programPath();
    ACTCTXW request{};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = path.c_str();
    request.lpResourceName = CREATEPROCESS_MANIFEST_RESOURCE_ID;
    HANDLE context = CreateActCtxW(&request);
    ASSERT_NE(context, INVALID_HANDLE_VALUE) << GetLastError();
    ULONG_PTR cookie = 0;
    ASSERT_TRUE(ActivateActCtx(context, &cookie));
    // Version 6 is a side-by-side assembly; what the system folder holds is version 5.
    HMODULE controls = LoadLibraryW(L"comctl32.dll");
    ASSERT_NE(controls, nullptr);
    wchar_t file[MAX_PATH] = {};
    GetModuleFileNameW(controls, file, MAX_PATH);
    std::string loaded = win32::narrow(file);
    std::transform(loaded.begin(), loaded.end(), loaded.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    EXPECT_NE(loaded.find("microsoft.windows.common-controls_6595b64144ccf1df_6."),
              std::string::npos)
        << loaded;
    FreeLibrary(controls);
    DeactivateActCtx(0, cookie);
    ReleaseActCtx(context);
}

TEST(ProgramVersion, TheBuildFillsInTheVersionAndCopyright) {
    const std::wstring path = programPath();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::string block(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    // The texts the build makes from the project's version and the LICENSE.
    const struct {
        const char* key;
        const char* value;
    } texts[] = {
        {"FileVersion", "1.0.0.0"},
        {"ProductVersion", "1.0.0.0"},
        {"LegalCopyright", "Copyright (c) 2026 The Temura developers"},
    };
    for (const auto& t : texts) {
        const std::wstring query = L"\\StringFileInfo\\040904B0\\" + win32::widen(t.key);
        wchar_t* value = nullptr;
        ASSERT_TRUE(
            VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length))
            << t.key;
        EXPECT_EQ(win32::narrow(value), t.value);
    }
}

}  // namespace
}  // namespace temura
