#pragma once
// The two settings components as the form description configures them.
// TFormPlacement keeps a form's placement in one section of a settings
// file; TFormStorage also keeps chosen component properties.
#include "toolkit/Component.h"

#include <string>
#include <vector>

namespace settings {

// Members of Options.
enum PlacementOption : unsigned { fpState = 1u << 0, fpPosition = 1u << 1, fpActiveControl = 1u << 2 };

class FormPlacement : public toolkit::Component {
public:
    explicit FormPlacement(toolkit::Component* owner);

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
    bool preventResize() const { return preventResize_; }
    void setPreventResize(bool prevent) { preventResize_ = prevent; }

private:
    bool active_ = true;
    std::string iniFileName_;
    std::string iniSection_;
    unsigned options_;
    int version_ = 0;
    bool useRegistry_ = false;
    bool preventResize_ = false;
};

class FormStorage : public FormPlacement {
public:
    explicit FormStorage(toolkit::Component* owner);

    static const toolkit::MetaClass classInfo;
    const toolkit::MetaClass& metaClass() const override { return classInfo; }

    const std::vector<std::string>& storedProps() const { return storedProps_; }
    void setStoredProps(const std::vector<std::string>& entries) { storedProps_ = entries; }

private:
    std::vector<std::string> storedProps_;
};

} // namespace settings
