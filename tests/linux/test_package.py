"""The Linux program as its users get it: the Debian package (built by cpack, checked by lintian,
desktop-file-validate and appstreamcli, installed and removed with apt-get, started by
"quiklex --clipboard" and by a call on the session bus) and scripts/install-linux into a home of
its own. run.py runs this file last: while the package is installed, its D-Bus service file
would start the installed program for any other test's call."""
import glob
import os
import re
import shutil
import subprocess
import tempfile
import unittest

from linux_harness import PROGRAM, ROOT, Quiklex, run, set_clipboard, wait_for

with open(os.path.join(ROOT, "CMakeLists.txt"), encoding="utf-8") as _f:
    VERSION = re.search(r"project\(quiklex VERSION ([0-9.]+)", _f.read()).group(1)
BUILD = os.path.dirname(PROGRAM)
DEB = os.path.join(BUILD, "quiklex_%s_amd64.deb" % VERSION)
APP = "dk.lemmary.Quiklex"
LOOKUP = "http://www.lemmary.dk/#ordbog/"
KNOWN = "[Settings]\nPrgVersion=%s\n" % VERSION

# Every path the package installs.
CONTENTS = sorted(
    ["/usr/bin/quiklex", "/usr/share/applications/%s.desktop" % APP,
     "/usr/share/metainfo/%s.metainfo.xml" % APP,
     "/usr/share/icons/hicolor/scalable/apps/%s.svg" % APP,
     "/usr/share/man/man1/quiklex.1.gz", "/usr/share/dbus-1/services/%s.service" % APP,
     "/usr/share/doc/quiklex/copyright", "/usr/share/doc/quiklex/changelog.gz"] +
    ["/usr/share/icons/hicolor/%dx%d/apps/%s.png" % (s, s, APP)
     for s in (16, 24, 32, 48, 64, 128, 256)])

# lintian's warnings that stay, with the reason.
KEPT_WARNINGS = {}


def package():
    """Builds the package once per run (the program and its documents first)."""
    if not getattr(package, "built", False):
        subprocess.run(["cmake", "--build", BUILD, "--target", "quiklex", "quiklex_linux_docs"],
                       check=True, capture_output=True, timeout=600)
        for old in glob.glob(os.path.join(BUILD, "quiklex_*.deb")):
            os.remove(old)
        subprocess.run(["cpack", "-G", "DEB"], cwd=BUILD, check=True, capture_output=True,
                       timeout=300)
        package.built = True
    return DEB


class PrivateBus:
    """A session bus of the test's own, whose environment the programs it starts inherit."""

    def __init__(self, env):
        self.process = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address"],
                                        env=env, stdout=subprocess.PIPE, text=True)
        self.address = self.process.stdout.readline().strip()

    def close(self):
        self.process.terminate()
        self.process.wait(10)


def installed_programs(path):
    """The ids of running processes of that program file."""
    found = []
    for pid in run("pgrep", "-x", "quiklex").stdout.split():
        try:
            if os.readlink("/proc/%s/exe" % pid) == path:
                found.append(pid)
        except OSError:
            pass  # ended meanwhile
    return found


