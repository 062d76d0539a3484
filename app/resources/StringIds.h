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

// First and last number of the interface's texts, for checks over all of them.
#define IDS_UI_FIRST 2000
#define IDS_UI_LAST 2229
