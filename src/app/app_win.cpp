// The process's one instance record, for the window procedure, the entry point and the message
// loop; everything else is handed the record it works on.
#include "app/app_win.h"

Instance& TheApp() {
    static Instance app;
    return app;
}
