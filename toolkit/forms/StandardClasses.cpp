#include "toolkit/forms/StandardClasses.h"

#include "toolkit/controls/Buttons.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/Image.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Memo.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/controls/ScrollBox.h"
#include "toolkit/controls/SpeedButton.h"
#include "toolkit/controls/SpinEdit.h"
#include "toolkit/forms/Dialogs.h"
#include "toolkit/system/Timer.h"

namespace toolkit {

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
