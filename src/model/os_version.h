// One number for the version of the system the ruler runs on, and the versions it matters at.
#pragma once

#include <cstdint>

// The system families GetVersionExW reports, numbered as the system numbers them.
inline constexpr uint32_t kPlatformWin32Windows = 1;
inline constexpr uint32_t kPlatformWin32Nt = 2;

// One number for the system version; readers compare it with these two: Windows 2000 (layered
// windows) and Vista (menu pictures, DPI awareness, thicker dialog frames).
inline constexpr int32_t kOsVersion2000 = 500;
inline constexpr int32_t kOsVersionVista = 600;
int32_t OsVersionCode(uint32_t platformId, uint32_t major, uint32_t minor);
