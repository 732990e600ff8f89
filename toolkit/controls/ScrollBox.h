#pragma once
// ScrollBox: a container window with a border whose content scrolls when
// it is larger than the box. With AutoSize the box takes the size of its
// content instead, whenever it has any.
#include "toolkit/controls/WinControl.h"

namespace toolkit {

enum class BorderStyle { None, Single };

class ScrollBox : public WinControl {
public:
    explicit ScrollBox(Component* owner);

    static const MetaClass classInfo;
    const MetaClass& metaClass() const override { return classInfo; }

    BorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(BorderStyle style) { borderStyle_ = style; }
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool autoSize);

    // How far the content is scrolled, in pixels.
    POINT scrollPosition() const { return scroll_; }
    void scrollTo(int x, int y);

protected:
    void createParams(CreateParams& params) override;
    void handleCreated() override;
    void controlsChanged() override;
    LRESULT windowMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    SIZE contentSize() const;
    void updateScrollBars();
    void scrollBar(int bar, WORD request);

    BorderStyle borderStyle_ = BorderStyle::Single;
    bool autoSize_ = false;
    bool adjusting_ = false;
    POINT scroll_{0, 0};
};

} // namespace toolkit
