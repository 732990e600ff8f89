#include "clipview/ClipboardViewer.h"

#include "clipview/PaletteGrid.h"
#include "toolkit/controls/Image.h"
#include "toolkit/controls/Memo.h"
#include "toolkit/core/ClassRegistry.h"
#include "toolkit/core/FormWriter.h"
#include "toolkit/forms/FormReader.h"
#include "toolkit/forms/StandardClasses.h"
#include "toolkit/system/Clipboard.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <sstream>

using namespace toolkit;

namespace clipview {

namespace {

constexpr const wchar_t* emptyClipboardMessage = L"\u0411\u0443\u0444\u0435\u0440 \u043e\u0431\u043c\u0435\u043d\u0430 "
                                                 L"\u043f\u0443\u0441\u0442";  // "Буфер обмена пуст"
constexpr const wchar_t* unknownFormatMessage =
    L"\u041d\u0435\u0438\u0437\u0432\u0435\u0441\u0442\u043d\u044b\u0439 \u0444\u043e\u0440\u043c\u0430\u0442 "
    L"\u0434\u0430\u043d\u043d\u044b\u0445 \u0432 \u0431\u0443\u0444\u0435\u0440\u0435 \u043e\u0431\u043c\u0435\u043d"
    L"\u0430";  // "Неизвестный формат данных в буфере обмена"

// The program's own formats: a picture, a component in its text form, an
// icon as an icon-file image.
constexpr char pictureFormatName[] = "Ovistra Picture";
constexpr char componentFormatName[] = "Ovistra Component";
constexpr char iconFormatName[] = "Ovistra Icon";

UINT pictureClipboardFormat() { return registeredClipboardFormat<pictureFormatName>(); }
UINT componentClipboardFormat() { return registeredClipboardFormat<componentFormatName>(); }
UINT iconClipboardFormat() { return registeredClipboardFormat<iconFormatName>(); }

// The clipboard format a view format stands for; 0 for none.
UINT clipboardFormatOf(TClipboardViewFormat format)
{
    switch (format) {
    case cvText: return CF_TEXT;
    case cvBitmap: return CF_BITMAP;
    case cvMetafile: return CF_METAFILEPICT;
    case cvPalette: return CF_PALETTE;
    case cvOemText: return CF_OEMTEXT;
    case cvPicture: return pictureClipboardFormat();
    case cvComponent: return componentClipboardFormat();
    case cvIcon: return iconClipboardFormat();
    default: return 0;
    }
}

bool anyPictureFormat(HWND owner)
{
    OpenedClipboard clipboard(owner);
    for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format))
        if (Picture::supportsClipboardFormat(format)) return true;
    return false;
}

// Suspends the viewer's alignment for a scope, on every way out.
class AlignSuspension {
public:
    explicit AlignSuspension(WinControl& control) : control_(control) { control_.disableAlign(); }
    ~AlignSuspension() { control_.enableAlign(); }
    AlignSuspension(const AlignSuspension&) = delete;
    AlignSuspension& operator=(const AlignSuspension&) = delete;

private:
    WinControl& control_;
};

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

// The component's text form as the clipboard holds it: up to the first
// NUL or the end of the block.
std::string componentText(HWND owner)
{
    OpenedClipboard clipboard(owner);
    GlobalLockGuard lock(GetClipboardData(componentClipboardFormat()));
    const auto* data = static_cast<const char*>(lock.data());
    if (!data) return {};
    return std::string(data, strnlen(data, lock.size()));
}

} // namespace

bool viewFormatAvailable(TClipboardViewFormat format, HWND owner)
{
    switch (format) {
    case cvDefault: case cvEmpty: case cvUnknown: return false;
    case cvPicture: return clipboardFormatAvailable(pictureClipboardFormat()) || anyPictureFormat(owner);
    default: return clipboardFormatAvailable(clipboardFormatOf(format));
    }
}

const MetaClass TCustomClipboardViewer::classInfo("TCustomClipboardViewer", ScrollBox::classInfo,
                                                  sizeof(TCustomClipboardViewer), nullptr, {});
const MetaClass TClipboardViewer::classInfo("TClipboardViewer", TCustomClipboardViewer::classInfo,
                                            sizeof(TClipboardViewer), createInstance<TClipboardViewer>,
                                            {eventProperty("OnChange", &TCustomClipboardViewer::OnChange)});

TCustomClipboardViewer::TCustomClipboardViewer(Component* owner) : ScrollBox(owner)
{
    setColor(clWindow);
}

TCustomClipboardViewer::~TCustomClipboardViewer()
{
    // The toolkit's destruction of the window comes after this class is
    // gone, so the chain is left here.
    leaveChain();
}

void TCustomClipboardViewer::handleCreated()
{
    ScrollBox::handleCreated();
    if (HWND window = handleIfCreated()) {
        nextViewer_ = SetClipboardViewer(window);
        joined_ = true;
    }
}

void TCustomClipboardViewer::handleDestroying()
{
    leaveChain();
    ScrollBox::handleDestroying();
}

