#pragma once
// A form's placement in a settings section: written from and read into the
// system's placement record, so the normal rectangle survives while the
// form is maximized or minimized.
//   Flags, ShowCmd, PixelsPerInch         decimal integers
//   MinMaxPos(<w>x<h>), MinMaxPos          minimized x, y, maximized x, y
//   NormPos(<w>x<h>), NormPos              left, top, right, bottom
// The keys with the screen-size suffix keep one position per screen size;
// the plain keys hold the last one saved.
#include "toolkit/forms/Form.h"

#include <cstdint>
#include <string>

namespace settings {

// The keyed values of one section, as a settings component offers them.
class PlacementSection {
public:
    virtual std::string readString(const std::string& key, const std::string& fallback) = 0;
    virtual void writeString(const std::string& key, const std::string& value) = 0;
    virtual std::int32_t readInteger(const std::string& key, std::int32_t fallback) = 0;
    virtual void writeInteger(const std::string& key, std::int32_t value) = 0;

protected:
    ~PlacementSection() = default;
};

// "(<width>x<height>)" of the primary screen now.
std::string screenSizeSuffix();
int screenPixelsPerInch();

void writePlacement(toolkit::Form& form, PlacementSection& section);
// `position`: flags and positions; `state`: normal, minimized or maximized.
void readPlacement(toolkit::Form& form, PlacementSection& section, bool position, bool state);
// Sets the maximized position to just beyond the screen by the form's
// frame, so that a maximized form shows no frame.
void updateMaximizedPosition(toolkit::Form& form);

} // namespace settings
