// The program's resources load by their names and numbers from the built linova.exe.
#include "harness.h"
#include "linova_version.h"
#include "screen.h"

#include <commctrl.h>

#include <algorithm>
#include <map>
#include <set>

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

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

// "#110" for a numbered resource, the stored (upper-case) name otherwise.
std::string ResourceName(LPCWSTR name) {
    if (IS_INTRESOURCE(name)) return "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name));
    return Narrow(name);
}

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
    struct Expected {
        const wchar_t* name;
        DWORD x, y;
    };
    for (const Expected& e : {Expected{L"LINOVACUR", 10, 10}, Expected{L"LINOVA_V_CUR", 10, 10},
                              Expected{L"handcur", 13, 11}}) {
        HCURSOR cursor =
            static_cast<HCURSOR>(LoadImageW(module_, e.name, IMAGE_CURSOR, 0, 0, LR_DEFAULTCOLOR));
        ASSERT_TRUE(cursor) << testing::PrintToString(std::wstring(e.name));
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(cursor, &info));
        EXPECT_FALSE(info.fIcon);
        EXPECT_EQ(info.xHotspot, e.x) << Narrow(e.name);
        EXPECT_EQ(info.yHotspot, e.y) << Narrow(e.name);
        BITMAP mask{};
        GetObjectW(info.hbmMask, sizeof(mask), &mask);
        EXPECT_EQ(mask.bmWidth, 32);
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

// What the system reads from the manifest about the screen's density, as it reads it when the
// program starts: the density of each monitor from Windows 10 on (the second form where the first
// is unknown), the system's density on older systems, which know only the first element.
TEST(Manifest, AsksForEachMonitorsDensityAndTheSystemsOnOlderSystems) {
    const std::wstring path = LinovaPath();
    ACTCTXW request{};
    request.cbSize = sizeof(request);
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = path.c_str();
    request.lpResourceName = MAKEINTRESOURCEW(1);
    HANDLE context = CreateActCtxW(&request);
    ASSERT_NE(context, INVALID_HANDLE_VALUE) << GetLastError();
    const auto setting = [&](const wchar_t* space, const wchar_t* name) {
        wchar_t value[64] = L"";
        SIZE_T written = 0;
        if (!QueryActCtxSettingsW(0, context, space, name, value, ARRAYSIZE(value), &written)) {
            return std::string("(none)");
        }
        return Narrow(value);
    };
    const wchar_t* const older = L"http://schemas.microsoft.com/SMI/2005/WindowsSettings";
    const wchar_t* const newer = L"http://schemas.microsoft.com/SMI/2016/WindowsSettings";
    EXPECT_EQ(setting(newer, L"dpiAwareness"), "PerMonitorV2, PerMonitor");
    EXPECT_EQ(setting(older, L"dpiAware"), "true");
    // Each in its own namespace, where the system looks for it.
    EXPECT_EQ(setting(older, L"dpiAwareness"), "(none)");
    EXPECT_EQ(setting(newer, L"dpiAware"), "(none)");
    ReleaseActCtx(context);
}

// --- The whole catalogue ---

struct Catalogue {
    std::vector<std::string> named;  // "type name", except single icon and cursor images
    std::map<ULONG_PTR, int> count;  // resources per numbered type
};

BOOL CALLBACK AddName(HMODULE, LPCWSTR type, LPWSTR name, LONG_PTR data) {
    auto* catalogue = reinterpret_cast<Catalogue*>(data);
    const auto kind = reinterpret_cast<ULONG_PTR>(type);
    ++catalogue->count[kind];
    if (kind != 1 && kind != 3) {  // RT_CURSOR and RT_ICON images are numbered by the compiler
        catalogue->named.push_back(std::to_string(kind) + " " + ResourceName(name));
    }
    return TRUE;
}

BOOL CALLBACK AddType(HMODULE module, LPWSTR type, LONG_PTR data) {
    EXPECT_TRUE(IS_INTRESOURCE(type)) << Narrow(type);
    EnumResourceNamesW(module, type, AddName, data);
    return TRUE;
}

