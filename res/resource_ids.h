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

// The dialog that reads a password back, its controls, and the item of the
// window's system menu that opens it (a multiple of 16, as system menu
// commands are).
#define IDD_PASSWORD_DIALOG 100
#define IDC_PASSWORD_PROMPT 1001
#define IDC_PASSWORD_FIELD 1002
#define IDC_PASSWORD_STATUS 1003
#define IDC_REPAIR_LIST 1004
#define IDC_TAKE_REPAIR 1005
#define IDM_ENTER_PASSWORD 0x0100

// The dialog's texts, and what the tool and the page say of a typed
// password. A text that counts something has three strings in a row, for the
// forms after 1, after 2..4 and after 5 (two in English: after 1, after any
// other count).
#define IDS_ENTER_PASSWORD_ITEM 512 // the system menu item
#define IDS_DIALOG_TITLE 513
#define IDS_TAKE_REPAIR 514
#define IDS_OK 515
#define IDS_CANCEL 516
#define IDS_PASSWORD_BOX_TIP 517
#define IDS_STATUS_EMPTY 518
#define IDS_STATUS_VALID 519 // the dialog's: OK takes the values
#define IDS_STATUS_TAKEN 558 // the page's: the values are taken
#define IDS_STATUS_BAD_CHARACTER 520 // character, its code, place
#define IDS_STATUS_BAD_MARK 542      // the code of one that shows nothing, place
#define IDS_STATUS_LENGTH_ONE 521    // 521..523: count of password characters
#define IDS_STATUS_CHECKS_ONE 524    // 524..526: count, the positions
#define IDS_STATUS_MONEY 527         // the places without a digit
#define IDS_MONEY_HUNDREDS 528 // 528..530: the money places, hundreds first
#define IDS_MONEY_TENS 529
#define IDS_MONEY_UNITS 530
#define IDS_STATUS_HIDDEN 531 // car, the hidden upgrades, the window's password
#define IDS_HIDDEN_SHOCKS 532 // level
#define IDS_HIDDEN_TIRES 533  // level
#define IDS_HIDDEN_AND 534
#define IDS_REPAIRS_ONE 535 // 535..537: count of repairs, to choose in the dialog
#define IDS_REPAIRS_LISTED_ONE 569 // 569..571: count of repairs, listed after it
#define IDS_REPAIRS_NONE 538
#define IDS_REPAIR_LINE 539 // place, old and new character, password, changes
#define IDS_REPAIR_SAME 540
#define IDS_CHANGE 541 // value name, old value, new value
#define IDS_LIST_SEPARATOR 543 // between two entries of a list in a text
// Names of the values in the descriptions of a repair, one for each option
// of the window model, in the options' order from IDS_VALUE_FIRST.
#define IDS_VALUE_FIRST 544
#define IDS_VALUE_DIFFICULTY 544
#define IDS_VALUE_HERO 545
#define IDS_VALUE_CAR 546
#define IDS_VALUE_COLOR 547
#define IDS_VALUE_PLANET 548
#define IDS_VALUE_DIVISION 549
#define IDS_VALUE_MONEY 550
#define IDS_VALUE_WEAPON 551
#define IDS_VALUE_BOOST 552
#define IDS_VALUE_DROP 553
#define IDS_VALUE_ENGINE 554
#define IDS_VALUE_ARMOR 555
#define IDS_VALUE_SHOCKS 556
#define IDS_VALUE_TIRES 557

// What a screen reader hears of the controls beyond their labels: the money
// box's name, and what the icon beside an item bar shows, one text for each
// of the window model's item icons, in their order from IDS_ICON_FIRST.
#define IDS_MONEY_NAME 560
#define IDS_ICON_FIRST 561
#define IDS_ICON_TURRET 561
#define IDS_ICON_MINE 562
#define IDS_ICON_GAS_BOTTLES 563
#define IDS_ICON_POSTS 564
#define IDS_ICON_PAIL 565
#define IDS_ICON_DRUM 566
#define IDS_ICON_ROCKET 567
#define IDS_ICON_EXTRA_DROP 568

// The bars' labels, which the window shows as pictures only: the names of
// the bars for a screen reader and in the tool's listing, as the other
// labels are.
#define IDS_WEAPON_LABEL 592
#define IDS_BOOST_LABEL 593
#define IDS_DROP_LABEL 594
#define IDS_ENGINE_LABEL 595
#define IDS_ARMOR_LABEL 596
#define IDS_SHOCKS_LABEL 597
#define IDS_TIRES_LABEL 598

// The separators' text, which their height hides, and the message box of a
// window that cannot be made.
#define IDS_SEPARATOR 608
#define IDS_CREATE_FAILED 609
#define IDS_CREATE_FAILED_TITLE 610

// Bitmaps: the sheet of upgrade pictures and item icons, the emblem, the two
// car pictures and the extra drop-item icon.
#define IDB_SHEET 1
#define IDB_EMBLEM 2
#define IDB_CAR_1 3
#define IDB_CAR_2 4
#define IDB_EXTRA_ICON 5

// Icon group of the window class and the file.
#define IDI_APP 1
