#include "ui/controls.h"

#include "ui/form.h"

namespace corvexa {

void Control::SetListIndex(int i) {
    listIndex = (i >= 0 && i < static_cast<int>(items.size())) ? i : -1;
    if (owner != nullptr) {
        owner->Click(name, index);
    }
}

std::string Control::ListText() const {
    if (listIndex >= 0 && listIndex < static_cast<int>(items.size())) {
        return items[static_cast<size_t>(listIndex)];
    }
    return {};
}

} // namespace corvexa
