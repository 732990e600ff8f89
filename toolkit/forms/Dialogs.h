#pragma once
// File dialogs as components: their configuration, set from the form
// description and kept between runs by the settings storage.
#include "toolkit/core/Component.h"

#include <windows.h>
#include <commdlg.h>

namespace toolkit {

class FileDialog : public Component {
public:
    explicit FileDialog(Component* owner);

    static const MetaClass classInfo;
    const MetaClass& metaClass() const override { return classInfo; }

    const std::string& defaultExt() const { return defaultExt_; }
    void setDefaultExt(const std::string& extension) { defaultExt_ = extension; }
    const std::string& fileName() const { return fileName_; }
    void setFileName(const std::string& name) { fileName_ = name; }
    const std::string& filter() const { return filter_; }
    void setFilter(const std::string& filter) { filter_ = filter; }
    const std::string& initialDir() const { return initialDir_; }
    void setInitialDir(const std::string& folder) { initialDir_ = folder; }
    const std::string& title() const { return title_; }
    void setTitle(const std::string& title) { title_ = title; }

    // Runs the dialog modally over the application's main form (messages,
    // timers among them, keep flowing meanwhile). True with the chosen
    // path in fileName; false when the user cancelled.
    bool execute();

protected:
    // Shows the system's dialog; false when cancelled.
    virtual bool run(OPENFILENAMEA& description);

private:
    std::string defaultExt_;
    std::string fileName_;
    std::string filter_;
    std::string initialDir_;
    std::string title_;
};

// Replaces an existing file without asking.
class SaveDialog : public FileDialog {
public:
    explicit SaveDialog(Component* owner);
    static const MetaClass classInfo;
    const MetaClass& metaClass() const override { return classInfo; }

protected:
    bool run(OPENFILENAMEA& description) override;
};

// Shows the selected bitmap file beside the file list.
class OpenPictureDialog : public FileDialog {
public:
    explicit OpenPictureDialog(Component* owner);
    static const MetaClass classInfo;
    const MetaClass& metaClass() const override { return classInfo; }

protected:
    bool run(OPENFILENAMEA& description) override;
};

} // namespace toolkit
