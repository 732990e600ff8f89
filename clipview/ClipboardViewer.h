#pragma once
// The clipboard viewer pane: a member of the system's clipboard-viewer
// chain from the creation of its window to that window's end, which
// rebuilds its one content control at every clipboard change: a memo for
// text, an image for bitmaps, metafiles, pictures and icons, a palette
// grid, a component read from the clipboard (or its text form), or a
// memo with a message.
#include "toolkit/controls/Memo.h"
#include "toolkit/controls/ScrollBox.h"
#include "toolkit/system/Handles.h"

#include <cstdint>

namespace clipview {

enum TClipboardViewFormat : std::uint8_t {
    cvDefault,
    cvEmpty,
    cvUnknown,
    cvText,
    cvBitmap,
    cvMetafile,
    cvPalette,
    cvOemText,
    cvPicture,
    cvComponent,
    cvIcon,
};

class TCustomClipboardViewer : public toolkit::ScrollBox {
public:
    explicit TCustomClipboardViewer(toolkit::Component* owner);
    ~TCustomClipboardViewer() override;

    static const toolkit::MetaClass classInfo;
    const toolkit::MetaClass& metaClass() const override { return classInfo; }

    TClipboardViewFormat ViewFormat() const { return viewFormat_; }
    void setViewFormat(TClipboardViewFormat format);

    // The control showing the clipboard's content; null when none.
    toolkit::Control* contentControl() const { return contentControl_; }
    // The next window of the clipboard-viewer chain; null when none.
    HWND nextViewer() const { return nextViewer_; }
    bool joined() const { return joined_; }

    toolkit::NotifyEvent OnChange;

protected:
    void handleCreated() override;
    void handleDestroying() override;
    void nonClientDestroyed() override;

    // Replaces the content control by one for the clipboard's content.
    virtual void CreateContentControl();
    // The view format to build for.
    virtual TClipboardViewFormat ResolveDrawFormat();
    virtual void NotifyChange();
    virtual bool ValidViewFormat(TClipboardViewFormat format);

    LRESULT windowMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void leaveChain();
    void forwardToNextViewer(UINT message, WPARAM wParam, LPARAM lParam);
    void drawClipboard();
    void centreContent();
    // A borderless memo with both scroll bars filling the pane, as the
    // content control.
    toolkit::Memo& addContentMemo();
    void buildMemo(TClipboardViewFormat format);
    void buildImage(TClipboardViewFormat format, toolkit::BitmapHandle spare);
    // Frees the content control; returns the bitmap it showed, if the
    // pane's own copy, for the next one to reuse.
    toolkit::BitmapHandle freeContentControl();
    void buildPaletteGrid();
    void buildComponent();

    HWND nextViewer_ = nullptr;
    bool joined_ = false;
    toolkit::Control* contentControl_ = nullptr;
    TClipboardViewFormat viewFormat_ = cvDefault;
};

// The pane as forms name it.
class TClipboardViewer : public TCustomClipboardViewer {
public:
    using TCustomClipboardViewer::TCustomClipboardViewer;

    static const toolkit::MetaClass classInfo;
    const toolkit::MetaClass& metaClass() const override { return classInfo; }
};

// Whether the clipboard offers what a view format shows. Formats that
// stand for no clipboard format (default, empty, unknown) are never
// available. The picture format is available also when any format on the
// clipboard is one that pictures read (the clipboard is opened for this).
bool viewFormatAvailable(TClipboardViewFormat format, HWND owner);

} // namespace clipview
