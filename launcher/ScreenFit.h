#pragma once
// A maximised window that really covers the screen.
class QWidget;

namespace launcher {

// On a bare X server (a virtual display without a window manager) nobody acts
// on "maximised": the window keeps its designed size in the corner. A window
// that asks to be maximised is then given the screen's free area itself.
void FitMaximisedWindow(QWidget* window);

}  // namespace launcher
