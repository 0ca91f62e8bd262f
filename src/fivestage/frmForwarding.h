#pragma once
// Explanation window of the forwarding hardware: a fixed description, a picture, and the
// forwarding explanation of the clock at which the window was loaded.

#include "ui/form.h"

namespace corvexa {

class frmForwarding : public Form {
public:
    explicit frmForwarding(Desk &desk);
    void Form_Load() override;
};

} // namespace corvexa
