#include "dialog/Fdialog.h"

namespace brio {

Fdialog::Fdialog(WindowSystem& windows) : host(windows.createWindow(WindowKind::dialog, *this)) {}

Fdialog::~Fdialog() = default;

}  // namespace brio
