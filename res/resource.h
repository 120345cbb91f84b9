// Resource ids of the executable, shared by the C++ sources and the resource compiler.
#pragma once

#define IDD_MAIN_DIALOG 102
#define IDR_MAINFRAME 128
#define IDB_LOGO 130

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
