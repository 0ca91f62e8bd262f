#include "shell/all_forms.h"
#include "writers/frmWriteIntProg.h"

namespace corvexa {

void RegisterWriterForms(Desk &desk) {
    desk.RegisterForm("frmWriteIntProg",
                      [](Desk &d) { return std::make_unique<frmWriteIntProg>(d); });
}

} // namespace corvexa
