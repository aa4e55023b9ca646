#pragma once
// Resource identifiers, shared by resources.rc and the program's code: plain
// #defines only, so that the resource compiler reads this file as well.

// The program icon. Its id is the lowest of all icon groups, so it is also the
// executable's icon.
#define IDI_APP_ICON 1

// The 600 x 200 banner picture across the top of the main window.
#define IDB_BANNER 101

// The pointing hand shown over the link labels.
#define IDC_HAND_POINTER 102
