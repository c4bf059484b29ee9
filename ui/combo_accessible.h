// SPDX-License-Identifier: GPL-3.0-or-later
// A screen reader's view of a combo box: its name says what it is for, its value what it holds.
#pragma once

namespace hengtiebao {

// On Linux the toolkit names a combo box by its current text ("7.85", "20×3"), so a screen reader
// hears a value where it needs a name. Installs, once per process, an accessible view of every
// combo box that takes its name from accessibleName (or its buddy label) and its value from the
// edit field.
void nameComboBoxesByPurpose();

}  // namespace hengtiebao
