#pragma once
// File dialogs as components: their configuration, set from the form
// description and kept between runs by the settings storage.
#include "toolkit/Component.h"

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

private:
    std::string defaultExt_;
    std::string fileName_;
    std::string filter_;
    std::string initialDir_;
    std::string title_;
};

class SaveDialog : public FileDialog {
public:
    explicit SaveDialog(Component* owner);
    static const MetaClass classInfo;
    const MetaClass& metaClass() const override { return classInfo; }
};

class OpenPictureDialog : public FileDialog {
public:
    explicit OpenPictureDialog(Component* owner);
    static const MetaClass classInfo;
    const MetaClass& metaClass() const override { return classInfo; }
};

} // namespace toolkit
