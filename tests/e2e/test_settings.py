"""Settings that last: the per-user settings file, its backup, the shared settings file beside
the program, the panel's stored place and the automatic start in the registry's Run lists."""
import os
import re
import shutil
import subprocess
import time

from harness import (EXE, WORK, QuiklexTest, find_panel, helper, protect, reg_values,
                     right_click_menu, settings_folder, user_name, wait_for, windows_path)

RUN_KEY = r"Software\Microsoft\Windows\CurrentVersion\Run"
SCREEN_WIDTH, SCREEN_HEIGHT = 1024, 768

def settings_file():
    return os.path.join(settings_folder(), user_name() + ".ini")


def backup_file():
    return os.path.join(settings_folder(), user_name() + ".~ini")


def read(path):
    with open(path, "rb") as f:
        return f.read()


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(text.replace("\n", "\r\n").encode("cp1252"))


def remove(path):
    try:
        os.remove(path)
    except FileNotFoundError:
        pass


def shown_panel():
    """The panel when it is visible; a Wine that is slow to answer counts as not yet."""
    try:
        p = find_panel()
    except subprocess.TimeoutExpired:
        return None
    return p if p and p.visible else None


def wait_shown(timeout=40):
    return wait_for(shown_panel, timeout, what="the panel to show")


def settle_after_kill():
    """Waits until the ended program's panel is gone. Under Wine with openbox, a panel shown
    right after another one vanished is now and then put at the screen's corner by the window
    manager, whatever place the program gave it; half a second more avoids that."""
    wait_for(lambda: shown_panel() is None, 10, what="the panel to go")
    time.sleep(0.5)


def save_and_wait(path, old=None):
    """Asks the running program to save (as the settings window does) and waits for the file
    to be there, and different from old when given."""
    helper("post", 5, 5)
    return wait_for(lambda: os.path.exists(path) and read(path) != old and read(path), 10,
                    what="the settings file to be written")


def section(text, name):
    """The lines of one section of an INI text."""
    m = re.search(r"^\[" + re.escape(name) + r"\]\r\n(.*?)\r\n\r\n", text, re.M | re.S)
    return m.group(1).split("\r\n") if m else None


def run_list(root):
    """The Run list's values as {name: (type, data)}."""
    return reg_values(root + "\\" + RUN_KEY)


def reg_add(root, name, data, kind="REG_SZ"):
    subprocess.run(["wine", "reg", "add", root + "\\" + RUN_KEY, "/v", name, "/t", kind, "/d",
                    data, "/f"], capture_output=True, timeout=60, check=True)


def reg_delete(root, name):
    subprocess.run(["wine", "reg", "delete", root + "\\" + RUN_KEY, "/v", name, "/f"],
                   capture_output=True, timeout=60)


def setUpModule():
    # A cold Wine server takes a while to come up; let it do so before the first timed wait.
    user_name()
    settings_folder()
    helper("foreground", timeout=120)


class SettingsTest(QuiklexTest):
    """Each test starts without a settings file and leaves none behind for other tests."""

    def setUp(self):
        super().setUp()
        settle_after_kill()
        self.remove_settings()
        self.addCleanup(self.remove_settings)

    @staticmethod
    def remove_settings():
        for path in (settings_file(), backup_file(), settings_file() + ".tmp"):
            remove(path)


