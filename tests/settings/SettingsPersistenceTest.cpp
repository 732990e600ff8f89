// Spy.ini as the real main window keeps it: what a first run writes, what
// a prepared file restores, and what happens when the file cannot be
// written.
#include "app/MainForm.h"
#include "settings/WindowPlacement.h"
#include "support/SettingsFile.h"
#include "support/WindowTesting.h"
#include "toolkit/forms/Application.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace testing_support;
using toolkit::Application;

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { removeSettingsFile(); }
    void TearDown() override
    {
        form.reset();
        removeSettingsFile();
    }

    void open()
    {
        form = std::make_unique<app::TForm1>(nullptr, module);
        form->show();
        pumpPending();
    }
    void closeWindow()
    {
        form->close();
        form.reset();
    }
    RECT normalRect() const
    {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(form->handle(), &placement);
        return placement.rcNormalPosition;
    }
    int checkedRadios() const
    {
        int count = 0;
        for (auto* button : {form->Color16, form->Color256, form->Color64K, form->Color16M, form->Color32bit})
            count += button->checked();
        return count;
    }

    app::MainModule module;
    std::unique_ptr<app::TForm1> form;
};

std::string section(const std::string& name, const std::string& keys, const std::string& version = "0")
{
    return "[" + name + "]\r\nFormVersion=" + version + "\r\n" + keys;
}

TEST_F(SettingsTest, AFirstRunOpensAsDesignedAndClosingWritesControlsThenPlacement)
{
    open();
    const RECT designed = normalRect();
    EXPECT_EQ(designed.left, 1255);
    EXPECT_EQ(designed.top, 144);
    EXPECT_EQ(designed.right - designed.left, 540);
    EXPECT_EQ(designed.bottom - designed.top, 570);
    EXPECT_EQ(checkedRadios(), 0);
    EXPECT_EQ(form->SaveDialog1->initialDir(), "");

    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(form->handle(), &placement);
    closeWindow();

    const std::string suffix = settings::screenSizeSuffix();
    const std::string minMax = std::to_string(placement.ptMinPosition.x) + "," +
                               std::to_string(placement.ptMinPosition.y) + "," +
                               std::to_string(placement.ptMaxPosition.x) + "," +
                               std::to_string(placement.ptMaxPosition.y);
    const std::string norm = "1255,144,1795,714";
    std::vector<std::string> placementKeys{"FormVersion=0",
                                           "Flags=" + std::to_string(placement.flags),
                                           "ShowCmd=1",
                                           "PixelsPerInch=" + std::to_string(settings::screenPixelsPerInch()),
                                           "MinMaxPos" + suffix + "=" + minMax,
                                           "MinMaxPos=" + minMax,
                                           "NormPos" + suffix + "=" + norm,
                                           "NormPos=" + norm,
                                           "Visible=0"};
    std::vector<std::string> expected{"[Controls]"};
    expected.insert(expected.end(), placementKeys.begin(), placementKeys.end());
    for (const char* key : {"SearchPictureDLG_InitialDir=", "SaveDialog1_InitialDir=", "CBShowObject_Checked=False",
                            "Color16_Checked=False", "Color16M_Checked=False", "Color256_Checked=False",
                            "Color32bit_Checked=False", "Color64K_Checked=False"})
        expected.push_back(key);
    expected.push_back("[Placement]");
    expected.insert(expected.end(), placementKeys.begin(), placementKeys.end());
    EXPECT_EQ(settingsFileLines(), expected);
}

