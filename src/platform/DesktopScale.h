#pragma once

#include <optional>
#include <string>

namespace brio {

// The scale the desktop asks for, 1..3: GDK_SCALE (a whole number), else QT_SCALE_FACTOR (its
// whole part), else the X resource Xft.dpi (144 and more 2, 240 and more 3), else 1. A value
// that is missing, not a number or outside 1..3 is passed over.
int desktopScale(const char* gdkScale, const char* qtScaleFactor, const std::optional<std::string>& xftDpi);
// Its two parts: the environment's word (none when it says nothing usable), and the dpi's.
std::optional<int> scaleFromEnvironment(const char* gdkScale, const char* qtScaleFactor);
int scaleFromDpi(const std::optional<std::string>& xftDpi);

// The X server's Xft.dpi resource, as text; none without a display or the resource.
std::optional<std::string> xftDpi();

}  // namespace brio
