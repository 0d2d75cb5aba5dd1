#!/usr/bin/env bash
# Builds the Qt that Dicewright for Windows links: Debian 12's own qt6-base source, at the
# version pinned below, cross-built with MinGW-w64 for x86_64-w64-mingw32, with only the
# modules and plugins Dicewright and its tests load. It is built once into a cache folder
# outside the checkout and reused while the source, the options, the toolchain file and the
# compilers stay the same. The last line printed is that Qt's folder.
#   Usage: scripts/windows-qt.sh
#   DICEWRIGHT_CACHE: the cache folder (default ${XDG_CACHE_HOME:-~/.cache}/dicewright)
# Needs what scripts/deps.sh windows installs, and Debian's package servers the first time.
set -euo pipefail
cd "$(dirname "$0")/.."

# What Debian 12 ships, the same as the host's qt6-base-dev-tools, whose moc, rcc and uic
# Qt's build runs. The .dsc names the checksums of the two tarballs, which dpkg-source checks
# as it unpacks them; apt-get has checked the .dsc against Debian's signed package index.
package=qt6-base
version=6.4.2+dfsg-10
dsc_sha256=1b4b5c8610a553d4211fa81e268b1a3b0a6339ae5444fdb7e60d7616da651970
options=(
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    # Core, Gui, Widgets and Test are what Dicewright and its tests use.
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF
    -DFEATURE_concurrent=OFF -DFEATURE_printsupport=OFF
    -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_direct2d=OFF -DFEATURE_zstd=OFF
    # Debian's +dfsg source leaves out the Wintab headers the tablet support needs.
    -DFEATURE_tabletevent=OFF
    # With DirectWrite 3, qwindows.dll does not link in 6.4.2 under MinGW
    # (QWindowsDirectWriteFontDatabase is not built); plain DirectWrite stays.
    -DFEATURE_directwrite3=OFF
    # The Windows plugin of 6.4.2 does not compile without OpenGL; loaded dynamically, it
    # needs nothing more at build or run time.
    -DINPUT_opengl=dynamic
)
toolchain=packaging/windows/mingw-w64.cmake

# What it says goes to the standard error; the standard output has only the folder.
say() { echo "windows-qt.sh: $*" >&2; }

cache=${DICEWRIGHT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/dicewright}
host_tools=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
if [ "$host_tools" != "$version" ]; then
    say "the host's qt6-base-dev-tools is $host_tools, not $version; Qt for" \
        "Windows must be built from the same source as the tools that build it"
    exit 1
fi
# Everything the built Qt depends on, in one recipe; its checksum names the folder.
recipe=$(
    echo "$package $version $dsc_sha256"
    printf '%s\n' "${options[@]}"
    cat "$toolchain"
    x86_64-w64-mingw32-gcc-posix --version | head -n 1
    x86_64-w64-mingw32-g++-posix --version | head -n 1
)
key=$(sha256sum <<<"$recipe" | cut -c1-12)
upstream=${version%%+*}
prefix=$cache/qt-$upstream-mingw-$key
if [ -f "$prefix/dicewright-recipe.txt" ]; then
    say "Qt $upstream for Windows is in the cache, built from $package $version"
    echo "$prefix"
    exit 0
fi

# The note on Qt's source that Dicewright for Windows carries, as the LGPL asks.
sourceNote() {
    cat <<EOF
Dicewright for Windows carries Qt $upstream (its Core, Gui and Widgets libraries and its
Windows platform and style plugins), which is free software under the GNU Lesser General
Public License version 3 (LGPL-3.0-only.txt here, with the GNU General Public License
version 3 it builds on, GPL-3.0-only.txt). You may replace these DLLs with your own build of
Qt $upstream.

This Qt was built from Debian's source package $package $version, with Debian's patches,
as Debian 12 publishes it:

  http://deb.debian.org/debian/pool/main/q/$package/${package}_$version.dsc
    (SHA-256 $dsc_sha256)
  and the two tarballs that file names: the upstream source and Debian's changes;
  also at https://sources.debian.org/src/$package/$version/

It was cross-compiled for x86_64-w64-mingw32 with Debian's MinGW-w64
($(x86_64-w64-mingw32-g++-posix --version | head -n 1)), configured with:

$(printf '  %s\n' "${options[@]}")

by scripts/windows-qt.sh in Dicewright's source, which does all of it in one command.
EOF
}

start=$SECONDS
mkdir -p "$cache/sources"
work=$(mktemp -d "$cache/qt-build.XXXXXX")
trap 'rm -rf "$work"' EXIT

# Qt's source, from Debian's package servers through apt's own checks, with a package list
# of its own: the machine's apt sources are left as they are.
dsc=$cache/sources/${package}_$version.dsc
if [ ! -f "$dsc" ] || ! sha256sum --check --status <<<"$dsc_sha256  $dsc"; then
    apt=$work/apt
    mkdir -p "$apt/lists/partial" "$apt/archives/partial"
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg]" \
        "http://deb.debian.org/debian $codename main" >"$apt/sources.list"
    aptOptions=(-o "Dir::Etc::SourceList=$apt/sources.list" -o Dir::Etc::SourceParts=/dev/null
        -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt" -o APT::Sandbox::User="$(id -un)")
    apt-get "${aptOptions[@]}" -qq update >&2
    (cd "$cache/sources" && apt-get "${aptOptions[@]}" -qq source --download-only "$package=$version" >&2)
fi
if ! sha256sum --check --status <<<"$dsc_sha256  $dsc"; then
    say "$dsc is not the pinned one (sha256 $dsc_sha256)"
    exit 1
fi
say "$package $version from Debian, its .dsc as pinned; unpacking with" \
    "Debian's patches"
dpkg-source --require-strong-checksums -x "$dsc" "$work/source" >"$work/unpack.log" ||
    {
        cat "$work/unpack.log" >&2
        exit 1
    }

cp "$toolchain" "$work/toolchain.cmake"
say "configuring Qt $upstream for x86_64-w64-mingw32"
cmake -G Ninja -S "$work/source" -B "$work/build" --log-level=WARNING \
    -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_INSTALL_PREFIX="$work/install" "${options[@]}" >"$work/configure.log" ||
    {
        tail -n 40 "$work/configure.log" >&2
        exit 1
    }
say "building (about a quarter of an hour on two cores)"
cmake --build "$work/build" >"$work/build.log" || {
    tail -n 40 "$work/build.log" >&2
    exit 1
}
cmake --install "$work/build" --strip >"$work/install.log"
# What the packages carry beside Qt's own files: its licences, and where its source came from.
mkdir -p "$work/install/share/licenses"
cp "$work/source/LICENSES/LGPL-3.0-only.txt" "$work/source/LICENSES/GPL-3.0-only.txt" \
    "$work/install/share/licenses/"
sourceNote >"$work/install/share/licenses/SOURCE.txt"
echo "$recipe" >"$work/install/dicewright-recipe.txt"
mkdir -p "$(dirname "$prefix")"
mv "$work/install" "$prefix" # whole or not at all
say "built Qt $upstream for Windows from $package $version in" \
    "$((SECONDS - start)) s; $(du -sh "$prefix" | cut -f1) in the cache"
echo "$prefix"
