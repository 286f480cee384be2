#!/usr/bin/env bash
# The Debian package of a finished build, unpacked into a scratch root:
# everything is in it, and its programs run from there.
# Arguments: the build folder and the cmake program (cpack lies beside it).
set -euo pipefail

build=$1
cpack="$(dirname "$2")/cpack"
scratch=$(mktemp -d "${TMPDIR:-/tmp}/zelta-package-XXXXXX")
sim_pid=
cleanup() {
  if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; fi
  rm -rf "$scratch"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# cpack installs what is built and builds nothing itself (the install
# step does not depend on "all").
"$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/out" \
  > "$scratch/cpack.log" 2>&1 || { cat "$scratch/cpack.log" >&2; fail "cpack"; }
debs=("$scratch"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single .deb: ${debs[*]}"
deb=${debs[0]}

root="$scratch/root"
dpkg-deb -x "$deb" "$root"

for f in usr/bin/zelta-pps usr/bin/zelta-pps-cli usr/bin/zelta-pager-sim; do
  [ -x "$root/$f" ] || fail "$f is missing or not executable"
done
for f in usr/share/zelta-pps/help/index.html \
         usr/share/applications/zelta-pps.desktop \
         usr/share/mime/packages/zelta-pps.xml \
         usr/share/icons/hicolor/scalable/apps/zelta-pps.svg \
         usr/share/man/man1/zelta-pps.1.gz usr/share/man/man1/zelta-pps-cli.1.gz \
         usr/share/man/man1/zelta-pager-sim.1.gz \
         usr/share/doc/zelta-pps/copyright usr/share/doc/zelta-pps/README.Debian; do
  [ -f "$root/$f" ] || fail "$f is missing"
done
for page in "$root"/usr/share/man/man1/*.1.gz; do
  gzip -t "$page" || fail "$page is no gzip file"
  zcat "$page" | grep -q '^\.SH DESCRIPTION' || fail "$page has no DESCRIPTION"
done
if command -v desktop-file-validate > /dev/null; then
  desktop-file-validate "$root/usr/share/applications/zelta-pps.desktop" || fail "desktop entry"
fi

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libserialport0 libqt6svg6 libc6; do
  [[ "$depends" == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done

expect_output() {  # expected, then the command
  local expected=$1; shift
  local got
  got=$("$@" 2>&1) || fail "$* exited with $?: $got"
  [ "$got" = "$expected" ] || fail "$*: expected '$expected', got '$got'"
}
expect_output "R08.03.04" "$root/usr/bin/zelta-pps-cli" --version
expect_output "R08.03.04" "$root/usr/bin/zelta-pager-sim" --version
expect_output "zelta-pps R08.03.04" env QT_QPA_PLATFORM=offscreen "$root/usr/bin/zelta-pps" --version

# Installed, the work folder is the user's data folder even where the
# program's folder could be written to: programming a simulated pager
# leaves its backup in $XDG_DATA_HOME/zelta-pps and nothing in usr/bin.
export XDG_DATA_HOME="$scratch/xdg" HOME="$scratch/home"
cli="$root/usr/bin/zelta-pps-cli"
"$cli" new --model p -o "$scratch/new.cp" > /dev/null
"$root/usr/bin/zelta-pager-sim" --model p --serial F000000001 --no-advertise \
  > "$scratch/sim.out" 2> /dev/null &
sim_pid=$!
for _ in $(seq 100); do
  [ -s "$scratch/sim.out" ] && break
  sleep 0.05
done
pty=$(head -n 1 "$scratch/sim.out")
[ -n "$pty" ] || fail "the simulator gave no terminal"
"$cli" program --port "$pty" "$scratch/new.cp" --yes > "$scratch/program.log" 2>&1 \
  || { cat "$scratch/program.log" >&2; fail "programming the simulated pager"; }
[ -f "$XDG_DATA_HOME/zelta-pps/~writeBeforeCP.bak" ] || fail "no backup in \$XDG_DATA_HOME/zelta-pps"
leftovers=$(ls -A "$root/usr/bin" | grep -v '^zelta-' || true)
[ -z "$leftovers" ] || fail "files written beside the installed programs: $leftovers"

# The codeplug file type, as a desktop finds it: the package's MIME file in
# a scratch XDG tree beside the system's types, asked through xdg-mime
# (which asks gio under GNOME). A codeplug made by "new" is a codeplug; a
# C++ source named .cp is not claimed.
desktop=$root/usr/share/applications/zelta-pps.desktop
grep -qx 'MimeType=application/x-zelta-codeplug;' "$desktop" || fail "desktop entry lacks the MimeType"
grep -qx 'Exec=zelta-pps %f' "$desktop" || fail "desktop entry does not pass the file"
if command -v xdg-mime > /dev/null && command -v update-mime-database > /dev/null \
   && command -v gio > /dev/null; then
  mime_home="$scratch/mime-home"
  mkdir -p "$mime_home/mime/packages"
  cp "$root/usr/share/mime/packages/zelta-pps.xml" "$mime_home/mime/packages/"
  update-mime-database "$mime_home/mime" > /dev/null 2>&1 || fail "update-mime-database"
  printf '#include <cstdio>\nint main() { return std::puts("S0"); }\n' > "$scratch/source.cp"
  filetype() {
    XDG_DATA_HOME="$mime_home" XDG_DATA_DIRS=/usr/share XDG_CURRENT_DESKTOP=GNOME \
      xdg-mime query filetype "$1" 2> /dev/null
  }
  expect_output "application/x-zelta-codeplug" filetype "$scratch/new.cp"
  got=$(filetype "$scratch/source.cp")
  [ "$got" != "application/x-zelta-codeplug" ] || fail "a C++ source named .cp is taken for a codeplug"
else
  echo "SKIP: the codeplug MIME type is not checked: xdg-mime, gio or update-mime-database missing (scripts/install-deps.sh installs them)"
fi

echo "package ok: $(basename "$deb")"