TEST_F(Resources, CatalogueHoldsExactlyTheExpectedResources) {
    Catalogue found;
    ASSERT_TRUE(EnumResourceTypesW(module_, AddType, reinterpret_cast<LONG_PTR>(&found)));
    std::sort(found.named.begin(), found.named.end());

    std::vector<std::string> expected = {
        // RT_BITMAP: patterns by name, toolbar strips and menu images by number
        "2 #110", "2 #111", "2 #112", "2 #113", "2 #114", "2 #115", "2 #117", "2 #118", "2 #119",
        "2 LINOVABMP", "2 LINOVABMP1", "2 LINOVABMP2", "2 LINOVABMP3", "2 LINOVABMP4",
        "2 LINOVABMP5", "2 LINOVABMP6", "2 LINOVABMP7", "2 LINOVABMP8", "2 LINOVABMP9",
        // RT_MENU
        "4 MAGNIFIERMENU", "4 POPMENU", "4 TASKLMENU", "4 TASKRMENU",
        // RT_DIALOG
        "5 ABOUTBOX", "5 DISPLAYBOX", "5 MAGNIFIERBOX", "5 MAGNIFYSETBOX", "5 MONITORBOX",
        "5 MOUSEBOX", "5 OPERATBOX", "5 OTHERBOX", "5 SCALINGBOX", "5 SETTINGBOX", "5 UNINSTALLBOX",
        // RT_STRING: the block holding strings 48..63
        "6 #4",
        // RT_GROUP_CURSOR, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST
        "12 HANDCUR", "12 LINOVACUR", "12 LINOVA_V_CUR", "14 LINOVA", "14 LINOVAG",
        "14 LINOVAG_VERT", "14 LINOVA_VERT", "16 #1", "24 #1"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(found.named, expected);
    EXPECT_EQ(found.count[1], 3);          // one image per cursor
    EXPECT_EQ(found.count[3], 4 + 3 * 3);  // LINOVA with 256, 48, 32, 16; the others without 256
}

// --- Bitmaps ---

// The bitmap's pixels, row by row from the top, as COLORREF values.
std::vector<COLORREF> PixelsOf(HBITMAP bitmap, int width, int height) {
    BITMAPINFO info = TopDownDib(width, height);
    std::vector<DWORD> bits(static_cast<size_t>(width) * height);
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, height, bits.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    std::vector<COLORREF> out;
    if (rows != height) return out;
    for (DWORD v : bits) out.push_back(RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF));
    return out;
}

struct LoadedBitmap {
    HBITMAP handle = nullptr;
    DIBSECTION dib{};
    ~LoadedBitmap() {
        if (handle) DeleteObject(handle);
    }
};

void LoadDib(HMODULE module, LPCWSTR name, LoadedBitmap& out) {
    out.handle = static_cast<HBITMAP>(
        LoadImageW(module, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_DEFAULTSIZE));
    ASSERT_TRUE(out.handle) << ResourceName(name);
    ASSERT_EQ(GetObjectW(out.handle, sizeof(out.dib), &out.dib), int{sizeof(out.dib)})
        << ResourceName(name);
}

