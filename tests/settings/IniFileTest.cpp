// The settings file's access layer on real files: integer reading, the
// system's handling of quotes and long values, the quoting rule of the
// section access, and write failures.
#include "settings/FormStorage.h"
#include "settings/IniFile.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

using settings::textToInteger;
using settings::TIniFile;

TEST(IntegerText, AcceptsDecimalWithBlanksAndSignAndHexadecimalAfterItsPrefixes)
{
    const std::pair<const char*, int> cases[] = {
        {"12", 12},          {"   12", 12},         {"-7", -7},           {"+7", 7},
        {"$1F", 31},         {"0x1F", 31},          {"0X1f", 31},         {"x1F", 31},
        {"X1F", 31},         {"  $10", 16},         {"  0x10", 16},       {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1}, {"$FFFFFFFF", -1}, {"007", 7},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(textToInteger(text, 99), value) << text;
}

TEST(IntegerText, AnythingElseGivesTheDefault)
{
    for (const char* text : {"", "   ", "12 ", "1.5", "abc", "2147483648", "-2147483649", "$100000000", "0x", "$",
                             "-$1F", "+", "-", "1,2", "9999999999999999999999", "$G1", "0x1G"})
        EXPECT_EQ(textToInteger(text, 99), 99) << '"' << text << '"';
}

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        path = std::string(temp) + "ovistra-ini-test.ini";
        DeleteFileA(path.c_str());
    }
    void TearDown() override
    {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
    }
    void write(const std::string& text)
    {
        std::ofstream(path, std::ios::binary) << text;
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
    }
    std::string text() const
    {
        std::ifstream file(path, std::ios::binary);
        std::stringstream content;
        content << file.rdbuf();
        return content.str();
    }
    std::string path;
};

TEST_F(IniFileTest, ReadsDefaultsWhereNothingIsAndWhatWasWritten)
{
    TIniFile file(path);
    EXPECT_EQ(file.readString("S", "K", "fallback"), "fallback");
    EXPECT_EQ(file.readInteger("S", "K", -5), -5);
    file.writeInteger("S", "Number", -42);
    file.writeBool("S", "Yes", true);
    file.writeBool("S", "No", false);
    file.writeString("S", "Text", "a b");
    EXPECT_EQ(file.readInteger("S", "Number", 0), -42);
    EXPECT_EQ(file.readString("s", "yes", ""), "1") << "section and key names ignore case";
    EXPECT_EQ(file.readString("S", "No", ""), "0");
    EXPECT_EQ(file.readString("S", "Text", ""), "a b");
    EXPECT_NE(text().find("Number=-42"), std::string::npos);
}

TEST_F(IniFileTest, SeesAtMost2047CharactersAndDropsOneEnclosingPairOfQuotes)
{
    write("[S]\r\nLong=" + std::string(3000, 'v') + "\r\nQuoted=\"in quotes\"\r\nSingle='single'\r\nHex=0x1F\r\n");
    TIniFile file(path);
    EXPECT_EQ(file.readString("S", "Long", ""), std::string(2047, 'v'));
    EXPECT_EQ(file.readString("S", "Quoted", ""), "in quotes");
    EXPECT_EQ(file.readString("S", "Single", ""), "single");
    EXPECT_EQ(file.readInteger("S", "Hex", 0), 31);
}

TEST_F(IniFileTest, TheSectionAccessQuotesValuesEnclosedInLikeQuotesSoTheyReadBackUnchanged)
{
    settings::TFormPlacement placement(nullptr);
    placement.setIniFileName(path);
    placement.setIniSection("Controls");
    for (const std::string value : {"\"C:\\My Pictures\"", "'single'", "\"mixed'", "plain", "\"", ""}) {
        placement.writeString("Folder", value);
        EXPECT_EQ(placement.readString("Folder", "none"), value) << value;
    }
    placement.writeString("Folder", "\"x\"");
    EXPECT_NE(text().find("Folder=\"\"x\"\""), std::string::npos) << text();
}

TEST_F(IniFileTest, AFailedWriteSaysWhichFileItCouldNotWriteTo)
{
    // A folder of that name can be neither read nor written as a file.
    CreateDirectoryA(path.c_str(), nullptr);
    TIniFile file(path);
    try {
        file.writeString("S", "K", "v");
        ADD_FAILURE() << "the write did not fail";
    } catch (const std::exception& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
    }
    EXPECT_EQ(file.readString("S", "K", "kept"), "kept");
    RemoveDirectoryA(path.c_str());
}

} // namespace
