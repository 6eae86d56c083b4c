"""quiklex.exe still starts on Windows 7: it imports nothing that Windows 7 lacks (what is
newer is looked up at run time), and its manifest declares the DPI awareness with fallbacks
for older systems."""
import os
import re
import subprocess
import unittest
import xml.etree.ElementTree as ET

import harness

OBJDUMP = "x86_64-w64-mingw32-objdump"

# System libraries that Windows 7 has; anything else (the api-ms-win-* sets of the newer
# runtime, shcore.dll, ...) would stop the program from loading there.
WINDOWS7_LIBRARIES = {
    "advapi32.dll", "comctl32.dll", "comdlg32.dll", "crypt32.dll", "dwmapi.dll", "gdi32.dll",
    "imm32.dll", "kernel32.dll", "msimg32.dll", "msvcrt.dll", "ole32.dll", "oleaut32.dll",
    "rpcrt4.dll", "secur32.dll", "shell32.dll", "shlwapi.dll", "user32.dll", "uxtheme.dll",
    "version.dll", "winmm.dll", "ws2_32.dll",
}

# Functions of those libraries that came after Windows 7 (or with an update it may lack).
NEWER_THAN_WINDOWS7 = {
    "user32.dll": {
        "AdjustWindowRectExForDpi", "AreDpiAwarenessContextsEqual", "EnableMouseInPointer",
        "EnableNonClientDpiScaling", "GetAwarenessFromDpiAwarenessContext",
        "GetDisplayAutoRotationPreferences", "GetDpiForSystem", "GetDpiForWindow",
        "GetDpiFromDpiAwarenessContext", "GetPointerInfo", "GetPointerType",
        "GetSystemDpiForProcess", "GetSystemMetricsForDpi", "GetThreadDpiAwarenessContext",
        "GetWindowDpiAwarenessContext", "IsImmersiveProcess", "IsValidDpiAwarenessContext",
        "LogicalToPhysicalPointForPerMonitorDPI", "PhysicalToLogicalPointForPerMonitorDPI",
        "SetDisplayAutoRotationPreferences", "SetProcessDpiAwarenessContext",
        "SetThreadDpiAwarenessContext", "SystemParametersInfoForDpi",
    },
    "kernel32.dll": {
        "AddDllDirectory", "CopyFile2", "CreateFile2", "CreateFileMappingFromApp",
        "DeleteSynchronizationBarrier", "DiscardVirtualMemory", "EnterSynchronizationBarrier",
        "GetCurrentPackageFullName", "GetCurrentPackageId", "GetCurrentThreadStackLimits",
        "GetDynamicTimeZoneInformationEffectiveYears", "GetFirmwareType",
        "GetOverlappedResultEx", "GetPackageFamilyName", "GetProcessMitigationPolicy",
        "GetSystemTimePreciseAsFileTime", "GetThreadDescription", "GetThreadInformation",
        "InitializeSynchronizationBarrier", "LoadPackagedLibrary", "MapViewOfFileFromApp",
        "OfferVirtualMemory", "PrefetchVirtualMemory", "QueryUnbiasedInterruptTimePrecise",
        "ReclaimVirtualMemory", "RemoveDllDirectory", "SetDefaultDllDirectories",
        "SetProcessMitigationPolicy", "SetThreadDescription", "SetThreadInformation",
        "VirtualAllocFromApp", "WaitOnAddress", "WakeByAddressAll", "WakeByAddressSingle",
    },
    "ole32.dll": {
        "CoDecodeProxy", "CoDecrementMTAUsage", "CoIncrementMTAUsage",
        "CoWaitForMultipleObjects", "RoGetAgileReference",
    },
}


def imports():
    """The import table as {library (lower case): [function names]}."""
    out = subprocess.run([OBJDUMP, "-p", harness.EXE], check=True, capture_output=True,
                         text=True).stdout
    table = {}
    library = None
    for line in out.splitlines():
        named = re.match(r"\s*DLL Name: (\S+)", line)
        if named:
            library = named.group(1).lower()
            table.setdefault(library, [])
            continue
        entry = re.match(r"\t[0-9a-f]+\t\s*\d+\s+(\S+)$", line)
        if library and entry:
            table[library].append(entry.group(1))
        elif not line.strip():
            library = None  # a blank line ends the library's list
    return table


def embedded_manifest():
    with open(harness.EXE, "rb") as f:
        data = f.read()
    # The resource holds the manifest as it is written; the program's code may hold other XML.
    start = data.find(b'<assembly xmlns="urn:schemas-microsoft-com:asm.v1"')
    end = data.find(b"</assembly>", start)
    if start < 0 or end < 0:
        return None
    return ET.fromstring(data[start:end + len(b"</assembly>")].decode("utf-8"))


class Windows7(unittest.TestCase):
    def test_imports_nothing_that_windows7_lacks(self):
        table = imports()
        self.assertIn("user32.dll", table)
        self.assertGreater(len(table["user32.dll"]), 20)
        unknown = sorted(set(table) - WINDOWS7_LIBRARIES)
        self.assertEqual(unknown, [], "libraries Windows 7 may not have")
        newer = sorted("%s!%s" % (lib, name) for lib, names in table.items()
                       for name in names if name in NEWER_THAN_WINDOWS7.get(lib, ()))
        self.assertEqual(newer, [], "functions to look up at run time instead")

    # Declared once the windows lay themselves out at every scale: a program that says it is
    # aware but draws at 96 DPI comes out small on a scaled Windows desktop.
    def test_manifest_declares_dpi_awareness_with_fallbacks(self):
        manifest = embedded_manifest()
        self.assertIsNotNone(manifest, "no manifest in quiklex.exe")
        aware = [e.text.strip() for e in manifest.iter()
                 if e.tag.endswith("}dpiAware") and e.text]
        awareness = [e.text.strip() for e in manifest.iter()
                     if e.tag.endswith("}dpiAwareness") and e.text]
        self.assertEqual(aware, ["true/pm"])
        self.assertEqual(len(awareness), 1)
        self.assertEqual([v.strip() for v in awareness[0].split(",")],
                         ["PerMonitorV2", "PerMonitor"])


if __name__ == "__main__":
    unittest.main()
