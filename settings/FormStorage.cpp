#include "settings/FormStorage.h"

#include "toolkit/Form.h"

namespace settings {

using namespace toolkit;

const MetaClass FormPlacement::classInfo(
    "TFormPlacement", Component::classInfo, sizeof(FormPlacement), createInstance<FormPlacement>,
    {booleanProperty("Active", &FormPlacement::active, &FormPlacement::setActive),
     textProperty("IniFileName", &FormPlacement::iniFileName, &FormPlacement::setIniFileName),
     textProperty("IniSection", &FormPlacement::iniSection, &FormPlacement::setIniSection),
     setProperty("Options", {"fpState", "fpPosition", "fpActiveControl"}, &FormPlacement::options,
                 &FormPlacement::setOptions),
     integerProperty("Version", &FormPlacement::version, &FormPlacement::setVersion),
     booleanProperty("UseRegistry", &FormPlacement::useRegistry, &FormPlacement::setUseRegistry),
     booleanProperty("PreventResize", &FormPlacement::preventResize, &FormPlacement::setPreventResize)});

FormPlacement::FormPlacement(Component* owner)
    : Component(owner), options_(dynamic_cast<Form*>(owner) ? (fpState | fpPosition) : 0u)
{
}

const MetaClass FormStorage::classInfo("TFormStorage", FormPlacement::classInfo, sizeof(FormStorage),
                                       createInstance<FormStorage>,
                                       {stringsProperty("StoredProps", &FormStorage::storedProps, &FormStorage::setStoredProps)});

FormStorage::FormStorage(Component* owner) : FormPlacement(owner) {}

} // namespace settings
