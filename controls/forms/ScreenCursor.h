#pragma once
// The program-wide screen cursor (Screen.Cursor) on Qt's override cursor: busy while a form
// opens or closes, back to the default afterwards.

namespace controls {

void SetBusyScreenCursor();
// Removes every override, so the default cursor shows again.
void ResetScreenCursor();

} // namespace controls
