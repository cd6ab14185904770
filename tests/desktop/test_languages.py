# The program in the desktop's language, as a user meets it on a real
# desktop: the chooser's buttons read in it, and a field's right-click menu,
# Qt's own texts, speaks it too and does what its items say.

from desktop import DesktopCase
from screen import ROLE_BUTTON, ROLE_TEXT, click, focused, type_text, wait_for


class Language(DesktopCase):

    DESKTOPS = ("bare", "openbox", "sway")

    def test_chooser_and_right_click_menu(self):
        cases = [
            # The language, as the desktop's settings give it; the Level and
            # Delay buttons; the menu's Select All and Delete.
            ("German, from LANGUAGE", {"LC_ALL": "", "LANG": "en_US.UTF-8", "LANGUAGE": "de:en"},
             "Pegel", "Delay", "Alles auswählen", "Löschen"),
            ("French, from LANG", {"LC_ALL": "", "LANG": "fr_FR.UTF-8", "LANGUAGE": ""},
             "Niveau", "Délai", "Tout sélectionner", "Supprimer"),
            ("Japanese, from LANG", {"LC_ALL": "", "LANG": "ja_JP.UTF-8", "LANGUAGE": ""},
             "レベル", "ディレイ", "すべてを選択", "削除"),
        ]
        for name, environment, level, delay, select_all, delete in cases:
            with self.subTest(name):
                program = self.start_program(environment, chooser_button=level)
                click(program.find(ROLE_BUTTON, delay))
                bpm = wait_for(lambda: [a for a in program.all(ROLE_TEXT, "BPM") if focused(a)],
                               "the Delay calculator")[0]
                type_text("120")
                program.wait_text("BPM", "120")
                program.context_menu(bpm, select_all)
                program.context_menu(bpm, delete)
                program.wait_text("BPM", "")
