#pragma once

#include <memory>

#include "graphics/WindowHost.h"

namespace brio {

// The dialog window for the options, about and hot-key pages; created hidden at start.
class Fdialog : public WindowEvents {
public:
    explicit Fdialog(WindowSystem& windows);
    ~Fdialog() override;

    HostWindow& window() { return *host; }

private:
    std::unique_ptr<HostWindow> host;
};

}  // namespace brio