class SettingsFile(SettingsTest):
    def test_save_writes_the_file_at_the_users_place(self):
        self.start()
        p = self.wait_visible_panel()
        self.assertFalse(os.path.exists(settings_file()))
        text = save_and_wait(settings_file()).decode("cp1252")

        # The panel at the top, 82 pixels from the right edge: stored against those edges.
        self.assertEqual((p.top, p.left), (0, SCREEN_WIDTH - 164))
        self.assertEqual(section(text, "MainForm"),
                         ["FromTop=0", "FromBottom=", "FromLeft=", "FromRight=82"])
        settings = section(text, "Settings")
        self.assertEqual([line.split("=")[0] for line in settings],
                         ["PrgVersion", "MinimizeStart", "SysTrayIcon", "Hotkey", "AlwaysOnTop",
                          "UseChromeFrame", "ProgramPageModern", "ProgramPageGCF",
                          "LookupModern", "LookupGCF"])
        self.assertIn("PrgVersion=0.6.0", settings)
        self.assertIn("Hotkey=Shift+Ctrl+C", settings)
        self.assertTrue(text.endswith("\r\n\r\n"))
        self.assertNotIn("\n", text.replace("\r\n", ""))
        # Nothing to back up on a first save, and no temporary file left behind.
        self.assertFalse(os.path.exists(backup_file()))
        self.assertEqual(os.listdir(settings_folder()), [user_name() + ".ini"])

    def test_values_come_back_and_other_sections_survive(self):
        original = ("; a comment\n"
                    "[MainForm]\nFromTop=\nFromBottom=100\nFromLeft=50\nFromRight=\n"
                    "[Settings]\nPrgVersion=0.6.0\nHotkey=ctrl+alt+q\nAlwaysOnTop=0\n"
                    "UseChromeFrame=1\nExtra=1\n"
                    "[Custom]\nkept=yes\n")
        write(settings_file(), original)
        self.start()
        p = self.wait_visible_panel()
        # Placed against the bottom and the left edge as stored.
        self.assertEqual((p.top, p.left), (SCREEN_HEIGHT - 100 - 32, 50))

        saved = save_and_wait(settings_file(), read(settings_file()))
        text = saved.decode("cp1252")
        self.assertEqual(section(text, "MainForm"),
                         ["FromTop=", "FromBottom=100", "FromLeft=50", "FromRight="])
        settings = section(text, "Settings")
        for line in ("Hotkey=Ctrl+Alt+Q", "AlwaysOnTop=0", "UseChromeFrame=1"):
            self.assertIn(line, settings)
        self.assertFalse(any(line.startswith("Extra") for line in settings))
        self.assertNotIn("; a comment", text)
        self.assertEqual(section(text, "Custom"), ["kept=yes"])
        # Unknown sections stay in front; the program's own two stand at the end.
        self.assertLess(text.index("[Custom]"), text.index("[MainForm]"))

        # The backup holds the file as it was before this run's first save, byte for byte,
        # and a second save in the same run does not copy again.
        self.assertEqual(read(backup_file()), original.replace("\n", "\r\n").encode("cp1252"))
        with open(settings_file(), "ab") as f:
            f.write(b"[Marker]\r\nx=1\r\n\r\n")
        again = save_and_wait(settings_file(), read(settings_file())).decode("cp1252")
        self.assertIn("[Marker]", again)
        self.assertEqual(read(backup_file()), original.replace("\n", "\r\n").encode("cp1252"))
        self.assertEqual(sorted(os.listdir(settings_folder())),
                         sorted([user_name() + ".ini", user_name() + ".~ini"]))

    def test_stored_place_precedence_and_limits(self):
        # Both of a pair: FromTop before FromBottom, FromRight before FromLeft.
        write(settings_file(), "[MainForm]\nFromTop=10\nFromBottom=20\nFromLeft=10\n"
                               "FromRight=20\n[Settings]\nPrgVersion=0.6.0\n")
        q = self.start()
        p = self.wait_visible_panel()
        self.assertEqual((p.top, p.left), (10, SCREEN_WIDTH - 20 - 82))
        q.kill()
        settle_after_kill()

        # Far outside the screen, or not numbers: kept on the desktop.
        write(settings_file(), "[MainForm]\nFromTop=5000\nFromLeft=-500\n"
                               "[Settings]\nPrgVersion=0.6.0\n")
        q = self.start()
        p = self.wait_visible_panel()
        self.assertEqual(p.left, 0)
        self.assertLessEqual(p.top + p.height, SCREEN_HEIGHT)
        self.assertGreater(p.top, SCREEN_HEIGHT - 100)
        q.kill()
        settle_after_kill()

        write(settings_file(), "[MainForm]\nFromTop=abc\nFromRight=x1\nFromLeft=0x10\n"
                               "[Settings]\nPrgVersion=0.6.0\n")
        self.start()
        p = self.wait_visible_panel()
        self.assertEqual((p.top, p.left), (0, 16))

    def test_start_delay_from_the_file(self):
        write(settings_file(), "[Settings]\nPrgVersion=0.6.0\n[Various]\nStartDelay=2\n")
        q = self.start()
        self.wait_visible_panel(30)
        self.assertGreaterEqual(time.monotonic() - q.started, 2.0)
        text = save_and_wait(settings_file(), read(settings_file())).decode("cp1252")
        self.assertEqual(section(text, "Various"), ["StartDelay=2"])

    def test_afslut_saves_and_ends_the_program(self):
        write(settings_file(), "[Settings]\nPrgVersion=0.6.0\n")  # no first-start window
        q = self.start()
        p = self.wait_visible_panel()
        right_click_menu(p.left + 41, p.top + 16)
        subprocess.run(["xdotool", "key", "Up", "Return"], timeout=10)
        self.assertEqual(q.exit_code(20), 0)
        text = read(settings_file()).decode("cp1252")
        self.assertIn("PrgVersion=0.6.0", section(text, "Settings"))
        self.assertIn("[MainForm]", text)

    def test_a_utf16_file_is_read_and_keeps_its_keys_after_afslut(self):
        # As an editor saves it: UTF-16 with its byte-order mark.
        original = ("[Settings]\r\nPrgVersion=0.6.0\r\nHotkey=ctrl+alt+q\r\n"
                    "[Egne]\r\nnote=r\u00f8d gr\u00f8d\r\n")
        with open(settings_file(), "wb") as f:
            f.write(original.encode("utf-16"))
        q = self.start()
        p = self.wait_visible_panel()
        right_click_menu(p.left + 41, p.top + 16)
        subprocess.run(["xdotool", "key", "Up", "Return"], timeout=10)
        self.assertEqual(q.exit_code(20), 0)
        saved = read(settings_file())
        self.assertEqual(saved[:2], b"\xff\xfe")
        text = saved.decode("utf-16")
        self.assertIn("Hotkey=Ctrl+Alt+Q", section(text, "Settings"))
        self.assertEqual(section(text, "Egne"), ["note=r\u00f8d gr\u00f8d"])

    def wait_visible_panel(self, timeout=40):
        return wait_shown(timeout)


