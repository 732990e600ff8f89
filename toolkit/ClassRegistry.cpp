#include "toolkit/ClassRegistry.h"

#include "toolkit/Buttons.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Edit.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"
#include "toolkit/Memo.h"
#include "toolkit/Menus.h"
#include "toolkit/Panel.h"
#include "toolkit/ScrollBox.h"
#include "toolkit/SpeedButton.h"
#include "toolkit/SpinEdit.h"
#include "toolkit/Text.h"
#include "toolkit/Timer.h"

namespace toolkit {

const MetaClass* ClassRegistry::find(std::string_view name) const
{
    for (const MetaClass* c : classes_)
        if (sameTextAscii(c->name(), name)) return c;
    return nullptr;
}

const ClassRegistry& standardClasses()
{
    static const ClassRegistry classes{
        &Panel::classInfo,     &Label::classInfo,      &Edit::classInfo,       &Memo::classInfo,       &CheckBox::classInfo,
        &RadioButton::classInfo, &SpeedButton::classInfo, &SpinEdit::classInfo,  &Image::classInfo,
        &ScrollBox::classInfo, &Timer::classInfo,      &PopupMenu::classInfo,  &MenuItem::classInfo,
        &SaveDialog::classInfo, &OpenPictureDialog::classInfo, &FileDialog::classInfo,
    };
    return classes;
}

} // namespace toolkit