void TCustomClipboardViewer::leaveChain()
{
    if (joined_) {
        ChangeClipboardChain(handleIfCreated(), nextViewer_);
        joined_ = false;
    }
    nextViewer_ = nullptr;
}

void TCustomClipboardViewer::nonClientDestroyed()
{
    if (joined_) leaveChain();
    ScrollBox::nonClientDestroyed();
}

namespace {

// The last forward whose receiver has answered. Callbacks of forwards that
// were given up on still arrive later, so no state of a forward lives on
// the stack.
DWORD answeredForward = 0;

void CALLBACK forwardAnswered(HWND, UINT, ULONG_PTR forward, LRESULT)
{
    answeredForward = static_cast<DWORD>(forward);
}

void passToAnotherThread(HWND receiver, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The next viewer handles the message first. One whose thread answers
    // nothing (it pumps no messages) gets the message when it pumps again,
    // but the pane, and with it the program's one thread, waits no longer
    // than this for it. (A timed-out SendMessageTimeout would be dropped by
    // some systems; a message sent with a callback never is.)
    constexpr DWORD patienceMs = 250;
    static DWORD forwards = 0;
    const DWORD forward = ++forwards;
    if (!SendMessageCallbackA(receiver, message, wParam, lParam, forwardAnswered, forward)) return;
    const DWORD start = GetTickCount();
    while (answeredForward != forward && GetTickCount() - start < patienceMs) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_SENDMESSAGE);
        // Runs the messages sent to this thread and the answers' callbacks,
        // and nothing posted.
        MSG pending;
        PeekMessageA(&pending, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

} // namespace

void TCustomClipboardViewer::forwardToNextViewer(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!nextViewer_) return;
    if (GetWindowThreadProcessId(nextViewer_, nullptr) == GetCurrentThreadId()) {
        SendMessageA(nextViewer_, message, wParam, lParam);
        return;
    }
    passToAnotherThread(nextViewer_, message, wParam, lParam);
}

void TCustomClipboardViewer::NotifyChange()
{
    if (OnChange) OnChange(*this);
}

bool TCustomClipboardViewer::ValidViewFormat(TClipboardViewFormat format)
{
    if (format == cvDefault || format == cvEmpty || format == cvUnknown) return true;
    return viewFormatAvailable(format, handleIfCreated());
}

void TCustomClipboardViewer::setViewFormat(TClipboardViewFormat format)
{
    if (format == viewFormat_) return;
    if (!viewFormatAvailable(format, handleIfCreated()))
        viewFormat_ = cvDefault;
    else
        viewFormat_ = ValidViewFormat(format) ? format : cvDefault;
    CreateContentControl();
}

TClipboardViewFormat TCustomClipboardViewer::ResolveDrawFormat()
{
    if (clipboardEmpty()) return cvEmpty;
    if (viewFormat_ != cvDefault) return viewFormat_;
    if (clipboardFormatAvailable(CF_TEXT)) return cvText;
    if (clipboardFormatAvailable(CF_OEMTEXT)) return cvOemText;
    if (clipboardFormatAvailable(CF_BITMAP)) return cvBitmap;
    if (clipboardFormatAvailable(CF_METAFILEPICT) || clipboardFormatAvailable(CF_ENHMETAFILE)) return cvMetafile;
    if (clipboardFormatAvailable(iconClipboardFormat())) return cvIcon;
    if (viewFormatAvailable(cvPicture, handleIfCreated())) return cvPicture;
    if (clipboardFormatAvailable(componentClipboardFormat())) return cvComponent;
    if (clipboardFormatAvailable(CF_PALETTE)) return cvPalette;
    return cvUnknown;
}

BitmapHandle TCustomClipboardViewer::freeContentControl()
{
    std::unique_ptr<Control> content(std::exchange(contentControl_, nullptr));
    BitmapHandle bitmap;
    if (!content) return bitmap;
    // Off the pane first, so that its area is repainted once.
    content->setParent(nullptr);
    if (auto* image = dynamic_cast<Image*>(content.get()))
        image->changePicture([&bitmap](Picture& picture) { bitmap = picture.takeBitmap(); });
    return bitmap;
}

void TCustomClipboardViewer::CreateContentControl()
{
    // A bitmap shown now lends its memory to the next one of its size: a
    // picture followed live rarely changes size.
    BitmapHandle spare = freeContentControl();
    if (clipboardEmpty()) return;
    TClipboardViewFormat format = ResolveDrawFormat();
    if (!ValidViewFormat(format)) format = cvUnknown;
    switch (format) {
    case cvDefault: case cvEmpty: case cvUnknown: case cvText: case cvOemText: buildMemo(format); break;
    case cvBitmap: case cvMetafile: case cvPicture: case cvIcon:
        try {
            buildImage(format, std::move(spare));
        } catch (const InvalidGraphic&) {
            // Content that cannot be shown gets the message.
            delete std::exchange(contentControl_, nullptr);
            buildMemo(cvUnknown);
        }
        break;
    case cvPalette: buildPaletteGrid(); break;
    case cvComponent: buildComponent(); break;
    }
}

