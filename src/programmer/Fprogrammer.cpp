#include "programmer/Fprogrammer.h"

namespace brio {

Fprogrammer::Fprogrammer(WindowSystem& windows) : host(windows.createWindow(WindowKind::programmer, *this)) {}

Fprogrammer::~Fprogrammer() = default;

}  // namespace brio
