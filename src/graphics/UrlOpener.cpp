#include "graphics/UrlOpener.h"

namespace brio {

namespace {

class NoOpener : public UrlOpener {
public:
    bool openUrl(const std::string&) override { return false; }
};

NoOpener noOpener;
UrlOpener* installed = &noOpener;

}  // namespace

UrlOpener& urlOpener() { return *installed; }

void installUrlOpener(UrlOpener* opener) { installed = opener ? opener : &noOpener; }

}  // namespace brio
