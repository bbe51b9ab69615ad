#!/usr/bin/env python3
"""Writes the shipped language files (Windows-1252 INI files) from the tables
below. Run it after changing a text; `--check` only compares the files in this
folder with what it would write and fails when they differ.

    python3 langs/make_langs.py [--check] [OUTPUT_FOLDER]

Every language lists the same sections and keys as the English one (the
script refuses to write otherwise). The English texts are the program's
built-in ones; a test under Wine holds every file against the program's own
key table, so a key that is added there must be added here too.
"""
import os
import sys

TITLE = "Veydra - Tevra Ltd - https://tevra.example/"

# Sections in the order a translator meets them: messages, dialogs, menus.
ENGLISH = {
    "Msg": [
        ("preparing", "Preparing data..."),
        ("del_preset", "Do you want remove selected preset?"),
        ("yes", "Yes"),
        ("no", "No"),
        ("cancel", "Cancel"),
        ("ok", "OK"),
        ("err_no_sel", "This filter requires a selection or a layer with transparency!"),
        ("err_empty", "Sorry, the selected area is empty!"),
        ("err_preset_name", "A preset name cannot contain a backslash."),
        ("err_shadow_only", "Shadow Only needs a layer with transparency."),
        ("err_mode_cmyk", "Veydra works on RGB and Grayscale documents; this one is CMYK. Convert it to RGB first."),
        ("err_mode_lab", "Veydra works on RGB and Grayscale documents; this one is Lab. Convert it to RGB first."),
        ("err_mode_indexed", "Veydra works on RGB and Grayscale documents; this one has indexed colours. "
                             "Convert it to RGB first."),
        ("err_mode_32bit", "Veydra works on 8 and 16 bits per channel; this document has 32. "
                           "Convert it to 16 bits per channel first."),
        ("err_mode", "Veydra works on RGB and Grayscale documents of 8 or 16 bits per channel. "
                     "Convert this one to RGB first."),
        ("zoom_in", "Zoom in (+, Ctrl+wheel)"),
        ("zoom_out", "Zoom out (-, Ctrl+wheel)"),
        ("zoom_list", "Preview zoom: 0 fits the whole image, 1 shows 100 %"),
        ("original", "Original"),
        ("original_hint", "Drag to pan; hold the right mouse button to see the original"),
    ],
    "About": [
        ("0", "About"),
        ("1004", "About"),
    ],
    "Main_dlg": [
        ("0", "Veydra"),
        ("1004", TITLE),
        ("4", "Menu"),
        ("3", "Presets"),
        ("1019", "Shadow Position"),
        ("1016", "Only Outside"),
        ("1015", "Blur"),
        ("1027", "Transparency"),
        ("1021", "Intensity"),
        ("1011", "Perspective"),
        ("1009", "Angle X"),
        ("1024", "Angle Y"),
        ("1018", "Angle Z"),
        ("1025", "Zoom"),
        ("1028", "Offset X"),
        ("1030", "Offset Y"),
        ("1014", "Color"),
        ("1035", "Softness"),
        ("1032", "Click to View Other Our Products"),
        ("1", "[Msg]/ok"),
        ("2", "[Msg]/cancel"),
        ("1033", "Fit,25%,50%,100%,200%,400%"),
    ],
    "Settings": [
        ("1004", "Save preset"),
        ("1025", "Preset name"),
        ("1", "[Msg]/ok"),
        ("2", "Close"),
    ],
    "Manage_presets": [
        ("1004", "Manage presets"),
        ("1029", "Delete"),
        ("2", "Close"),
    ],
    "Main_menu": [
        ("0+32801", "Interface"),
        ("32801", "Chrome style"),
        ("32802", "Aqua style"),
        ("32805", "Flat style"),
        ("32806", "Controls color..."),
        ("32807", "Window color..."),
        ("0+32775", "Language"),
        ("32812", "Other Our Products (Internet)..."),
        ("32810", "Technical Support (Internet)..."),
        ("32803", "About..."),
    ],
    "Settings_menu": [
        ("32801", "Save preset..."),
        ("32802", "Manage presets..."),
        ("32808", "Reset to default"),
        ("32803", "Last used"),
    ],
    "Shadow_menu": [
        ("32793", "Top"),
        ("32792", "Center"),
        ("32791", "Bottom"),
        ("32794", "Shadow Only"),
    ],
}

