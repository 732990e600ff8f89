#pragma once
// Memo: a multi-line system edit control. Its window takes wide text, so
// text in any script shows whatever the system's code page.
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/ScrollBox.h"

#include <string>
#include <vector>

namespace toolkit {

enum class ScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class Memo : public Edit {
public:
    explicit Memo(Component* owner);

    static const MetaClass classInfo;
    const MetaClass& metaClass() const override { return classInfo; }

    ScrollStyle scrollBars() const { return scrollBars_; }
    void setScrollBars(ScrollStyle bars);
    BorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(BorderStyle style);

    // The text split at line breaks, and set from lines joined by CR LF.
    std::vector<std::string> lines() const;
    void setLines(const std::vector<std::string>& lines);
    void setWideText(const std::wstring& text);
    std::wstring wideText();
    // Pastes the clipboard's text at the caret.
    void pasteFromClipboard();

    // A font of its own, of the parent's size, instead of the parent's.
    void setFontName(const std::string& name);
    HFONT font() const override;

protected:
    void createParams(CreateParams& params) override;

private:
    void applyStyles();

    ScrollStyle scrollBars_ = ScrollStyle::ssNone;
    BorderStyle borderStyle_ = BorderStyle::Single;
    Font ownFont_;
};

} // namespace toolkit
