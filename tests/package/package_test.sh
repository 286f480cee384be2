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

echo "package ok: $(basename "$deb")"
