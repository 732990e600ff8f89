#include "toolkit/forms/CommonDialogs.h"

#include "toolkit/core/Error.h"

namespace toolkit {

namespace {

// Loaded once, released when the program ends.
class CommonDialogLibrary {
public:
    CommonDialogLibrary() : module_(LoadLibraryA("comdlg32.dll")) {}
    ~CommonDialogLibrary()
    {
        if (module_) FreeLibrary(module_);
    }
    CommonDialogLibrary(const CommonDialogLibrary&) = delete;
    CommonDialogLibrary& operator=(const CommonDialogLibrary&) = delete;

    template <typename Function>
    Function entry(const char* name) const
    {
        FARPROC address = module_ ? GetProcAddress(module_, name) : nullptr;
        if (!address) throw Error("Cannot show the file dialog");
        return reinterpret_cast<Function>(reinterpret_cast<void*>(address));
    }

private:
    HMODULE module_;
};

const CommonDialogLibrary& library()
{
    static const CommonDialogLibrary loaded;
    return loaded;
}

using FileDialogEntry = BOOL(WINAPI*)(OPENFILENAMEA*);

} // namespace

bool getOpenFileName(OPENFILENAMEA& description)
{
    return library().entry<FileDialogEntry>("GetOpenFileNameA")(&description) != FALSE;
}

bool getSaveFileName(OPENFILENAMEA& description)
{
    return library().entry<FileDialogEntry>("GetSaveFileNameA")(&description) != FALSE;
}

DWORD commonDialogError()
{
    return library().entry<DWORD(WINAPI*)()>("CommDlgExtendedError")();
}

} // namespace toolkit
