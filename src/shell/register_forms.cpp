#include "shell/all_forms.h"

namespace corvexa {

void RegisterShellForms(Desk &desk) { (void)desk; }

} // namespace corvexa
