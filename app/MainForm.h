#pragma once
// TForm1, the main window: its components, built from app/main.form, and
// the handlers that arm and disarm polling.
#include "app/MainModule.h"
#include "clipview/ClipboardViewer.h"
#include "settings/FormStorage.h"
#include "toolkit/controls/Buttons.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/Image.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/controls/SpeedButton.h"
#include "toolkit/controls/SpinEdit.h"
#include "toolkit/core/ClassRegistry.h"
#include "toolkit/forms/Dialogs.h"
#include "toolkit/forms/Form.h"
#include "toolkit/system/HotKey.h"
#include "toolkit/system/Timer.h"

#include <map>
#include <string>

namespace app {

class TForm1 : public toolkit::Form {
public:
    // Builds the window from its form description.
    TForm1(toolkit::Component* owner, MainModule& module);

    static const toolkit::MetaClass classInfo;
    const toolkit::MetaClass& metaClass() const override { return classInfo; }
    const toolkit::EventHandler* findMethod(std::string_view name) const override;

    // Every class the form description may name.
    static const toolkit::ClassRegistry& classes();

    void StartBtnClick(toolkit::Component& sender);
    void Timer1Timer(toolkit::Component& sender);
    void SpinEdit1Change(toolkit::Component& sender);
    void CBShowObjectClick(toolkit::Component& sender);
    void StopBtnClick(toolkit::Component& sender);
    void Image1MouseDown(toolkit::Component& sender, toolkit::MouseButton button, toolkit::ShiftState shift, int x,
                         int y);
    void Image1MouseMove(toolkit::Component& sender, toolkit::ShiftState shift, int x, int y);
    void SaveClick(toolkit::Component& sender);
    void RegionsSearchBtnClick(toolkit::Component& sender);
    // The search once a file is chosen: Find with it, and a hit marked on
    // the frozen picture.
    void searchForBitmap(const std::string& fileName);

    toolkit::Panel* Panel1;
    toolkit::Timer* Timer1;
    toolkit::Panel* Panel3;
    toolkit::Panel* Panel4;
    toolkit::Label* Label1;
    toolkit::Edit* Edit1;
    toolkit::Label* Label2;
    toolkit::Edit* Edit2;
    toolkit::CheckBox* CBShowObject;
    clipview::TClipboardViewer* ClipboardViewer1;
    toolkit::RadioButton* Color16;
    toolkit::RadioButton* Color256;
    toolkit::RadioButton* Color64K;
    toolkit::RadioButton* Color16M;
    toolkit::RadioButton* Color32bit;
    toolkit::Edit* Edit3;
    toolkit::Label* Label4;
    toolkit::Image* Image1;
    toolkit::PopupMenu* PicturePopupMenu;
    toolkit::MenuItem* Save;
    toolkit::SaveDialog* SaveDialog1;
    toolkit::OpenPictureDialog* SearchPictureDLG;
    toolkit::Timer* Timer2;
    settings::TFormStorage* FormStorage1;
    settings::TFormPlacement* FormPlacement1;
    toolkit::Label* Label7;
    toolkit::Label* Label3;
    toolkit::SpinEdit* SpinEdit1;
    toolkit::SpeedButton* StartBtn;
    toolkit::SpeedButton* StopBtn;
    toolkit::Label* Label5;
    toolkit::Label* Label6;
    toolkit::SpeedButton* RegionsSearchBtn;
    toolkit::CheckBox* UseStartCoodrCB;
    toolkit::CheckBox* UseTransporentCB;

    // The Pause key, held by this window while it exists (unless another
    // program holds it): it does what Stop does while polling runs, and
    // what Start does otherwise, whichever window has the keyboard focus.
    const toolkit::HotKey& pauseKey() const { return pauseKey_; }

protected:
    LRESULT windowMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The colour depth that the checked radio button stands for; 0 for none.
    int colorDepth() const;
    // Registers the key for the window, which the form description's
    // reading has made.
    void holdPauseKey();
    void pauseKeyPressed();

    MainModule& module_;
    toolkit::HotKey pauseKey_{1, 0, VK_PAUSE};
    std::map<std::string, toolkit::EventHandler, std::less<>> methods_;
};

} // namespace app