# Translations by section and key; anything a translation leaves out is an
# error, not a silent fallback. Labels and buttons are about 18 characters
# wide in the dialog's font, so the texts stay short.
GERMAN = {
    "Msg": {
        "preparing": "Daten werden vorbereitet...",
        "del_preset": "Ausgewählte Vorgabe wirklich löschen?",
        "yes": "Ja",
        "no": "Nein",
        "cancel": "Abbrechen",
        "ok": "OK",
        "err_no_sel": "Der Filter braucht eine Auswahl oder transparente Ebene!",
        "err_empty": "Der ausgewählte Bereich ist leider leer!",
        "err_preset_name": "Ein Vorgabename darf keinen Backslash enthalten.",
        "err_shadow_only": "\"Nur Schatten\" braucht eine Ebene mit Transparenz.",
        "err_mode_cmyk": "Veydra arbeitet mit RGB- und Graustufen-Dokumenten; dieses ist CMYK. Wandeln Sie es zuerst in RGB um.",
        "err_mode_lab": "Veydra arbeitet mit RGB- und Graustufen-Dokumenten; dieses ist Lab. Wandeln Sie es zuerst in RGB um.",
        "err_mode_indexed": "Veydra arbeitet mit RGB- und Graustufen-Dokumenten; dieses hat indizierte Farben. "
                            "Wandeln Sie es zuerst in RGB um.",
        "err_mode_32bit": "Veydra arbeitet mit 8 und 16 Bit pro Kanal; dieses Dokument hat 32. "
                          "Wandeln Sie es zuerst in 16 Bit pro Kanal um.",
        "err_mode": "Veydra arbeitet mit RGB- und Graustufen-Dokumenten mit 8 oder 16 Bit pro Kanal. "
                    "Wandeln Sie dieses zuerst in RGB um.",
        "zoom_in": "Vergrößern (+, Strg+Mausrad)",
        "zoom_out": "Verkleinern (-, Strg+Mausrad)",
        "zoom_list": "Vorschau-Zoom: 0 zeigt das ganze Bild, 1 zeigt 100 %",
        "original": "Original",
        "original_hint": "Ziehen verschiebt; rechte Maustaste halten zeigt das Original",
    },
    "About": {"0": "Info", "1004": "Info"},
    "Main_dlg": {
        "0": "Veydra",
        "1004": TITLE,
        "4": "Menü",
        "3": "Vorgaben",
        "1019": "Schattenposition",
        "1016": "Nur außen",
        "1015": "Weichzeichnung",
        "1027": "Transparenz",
        "1021": "Intensität",
        "1011": "Perspektive",
        "1009": "Winkel X",
        "1024": "Winkel Y",
        "1018": "Winkel Z",
        "1025": "Zoom",
        "1028": "Versatz X",
        "1030": "Versatz Y",
        "1014": "Farbe",
        "1035": "Weichheit",
        "1032": "Weitere Produkte von uns ansehen",
        "1": "[Msg]/ok",
        "2": "[Msg]/cancel",
        "1033": "Einpassen,25 %,50 %,100 %,200 %,400 %",
    },
    "Settings": {"1004": "Vorgabe speichern", "1025": "Vorgabename", "1": "[Msg]/ok", "2": "Schließen"},
    "Manage_presets": {"1004": "Vorgaben verwalten", "1029": "Löschen", "2": "Schließen"},
    "Main_menu": {
        "0+32801": "Oberfläche",
        "32801": "Chrom-Stil",
        "32802": "Aqua-Stil",
        "32805": "Flacher Stil",
        "32806": "Farbe der Bedienelemente...",
        "32807": "Fensterfarbe...",
        "0+32775": "Sprache",
        "32812": "Weitere Produkte (Internet)...",
        "32810": "Technischer Support (Internet)...",
        "32803": "Info...",
    },
    "Settings_menu": {
        "32801": "Vorgabe speichern...",
        "32802": "Vorgaben verwalten...",
        "32808": "Auf Standard zurücksetzen",
        "32803": "Zuletzt verwendet",
    },
    "Shadow_menu": {"32793": "Oben", "32792": "Mitte", "32791": "Unten", "32794": "Nur Schatten"},
}

