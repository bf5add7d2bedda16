#include "app/Globals.h"

wxStyledTextCtrl* glStyledTextCtrl = nullptr;
ErrorDlg* glErrorDlg = nullptr;
wxDialog* glTerminalDlg = nullptr;
HelpDlg* glHelpDlg = nullptr;
