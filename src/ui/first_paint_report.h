#pragma once
// Start-up timing. When the environment variable QUILLMAR_FIRST_PAINT_REPORT
// names a file, the program writes the CLOCK_MONOTONIC time (nanoseconds) of
// its window's first paint there and ends at once. The start-up benchmark
// uses it to compare this program with a minimal dialog, measured the same way.

class QWidget;

namespace quillmar {

// Watches `window` when the variable is set; does nothing otherwise.
void ReportFirstPaintIfAsked(QWidget* window);

}  // namespace quillmar
