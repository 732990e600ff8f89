#pragma once
// A popup menu and its items. Items are components of the form, read as
// children of their menu.
#include "toolkit/core/Component.h"
#include "toolkit/core/Events.h"

#include <windows.h>

#include <vector>

namespace toolkit {

class PopupMenu;

class MenuItem : public Component {
public:
    explicit MenuItem(Component* owner);
    ~MenuItem() override;

    static const MetaClass classInfo;
    const MetaClass& metaClass() const override { return classInfo; }

    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption) { caption_ = caption; }
    PopupMenu* menu() const { return menu_; }
    void click();

    NotifyEvent onClick;

private:
    friend class PopupMenu;
    std::string caption_;
    PopupMenu* menu_ = nullptr;
};

class PopupMenu : public Component {
public:
    explicit PopupMenu(Component* owner);
    ~PopupMenu() override;

    static const MetaClass classInfo;
    const MetaClass& metaClass() const override { return classInfo; }

    const std::vector<MenuItem*>& items() const { return items_; }
    void add(MenuItem& item);
    void readChild(Component& child) override;

    // Shows the menu at a screen point for the owner window (the form of
    // the control clicked) and runs the chosen item.
    void popup(int x, int y, HWND owner);

private:
    friend class MenuItem;
    std::vector<MenuItem*> items_;
};

} // namespace toolkit
