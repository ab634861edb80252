#!/usr/bin/env bash
# Installs the build into a temporary prefix and builds examples/minimal
# against it as a user would, once through find_package(QVComponents) and
# once through pkg-config, then runs both on the headless desktop.
#
#   consume.sh CMAKE BUILD_DIR SOURCE_DIR LIBDIR CXX SANITIZE
#
# SANITIZE is ON when the build's libraries carry ASan and UBSan: a program
# linking them needs the sanitizer runtimes too.
set -euo pipefail
cmake=$1 build=$2 source=$3 libdir=$4 cxx=$5 sanitize=$6

tmp=$(mktemp -d "${TMPDIR:-/tmp}/qv-install.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
example=$source/examples/minimal

flags=()
if [ "$sanitize" = ON ] || [ "$sanitize" = 1 ] || [ "$sanitize" = TRUE ]; then
  flags=(-fsanitize=address,undefined)
fi

run() {  # run NAME PROGRAM: the built-in tour's output, line for line
  local out=$tmp/$1.out err=$tmp/$1.err status=0
  env -u DISPLAY -u WAYLAND_DISPLAY QV_BACKEND=headless "$2" >"$out" 2>"$err" || status=$?
  if [ "$status" -ne 0 ] || [ -s "$err" ]; then
    cat "$err" >&2
    echo "FAIL: $1 exited with status $status" >&2
    exit 1
  fi
  if ! diff -u "$example/tour.expected" "$out"; then
    echo "FAIL: $1: the output differs from $example/tour.expected" >&2
    exit 1
  fi
  echo "ok: $1"
}

"$cmake" --install "$build" --prefix "$prefix" >"$tmp/install.log" || { cat "$tmp/install.log"; exit 1; }

# Every program is in bin/ and runs from there.
for program in dfmconv formrun formsheet resgen qvdesign HoverBench hovertips; do
  if ! "$prefix/bin/$program" --version >/dev/null; then
    echo "FAIL: $prefix/bin/$program is not installed, or does not run" >&2
    exit 1
  fi
done
echo "ok: the programs"

# A CMake project of its own.
"$cmake" -S "$example" -B "$tmp/cmake-build" -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_CXX_FLAGS="${flags[*]}" -DCMAKE_EXE_LINKER_FLAGS="${flags[*]}" >"$tmp/configure.log" \
  || { cat "$tmp/configure.log"; exit 1; }
found=$(sed -n 's/^QVComponents_DIR:PATH=//p' "$tmp/cmake-build/CMakeCache.txt")
if [ "$found" != "$prefix/$libdir/cmake/QVComponents" ]; then
  echo "FAIL: find_package took QVComponents from '$found', not from $prefix" >&2
  exit 1
fi
"$cmake" --build "$tmp/cmake-build"
run find_package "$tmp/cmake-build/minimal"

# The plain command line.
export PKG_CONFIG_PATH=$prefix/$libdir/pkgconfig
pcflags=$(pkg-config --cflags --libs qvcomponents)
case "$pcflags" in
  *"$prefix"*) ;;
  *) echo "FAIL: pkg-config gave '$pcflags', nothing from $prefix" >&2; exit 1 ;;
esac
# shellcheck disable=SC2086  # pkg-config's output is a list of words
"$cxx" -std=c++20 "${flags[@]}" "$example/main.cpp" $pcflags -o "$tmp/minimal-pc"
run pkg-config "$tmp/minimal-pc"
