/* Resource ids of the skinned frame and controls (Controls.rc). Shared by
   the resource script and the C++ code, so plain C preprocessor only. */
#ifndef VEYDRA_CONTROL_RESOURCES_H
#define VEYDRA_CONTROL_RESOURCES_H

#define IDI_VEYDRA_MENU 1007        /* 16 x 16, the main dialog's menu button */
#define IDI_VEYDRA_CLOSE 1015       /* 16 x 16, every close button of a caption */
#define IDI_VEYDRA_WARNING 177      /* 38 x 38, message dialog */
#define IDI_VEYDRA_QUESTION 178     /* 38 x 38, message dialog */
#define IDI_VEYDRA_OUTSIDE_ON 188   /* 16 x 16, "Only Outside" switched on */
#define IDI_VEYDRA_OUTSIDE_OFF 189  /* 16 x 16, "Only Outside" switched off */
#define IDC_VEYDRA_PIPETTE 1014     /* 32 x 32 monochrome cursor, hot spot (8, 23) */
#define IDR_VEYDRA_FRAME_KEYS 1002  /* accelerators of the skinned frames */

/* Child ids every skinned frame template uses. */
#define IDC_FRAME_CAPTION 1004      /* hidden static: caption rectangle and title */
#define IDC_FRAME_ROLLUP_CLOSE 1005 /* close button of the frames that roll up */

#endif
