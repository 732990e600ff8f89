#pragma once
// Label: a caption drawn by its parent. With AutoSize it takes the size of
// its caption; a right-aligned label keeps its right edge when it does.
#include "toolkit/controls/Control.h"

namespace toolkit {

enum class Alignment { LeftJustify, RightJustify, Center };

class Label : public Control {
public:
    explicit Label(Component* owner);

    static const MetaClass classInfo;
    const MetaClass& metaClass() const override { return classInfo; }

    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool autoSize);
    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment alignment);

    void paint(HDC dc) override;
    void loaded() override;

protected:
    void textChanged() override;

private:
    void adjustBounds();

    bool autoSize_ = true;
    Alignment alignment_ = Alignment::LeftJustify;
};

} // namespace toolkit
