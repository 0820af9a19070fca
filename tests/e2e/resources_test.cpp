// The program's resources load by their names and numbers from the built linova.exe.
#include "harness.h"

namespace e2e {
namespace {

class Resources : public ::testing::Test {
  protected:
    void SetUp() override {
        module_ = LoadLibraryExW(LinovaPath().c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_TRUE(module_) << GetLastError();
    }
    void TearDown() override { FreeLibrary(module_); }
    HMODULE module_ = nullptr;
};

int WidthOf(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return -1;
    BITMAP b{};
    GetObjectW(info.hbmMask, sizeof(b), &b);
    DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    return b.bmWidth;
}

TEST_F(Resources, IconsInEverySize) {
    for (const wchar_t* name : {L"Linova", L"LinovaG", L"Linova_Vert", L"LinovaG_Vert"}) {
        for (int size : {16, 32, 48}) {
            HICON icon = static_cast<HICON>(LoadImageW(module_, name, IMAGE_ICON, size, size, 0));
            ASSERT_TRUE(icon) << testing::PrintToString(std::wstring(name)) << " " << size;
            EXPECT_EQ(WidthOf(icon), size);
            DestroyIcon(icon);
        }
    }
    // The large picture is a real image, not the 48-pixel one stretched.
    HRSRC group = FindResourceW(module_, L"LINOVA", MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
    ASSERT_TRUE(group);
    const auto* header = static_cast<const WORD*>(LockResource(LoadResource(module_, group)));
    ASSERT_TRUE(header);
    const WORD count = header[2];
    const BYTE* entries = reinterpret_cast<const BYTE*>(header + 3);
    bool has256 = false;
    for (WORD i = 0; i < count; ++i) has256 |= entries[i * 14] == 0;  // width 0 means 256
    EXPECT_EQ(count, 4);
    EXPECT_TRUE(has256);
}

TEST_F(Resources, CursorsWithTheirHotSpots) {
    for (const wchar_t* name : {L"LINOVACUR", L"LINOVA_V_CUR"}) {
        HCURSOR cursor =
            static_cast<HCURSOR>(LoadImageW(module_, name, IMAGE_CURSOR, 0, 0, LR_DEFAULTCOLOR));
        ASSERT_TRUE(cursor) << testing::PrintToString(std::wstring(name));
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(cursor, &info));
        EXPECT_FALSE(info.fIcon);
        EXPECT_EQ(info.xHotspot, 10u);
        EXPECT_EQ(info.yHotspot, 10u);
        DeleteObject(info.hbmMask);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        DestroyCursor(cursor);
    }
}

TEST_F(Resources, RefusalTextAndManifest) {
    wchar_t text[50] = L"";
    EXPECT_EQ(LoadStringW(module_, 52, text, 50), 22);
    EXPECT_STREQ(text, L"Linova can't add more.");

    HRSRC found = FindResourceW(module_, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_TRUE(found);
    const char* manifest = static_cast<const char*>(LockResource(LoadResource(module_, found)));
    const std::string xml(manifest, SizeofResource(module_, found));
    for (const char* part :
         {"Microsoft.Windows.Common-Controls", "version=\"6.0.0.0\"", "asInvoker", "dpiAware",
          "{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
          "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
          "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {
        EXPECT_NE(xml.find(part), std::string::npos) << part;
    }
}

}  // namespace
}  // namespace e2e
