// The assignment step behind a key list: which entries need a dialog, what the dialog's
// answer stores and how the button's caption reads.
#pragma once

#include <QWidget>

#include <optional>
#include <string>

#include "buttons/ButtonFunction.h"

namespace quarten {

struct AppContext;

struct ListAssignment {
    ButtonParameters parameters;
    std::string caption;
};

// The parameters and caption for choosing `kind` from a key list, after running the
// entry's dialog when it has one. Nothing when that dialog was cancelled or closed.
// "DPI Switch" (chosen through its sub-list) and "Shift" (whose captions the mode-shift
// rule sets) give their list text and no parameters.
std::optional<ListAssignment> AssignFromList(AppContext& context, QWidget* parent,
                                             AssignmentKind kind);

// "Combo Key-Left Alt+Tab": the list text, "-", then the parts whose code is not 0.
std::string ComboCaption(std::string_view listText, std::string_view modifier,
                         std::string_view key1, std::string_view key2);

}  // namespace quarten
