#pragma once

// Identifiers of the resources built into the program (shared with the .rc file).
#define IDI_PROGRAM 1
#define IDB_LOGO 101
#define IDB_FIX_GLYPH 102
#define IDB_DONATE_WEBMONEY 104
#define IDB_DONATE_SMS 105
#define IDB_DONATE_BANNER 106
