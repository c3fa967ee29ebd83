#include "selector/Fselector.h"

namespace brio {

Fselector::Fselector(WindowSystem& windows) : host(windows.createWindow(WindowKind::selector, *this)) {}

Fselector::~Fselector() = default;

}  // namespace brio
