// Tells whoever started quarten that it is ready for the user, through QUARTEN_READY_FD.
#pragma once

class QWidget;

namespace quarten {

// When the environment variable QUARTEN_READY_FD holds the number of an open file
// descriptor, writes the line "ready" to it and closes it once the event loop runs and the
// window, if it is shown, has been painted; with the window hidden (tray start) at the
// first turn of the event loop. The variable is removed so that programs started later do
// not inherit it. Without the variable nothing happens. Benchmarks and test drivers use it
// to time the start from outside.
void AnnounceReadyWhenShown(QWidget* window);

}  // namespace quarten
