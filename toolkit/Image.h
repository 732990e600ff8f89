#pragma once
// Image: a graphic control that shows a picture. With AutoSize it takes
// the picture's size.
#include "toolkit/Control.h"

namespace toolkit {

class Image : public Control {
public:
    explicit Image(Component* owner);

    static const MetaClass classInfo;
    const MetaClass& metaClass() const override { return classInfo; }

    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool autoSize) { autoSize_ = autoSize; }

private:
    bool autoSize_ = false;
};

} // namespace toolkit
