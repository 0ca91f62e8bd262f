#include "pipeline/frmMIPSFiveStageInt.h"

namespace corvexa {

void frmMIPSFiveStageInt::RegisterFileHandlers() {}

} // namespace corvexa
