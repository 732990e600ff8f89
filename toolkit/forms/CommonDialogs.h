#pragma once
// The system's file dialogs, from a library loaded at the first dialog:
// the common dialog library and what it brings with it (the shell among
// them) would otherwise be loaded at every start, and most runs never open
// a file dialog. Raises "Cannot show the file dialog" when the library or
// its entry cannot be had.
#include <windows.h>
#include <commdlg.h>

namespace toolkit {

bool getOpenFileName(OPENFILENAMEA& description);
bool getSaveFileName(OPENFILENAMEA& description);
// The reason the last dialog failed; 0 when it was cancelled.
DWORD commonDialogError();

} // namespace toolkit
