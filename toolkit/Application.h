#pragma once
// The application object: the hidden application window, the main form,
// the message loop and the standard error box. One exists from toolkit
// start to toolkit finish.
#include <windows.h>

#include <exception>
#include <memory>
#include <string>

namespace toolkit {

class Form;

class Application {
public:
    explicit Application(HINSTANCE instance);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The running application; null outside its lifetime.
    static Application* instance();

    HINSTANCE moduleInstance() const { return instance_; }
    HWND handle() const { return window_; }
    // The program file's name without extension.
    const std::string& title() const { return title_; }
    // The atom naming the window property by which every toolkit window
    // names its control: "ControlOfs" + module instance + thread id.
    ATOM controlAtom() const { return controlAtom_; }

    // Takes ownership of the main form.
    void setMainForm(std::unique_ptr<Form> form);
    Form* mainForm() const { return mainForm_.get(); }

    // Shows the main form and runs the message loop until terminate().
    void run();
    void terminate();

    // The standard error box: the message with a full stop added when its
    // last character's code is above that of the full stop, the title as
    // caption, a stop icon and OK.
    void showException(std::exception_ptr error) noexcept;

    // Destroys the main form now (the toolkit's finish does it otherwise).
    void destroyMainForm();

private:
    void dispatch(MSG& message);

    HINSTANCE instance_;
    DWORD threadId_;
    std::string title_;
    ATOM controlAtom_ = 0;
    HWND window_ = nullptr;
    std::unique_ptr<Form> mainForm_;
    bool terminated_ = false;
};

// The message of any exception, as the error box shows it before the
// full-stop rule.
std::string exceptionMessage(std::exception_ptr error);

} // namespace toolkit
