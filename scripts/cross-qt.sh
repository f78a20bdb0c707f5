#!/usr/bin/env bash
# Builds Qt's qtbase for another platform from Debian's own source package, once, into a cache
# outside the checkout, and prints the prefix. Usage: cross-qt.sh windows|wasm
# The cache path names the Qt version, Debian's revision, the compiler and the configuration; the
# build is installed under a temporary name and renamed only when complete.
set -euo pipefail
target=${1:?usage: cross-qt.sh windows|wasm}
here=$(cd "$(dirname "$0")/.." && pwd)
cache=${VINTALEM_QT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vintalem-qt}
jobs=${JOBS:-$(nproc)}
patches=()

# Only what the game needs: Core, Gui, Widgets, Test and the platform plugins.
common=(
    -DBUILD_SHARED_LIBS=OFF -DCMAKE_BUILD_TYPE=Release
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_xml=OFF -DFEATURE_dbus=OFF
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF
    -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF
)
# Without the widgets, dialogs, models and formats the game has no use for: a smaller program
# and a shorter build. The page also leaves out the tests and HarfBuzz, whose shaping Italian does
# not need (Qt then lays out and kerns with FreeType); Windows keeps both, for its suite and its
# DirectWrite text.
unused=(
    -DFEATURE_vulkan=OFF -DFEATURE_mimetype_database=OFF -DFEATURE_sharedmemory=OFF
    -DFEATURE_systemsemaphore=OFF -DFEATURE_textmarkdownreader=OFF
    -DFEATURE_textmarkdownwriter=OFF -DFEATURE_textodfwriter=OFF -DFEATURE_pdf=OFF
    -DFEATURE_movie=OFF -DFEATURE_sessionmanager=OFF -DFEATURE_systemtrayicon=OFF
    -DFEATURE_imageformat_ppm=OFF -DFEATURE_imageformat_xbm=OFF -DFEATURE_graphicsview=OFF
    -DFEATURE_mdiarea=OFF -DFEATURE_dockwidget=OFF -DFEATURE_calendarwidget=OFF
    -DFEATURE_datetimeedit=OFF -DFEATURE_colordialog=OFF -DFEATURE_filedialog=OFF
    -DFEATURE_fontdialog=OFF -DFEATURE_fontcombobox=OFF -DFEATURE_inputdialog=OFF
    -DFEATURE_progressdialog=OFF -DFEATURE_errormessage=OFF -DFEATURE_wizard=OFF
    -DFEATURE_undoview=OFF -DFEATURE_columnview=OFF -DFEATURE_keysequenceedit=OFF
    -DFEATURE_lcdnumber=OFF -DFEATURE_dial=OFF -DFEATURE_splashscreen=OFF
    -DFEATURE_commandlinkbutton=OFF -DFEATURE_toolbox=OFF -DFEATURE_testlib=OFF
    -DFEATURE_style_stylesheet=OFF -DFEATURE_combobox=OFF -DFEATURE_completer=OFF
    -DFEATURE_treewidget=OFF -DFEATURE_treeview=OFF -DFEATURE_tablewidget=OFF
    -DFEATURE_tableview=OFF -DFEATURE_datawidgetmapper=OFF -DFEATURE_tabwidget=OFF
    -DFEATURE_tabbar=OFF -DFEATURE_mainwindow=OFF -DFEATURE_toolbar=OFF -DFEATURE_spinbox=OFF
    -DFEATURE_splitter=OFF -DFEATURE_scroller=OFF -DFEATURE_undostack=OFF
    -DFEATURE_undocommand=OFF -DFEATURE_undogroup=OFF -DFEATURE_textbrowser=OFF
    -DFEATURE_syntaxhighlighter=OFF -DFEATURE_statusbar=OFF -DFEATURE_statustip=OFF
    -DFEATURE_whatsthis=OFF -DFEATURE_sortfilterproxymodel=OFF -DFEATURE_standarditemmodel=OFF
    -DFEATURE_harfbuzz=OFF
)
case $target in
windows)
    compiler="mingw-$(x86_64-w64-mingw32-g++-posix -dumpfullversion)"
    # Debian's source lacks wintab.h. Direct2D stays: in 6.4 the platform plugin's DirectWrite
    # font database is only built with it; so does OpenGL, without which 6.4's plugin does not
    # compile. Direct2D 1.1 goes: it only adds a second copy of the platform plugin. 6.4's
    # Widgets cannot leave the tool bar and main window out (a file includes QToolBar unguarded).
    keep=()
    for opt in "${unused[@]}"; do
        case $opt in -DFEATURE_testlib=*|-DFEATURE_harfbuzz=*|-DFEATURE_toolbar=*|-DFEATURE_mainwindow=*) ;; *) keep+=("$opt") ;; esac
    done
    opts=("${common[@]}" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake"
          -DFEATURE_tabletevent=OFF -DFEATURE_style_windowsvista=OFF -DFEATURE_direct2d1_1=OFF
          -DFEATURE_optimize_size=ON "${keep[@]}")
    ;;