class PackageTest(unittest.TestCase):
    def test_the_package_passes_its_checkers_and_holds_its_files(self):
        deb = package()
        lintian = run("lintian", "--no-tag-display-limit", deb, timeout=300)
        print("\n" + lintian.stdout.strip())
        tags = re.findall(r"^([EW]): quiklex[^:]*: (\S+)", lintian.stdout, re.M)
        self.assertEqual([t for t in tags if t[0] == "E"], [])
        self.assertEqual(sorted({t for k, t in tags if k == "W"} - set(KEPT_WARNINGS)), [])

        listing = run("dpkg-deb", "-c", deb).stdout
        files = sorted(line.split()[-1].lstrip(".") for line in listing.splitlines()
                       if not line.startswith("d"))
        self.assertEqual(files, CONTENTS)
        fields = run("dpkg-deb", "-f", deb, "Depends", "Maintainer", "Section").stdout
        self.assertRegex(fields, r"Depends: .*libqt6widgets6")
        self.assertRegex(fields, r"Maintainer: .+ <.+@.+>")
        self.assertIn("Section: utils", fields)

        unpacked = tempfile.mkdtemp(prefix="qlx-deb-")
        self.addCleanup(shutil.rmtree, unpacked)
        subprocess.run(["dpkg-deb", "-x", deb, unpacked], check=True)
        share = os.path.join(unpacked, "usr", "share")
        desktop = run("desktop-file-validate", os.path.join(share, "applications", APP + ".desktop"))
        appstream = run("appstreamcli", "validate", "--no-net",
                        os.path.join(share, "metainfo", APP + ".metainfo.xml"))
        print("desktop-file-validate: exit %d %s" % (desktop.returncode, desktop.stdout.strip()))
        print("appstreamcli: exit %d\n%s" % (appstream.returncode, appstream.stdout.strip()))
        self.assertEqual((desktop.returncode, desktop.stdout), (0, ""))
        self.assertEqual(appstream.returncode, 0, appstream.stdout)
        with open(os.path.join(share, "dbus-1", "services", APP + ".service")) as f:
            self.assertIn("Exec=/usr/bin/quiklex\n", f.read())


