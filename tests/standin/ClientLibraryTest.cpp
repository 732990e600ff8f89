// Ovistra.exe as a connected client of the test tool: started from a folder
// without the client library, with the stand-in library, and with one that
// has only the two registration exports. The stand-in library logs what the
// program hands it and when, and walks the main window through the
// callbacks when asked.
#include "support/OtherProcess.h"
#include "support/SettingsFile.h"
#include "support/WindowTesting.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

using testing_support::OtherProcess;

// A folder of its own holding Ovistra.exe and, when given, a client library.
class ProgramFolder {
public:
    explicit ProgramFolder(const std::string& library, const std::string& program = "Ovistra.exe")
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        path = std::string(temp) + "ovistra-clients-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(path.c_str(), nullptr);
        const std::string bin = testing_support::programFolder();
        CopyFileA((bin + "\\" + program).c_str(), (path + "\\Ovistra.exe").c_str(), FALSE);
        if (!library.empty()) CopyFileA((bin + "\\" + library).c_str(), (path + "\\QuorvexClients.dll").c_str(), FALSE);
        log = path + "\\clients.log";
        SetEnvironmentVariableA("QUORVEX_CLIENTS_LOG", log.c_str());
    }
    ~ProgramFolder()
    {
        SetEnvironmentVariableA("QUORVEX_CLIENTS_LOG", nullptr);
        for (const char* file : {"\\Ovistra.exe", "\\QuorvexClients.dll", "\\clients.log"})
            DeleteFileA((path + file).c_str());
        RemoveDirectoryA(path.c_str());
    }
    std::vector<std::string> logLines() const
    {
        std::vector<std::string> lines;
        std::ifstream file(log);
        for (std::string line; std::getline(file, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
        }
        return lines;
    }
    std::string path;
    std::string log;
};

// A shown message box of a process, with its caption and text.
struct Box {
    HWND window = nullptr;
    std::string caption, text;
};

Box waitForBox(DWORD process, DWORD timeoutMs)
{
    const HWND box = testing_support::waitForShownWindowOf(
        process, "#32770", [](HWND window) { return GetDlgItem(window, 0xFFFF) != nullptr; }, timeoutMs);
    if (!box) return {};
    return {box, testing_support::textOf(box), testing_support::textOf(GetDlgItem(box, 0xFFFF))};
}

// The main window of a program started with a client library; no box
// comes before it.
HWND mainWindowWithoutBox(const OtherProcess& program)
{
    const HWND main = program.waitForWindow("Ovistra");
    if (main) {
        EXPECT_EQ(waitForBox(program.id(), 1000).window, nullptr);
    }
    return main;
}

HWND shownMainWindow(DWORD process)
{
    return testing_support::shownWindowOf(process, nullptr, "Ovistra");
}

bool startsWith(const std::string& text, const std::string& start)
{
    return text.rfind(start, 0) == 0;
}

void closeAndWait(const OtherProcess& program, HWND main)
{
    PostMessageA(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.waitForExit(60000));
}

class ClientLibrary : public ::testing::Test {
protected:
    void SetUp() override { testing_support::removeSettingsFile(); }
    void TearDown() override { testing_support::removeSettingsFile(); }
};

TEST_F(ClientLibrary, WithoutItOneBoxComesBeforeTheMainWindowWhichThenWorks)
{
    ProgramFolder folder("");
    OtherProcess program("Ovistra.exe", "", folder.path);
    ASSERT_TRUE(program.started());
    const Box box = waitForBox(program.id(), 120000);
    ASSERT_TRUE(box.window) << "no box";
    EXPECT_EQ(box.caption, "Error");
    EXPECT_EQ(box.text, "Could not load QuorvexClients.dll library");
    EXPECT_EQ(shownMainWindow(program.id()), nullptr) << "the box comes first";
    PostMessageA(box.window, WM_COMMAND, IDOK, 0);

    const HWND main = program.waitForWindow("Ovistra");
    ASSERT_TRUE(main);
    EXPECT_EQ(waitForBox(program.id(), 2000).window, nullptr) << "only one box";
    const HWND showObject = testing_support::childWithText(main, "S&how Object");
    ASSERT_TRUE(showObject);
    SendMessageA(showObject, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageA(showObject, BM_GETCHECK, 0, 0), BST_CHECKED);
    closeAndWait(program, main);
    EXPECT_TRUE(folder.logLines().empty());
}

