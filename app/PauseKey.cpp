// The global Pause key: freezing the picture of the object under the
// pointer without moving the pointer to Stop.
#include "app/MainForm.h"

namespace app {

void TForm1::holdPauseKey()
{
    // A key another program already holds stays its own; the window works
    // as before without it.
    pauseKey_.registerFor(handle());
}

LRESULT TForm1::windowMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_HOTKEY && static_cast<int>(wParam) == pauseKey_.id()) {
        pauseKeyPressed();
        return 0;
    }
    // Destroyed by the system rather than by the toolkit: the key goes with
    // the window (otherwise it goes with the form).
    if (message == WM_DESTROY) pauseKey_.release();
    return Form::windowMessage(message, wParam, lParam);
}

void TForm1::pauseKeyPressed()
{
    if (Timer1->enabled())
        StopBtnClick(*StopBtn);
    else
        StartBtnClick(*StartBtn);
}

} // namespace app