TEST_F(Resources, ToolbarAndMenuPicturesOnTheButtonFaceGrey) {
    struct Expected {
        int id, width, height, images;
    };
    const COLORREF face = RGB(192, 192, 192);
    for (const Expected& e :
         {Expected{110, 120, 24, 5}, Expected{119, 180, 36, 5}, Expected{117, 68, 17, 4},
          Expected{118, 100, 25, 4}, Expected{111, 16, 16, 1}, Expected{112, 16, 16, 1},
          Expected{113, 16, 16, 1}, Expected{114, 16, 16, 1}, Expected{115, 16, 16, 1}}) {
        SCOPED_TRACE(e.id);
        LoadedBitmap bitmap;
        LoadDib(module_, MAKEINTRESOURCEW(e.id), bitmap);
        ASSERT_TRUE(bitmap.handle);
        EXPECT_EQ(bitmap.dib.dsBm.bmWidth, e.width);
        EXPECT_EQ(bitmap.dib.dsBm.bmHeight, e.height);
        EXPECT_EQ(bitmap.dib.dsBm.bmBitsPixel, 4);
        const std::vector<COLORREF> pixels = PixelsOf(bitmap.handle, e.width, e.height);
        ASSERT_EQ(pixels.size(), static_cast<size_t>(e.width) * e.height);
        // Each image has ground in its top left corner (a menu takes that colour for the
        // transparent one; the loaders turn it into the button face) and a picture on it.
        const int cell = e.width / e.images;
        for (int image = 0; image < e.images; ++image) {
            EXPECT_EQ(pixels[static_cast<size_t>(image) * cell], face) << "image " << image;
            int drawn = 0;
            for (int y = 0; y < e.height; ++y) {
                for (int x = image * cell; x < (image + 1) * cell; ++x) {
                    drawn += pixels[static_cast<size_t>(y) * e.width + x] != face;
                }
            }
            EXPECT_GT(drawn, cell * e.height / 8) << "image " << image;
        }
    }
}

TEST_F(Resources, PatternsHaveTheirSizesAndExactColours) {
    struct Expected {
        const wchar_t* name;
        int width, height;
        std::vector<COLORREF> colours;  // ground first, then the motifs
    };
    const std::vector<Expected> patterns = {
        {L"LinovaBmp", 32, 28, {RGB(255, 255, 204), RGB(250, 235, 215), RGB(248, 248, 248)}},
        {L"LinovaBmp1", 28, 32, {RGB(250, 235, 215), RGB(255, 204, 102)}},
        {L"LinovaBmp2", 32, 32, {RGB(204, 255, 255), RGB(102, 255, 255)}},
        {L"LinovaBmp3", 36, 32, {RGB(204, 255, 204), RGB(248, 248, 248)}},
        {L"LinovaBmp4", 32, 32, {RGB(224, 224, 224), RGB(236, 236, 236)}},
        {L"LinovaBmp5", 32, 32, {RGB(148, 148, 148), RGB(182, 182, 182)}},
        {L"LinovaBmp6", 32, 32, {RGB(77, 77, 77), RGB(102, 102, 102)}},
        {L"LinovaBmp7", 36, 32, {RGB(0, 0, 204), RGB(51, 51, 255), RGB(0, 102, 255)}},
        {L"LinovaBmp8",
         40,
         32,
         {RGB(192, 192, 192), RGB(218, 218, 218), RGB(128, 128, 128), RGB(255, 255, 255)}},
        {L"LinovaBmp9",
         32,
         40,
         {RGB(192, 192, 192), RGB(255, 255, 255), RGB(236, 236, 236), RGB(140, 140, 140),
          RGB(128, 128, 128)}},
    };
    for (const Expected& e : patterns) {
        SCOPED_TRACE(Narrow(e.name));
        LoadedBitmap bitmap;
        LoadDib(module_, e.name, bitmap);
        ASSERT_TRUE(bitmap.handle);
        EXPECT_EQ(bitmap.dib.dsBm.bmWidth, e.width);
        EXPECT_EQ(bitmap.dib.dsBm.bmHeight, e.height);
        EXPECT_EQ(bitmap.dib.dsBm.bmBitsPixel, 8);

        // The stored colour table holds exactly the listed colours.
        HRSRC found = FindResourceW(module_, e.name, MAKEINTRESOURCEW(2));  // RT_BITMAP
        ASSERT_TRUE(found);
        const auto* header =
            static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module_, found)));
        ASSERT_TRUE(header);
        ASSERT_EQ(header->biClrUsed, e.colours.size());
        const auto* table = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(header) +
                                                             header->biSize);
        std::set<COLORREF> palette;
        for (DWORD i = 0; i < header->biClrUsed; ++i) {
            palette.insert(RGB(table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue));
        }
        EXPECT_EQ(palette, std::set<COLORREF>(e.colours.begin(), e.colours.end()));

        // Every listed colour is used, and the ground is the most frequent one and in the corner.
        const std::vector<COLORREF> pixels = PixelsOf(bitmap.handle, e.width, e.height);
        ASSERT_EQ(pixels.size(), static_cast<size_t>(e.width) * e.height);
        std::map<COLORREF, int> used;
        for (COLORREF c : pixels) ++used[c];
        EXPECT_EQ(used.size(), e.colours.size());
        for (COLORREF c : e.colours) EXPECT_GT(used[c], 0) << std::hex << c;
        const auto most = std::max_element(used.begin(), used.end(),
                                           [](auto& a, auto& b) { return a.second < b.second; });
        EXPECT_EQ(most->first, e.colours[0]);
        EXPECT_EQ(pixels[0], e.colours[0]);
    }
}

