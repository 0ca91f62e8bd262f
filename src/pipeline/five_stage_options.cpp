#include "pipeline/frmMIPSFiveStageInt.h"

namespace corvexa {

void frmMIPSFiveStageInt::RegisterOptionHandlers() {}

} // namespace corvexa
