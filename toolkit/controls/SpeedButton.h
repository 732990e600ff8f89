#pragma once
// SpeedButton: a graphic button that takes no focus, with a glyph and a
// caption. A glyph bitmap holds NumGlyphs images side by side: the normal
// one, then the one shown while disabled; its bottom-left pixel gives the
// transparent colour. A flat button shows its edge only under the pointer.
// With GrayedInactive the glyph is drawn in grey while the pointer is not
// over the button.
#include "toolkit/controls/Control.h"
#include "toolkit/system/Handles.h"

namespace toolkit {

class SpeedButton : public Control {
public:
    explicit SpeedButton(Component* owner);

    static const MetaClass classInfo;
    const MetaClass& metaClass() const override { return classInfo; }

    // The glyph: the name of a bitmap resource of the program.
    const std::string& glyph() const { return glyph_; }
    void setGlyph(const std::string& resourceName);
    int numGlyphs() const { return numGlyphs_; }
    void setNumGlyphs(int count);
    bool flat() const { return flat_; }
    void setFlat(bool flat);
    bool grayedInactive() const { return grayedInactive_; }
    void setGrayedInactive(bool grayed);

    bool mouseInControl() const { return mouseInControl_; }
    // What the glyph shows now.
    enum class GlyphLook { Normal, Grayed, Disabled };
    GlyphLook glyphLook() const;

    void paint(HDC dc) override;
    void mouseDown(MouseButton button, ShiftState shift, int x, int y) override;
    void mouseMove(ShiftState shift, int x, int y) override;
    void mouseUp(MouseButton button, ShiftState shift, int x, int y) override;
    void mouseEnter() override;
    void mouseLeave() override;
    bool dialogChar(char key) override;

private:
    void drawGlyph(HDC dc, int x, int y) const;

    std::string glyph_;
    BitmapHandle image_;
    BitmapHandle grayImage_;
    SIZE imageSize_{0, 0};
    COLORREF transparent_ = 0;
    int numGlyphs_ = 1;
    bool flat_ = false;
    bool grayedInactive_ = false;
    bool mouseInControl_ = false;
    bool pressed_ = false;
    bool pressedInside_ = false;
};

} // namespace toolkit
