#pragma once
// Control: a component with a place on screen. A control without a window
// of its own (a graphic control) is painted by its parent and receives its
// mouse input from it.
#include "toolkit/core/Component.h"
#include "toolkit/core/Events.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace toolkit {

class WinControl;
class PopupMenu;

enum class Align { None, Top, Bottom, Left, Right, Client };

// Cursor identifiers in the order the form description names them.
enum class Cursor { Default, Arrow, Cross, IBeam, HandPoint };

// Colours: an RGB value, or a system colour as 0x80000000 + the
// COLOR_ index.
using Color = std::int32_t;
constexpr Color clBtnFace = static_cast<Color>(0x80000000u | COLOR_BTNFACE);
constexpr Color clWindow = static_cast<Color>(0x80000000u | COLOR_WINDOW);
COLORREF colorToRGB(Color color);
// The identifiers a colour property accepts besides numbers.
const std::vector<std::pair<std::string, std::int32_t>>& colorConstants();

class Control : public Component {
public:
    explicit Control(Component* owner);
    ~Control() override;

    static const MetaClass classInfo;
    const MetaClass& metaClass() const override { return classInfo; }

    WinControl* parent() const { return parent_; }
    void setParent(WinControl* parent);
    virtual bool windowed() const { return false; }

    int left() const { return left_; }
    int top() const { return top_; }
    int width() const { return width_; }
    int height() const { return height_; }
    void setLeft(int value) { setBounds(value, top_, width_, height_); }
    void setTop(int value) { setBounds(left_, value, width_, height_); }
    void setWidth(int value) { setBounds(left_, top_, value, height_); }
    void setHeight(int value) { setBounds(left_, top_, width_, value); }
    virtual void setBounds(int left, int top, int width, int height);
    RECT boundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
    // The client area in the control's own coordinates.
    virtual RECT clientRect() const { return {0, 0, width_, height_}; }
    // The screen position of the client area's origin.
    virtual POINT clientOrigin() const;

    bool visible() const { return visible_; }
    void setVisible(bool visible);
    void show() { setVisible(true); }
    void hide() { setVisible(false); }
    // Shown on screen: visible, and every parent showing.
    bool showing() const;
    virtual bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);

    Align align() const { return align_; }
    void setAlign(Align align);

    // The caption of buttons, labels and forms; the text of edits.
    virtual std::string text() const { return caption_; }
    virtual void setText(const std::string& text);

    Cursor cursor() const { return cursor_; }
    void setCursor(Cursor cursor) { cursor_ = cursor; }
    PopupMenu* popupMenu() const { return popupMenu_; }
    void setPopupMenu(PopupMenu* menu) { popupMenu_ = menu; }

    Color color() const { return color_; }
    void setColor(Color color);
    int colorValue() const { return color_; }
    void setColorValue(int value) { setColor(value); }

    // The font the control draws with: its parent's unless it has one.
    virtual HFONT font() const;

    // The hit-test query: may a point in the control's own coordinates hit it?
    virtual bool hitTest(int x, int y) const;
    virtual void paint(HDC dc);
    // Whether paint() covers every pixel of the control, so that its
    // parent need not fill the background behind it first.
    virtual bool opaque() const { return false; }
    void invalidate();

    // Mouse input, in the control's own coordinates.
    virtual void mouseDown(MouseButton button, ShiftState shift, int x, int y);
    virtual void mouseMove(ShiftState shift, int x, int y);
    virtual void mouseUp(MouseButton button, ShiftState shift, int x, int y);
    virtual void mouseEnter() {}
    virtual void mouseLeave() {}
    virtual void click();
    // A character typed with the control's accelerator; true when taken.
    virtual bool dialogChar(char) { return false; }

    NotifyEvent onClick;
    MouseEvent onMouseDown;
    MouseEvent onMouseUp;
    MouseMoveEvent onMouseMove;

protected:
    virtual void boundsChanged() {}
    virtual void visibleChanged() {}
    virtual void enabledChanged() {}
    virtual void textChanged() { invalidate(); }
    void requestRealign();
    // Records bounds the window already has (after the user or the system
    // moved it), without moving anything.
    void storeBounds(int left, int top, int width, int height);

    std::string caption_;

private:
    WinControl* parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    Align align_ = Align::None;
    Cursor cursor_ = Cursor::Default;
    Color color_ = clBtnFace;
    PopupMenu* popupMenu_ = nullptr;
};

// True when `caption` marks `key` as its accelerator with "&".
bool isAccelerator(char key, const std::string& caption);
// The system cursor of a cursor identifier; null for the default.
HCURSOR systemCursor(Cursor cursor);

} // namespace toolkit
