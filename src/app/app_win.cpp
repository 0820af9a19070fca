// The process-wide state of a ruler instance as the Win32 side holds it.
#include "app/app_win.h"

App& TheApp() {
    static App app;
    return app;
}
