// Window pointers shared by the whole program; each is null while its window does not exist.
#pragma once

class wxStyledTextCtrl;
class ErrorDlg;
class HelpDlg;
class wxDialog;

extern wxStyledTextCtrl* glStyledTextCtrl;  // the script editor, set once by the main window
extern ErrorDlg* glErrorDlg;                // the error window
extern wxDialog* glTerminalDlg;             // the terminal window (opened by the serial tools)
extern HelpDlg* glHelpDlg;                  // the help window
