// Dialog templates are laid out in dialog units of their font, which does
// not grow in step with the DPI (a 10-point font is 13 pixels at 96 DPI, 20
// at 144). A dialog at another DPI is laid out as at 96 DPI and then scaled,
// so that it keeps its 96-DPI proportions at every scale.
#pragma once

#include <windows.h>

namespace nightlatch {

// Moves and sizes the dialog and its template's controls, right after the
// dialog manager made them: the 96-DPI rectangle times the window's DPI.
// Does nothing at 96 DPI.
void ScaleTemplateLayout(HWND dialog);

// Makes a closed combo box `height` pixels high through its selection
// field's height (the frame around it stays as it is).
void SetClosedComboHeight(HWND combo, int height);

}  // namespace nightlatch
