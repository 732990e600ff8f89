#pragma once
// The application object: the hidden application window, the main form,
// the message loop and the standard error box. One exists from toolkit
// start to toolkit finish. It is the root of the component tree: it has no
// owner and owns the forms made by createForm, which it destroys when it
// goes. Its hidden window is no control.
#include "toolkit/core/Component.h"
#include "toolkit/core/Error.h"
#include "toolkit/system/ControlAtom.h"

#include <windows.h>

#include <exception>
#include <string>
#include <utility>

namespace toolkit {

class Form;

class Application : public Component {
public:
    explicit Application(HINSTANCE instance);
    ~Application() override;

    static const MetaClass classInfo;
    const MetaClass& metaClass() const override { return classInfo; }

    // The running application; null outside its lifetime.
    static Application* instance();

    HINSTANCE moduleInstance() const { return instance_; }
    HWND handle() const { return window_; }
    // The program file's name without extension.
    const std::string& title() const { return title_; }
    // The atom naming the window property by which every toolkit window
    // names its control: "ControlOfs" + module instance + thread id.
    ATOM controlAtom() const { return controlAtom_.get(); }

    // Makes a form owned by the application (the form's constructor takes
    // its owner first); the first one made becomes the main form.
    template <typename F, typename... Arguments>
    F& createForm(Arguments&&... arguments)
    {
        F* form = new F(this, std::forward<Arguments>(arguments)...);
        if (!mainForm_) mainForm_ = form;
        return *form;
    }
    Form* mainForm() const { return mainForm_; }

    // Shows the main form and runs the message loop until terminate().
    void run();
    void terminate();

    // The standard error box: the message with a full stop added when its
    // last character's code is above that of the full stop, the title as
    // caption, a stop icon and OK.
    void showException(std::exception_ptr error) noexcept;

    // Destroys the main form now (the toolkit's finish does it otherwise).
    void destroyMainForm();
    // Told by each form as it goes, so the main form is never left dangling.
    void formDestroyed(const Form& form) noexcept;

private:
    void dispatch(MSG& message);

    HINSTANCE instance_;
    std::string title_;
    ControlAtom controlAtom_;
    HWND window_ = nullptr;
    Form* mainForm_ = nullptr;
    bool terminated_ = false;
};

} // namespace toolkit