FRENCH = {
    "Msg": {
        "preparing": "Préparation des données...",
        "del_preset": "Voulez-vous supprimer le préréglage sélectionné ?",
        "yes": "Oui",
        "no": "Non",
        "cancel": "Annuler",
        "ok": "OK",
        "err_no_sel": "Ce filtre nécessite une sélection ou un calque transparent !",
        "err_empty": "Désolé, la zone sélectionnée est vide !",
        "err_preset_name": "Un nom de préréglage ne peut pas contenir de barre oblique inverse.",
        "err_shadow_only": "\"Ombre seule\" exige un calque avec transparence.",
        "err_mode_cmyk": "Veydra traite les documents RVB et Niveaux de gris ; celui-ci est en CMJN. Convertissez-le d'abord en RVB.",
        "err_mode_lab": "Veydra traite les documents RVB et Niveaux de gris ; celui-ci est en Lab. Convertissez-le d'abord en RVB.",
        "err_mode_indexed": "Veydra traite les documents RVB et Niveaux de gris ; celui-ci a des couleurs indexées. "
                            "Convertissez-le d'abord en RVB.",
        "err_mode_32bit": "Veydra traite 8 et 16 bits par couche ; ce document en a 32. "
                          "Convertissez-le d'abord en 16 bits par couche.",
        "err_mode": "Veydra traite les documents RVB et Niveaux de gris de 8 ou 16 bits par couche. "
                    "Convertissez celui-ci d'abord en RVB.",
        "zoom_in": "Zoom avant (+, Ctrl+molette)",
        "zoom_out": "Zoom arrière (-, Ctrl+molette)",
        "zoom_list": "Zoom de l'aperçu : 0 montre toute l'image, 1 affiche 100 %",
        "original": "Original",
        "original_hint": "Faites glisser pour déplacer ; maintenez le bouton droit pour voir l'original",
    },
    "About": {"0": "À propos", "1004": "À propos"},
    "Main_dlg": {
        "0": "Veydra",
        "1004": TITLE,
        "4": "Menu",
        "3": "Préréglages",
        "1019": "Position de l'ombre",
        "1016": "Extérieur seul",
        "1015": "Flou",
        "1027": "Transparence",
        "1021": "Intensité",
        "1011": "Perspective",
        "1009": "Angle X",
        "1024": "Angle Y",
        "1018": "Angle Z",
        "1025": "Zoom",
        "1028": "Décalage X",
        "1030": "Décalage Y",
        "1014": "Couleur",
        "1035": "Douceur",
        "1032": "Découvrir nos autres produits",
        "1": "[Msg]/ok",
        "2": "[Msg]/cancel",
        "1033": "Ajuster,25 %,50 %,100 %,200 %,400 %",
    },
    "Settings": {"1004": "Enregistrer le préréglage", "1025": "Nom", "1": "[Msg]/ok", "2": "Fermer"},
    "Manage_presets": {"1004": "Gérer les préréglages", "1029": "Supprimer", "2": "Fermer"},
    "Main_menu": {
        "0+32801": "Interface",
        "32801": "Style chrome",
        "32802": "Style aqua",
        "32805": "Style plat",
        "32806": "Couleur des contrôles...",
        "32807": "Couleur de la fenêtre...",
        "0+32775": "Langue",
        "32812": "Nos autres produits (Internet)...",
        "32810": "Assistance technique (Internet)...",
        "32803": "À propos...",
    },
    "Settings_menu": {
        "32801": "Enregistrer un préréglage...",
        "32802": "Gérer les préréglages...",
        "32808": "Rétablir les valeurs par défaut",
        "32803": "Derniers réglages utilisés",
    },
    "Shadow_menu": {"32793": "Haut", "32792": "Centre", "32791": "Bas", "32794": "Ombre seule"},
}

