"""The Windows installer that scripts/package builds: a silent install for the current user,
a second install over the running program, the silent uninstall, the all-users install that
makes the automatic start administrator-managed, goes only under Program Files and has the
desktop's shell start the program."""
import glob
import os
import shutil
import subprocess

from harness import (ROOT, WORK, QuiklexTest, browser_log, client, find_panel, helper, protect,
                     reg_values, settings_folder, unix_path, user_name, wait_for, windows_path,
                     wine_variable, xdo)
from test_settingswindow import darkest, screen_colours

SETTINGS = "TFormSettings"
RUN_KEY = r"Software\Microsoft\Windows\CurrentVersion\Run"
UNINSTALL_KEY = r"Software\Microsoft\Windows\CurrentVersion\Uninstall\Quiklex"
# An older version ran before: the first start of this one writes the automatic start.
OLDER_SETTINGS = "[Settings]\r\nPrgVersion=0.5.0\r\n[Mine]\r\nkept=1\r\n"


def setup_exe():
    found = sorted(glob.glob(os.path.join(ROOT, "build", "dist", "quiklex-*-setup.exe")))
    if not found:
        raise AssertionError("no installer: scripts/package builds it")
    return found[-1]


def run_wine(*args, timeout=120):
    # No pipes: a program the installer starts again would keep them open.
    return subprocess.run(["wine", *args], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                          timeout=timeout).returncode


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", newline="") as f:
        f.write(text)


def read(path):
    with open(path, encoding="cp1252") as f:
        return f.read()