class SharedSettings(SettingsTest):
    """A copy of the program in a folder of its own, with "quiklex.ini" beside it. The folder
    is an administrator's (a plain user cannot add files to it) unless a test says otherwise:
    only there does the shared file count."""

    def setUp(self):
        super().setUp()
        self.folder = os.path.join(WORK, "shared-program")
        self.data = os.path.join(WORK, "shared-data")
        for d in (self.folder, self.data):
            if os.path.isdir(d):
                os.chmod(d, 0o755)
            shutil.rmtree(d, ignore_errors=True)
            os.makedirs(d)
        self.exe = os.path.join(self.folder, "quiklex.exe")
        shutil.copy(EXE, self.exe)

    def share(self, text, protected=True):
        os.chmod(self.folder, 0o755)  # a second file in a test
        write(os.path.join(self.folder, "quiklex.ini"), text)
        if protected:
            protect(self, self.folder)

    def message_shown(self):
        return (w := helper("window", "TMessageForm")[1].split()) and len(w) > 1 and w[1] == "1"

    def test_shared_file_in_an_administrators_folder_redirects_the_settings_file(self):
        self.share("[Shared Settings]\nUsersIniFilePath=  %env(QLX_SETTINGS_HOME)%\\%USER%.ini \n")
        self.start(exe=self.exe, env={"QLX_SETTINGS_HOME": windows_path(self.data)})
        self.wait_visible()
        target = os.path.join(self.data, user_name() + ".ini")
        text = save_and_wait(target).decode("cp1252")
        self.assertIn("PrgVersion=0.6.0", section(text, "Settings"))
        self.assertFalse(os.path.exists(settings_file()))
        # The shared file is only ever read.
        self.assertEqual(read(os.path.join(self.folder, "quiklex.ini")),
                         b"[Shared Settings]\r\nUsersIniFilePath=  %env(QLX_SETTINGS_HOME)%"
                         b"\\%USER%.ini \r\n")

    def test_shared_file_in_a_folder_the_user_can_write_is_set_aside(self):
        # As a file dropped beside a copy in Downloads: the place it names, with a variable's
        # value in it, is never used; the user is told once at the start, and the settings
        # stay in the user's own folder.
        self.share("[Shared Settings]\nUsersIniFilePath=%env(QLX_SETTINGS_HOME)%\\"
                   "%env(QLX_SECRET)%.ini\n", protected=False)
        self.start(exe=self.exe, env={"QLX_SETTINGS_HOME": windows_path(self.data),
                                      "QLX_SECRET": "hemmelig"})
        wait_for(self.message_shown, 20, what="the notice")
        helper("closewindow", "TMessageForm")
        self.wait_visible()
        text = save_and_wait(settings_file()).decode("cp1252")
        self.assertIn("PrgVersion=0.6.0", section(text, "Settings"))
        self.assertEqual(os.listdir(self.data), [])

    def test_shared_file_without_the_key_keeps_the_usual_place(self):
        self.share("[Shared Settings]\nOther=1\n")
        self.start(exe=self.exe)
        self.wait_visible()
        save_and_wait(settings_file())
        self.assertEqual(os.listdir(self.data), [])

    def test_unresolvable_place_is_reported_and_the_program_goes_on(self):
        for template in ("%env(QLX_NO_SUCH_VARIABLE)%\\x.ini",
                         windows_path(os.path.join(self.data, "missing")) + "\\x.ini"):
            self.share("[Shared Settings]\nUsersIniFilePath=%s\n" % template)
            q = self.start(exe=self.exe)
            wait_for(self.message_shown, 20, what="the warning (%s)" % template)
            # The message holds the start until it is closed.
            self.assertFalse((p := find_panel()) and p.visible)
            helper("closewindow", "TMessageForm")
            self.wait_visible()
            self.assertFalse(os.path.exists(settings_file()))
            q.kill()
            settle_after_kill()

    def wait_visible(self):
        return wait_shown()


