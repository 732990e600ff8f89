#include "toolkit/controls/Edit.h"

namespace toolkit {

const MetaClass Edit::classInfo("TEdit", WinControl::classInfo, sizeof(Edit), createInstance<Edit>,
                                {textProperty("Text", &Control::text, &Control::setText),
                                 booleanProperty("ReadOnly", &Edit::readOnly, &Edit::setReadOnly),
                                 eventProperty("OnChange", &Edit::onChange)});

Edit::Edit(Component* owner) : WinControl(owner)
{
    setTabStop(true);
    setColor(clWindow);
}

void Edit::setReadOnly(bool readOnly)
{
    readOnly_ = readOnly;
    if (handleAllocated()) SendMessageA(handleIfCreated(), EM_SETREADONLY, readOnly, 0);
}

void Edit::createParams(CreateParams& params)
{
    params.className = "EDIT";
    params.style |= ES_AUTOHSCROLL | (readOnly_ ? ES_READONLY : 0);
    params.exStyle |= WS_EX_CLIENTEDGE;
}

void Edit::handleCreated()
{
    // No margins beyond the system's, as in a dialog's edit.
    SendMessageA(handleIfCreated(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(1, 1));
}

void Edit::command(WORD code)
{
    if (code == EN_CHANGE) change();
}

void Edit::change()
{
    if (onChange && !loading()) onChange(*this);
}

} // namespace toolkit
