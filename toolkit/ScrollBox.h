#pragma once
// ScrollBox: a container window with a border.
#include "toolkit/WinControl.h"

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
    void setAutoSize(bool autoSize) { autoSize_ = autoSize; }

protected:
    void createParams(CreateParams& params) override;

private:
    BorderStyle borderStyle_ = BorderStyle::Single;
    bool autoSize_ = false;
};

} // namespace toolkit
