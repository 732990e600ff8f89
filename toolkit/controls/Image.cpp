#include "toolkit/controls/Image.h"

namespace toolkit {

const MetaClass Image::classInfo("TImage", Control::classInfo, sizeof(Image), createInstance<Image>,
                                 {booleanProperty("AutoSize", &Image::autoSize, &Image::setAutoSize),
                                  eventProperty("OnMouseDown", &Control::onMouseDown),
                                  eventProperty("OnMouseMove", &Control::onMouseMove),
                                  eventProperty("OnMouseUp", &Control::onMouseUp)});

Image::Image(Component* owner) : Control(owner) {}

void Image::setAutoSize(bool autoSize)
{
    autoSize_ = autoSize;
    if (autoSize_ && !picture_.empty()) setBounds(left(), top(), picture_.width(), picture_.height());
}

void Image::pictureChanged()
{
    if (autoSize_ && !picture_.empty() && (picture_.width() != width() || picture_.height() != height())) {
        // New bounds repaint the old area and the new.
        setBounds(left(), top(), picture_.width(), picture_.height());
        return;
    }
    invalidate();
}

Canvas& Image::canvas()
{
    if (picture_.empty()) changePicture([this](Picture& picture) { picture.makeBlankBitmap(width(), height()); });
    if (picture_.kind() != Picture::Kind::Bitmap) throw Error("Can only modify an image if it contains a bitmap");
    return canvas_;
}

void Image::paint(HDC dc)
{
    picture_.draw(dc, {0, 0, picture_.width(), picture_.height()});
}

bool Image::opaque() const
{
    return picture_.kind() == Picture::Kind::Bitmap && picture_.width() >= width() && picture_.height() >= height();
}

} // namespace toolkit
