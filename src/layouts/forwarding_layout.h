#pragma once
// Design state of the forwarding explanation window.

#include "ui/layout.h"

namespace corvexa {

inline constexpr int kForwardingLeft = 375;
inline constexpr int kForwardingTop = 345;

const FormLayout &ForwardingLayout();

} // namespace corvexa
