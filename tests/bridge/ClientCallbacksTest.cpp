// The client callback record as the test tool's client library meets it:
// every entry called through the record with a thunk that loads the
// registers itself, against the real main window and against small forms
// of the test's own, errors caught as structured exceptions.
#include "../app/MainWindowFixture.h"
#include "RegisterCall.h"
#include "bridge/ClientError.h"
#include "bridge/ClientRecord.h"
#include "bridge/CountedString.h"
#include "support/OtherProcess.h"
#include "support/WindowTesting.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/core/MetaClass.h"
#include "toolkit/forms/Application.h"
#include "toolkit/forms/Form.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using bridge::ClientEntry;
using standin::callRegister;
using standin::RegisterCallResult;
using standin::word;


const bridge::ClientRecord record = bridge::makeClientRecord();

RegisterCallResult call(ClientEntry entry, std::uint32_t eax = 0, std::uint32_t edx = 0, std::uint32_t ecx = 0)
{
    return callRegister(record.entries[entry], eax, edx, ecx);
}

const void* object(ClientEntry entry, std::uint32_t eax = 0, std::uint32_t edx = 0)
{
    const RegisterCallResult result = call(entry, eax, edx);
    EXPECT_FALSE(result.raised) << result.message;
    return reinterpret_cast<const void*>(result.eax);
}

const void* face(toolkit::Component& component)
{
    return component.clientFace();
}

// The class name as foreign code reads it: from the object's class
// reference, through the descriptor offset the record gives.
std::string classNameOf(const void* object)
{
    const auto* classReference = *static_cast<const char* const*>(object);
    const auto offset = static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(record.entries[bridge::ClassNameOffset]));
    const auto* name = *reinterpret_cast<const unsigned char* const*>(classReference + offset);
    return std::string(reinterpret_cast<const char*>(name + 1), name[0]);
}

std::int32_t referenceCount(const char* text)
{
    std::int32_t count;
    std::memcpy(&count, text - 8, 4);
    return count;
}

std::string nameOf(const void* component)
{
    char* name = nullptr;
    const RegisterCallResult result = call(bridge::ComponentName, word(component), word(&name));
    EXPECT_FALSE(result.raised);
    const std::string text(bridge::countedText(name));
    bridge::releaseReference(name);
    return text;
}

TEST(ClientRecord, HoldsItsEntriesInOrderWithTheTypeRecordsAndOffsets)
{
    EXPECT_EQ(sizeof record, 136u);
    EXPECT_EQ(bridge::clientErrorCode, standin::clientErrorCode) << "the code the library is told of";
    const std::pair<ClientEntry, const char*> types[] = {
        {bridge::BooleanTypeInfo, "\x03\x07" "Boolean"},        {bridge::OleVariantTypeInfo, "\x0C\x0A" "OleVariant"},
        {bridge::VariantTypeInfo, "\x0C\x07" "Variant"},        {bridge::ShortStringTypeInfo, "\x05\x0B" "ShortString"},
        {bridge::StringTypeInfo, "\x0A\x06" "String"},          {bridge::SingleTypeInfo, "\x04\x06" "Single"},
        {bridge::ObjectTypeInfo, "\x07\x07" "TObject"}};
    for (const auto& [entry, expected] : types)
        EXPECT_EQ(std::memcmp(record.entries[entry], expected, std::strlen(expected)), 0) << expected + 2;
    EXPECT_EQ(record.entries[bridge::ModuleInstance], GetModuleHandleW(nullptr));
    const std::int32_t offsets[] = {-76, -60, -44, -40, -36};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(reinterpret_cast<std::intptr_t>(record.entries[bridge::ClassSelfOffset + i]), offsets[i]);
    for (int i = 0; i <= bridge::CopyMemoryManager; ++i) EXPECT_NE(record.entries[i], nullptr) << i;
}

class ClientCallbacksOnTheMainWindow : public MainWindowTest {};

