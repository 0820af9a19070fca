// The program's icons are loaded once at each size and go with the record that keeps them.
#include <gtest/gtest.h>

#include <windows.h>

#include "program_resources.h"
#include "render/loaded_icons_win.h"

namespace {

// The icon's width, or 0 when it is no icon (any more).
int IconWidth(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return 0;
    BITMAP colour{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(colour), &colour);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return colour.bmWidth;
}

TEST(LoadedIcons, EachNameAndSizeIsLoadedOnceAndAllGoWithTheRecord) {
    const ProgramResources resources;
    ASSERT_TRUE(resources.get());
    HICON small = nullptr;
    HICON larger = nullptr;
    {
        LoadedIcons icons;
        small = icons.At(resources.get(), L"Linova", 16);
        ASSERT_TRUE(small);
        EXPECT_EQ(IconWidth(small), 16);
        EXPECT_EQ(icons.At(resources.get(), L"Linova", 16), small) << "loaded again";

        larger = icons.At(resources.get(), L"Linova", 24);
        ASSERT_TRUE(larger);
        EXPECT_NE(larger, small);
        EXPECT_EQ(IconWidth(larger), 24) << "a new density shows the icon at its own size";

        HICON vertical = icons.At(resources.get(), L"Linova_Vert", 16);
        EXPECT_TRUE(vertical);
        EXPECT_NE(vertical, small);

        EXPECT_EQ(icons.At(resources.get(), L"NoSuchIcon", 16), nullptr);
        EXPECT_EQ(icons.At(resources.get(), L"NoSuchIcon", 16), nullptr);
        EXPECT_EQ(icons.At(resources.get(), L"Linova", 16), small);
    }
    EXPECT_EQ(IconWidth(small), 0) << "kept after the record went";
    EXPECT_EQ(IconWidth(larger), 0) << "kept after the record went";
}

}  // namespace