wasm)
    # Emscripten's tools need Debian's node modules.
    export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
    # Qt looks for an emsdk layout; Debian has emcc in /usr/bin and the rest in
    # /usr/share/emscripten, so a folder of links stands in for one.
    if [ -z "${EMSDK:-}" ]; then
        EMSDK="$cache/emsdk-debian"
        root="$EMSDK/upstream/emscripten"
        if [ ! -e "$root/emcc" ]; then
            mkdir -p "$root"
            ln -sfn /usr/share/emscripten/* "$root/"
            for tool in /usr/bin/em*; do ln -sfn "$tool" "$root/"; done
            echo "EMSCRIPTEN_ROOT = emsdk_path + '/upstream/emscripten'" > "$EMSDK/.emscripten"
        fi
        export EMSDK
    fi
    compiler="emcc-$(emcc -dumpversion 2>/dev/null)"
    # Each download counts in a page: what the game never uses goes too (MIME types, XML
    # streams, other calendars, gestures, the fast but large SHA-3).
    opts=("${common[@]}" -DQT_QMAKE_TARGET_MKSPEC=wasm-emscripten -DFEATURE_thread=OFF
          -DFEATURE_optimize_size=ON "${unused[@]}"
          -DFEATURE_mimetype=OFF -DFEATURE_xmlstream=OFF
          -DFEATURE_hijricalendar=OFF -DFEATURE_islamiccivilcalendar=OFF
          -DFEATURE_jalalicalendar=OFF -DFEATURE_gestures=OFF -DFEATURE_sha3_fast=OFF
          -DCMAKE_TOOLCHAIN_FILE="$EMSDK/upstream/emscripten/cmake/Modules/Platform/Emscripten.cmake")
    # The game carries and draws its own face: Qt's embedded fonts would only weigh. The page
    # scales the game, and the pointer must land where it points at any scale.
    # The page draws no style's icons and reads only TrueType faces.
    patches=(no-wasm-fonts scaled-pointer no-style-images truetype-only)
    ;;
*) echo "cross-qt: unknown target $target" >&2; exit 2 ;;
esac

version=$(dpkg-query -W -f='${Version}' qt6-base-dev)   # the host Qt must be the same version
config=$(printf '%s\n' "$target" "${opts[@]}" "${patches[@]}" | sed "s|$here|SRC|g" | sha256sum | cut -c1-10)
prefix="$cache/qtbase-${version//[:~]/_}-$target-$compiler-$config"
if [ -f "$prefix/bin/qt-cmake" ]; then echo "$prefix"; exit 0; fi

mkdir -p "$cache"
work=$(mktemp -d "$cache/.work.XXXXXX")
trap 'rm -rf "$work"' EXIT
echo "cross-qt: building qtbase $version for $target once, into $prefix" >&2
(
    cd "$work"
    # Debian's own source package, fetched without changing the machine's apt configuration.
    "$here/scripts/apt-source.sh" qt6-base qt6-base-dev >&2 2>"$work/apt-source.log" || {
        cat "$work/apt-source.log" >&2; exit 1; }
    src=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' -o -maxdepth 1 -type d -name 'qtbase-*' | head -n1)
    if [[ " ${patches[*]} " == *" no-wasm-fonts "* ]]; then
        sed -i -e '/^set(wasmfonts_resource_files/,/^)$/d' \
            -e '/^qt_internal_add_resource(QWasmIntegrationPlugin "wasmfonts"/,/^)$/d' \
            "$src/src/plugins/platforms/wasm/CMakeLists.txt"
        ! grep -q wasmfonts "$src/src/plugins/platforms/wasm/CMakeLists.txt" ||
            { echo "cross-qt: Qt's embedded fonts could not be left out" >&2; exit 1; }
    fi
    if [[ " ${patches[*]} " == *" scaled-pointer "* ]]; then
        # Qt's browser platform gives pointer positions in the page's pixels where the window
        # system interface takes a window's native ones, and moves a window dragged by its title
        # bar by page pixels in logical ones: right only at scale 1.
        wasm="$src/src/plugins/platforms/wasm"
        factor='QHighDpiScaling::factor'
        sed -i -e 's|^#include "qwasmwindownonclientarea.h"$|&\n#include <QtGui/private/qhighdpiscaling_p.h>|' \
            -e "s|const QPoint delta = (clipPointWithScreen(event.localPoint) - m_moveStartPoint).toPoint();|const QPoint delta = ((clipPointWithScreen(event.localPoint) - m_moveStartPoint) / $factor(m_window->window())).toPoint();|" \
            "$wasm/qwasmwindownonclientarea.cpp"
        sed -i -e 's|^#include "qwasmwindowclientarea.h"$|&\n#include <QtGui/private/qhighdpiscaling_p.h>|' \
            -e "s|m_window->window()->mapFromGlobal(targetPointClippedToScreen),|m_window->window()->mapFromGlobal(targetPointClippedToScreen / $factor(m_window->window())) * $factor(m_window->window()),|" \
            -e "s|QPointF(m_window->window()->mapFromGlobal(targetPointClippedToScreen));|QPointF(m_window->window()->mapFromGlobal(targetPointClippedToScreen / $factor(m_window->window())));|" \
            "$wasm/qwasmwindowclientarea.cpp"
        sed -i -e 's|^#include "qwasmwindow.h"$|&\n#include <QtGui/private/qhighdpiscaling_p.h>|' \
            -e "s#\(window()\|m_window\)->mapFromGlobal(pointInScreen)#\1->mapFromGlobal(pointInScreen / $factor(window())) * $factor(window())#" \
            "$wasm/qwasmwindow.cpp"
        [ "$(cat "$wasm/qwasmwindownonclientarea.cpp" "$wasm/qwasmwindowclientarea.cpp" "$wasm/qwasmwindow.cpp" |
             grep -o "$factor(" | wc -l)" -eq 12 ] ||
            { echo "cross-qt: the pointer's positions could not be scaled" >&2; exit 1; }
    fi
    if [[ " ${patches[*]} " == *" no-style-images "* ]]; then
        # Of the styles' pictures the game's Fusion draws only the group box's frame; the
        # message box's logo is asked for by name when the application starts.
        widgets="$src/src/widgets/CMakeLists.txt"
        sed -i -e '/^set(qstyle_resource_files/,/^)$/{/"styles\/images\//{/fusion_groupbox/!d}}' \
            -e '/^set(qstyle1_resource_files/,/^)$/d' \
            -e '/^qt_internal_add_resource(Widgets "qstyle1"/,/^)$/d' \
            -e '/^set(qstyle_resource_fusion_files/,/^)$/d' \
            -e '/^qt_internal_add_resource(Widgets "qstyle_fusion"/,/^)$/d' "$widgets"
        [ "$(grep -c '"styles/images/' "$widgets")" -eq 1 ] ||
            { echo "cross-qt: the styles' pictures could not be left out" >&2; exit 1; }
    fi
    if [[ " ${patches[*]} " == *" truetype-only "* ]]; then
        modules="$src/src/3rdparty/freetype/include/freetype/config/ftmodule.h"
        sed -i -E '/FT_USE_MODULE\( *FT_(Driver_ClassRec|Module_Class|Renderer_Class), *(t1|cff|t1cid|pfr|t42|winfnt|pcf|bdf)_driver_class|(psaux|pshinter)_module_class|ft_(sdf|bitmap_sdf|svg)_renderer_class *\)/d' "$modules"
        [ "$(grep -c '^FT_USE_MODULE' "$modules")" -eq 6 ] ||
            { echo "cross-qt: FreeType's other font formats could not be left out" >&2; exit 1; }
    fi
    cmake -S "$src" -B "$work/build" -G Ninja -DCMAKE_INSTALL_PREFIX="$prefix" "${opts[@]}" >&2
    cmake --build "$work/build" -j "$jobs" >&2
    DESTDIR="$work/stage" cmake --install "$work/build" >/dev/null
)
mv "$work/stage$prefix" "$prefix"
echo "$prefix"
