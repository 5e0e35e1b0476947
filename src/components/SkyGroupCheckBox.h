#pragma once
// TSkyGroupCheckBox: a check box that enables its siblings carrying the same Tag while it
// is checked and disables them otherwise, each time its state is set.
#include "components/Controls.h"

namespace zerbo {

class TSkyGroupCheckBox : public TCheckBox {
public:
    using TCheckBox::TCheckBox;
    TControlKind Kind() const override { return TControlKind::GroupCheckBox; }

    // Whether Tag 0 also forms a group; off, a check box with Tag 0 affects nothing.
    bool ActiveTag0 = false;

    // Applies the state to the group; runs on every set of the state and when the
    // control's window is created.
    void UpdateGroup();

protected:
    void StateSet() override { UpdateGroup(); }
};

} // namespace zerbo
