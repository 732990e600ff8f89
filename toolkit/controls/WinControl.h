#pragma once
// WinControl: a control with a window of its own, which holds child
// controls. Its window is created when first needed, carries the
// "ControlOfs" property naming the control, and routes every message
// through the toolkit's one guarded dispatch.
//
// Windows of the toolkit's own classes use WinControl's window procedure;
// system controls (EDIT, BUTTON) are subclassed with SetWindowSubclass.
// The parent reflects WM_COMMAND, WM_NOTIFY and WM_CTLCOLOR* back to the
// child control, so each control handles its own notifications.
#include "toolkit/controls/Control.h"
#include "toolkit/system/Handles.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace toolkit {

class WinControl : public Control {
public:
    explicit WinControl(Component* owner);
    ~WinControl() override;

    static const MetaClass classInfo;
    const MetaClass& metaClass() const override { return classInfo; }
    bool windowed() const override { return true; }

    // The window, created (with its parents) when it does not exist yet.
    HWND handle();
    HWND handleIfCreated() const { return window_; }
    bool handleAllocated() const { return window_ != nullptr; }
    // The control whose window this is; null for windows not created by
    // this toolkit in this thread's application.
    static WinControl* fromHandle(HWND window);

    const std::vector<Control*>& controls() const { return controls_; }
    // A control nested in this one's description is placed in it.
    bool placeChild(Component& child) override;
    // The topmost child at a point of the client area: visible, answering
    // the hit test; disabled ones only when asked; windowed ones only when
    // asked.
    Control* controlAtPos(POINT point, bool allowDisabled, bool allowWindowed = false) const;

    int tabOrder() const { return tabOrder_; }
    void setTabOrder(int order);
    bool tabStop() const { return tabStop_; }
    void setTabStop(bool tabStop);
    void setFocus();

    RECT clientRect() const override;
    POINT clientOrigin() const override;
    void setText(const std::string& text) override;
    std::string text() const override;

    // Lays the aligned children out in the client area.
    void realign();
    // Suspends the layout of aligned children until as many enableAlign
    // calls have come; the last one lays them out.
    void disableAlign() { ++alignDisabled_; }
    void enableAlign();
    // The area that aligned children share (panels leave their bevels out).
    virtual RECT alignArea() const { return clientRect(); }

    // A brush of the control's colour, owned by the control.
    HBRUSH backgroundBrush();

protected:
    struct CreateParams {
        std::string className;  // the toolkit's own class when empty
        DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
        DWORD exStyle = 0;
        UINT classStyle = CS_DBLCLKS;
        bool unicode = false;   // a system control taking wide text
    };
    virtual void createParams(CreateParams& params);
    // The window exists: bring it to the control's state.
    virtual void handleCreated() {}
    // The toolkit is about to destroy the window (not called from
    // WinControl's own destructor: a subclass that needs it there calls
    // what it needs itself).
    virtual void handleDestroying() {}
    // The system is destroying the window (WM_NCDESTROY), whoever started it.
    virtual void nonClientDestroyed() {}
    // The owner window of a top-level window.
    virtual HWND ownerWindow() const { return nullptr; }

    virtual LRESULT windowMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT defaultMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Notifications reflected from the parent.
    virtual void command(WORD) {}
    virtual LRESULT notify(NMHDR&) { return 0; }
    virtual HBRUSH controlColor(HDC dc);

    // Painting of the toolkit's own windows: background, own content, then
    // the graphic children in their order.
    virtual void paintBackground(HDC dc);
    virtual void paintContent(HDC) {}
    // A child came, went, moved, resized, showed or hid.
    virtual void controlsChanged() {}

    void boundsChanged() override;
    void visibleChanged() override;
    void enabledChanged() override;
    void textChanged() override;

private:
    friend class Control;
    void insertControl(Control& control);
    void removeControl(Control& control);
    void createHandle();
    void destroyHandle();
    void attach(HWND window);
    void detach();
    void updateTabOrder();
    void applyFont();
    void paintWindow();
    Control* mouseTarget(POINT point) const;
    void routeMouse(UINT message, WPARAM wParam, LPARAM lParam);
    bool setCursorFromPoint();
    bool showContextMenu(LPARAM lParam);
    LRESULT route(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR data);

    HWND window_ = nullptr;
    bool subclassed_ = false;
    std::vector<Control*> controls_;
    int tabOrder_ = -1;
    bool tabStop_ = false;
    Control* hovered_ = nullptr;
    Control* captured_ = nullptr;
    bool trackingLeave_ = false;
    bool aligning_ = false;
    int alignDisabled_ = 0;
    Brush brush_;
    Color brushColor_ = 0;
};

} // namespace toolkit
