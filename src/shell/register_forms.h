#pragma once
// The splash, the main window and the about box, registered for creation on first use.

#include "ui/desk.h"

namespace corvexa {

void RegisterShellForms(Desk &desk);

} // namespace corvexa
