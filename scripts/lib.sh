# Shared by scripts/run, scripts/test and the benchmarks: installing what is missing, building,
# and the Wine + X environment the program runs in.
# shellcheck shell=bash

QLX_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export QLX_ROOT

qlx_log() { printf '== %s\n' "$*" >&2; }

# Installs the Debian packages whose commands or files are missing.
qlx_install() {
    local want=() pair cmd pkg
    for pair in "$@"; do
        cmd="${pair%%:*}"
        pkg="${pair#*:}"
        if [[ "$cmd" == /* ]]; then
            [[ -e "$cmd" ]] || want+=("$pkg")
        else
            command -v "$cmd" >/dev/null 2>&1 || want+=("$pkg")
        fi
    done
    [[ ${#want[@]} -eq 0 ]] && return 0
    qlx_log "installing ${want[*]}"
    # As another user than root (a CI runner), through sudo; env carries the setting past
    # sudo, which clears the environment.
    local sudo=()
    [[ $(id -u) -ne 0 ]] && sudo=(sudo)
    "${sudo[@]}" apt-get update -qq >/dev/null
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${want[@]}" >/dev/null
}

qlx_install_build_tools() {
    qlx_install cmake:cmake g++:g++ make:make \
        x86_64-w64-mingw32-g++-posix:g++-mingw-w64-x86-64-posix \
        x86_64-w64-mingw32-windres:binutils-mingw-w64-x86-64 \
        /usr/src/googletest/CMakeLists.txt:googletest \
        /usr/include/benchmark/benchmark.h:libbenchmark-dev
}

# The native core benchmarks: valgrind for instruction counts and the outside libraries that
# serve as yardsticks.
qlx_install_bench_libraries() {
    qlx_install_build_tools
    qlx_install pkg-config:pkgconf valgrind:valgrind python3:python3 \
        /usr/include/ini.h:libinih-dev /usr/include/expat.h:libexpat1-dev \
        /usr/include/pugixml.hpp:libpugixml-dev \
        /usr/include/x86_64-linux-gnu/curl/curl.h:libcurl4-openssl-dev
}

qlx_install_wine() {
    if ! command -v wine >/dev/null 2>&1; then
        qlx_install wine:wine wine64:wine64
    fi
    qlx_install xdotool:xdotool xwininfo:x11-utils xprop:x11-utils python3:python3 \
        /usr/bin/import:imagemagick
    qlx_install_fonts
}

# The program's fixed-pixel layouts are drawn for Arial: Liberation Sans has its metrics.
# Without it Wine draws "Arial" with a wider fallback face and texts and menus grow. Wine's own
# faces (Tahoma for dialogs and menus, Marlett for the caption buttons) come with fonts-wine.
qlx_install_fonts() {
    qlx_install /usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf:fonts-liberation \
        /usr/share/wine/fonts/marlett.ttf:fonts-wine
}

# Makes the Wine prefix in WINEPREFIX (or the default one) draw "Arial" with Liberation Sans
# where no real Arial is installed (Wine applies the mapping only then), and gives it Wine's
# own faces, which this Wine build does not find in its data folder.
qlx_prefix_fonts() {
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /t REG_SZ \
        /d 'Liberation Sans' /f >/dev/null 2>&1
    local fonts="${WINEPREFIX:-$HOME/.wine}/drive_c/windows/Fonts"
    [[ -d "$fonts" && ! -e "$fonts/marlett.ttf" ]] && cp -n /usr/share/wine/fonts/*.ttf "$fonts/"
    true
}

qlx_install_display() {
    qlx_install Xvfb:xvfb openbox:openbox xauth:xauth
}

# The Linux program: Qt 6 (widgets, D-Bus), the X protocol library for its shortcut, and what
# its tests drive it with (a session bus, the clipboard, xdotool, screenshots, and Python's
# D-Bus for a stand-in tray host).
qlx_install_qt() {
    qlx_install /usr/lib/x86_64-linux-gnu/cmake/Qt6Widgets/Qt6WidgetsConfig.cmake:qt6-base-dev \
        /usr/include/xcb/xcb.h:libxcb1-dev /usr/include/GL/gl.h:libgl-dev \
        dbus-run-session:dbus gdbus:libglib2.0-bin xclip:xclip xdotool:xdotool xwininfo:x11-utils \
        /usr/bin/import:imagemagick python3:python3 \
        /usr/lib/python3/dist-packages/dbus/__init__.py:python3-dbus \
        /usr/lib/python3/dist-packages/gi/__init__.py:python3-gi
    qlx_install_access
    qlx_install_package_tools
    qlx_install_wayland_and_selection
    # The scale and monitor tests: the display's DPI (xrdb) and its monitors (xrandr).
    qlx_install xrdb:x11-xserver-utils xrandr:x11-xserver-utils
}

# The accessibility bus and a real client that the Linux tests read the program's tree with.
qlx_install_access() {
    qlx_install /usr/libexec/at-spi-bus-launcher:at-spi2-core \
        /usr/lib/python3/dist-packages/pyatspi/__init__.py:python3-pyatspi
}

# The Debian package of the Linux program: CPack's dependency step (dpkg-shlibdeps) and the
# checkers its test runs, and gsettings for the desktop shortcut of scripts/install-linux.
qlx_install_package_tools() {
    qlx_install dpkg-shlibdeps:dpkg-dev gzip:gzip lintian:lintian pgrep:procps \
        desktop-file-validate:desktop-file-utils appstreamcli:appstream \
        gsettings:libglib2.0-bin glib-compile-schemas:libglib2.0-bin
}

# The Linux program on Wayland (Qt's Wayland platform, a headless compositor for its tests)
# and another X program whose selected text the shortcut looks up.
qlx_install_wayland_and_selection() {
    qlx_install weston:weston \
        /usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqwayland-generic.so:qt6-wayland \
        xterm:xterm
}

# Builds a preset's targets, configuring its folder first where needed. The presets make
# warnings errors (QLX_WERROR); a folder configured before that option existed, or with it off
# while QLX_REQUIRE_WERROR is set (scripts/test), is configured with the preset again.
qlx_build() { # preset [targets...]
    local preset="$1"
    shift
    local cache="$QLX_ROOT/build/$preset/CMakeCache.txt"
    if [[ ! -f "$cache" ]] || ! grep -q '^QLX_WERROR:' "$cache" ||
        { [[ -n "${QLX_REQUIRE_WERROR:-}" ]] && ! grep -q '^QLX_WERROR:[A-Z]*=ON$' "$cache"; } ||
        # Qt installed since the folder was configured without it.
        { grep -q '^Qt6_DIR:PATH=Qt6_DIR-NOTFOUND' "$cache" && grep -q '^QLX_QT:STRING=AUTO' "$cache" &&
          [[ -e /usr/lib/x86_64-linux-gnu/cmake/Qt6/Qt6Config.cmake ]]; }; then
        cmake --preset "$preset" -S "$QLX_ROOT" >/dev/null
    fi
    # A target the folder's makefiles do not know yet (added since it was configured, or only
    # built where a library was found since) needs the configure step first.
    [[ $# -gt 0 ]] && cmake -S "$QLX_ROOT" -B "$QLX_ROOT/build/$preset" >/dev/null
    local args=()
    for t in "$@"; do args+=(--target "$t"); done
    cmake --build "$QLX_ROOT/build/$preset" -j"$(nproc)" "${args[@]}"
}

# A fresh Wine prefix: no Mono/Gecko prompts, no crash dialog, quiet.
qlx_make_prefix() { # dir
    export WINEPREFIX="$1"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree=d;mshtml=d;winemenubuilder.exe=d"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    qlx_prefix_fonts
    wineserver -w
    # One Wine server for the whole run: a server that shuts down between tests would make the
    # next program start the whole Wine session again, and programs started during that
    # start-up can hang.
    wineserver -p
    wine cmd /c exit >/dev/null 2>&1
}

# Xvfb with a small window manager on a free display number; sets DISPLAY and QLX_XVFB_PID.
qlx_start_display() {
    local n
    for n in $(seq 90 120); do
        [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        QLX_XVFB_PID=$!
        export DISPLAY=":$n"
        for _ in $(seq 50); do
            xdpyinfo >/dev/null 2>&1 && break
            sleep 0.1
        done
        if xdpyinfo >/dev/null 2>&1; then
            openbox >/dev/null 2>&1 &
            QLX_WM_PID=$!
            export QLX_XVFB_PID QLX_WM_PID
            return 0
        fi
        kill "$QLX_XVFB_PID" 2>/dev/null
    done
    return 1
}

qlx_stop_display() {
    [[ -n "${QLX_WM_PID:-}" ]] && kill "$QLX_WM_PID" 2>/dev/null
    [[ -n "${QLX_XVFB_PID:-}" ]] && kill "$QLX_XVFB_PID" 2>/dev/null
    true
}

# For the benchmarks: everything installed, the named mingw targets built, and a fresh Wine
# prefix on a virtual display, all removed again when the calling script exits. Sets
# QLX_BENCH_WORK to the run's scratch folder.
qlx_bench_setup() { # targets...
    qlx_install_build_tools
    qlx_install_wine
    qlx_install_display
    qlx_build mingw "$@" >/dev/null
    QLX_BENCH_WORK="$(mktemp -d /tmp/quiklex-bench.XXXXXX)"
    export QLX_BENCH_WORK
    trap 'wineserver -k >/dev/null 2>&1; qlx_stop_display; rm -rf "$QLX_BENCH_WORK"' EXIT
    qlx_start_display
    qlx_make_prefix "$QLX_BENCH_WORK/prefix"
}