Memo& TCustomClipboardViewer::addContentMemo()
{
    auto* memo = new Memo(this);
    contentControl_ = memo;
    memo->setBorderStyle(BorderStyle::None);
    memo->setScrollBars(ScrollStyle::ssBoth);
    memo->setParent(this);
    memo->setBounds(0, 0, memo->width(), memo->height());
    memo->setAlign(Align::Client);
    return *memo;
}

void TCustomClipboardViewer::buildMemo(TClipboardViewFormat format)
{
    Memo* memo = &addContentMemo();
    if (format == cvOemText) memo->setFontName("Terminal");
    memo->show();
    if (clipboardFormatAvailable(CF_TEXT))
        memo->pasteFromClipboard();
    else
        memo->setWideText(clipboardEmpty() ? emptyClipboardMessage : unknownFormatMessage);
    memo->setReadOnly(true);
}

void TCustomClipboardViewer::buildImage(TClipboardViewFormat format, BitmapHandle spare)
{
    auto* image = new Image(this);
    contentControl_ = image;
    image->setParent(this);
    image->setAutoSize(true);
    image->setBounds(0, 0, image->width(), image->height());
    image->show();
    HWND window = handleIfCreated();
    if (format == cvIcon) {
        if (clipboardFormatAvailable(iconClipboardFormat()))
            image->changePicture([window](Picture& picture) {
                OpenedClipboard clipboard(window);
                GlobalLockGuard lock(GetClipboardData(iconClipboardFormat()));
                picture.loadIcon(lock.data(), lock.size());
            });
    } else {
        const bool available = format == cvMetafile ? clipboardFormatAvailable(CF_METAFILEPICT) ||
                                                          clipboardFormatAvailable(CF_ENHMETAFILE)
                                                    : viewFormatAvailable(format, window);
        if (available)
            image->changePicture(
                [window, &spare](Picture& picture) { picture.assignFromClipboard(window, std::move(spare)); });
    }
    centreContent();
}

void TCustomClipboardViewer::buildPaletteGrid()
{
    auto* grid = new TPaletteGrid(this);
    contentControl_ = grid;
    try {
        grid->setBorderStyle(BorderStyle::None);
        grid->setCtl3D(false);
        grid->setParent(this);
        grid->setAlign(Align::Client);
        OpenedClipboard clipboard(handleIfCreated());
        grid->setPalette(static_cast<HPALETTE>(GetClipboardData(CF_PALETTE)));
    } catch (...) {
        delete std::exchange(contentControl_, nullptr);
        throw;
    }
}

void TCustomClipboardViewer::buildComponent()
{
    const std::string text = componentText(handleIfCreated());
    std::unique_ptr<Component> component;
    try {
        component.reset(readComponent(text, this, this, standardClasses()));
    } catch (const Error&) {
        buildMemo(cvUnknown);
        return;
    }
    if (auto* control = dynamic_cast<Control*>(component.get())) {
        contentControl_ = control;
        component.release();
        control->setBounds(1, 1, control->width(), control->height());
        control->setParent(this);
        centreContent();
        return;
    }
    Memo& memo = addContentMemo();
    memo.setLines(linesOf(writeComponent(*component)));
    memo.setReadOnly(true);
    memo.show();
}

void TCustomClipboardViewer::centreContent()
{
    if (!contentControl_) return;
    const RECT area = clientRect();
    const int left = std::max(0, static_cast<int>((area.right - area.left - contentControl_->width()) / 2));
    const int top = std::max(0, static_cast<int>((area.bottom - area.top - contentControl_->height()) / 2));
    contentControl_->setBounds(left, top, contentControl_->width(), contentControl_->height());
}

void TCustomClipboardViewer::drawClipboard()
{
    if (clipboardEmpty())
        viewFormat_ = cvEmpty;
    else if (!viewFormatAvailable(viewFormat_, handleIfCreated()))
        viewFormat_ = cvDefault;
    NotifyChange();
    AlignSuspension suspended(*this);
    CreateContentControl();
}

LRESULT TCustomClipboardViewer::windowMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DRAWCLIPBOARD:
        forwardToNextViewer(message, wParam, lParam);
        drawClipboard();
        return defaultMessage(message, wParam, lParam);
    case WM_DESTROYCLIPBOARD:
        viewFormat_ = cvEmpty;
        NotifyChange();
        CreateContentControl();
        return defaultMessage(message, wParam, lParam);
    case WM_CHANGECBCHAIN:
        if (reinterpret_cast<HWND>(wParam) == nextViewer_)
            nextViewer_ = reinterpret_cast<HWND>(lParam);
        else
            forwardToNextViewer(message, wParam, lParam);
        return defaultMessage(message, wParam, lParam);
    case WM_SIZE: {
        const LRESULT result = ScrollBox::windowMessage(message, wParam, lParam);
        centreContent();
        return result;
    }
    default: break;
    }
    return ScrollBox::windowMessage(message, wParam, lParam);
}

} // namespace clipview
