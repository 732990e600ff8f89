#pragma once
// Form: a top-level window built from a form description.
//
// Notifications: onShow (before the window first appears), onDestroy (while
// the form's controls still exist). Query: onCloseQuery, whose handler may
// clear the close-allowed flag. Each is one handler that other objects may
// read, replace and chain.
#include "toolkit/controls/WinControl.h"

#include <string_view>

namespace toolkit {

enum class WindowState { wsNormal, wsMinimized, wsMaximized };
enum class FormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
// Where the form first appears: where designed, or centred on the screen.
enum class FormPosition { poDesigned, poScreenCenter, poDesktopCenter };

class Form : public WinControl {
public:
    explicit Form(Component* owner);
    ~Form() override;

    static const MetaClass classInfo;
    const MetaClass& metaClass() const override { return classInfo; }

    // Shows the form (creating its window), raising onShow first when it
    // was hidden.
    void show();
    // Asks onCloseQuery; when allowed, the main form ends the application
    // and any other form hides.
    void close();
    bool closeQuery();

    // The form's event handlers by name, for the form-description reader;
    // null when the form has no method of that name.
    virtual const EventHandler* findMethod(std::string_view name) const;

    HFONT font() const override;
    const std::string& fontName() const { return fontName_; }
    void setFontName(const std::string& name);
    int fontHeight() const { return fontHeight_; }
    void setFontHeight(int height);
    int minWidth() const { return minWidth_; }
    void setMinWidth(int width) { minWidth_ = width; }
    int minHeight() const { return minHeight_; }
    void setMinHeight(int height) { minHeight_ = height; }

    // Maximizes, minimizes or restores a shown form; a hidden one takes
    // the state when it is shown.
    WindowState windowState() const { return windowState_; }
    void setWindowState(WindowState state);
    FormBorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(FormBorderStyle style) { borderStyle_ = style; }
    FormPosition position() const { return position_; }
    // Changing the mode never moves the form.
    void setPosition(FormPosition position) { position_ = position; }

    // Keyboard handling before dispatch: accelerators of graphic controls,
    // then the dialog manager's Tab, arrow and mnemonic keys.
    bool preTranslateMessage(MSG& message);

    NotifyEvent onShow;
    CloseQueryEvent onCloseQuery;
    NotifyEvent onDestroy;

protected:
    void createParams(CreateParams& params) override;
    void visibleChanged() override;
    LRESULT windowMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool dialogCharToGraphicControls(WinControl& container, char key);

    std::string fontName_ = "MS Sans Serif";
    int fontHeight_ = -11;
    mutable Font font_;
    int minWidth_ = 0;
    int minHeight_ = 0;
    WindowState windowState_ = WindowState::wsNormal;
    FormBorderStyle borderStyle_ = FormBorderStyle::bsSizeable;
    FormPosition position_ = FormPosition::poDesigned;
};

} // namespace toolkit
