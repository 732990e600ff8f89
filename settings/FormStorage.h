#pragma once
// The two settings components as the form description configures them.
// TFormPlacement keeps its form's placement in one section of a settings
// file; TFormStorage also keeps chosen component properties there.
//
// Once its form is loaded, a component puts its own handlers in place of
// the form's show, close-query and destroy handlers and calls those it
// replaced: showing restores the section, a close that is allowed saves
// it, and destruction saves what a close did not. Errors of a pass are
// reported by the standard error box and do not stop the form.
#include "settings/IniFile.h"
#include "settings/WindowPlacement.h"
#include "toolkit/core/Component.h"
#include "toolkit/core/Events.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace toolkit {
class Form;
}

namespace settings {

// Members of Options.
enum PlacementOption : unsigned { fpState = 1u << 0, fpPosition = 1u << 1, fpActiveControl = 1u << 2 };
enum class RegistryRoot { prCurrentUser, prLocalMachine, prClassesRoot, prCurrentConfig, prUsers, prDynData };

class TFormPlacement : public toolkit::Component, public PlacementSection {
public:
    explicit TFormPlacement(toolkit::Component* owner);
    ~TFormPlacement() override;

    static const toolkit::MetaClass classInfo;
    const toolkit::MetaClass& metaClass() const override { return classInfo; }

    bool active() const { return active_; }
    void setActive(bool active) { active_ = active; }
    const std::string& iniFileName() const { return iniFileName_; }
    void setIniFileName(const std::string& name) { iniFileName_ = name; }
    const std::string& iniSection() const { return iniSection_; }
    void setIniSection(const std::string& section) { iniSection_ = section; }
    unsigned options() const { return options_; }
    void setOptions(unsigned options) { options_ = options; }
    int version() const { return version_; }
    void setVersion(int version) { version_ = version; }
    bool useRegistry() const { return useRegistry_; }
    void setUseRegistry(bool use) { useRegistry_ = use; }
    RegistryRoot registryRoot() const { return registryRoot_; }
    void setRegistryRoot(RegistryRoot root) { registryRoot_ = root; }
    bool preventResize() const { return preventResize_; }
    void setPreventResize(bool prevent) { preventResize_ = prevent; }
    // Limits on the form's size and maximized place; all 0: none.
    const std::array<int, 8>& minMaxInfo() const { return minMaxInfo_; }

    toolkit::NotifyEvent onSavePlacement;
    toolkit::NotifyEvent onRestorePlacement;

    bool saved() const { return saved_; }
    bool restored() const { return restored_; }

    void loaded() override;

    // The restore and save passes; both throw what goes wrong.
    void restoreFormPlacement();
    void saveFormPlacement();

    // Access to the component's section, through the pass's file or, out
    // of a pass, a file made for the one access. A value enclosed in a
    // pair of like quotation marks is written with one more pair of double
    // ones, so that it reads back as it was.
    std::string readString(const std::string& key, const std::string& fallback) override;
    void writeString(const std::string& key, const std::string& value) override;
    std::int32_t readInteger(const std::string& key, std::int32_t fallback) override;
    void writeInteger(const std::string& key, std::int32_t value) override;

protected:
    toolkit::Form* form() const;
    virtual void restorePlacement();
    virtual void savePlacement();
    TIniFile& iniFile();
    void markRestored() { restored_ = true; }

private:
    void attach(toolkit::Form& form);
    void formShow(toolkit::Component& sender);
    void formCloseQuery(toolkit::Component& sender, bool& canClose);
    void formDestroy(toolkit::Component& sender);
    void reportErrors(void (TFormPlacement::*pass)());

    bool active_ = true;
    std::string iniFileName_;
    std::string iniSection_;
    unsigned options_;
    int version_ = 0;
    bool useRegistry_ = false;
    RegistryRoot registryRoot_ = RegistryRoot::prCurrentUser;
    bool preventResize_ = false;
    std::array<int, 8> minMaxInfo_{};

    bool saved_ = false;
    bool restored_ = false;
    bool destroying_ = false;
    bool attached_ = false;
    toolkit::NotifyEvent chainedShow_;
    toolkit::CloseQueryEvent chainedCloseQuery_;
    toolkit::NotifyEvent chainedDestroy_;
    std::unique_ptr<TIniFile> iniFile_;
};

class TFormStorage : public TFormPlacement {
public:
    explicit TFormStorage(toolkit::Component* owner);

    static const toolkit::MetaClass classInfo;
    const toolkit::MetaClass& metaClass() const override { return classInfo; }

    // Entries "Component.Property"; each refers to its component once the
    // form is loaded.
    const std::vector<std::string>& storedProps() const { return storedProps_; }
    void setStoredProps(const std::vector<std::string>& entries);

    void loaded() override;

protected:
    void restorePlacement() override;
    void savePlacement() override;

private:
    struct Entry {
        std::string component;
        std::string property;
    };
    // Drops every entry that cannot be split or whose component is gone.
    void resolveEntries();
    void refreshEntries();
    static bool split(const std::string& text, Entry& entry);
    void storeProperties();
    void loadProperties();

    std::vector<std::string> storedProps_;
    std::vector<toolkit::Component*> targets_;
};

} // namespace settings
