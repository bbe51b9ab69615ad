#include "lang/LanguageKeys.h"

#include <cstring>

// Controls and menu items that show no text (sliders, the preview, icon-only
// buttons, the name edit, the preset list, the language items, which carry
// the languages' own names) have no key: a text given to them would change
// what they show.
const LanguageKey kLanguageKeys[] = {
    {"Msg", "preparing", "Preparing data...", false},
    {"Msg", "del_preset", "Do you want remove selected preset?", false},
    {"Msg", "yes", "Yes", false},
    {"Msg", "no", "No", false},
    {"Msg", "cancel", "Cancel", false},
    {"Msg", "ok", "OK", false},
    {"Msg", "err_no_sel", "This filter requires a selection or a layer with transparency!", false},
    {"Msg", "err_empty", "Sorry, the selected area is empty!", false},
    {"Msg", "err_preset_name", "A preset name cannot contain a backslash.", false},
    {"Msg", "err_shadow_only", "Shadow Only needs a layer with transparency.", false},
    {"Msg", "err_mode_cmyk", "Veydra works on RGB and Grayscale documents; this one is CMYK. Convert it to RGB first.",
     false},
    {"Msg", "err_mode_lab", "Veydra works on RGB and Grayscale documents; this one is Lab. Convert it to RGB first.",
     false},
    {"Msg", "err_mode_indexed",
     "Veydra works on RGB and Grayscale documents; this one has indexed colours. Convert it to RGB first.", false},
    {"Msg", "err_mode_32bit",
     "Veydra works on 8 and 16 bits per channel; this document has 32. Convert it to 16 bits per channel first.",
     false},
    {"Msg", "err_mode",
     "Veydra works on RGB and Grayscale documents of 8 or 16 bits per channel. Convert this one to RGB first.",
     false},
    {"Msg", "zoom_in", "Zoom in (+, Ctrl+wheel)", false},
    {"Msg", "zoom_out", "Zoom out (-, Ctrl+wheel)", false},
    {"Msg", "zoom_list", "Preview zoom: 0 fits the whole image, 1 shows 100 %", false},
    {"Msg", "original", "Original", false},
    {"Msg", "original_hint", "Drag to pan; hold the right mouse button to see the original", false},

    {"About", "0", "About", false},
    {"About", "1004", "About", false},

    {"Main_dlg", "0", "Veydra", false},
    {"Main_dlg", "1004", "Veydra - Tevra Ltd - https://tevra.example/", false},
    {"Main_dlg", "4", "Menu", false},
    {"Main_dlg", "3", "Presets", false},
    {"Main_dlg", "1019", "Shadow Position", false},
    {"Main_dlg", "1016", "Only Outside", false},
    {"Main_dlg", "1015", "Blur", false},
    {"Main_dlg", "1027", "Transparency", false},
    {"Main_dlg", "1021", "Intensity", false},
    {"Main_dlg", "1011", "Perspective", false},
    {"Main_dlg", "1009", "Angle X", false},
    {"Main_dlg", "1024", "Angle Y", false},
    {"Main_dlg", "1018", "Angle Z", false},
    {"Main_dlg", "1025", "Zoom", false},
    {"Main_dlg", "1028", "Offset X", false},
    {"Main_dlg", "1030", "Offset Y", false},
    {"Main_dlg", "1014", "Color", false},
    {"Main_dlg", "1035", "Softness", false},
    {"Main_dlg", "1032", "Click to View Other Our Products", false},
    {"Main_dlg", "1", "OK", false},
    {"Main_dlg", "2", "Cancel", false},
    {"Main_dlg", "1033", "Fit,25%,50%,100%,200%,400%", true},

    {"Settings", "1004", "Save preset", false},
    {"Settings", "1025", "Preset name", false},
    {"Settings", "1", "OK", false},
    {"Settings", "2", "Close", false},

    {"Manage_presets", "1004", "Manage presets", false},
    {"Manage_presets", "1029", "Delete", false},
    {"Manage_presets", "2", "Close", false},

    {"Main_menu", "0+32801", "Interface", false},
    {"Main_menu", "32801", "Chrome style", false},
    {"Main_menu", "32802", "Aqua style", false},
    {"Main_menu", "32805", "Flat style", false},
    {"Main_menu", "32806", "Controls color...", false},
    {"Main_menu", "32807", "Window color...", false},
    {"Main_menu", "0+32775", "Language", false},
    {"Main_menu", "32812", "Other Our Products (Internet)...", false},
    {"Main_menu", "32810", "Technical Support (Internet)...", false},
    {"Main_menu", "32803", "About...", false},

    {"Settings_menu", "32801", "Save preset...", false},
    {"Settings_menu", "32802", "Manage presets...", false},
    {"Settings_menu", "32808", "Reset to default", false},
    {"Settings_menu", "32803", "Last used", false},

    {"Shadow_menu", "32793", "Top", false},
    {"Shadow_menu", "32792", "Center", false},
    {"Shadow_menu", "32791", "Bottom", false},
    {"Shadow_menu", "32794", "Shadow Only", false},
};

const size_t kLanguageKeyCount = sizeof(kLanguageKeys) / sizeof(kLanguageKeys[0]);

const char* LanguageDefault(const char* section, const char* key)
{
    for (const LanguageKey& k : kLanguageKeys)
        if (std::strcmp(k.section, section) == 0 && std::strcmp(k.key, key) == 0)
            return k.english;
    return nullptr;
}
