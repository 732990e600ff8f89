// The open-picture dialog: the system's open dialog with a preview of the
// selected bitmap beside its file list.
#include "toolkit/core/Error.h"
#include "toolkit/forms/CommonDialogs.h"
#include "toolkit/forms/Dialogs.h"
#include "toolkit/forms/PicturePreview.h"
#include "toolkit/system/EntryGuard.h"

#include <cstring>
#include <vector>

namespace toolkit {

namespace {

// The place the system puts its own controls in a dialog template.
constexpr WORD standardControlsPlace = 0x45F;
constexpr WORD previewId = 0x500;

// A child-dialog template: the standard controls' place, one dialog unit
// wide and as tall as the preview, and an owner-drawn preview to its right,
// which the system moves past its own controls.
std::vector<WORD> previewTemplate()
{
    std::vector<WORD> words;
    const auto put = [&words](const void* data, std::size_t size) {
        const auto* first = static_cast<const WORD*>(data);
        words.insert(words.end(), first, first + size / sizeof(WORD));
    };
    const auto alignToDword = [&words] {
        if (words.size() % 2) words.push_back(0);
    };
    DLGTEMPLATE dialog{WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | DS_3DLOOK | DS_CONTROL, 0, 2, 0, 0, 150, 170};
    put(&dialog, sizeof dialog);
    words.insert(words.end(), {0, 0, 0});  // no menu, default class, no title
    const auto control = [&](DWORD style, short x, short y, short width, short height, WORD id) {
        alignToDword();
        DLGITEMTEMPLATE item{WS_CHILD | style, 0, x, y, width, height, id};
        put(&item, sizeof item);
        words.insert(words.end(), {0xFFFF, 0x0082, 0, 0});  // static class, no text, no creation data
    };
    control(0, 0, 0, 1, 170, standardControlsPlace);
    control(WS_VISIBLE | SS_OWNERDRAW, 4, 4, 140, 160, previewId);
    return words;
}

struct GlobalFreer {
    void operator()(HGLOBAL memory) const { GlobalFree(memory); }
};

// The dialog's calls to its hook: no exception may leave it into the
// system's dialog code, and a preview that fails shows nothing.
UINT_PTR CALLBACK previewHook(HWND child, UINT message, WPARAM, LPARAM lParam)
{
    return quietCall([&]() -> UINT_PTR {
        auto* preview = reinterpret_cast<PicturePreview*>(GetWindowLongPtrA(child, DWLP_USER));
        switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(child, DWLP_USER, reinterpret_cast<const OPENFILENAMEA*>(lParam)->lCustData);
            return 0;
        case WM_NOTIFY:
            if (preview && reinterpret_cast<const NMHDR*>(lParam)->code == CDN_SELCHANGE) {
                char path[MAX_PATH] = {};
                const LRESULT length = SendMessageA(GetParent(child), CDM_GETFILEPATH, sizeof path, reinterpret_cast<LPARAM>(path));
                if (length > 0 && length <= static_cast<LRESULT>(sizeof path)) preview->show(path);
                else preview->clear();
                InvalidateRect(GetDlgItem(child, previewId), nullptr, TRUE);
            }
            return 0;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (!preview || item->CtlID != previewId) return 0;
            // The caption in the dialog's own font.
            SelectGuard font(item->hDC, reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0)));
            preview->paint(item->hDC, item->rcItem);
            return TRUE;
        }
        default: return 0;
        }
    }, UINT_PTR{0});
}

} // namespace

bool OpenPictureDialog::run(OPENFILENAMEA& description)
{
    const std::vector<WORD> words = previewTemplate();
    UniqueHandle<HGLOBAL, GlobalFreer> dialogTemplate(GlobalAlloc(GMEM_FIXED, words.size() * sizeof(WORD)));
    if (!dialogTemplate) throw Error("Out of memory");
    std::memcpy(dialogTemplate.get(), words.data(), words.size() * sizeof(WORD));
    PicturePreview preview;
    description.Flags |= OFN_ENABLEHOOK | OFN_ENABLETEMPLATEHANDLE;
    description.hInstance = static_cast<HINSTANCE>(dialogTemplate.get());
    description.lpfnHook = previewHook;
    description.lCustData = reinterpret_cast<LPARAM>(&preview);
    return getOpenFileName(description);
}

} // namespace toolkit
