#include "toolkit/Dialogs.h"

namespace toolkit {

const MetaClass FileDialog::classInfo("TOpenDialog", Component::classInfo, sizeof(FileDialog), createInstance<FileDialog>,
                                      {textProperty("DefaultExt", &FileDialog::defaultExt, &FileDialog::setDefaultExt),
                                       textProperty("FileName", &FileDialog::fileName, &FileDialog::setFileName),
                                       textProperty("Filter", &FileDialog::filter, &FileDialog::setFilter),
                                       textProperty("InitialDir", &FileDialog::initialDir, &FileDialog::setInitialDir),
                                       textProperty("Title", &FileDialog::title, &FileDialog::setTitle)});

FileDialog::FileDialog(Component* owner) : Component(owner) {}

const MetaClass SaveDialog::classInfo("TSaveDialog", FileDialog::classInfo, sizeof(SaveDialog), createInstance<SaveDialog>,
                                      {});

SaveDialog::SaveDialog(Component* owner) : FileDialog(owner) {}

const MetaClass OpenPictureDialog::classInfo("TOpenPictureDialog", FileDialog::classInfo, sizeof(OpenPictureDialog),
                                             createInstance<OpenPictureDialog>, {});

OpenPictureDialog::OpenPictureDialog(Component* owner) : FileDialog(owner) {}

} // namespace toolkit
