#include "settings/FormStorage.h"

#include "settings/PropsStorage.h"
#include "toolkit/core/Text.h"
#include "toolkit/forms/Form.h"
#include "toolkit/system/EntryGuard.h"

#include <algorithm>
#include <map>

namespace settings {

using namespace toolkit;

const MetaClass TFormPlacement::classInfo(
    "TFormPlacement", Component::classInfo, sizeof(TFormPlacement), createInstance<TFormPlacement>,
    {booleanProperty("Active", &TFormPlacement::active, &TFormPlacement::setActive),
     textProperty("IniFileName", &TFormPlacement::iniFileName, &TFormPlacement::setIniFileName),
     textProperty("IniSection", &TFormPlacement::iniSection, &TFormPlacement::setIniSection),
     setProperty("Options", {"fpState", "fpPosition", "fpActiveControl"}, &TFormPlacement::options,
                 &TFormPlacement::setOptions),
     integerProperty("Version", &TFormPlacement::version, &TFormPlacement::setVersion),
     booleanProperty("UseRegistry", &TFormPlacement::useRegistry, &TFormPlacement::setUseRegistry),
     enumProperty("RegistryRoot",
                  {"prCurrentUser", "prLocalMachine", "prClassesRoot", "prCurrentConfig", "prUsers", "prDynData"},
                  &TFormPlacement::registryRoot, &TFormPlacement::setRegistryRoot),
     booleanProperty("PreventResize", &TFormPlacement::preventResize, &TFormPlacement::setPreventResize),
     eventProperty("OnSavePlacement", &TFormPlacement::onSavePlacement),
     eventProperty("OnRestorePlacement", &TFormPlacement::onRestorePlacement)});

namespace {

// One file object for the length of a pass, released on every path.
class PassFile {
public:
    PassFile(std::unique_ptr<TIniFile>& slot, const std::string& name) : slot_(slot)
    {
        slot_ = std::make_unique<TIniFile>(name);
    }
    ~PassFile() { slot_.reset(); }
    PassFile(const PassFile&) = delete;
    PassFile& operator=(const PassFile&) = delete;

private:
    std::unique_ptr<TIniFile>& slot_;
};

bool enclosedInLikeQuotes(const std::string& value)
{
    return value.size() >= 2 && value.front() == value.back() && (value.front() == '"' || value.front() == '\'');
}

} // namespace

TFormPlacement::TFormPlacement(Component* owner)
    : Component(owner), options_(dynamic_cast<Form*>(owner) ? (fpState | fpPosition) : 0u)
{
}

TFormPlacement::~TFormPlacement()
{
    if (!attached_) return;
    if (Form* owner = form()) {
        owner->onShow = std::move(chainedShow_);
        owner->onCloseQuery = std::move(chainedCloseQuery_);
        owner->onDestroy = std::move(chainedDestroy_);
    }
}

Form* TFormPlacement::form() const
{
    return dynamic_cast<Form*>(owner());
}

void TFormPlacement::loaded()
{
    Component::loaded();
    if (Form* owner = form()) attach(*owner);
}

void TFormPlacement::attach(Form& owner)
{
    chainedShow_ = std::move(owner.onShow);
    chainedCloseQuery_ = std::move(owner.onCloseQuery);
    chainedDestroy_ = std::move(owner.onDestroy);
    owner.onShow = [this](Component& sender) { formShow(sender); };
    owner.onCloseQuery = [this](Component& sender, bool& canClose) { formCloseQuery(sender, canClose); };
    owner.onDestroy = [this](Component& sender) { formDestroy(sender); };
    attached_ = true;
}

void TFormPlacement::reportErrors(void (TFormPlacement::*pass)())
{
    toolkit::guardedCall([&] { (this->*pass)(); });
}

void TFormPlacement::formShow(Component& sender)
{
    if (active_) reportErrors(&TFormPlacement::restoreFormPlacement);
    if (chainedShow_) chainedShow_(sender);
}

void TFormPlacement::formCloseQuery(Component& sender, bool& canClose)
{
    if (chainedCloseQuery_) chainedCloseQuery_(sender, canClose);
    if (canClose && active_) reportErrors(&TFormPlacement::saveFormPlacement);
}

void TFormPlacement::formDestroy(Component& sender)
{
    if (active_ && !saved_) {
        destroying_ = true;
        reportErrors(&TFormPlacement::saveFormPlacement);
        destroying_ = false;
    }
    if (chainedDestroy_) chainedDestroy_(sender);
}

void TFormPlacement::restoreFormPlacement()
{
    saved_ = false;
    {
        PassFile file(iniFile_, iniFileName_);
        if (readInteger("FormVersion", 0) >= version_) {
            restorePlacement();
            restored_ = true;
            if (onRestorePlacement) onRestorePlacement(*this);
            if (options_ & fpActiveControl) {
                Form* owner = form();
                auto* control = dynamic_cast<WinControl*>(owner ? owner->findComponent(readString("ActiveControl", ""))
                                                                : nullptr);
                if (control && control->visible() && control->enabled()) SetFocus(control->handle());
            }
        }
        restored_ = true;
    }
    Form* owner = form();
    if (owner && owner->handleAllocated() && !loading() && !preventResize_ &&
        std::all_of(minMaxInfo_.begin(), minMaxInfo_.end(), [](int value) { return value == 0; }))
        updateMaximizedPosition(*owner);
}

void TFormPlacement::saveFormPlacement()
{
    if (!restored_ && active_) return;
    PassFile file(iniFile_, iniFileName_);
    writeInteger("FormVersion", version_);
    savePlacement();
    if (onSavePlacement) onSavePlacement(*this);
    saved_ = true;
}

void TFormPlacement::restorePlacement()
{
    if (Form* owner = form()) readPlacement(*owner, *this, options_ & fpPosition, options_ & fpState);
}

void TFormPlacement::savePlacement()
{
    Form* owner = form();
    if (!owner) return;
    writePlacement(*owner, *this);
    if (options_ & fpActiveControl) {
        const HWND focused = GetFocus();
        if (focused && IsChild(owner->handle(), focused))
            if (Control* control = WinControl::fromHandle(focused)) writeString("ActiveControl", control->name());
    }
    iniFile().writeBool(iniSection_, "Visible", destroying_);
}

TIniFile& TFormPlacement::iniFile()
{
    return *iniFile_;
}

std::string TFormPlacement::readString(const std::string& key, const std::string& fallback)
{
    if (iniFile_) return iniFile_->readString(iniSection_, key, fallback);
    return TIniFile(iniFileName_).readString(iniSection_, key, fallback);
}

void TFormPlacement::writeString(const std::string& key, const std::string& value)
{
    const std::string stored = enclosedInLikeQuotes(value) ? '"' + value + '"' : value;
    if (iniFile_) iniFile_->writeString(iniSection_, key, stored);
    else TIniFile(iniFileName_).writeString(iniSection_, key, stored);
}

std::int32_t TFormPlacement::readInteger(const std::string& key, std::int32_t fallback)
{
    return textToInteger(readString(key, ""), fallback);
}

void TFormPlacement::writeInteger(const std::string& key, std::int32_t value)
{
    writeString(key, std::to_string(value));
}

const MetaClass TFormStorage::classInfo("TFormStorage", TFormPlacement::classInfo, sizeof(TFormStorage),
                                        createInstance<TFormStorage>,
                                        {stringsProperty("StoredProps", &TFormStorage::storedProps,
                                                         &TFormStorage::setStoredProps)});

TFormStorage::TFormStorage(Component* owner) : TFormPlacement(owner) {}

void TFormStorage::setStoredProps(const std::vector<std::string>& entries)
{
    storedProps_ = entries;
    targets_.assign(entries.size(), nullptr);
}

void TFormStorage::loaded()
{
    TFormPlacement::loaded();
    resolveEntries();
}

bool TFormStorage::split(const std::string& text, Entry& entry)
{
    const auto dot = text.find('.');
    if (dot == std::string::npos) return false;
    entry.component = trimBlanks(std::string_view(text).substr(0, dot));
    entry.property = trimBlanks(std::string_view(text).substr(dot + 1));
    return !entry.component.empty() && !entry.property.empty();
}

void TFormStorage::resolveEntries()
{
    Form* owner = form();
    for (std::size_t i = storedProps_.size(); i-- > 0;) {
        Entry entry;
        Component* target = split(storedProps_[i], entry) && owner ? owner->findComponent(entry.component) : nullptr;
        if (target) {
            targets_[i] = target;
        } else {
            storedProps_.erase(storedProps_.begin() + static_cast<std::ptrdiff_t>(i));
            targets_.erase(targets_.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
}

void TFormStorage::refreshEntries()
{
    for (std::size_t i = storedProps_.size(); i-- > 0;) {
        Entry entry;
        if (split(storedProps_[i], entry) && targets_[i]) {
            storedProps_[i] = targets_[i]->name() + "." + entry.property;
        } else {
            storedProps_.erase(storedProps_.begin() + static_cast<std::ptrdiff_t>(i));
            targets_.erase(targets_.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
}

void TFormStorage::restorePlacement()
{
    TFormPlacement::restorePlacement();
    markRestored();
    loadProperties();
}

void TFormStorage::savePlacement()
{
    TFormPlacement::savePlacement();
    storeProperties();
}

namespace {

// The stored properties' pass: for each entry in order, its component's
// property of that name, found ignoring case, with the key prefix set.
template <typename Action>
void forEachStoredProperty(TFormStorage& storage, const std::vector<std::string>& entries,
                           const std::vector<Component*>& targets, Action action)
{
    std::map<const Component*, TPropInfoList> lists;
    for (Component* target : targets) lists.try_emplace(target, *target);
    TPropsStorage props;
    props.section = storage.iniSection();
    props.onReadString = [&storage](const std::string&, const std::string& key, const std::string& fallback) {
        return storage.readString(key, fallback);
    };
    props.onWriteString = [&storage](const std::string&, const std::string& key, const std::string& value) {
        storage.writeString(key, value);
    };
    props.onEraseSection = [&storage](const std::string& section) { TIniFile(storage.iniFileName()).eraseSection(section); };
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string& entry = entries[i];
        const std::string property = trimBlanks(std::string_view(entry).substr(entry.find('.') + 1));
        props.component = targets[i];
        props.prefix = targets[i]->name() + "_";
        if (const PropInfo* info = lists.at(targets[i]).find(property)) action(props, *info);
    }
}

} // namespace

void TFormStorage::storeProperties()
{
    refreshEntries();
    forEachStoredProperty(*this, storedProps_, targets_,
                          [](const TPropsStorage& props, const PropInfo& info) { props.storeProperty(info); });
}

void TFormStorage::loadProperties()
{
    refreshEntries();
    forEachStoredProperty(*this, storedProps_, targets_,
                          [](const TPropsStorage& props, const PropInfo& info) { props.loadProperty(info); });
}

} // namespace settings
