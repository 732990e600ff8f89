#include "toolkit/Image.h"

namespace toolkit {

const MetaClass Image::classInfo("TImage", Control::classInfo, sizeof(Image), createInstance<Image>,
                                 {booleanProperty("AutoSize", &Image::autoSize, &Image::setAutoSize),
                                  eventProperty("OnMouseDown", &Control::onMouseDown),
                                  eventProperty("OnMouseMove", &Control::onMouseMove),
                                  eventProperty("OnMouseUp", &Control::onMouseUp)});

Image::Image(Component* owner) : Control(owner) {}

} // namespace toolkit
