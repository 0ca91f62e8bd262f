#pragma once
// Explanation window of the stall-detection hardware: a fixed description, a picture, and the
// stall explanation of the clock at which the window was loaded.

#include "ui/form.h"

namespace corvexa {

class frmStall_Help : public Form {
public:
    explicit frmStall_Help(Desk &desk);
    void Form_Load() override;
};

} // namespace corvexa