SPANISH = {
    "Msg": {
        "preparing": "Preparando los datos...",
        "del_preset": "¿Desea eliminar el preajuste seleccionado?",
        "yes": "Sí",
        "no": "No",
        "cancel": "Cancelar",
        "ok": "Aceptar",
        "err_no_sel": "¡Este filtro necesita una selección o una capa transparente!",
        "err_empty": "¡Lo sentimos, el área seleccionada está vacía!",
        "err_preset_name": "El nombre de un preajuste no puede contener una barra invertida.",
        "err_shadow_only": "\"Solo sombra\" requiere una capa con transparencia.",
        "err_mode_cmyk": "Veydra trabaja con documentos RGB y en escala de grises; este es CMYK. Conviértalo primero a RGB.",
        "err_mode_lab": "Veydra trabaja con documentos RGB y en escala de grises; este es Lab. Conviértalo primero a RGB.",
        "err_mode_indexed": "Veydra trabaja con documentos RGB y en escala de grises; este tiene colores indexados. "
                            "Conviértalo primero a RGB.",
        "err_mode_32bit": "Veydra trabaja con 8 y 16 bits por canal; este documento tiene 32. "
                          "Conviértalo primero a 16 bits por canal.",
        "err_mode": "Veydra trabaja con documentos RGB y en escala de grises de 8 o 16 bits por canal. "
                    "Convierta este primero a RGB.",
        "zoom_in": "Acercar (+, Ctrl+rueda)",
        "zoom_out": "Alejar (-, Ctrl+rueda)",
        "zoom_list": "Zoom de la vista previa: 0 muestra toda la imagen, 1 muestra el 100 %",
        "original": "Original",
        "original_hint": "Arrastre para desplazar; mantenga el botón derecho para ver el original",
    },
    "About": {"0": "Acerca de", "1004": "Acerca de"},
    "Main_dlg": {
        "0": "Veydra",
        "1004": TITLE,
        "4": "Menú",
        "3": "Preajustes",
        "1019": "Posición de sombra",
        "1016": "Solo exterior",
        "1015": "Desenfoque",
        "1027": "Transparencia",
        "1021": "Intensidad",
        "1011": "Perspectiva",
        "1009": "Ángulo X",
        "1024": "Ángulo Y",
        "1018": "Ángulo Z",
        "1025": "Zoom",
        "1028": "Desplazamiento X",
        "1030": "Desplazamiento Y",
        "1014": "Color",
        "1035": "Suavidad",
        "1032": "Ver otros productos nuestros",
        "1": "[Msg]/ok",
        "2": "[Msg]/cancel",
        "1033": "Ajustar,25 %,50 %,100 %,200 %,400 %",
    },
    "Settings": {"1004": "Guardar preajuste", "1025": "Nombre", "1": "[Msg]/ok", "2": "Cerrar"},
    "Manage_presets": {"1004": "Administrar preajustes", "1029": "Eliminar", "2": "Cerrar"},
    "Main_menu": {
        "0+32801": "Interfaz",
        "32801": "Estilo cromado",
        "32802": "Estilo aqua",
        "32805": "Estilo plano",
        "32806": "Color de los controles...",
        "32807": "Color de la ventana...",
        "0+32775": "Idioma",
        "32812": "Otros productos nuestros (Internet)...",
        "32810": "Soporte técnico (Internet)...",
        "32803": "Acerca de...",
    },
    "Settings_menu": {
        "32801": "Guardar preajuste...",
        "32802": "Administrar preajustes...",
        "32808": "Restablecer valores predeterminados",
        "32803": "Últimos valores usados",
    },
    "Shadow_menu": {"32793": "Arriba", "32792": "Centro", "32791": "Abajo", "32794": "Solo sombra"},
}

# (file name, display name, texts); file names stay ASCII.
LANGUAGES = [
    ("English.lng", "English", None),
    ("Deutsch.lng", "Deutsch", GERMAN),
    ("Francais.lng", "Français", FRENCH),
    ("Espanol.lng", "Español", SPANISH),
]

HEADER = """\
; Veydra language file: {name}.
; Windows-1252 text. Keys are control or command ids ("0" is a dialog's
; caption, "0+id" a submenu's title). A value may be a reference to another
; value, [Section]/Key, and may hold \\n (a line break) and \\t (a tab).
; A key left out keeps the program's built-in English text.
"""


def texts_of(translation):
    """The sections of one language in the English order, or an error."""
    sections = []
    for section, pairs in ENGLISH.items():
        if translation is None:
            sections.append((section, pairs))
            continue
        given = translation.get(section, {})
        missing = [key for key, _ in pairs if not given.get(key)]
        extra = sorted(set(given) - {key for key, _ in pairs})
        if missing or extra:
            raise SystemExit(f"make_langs: [{section}] missing {missing}, unknown {extra}")
        sections.append((section, [(key, given[key]) for key, _ in pairs]))
    if translation is not None and set(translation) != set(ENGLISH):
        raise SystemExit(f"make_langs: unknown sections {sorted(set(translation) - set(ENGLISH))}")
    return sections


def render(name, translation):
    lines = HEADER.format(name=name).splitlines()
    lines += ["", "[Info]", "program=Tevra Veydra", "version=1", f"name={name}"]
    for section, pairs in texts_of(translation):
        lines += ["", f"[{section}]"]
        lines += [f"{key}={text}" for key, text in pairs]
    return ("\r\n".join(lines) + "\r\n").encode("cp1252")


def main(argv):
    check = "--check" in argv
    rest = [a for a in argv if a != "--check"]
    folder = rest[0] if rest else os.path.dirname(os.path.abspath(__file__))
    stale = []
    for file_name, name, translation in LANGUAGES:
        data = render(name, translation)
        path = os.path.join(folder, file_name)
        if check:
            try:
                with open(path, "rb") as f:
                    if f.read() != data:
                        stale.append(file_name)
            except OSError:
                stale.append(file_name)
        else:
            with open(path, "wb") as f:
                f.write(data)
    if stale:
        print("make_langs: out of date (run python3 langs/make_langs.py):", ", ".join(stale))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
