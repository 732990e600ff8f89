#include "bridge/ClientCallbacks.h"

#include "bridge/ClientError.h"
#include "toolkit/controls/WinControl.h"
#include "toolkit/core/Component.h"
#include "toolkit/forms/Application.h"

namespace bridge {

namespace {

toolkit::Component& component(Object face)
{
    return *toolkit::Component::fromClientFace(face);
}

toolkit::Control& control(Object face)
{
    return static_cast<toolkit::Control&>(component(face));
}

toolkit::WinControl& winControl(Object face)
{
    return static_cast<toolkit::WinControl&>(component(face));
}

Object faceOf(toolkit::Component* component)
{
    return component ? component->clientFace() : nullptr;
}

// Names match when they have the same length and the same bytes, with the
// letters a to z taken as A to Z.
bool sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    for (std::size_t i = 0; i < a.size(); ++i)
        if (upper(a[i]) != upper(b[i])) return false;
    return true;
}

} // namespace

std::int32_t componentCount(Object face) noexcept
{
    return static_cast<std::int32_t>(component(face).components().size());
}

Object componentByIndex(Object face, std::int32_t index) noexcept
{
    const auto& owned = component(face).components();
    if (index >= 0 && static_cast<std::size_t>(index) < owned.size()) return faceOf(owned[index]);
    raiseListIndexError(index);
}

void componentName(Object face, char** result) noexcept
{
    const std::string& name = component(face).name();
    char* text = newCountedString(name);
    // A name that could not be copied is no empty name: the caller's
    // variable keeps what it held.
    if (!text && !name.empty()) raiseClientError("Out of memory");
    char* old = *result;
    *result = text;
    releaseReference(old);
}

Object componentOwner(Object face) noexcept
{
    return faceOf(component(face).owner());
}

Object findComponent(Object face, char* name) noexcept
{
    addReference(name);
    Object found = nullptr;
    const std::string_view wanted = countedText(name);
    if (!wanted.empty())
        for (toolkit::Component* owned : component(face).components())
            if (sameName(owned->name(), wanted)) {
                found = faceOf(owned);
                break;
            }
    releaseReference(name);
    return found;
}

void clientToScreen(Object face, POINT* point) noexcept
{
    const POINT origin = control(face).clientOrigin();
    point->x += origin.x;
    point->y += origin.y;
}

void screenToClient(Object face, POINT* point) noexcept
{
    const POINT origin = control(face).clientOrigin();
    point->x -= origin.x;
    point->y -= origin.y;
}

Object controlParent(Object face) noexcept
{
    return faceOf(control(face).parent());
}

bool controlEnabled(Object face) noexcept
{
    return control(face).enabled();
}

bool controlVisible(Object face) noexcept
{
    return control(face).visible();
}

std::int32_t controlWidth(Object face) noexcept
{
    return control(face).width();
}

std::int32_t controlHeight(Object face) noexcept
{
    return control(face).height();
}

std::int32_t controlLeft(Object face) noexcept
{
    return control(face).left();
}

std::int32_t controlTop(Object face) noexcept
{
    return control(face).top();
}

HWND controlWindowHandle(Object face) noexcept
{
    return winControl(face).handleIfCreated();
}

Object controlAtPos(Object face, const POINT* point) noexcept
{
    return faceOf(winControl(face).controlAtPos(*point, true, false));
}

Object dataModuleByIndex(std::int32_t index) noexcept
{
    // The program creates no data modules.
    raiseListIndexError(index);
}

std::int32_t dataModuleCount() noexcept
{
    return 0;
}

Object controlFromWindow(HWND window) noexcept
{
    if (!window) return nullptr;
    const toolkit::Application* application = toolkit::Application::instance();
    if (!application || !application->controlAtom()) return nullptr;
    // Through the component, whose face then names its class as it is now,
    // not as it was while the window was being made.
    return faceOf(toolkit::Component::fromClientFace(GetPropA(window, MAKEINTATOM(application->controlAtom()))));
}

void oleControlObject(Object, VARIANT*) noexcept
{
    // The program hosts no ActiveX controls: nothing it hands out has an
    // automation object.
    raiseClientError("Interface not supported");
}

void copyMemoryManager(MemoryManager* record) noexcept
{
    *record = memoryManager();
}

} // namespace bridge