TEST_F(ClientCallbacksOnTheMainWindow, TheComponentWalkGivesTheFormsComponentsInCreationOrder)
{
    const void* main = face(*form);
    const auto& owned = form->components();
    ASSERT_EQ(call(bridge::ComponentCount, word(main)).eax, owned.size());
    for (std::size_t i = 0; i < owned.size(); ++i) {
        const void* child = object(bridge::ComponentByIndex, word(main), static_cast<std::uint32_t>(i));
        ASSERT_EQ(child, face(*owned[i]));
        EXPECT_EQ(nameOf(child), owned[i]->name());
        EXPECT_EQ(classNameOf(child), owned[i]->metaClass().name());
        EXPECT_EQ(object(bridge::ComponentOwner, word(child)), main);
    }
    EXPECT_EQ(nameOf(object(bridge::ComponentByIndex, word(main), 0)), "Panel1");
    EXPECT_EQ(classNameOf(main), "TForm1");
}

TEST_F(ClientCallbacksOnTheMainWindow, TheApplicationObjectIsTheRootThatOwnsTheForms)
{
    const void* main = face(*form);
    const void* application = object(bridge::ComponentOwner, word(main));
    ASSERT_NE(application, nullptr);
    EXPECT_EQ(object(bridge::ComponentOwner, word(application)), nullptr);
    // Its class as foreign code reads it: the name, then the parent cells
    // up to the root, which has none.
    EXPECT_EQ(classNameOf(application), "TApplication");
    std::vector<std::string> chain;
    const auto parentOffset = reinterpret_cast<std::intptr_t>(record.entries[bridge::ClassParentOffset]);
    for (const char* classReference = *static_cast<const char* const*>(application);;) {
        const auto* parentCell = *reinterpret_cast<const char* const* const*>(classReference + parentOffset);
        if (!parentCell) break;
        classReference = *parentCell;
        const void* asObject = &classReference;
        chain.push_back(classNameOf(asObject));
    }
    EXPECT_EQ(chain, (std::vector<std::string>{"TComponent", "TObject"}));

    // Down to the form by position and by name, and back up.
    const std::uint32_t count = call(bridge::ComponentCount, word(application)).eax;
    ASSERT_EQ(count, toolkit::Application::instance()->components().size());
    bool formFound = false;
    for (std::uint32_t i = 0; i < count; ++i) {
        const void* owned = object(bridge::ComponentByIndex, word(application), i);
        EXPECT_EQ(object(bridge::ComponentOwner, word(owned)), application);
        formFound = formFound || owned == main;
    }
    EXPECT_TRUE(formFound);
    char* name = bridge::newCountedString(form->name());
    EXPECT_EQ(object(bridge::FindComponent, word(application), word(name)), main);
    bridge::releaseReference(name);
    // The application's hidden window is no control.
    EXPECT_EQ(object(bridge::ControlFromWindow, word(toolkit::Application::instance()->handle())), nullptr);
}

TEST_F(ClientCallbacksOnTheMainWindow, IndexesOutsideTheListRaiseTheListError)
{
    if (testing_support::runsThroughEmulator()) GTEST_SKIP() << "structured exceptions under the emulator";
    const void* main = face(*form);
    const std::uint32_t count = call(bridge::ComponentCount, word(main)).eax;
    for (std::int32_t index : {static_cast<std::int32_t>(count), -1}) {
        const RegisterCallResult result = call(bridge::ComponentByIndex, word(main), static_cast<std::uint32_t>(index));
        EXPECT_TRUE(result.raised);
        EXPECT_EQ(result.message, "List index out of bounds (" + std::to_string(index) + ")");
    }
    const void* label = face(*form->Label1);
    EXPECT_EQ(call(bridge::ComponentCount, word(label)).eax, 0u);
    const void* application = face(*toolkit::Application::instance());
    const std::uint32_t forms = call(bridge::ComponentCount, word(application)).eax;
    const RegisterCallResult pastForms = call(bridge::ComponentByIndex, word(application), forms);
    EXPECT_TRUE(pastForms.raised);
    EXPECT_EQ(pastForms.message, "List index out of bounds (" + std::to_string(forms) + ")");
    const RegisterCallResult empty = call(bridge::ComponentByIndex, word(label), 0);
    EXPECT_TRUE(empty.raised);
    EXPECT_EQ(empty.message, "List index out of bounds (0)");

    EXPECT_EQ(call(bridge::DataModuleCount).eax, 0u);
    const RegisterCallResult module = call(bridge::DataModuleByIndex, 0);
    EXPECT_TRUE(module.raised);
    EXPECT_EQ(module.message, "List index out of bounds (0)");
}

