#include "pipeline/frmMIPSFiveStageInt.h"

namespace corvexa {

void frmMIPSFiveStageInt::RegisterExplainHandlers() {}

} // namespace corvexa
