/* Resource ids of the secondary dialogs and the About picture (Dialogs.rc).
   Shared by the resource script and the C++ code, so plain C preprocessor
   only. The frames' own ids (caption 1004, close 1005) are in
   ControlResources.h. */
#ifndef VEYDRA_DIALOG_RESOURCES_H
#define VEYDRA_DIALOG_RESOURCES_H

#define IDD_VEYDRA_SAVE_PRESET 1011
#define IDD_VEYDRA_MANAGE_PRESETS 1012
#define IDD_VEYDRA_MESSAGE 1023
#define IDD_VEYDRA_ABOUT 1024

/* About box */
#define IDC_ABOUT_CLOSE 1014
#define IDC_ABOUT_PICTURE 1143

/* Save preset */
#define IDC_INPUT_LABEL 1025
#define IDC_INPUT_NAME 1026

/* Manage presets */
#define IDC_PRESETS_LIST 1027
#define IDC_PRESETS_DELETE 1029

/* Message dialog: the buttons from left to right, the text and the icon */
#define IDC_MESSAGE_BUTTON_LEFT 1138
#define IDC_MESSAGE_BUTTON_MIDDLE 1139
#define IDC_MESSAGE_BUTTON_RIGHT 1140
#define IDC_MESSAGE_TEXT 1141
#define IDC_MESSAGE_ICON 1142

/* The About picture: a 600 x 380 24-bit bitmap of resource type "LOGO" */
#define IDR_VEYDRA_LOGO 252
/* The same picture drawn at 1200 x 760, for dense displays */
#define IDR_VEYDRA_LOGO_DOUBLE 253

#endif