TEST_F(ClientCallbacksOnTheMainWindow, FindComponentFoldsOnlyAToZAndLeavesTheNamesCount)
{
    const void* main = face(*form);
    auto* inner = new toolkit::Component(form->Label1);
    inner->setName("InnerPart");
    auto* umlaut = new toolkit::Component(form.get());
    umlaut->setName("\xC4rger");  // "Ärger" in the ANSI code page

    const auto find = [&](const void* owner, const char* name) {
        char* text = bridge::newCountedString(name);
        const std::int32_t before = text ? referenceCount(text) : 0;
        const void* found = object(bridge::FindComponent, word(owner), word(text));
        if (text) {
            EXPECT_EQ(referenceCount(text), before) << name;
        }
        bridge::releaseReference(text);
        return found;
    };
    EXPECT_EQ(find(main, ""), nullptr);
    EXPECT_EQ(find(main, "edit1"), face(*form->Edit1));
    EXPECT_EQ(find(main, "EDIT1"), face(*form->Edit1));
    EXPECT_EQ(find(main, "InnerPart"), nullptr) << "a grandchild is not the form's";
    EXPECT_EQ(find(face(*form->Label1), "innerpart"), face(*inner));
    EXPECT_EQ(find(main, "\xE4RGER"), nullptr) << "only a to z fold";
    EXPECT_EQ(find(main, "\xC4RGER"), face(*umlaut));
    EXPECT_EQ(find(face(*inner), "x"), nullptr);
}

TEST_F(ClientCallbacksOnTheMainWindow, ControlFromWindowKnowsOnlyThisProgramsWindows)
{
    // The first thing the library asks: the object behind the main window,
    // of the main window's own class (its window was made while the form
    // was still being built as a plain form).
    EXPECT_EQ(classNameOf(object(bridge::ControlFromWindow, word(form->handle()))), "TForm1");
    EXPECT_EQ(object(bridge::ControlFromWindow, 0), nullptr);
    EXPECT_EQ(object(bridge::ControlFromWindow, word(GetDesktopWindow())), nullptr);
    testing_support::OtherProcess sample("OvistraSample.exe");
    const HWND other = sample.waitForWindow("Ovistra sample");
    ASSERT_TRUE(other);
    EXPECT_EQ(object(bridge::ControlFromWindow, word(other)), nullptr) << "another program's window";
    const HWND message = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    EXPECT_EQ(object(bridge::ControlFromWindow, word(message)), nullptr) << "not made by the toolkit";
    DestroyWindow(message);
    EXPECT_EQ(object(bridge::ControlFromWindow, word(form->handle())), face(*form));
    EXPECT_EQ(object(bridge::ControlFromWindow, word(form->Edit1->handle())), face(*form->Edit1));
}

TEST_F(ClientCallbacksOnTheMainWindow, ComponentNameReleasesTheOldValue)
{
    auto* unnamed = new toolkit::Component(form.get());
    char* old = bridge::newCountedString("previous");
    bridge::addReference(old);  // the test's own reference besides the result's
    char* result = old;
    ASSERT_FALSE(call(bridge::ComponentName, word(face(*unnamed)), word(&result)).raised);
    EXPECT_EQ(result, nullptr);
    EXPECT_EQ(referenceCount(old), 1);
    bridge::releaseReference(old);

    ASSERT_FALSE(call(bridge::ComponentName, word(face(*form->Edit2)), word(&result)).raised);
    EXPECT_EQ(bridge::countedText(result), "Edit2");
    EXPECT_EQ(referenceCount(result), 1);
    EXPECT_EQ(result[5], '\0');
    bridge::releaseReference(result);
}

