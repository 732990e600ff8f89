// Values of the settings file, which any editor may have written: integer
// reading, position lists, and a stored property set from its text.
#include "FuzzTarget.h"
#include "Gadget.h"

#include "settings/IniValues.h"

#include <string>
#include <string_view>

FUZZ_TARGET(settings_values)
{
    const std::string text(reinterpret_cast<const char*>(data), size);

    const std::int32_t number = settings::textToInteger(text, 99);
    // A value read is read again from its decimal form.
    fuzz::check(settings::textToInteger(std::to_string(number), 0) == number, "an integer that does not read back");

    std::size_t letters = 0;
    for (const std::string& word : settings::positionWords(text)) {
        fuzz::check(!word.empty() && word.find_first_of(" ,") == std::string::npos, "a word with a separator");
        letters += word.size();
    }
    fuzz::check(letters <= text.size(), "more letters than the text holds");

    fuzz::Gadget stored(nullptr);
    for (const toolkit::PropInfo& property : fuzz::Gadget::classInfo.ownProperties())
        settings::setFromStoredText(stored, property, text);
    const int shape = stored.get<int, fuzz::Gadget::Shape>();
    fuzz::check(shape >= 0 && shape < 3, "an enumeration out of its range");
    fuzz::check(stored.get<std::string, fuzz::Gadget::Caption>() == text, "a text stored otherwise than read");
}
