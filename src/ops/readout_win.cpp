// Shows the current readings in the ruler's title.
#include "ops/readout_win.h"

#include "app/app_win.h"
#include "ops/readout.h"

void RefreshReadout(HWND ruler) {
    const App& app = TheApp();
    const ReadoutTexts texts = MakeReadoutTexts(app.state, app.className);
    SetWindowTextW(ruler, texts.title.c_str());
}