namespace {

// Takes every free range of the address space, so that no large block and
// no new heap segment can be had, and gives it all back when it goes.
class AddressSpaceTaken {
public:
    AddressSpaceTaken()
    {
        taken_.reserve(1 << 16);
        for (SIZE_T size = 1u << 30; size >= (1u << 16); size /= 2)
            while (taken_.size() < taken_.capacity())
                if (void* range = VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS))
                    taken_.push_back(range);
                else
                    break;
    }
    ~AddressSpaceTaken()
    {
        for (void* range : taken_) VirtualFree(range, 0, MEM_RELEASE);
    }
    AddressSpaceTaken(const AddressSpaceTaken&) = delete;
    AddressSpaceTaken& operator=(const AddressSpaceTaken&) = delete;

private:
    std::vector<void*> taken_;
};

} // namespace

TEST_F(ClientCallbacksOnTheMainWindow, ComponentNameWithoutMemoryRaisesAndKeepsTheOldValue)
{
    if (testing_support::runsThroughEmulator()) GTEST_SKIP() << "structured exceptions under the emulator";
    auto* named = new toolkit::Component(form.get());
    named->setName(std::string(4 << 20, 'N'));  // a block the heap takes straight from the system
    char* old = bridge::newCountedString("previous");
    char* result = old;
    RegisterCallResult answer;
    {
        AddressSpaceTaken full;
        answer = call(bridge::ComponentName, word(face(*named)), word(&result));
    }
    EXPECT_TRUE(answer.raised);
    EXPECT_EQ(answer.message, "Out of memory");
    EXPECT_EQ(result, old) << "the caller's variable keeps its value";
    EXPECT_EQ(referenceCount(old), 1);
    bridge::releaseReference(result);
}

TEST(ClientCallbacks, TheMemoryManagerGetsResizesAndFrees)
{
    bridge::MemoryManager manager{};
    ASSERT_FALSE(call(bridge::CopyMemoryManager, word(&manager)).raised);
    auto* block = reinterpret_cast<char*>(callRegister(reinterpret_cast<const void*>(manager.get), 16).eax);
    ASSERT_NE(block, nullptr);
    std::memcpy(block, "0123456789abcdef", 16);
    block = reinterpret_cast<char*>(
        callRegister(reinterpret_cast<const void*>(manager.resize), word(block), 4096).eax);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(std::memcmp(block, "0123456789abcdef", 16), 0);
    EXPECT_EQ(callRegister(reinterpret_cast<const void*>(manager.free), word(block)).eax, 0u);
}

// A form of the test's own: a windowed panel and labels placed on purpose.
class ClientCallbacksOnControls : public ::testing::Test {
protected:
    ClientCallbacksOnControls() : form(nullptr)
    {
        form.setBounds(200, 150, 300, 200);
        panel = place<toolkit::Panel>(10, 10, 50, 50);
        plain = place<toolkit::Label>(100, 10, 40, 20);
        hidden = place<toolkit::Label>(100, 40, 40, 20);
        hidden->setVisible(false);
        disabled = place<toolkit::Label>(100, 70, 40, 20);
        disabled->setEnabled(false);
        under = place<toolkit::Label>(150, 10, 40, 40);
        over = place<toolkit::Label>(170, 30, 40, 40);
    }
    template <typename T>
    T* place(int left, int top, int width, int height)
    {
        auto* control = new T(&form);
        control->setParent(&form);
        control->setBounds(left, top, width, height);
        return control;
    }
    const void* atPos(int x, int y)
    {
        const POINT point{x, y};
        return object(bridge::ControlAtPos, word(face(form)), word(&point));
    }

