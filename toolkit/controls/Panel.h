#pragma once
// Panel: a container window with optional bevels and a centred caption.
#include "toolkit/controls/WinControl.h"

namespace toolkit {

enum class Bevel { None, Lowered, Raised };

class Panel : public WinControl {
public:
    explicit Panel(Component* owner);

    static const MetaClass classInfo;
    const MetaClass& metaClass() const override { return classInfo; }

    Bevel bevelOuter() const { return bevelOuter_; }
    void setBevelOuter(Bevel bevel);
    Bevel bevelInner() const { return bevelInner_; }
    void setBevelInner(Bevel bevel);
    RECT alignArea() const override;

protected:
    void createParams(CreateParams& params) override;
    void paintContent(HDC dc) override;

private:
    Bevel bevelOuter_ = Bevel::Raised;
    Bevel bevelInner_ = Bevel::None;
};

} // namespace toolkit
