#include "toolkit/controls/SpinEdit.h"

#include "toolkit/core/Text.h"

#include <charconv>
#include <string>

namespace toolkit {

namespace {

constexpr int arrowsWidth = 15;

bool parseInteger(const std::string& text, int& result)
{
    const std::string trimmed = trimBlanks(text);
    const char* first = trimmed.data();
    const char* last = first + trimmed.size();
    if (first != last && *first == '+') ++first;
    if (first == last) return false;
    const auto [end, error] = std::from_chars(first, last, result);
    return error == std::errc{} && end == last;
}

} // namespace

const MetaClass SpinEdit::classInfo("TSpinEdit", Edit::classInfo, sizeof(SpinEdit), createInstance<SpinEdit>,
                                    {integerProperty("MinValue", &SpinEdit::minValue, &SpinEdit::setMinValue),
                                     integerProperty("MaxValue", &SpinEdit::maxValue, &SpinEdit::setMaxValue),
                                     integerProperty("Increment", &SpinEdit::increment, &SpinEdit::setIncrement),
                                     integerProperty("Value", &SpinEdit::value, &SpinEdit::setValue)});

SpinEdit::SpinEdit(Component* owner) : Edit(owner)
{
    caption_.assign(1, '0');
}

int SpinEdit::value() const
{
    int result = 0;
    return parseInteger(text(), result) ? result : minValue_;
}

void SpinEdit::setValue(int value)
{
    setText(std::to_string(checkValue(value)));
}

int SpinEdit::checkValue(int value) const
{
    if (maxValue_ == minValue_) return value;
    if (value < minValue_) return minValue_;
    if (value > maxValue_) return maxValue_;
    return value;
}

bool SpinEdit::validCharacter(char c)
{
    return (c >= '0' && c <= '9') || c == '+' || c == '-' || static_cast<unsigned char>(c) < 0x20;
}

void SpinEdit::handleCreated()
{
    Edit::handleCreated();
    HWND edit = handleIfCreated();
    RECT client;
    GetClientRect(edit, &client);
    arrows_ = CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE, client.right - arrowsWidth, 0, arrowsWidth,
                              client.bottom, edit, nullptr, GetModuleHandleA(nullptr), nullptr);
    // A plain range, so that the up arrow reports +1; the position itself
    // is never used.
    SendMessageA(arrows_, UDM_SETRANGE32, 0, 100);
    SendMessageA(arrows_, UDM_SETPOS32, 0, 50);
    UDACCEL step{0, 1};
    SendMessageA(arrows_, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&step));
    SendMessageA(edit, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, arrowsWidth + 1));
}

LRESULT SpinEdit::windowMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
        if (wParam == VK_UP) {
            upClick();
            return 0;
        }
        if (wParam == VK_DOWN) {
            downClick();
            return 0;
        }
        break;
    case WM_CHAR:
        if (!validCharacter(static_cast<char>(wParam))) {
            MessageBeep(0);
            return 0;
        }
        break;
    case WM_GETDLGCODE:
        return defaultMessage(message, wParam, lParam) | DLGC_WANTARROWS;
    case WM_KILLFOCUS: {
        const LRESULT result = defaultMessage(message, wParam, lParam);
        const int current = value();
        if (checkValue(current) != current) setValue(current);
        return result;
    }
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<NMHDR*>(lParam);
        if (header.hwndFrom == arrows_ && header.code == UDN_DELTAPOS) {
            if (reinterpret_cast<const NMUPDOWN&>(header).iDelta > 0)
                upClick();
            else
                downClick();
            return 1;  // keep the arrows' own position
        }
        break;
    }
    case WM_SIZE:
        if (arrows_) {
            RECT client;
            GetClientRect(handleIfCreated(), &client);
            MoveWindow(arrows_, client.right - arrowsWidth, 0, arrowsWidth, client.bottom, TRUE);
        }
        break;
    default: break;
    }
    return Edit::windowMessage(message, wParam, lParam);
}

} // namespace toolkit