    toolkit::Form form;
    toolkit::Panel* panel;
    toolkit::Label *plain, *hidden, *disabled, *under, *over;
};

TEST_F(ClientCallbacksOnControls, ControlAtPosFindsVisibleGraphicControlsTopmostFirst)
{
    form.show();
    EXPECT_EQ(atPos(105, 15), face(*plain));
    EXPECT_EQ(atPos(20, 20), nullptr) << "only the windowed panel is there";
    EXPECT_EQ(atPos(105, 45), nullptr) << "the label there is hidden";
    EXPECT_EQ(atPos(105, 75), face(*disabled)) << "disabled labels count";
    EXPECT_EQ(atPos(180, 40), face(*over)) << "the later label lies on top";
    EXPECT_EQ(atPos(155, 15), face(*under));
    EXPECT_EQ(atPos(290, 190), nullptr);
}

TEST_F(ClientCallbacksOnControls, AControlsWindowIsReadButNeverMade)
{
    auto* unplaced = new toolkit::Panel(&form);
    ASSERT_FALSE(unplaced->handleAllocated());
    EXPECT_EQ(call(bridge::ControlWindowHandle, word(face(*unplaced))).eax, 0u);
    EXPECT_FALSE(unplaced->handleAllocated());
    EXPECT_EQ(object(bridge::ControlParent, word(face(*unplaced))), nullptr) << "placed nowhere";
    form.show();
    EXPECT_EQ(call(bridge::ControlWindowHandle, word(face(*panel))).eax, word(panel->handleIfCreated()));
    EXPECT_NE(panel->handleIfCreated(), nullptr);
}

TEST_F(ClientCallbacksOnControls, GeometryFlagsAndCoordinatesAreTheControlsOwn)
{
    form.show();
    EXPECT_EQ(call(bridge::ControlLeft, word(face(*over))).eax, 170u);
    EXPECT_EQ(call(bridge::ControlTop, word(face(*over))).eax, 30u);
    EXPECT_EQ(call(bridge::ControlWidth, word(face(*over))).eax, 40u);
    EXPECT_EQ(call(bridge::ControlHeight, word(face(*over))).eax, 40u);
    EXPECT_EQ(object(bridge::ControlParent, word(face(*over))), face(form));
    EXPECT_EQ(object(bridge::ControlParent, word(face(form))), nullptr);
    // Booleans live in the low 8 bits only.
    EXPECT_EQ(call(bridge::ControlEnabled, word(face(*disabled))).eax & 0xFF, 0u);
    EXPECT_EQ(call(bridge::ControlEnabled, word(face(*plain))).eax & 0xFF, 1u);
    EXPECT_EQ(call(bridge::ControlVisible, word(face(*hidden))).eax & 0xFF, 0u);
    EXPECT_EQ(call(bridge::ControlVisible, word(face(*plain))).eax & 0xFF, 1u);

    POINT point{7, 9};
    ASSERT_FALSE(call(bridge::ClientToScreen, word(face(*panel)), word(&point)).raised);
    POINT expected{7, 9};
    ClientToScreen(panel->handle(), &expected);
    EXPECT_EQ(point.x, expected.x);
    EXPECT_EQ(point.y, expected.y);
    ASSERT_FALSE(call(bridge::ScreenToClient, word(face(*panel)), word(&point)).raised);
    EXPECT_EQ(point.x, 7);
    EXPECT_EQ(point.y, 9);
}

TEST_F(ClientCallbacksOnControls, NoControlHostsAnAutomationObject)
{
    if (testing_support::runsThroughEmulator()) GTEST_SKIP() << "structured exceptions under the emulator";
    VARIANT value;
    VariantInit(&value);
    const RegisterCallResult result = call(bridge::OleControlObject, word(face(*panel)), word(&value));
    EXPECT_TRUE(result.raised);
    EXPECT_EQ(result.message, "Interface not supported");
    EXPECT_EQ(value.vt, VT_EMPTY);
}

} // namespace
