#pragma once
// The two program writers, registered for creation on first use.

#include "ui/desk.h"

namespace corvexa {

void RegisterWriterForms(Desk &desk);

} // namespace corvexa
