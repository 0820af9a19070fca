/* Resource identifiers shared by the C++ code and linova.rc.
   Keep this file to plain #define lines, but for the checks at its end that only C++ reads:
   resource compilers read it too. */
#ifndef LINOVA_RESOURCE_H
#define LINOVA_RESOURCE_H

/* Named resources (see linova.rc; names match without regard to case):
     dialogs  AboutBox, SettingBox, MonitorBox, MagnifierBox, OperatBox,
              UnInstallBox and the Setup pages DisplayBox, ScalingBox,
              MagnifySetBox, MouseBox, OtherBox
     menus    PopMenu, TaskLMenu, TaskRMenu, MagnifierMenu
     icons    LINOVA, LINOVAG, LINOVA_VERT, LINOVAG_VERT
     cursors  LINOVACUR, LINOVA_V_CUR, HANDCUR
     bitmaps  LINOVABMP, LINOVABMP1 ... LINOVABMP9 (background patterns) */

/* Strings */
#define IDS_CANT_ADD_MORE 52

/* Bitmaps */
#define IDB_PAGE_TOOLBAR 110      /* Setup page buttons, five 24 x 24 images */
#define IDB_MENU_RULER 111        /* first menu item, horizontal ruler */
#define IDB_MENU_ADD 112          /* Add Linova */
#define IDB_MENU_REVERSE 113      /* Reverse */
#define IDB_MENU_DIRECTION 114    /* Direction */
#define IDB_MENU_RULER_VERT 115   /* first menu item, vertical ruler */
#define IDB_PANEL_TOOLBAR 117     /* Operation panel buttons, four 17 x 17 images */
#define IDB_PANEL_TOOLBAR_BIG 118 /* the same, four 25 x 25 images */
#define IDB_PAGE_TOOLBAR_BIG 119  /* the Setup page buttons, five 36 x 36 images */

/* Commands of the ruler window (context menu, tray menus, other windows) */
#define IDM_EXIT 0
#define IDM_ABOUT 1      /* the first menu item once it shows the class name */
#define IDM_TITLE_ITEM 3 /* the first menu item as the template has it */
#define IDM_OPERATION 11
#define IDM_OPERATION_AT_CURSOR 12
#define IDM_DIRECTION 13
#define IDM_REVERSE 14
#define IDM_NARROW 15
#define IDM_FULL 16
#define IDM_SETUP 19
#define IDM_UNIT_PIXEL 21
#define IDM_UNIT_CM 22
#define IDM_UNIT_INCH 23
#define IDM_COPY_LENGTH 101
#define IDM_COPY_RED 102
#define IDM_ADJUST_WINDOW 201
#define IDM_ADJUST_CLIENT 202
#define IDM_ALL_EXIT 901
#define IDM_ADD_LINOVA 902
#define IDM_SAME_COLOR_LOCK 905
#define IDM_TOGGLE_COLOR_LOCK 906 /* from another instance */
#define IDM_TOGGLE_NO_MOUSE 911
#define IDM_UNINSTALL 999
#define IDM_SWITCH_BASE 1000       /* 1001 ... raise instance n */
#define IDM_SWITCH_PANEL_BASE 1010 /* 1011 ... raise instance n with its panel */
#define IDM_TURNED 2001            /* the ruler has turned: reload icons, cursor */
#define IDM_SHOW_FULL 2002         /* panel: show FullScale on its toolbar */
#define IDM_SHOW_NARROW 2003       /* panel: show NarrowScale on its toolbar */
#define IDM_DISPLAY_SIZE 40003
#define IDM_TOGGLE_NO_KEY 40004
#define IDM_TOPMOST 40005
#define IDM_MAGNIFIER 40011
#define IDM_COPY_BLUE 40023
#define IDM_COPY_RED_BLUE 40033
#define IDM_SNAP_EDGES 40041 /* marker steps go to the next edge beside the ruler */

/* The notification-area icon of the first instance; also the wParam of its callback */
#define ID_TRAY_ICON 2001

/* Magnifier context menu */
#define IDM_ZOOM_BASE 40010 /* 40011 ... 40018: x1 ... x8 */
#define IDM_ZOOM_1 40011
#define IDM_ZOOM_2 40012
#define IDM_ZOOM_3 40013
#define IDM_ZOOM_4 40014
#define IDM_ZOOM_5 40015
#define IDM_ZOOM_6 40016
#define IDM_ZOOM_7 40017
#define IDM_ZOOM_8 40018
#define IDM_MAG_CLOSE 40021
#define IDM_MAG_EDGE_RED 40028
#define IDM_MAG_EDGE_BLUE 40029
#define IDM_MAG_RED_BLUE 40030

/* Controls shared by several dialogs */
#define IDC_TOOLBAR 1001     /* created at run time in the panel and the Setup frame */
#define IDC_COLOR_STRIP 1018 /* left-hand strip in the ruler's background */
#define IDC_STRIP_LINE 1019  /* black line beside it */

/* AboutBox */
#define IDC_ABOUT_ICON 500
#define IDC_ABOUT_VERSION 501
#define IDC_ABOUT_LINK 21
#define IDC_ABOUT_BUILD 22

/* DisplayBox (Setup page "Color") */
#define IDC_COLOR_LIST 401
#define IDC_BOLD_FONT 403
#define IDC_ITALIC_FONT 404

