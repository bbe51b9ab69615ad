/* Resource ids of the main dialog (MainDialog.rc): its template, its three
   menus, its controls and its menu commands. Shared by the resource script
   and the C++ code, so plain C preprocessor only. */
#ifndef VEYDRA_MAIN_DIALOG_RESOURCES_H
#define VEYDRA_MAIN_DIALOG_RESOURCES_H

#define IDD_VEYDRA_MAIN 1000
#define IDR_VEYDRA_MAIN_MENU 1003
#define IDR_VEYDRA_PRESETS_MENU 1010
#define IDR_VEYDRA_POSITION_MENU 1013

/* Controls. 1004 is the frame's hidden caption static. */
#define IDC_MAIN_MENU_ICON 1023  /* caption bar, opens the main menu */
#define IDC_MAIN_CLOSE 1034      /* caption bar, closes as Cancel */
#define IDC_MAIN_MENU 4
#define IDC_MAIN_PRESETS 3
#define IDC_MAIN_POSITION 1019
#define IDC_MAIN_OUTSIDE 1016
#define IDC_MAIN_COLOR 1014
#define IDC_MAIN_PREVIEW 1006
#define IDC_MAIN_LINK 1032
#define IDC_MAIN_ZOOM_IN 5       /* the preview one level closer */
#define IDC_MAIN_ZOOM_OUT 6      /* the preview one level further */
#define IDC_MAIN_ZOOM_LIST 1033  /* the preview's zoom levels */

#define IDC_LABEL_BLUR 1015
#define IDC_SLIDER_BLUR 1010
#define IDC_LABEL_TRANSPARENCY 1027
#define IDC_SLIDER_TRANSPARENCY 1013
#define IDC_LABEL_INTENSITY 1021
#define IDC_SLIDER_INTENSITY 1020
#define IDC_LABEL_PERSPECTIVE 1011
#define IDC_SLIDER_PERSPECTIVE 1012
#define IDC_LABEL_ANGLE_X 1009
#define IDC_SLIDER_ANGLE_X 1007
#define IDC_LABEL_ANGLE_Y 1024
#define IDC_SLIDER_ANGLE_Y 1008
#define IDC_LABEL_ANGLE_Z 1018
#define IDC_SLIDER_ANGLE_Z 1017
#define IDC_LABEL_ZOOM 1025
#define IDC_SLIDER_ZOOM 1026
#define IDC_LABEL_OFFSET_X 1028
#define IDC_SLIDER_OFFSET_X 1029
#define IDC_LABEL_OFFSET_Y 1030
#define IDC_SLIDER_OFFSET_Y 1031
#define IDC_LABEL_SOFTNESS 1035
#define IDC_SLIDER_SOFTNESS 1036

/* Main menu (1003). */
#define ID_MAIN_STYLE_CHROME 32801
#define ID_MAIN_STYLE_AQUA 32802
#define ID_MAIN_STYLE_FLAT 32805
#define ID_MAIN_CONTROLS_COLOR 32806
#define ID_MAIN_WINDOW_COLOR 32807
#define ID_MAIN_LANGUAGE_FIRST 32775 /* one item per language file */
#define ID_MAIN_OTHER_PRODUCTS 32812
#define ID_MAIN_SUPPORT 32810
#define ID_MAIN_ABOUT 32803

/* Presets menu (1010). */
#define ID_PRESETS_SAVE 32801
#define ID_PRESETS_MANAGE 32802
#define ID_PRESETS_RESET 32808
#define ID_PRESETS_LAST_USED 32803
#define ID_PRESETS_FIRST 32775 /* one item per stored preset */

/* Shadow-position menu (1013): 32791 + the position. */
#define ID_POSITION_BOTTOM 32791
#define ID_POSITION_CENTER 32792
#define ID_POSITION_TOP 32793
#define ID_POSITION_SHADOW_ONLY 32794 /* a toggle after a separator */

#endif
