"""scripts/install-linux --wine in a temporary home: the Windows program, the launcher and the autostart entry
with the right command lines, the desktop shortcut bound through gsettings where the desktop has
it (a stand-in here) or printed where it has not, and --uninstall leaving nothing behind."""
import ast
import json
import os
import shutil
import stat
import subprocess
import tempfile
import unittest

from harness import ROOT

SCRIPT = os.path.join(ROOT, "scripts", "install-linux")
SCHEMA = "org.gnome.settings-daemon.plugins.media-keys"

# A gsettings that keeps its keys in a JSON file and knows the one schema the script asks for.
FAKE_GSETTINGS = r'''#!/usr/bin/env python3
import json, os, sys
store = os.environ["FAKE_GSETTINGS_STORE"]
keys = json.load(open(store)) if os.path.exists(store) else {}
verb, schema, *rest = sys.argv[1:]
if verb == "list-keys":
    print("custom-keybindings") if schema == "%s" else sys.exit(1)
elif verb == "get":
    print(keys.get(schema + " " + rest[0], "@as []"))
elif verb == "set":
    keys[schema + " " + rest[0]] = rest[1]
elif verb == "reset":
    keys.pop(schema + " " + rest[0], None)
json.dump(keys, open(store, "w"))
''' % SCHEMA


def tree(folder):
    found = []
    for base, _, files in os.walk(folder):
        found += [os.path.relpath(os.path.join(base, f), folder) for f in files]
    return sorted(found)


class LinuxInstall(unittest.TestCase):
    def setUp(self):
        self.home = tempfile.mkdtemp(prefix="quiklex-home.")
        self.addCleanup(shutil.rmtree, self.home, ignore_errors=True)
        self.bin = os.path.join(self.home, "bin")
        os.makedirs(self.bin)
        self.store = os.path.join(self.home, "gsettings.json")
        self.env = dict(os.environ, HOME=self.home, FAKE_GSETTINGS_STORE=self.store,
                        PATH=self.bin + os.pathsep + os.environ["PATH"])
        for name in ("XDG_DATA_HOME", "XDG_CONFIG_HOME"):
            self.env.pop(name, None)

    def run_script(self, *args):
        p = subprocess.run([SCRIPT, *args], env=self.env, capture_output=True, text=True,
                           timeout=300)
        self.assertEqual(p.returncode, 0, p.stderr)
        return p.stdout

    def read(self, path):
        with open(os.path.join(self.home, path), encoding="utf-8") as f:
            return f.read()

    def test_install_with_gsettings_then_uninstall(self):
        with open(os.path.join(self.bin, "gsettings"), "w") as f:
            f.write(FAKE_GSETTINGS)
        os.chmod(os.path.join(self.bin, "gsettings"), stat.S_IRWXU)
        before = tree(self.home)
        self.run_script("--wine", "--autostart")
        program = os.path.join(self.home, ".local/share/quiklex/quiklex.exe")
        wine = shutil.which("wine")
        self.assertTrue(os.path.exists(program))
        launcher = self.read(".local/share/applications/quiklex.desktop")
        self.assertIn('\nExec="%s" "%s"\n' % (wine, program), launcher)
        self.assertIn("\nName=Quiklex\n", launcher)
        self.assertIn("\nIcon=%s/.local/share/quiklex/quiklex." % self.home, launcher)
        self.assertIn('\nExec="%s" "%s" -auto\n' % (wine, program),
                      self.read(".config/autostart/quiklex.desktop"))
        keys = json.load(open(self.store))
        path = "/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/quiklex/"
        self.assertEqual(keys[SCHEMA + " custom-keybindings"], "['%s']" % path)
        own = SCHEMA + ".custom-keybinding:" + path
        # Texts are handed over as gsettings reads them: quoted.
        self.assertEqual(ast.literal_eval(keys[own + " command"]),
                         '"%s" "%s" -clipboard' % (wine, program))
        self.assertEqual(ast.literal_eval(keys[own + " binding"]), "<Primary><Shift>c")

        self.run_script("--uninstall")
        self.assertEqual(json.load(open(self.store)), {SCHEMA + " custom-keybindings": "[]"})
        os.remove(self.store)
        self.assertEqual(tree(self.home), before)
        self.assertEqual([d for d in os.listdir(os.path.join(self.home, ".local/share"))
                          if os.listdir(os.path.join(self.home, ".local/share", d))], [])

    def test_without_gsettings_the_command_to_bind_is_printed(self):
        # A gsettings without the desktop's shortcut schema, as on desktops other than GNOME's.
        with open(os.path.join(self.bin, "gsettings"), "w") as f:
            f.write("#!/bin/sh\nexit 1\n")
        os.chmod(os.path.join(self.bin, "gsettings"), stat.S_IRWXU)
        out = self.run_script("--wine")
        program = os.path.join(self.home, ".local/share/quiklex/quiklex.exe")
        self.assertIn('"%s" "%s" -clipboard' % (shutil.which("wine"), program), out)
        self.assertFalse(os.path.exists(os.path.join(self.home, ".config/autostart")))
        self.run_script("--uninstall")
        self.assertFalse(os.path.exists(program))
        self.assertFalse(os.path.exists(
            os.path.join(self.home, ".local/share/applications/quiklex.desktop")))
