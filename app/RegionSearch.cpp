// The region search: the test tool looks for a bitmap file within the
// current object; a hit is outlined in red on the frozen picture, with the
// six result values beside it.
#include "app/MainForm.h"

#include "automation/MemberAccess.h"
#include "automation/QuorvexClient.h"

#include <algorithm>
#include <cstdint>
#include <string>

using namespace toolkit;

namespace app {

namespace {

constexpr COLORREF markingColor = RGB(255, 0, 0);
constexpr int textGap = 5;
constexpr int lineSpacing = 12;

// The folder of a path: up to its last backslash or colon, without one
// trailing backslash unless a colon comes before it (C:\pics, but C:\).
std::string folderOf(const std::string& path)
{
    std::string folder = path.substr(0, path.find_last_of("\\:") + 1);
    if (folder.size() > 1 && folder.back() == '\\' && folder[folder.size() - 2] != ':') folder.pop_back();
    return folder;
}

std::int64_t regionsInteger(const char* member)
{
    return automation::readMember(automation::QuorvexRegions(), member).toInteger();
}

// Sums of the test tool's values may leave 32 bits; GDI takes coordinates
// within 27 bits. What lies beyond is clipped away in any case.
int gdiCoordinate(std::int64_t value)
{
    constexpr std::int64_t limit = (1 << 27) - 1;
    return static_cast<int>(std::clamp(value, -limit, limit));
}

} // namespace

void TForm1::RegionsSearchBtnClick(Component&)
{
    if (!SearchPictureDLG->execute()) return;
    searchForBitmap(SearchPictureDLG->fileName());
}

void TForm1::searchForBitmap(const std::string& fileName)
{
    using namespace automation;
    module_.searchFileName = fileName;
    SearchPictureDLG->setInitialDir(folderOf(module_.searchFileName));
    module_.searchStartX = UseStartCoodrCB->checked() ? module_.lastClickX : 0;
    module_.searchStartY = UseStartCoodrCB->checked() ? module_.lastClickY : 0;
    const bool transparent = UseTransporentCB->checked();
    const OleVariant found = callMember(QuorvexRegions(), "Find",
                                        {Argument::byReference(module_.currentObject),
                                         Argument::byReference(module_.searchFileName),
                                         Argument::byReference(module_.searchStartX),
                                         Argument::byReference(module_.searchStartY),
                                         Argument::byValue(OleVariant::boolean(transparent)),
                                         Argument::byValue(OleVariant::boolean(false))});
    if (!found.toBoolean()) {
        MessageBeep(0);
        return;
    }
    const char* const members[] = {"FoundX", "FoundY", "FoundWidth", "FoundHeight", "FoundLeft", "FoundTop"};
    std::string texts[6];
    for (int i = 0; i < 6; ++i) texts[i] = readMember(QuorvexRegions(), members[i]).toText();

    Canvas& canvas = Image1->canvas();
    canvas.setPenColor(markingColor);
    canvas.setFontColor(markingColor);
    canvas.setFontSize(4);
    // The result members are read again at every use, as the test tool
    // answers the same until the next search.
    const auto left = [] { return regionsInteger("FoundLeft"); };
    const auto top = [] { return regionsInteger("FoundTop"); };
    const auto width = [] { return regionsInteger("FoundWidth"); };
    const auto height = [] { return regionsInteger("FoundHeight"); };
    canvas.moveTo(gdiCoordinate(left()), gdiCoordinate(top()));
    canvas.lineTo(gdiCoordinate(left() + width()), gdiCoordinate(top()));
    canvas.lineTo(gdiCoordinate(left() + width()), gdiCoordinate(top() + height()));
    canvas.lineTo(gdiCoordinate(left()), gdiCoordinate(top() + height()));
    canvas.lineTo(gdiCoordinate(left()), gdiCoordinate(top()));
    for (int i = 0; i < 6; ++i)
        canvas.textOut(gdiCoordinate(left() + width() + textGap), gdiCoordinate(top() + lineSpacing * i),
                       std::string(members[i]) + "=" + texts[i]);
}

} // namespace app