// --- Menus ---

// The items of a menu, one line each: "id text", "-" for a separator, "text {" ... "}" around a
// submenu.
void DescribeMenu(HMENU menu, std::vector<std::string>& out) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[64] = L"";
        MENUITEMINFOW item{};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = 64;
        if (!GetMenuItemInfoW(menu, i, TRUE, &item)) {
            out.push_back("?");
        } else if (item.fType & MFT_SEPARATOR) {
            out.push_back(item.wID == 0 && text[0] == 0 ? "-" : "bad separator");
        } else if (item.hSubMenu) {
            out.push_back(Narrow(text) + " {");
            DescribeMenu(item.hSubMenu, out);
            out.push_back("}");
        } else {
            out.push_back(std::to_string(item.wID) + " " + Narrow(text));
        }
    }
}

std::vector<std::string> FirstPopupOf(HMODULE module, const wchar_t* name) {
    std::vector<std::string> out;
    HMENU menu = LoadMenuW(module, name);
    if (!menu) return {"missing"};
    if (GetMenuItemCount(menu) != 1) out.push_back("more than one pop-up");
    HMENU popup = GetSubMenu(menu, 0);
    if (popup) DescribeMenu(popup, out);
    DestroyMenu(menu);
    return out;
}

TEST_F(Resources, MenusCarryTheirCommandsAndTexts) {
    // clang-format off
    const std::vector<std::string> popMenu = {
        "3 Linova", "-",
        "&Scale {",
            "14 &Reverse", "13 &Direction", "-", "16 &Full", "15 &Narrow", "-",
            "21 &Pixel", "22 &cm", "23 &inch", "-", "40041 Snap to &Edges",
        "}",
        "&Function {",
            "902 &Add Linova", "905 &Same Color Lock", "40005 Alway on &top", "-",
            "40003 &Display Size...", "-", "901 All &Exit", "-", "999 Uninstall...",
        "}",
        "19 &Setup...", "-",
        "&Copy {", "101 &Lenght", "102 Red Marker", "40023 Blue Marker", "40033 Red - Blue", "}",
        "&Adjust {", "201 &Window Size", "202 &Client Size", "}",
        "11 &Operation...", "40011 &Magnifier...", "-", "0 E&xit"};
    const std::vector<std::string> magnifierMenu = {
        "Magnifier {",
            "40011 x1", "40012 x2", "40013 x3", "40014 x4",
            "40015 x5", "40016 x6", "40017 x7", "40018 x8",
        "}",
        "Display {", "40028 Edge / Red", "40029 Edge / Blue", "40030 Red / Blue", "}",
        "-", "40021 &Close"};
    // clang-format on
    EXPECT_EQ(FirstPopupOf(module_, L"PopMenu"), popMenu);
    EXPECT_EQ(FirstPopupOf(module_, L"TaskLMenu"),
              (std::vector<std::string>{"-", "902 &Add Linova"}));
    EXPECT_EQ(FirstPopupOf(module_, L"TaskRMenu"),
              (std::vector<std::string>{"-", "901 Linova E&xit"}));
    EXPECT_EQ(FirstPopupOf(module_, L"MagnifierMenu"), magnifierMenu);
}

