// One number for the version of the system the ruler runs on.
#include "model/os_version.h"

int32_t OsVersionCode(uint32_t platformId, uint32_t major, uint32_t minor) {
    if (platformId == kPlatformWin32Windows) {
        if (major == 3 && minor == 0) return 300;
        if (major == 3 && minor == 1) return 301;
        if (major == 4 && minor == 0) return 400;
        if (major == 4 && minor == 10) return 410;
        if (major == 4 && minor == 90) return 490;
        return 0;
    }
    if (platformId == kPlatformWin32Nt) {
        if (major == 3 && minor == 51) return 351;
        if (major == 4 && minor == 0) return 400;
        if (major == 5) return minor == 0 ? 500 : 510;
        if (major == 6) return minor == 0 ? 600 : 610;
        if (major > 6 && minor >= 1) return 610;
        if (major >= 10 && minor == 0) return 1000;
    }
    return 0;
}