TEST_F(SettingsTest, ChoicesAndFoldersComeBackOnTheNextRun)
{
    open();
    form->CBShowObject->setChecked(true);
    form->Color256->setChecked(true);
    form->SearchPictureDLG->setInitialDir("C:\\Pictures");
    form->SaveDialog1->setInitialDir("\"C:\\Quoted folder\"");
    closeWindow();
    EXPECT_NE(readSettingsFile().find("SaveDialog1_InitialDir=\"\"C:\\Quoted folder\"\""), std::string::npos);

    open();
    EXPECT_TRUE(form->CBShowObject->checked());
    EXPECT_EQ(form->SpinEdit1->value(), 2000) << "the check box's handler ran during the restore";
    EXPECT_TRUE(form->Color256->checked());
    EXPECT_EQ(checkedRadios(), 1);
    EXPECT_EQ(form->SearchPictureDLG->initialDir(), "C:\\Pictures");
    EXPECT_EQ(form->SaveDialog1->initialDir(), "\"C:\\Quoted folder\"");
}

TEST_F(SettingsTest, BooleansAreIdentifiersOfAnyCaseAndNothingElse)
{
    writeSettingsFile(section("Controls", "CBShowObject_Checked=true\r\nColor16M_Checked=TRUE\r\n"));
    open();
    EXPECT_TRUE(form->CBShowObject->checked());
    EXPECT_EQ(form->SpinEdit1->value(), 2000);
    EXPECT_TRUE(form->Color16M->checked());
    form.reset();

    writeSettingsFile(section("Controls", "CBShowObject_Checked=1\r\nColor16M_Checked=yes\r\n"));
    open();
    EXPECT_FALSE(form->CBShowObject->checked());
    EXPECT_EQ(checkedRadios(), 0);
}

TEST_F(SettingsTest, OfSeveralCheckedRadioButtonsTheLastInStoredOrderWins)
{
    writeSettingsFile(section("Controls", "Color16_Checked=True\r\nColor64K_Checked=True\r\nColor256_Checked=True\r\n"));
    open();
    EXPECT_TRUE(form->Color64K->checked());
    EXPECT_EQ(checkedRadios(), 1);
}

TEST_F(SettingsTest, FoldersAreTrimmedAndCutAt2047Characters)
{
    writeSettingsFile(section("Controls", "SearchPictureDLG_InitialDir=   C:\\Temp   \r\nSaveDialog1_InitialDir=" +
                                              std::string(2100, 'd') + "\r\n"));
    open();
    EXPECT_EQ(form->SearchPictureDLG->initialDir(), "C:\\Temp");
    EXPECT_EQ(form->SaveDialog1->initialDir(), std::string(2047, 'd'));
}

TEST_F(SettingsTest, AnOlderVersionLeavesItsSectionUnapplied)
{
    writeSettingsFile(section("Placement", "NormPos=100,110,700,710\r\n") +
                      section("Controls", "NormPos=300,310,900,910\r\nCBShowObject_Checked=True\r\n", "-1"));
    open();
    const RECT rect = normalRect();
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.top, 110);
    EXPECT_FALSE(form->CBShowObject->checked());
    closeWindow();
    // Restored all the same, so written again, now at the current version.
    EXPECT_NE(readSettingsFile().find("[Controls]\r\nFormVersion=0"), std::string::npos);
}

TEST_F(SettingsTest, PositionListsSplitOnBlanksAndCommasAndFallBackPerNumber)
{
    writeSettingsFile(section("Placement", "NormPos=100, 120,   700,800\r\n"));
    open();
    RECT rect = normalRect();
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.top, 120);
    EXPECT_EQ(rect.right, 700);
    EXPECT_EQ(rect.bottom, 800);
    form.reset();

    writeSettingsFile(section("Placement", "NormPos=150,160\r\n"));
    open();
    rect = normalRect();
    EXPECT_EQ(rect.left, 150);
    EXPECT_EQ(rect.top, 160);
    EXPECT_EQ(rect.right, 1255 + 540) << "the right edge stays where it was";
    EXPECT_EQ(rect.bottom, 160 + 570) << "the bottom edge stays, but the window keeps its minimum height";
}

