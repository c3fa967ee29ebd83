#pragma once

#include <memory>

#include "graphics/WindowHost.h"

namespace brio {

// The style programmer window; created hidden at start.
class Fprogrammer : public WindowEvents {
public:
    explicit Fprogrammer(WindowSystem& windows);
    ~Fprogrammer() override;

    HostWindow& window() { return *host; }

private:
    std::unique_ptr<HostWindow> host;
};

}  // namespace brio