class Installer(QuiklexTest):
    def setUp(self):
        super().setUp()
        self.setup = setup_exe()
        self.addCleanup(self.uninstall_leftovers)

    def uninstall_leftovers(self):
        for root in ("HKCU", "HKLM"):
            subprocess.run(["wine", "reg", "delete", root + "\\" + UNINSTALL_KEY, "/f"],
                           capture_output=True, timeout=60)
            subprocess.run(["wine", "reg", "delete", root + "\\" + RUN_KEY, "/v", "quiklex", "/f"],
                           capture_output=True, timeout=60)
        for folder in (self.per_user_folder(), self.all_users_folder()):
            shutil.rmtree(folder, ignore_errors=True)

    @staticmethod
    def per_user_folder():
        return os.path.join(unix_path(wine_variable("LOCALAPPDATA")), "Programs",
                            "Quiklex")

    @staticmethod
    def all_users_folder():
        return os.path.join(unix_path(wine_variable("ProgramW6432")), "Quiklex")

    @staticmethod
    def start_menu(common=False):
        base = wine_variable("ProgramData" if common else "APPDATA")
        folder = os.path.join(unix_path(base), "Microsoft", "Windows", "Start Menu", "Programs")
        return os.path.join(folder, "Quiklex.lnk")

    def uninstall(self, folder, *args):
        # The uninstaller runs on from a copy of itself, so wait for what it removes.
        self.assertEqual(run_wine(os.path.join(folder, "uninstall.exe"), "/S", *args), 0)
        wait_for(lambda: not os.path.exists(folder), 30, what="the program folder to go")

    def test_current_user_install_over_the_running_program_and_uninstall(self):
        settings = os.path.join(settings_folder(), user_name() + ".ini")
        write(settings, OLDER_SETTINGS)
        self.assertEqual(run_wine(self.setup, "/S"), 0)
        folder = self.per_user_folder()
        exe = os.path.join(folder, "quiklex.exe")
        self.assertTrue(os.path.exists(exe))
        self.assertTrue(os.path.exists(self.start_menu()))
        key = reg_values("HKCU\\" + UNINSTALL_KEY)
        location = windows_path(folder).rstrip("\\")
        self.assertEqual(key["DisplayName"], ("REG_SZ", "Quiklex"))
        self.assertEqual(key["DisplayVersion"][1], "0.6.0")
        self.assertEqual(key["InstallLocation"], ("REG_SZ", location))
        self.assertEqual(key["UninstallString"][1], '"%s\\uninstall.exe"' % location)
        self.assertEqual((key["NoModify"], key["NoRepair"]), (("REG_DWORD", "0x1"),) * 2)
        self.assertGreater(int(key["EstimatedSize"][1], 16), 100)

        # The installed program runs, looks a word up and writes its automatic start.
        q = self.start(exe=exe)
        q.wait_visible()
        before = len(browser_log())
        self.assertEqual(helper("poke", "hus", 1, "quiklex")[1], "ack")
        wait_for(lambda: len(browser_log()) > before, 10, what="the lookup")
        entry = '"%s\\quiklex.exe" -auto' % location
        wait_for(lambda: reg_values("HKCU\\" + RUN_KEY).get("quiklex") == ("REG_SZ", entry), 20,
                 what="the automatic start")

        # Installing again over it ends it cleanly (it saves) and starts it again: one runs,
        # started by the installer itself, which runs with the user's own rights.
        self.assertEqual(run_wine(self.setup, "/S"), 0)
        self.assertEqual(q.exit_code(30), 0)
        wait_for(lambda: helper("count", "TFormMain")[1] == "1", 30, what="the program again")
        self.assertNotEqual(helper("parent")[1], "explorer.exe")
        text = read(settings)
        self.assertIn("PrgVersion=0.6.0", text)
        self.assertIn("kept=1", text)

        # The uninstaller ends it too and leaves nothing but the user's settings.
        self.uninstall(folder)
        wait_for(lambda: helper("count", "TFormMain")[1] == "0", 20, what="the program to end")
        self.assertFalse(os.path.exists(self.start_menu()))
        self.assertEqual(reg_values("HKCU\\" + UNINSTALL_KEY), {})
        self.assertNotIn("quiklex", reg_values("HKCU\\" + RUN_KEY))
        self.assertIn("kept=1", read(settings))

    def test_all_users_install_manages_the_automatic_start(self):
        shared = os.path.join(WORK, "shared-settings")
        shutil.rmtree(shared, ignore_errors=True)
        os.makedirs(shared)
        self.assertEqual(run_wine(self.setup, "/S", "/ALLUSERS",
                                  "/SHAREDINI=" + windows_path(shared).rstrip("\\")), 0)
        folder = self.all_users_folder()
        location = windows_path(folder).rstrip("\\")
        exe = os.path.join(folder, "quiklex.exe")
        self.assertTrue(os.path.exists(exe))
        self.assertTrue(os.path.exists(self.start_menu(common=True)))
        self.assertEqual(reg_values("HKLM\\" + UNINSTALL_KEY)["InstallLocation"][1], location)
        self.assertEqual(reg_values("HKLM\\" + RUN_KEY).get("quiklex"),
                         ("REG_SZ", '"%s\\quiklex.exe" -auto' % location))

        # The shared file beside the program sends the user's settings to the shared folder;
        # the machine's entry makes the first start of the version leave the user's list alone.
        # Program Files keeps plain users from adding files there; Wine's user may, so the
        # folder is given those rights here.
        protect(self, folder)
        settings = os.path.join(shared, user_name() + ".ini")
        write(settings, OLDER_SETTINGS)
        q = self.start(exe=exe)
        q.wait_visible()
        self.assertEqual(helper("post", 5, 5)[0], 0)  # save now
        wait_for(lambda: "PrgVersion=0.6.0" in read(settings), 20, what="the shared settings")
        self.assertNotIn("quiklex", reg_values("HKCU\\" + RUN_KEY))
        # Its settings window shows the automatic start as the administrator's: checked, with
        # its caption in grey.
        helper("post", 2, 5)
        w = wait_for(lambda: client(SETTINGS), 20, what="the settings window")
        wait_for(lambda: darkest(screen_colours(w[0] + 31, w[1] + 158, 120, 20)) == "0x808080",
                 5, what="the grey caption")
        xdo("mousemove", w[0] + 107, w[1] + 276, "click", 1)  # "Annuller"
        wait_for(lambda: client(SETTINGS) is None, 10, what="the settings window to close")

        self.uninstall(folder, "/ALLUSERS")
        self.assertNotIn("quiklex", reg_values("HKLM\\" + RUN_KEY))
        self.assertEqual(reg_values("HKLM\\" + UNINSTALL_KEY), {})
        self.assertFalse(os.path.exists(self.start_menu(common=True)))
        self.assertTrue(os.path.exists(settings))

    def test_all_users_install_goes_only_under_program_files(self):
        # On Windows C:\Quiklex inherits "Authenticated Users: Modify": any user could replace
        # the program that the machine's Run list starts for everyone. A way out of Program
        # Files through ".." counts as what it is.
        # The command line as it is typed: /D takes the rest of the line, spaces and all (and
        # the installer is named without quotes, from a folder without spaces).
        setup = os.path.join(WORK, "setup.exe")
        shutil.copy(self.setup, setup)
        for folder in ("C:\\Quiklex", "C:\\Program Files\\..\\Quiklex"):
            line = "%s /S /ALLUSERS /D=%s" % (windows_path(setup), folder)
            self.assertEqual(run_wine("cmd", "/c", line), 2, folder)
        self.assertFalse(os.path.exists(os.path.join(unix_path("C:\\"), "Quiklex")))
        self.assertEqual(reg_values("HKLM\\" + UNINSTALL_KEY), {})
        self.assertNotIn("quiklex", reg_values("HKLM\\" + RUN_KEY))

    def test_all_users_installer_has_the_desktops_shell_start_the_program(self):
        # The all-users installer runs with an administrator's token, which the program must
        # not inherit: the desktop's shell starts it as the signed-in user, so its parent is
        # the shell, not the installer. (Under Wine both tokens are alike; the route shows.)
        # Wine's shell was started by this run's programs, so the program it starts has the
        # run's environment too and asks the closed local port for its definitions.
        setup = subprocess.Popen(["wine", self.setup, "/ALLUSERS"], stdout=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL)
        self.addCleanup(lambda: setup.poll() is None and setup.kill())
        for page in ("Velkommen", "Gennemse", "Start Quiklex nu"):
            wait_for(lambda: page in helper("childtext", "#32770")[1], 60,
                     what="the page with " + page)
            xdo("key", "Return")  # on to the next page, or, on the last, run and close
        self.assertEqual(setup.wait(60), 0)
        first = wait_for(find_panel, 30, what="the program")
        self.assertEqual(helper("parent")[1], "explorer.exe")

        # An update over the running program ends it and has it started again the same way.
        self.assertEqual(run_wine(self.setup, "/S", "/ALLUSERS"), 0)
        wait_for(lambda: (p := find_panel()) and p.hwnd != first.hwnd, 30,
                 what="the program again")
        self.assertEqual(helper("parent")[1], "explorer.exe")
        self.uninstall(self.all_users_folder(), "/ALLUSERS")
