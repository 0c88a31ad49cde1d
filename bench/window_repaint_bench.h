#pragma once

namespace ovelix::bench {

// Prints the main window's full repaint time against its floor; false when it could not run.
bool BenchWindowRepaint();

}  // namespace ovelix::bench
