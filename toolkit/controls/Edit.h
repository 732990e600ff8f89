#pragma once
// Edit: a single-line system edit control. OnChange runs on every change of
// its text, typed or set.
#include "toolkit/controls/WinControl.h"

namespace toolkit {

class Edit : public WinControl {
public:
    explicit Edit(Component* owner);

    static const MetaClass classInfo;
    const MetaClass& metaClass() const override { return classInfo; }

    bool readOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly);

    NotifyEvent onChange;

protected:
    void createParams(CreateParams& params) override;
    void handleCreated() override;
    void command(WORD code) override;
    virtual void change();

private:
    bool readOnly_ = false;
};

} // namespace toolkit
