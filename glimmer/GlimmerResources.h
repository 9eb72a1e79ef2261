// Resource ids of the splash-screen library.
#pragma once

#define IDD_SPLASH 101
#define IDS_ACTIVATE 100
#define IDC_DEACTIVATE 1000
