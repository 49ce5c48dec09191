// Dialog templates are laid out in dialog units of their font, which does
// not grow in step with the DPI (a 10-point font is 13 pixels at 96 DPI, 20
// at 144). A dialog at another DPI is laid out as at 96 DPI and then scaled,
// so that it keeps its 96-DPI proportions at every scale.
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

namespace nightlatch {

// Moves and sizes the dialog and its template's controls, right after the
// dialog manager made them: the 96-DPI rectangle times the window's DPI.
// Does nothing at 96 DPI.
void ScaleTemplateLayout(HWND dialog);

// Moves and sizes the dialog's controls from a layout at `from` DPI to one at
// `to`; the lengths at 96 DPI come back exactly from a scale of at least 1.
// Combo boxes keep their closed height apart: a new font sets it anew.
void RescaleControls(HWND dialog, int from, int to);
// Each combo box's closed height at `to`, read before a change of font.
std::vector<std::pair<HWND, int>> RescaledComboHeights(HWND dialog, int from, int to);

// Leaves a dialog's DPI changes to us: under per-monitor v2 the system would
// otherwise resize it and its controls by itself (Windows 10 1703 on).
void TakeOverDpiChanges(HWND dialog);

// Makes a closed combo box `height` pixels high through its selection
// field's height (the frame around it stays as it is).
void SetClosedComboHeight(HWND combo, int height);

}  // namespace nightlatch
