#include "platform/DesktopScale.h"

#include <X11/Xlib.h>

#include <cmath>
#include <cstdlib>
#include <sstream>

namespace brio {

namespace {

constexpr int largestScale = 3;

// The number a whole text holds, or none.
std::optional<double> numberIn(const char* text) {
    if (!text || !*text) return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    while (end && (*end == ' ' || *end == '\t')) ++end;
    if (end == text || (end && *end) || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<int> wholeScale(std::optional<double> value) {
    if (!value || *value < 1.0 || *value >= largestScale + 1) return std::nullopt;
    return int(*value);
}

}  // namespace

std::optional<int> scaleFromEnvironment(const char* gdkScale, const char* qtScaleFactor) {
    const std::optional<double> gdk = numberIn(gdkScale);
    if (gdk && *gdk == std::floor(*gdk)) {
        if (const auto scale = wholeScale(gdk)) return scale;
    }
    return wholeScale(numberIn(qtScaleFactor));
}

int scaleFromDpi(const std::optional<std::string>& dpiText) {
    const auto dpi = numberIn(dpiText ? dpiText->c_str() : nullptr);
    if (dpi && *dpi >= 240) return 3;
    if (dpi && *dpi >= 144) return 2;
    return 1;
}

int desktopScale(const char* gdkScale, const char* qtScaleFactor, const std::optional<std::string>& dpiText) {
    return scaleFromEnvironment(gdkScale, qtScaleFactor).value_or(scaleFromDpi(dpiText));
}

std::optional<std::string> xftDpi() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return std::nullopt;
    std::optional<std::string> found;
    if (const char* resources = XResourceManagerString(display)) {
        std::istringstream lines(resources);
        for (std::string line; std::getline(lines, line);) {
            if (line.rfind("Xft.dpi:", 0) != 0) continue;
            const size_t value = line.find_first_not_of(" \t", 8);
            found = value == std::string::npos ? std::string() : line.substr(value);
        }
    }
    XCloseDisplay(display);
    return found;
}

}  // namespace brio
