#pragma once

#include <string>

namespace brio {

// Hands a web address or a local file to the desktop's default program for it.
class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    // False when nothing could be started for it.
    virtual bool openUrl(const std::string& url) = 0;
};

// The installed opener; until the platform installs one, every open fails.
UrlOpener& urlOpener();
// Installs `opener` (the caller keeps ownership); nullptr restores the failing default.
void installUrlOpener(UrlOpener* opener);

}  // namespace brio
