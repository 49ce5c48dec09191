// Resource and command ids of Chimebox. The command numbers are the usual
// ones of a default frame menu.
#pragma once

// Title string, menu, accelerators and icon of the frame.
#define IDR_MAINFRAME 128

// Commands.
#define IDM_FILE_NEW 57600
#define IDM_FILE_OPEN 57601
#define IDM_FILE_SAVE 57603
#define IDM_FILE_SAVE_AS 57604
#define IDM_FILE_PRINT_SETUP 57606
#define IDM_FILE_PRINT 57607
#define IDM_FILE_PRINT_PREVIEW 57609
#define IDM_EDIT_COPY 57634
#define IDM_EDIT_CUT 57635
#define IDM_EDIT_PASTE 57637
#define IDM_EDIT_UNDO 57643
#define IDM_APP_ABOUT 57664
#define IDM_APP_EXIT 57665
#define IDM_NEXT_PANE 57680
#define IDM_PREV_PANE 57681
