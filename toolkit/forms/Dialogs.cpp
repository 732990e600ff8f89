#include "toolkit/forms/Dialogs.h"

#include "toolkit/core/Error.h"
#include "toolkit/forms/CommonDialogs.h"
#include "toolkit/forms/Application.h"
#include "toolkit/forms/Form.h"

#include <vector>

namespace toolkit {

const MetaClass FileDialog::classInfo("TOpenDialog", Component::classInfo, sizeof(FileDialog), createInstance<FileDialog>,
                                      {textProperty("DefaultExt", &FileDialog::defaultExt, &FileDialog::setDefaultExt),
                                       textProperty("FileName", &FileDialog::fileName, &FileDialog::setFileName),
                                       textProperty("Filter", &FileDialog::filter, &FileDialog::setFilter),
                                       textProperty("InitialDir", &FileDialog::initialDir, &FileDialog::setInitialDir),
                                       textProperty("Title", &FileDialog::title, &FileDialog::setTitle)});

FileDialog::FileDialog(Component* owner) : Component(owner) {}

bool FileDialog::execute()
{
    // "Text|*.txt|All|*.*" becomes the system's list of NUL-ended texts.
    std::string filter = filter_;
    for (char& c : filter)
        if (c == '|') c = '\0';
    filter.append(2, '\0');
    std::vector<char> path(4096, '\0');
    fileName_.copy(path.data(), path.size() - 1);
    OPENFILENAMEA description{};
    description.lStructSize = sizeof description;
    const Application* application = Application::instance();
    Form* mainForm = application ? application->mainForm() : nullptr;
    description.hwndOwner = mainForm ? mainForm->handleIfCreated() : nullptr;
    description.lpstrFilter = filter_.empty() ? nullptr : filter.c_str();
    description.lpstrFile = path.data();
    description.nMaxFile = static_cast<DWORD>(path.size());
    description.lpstrInitialDir = initialDir_.empty() ? nullptr : initialDir_.c_str();
    description.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
    description.lpstrDefExt = defaultExt_.empty() ? nullptr : defaultExt_.c_str();
    description.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
    if (!run(description)) {
        if (commonDialogError() != 0) throw Error("Cannot show the file dialog");
        return false;
    }
    fileName_ = path.data();
    return true;
}

bool FileDialog::run(OPENFILENAMEA& description)
{
    return getOpenFileName(description);
}

const MetaClass SaveDialog::classInfo("TSaveDialog", FileDialog::classInfo, sizeof(SaveDialog), createInstance<SaveDialog>,
                                      {});

SaveDialog::SaveDialog(Component* owner) : FileDialog(owner) {}

bool SaveDialog::run(OPENFILENAMEA& description)
{
    return getSaveFileName(description);
}

const MetaClass OpenPictureDialog::classInfo("TOpenPictureDialog", FileDialog::classInfo, sizeof(OpenPictureDialog),
                                             createInstance<OpenPictureDialog>, {});

OpenPictureDialog::OpenPictureDialog(Component* owner) : FileDialog(owner) {}

} // namespace toolkit
