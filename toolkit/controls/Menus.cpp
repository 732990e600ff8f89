#include "toolkit/controls/Menus.h"

#include "toolkit/core/Error.h"
#include "toolkit/system/Handles.h"

#include <algorithm>

namespace toolkit {

const MetaClass MenuItem::classInfo("TMenuItem", Component::classInfo, sizeof(MenuItem), createInstance<MenuItem>,
                                    {textProperty("Caption", &MenuItem::caption, &MenuItem::setCaption),
                                     eventProperty("OnClick", &MenuItem::onClick)});

MenuItem::MenuItem(Component* owner) : Component(owner) {}

MenuItem::~MenuItem()
{
    if (menu_) menu_->items_.erase(std::remove(menu_->items_.begin(), menu_->items_.end(), this), menu_->items_.end());
}

void MenuItem::click()
{
    if (onClick) onClick(*this);
}

const MetaClass PopupMenu::classInfo("TPopupMenu", Component::classInfo, sizeof(PopupMenu), createInstance<PopupMenu>,
                                     {});

PopupMenu::PopupMenu(Component* owner) : Component(owner) {}

PopupMenu::~PopupMenu()
{
    for (MenuItem* item : items_) item->menu_ = nullptr;
}

void PopupMenu::add(MenuItem& item)
{
    if (item.menu_) throw Error(format("Menu item %s is already in a menu", item.name().c_str()));
    item.menu_ = this;
    items_.push_back(&item);
}

void PopupMenu::readChild(Component& child)
{
    auto* item = dynamic_cast<MenuItem*>(&child);
    if (!item) throw Error(format("%s cannot hold %s", name().c_str(), child.name().c_str()));
    add(*item);
}

void PopupMenu::popup(int x, int y, HWND owner)
{
    MenuHandle menu(CreatePopupMenu());
    if (!menu.get()) throw Error("Cannot create a menu");
    for (std::size_t i = 0; i < items_.size(); ++i)
        AppendMenuA(menu.get(), MF_STRING, i + 1, items_[i]->caption().c_str());
    const UINT chosen = TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, x, y, 0, owner, nullptr);
    if (owner) PostMessageA(owner, WM_NULL, 0, 0);
    // The items may have changed while the menu was open.
    if (chosen >= 1 && chosen <= items_.size()) items_[chosen - 1]->click();
}

} // namespace toolkit
