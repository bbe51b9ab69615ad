// The script veydra-host's --ui option plays on the module's dialog, as a
// user would: steps separated by ';' (or new lines), each a command and its
// arguments, separated by blanks; an argument with blanks is quoted with
// '...' or "...".
//
//   settle                      wait until the preview has finished rendering
//   slider NAME VALUE           drag slider NAME (blur, angleX, ... or its id)
//                               to VALUE, the last steps with the arrow keys
//   button NAME                 click a button (ok, cancel, close, menu,
//                               menu-icon, presets, position, outside, color,
//                               link, or an id)
//   menu BUTTON ITEM            open the menu of BUTTON and choose ITEM: a
//                               command id, or the item's text as shown, with
//                               '/' between submenu and item ("Language/Deutsch")
//   menu-items BUTTON [SUB]     print the menu's items (or those of submenu
//                               SUB) with their states, then close it
//   position top|center|bottom  the shadow-position menu
//   outside on|off              click "Only Outside" unless it already is so
//   color RRGGBB                click the colour button and pick the colour in
//                               whichever chooser opens (the host's or the system's)
//   chooser RRGGBB|cancel       answer the system colour chooser that a previous
//                               step opened
//   dialog ok|cancel|yes|no     describe the next secondary dialog and press that
//                               button (cancel: Escape)
//   input TEXT                  type TEXT into the edit box of the secondary dialog
//   select TEXT                 select the item TEXT in its list box
//   press TEXT                  click its button whose caption is TEXT
//   drag-preview DX DY          drag the preview by DX, DY pixels
//   drag-corner DX DY           resize the dialog by dragging its bottom-right corner
//   key escape|return|plus|minus|0|1
//                               press a key in the dialog (the last four type
//                               the preview's zoom keys + - 0 1)
//   zoom fit|25|50|100|200|400  choose the level in the zoom drop-down
//   wheel DX DY NOTCHES         turn the wheel with Ctrl held over the preview,
//                               DX, DY pixels from its middle; NOTCHES > 0 zooms in
//   hold-preview on|off         press or release the right mouse button on the
//                               preview (the original is shown while it is held)
//   screenshot PATH             save the dialog window as a PNG file
//   state                       print the slider values, switches, zoom level and
//                               window rectangle
//   texts                       print the dialog's title and its controls' texts
//   rects                       print the client size and each visible control's
//                               rectangle in client coordinates
//   pixel CONTROL X Y           print the colour shown at (X, Y) of a control
//                               (a button name or id, or "dialog")
//   ok | cancel                 press OK or Cancel and wait for the dialog to close
#pragma once

#include <string>
#include <vector>

struct UiStep {
    std::string command;
    std::vector<std::string> args;
    std::string text;  // the step as written, for the report
};

// Throws UsageError (HostOptions.h) for an unknown command or a wrong
// number of arguments, so a mistyped script fails before the module runs.
std::vector<UiStep> ParseUiScript(const std::string& script);

// "RRGGBB" as a COLORREF (0x00BBGGRR); throws UsageError when malformed.
unsigned ParseRgbHex(const std::string& text);