// --- Version information ---

size_t Align4(size_t offset) {
    return (offset + 3) & ~size_t{3};
}

// Reads a block of the version resource and its children into "path" = text pairs.
void ReadVersionBlock(const BYTE* block, const std::string& parent,
                      std::map<std::string, std::string>& texts) {
    const auto* words = reinterpret_cast<const WORD*>(block);
    const WORD length = words[0], valueLength = words[1], type = words[2];
    const auto* key = reinterpret_cast<const wchar_t*>(block + 6);
    const std::string path = (parent.empty() ? "" : parent + "/") + Narrow(key);
    size_t offset = Align4(6 + (wcslen(key) + 1) * sizeof(wchar_t));
    if (type == 1 && valueLength) {
        texts[path] = Narrow(reinterpret_cast<const wchar_t*>(block + offset));
    }
    offset = Align4(offset + (type == 1 ? valueLength * sizeof(wchar_t) : valueLength));
    while (offset < length) {
        const BYTE* child = block + offset;
        ReadVersionBlock(child, path, texts);
        offset = Align4(offset + reinterpret_cast<const WORD*>(child)[0]);
    }
}

TEST_F(Resources, VersionInformation) {
    HRSRC found = FindResourceW(module_, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16));  // RT_VERSION
    ASSERT_TRUE(found);
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module_, found)));
    ASSERT_TRUE(data);

    const auto* fixed =
        reinterpret_cast<const VS_FIXEDFILEINFO*>(data + Align4(6 + sizeof(L"VS_VERSION_INFO")));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    // Major and minor in the high word, the patch level and 0 in the low one.
    constexpr DWORD kVersionMS = LINOVA_VERSION_MAJOR << 16 | LINOVA_VERSION_MINOR;
    constexpr DWORD kVersionLS = LINOVA_VERSION_PATCH << 16;
    EXPECT_EQ(fixed->dwFileVersionMS, kVersionMS);
    EXPECT_EQ(fixed->dwFileVersionLS, kVersionLS);
    EXPECT_EQ(fixed->dwProductVersionMS, kVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, kVersionLS);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    std::map<std::string, std::string> texts;
    ReadVersionBlock(data, "", texts);
    const std::string table = "VS_VERSION_INFO/StringFileInfo/040904b0/";
    EXPECT_EQ(texts, (std::map<std::string, std::string>{
                         {table + "CompanyName", "Tamarisk"},
                         {table + "FileDescription", "Linova on-screen ruler"},
                         {table + "FileVersion", LINOVA_VERSION},
                         {table + "InternalName", "linova"},
                         {table + "OriginalFilename", "linova.exe"},
                         {table + "ProductName", "Linova"},
                         {table + "ProductVersion", LINOVA_VERSION}}));
}

// --- Dialog templates ---