TEST_F(SettingsTest, TheScreenSizeKeyComesFirstThenThePlainOne)
{
    const std::string suffix = settings::screenSizeSuffix();
    writeSettingsFile(section("Placement", "NormPos" + suffix + "=200,210,800,810\r\nNormPos=10,10,600,600\r\n"));
    open();
    EXPECT_EQ(normalRect().left, 200);
    form.reset();

    writeSettingsFile(section("Placement", "NormPos(640x480)=20,30,620,630\r\n"));
    open();
    EXPECT_EQ(normalRect().left, 1255) << "keys for another screen only: as designed";
    form.reset();

    writeSettingsFile(section("Placement", "NormPos(640x480)=20,30,620,630\r\nNormPos=40,50,640,650\r\n"));
    open();
    EXPECT_EQ(normalRect().left, 40);
    closeWindow();
    EXPECT_NE(readSettingsFile().find("NormPos" + suffix + "=40,50,640,650"), std::string::npos);
    EXPECT_NE(readSettingsFile().find("NormPos(640x480)=20,30,620,630"), std::string::npos);
}

TEST_F(SettingsTest, ShowCmdRestoresTheStateAndAnotherResolutionOnlyThePosition)
{
    // Both sections hold the state, as both are written at once: the
    // second pass would otherwise restore the normal state.
    const auto both = [](const std::string& keys) { return section("Placement", keys) + section("Controls", keys); };
    writeSettingsFile(both("ShowCmd=3\r\nNormPos=100,100,700,700\r\n"));
    open();
    EXPECT_TRUE(IsZoomed(form->handle()));
    EXPECT_EQ(normalRect().left, 100);
    form.reset();

    // Hexadecimal is read too; a position saved at 120 pixels per inch is
    // not applied at another resolution.
    writeSettingsFile(both("ShowCmd=$3\r\nPixelsPerInch=0x78\r\nNormPos=100,100,700,700\r\n"));
    open();
    EXPECT_TRUE(IsZoomed(form->handle()));
    EXPECT_EQ(normalRect().left, 1255);
    form.reset();

    writeSettingsFile(section("Placement", "ShowCmd=3\r\n"));
    open();
    EXPECT_FALSE(IsZoomed(form->handle())) << "no state in \"Controls\": its pass restores the normal state";
    form.reset();

    for (const char* showCmd : {"0", "4", "8", "-1", "12", "garbage"}) {
        writeSettingsFile(both(std::string("ShowCmd=") + showCmd + "\r\n"));
        open();
        EXPECT_FALSE(IsZoomed(form->handle())) << showCmd;
        EXPECT_FALSE(IsIconic(form->handle())) << showCmd;
        form.reset();
    }
}

TEST_F(SettingsTest, ShowCmd2MinimizesTheProgramOnceItsWindowIsUp)
{
    writeSettingsFile(section("Placement", "ShowCmd=2\r\n"));
    Application& application = *Application::instance();
    app::TForm1* main = &application.createForm<app::TForm1>(module);
    ASSERT_EQ(application.mainForm(), main);
    main->show();
    EXPECT_FALSE(IsIconic(main->handle())) << "the form itself comes up normal";
    EXPECT_TRUE(pumpUntil([&] { return IsIconic(main->handle()) != FALSE; }));
    // Closing while minimized keeps it minimized for the next run.
    ASSERT_TRUE(main->closeQuery());
    EXPECT_NE(readSettingsFile().find("ShowCmd=2"), std::string::npos);
    application.destroyMainForm();
    EXPECT_EQ(application.mainForm(), nullptr);
}

TEST_F(SettingsTest, AnUnwritableFileGivesAtMostFourErrorBoxesAndTheWindowStillGoes)
{
    open();
    // A folder in the file's place: the system can write no key there.
    removeSettingsFile();
    ASSERT_TRUE(CreateDirectoryA(settingsFilePath().c_str(), nullptr));
    {
        MessageBoxWatcher watcher(Application::instance()->title());
        closeWindow();
        pumpUntil([&] { return watcher.count() >= 4; }, 10000);
        EXPECT_EQ(watcher.texts(), std::vector<std::string>(4, "Unable to write to Spy.ini."));
    }
    EXPECT_FALSE(form);
    RemoveDirectoryA(settingsFilePath().c_str());
}

} // namespace
