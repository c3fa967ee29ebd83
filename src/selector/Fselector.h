#pragma once

#include <memory>

#include "graphics/WindowHost.h"

namespace brio {

// The popup that serves as every menu and chooser; created hidden at start.
class Fselector : public WindowEvents {
public:
    explicit Fselector(WindowSystem& windows);
    ~Fselector() override;

    HostWindow& window() { return *host; }

private:
    std::unique_ptr<HostWindow> host;
};

}  // namespace brio
