#include "shell/all_forms.h"

namespace corvexa {

void RegisterWriterForms(Desk &desk) { (void)desk; }

} // namespace corvexa