/* MagnifierBox */
#define IDC_MAG_PANE_1 1020
#define IDC_MAG_PANE_2 1021
#define IDC_MAG_PANE_3 1022
#define IDC_MAG_PANE_4 1023

/* MagnifySetBox (Setup page "Magnifier") */
#define IDC_MAG_FACTOR 1030
#define IDC_MAG_TYPE 1031

/* MonitorBox */
#define IDC_MONITOR_LIST 1021
#define IDC_MONITOR_SIZE 1022
#define IDC_MONITOR_SPIN 1023

/* MouseBox (Setup page "Mouse") */
#define IDC_WHEEL_MODE 1034
#define IDC_NO_MOUSE 453

/* OperatBox (the Operation panel); its unit radio buttons are 21, 22, 23 */
#define IDC_PANEL_PIXEL 21
#define IDC_PANEL_CM 22
#define IDC_PANEL_INCH 23
#define IDC_MOVE_VERT 311
#define IDC_MOVE_HORZ 312
#define IDC_LENGTH_TEXT 201
#define IDC_LENGTH_ARROW 321
#define IDC_RED_TEXT 203
#define IDC_RED_SWATCH 1036
#define IDC_RED_ARROW 323
#define IDC_BLUE_TEXT 204
#define IDC_BLUE_SWATCH 1037
#define IDC_BLUE_ARROW 324
#define IDC_PANEL_DIRECTION 331 /* toolbar buttons */
#define IDC_PANEL_REVERSE 332
#define IDC_PANEL_FULL 335
#define IDC_PANEL_NARROW 336

/* OtherBox (Setup page "other") */
#define IDC_NO_KEY 451
#define IDC_TOPMOST 452
#define IDC_LAYER 501

/* ScalingBox (Setup page "Scaling") */
#define IDC_SCALING_TEXT 202
#define IDC_DISPLAY_SIZE_TEXT 203
#define IDC_SCALING_AUTO 1024
#define IDC_SCALING_MANUAL 1025
#define IDC_SCALING_LINE 1027
#define IDC_SCALING_ARROW 322
#define IDC_DISPLAY_SIZE_BUTTON 1028

/* SettingBox: the page buttons of its toolbar, one per page in order */
#define IDC_PAGE_COLOR 1101
#define IDC_PAGE_SCALING 1102
#define IDC_PAGE_MAGNIFIER 1103
#define IDC_PAGE_MOUSE 1104
#define IDC_PAGE_OTHER 1105

/* UnInstallBox */
#define IDC_UNINSTALL_TEXT 910
#define IDC_UNINSTALL_SETTINGS 913
#define IDC_UNINSTALL_DELETE 914

/* The code reaches these ids by arithmetic (first id + index), so each run must stay
   consecutive and in this order. */
#if defined(__cplusplus) && !defined(RC_INVOKED)
/* Units: pixel, centimetre, inch (index = the stored Unit) */
static_assert(IDM_UNIT_CM == IDM_UNIT_PIXEL + 1 && IDM_UNIT_INCH == IDM_UNIT_PIXEL + 2,
              "menu unit commands run pixel, cm, inch");
static_assert(IDC_PANEL_CM == IDC_PANEL_PIXEL + 1 && IDC_PANEL_INCH == IDC_PANEL_PIXEL + 2,
              "panel unit radio buttons run pixel, cm, inch");
/* Magnifier factors x1 ... x8 (index = the stored Magnifier) and kinds (index = MagType) */
static_assert(IDM_ZOOM_1 == IDM_ZOOM_BASE + 1 && IDM_ZOOM_2 == IDM_ZOOM_BASE + 2 &&
                  IDM_ZOOM_3 == IDM_ZOOM_BASE + 3 && IDM_ZOOM_4 == IDM_ZOOM_BASE + 4 &&
                  IDM_ZOOM_5 == IDM_ZOOM_BASE + 5 && IDM_ZOOM_6 == IDM_ZOOM_BASE + 6 &&
                  IDM_ZOOM_7 == IDM_ZOOM_BASE + 7 && IDM_ZOOM_8 == IDM_ZOOM_BASE + 8,
              "zoom commands are the base plus the factor");
static_assert(IDM_MAG_EDGE_BLUE == IDM_MAG_EDGE_RED + 1 && IDM_MAG_RED_BLUE == IDM_MAG_EDGE_RED + 2,
              "magnifier kinds run red, blue, red and blue");
/* Magnifier panes 1 ... 4 */
static_assert(IDC_MAG_PANE_2 == IDC_MAG_PANE_1 + 1 && IDC_MAG_PANE_3 == IDC_MAG_PANE_1 + 2 &&
                  IDC_MAG_PANE_4 == IDC_MAG_PANE_1 + 3,
              "magnifier panes are consecutive");
/* Raising instance 1 ... 9: the two runs stay apart and below the next commands */
static_assert(IDM_SWITCH_BASE + 9 < IDM_SWITCH_PANEL_BASE + 1 &&
                  IDM_SWITCH_PANEL_BASE + 9 < IDM_TURNED,
              "the instance switch ranges do not overlap");
#endif

#endif /* LINOVA_RESOURCE_H */
