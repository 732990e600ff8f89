#include "app/MainForm.h"

#include "automation/MemberAccess.h"
#include "automation/QuorvexClient.h"
#include "toolkit/core/ClassRegistry.h"
#include "toolkit/forms/FormReader.h"
#include "toolkit/forms/StandardClasses.h"

#include <string>

namespace app {

using namespace toolkit;

const MetaClass TForm1::classInfo("TForm1", Form::classInfo, sizeof(TForm1), nullptr, {});

namespace {

constexpr int defaultRefreshTime = 2000;
constexpr int minimumRefreshTime = 200;

} // namespace

const ClassRegistry& TForm1::classes()
{
    static const ClassRegistry registry = [] {
        ClassRegistry all;
        all.add(standardClasses());
        all.add(clipview::TClipboardViewer::classInfo);
        all.add(settings::TFormPlacement::classInfo);
        all.add(settings::TFormStorage::classInfo);
        return all;
    }();
    return registry;
}

TForm1::TForm1(Component* owner, MainModule& module) : Form(owner), module_(module)
{
    const auto notify = [this](void (TForm1::*handler)(Component&)) {
        return EventHandler{NotifyEvent{[this, handler](Component& sender) { (this->*handler)(sender); }}};
    };
    methods_.emplace("StartBtnClick", notify(&TForm1::StartBtnClick));
    methods_.emplace("Timer1Timer", notify(&TForm1::Timer1Timer));
    methods_.emplace("SpinEdit1Change", notify(&TForm1::SpinEdit1Change));
    methods_.emplace("CBShowObjectClick", notify(&TForm1::CBShowObjectClick));
    methods_.emplace("StopBtnClick", notify(&TForm1::StopBtnClick));
    methods_.emplace("SaveClick", notify(&TForm1::SaveClick));
    methods_.emplace("RegionsSearchBtnClick", notify(&TForm1::RegionsSearchBtnClick));
    methods_.emplace("Image1MouseDown", EventHandler{MouseEvent{[this](Component& sender, MouseButton button,
                                                                       ShiftState shift, int x, int y) {
                         Image1MouseDown(sender, button, shift, x, y);
                     }}});
    methods_.emplace("Image1MouseMove",
                     EventHandler{MouseMoveEvent{[this](Component& sender, ShiftState shift, int x, int y) {
                         Image1MouseMove(sender, shift, x, y);
                     }}});

    readForm(*this, resourceText("MAIN_FORM"), classes());

    Panel1 = &componentOf<Panel>(*this, "Panel1");
    Timer1 = &componentOf<Timer>(*this, "Timer1");
    Panel3 = &componentOf<Panel>(*this, "Panel3");
    Panel4 = &componentOf<Panel>(*this, "Panel4");
    Label1 = &componentOf<Label>(*this, "Label1");
    Edit1 = &componentOf<Edit>(*this, "Edit1");
    Label2 = &componentOf<Label>(*this, "Label2");
    Edit2 = &componentOf<Edit>(*this, "Edit2");
    CBShowObject = &componentOf<CheckBox>(*this, "CBShowObject");
    ClipboardViewer1 = &componentOf<clipview::TClipboardViewer>(*this, "ClipboardViewer1");
    Color16 = &componentOf<RadioButton>(*this, "Color16");
    Color256 = &componentOf<RadioButton>(*this, "Color256");
    Color64K = &componentOf<RadioButton>(*this, "Color64K");
    Color16M = &componentOf<RadioButton>(*this, "Color16M");
    Color32bit = &componentOf<RadioButton>(*this, "Color32bit");
    Edit3 = &componentOf<Edit>(*this, "Edit3");
    Label4 = &componentOf<Label>(*this, "Label4");
    Image1 = &componentOf<Image>(*this, "Image1");
    PicturePopupMenu = &componentOf<PopupMenu>(*this, "PicturePopupMenu");
    Save = &componentOf<MenuItem>(*this, "Save");
    SaveDialog1 = &componentOf<SaveDialog>(*this, "SaveDialog1");
    SearchPictureDLG = &componentOf<OpenPictureDialog>(*this, "SearchPictureDLG");
    Timer2 = &componentOf<Timer>(*this, "Timer2");
    FormStorage1 = &componentOf<settings::TFormStorage>(*this, "FormStorage1");
    FormPlacement1 = &componentOf<settings::TFormPlacement>(*this, "FormPlacement1");
    Label7 = &componentOf<Label>(*this, "Label7");
    Label3 = &componentOf<Label>(*this, "Label3");
    SpinEdit1 = &componentOf<SpinEdit>(*this, "SpinEdit1");
    StartBtn = &componentOf<SpeedButton>(*this, "StartBtn");
    StopBtn = &componentOf<SpeedButton>(*this, "StopBtn");
    Label5 = &componentOf<Label>(*this, "Label5");
    Label6 = &componentOf<Label>(*this, "Label6");
    RegionsSearchBtn = &componentOf<SpeedButton>(*this, "RegionsSearchBtn");
    UseStartCoodrCB = &componentOf<CheckBox>(*this, "UseStartCoodrCB");
    UseTransporentCB = &componentOf<CheckBox>(*this, "UseTransporentCB");
    holdPauseKey();
}

const EventHandler* TForm1::findMethod(std::string_view name) const
{
    const auto found = methods_.find(name);
    return found == methods_.end() ? nullptr : &found->second;
}

void TForm1::StartBtnClick(Component&)
{
    StartBtn->setGrayedInactive(false);
    StopBtn->setGrayedInactive(true);
    // A value still being typed is brought into range as the field itself
    // would on leaving it; text that is not a number gives the minimum.
    Timer1->setInterval(SpinEdit1->checkedValue());
    Timer1->setEnabled(true);
    ClipboardViewer1->show();
    Image1->hide();
}

void TForm1::Timer1Timer(Component&)
{
    using namespace automation;
    module_.currentObject = OleVariant::integer(0);
    const OleVariant y = readMember(QuorvexSys(), "MouseY");
    const OleVariant x = readMember(QuorvexSys(), "MouseX");
    OleVariant found = callMember(QuorvexSys(), "ObjectFromPoint", {Argument::byValue(x), Argument::byValue(y)});
    module_.currentObject = std::move(found);
    Edit1->setText(readMember(module_.currentObject, "Name").toText());
    Edit2->setText(readMember(module_.currentObject, "FullName").toText());
    Edit3->setText(std::to_string(readMember(module_.currentObject, "ChildCount").toInteger()));
    if (!CBShowObject->checked()) return;
    std::int32_t depth = colorDepth();
    writeMember(QuorvexManager(), "State", OleVariant::integer(4));
    callMemberWithoutResult(QuorvexRegions(), "SaveToClipboard",
                            {Argument::byReference(module_.currentObject), Argument::byReference(depth)});
    writeMember(QuorvexManager(), "State", OleVariant::integer(0));
}

int TForm1::colorDepth() const
{
    const std::pair<const RadioButton*, int> depths[] = {
        {Color16, 4}, {Color256, 8}, {Color64K, 16}, {Color16M, 24}, {Color32bit, 32}};
    int depth = 0;
    for (const auto& [button, value] : depths)
        if (button->checked()) depth = value;
    return depth;
}

void TForm1::SpinEdit1Change(Component&)
{
    Timer1->setEnabled(false);
}

void TForm1::CBShowObjectClick(Component&)
{
    SpinEdit1->setValue(CBShowObject->checked() ? defaultRefreshTime : minimumRefreshTime);
}

} // namespace app
