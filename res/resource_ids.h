// Identifiers of the program's resources, shared by the resource script and
// the code that loads them. Plain #defines so that windres can read them too.
#pragma once

// Interface texts: the block 65504..65519 holds three, 65520..65535 sixteen.
#define IDS_COLOR_MIXED_3 65504 // colour list position 7
#define IDS_MONEY_LABEL 65505   // MoneyLabel
#define IDS_MONEY_UNIT 65506    // MoneyUnitLabel, right of MoneyBox
#define IDS_PASSWORD_LABEL 65520
#define IDS_HERO_LABEL 65521
#define IDS_PLANET_LABEL 65522
#define IDS_DIVISION_LABEL 65523
#define IDS_CAR_LABEL 65524
#define IDS_COLOR_LABEL 65525
#define IDS_DIFFICULTY_LABEL 65526
#define IDS_HELP_TEXT 65527
#define IDS_CAPTION 65528       // window caption, before " 2.1"
#define IDS_COLOR_BLACK 65529   // colour list position 0
#define IDS_COLOR_BLUE 65530    // 1
#define IDS_COLOR_RED 65531     // 2, selected at start
#define IDS_COLOR_GREEN 65532   // 3
#define IDS_COLOR_GOLD 65533    // 4
#define IDS_COLOR_MIXED_1 65534 // 5
#define IDS_COLOR_MIXED_2 65535 // 6

// Bitmaps: the sheet of upgrade pictures and item icons, the emblem, the two
// car pictures and the extra drop-item icon.
#define IDB_SHEET 1
#define IDB_EMBLEM 2
#define IDB_CAR_1 3
#define IDB_CAR_2 4
#define IDB_EXTRA_ICON 5

// Icon group of the window class and the file.
#define IDI_APP 1
