#include "writers/register_forms.h"
#include "writers/frmWriteFPProg.h"
#include "writers/frmWriteIntProg.h"

namespace corvexa {

void RegisterWriterForms(Desk &desk) {
    desk.RegisterForm("frmWriteIntProg",
                      [](Desk &d) { return std::make_unique<frmWriteIntProg>(d); });
    desk.RegisterForm("frmWriteFPProg",
                      [](Desk &d) { return std::make_unique<frmWriteFPProg>(d); });
}

} // namespace corvexa
