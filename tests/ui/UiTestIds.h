/* Templates and control ids of the user-interface tests (UiTestDialogs.rc). */
#ifndef VEYDRA_UI_TEST_IDS_H
#define VEYDRA_UI_TEST_IDS_H

#define IDD_TEST_FRAME 3001    /* a secondary frame: caption, close 1005, label, edit, OK, Close */
#define IDD_TEST_LAYOUT 3002   /* a plain popup with controls to anchor */
#define IDD_TEST_GALLERY 3003  /* every control in one frame */
#define IDD_TEST_CONTROLS 3004 /* one control of each kind, positioned by the tests */
#define IDD_TEST_PREVIEW 3005  /* a frame holding the preview control 1006 */

#define IDC_TEST_BUTTON 3101
#define IDC_TEST_STATIC 3102
#define IDC_TEST_OTHER 3103

#define IDC_TEST_PREVIEW 1006

#define IDC_CTL_BUTTON 3201
#define IDC_CTL_COLOR 3202
#define IDC_CTL_SLIDER 3203
#define IDC_CTL_LABEL 3204
#define IDC_CTL_LINK 3205
#define IDC_CTL_ICON 3206

#define IDC_GAL_MENU 1023
#define IDC_GAL_CLOSE 1034
#define IDC_GAL_NORMAL 3301
#define IDC_GAL_HOT 3302
#define IDC_GAL_PRESSED 3303
#define IDC_GAL_CHECKED 3304
#define IDC_GAL_DISABLED 3305
#define IDC_GAL_ICON_ONLY 3306
#define IDC_GAL_OUTSIDE 3307
#define IDC_GAL_COLOR 3308
#define IDC_GAL_LABEL1 3311
#define IDC_GAL_SLIDER1 3312
#define IDC_GAL_LABEL2 3313
#define IDC_GAL_SLIDER2 3314
#define IDC_GAL_LABEL3 3315
#define IDC_GAL_SLIDER3 3316
#define IDC_GAL_LABEL4 3317
#define IDC_GAL_SLIDER4 3318
#define IDC_GAL_WARNING 3321
#define IDC_GAL_QUESTION 3322
#define IDC_GAL_PIPETTE 3323
#define IDC_GAL_MESSAGE 3324
#define IDC_GAL_LINK 3325

#endif
