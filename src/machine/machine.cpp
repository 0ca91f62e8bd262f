#include "machine/machine.h"

namespace corvexa {

void Machine::FillPadTables() {
    for (size_t k = 0; k < ZeroPad.size(); ++k) {
        ZeroPad[k] = std::string(k, '0');
        OnePad[k] = std::string(k, '1');
    }
    for (size_t k = 0; k < FPad.size(); ++k) {
        FPad[k] = std::string(k, 'F');
    }
}

} // namespace corvexa