INT_PTR CALLBACK QuietDialog(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

std::string TextOf(HWND dialog, int id) {
    wchar_t text[128] = L"";
    GetDlgItemTextW(dialog, id, text, 128);
    return Narrow(text);
}

std::string ControlClass(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control ? Narrow(ClassOf(control)) : "no control";
}

// Creates dialogs from the program's templates with a procedure that does nothing, and
// destroys them again.
class DialogMaker {
  public:
    explicit DialogMaker(HMODULE module) : module_(module) {
        // The controls that are not built into USER32.
        comctl_ = LoadLibraryW(L"comctl32.dll");
        using InitFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
        auto init = reinterpret_cast<InitFunction>(
            reinterpret_cast<void (*)()>(GetProcAddress(comctl_, "InitCommonControlsEx")));
        INITCOMMONCONTROLSEX classes{sizeof(classes),
                                     ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
        ready_ = init && init(&classes);
        owner_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                                 nullptr);
    }
    ~DialogMaker() {
        for (auto it = created_.rbegin(); it != created_.rend(); ++it) DestroyWindow(*it);
        if (owner_) DestroyWindow(owner_);
        if (comctl_) FreeLibrary(comctl_);
    }
    bool Ready() const { return ready_ && owner_; }
    // A pop-up dialog owned by a hidden window, or a page inside `parent`.
    HWND Create(const wchar_t* name, HWND parent = nullptr) {
        HWND dialog = CreateDialogParamW(module_, name, parent ? parent : owner_, QuietDialog, 0);
        if (dialog && !parent) created_.push_back(dialog);  // pages go with their parent
        return dialog;
    }

  private:
    HMODULE module_;
    HMODULE comctl_ = nullptr;
    HWND owner_ = nullptr;
    bool ready_ = false;
    std::vector<HWND> created_;
};

TEST_F(Resources, PopupDialogsCreateWithTheirControls) {
    DialogMaker dialogs(module_);
    ASSERT_TRUE(dialogs.Ready());
    HWND about = dialogs.Create(L"AboutBox");
    ASSERT_TRUE(about);
    EXPECT_EQ(Narrow(WindowText(about)), "Version ");
    EXPECT_EQ(TextOf(about, 501), "Linova version " LINOVA_VERSION "\n for Windows");
    EXPECT_EQ(TextOf(about, 21), "html:");
    EXPECT_EQ(TextOf(about, 22), "Build : ");
    EXPECT_EQ(TextOf(about, IDOK), "OK");
    EXPECT_TRUE(GetDlgItem(about, 1018));
    EXPECT_TRUE(GetDlgItem(about, 1019));
    EXPECT_TRUE(SendDlgItemMessageW(about, 500, STM_GETICON, 0, 0)) << "icon \"linova\"";
    EXPECT_TRUE(GetWindowLongW(GetDlgItem(about, 21), GWL_STYLE) & SS_NOTIFY);
    // Every dialog is laid out in Arial at 10 points.
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(about, WM_GETFONT, 0, 0)), sizeof(font), &font);
    EXPECT_STREQ(font.lfFaceName, L"Arial");
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(font.lfHeight, -MulDiv(10, GetDeviceCaps(screen, LOGPIXELSY), 72));
    ReleaseDC(nullptr, screen);

    HWND monitor = dialogs.Create(L"MonitorBox");
    ASSERT_TRUE(monitor);
    EXPECT_EQ(Narrow(WindowText(monitor)), "Linova - Display Size");
    EXPECT_EQ(ControlClass(monitor, 1021), "SysListView32");
    EXPECT_EQ(GetWindowLongW(GetDlgItem(monitor, 1021), GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_EQ(ControlClass(monitor, 1023), "msctls_updown32");
    EXPECT_EQ(TextOf(monitor, 1022), "16.1");
    EXPECT_EQ(TextOf(monitor, IDOK), "OK");
    EXPECT_EQ(TextOf(monitor, IDCANCEL), "Cancel");

    HWND magnifier = dialogs.Create(L"MagnifierBox");
    ASSERT_TRUE(magnifier);
    EXPECT_EQ(Narrow(WindowText(magnifier)), "Magnifier");
    EXPECT_TRUE(GetWindowLongW(magnifier, GWL_STYLE) & WS_THICKFRAME);
    EXPECT_EQ(TextOf(magnifier, 1020) + TextOf(magnifier, 1021) + TextOf(magnifier, 1022) +
                  TextOf(magnifier, 1023),
              "1234");

    HWND panel = dialogs.Create(L"OperatBox");
    ASSERT_TRUE(panel);
    EXPECT_EQ(Narrow(WindowText(panel)), "Operation");
    EXPECT_EQ(TextOf(panel, 201), "&Lenght");
    EXPECT_EQ(TextOf(panel, 21) + "|" + TextOf(panel, 22) + "|" + TextOf(panel, 23),
              "&Pixel|&cm|&inch");
    EXPECT_EQ(TextOf(panel, 203), "Red");
    EXPECT_EQ(TextOf(panel, 204), "Blue");
    EXPECT_EQ(TextOf(panel, IDOK), "Close");
    for (int id : {311, 312, 321, 323, 324}) {
        EXPECT_EQ(ControlClass(panel, id), "ScrollBar") << id;
        const bool vertical = GetWindowLongW(GetDlgItem(panel, id), GWL_STYLE) & SBS_VERT;
        EXPECT_EQ(vertical, id != 312) << id;
    }
    EXPECT_TRUE(GetDlgItem(panel, 1036));
    EXPECT_TRUE(GetDlgItem(panel, 1037));

    HWND uninstall = dialogs.Create(L"UnInstallBox");
    ASSERT_TRUE(uninstall);
    EXPECT_EQ(Narrow(WindowText(uninstall)), "Linova - Uninstall");
    EXPECT_EQ(TextOf(uninstall, 910), "Linova Uninstall.");
    EXPECT_EQ(TextOf(uninstall, 913), "\"Linova\" setting.");
    EXPECT_EQ(TextOf(uninstall, 914), "Delete...");
    EXPECT_EQ(TextOf(uninstall, IDOK), "Cancel");
}

TEST_F(Resources, SetupPagesCreateInsideTheSetupFrame) {
    DialogMaker dialogs(module_);
    ASSERT_TRUE(dialogs.Ready());
    HWND setup = dialogs.Create(L"SettingBox");
    ASSERT_TRUE(setup);
    EXPECT_EQ(Narrow(WindowText(setup)), "Setup");
    EXPECT_EQ(TextOf(setup, IDOK), "OK");
    EXPECT_EQ(TextOf(setup, IDCANCEL), "Cancel");
    EXPECT_TRUE(GetDlgItem(setup, 1018));
    EXPECT_TRUE(GetDlgItem(setup, 1019));

    struct Page {
        const wchar_t* name;
        int x;  // in dialog units
        std::vector<std::pair<int, std::string>> texts;
        std::vector<std::pair<int, std::string>> classes;
    };
    const std::vector<Page> pages = {
        {L"DisplayBox", 78, {{403, "&Bold Font"}, {404, "&Italic Font"}}, {{401, "ComboBox"}}},
        {L"ScalingBox",
         76,
         {{202, "Scaling"},
          {203, "Display Size"},
          {1024, "Auto"},
          {1025, "Manual"},
          {1028, "Display Size..."}},
         {{322, "ScrollBar"}, {1027, "Static"}}},
        {L"MagnifySetBox", 78, {}, {{1030, "ComboBox"}, {1031, "ComboBox"}}},
        {L"MouseBox", 78, {{453, "Not Mouse Operation"}}, {{1034, "ComboBox"}}},
        {L"OtherBox",
         78,
         {{452, "Alway on &top"}, {451, "&Not Key Operation"}},
         {{501, "msctls_trackbar32"}}},
    };
    for (const Page& p : pages) {
        SCOPED_TRACE(Narrow(p.name));
        HWND page = dialogs.Create(p.name, setup);
        ASSERT_TRUE(page);
        EXPECT_EQ(GetParent(page), setup);
        EXPECT_TRUE(GetWindowLongW(page, GWL_STYLE) & WS_CHILD);
        EXPECT_TRUE(GetWindowLongW(page, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
        // Placed right of the page toolbar, at the top of the frame.
        RECT where{};
        GetWindowRect(page, &where);
        MapWindowPoints(nullptr, setup, reinterpret_cast<POINT*>(&where), 2);
        RECT expected{p.x, 3, 0, 0};
        MapDialogRect(setup, &expected);
        EXPECT_EQ(where.left, expected.left);
        EXPECT_EQ(where.top, expected.top);
        for (const auto& [id, text] : p.texts) EXPECT_EQ(TextOf(page, id), text) << id;
        for (const auto& [id, name] : p.classes) EXPECT_EQ(ControlClass(page, id), name) << id;
    }
}

}  // namespace
}  // namespace e2e
