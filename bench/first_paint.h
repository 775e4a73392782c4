#pragma once

// Ends the process right after the first window's first paint, before any teardown, so that
// a start-up is measured to what the user sees and no further. Call before the application
// object exists: it hooks itself in when that is made, by whichever library makes it.
void endAtFirstPaint();
