#include "components/SkyGroupCheckBox.h"

namespace zerbo {

void TSkyGroupCheckBox::UpdateGroup() {
    if (!Parent() || (Tag == 0 && !ActiveTag0)) return;
    const bool enabled = Checked();
    for (TControl* c : Parent()->Controls())
        if (c != this && c->Tag == Tag) c->SetEnabled(enabled);
}

} // namespace zerbo
