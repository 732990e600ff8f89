#include "toolkit/controls/Memo.h"

#include "toolkit/core/Error.h"

namespace toolkit {

namespace {

std::wstring widen(const std::string& text)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

} // namespace

const MetaClass Memo::classInfo(
    "TMemo", Edit::classInfo, sizeof(Memo), createInstance<Memo>,
    {enumProperty("ScrollBars", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"}, &Memo::scrollBars,
                  &Memo::setScrollBars),
     enumProperty("BorderStyle", {"bsNone", "bsSingle"}, &Memo::borderStyle, &Memo::setBorderStyle),
     stringsProperty("Lines", &Memo::lines, &Memo::setLines)});

Memo::Memo(Component* owner) : Edit(owner) {}

void Memo::setScrollBars(ScrollStyle bars)
{
    scrollBars_ = bars;
    applyStyles();
}

void Memo::setBorderStyle(BorderStyle style)
{
    borderStyle_ = style;
    applyStyles();
}

void Memo::createParams(CreateParams& params)
{
    Edit::createParams(params);
    params.unicode = true;
    params.style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
    if (scrollBars_ == ScrollStyle::ssHorizontal || scrollBars_ == ScrollStyle::ssBoth) params.style |= WS_HSCROLL;
    if (scrollBars_ == ScrollStyle::ssVertical || scrollBars_ == ScrollStyle::ssBoth) params.style |= WS_VSCROLL;
    // Without a horizontal bar the lines wrap.
    if (!(params.style & WS_HSCROLL)) params.style &= ~ES_AUTOHSCROLL;
    if (borderStyle_ == BorderStyle::None) params.exStyle &= ~WS_EX_CLIENTEDGE;
}

void Memo::applyStyles()
{
    HWND window = handleIfCreated();
    if (!window) return;
    CreateParams params;
    createParams(params);
    const LONG_PTR scrollBits = WS_HSCROLL | WS_VSCROLL;
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    SetWindowLongPtrW(window, GWL_STYLE, (style & ~scrollBits) | (params.style & scrollBits));
    const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    SetWindowLongPtrW(window, GWL_EXSTYLE, (exStyle & ~WS_EX_CLIENTEDGE) | (params.exStyle & WS_EX_CLIENTEDGE));
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

std::vector<std::string> Memo::lines() const
{
    std::vector<std::string> result;
    const std::string all = text();
    std::size_t start = 0;
    while (start < all.size()) {
        std::size_t end = all.find('\n', start);
        if (end == std::string::npos) end = all.size();
        std::string line = all.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        result.push_back(std::move(line));
        start = end + 1;
    }
    return result;
}

void Memo::setLines(const std::vector<std::string>& lines)
{
    std::string joined;
    for (const std::string& line : lines) joined += line + "\r\n";
    setText(joined);
}

void Memo::setWideText(const std::wstring& text)
{
    if (HWND window = handleIfCreated())
        SetWindowTextW(window, text.c_str());
    else
        throw Error("The memo has no window");
}

std::wstring Memo::wideText()
{
    HWND window = handle();
    std::wstring result(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    result.resize(static_cast<std::size_t>(GetWindowTextW(window, result.data(), static_cast<int>(result.size()))));
    return result;
}

void Memo::pasteFromClipboard()
{
    SendMessageW(handle(), WM_PASTE, 0, 0);
}

void Memo::setFontName(const std::string& name)
{
    LOGFONTW description{};
    GetObjectW(Edit::font(), sizeof description, &description);
    const std::wstring face = widen(name);
    lstrcpynW(description.lfFaceName, face.c_str(), LF_FACESIZE);
    description.lfCharSet = DEFAULT_CHARSET;
    Font font(CreateFontIndirectW(&description));
    if (!font) throw Error("Cannot create font " + name);
    ownFont_ = std::move(font);
    if (HWND window = handleIfCreated()) SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(ownFont_.get()), TRUE);
}

HFONT Memo::font() const
{
    return ownFont_ ? ownFont_.get() : Edit::font();
}

} // namespace toolkit
