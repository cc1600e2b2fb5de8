#pragma once
// Pixel sizes between screen densities and the frame allowance of the forms' design heights.

namespace core {

// The main form's density in pixels per inch. The program installs the Qt source at start-up
// (QtShellDialogs.h: the logical density of the main window's screen); without one, 96.
using TPixelsPerInchSource = int (*)();
TPixelsPerInchSource SetPixelsPerInchSource(TPixelsPerInchSource source);
int MainFormPixelsPerInch();

// value × target / source with the fraction cut off; source 0 means MainFormPixelsPerInch();
// equal densities give the value unchanged.
int ScaleByDpi(int value, int targetDpi, int sourceDpi = 0);

// The sizing-frame height (Windows' SM_CYFRAME) that the design heights allow for. Qt sizes a
// form by its client area and the window manager draws the frame outside it, so there is no
// frame to allow for: 4, the height at which the adjustment below is none.
int SystemFrameHeight();

// With f the frame height: unchanged when 2f is 8 or at most 6; kind 0 gives
// height − 2f + 8, kind 1 height − 4f + 16, other kinds the height unchanged.
int AdjustFrameHeight(int height, int kind, int frameHeight);
inline int AdjustFrameHeight(int height, int kind) { return AdjustFrameHeight(height, kind, SystemFrameHeight()); }

} // namespace core