@unittest.skipUnless(os.geteuid() == 0, "installing the package with apt-get needs root")
class PackageInstallTest(unittest.TestCase):
    @classmethod
    def tearDownClass(cls):
        # Never left installed: its service file would start it for other tests' calls.
        if run("dpkg-query", "-W", "-f", "${db:Status-Status}", "quiklex").stdout == "installed":
            run("apt-get", "remove", "-y", "-qq", "quiklex", timeout=300)

    def apt(self, *args):
        p = run("apt-get", *args, "-y", "-qq", timeout=300,
                env=dict(os.environ, DEBIAN_FRONTEND="noninteractive"))
        self.assertEqual(p.returncode, 0, p.stdout + p.stderr)

    def test_installs_starts_for_the_clipboard_and_the_bus_and_removes_cleanly(self):
        deb = package()
        # Only what it needs: a recommended package left behind would outlive the test.
        self.apt("install", "--no-install-recommends", deb)
        try:
            listed = run("dpkg", "-L", "quiklex").stdout.split("\n")
            self.assertEqual(sorted(p for p in listed if os.path.isfile(p)), CONTENTS)

            home = tempfile.mkdtemp(prefix="qlx-deb-home-")
            self.addCleanup(shutil.rmtree, home, True)
            os.makedirs(os.path.join(home, ".config", "quiklex"))
            with open(os.path.join(home, ".config", "quiklex", "quiklex.ini"), "w") as f:
                f.write(KNOWN)
            q = Quiklex(home)
            bus = PrivateBus(q.env)
            self.addCleanup(bus.close)
            q.env["DBUS_SESSION_BUS_ADDRESS"] = bus.address

            # Nobody runs: "quiklex --clipboard" starts the program, which looks it up.
            set_clipboard("stol")
            starter = subprocess.Popen(["quiklex", "--clipboard"], env=q.env,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            self.addCleanup(lambda: starter.poll() is None and starter.kill())
            self.assertEqual(q.wait_opened(1, timeout=20), [LOOKUP + "stol/"])
            starter.kill()
            starter.wait(10)
            wait_for(lambda: not installed_programs("/usr/bin/quiklex"), 10, what="the end")

            # Nobody runs: a call on the bus starts the installed program, which answers it.
            call = run("gdbus", "call", "--session", "--dest", APP, "--object-path",
                       "/dk/lemmary/Quiklex", "--method", APP + ".LookUp", "hund", env=q.env,
                       timeout=40)
            self.assertEqual(call.returncode, 0, call.stderr)
            self.assertEqual(q.wait_opened(2, timeout=20), [LOOKUP + "stol/", LOOKUP + "hund/"])
            started = installed_programs("/usr/bin/quiklex")
            self.assertEqual(len(started), 1)
            subprocess.run(["kill", started[0]])
            wait_for(lambda: not installed_programs("/usr/bin/quiklex"), 10, what="the end")
        finally:
            self.apt("remove", "quiklex")
        status = run("dpkg-query", "-W", "-f", "${db:Status-Status}", "quiklex").stdout
        self.assertIn(status, ("", "not-installed"))
        for path in listed:
            # What stays is a folder that other packages use.
            if os.path.lexists(path):
                self.assertTrue(os.path.isdir(path), path)
                self.assertTrue(os.listdir(path) or run("dpkg", "-S", path).returncode == 0,
                                path)


class InstallLinuxTest(unittest.TestCase):
    """scripts/install-linux for a user, in a home of its own, with a GNOME shortcut list held
    by gsettings in a file (a stand-in for the desktop's schema)."""

    def setUp(self):
        self.home = tempfile.mkdtemp(prefix="qlx-user-")
        self.addCleanup(shutil.rmtree, self.home, True)
        schemas = os.path.join(self.home, "schemas")
        os.makedirs(schemas)
        with open(os.path.join(schemas, "media-keys.gschema.xml"), "w") as f:
            f.write(MEDIA_KEYS_SCHEMA)
        subprocess.run(["glib-compile-schemas", schemas], check=True)
        self.env = dict(os.environ, HOME=self.home, GSETTINGS_SCHEMA_DIR=schemas,
                        GSETTINGS_BACKEND="keyfile", QLX_NATIVE_BUILD=BUILD)
        for name in ("XDG_DATA_HOME", "XDG_CONFIG_HOME"):
            self.env.pop(name, None)

    def script(self, *args):
        p = run(os.path.join(ROOT, "scripts", "install-linux"), *args, env=self.env, timeout=600)
        self.assertEqual(p.returncode, 0, p.stdout + p.stderr)
        return p.stdout

    def gsettings(self, *args):
        return run("gsettings", *args, env=self.env).stdout.strip()

    def tree(self):
        found = []
        for folder, dirs, files in os.walk(self.home):
            found += [os.path.join(folder, n) for n in dirs + files]
        return sorted(p for p in found if "/schemas" not in p)

    def test_installs_the_program_for_the_user_and_uninstalls_it(self):
        mine = "/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/mine/"
        schema = "org.gnome.settings-daemon.plugins.media-keys"
        self.gsettings("set", schema, "custom-keybindings", "['%s']" % mine)
        before = self.tree()

        out = self.script()
        local = os.path.join(self.home, ".local")
        program = os.path.join(local, "bin", "quiklex")
        self.assertTrue(os.access(program, os.X_OK))
        share = os.path.join(local, "share")
        for path in CONTENTS[1:]:
            if "/doc/" not in path:
                self.assertTrue(os.path.exists(share + path[len("/usr/share"):]), path)
        with open(os.path.join(share, "dbus-1", "services", APP + ".service")) as f:
            self.assertIn("Exec=%s\n" % program, f.read())
        desktop = os.path.join(share, "applications", APP + ".desktop")
        with open(desktop) as f:
            self.assertIn('Exec="%s" --clipboard\n' % program, f.read())
        self.assertEqual(run("desktop-file-validate", desktop).returncode, 0)
        self.assertIn("<Primary><Alt>c", out)
        ours = "/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/quiklex/"
        self.assertEqual(self.gsettings("get", schema, "custom-keybindings"),
                         "['%s', '%s']" % (mine, ours))
        self.assertEqual(self.gsettings("get", schema + ".custom-keybinding:" + ours, "command"),
                         "'\"%s\" --clipboard'" % program)

        self.script("--uninstall")
        self.assertEqual(self.gsettings("get", schema, "custom-keybindings"), "['%s']" % mine)
        # gsettings' own file stays, as it did before.
        self.assertEqual([p for p in self.tree() if "glib-2.0" not in p],
                         [p for p in before if "glib-2.0" not in p])


MEDIA_KEYS_SCHEMA = """<schemalist>
  <schema id="org.gnome.settings-daemon.plugins.media-keys"
          path="/org/gnome/settings-daemon/plugins/media-keys/">
    <key name="custom-keybindings" type="as"><default>[]</default></key>
  </schema>
  <schema id="org.gnome.settings-daemon.plugins.media-keys.custom-keybinding">
    <key name="name" type="s"><default>''</default></key>
    <key name="command" type="s"><default>''</default></key>
    <key name="binding" type="s"><default>''</default></key>
  </schema>
</schemalist>
"""
