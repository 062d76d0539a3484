#pragma once
// Numbers of the program's own strings in the resource string table.
#define IDS_HOMEPAGE 1001
#define IDS_EMAIL 1002
#define IDS_CREDITS 1003

// The interface's texts: one table a language (Tintra.rc), the same numbers
// in each. "{0}" stands for the name put in.
#define IDS_MENU_FILE 2000
#define IDS_MENU_EDIT 2001
#define IDS_MENU_VIEW 2002
#define IDS_MENU_SETTINGS 2003
#define IDS_MENU_HELP 2004
#define IDS_ACT_NEW 2005
#define IDS_ACT_OPEN 2006
#define IDS_ACT_SAVE 2007
#define IDS_ACT_SAVE_AS 2008
#define IDS_ACT_EXIT 2009
#define IDS_ACT_COPY 2010
#define IDS_ACT_PASTE 2011
#define IDS_ACT_INSERT 2012
#define IDS_ACT_DELETE 2013
#define IDS_ACT_UP 2014
#define IDS_ACT_DOWN 2015
#define IDS_ACT_STAY_ON_TOP 2016
#define IDS_ACT_ZOOM 2017
#define IDS_ACT_ABOUT 2018
#define IDS_ACT_HOME_PAGE 2019
#define IDS_ACT_HEX_ORDER 2020
#define IDS_ACT_RGB 2021
#define IDS_ACT_BGR 2022
#define IDS_ACT_LANGUAGE 2023
#define IDS_ACT_LANG_AUTO 2024
#define IDS_ACT_LANG_JAPANESE 2025
#define IDS_ACT_LANG_ENGLISH 2026
#define IDS_LANGUAGE_HINT 2027
#define IDS_LANGUAGE_CHANGED 2028

#define IDS_LABEL_COLOR 2040
#define IDS_LABEL_RED 2041
#define IDS_LABEL_GREEN 2042
#define IDS_LABEL_BLUE 2043
#define IDS_LABEL_HUE 2044
#define IDS_LABEL_SATURATION 2045
#define IDS_LABEL_VALUE 2046
#define IDS_LABEL_HSL_HUE 2047
#define IDS_LABEL_HSL_SATURATION 2048
#define IDS_LABEL_LIGHTNESS 2049
#define IDS_LABEL_Y 2050
#define IDS_LABEL_CB 2051
#define IDS_LABEL_CR 2052

#define IDS_COL_NUMBER 2056
#define IDS_COL_SWATCH 2057
#define IDS_COL_HEX 2058
#define IDS_COL_RED 2059
#define IDS_COL_GREEN 2060
#define IDS_COL_BLUE 2061
#define IDS_COL_COMMENT 2062

#define IDS_UNTITLED 2064
#define IDS_MODIFIED_MARK 2065
#define IDS_ASK_SAVE 2066
#define IDS_NOT_DATA_FILE 2067
#define IDS_CREATE_FAILED 2068
#define IDS_DELETE_BACKUP_FAILED 2069
#define IDS_BACKUP_FAILED 2070
#define IDS_FILTER_SAVE 2071
#define IDS_FILTER_OPEN 2072
#define IDS_DEPTH_WARNING 2073
#define IDS_CLIPBOARD_BUSY 2074
#define IDS_OUT_OF_MEMORY 2075

#define IDS_ABOUT_CAPTION 2080
#define IDS_ABOUT_CLOSE 2081

// Font faces of the interface: proportional and fixed pitch, per language.
#define IDS_FONT_UI 2088
#define IDS_FONT_FIXED 2089

// Copy as a format, the comparison colour, the eyedropper's options.
#define IDS_ACT_COPY_AS 2100
#define IDS_ACT_EDIT_FORMATS 2101
#define IDS_ACT_SET_COMPARE 2102
#define IDS_ACT_SHOW_CONTRAST 2103
#define IDS_ACT_SAMPLING 2104
#define IDS_ACT_SAMPLING_1 2105
#define IDS_ACT_SAMPLING_3 2106
#define IDS_ACT_SAMPLING_5 2107
#define IDS_ACT_SAMPLING_9 2108
#define IDS_ACT_SAMPLING_5_MODE 2109
#define IDS_ACT_HOT_KEY 2110

#define IDS_HOT_KEY_CAPTION 2120
#define IDS_HOT_KEY_LABEL 2121
#define IDS_HOT_KEY_NONE 2122
#define IDS_HOT_KEY_ADD_TO_LIST 2123
#define IDS_HOT_KEY_TAKEN 2124
#define IDS_BUTTON_CANCEL 2125

#define IDS_FORMATS_CAPTION 2130
#define IDS_FORMATS_LABEL 2131
#define IDS_FORMATS_ADD 2132
#define IDS_FORMATS_CHANGE 2133
#define IDS_FORMATS_DELETE 2134
#define IDS_FORMATS_UP 2135
#define IDS_FORMATS_DOWN 2136
#define IDS_FORMATS_TEMPLATE 2137
#define IDS_FORMATS_BUILT_IN 2138
#define IDS_FORMATS_USER 2139
#define IDS_FORMATS_FAULTY 2140
#define IDS_FORMATS_PREVIEW 2141

#define IDS_TEMPLATE_EMPTY 2150
#define IDS_TEMPLATE_NUL 2151
#define IDS_TEMPLATE_UNMATCHED_CLOSE 2152
#define IDS_TEMPLATE_UNCLOSED 2153
#define IDS_TEMPLATE_UNKNOWN_NAME 2154

