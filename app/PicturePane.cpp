// The picture pane: freezing the clipboard's picture, the pointer and
// press readouts, and saving the picture.
#include "app/MainForm.h"

#include <string>

using namespace toolkit;

namespace app {

namespace {

std::string pointText(int x, int y)
{
    return std::to_string(x) + ", " + std::to_string(y);
}

} // namespace

void TForm1::StopBtnClick(Component&)
{
    StopBtn->setGrayedInactive(false);
    StartBtn->setGrayedInactive(true);
    if (CBShowObject->checked())
        Image1->changePicture([this](Picture& picture) { picture.pasteBitmapOrMetafile(handle()); });
    ClipboardViewer1->hide();
    Image1->show();
    Timer1->setEnabled(false);
}

void TForm1::Image1MouseDown(Component&, MouseButton, ShiftState, int x, int y)
{
    module_.lastClickX = x;
    module_.lastClickY = y;
    Label6->setText(pointText(x, y));
}

void TForm1::Image1MouseMove(Component&, ShiftState, int x, int y)
{
    Label5->setText(pointText(x, y));
}

void TForm1::SaveClick(Component&)
{
    if (!SaveDialog1->execute()) return;
    Image1->picture().saveToFile(SaveDialog1->fileName());
}

} // namespace app
