#pragma once
// The wizard's client-library controls, on a form of their own, wired as the
// wizard wires them.
#include "dbenv/ServerDetection.h"
#include "forms/Controls.h"
#include "forms/Form.h"

namespace vk::test {

struct GdsPage : forms::Form {
    GdsPage() : Form("fmGds", "", 300, 90) { cbIBClient.onClick = [this] { cbIBClientClick(controls()); }; }

    ClientControls controls() { return {cbIBClient, rbFirebird, rbYaffil}; }

    forms::CheckBox cbIBClient{*this, "cbIBClient", {8, 8, 200, 17}, "Клиент Interbase"};
    forms::RadioButton rbFirebird{*this, "rbFirebird", {24, 32, 200, 17}, "Firebird (1.0.3.972)", {.checked = true}};
    forms::RadioButton rbYaffil{*this, "rbYaffil", {24, 56, 200, 17}, "Yaffil (1.1.3.854)"};
};

}  // namespace vk::test