class Autostart(SettingsTest):
    """The program's entry in the Run lists at the first start of a new version."""

    NAMES = ("quiklex", "quiklexOld", "quiklexNumber", "QlxOther", "QlxExpand", "QlxSelf",
             "QlxLauncher")

    def setUp(self):
        super().setUp()
        self.clean()
        self.addCleanup(self.clean)
        self.entry = '"%s" -auto' % windows_path(EXE)
        # Left by an older version: the first start of this one.
        write(settings_file(), "[Settings]\nPrgVersion=0.5.0\n")

    def clean(self):
        for name in self.NAMES:
            reg_delete("HKCU", name)
        reg_delete("HKLM", "quiklex")

    def test_new_version_writes_the_quoted_entry(self):
        # Another copy of the program, other programs whose commands merely contain its file
        # name, a value that is not text, and an older entry of this very program file.
        reg_add("HKCU", "quiklexOld", r"C:\Old\quiklex.exe -minimize")
        reg_add("HKCU", "QlxOther", r"C:\Elsewhere\QUIKLEX.EXE")
        reg_add("HKCU", "QlxLauncher", r'C:\launch.exe "%s"' % windows_path(EXE))
        reg_add("HKCU", "quiklexNumber", "1", "REG_DWORD")
        reg_add("HKCU", "QlxExpand", r"%SystemDrive%\Elsewhere\quiklex.exe -auto", "REG_EXPAND_SZ")
        reg_add("HKCU", "QlxSelf", windows_path(EXE).upper() + " -minimize")
        self.start()
        wait_for(lambda: run_list("HKCU").get("quiklex") == ("REG_SZ", self.entry), 20,
                 what="the autostart entry")
        values = run_list("HKCU")
        # Only this program file's own entry goes; the others' entries stay.
        self.assertNotIn("QlxSelf", values)
        for name in ("quiklexOld", "QlxOther", "QlxLauncher", "QlxExpand"):
            self.assertIn(name, values)
        self.assertEqual(values.get("quiklexNumber"), ("REG_DWORD", "0x1"))

    def test_machine_entry_takes_over(self):
        # Written with a variable for the program's drive, as an installer may write it.
        drive, rest = self.entry[1:].split(":", 1)
        reg_add("HKLM", "quiklex", '"%QLX_DRIVE%' + rest, "REG_EXPAND_SZ")
        reg_add("HKCU", "quiklex", self.entry)
        self.start(env={"QLX_DRIVE": drive + ":"})
        wait_for(lambda: "quiklex" not in run_list("HKCU"), 20,
                 what="the user's entry to go")
        # The first-start step ran before this save; it wrote nothing.
        wait_shown()
        save_and_wait(settings_file(), read(settings_file()))
        self.assertNotIn("quiklex", run_list("HKCU"))
        self.assertEqual(run_list("HKLM").get("quiklex")[0], "REG_EXPAND_SZ")

    def test_no_entry_with_noinitmessage_or_at_the_same_version(self):
        self.start("-noinitmessage")
        wait_shown()
        save_and_wait(settings_file(), read(settings_file()))
        self.assertNotIn("quiklex", run_list("HKCU"))
        self.programs[-1].kill()
        settle_after_kill()

        # The save wrote this version: the next start is no first start of it.
        self.start()
        wait_shown()
        # A save posted now runs after the first-show steps.
        remove(settings_file())
        save_and_wait(settings_file())
        self.assertNotIn("quiklex", run_list("HKCU"))