TEST_F(ClientLibrary, WithItTheProgramRegistersOnceBeforeItsWindowAndUnregistersAtExit)
{
    ProgramFolder folder("QuorvexClients.dll");
    OtherProcess program("Ovistra.exe", "", folder.path);
    const HWND main = mainWindowWithoutBox(program);
    ASSERT_TRUE(main);

    std::vector<std::string> lines = folder.logLines();
    ASSERT_EQ(lines.size(), 1u);
    const std::string& add = lines[0];
    // The record: 21 callbacks, the type records, this module, the offsets;
    // before the main window: only the application's hidden window is there.
    EXPECT_TRUE(startsWith(add, "add entries=")) << add;
    EXPECT_NE(add.find(",00400000,ffffffb4,ffffffc4,ffffffd4,ffffffd8,ffffffdc types="), std::string::npos) << add;
    EXPECT_NE(add.find(" types=3:Boolean 12:OleVariant 12:Variant 5:ShortString 10:String 4:Single 7:TObject "),
              std::string::npos) << add;
    EXPECT_NE(add.find(" module=own windows=1 shown=0"), std::string::npos) << add;

    // Asked, the library walks the main window through the callbacks.
    const HWND trigger = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, "Quorvex clients");
    ASSERT_TRUE(trigger);
    SendMessageA(trigger, WM_APP, 0, 0);
    lines = folder.logLines();
    ASSERT_GT(lines.size(), 3u);
    EXPECT_EQ(lines[1], "exercise main=TForm1 Form1 count=35");
    EXPECT_EQ(lines[2], "component 0 Panel1 TPanel");
    EXPECT_EQ(lines[7], "component 5 Edit1 TEdit");
    EXPECT_EQ(lines[36], "component 34 UseTransporentCB TCheckBox");
    EXPECT_EQ(lines[37], "past-end raised List index out of bounds (35)");
    POINT origin{0, 0};
    ClientToScreen(main, &origin);
    EXPECT_EQ(lines[38], "point 5,7 screen " + std::to_string(origin.x + 5) + "," + std::to_string(origin.y + 7) +
                             " back 5,7");
    EXPECT_EQ(lines[39], "from-window same");
    EXPECT_EQ(lines[40], "data-modules 0 first raised List index out of bounds (0)");
    EXPECT_EQ(lines[41], "edit1 found=Edit1 owner=same parent=TPanel enabled=1 visible=1 bounds=252,20,264,21");
    EXPECT_EQ(lines[42], "main window=same at=Label1 ole=raised Interface not supported");
    // Up to the application object that owns the main window, and down.
    EXPECT_EQ(lines[43], "application TApplication parents=TComponent,TObject owner=- count=1 main-at=0 "
                         "past-end=raised List index out of bounds (1)");
    EXPECT_EQ(lines[44], "find=same owned-by-main=35 of 35");

    // Text put on the clipboard by a thread of the library's that never
    // pumps messages reaches the pane while that thread still waits.
    SendMessageA(trigger, WM_APP + 1, 0, 0);
    ASSERT_TRUE(testing_support::pumpUntil([&] { return folder.logLines().size() > 45; }, 30000));
    lines = folder.logLines();
    EXPECT_TRUE(startsWith(lines[45], "clipboard-thread shown after ")) << lines[45];

    closeAndWait(program, main);
    lines = folder.logLines();
    ASSERT_EQ(lines.size(), 48u);
    // After the loop, while the windows still exist; never unloaded.
    EXPECT_TRUE(startsWith(lines[46], "remove windows=2 ")) << lines[46] << ": both windows still there";
    EXPECT_EQ(lines[47], "detach at-exit");
}

TEST_F(ClientLibrary, AMainWindowThatCannotBeBuiltIsReportedOnceAndTheProgramStillUnregistersAndEnds)
{
    // The program built with a form description that cannot be read.
    ProgramFolder folder("QuorvexClients.dll", "OvistraBrokenForm.exe");
    OtherProcess program("Ovistra.exe", "", folder.path);
    const Box box = waitForBox(program.id(), 120000);
    ASSERT_TRUE(box.window) << "no box";
    EXPECT_EQ(box.caption, "Ovistra");
    EXPECT_NE(box.text.find("NoSuchProperty"), std::string::npos) << box.text;
    EXPECT_EQ(testing_support::shownWindowOf(program.id(), "TForm", "Ovistra"), nullptr) << "no main window";
    PostMessageA(box.window, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(program.waitForExit(60000)) << "the program did not end";
    EXPECT_EQ(waitForBox(program.id(), 0).window, nullptr);
    const std::vector<std::string> lines = folder.logLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(startsWith(lines[0], "add entries="));
    EXPECT_TRUE(startsWith(lines[1], "remove windows=1 ")) << lines[1] << ": only the application's window";
    EXPECT_EQ(lines[2], "detach at-exit");
}

TEST_F(ClientLibrary, ALibraryWithOnlyTheTwoRegistrationExportsIsRegisteredToo)
{
    ProgramFolder folder("minimal-clients\\QuorvexClients.dll");
    OtherProcess program("Ovistra.exe", "", folder.path);
    const HWND main = mainWindowWithoutBox(program);
    ASSERT_TRUE(main);
    closeAndWait(program, main);
    const std::vector<std::string> lines = folder.logLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(startsWith(lines[0], "add entries="));
    EXPECT_TRUE(startsWith(lines[1], "remove windows="));
    EXPECT_EQ(lines[2], "detach at-exit");
}

} // namespace
