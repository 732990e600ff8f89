// Thousands of generated settings files through the restore path of the
// real window: random bytes, huge numbers, empty lists, runs of commas.
// Nothing may crash or throw, and the controls change only as the values
// that the system reads from the file say.
#include "app/MainForm.h"
#include "settings/IniFile.h"
#include "support/SettingsFile.h"
#include "support/WindowTesting.h"
#include "toolkit/core/Text.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <random>

namespace {

using namespace testing_support;

const char* const keys[] = {"FormVersion", "Flags", "ShowCmd", "PixelsPerInch", "MinMaxPos", "NormPos",
                            "NormPos(1920x1080)", "MinMaxPos(1920x1080)", "Visible", "SearchPictureDLG_InitialDir",
                            "SaveDialog1_InitialDir", "CBShowObject_Checked", "Color16_Checked", "Color16M_Checked",
                            "Color256_Checked", "Color32bit_Checked", "Color64K_Checked"};

std::string enclosed(const char* before, const std::string& text, const char* after)
{
    std::string result(before);
    result += text;
    result += after;
    return result;
}

class Generator {
public:
    explicit Generator(unsigned seed) : random_(seed) {}

    std::string file()
    {
        std::string text;
        const int sections = pick(0, 3);
        for (int s = 0; s < sections; ++s) {
            text += pick(0, 9) == 0 ? enclosed("[", bytes(pick(0, 8)), "]\r\n") : (pick(0, 1) ? "[Controls]\r\n" : "[Placement]\r\n");
            const int lines = pick(0, 20);
            for (int l = 0; l < lines; ++l)
                text += std::string(keys[pick(0, std::size(keys) - 1)]) + "=" + value() + "\r\n";
        }
        return text;
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    std::string bytes(int count)
    {
        std::string text;
        for (int i = 0; i < count; ++i) {
            char c = static_cast<char>(pick(1, 255));
            if (c == '\r' || c == '\n') c = ' ';
            text += c;
        }
        return text;
    }

    std::string number()
    {
        static const char* const special[] = {"2147483647", "2147483648", "-2147483648", "-2147483649",
                                              "99999999999999999999999", "$FFFFFFFF", "$100000000", "0x7FFFFFFF",
                                              "0x", "$", "-", "+", "-0", "0x-1"};
        if (pick(0, 2) == 0) return special[pick(0, std::size(special) - 1)];
        return std::to_string(pick(-100000, 100000));
    }

    std::string value()
    {
        switch (pick(0, 9)) {
        case 0: return bytes(pick(0, 40));
        case 1: return number();
        case 2: return "";
        case 3: return std::string(static_cast<std::size_t>(pick(1, 5000)), ',');
        case 4: {
            std::string list;
            const int count = pick(0, 7);
            for (int i = 0; i < count; ++i) list += number() + std::string(static_cast<std::size_t>(pick(0, 3)), pick(0, 1) ? ',' : ' ');
            return list;
        }
        case 5: return pick(0, 1) ? "True" : "false";
        case 6: return pick(0, 1) ? "TRUE" : "tRuE";
        case 7: return std::string(static_cast<std::size_t>(pick(0, 3000)), 'x');
        case 8: return pick(0, 1) ? "\"quoted\"" : enclosed("'", bytes(pick(0, 5)), "'");
        default: return std::to_string(pick(-3, 12));
        }
    }

    std::mt19937 random_;
};

// What the system reads from the file for a key, as the restore pass does.
std::string readKey(const char* section, const std::string& key)
{
    char buffer[2048];
    const DWORD length = GetPrivateProfileStringA(section, key.c_str(), "\x01", buffer, sizeof buffer, "Spy.ini");
    const std::string text(buffer, length);
    return text == "\x01" ? "\x01" : toolkit::trimBlanks(text);
}

TEST(SettingsFuzz, GeneratedFilesChangeControlsOnlyAsTheirValuesSay)
{
    removeSettingsFile();
    app::MainModule module;
    auto form = std::make_unique<app::TForm1>(nullptr, module);
    form->show();
    toolkit::RadioButton* const radios[] = {form->Color16, form->Color16M, form->Color256, form->Color32bit,
                                            form->Color64K};
    const char* const radioKeys[] = {"Color16_Checked", "Color16M_Checked", "Color256_Checked", "Color32bit_Checked",
                                     "Color64K_Checked"};
    Generator generate(20261208);
    for (int round = 0; round < 2000; ++round) {
        SCOPED_TRACE(round);
        writeSettingsFile(generate.file());
        const bool checkedBefore = form->CBShowObject->checked();
        const std::string folderBefore = form->SaveDialog1->initialDir();

        ASSERT_NO_THROW(form->FormPlacement1->restoreFormPlacement());
        ASSERT_NO_THROW(form->FormStorage1->restoreFormPlacement());
        pumpPending();
        ASSERT_TRUE(IsWindow(form->handle()));

        char version[64];
        GetPrivateProfileStringA("Controls", "FormVersion", "", version, sizeof version, "Spy.ini");
        const std::string versionText = toolkit::trimBlanks(version);
        // Only a version below 0 stops the section; what is not a number
        // reads as 0.
        const bool applied = settings::textToInteger(toolkit::trimBlanks(version), 0) >= 0;
        const std::string checkText = readKey("Controls", "CBShowObject_Checked");
        const bool isTrue = toolkit::sameTextAscii(checkText, "true"), isFalse = toolkit::sameTextAscii(checkText, "false");
        if (applied && (isTrue || isFalse)) {
            ASSERT_EQ(form->CBShowObject->checked(), isTrue) << checkText;
        } else {
            ASSERT_EQ(form->CBShowObject->checked(), checkedBefore) << checkText;
        }

        int checked = 0;
        for (auto* radio : radios) checked += radio->checked();
        ASSERT_LE(checked, 1);
        int lastTrue = -1;
        for (int i = 0; i < 5; ++i)
            if (toolkit::sameTextAscii(readKey("Controls", radioKeys[i]), "true")) lastTrue = i;
        if (applied && lastTrue >= 0) {
            ASSERT_TRUE(radios[lastTrue]->checked());
        }

        const std::string folder = readKey("Controls", "SaveDialog1_InitialDir");
        ASSERT_EQ(form->SaveDialog1->initialDir(), applied && folder != "\x01" ? folder : folderBefore);
    }
    form.reset();
    removeSettingsFile();
}

} // namespace
