#include "pipeline/frmMIPSFiveStageInt.h"

namespace corvexa {

void frmMIPSFiveStageInt::RegisterCommandHandlers() {}

} // namespace corvexa