#define IDS_CONTRAST_PASS 2160
#define IDS_CONTRAST_FAIL 2161
#define IDS_CONTRAST_NORMAL 2162
#define IDS_CONTRAST_LARGE 2163
#define IDS_CONTRAST_SWAP 2164


// Palette exchange.
#define IDS_ACT_EXPORT 2200
#define IDS_ACT_IMPORT 2201
#define IDS_FILTER_EXPORT 2202
#define IDS_FILTER_IMPORT 2203
#define IDS_EXPORT_FAILED 2204
#define IDS_IMPORT_FAILED 2205
#define IDS_PALETTE_UNREADABLE 2206
#define IDS_PALETTE_UNKNOWN_TYPE 2207
#define IDS_PALETTE_NO_COLORS 2208

// Reading a list file: not a list; lines that cannot be read ({0} name, {1}
// count, {2} line numbers, {3} the "and others" word when there are more).
#define IDS_NOT_A_COLOR_LIST 2230
#define IDS_UNREADABLE_LINES 2231
#define IDS_UNREADABLE_MORE 2232

// Undo and redo ({0} the step's name), the steps' names, and the list
// found again after a crash ({n} colours, {name} its file; {0} a file, {1} where it went).
#define IDS_ACT_UNDO 2300
#define IDS_ACT_REDO 2301
#define IDS_ACT_UNDO_NAMED 2302
#define IDS_ACT_REDO_NAMED 2303
#define IDS_STEP_ADD 2304
#define IDS_STEP_DELETE 2305
#define IDS_STEP_UP 2306
#define IDS_STEP_DOWN 2307
#define IDS_STEP_MOVE 2308
#define IDS_STEP_EDIT 2309
#define IDS_STEP_IMPORT 2310
#define IDS_RECOVERY_ASK 2311
#define IDS_RECOVERY_BAD 2312

// The pick mode: its commands and options, the loupe and the frozen screen,
// the notification-area icon, and the command line's usage and messages.
#define IDS_ACT_PICK_SCREEN 2400
#define IDS_ACT_COPY_CURRENT 2401
#define IDS_ACT_PICK_FREEZE 2402
#define IDS_ACT_PICK_COPY 2403
#define IDS_PICK_COPY_NONE 2404
#define IDS_ACT_TRAY_ICON 2405
#define IDS_TRAY_PICK 2406
#define IDS_TRAY_SHOW 2407
#define IDS_TRAY_EXIT 2408
#define IDS_HOT_KEY_STARTS_PICK 2409
#define IDS_PICK_LOUPE_TITLE 2410
#define IDS_PICK_FROZEN_TITLE 2411
#define IDS_SPOIT_HINT 2412
#define IDS_USAGE 2413
#define IDS_BAD_FORMAT 2414
#define IDS_VALID_FORMATS 2415
#define IDS_BAD_ARGUMENT 2416

// The designer's tools: harmonies and scales, the colour-vision preview,
// the contrast fixes, the colour text box and its notes.
#define IDS_ACT_HARMONIES 2500
#define IDS_HARMONIES_CAPTION 2501
#define IDS_HARMONIES_SOURCE 2502
#define IDS_HARMONY_ADD_SCALE 2503
#define IDS_HARMONY_ADD_COMPLEMENTARY 2504
#define IDS_HARMONY_ADD_ANALOGOUS 2505
#define IDS_HARMONY_ADD_TRIADIC 2506
#define IDS_HARMONY_ADD_SPLIT 2507
#define IDS_HARMONY_ADD_TETRADIC 2508
#define IDS_STEP_HARMONY 2509
#define IDS_ACT_CVD 2510
#define IDS_CVD_NONE 2511
#define IDS_CVD_PROTAN 2512
#define IDS_CVD_DEUTAN 2513
#define IDS_CVD_TRITAN 2514
#define IDS_CVD_ACHROMA 2515
#define IDS_CVD_MARK_PROTAN 2516
#define IDS_CVD_MARK_DEUTAN 2517
#define IDS_CVD_MARK_TRITAN 2518
#define IDS_CVD_MARK_ACHROMA 2519
#define IDS_CONTRAST_TEXT 2520
#define IDS_CONTRAST_BACKGROUND 2521
#define IDS_CONTRAST_FIX_AA 2522
#define IDS_CONTRAST_FIX_AAA 2523
#define IDS_CONTRAST_FIX_NONE 2524
#define IDS_CONTRAST_CVD 2525
#define IDS_CONTRAST_COMPARE 2526
#define IDS_COLOR_TEXT_NAME 2530
#define IDS_NOTE_OUT_OF_GAMUT 2531
#define IDS_NOTE_REFUSED 2532
#define IDS_NOTE_NOT_COLOR 2533
#define IDS_IMPORT_SKIPPED 2534

// What screen readers read: the names of the program's own controls.
#define IDS_A11Y_LIST 2600
#define IDS_A11Y_UP 2601
#define IDS_A11Y_DOWN 2602
#define IDS_A11Y_SLIDER 2603
#define IDS_A11Y_PRESS 2604

// First and last number of the interface's texts, for checks over all of them.
#define IDS_UI_FIRST 2000
#define IDS_UI_LAST 2604
