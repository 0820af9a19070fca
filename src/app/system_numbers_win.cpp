// The core numbers some system constants itself, as it cannot include the system's headers; here
// each of those copies is held to the real value, so a wrong one fails the build.
#include <windows.h>

#include "app/startup.h"
#include "magnifier/magnifier.h"
#include "model/geometry.h"
#include "model/settings_store.h"
#include "ops/operations.h"
#include "render/backgrounds.h"

static_assert(MakeRgb(0x12, 0x34, 0x56) == RGB(0x12, 0x34, 0x56), "Rgb is laid out as COLORREF");
static_assert(RedOf(RGB(0x12, 0x34, 0x56)) == 0x12 && GreenOf(RGB(0x12, 0x34, 0x56)) == 0x34 &&
                  BlueOf(RGB(0x12, 0x34, 0x56)) == 0x56,
              "Rgb is read as COLORREF");

static_assert(kKeyBack == VK_BACK && kKeyPrior == VK_PRIOR && kKeyNext == VK_NEXT &&
                  kKeyEnd == VK_END && kKeyHome == VK_HOME && kKeyLeft == VK_LEFT &&
                  kKeyUp == VK_UP && kKeyRight == VK_RIGHT && kKeyDown == VK_DOWN &&
                  kKeyDelete == VK_DELETE,
              "editing and arrow keys");
static_assert(kKeyNumpad1 == VK_NUMPAD1 && kKeyNumpad2 == VK_NUMPAD2 && kKeyNumpad3 == VK_NUMPAD3 &&
                  kKeyNumpad4 == VK_NUMPAD4 && kKeyNumpad5 == VK_NUMPAD5 &&
                  kKeyNumpad6 == VK_NUMPAD6 && kKeyNumpad7 == VK_NUMPAD7 &&
                  kKeyNumpad8 == VK_NUMPAD8 && kKeyNumpad9 == VK_NUMPAD9 &&
                  kKeyMultiply == VK_MULTIPLY && kKeyAdd == VK_ADD && kKeySubtract == VK_SUBTRACT &&
                  kKeyDivide == VK_DIVIDE,
              "numeric pad keys");

static_assert(kColorBackground == COLOR_BACKGROUND && kColorActiveCaption == COLOR_ACTIVECAPTION &&
                  kColorInactiveCaption == COLOR_INACTIVECAPTION && kColorMenu == COLOR_MENU &&
                  kColorHighlight == COLOR_HIGHLIGHT,
              "system colour indexes");

static_assert(static_cast<DWORD>(StoredType::kDword) == REG_DWORD &&
                  static_cast<DWORD>(StoredType::kString) == REG_SZ,
              "registry value types");

static_assert(kPlatformWin32Windows == VER_PLATFORM_WIN32_WINDOWS &&
                  kPlatformWin32Nt == VER_PLATFORM_WIN32_NT,
              "system families");

static_assert(kDialogOk == IDOK && kDialogCancel == IDCANCEL, "dialog commands");
