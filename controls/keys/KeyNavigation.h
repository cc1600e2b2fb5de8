#pragma once
// The Enter and arrow-key moves of the simple controls (check box, radio button, masked edit):
// the form's key handler runs first, then the control tests the key as it came in.

#include "controls/keys/ControlEvents.h"
#include "controls/keys/KeyStyles.h"

class QKeyEvent;
class QWidget;

namespace controls {

// The style that gives an arrow key its move, and its direction; false for other keys.
bool arrowStyleOf(int key, TKeyStyle& style, bool& forward);

// Runs the key through the form's handlers and the key styles. True when the key has been
// used up (a focus move, or a handler cleared it); false when the platform should handle it.
//  - Arrows: onKeyDown first; then, with an empty shift state, the key as it was before the
//    handler moves the focus when its style is set.
//  - Enter: onKeyPress first; then Enter as it was before the handler moves to the next
//    control when ksEnter is set.
bool handleSimpleKeys(QWidget* self, QKeyEvent* event, TKeyStyles styles, const TKeyEvent& onKeyDown,
                      const TKeyPressEvent& onKeyPress);

} // namespace controls
