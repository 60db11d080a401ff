#pragma once
// Work that need not hold up the first sight of the window.

#include <functional>

class QWidget;

// Runs Then once Window has drawn its first frame and that frame is out.
void RunAfterFirstFrame(QWidget& Window, std::function<void()> Then);
