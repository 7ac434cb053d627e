// What the secondary windows share: they are top-level windows without a
// QWidget parent, so that disabling the main window (which Qt passes on to
// every child, windows included) leaves them usable; the owner still ends
// them and places them.
#pragma once

class QWidget;

namespace tuner {

// Deletes `dialog` when `owner` is destroyed (nothing when owner is null).
void delete_with_owner(QWidget* dialog, QWidget* owner);

// Moves `dialog` to the centre of `owner`'s frame, or of the primary
// screen's free area when there is no visible owner.
void centre_dialog(QWidget* dialog, const QWidget* owner);

}  // namespace tuner
