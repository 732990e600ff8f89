#pragma once
// Image: a graphic control that shows a picture. With AutoSize it takes
// the picture's size whenever the picture changes.
#include "toolkit/controls/Control.h"
#include "toolkit/graphics/Canvas.h"
#include "toolkit/graphics/Picture.h"

namespace toolkit {

class Image : public Control {
public:
    explicit Image(Component* owner);

    static const MetaClass classInfo;
    const MetaClass& metaClass() const override { return classInfo; }

    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool autoSize);

    const Picture& picture() const { return picture_; }
    // Changes the picture through `change`, then resizes and repaints.
    template <typename Change>
    void changePicture(Change&& change)
    {
        change(picture_);
        pictureChanged();
    }

    // Draws into the picture's bitmap; an empty picture first becomes a
    // white bitmap of the control's size. Raises "Can only modify an image
    // if it contains a bitmap" for a metafile or an icon.
    Canvas& canvas();

    void paint(HDC dc) override;
    // A bitmap covers the control when it is at least the control's size;
    // metafiles and icons may leave pixels untouched.
    bool opaque() const override;

private:
    void pictureChanged();

    bool autoSize_ = false;
    Picture picture_;
    Canvas canvas_{picture_, [this] { invalidate(); }};
};

} // namespace toolkit
