#!/usr/bin/env bash
# Installs the package `make deb` built and checks it the way a desktop uses it:
#   - apt installs it with its dependencies, and the files land where the desktop looks;
#   - the menu entry's Exec line runs (temura --version);
#   - desktop-file-validate and appstreamcli accept the installed entry and metainfo;
#   - dpkg's triggers registered the type: xdg-mime names application/x-temura for a .temura
#     file and the menu entry as its default handler;
#   - the installed program starts as an ordinary user under a virtual display, and F1 asks the
#     desktop to open the installed help page.
# It installs packages, so it needs root (or sudo) and is not part of `make test`.
#
#   scripts/check-deb.sh [DEB] [--remove]   DEB defaults to build-deb/temura_*.deb;
#                                           --remove uninstalls the package at the end
set -euo pipefail

cd "$(dirname "$0")/.."
deb=""
remove=0
for arg in "$@"; do
  case "$arg" in
    --remove) remove=1 ;;
    *) deb=$arg ;;
  esac
done
if [ -z "$deb" ]; then
  deb=$(ls -1t build-deb/temura_*.deb 2>/dev/null | head -n 1 || true)
fi
[ -f "$deb" ] || { echo "check-deb: no package; run make deb first" >&2; exit 2; }
deb=$(realpath "$deb")

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

failures=0
pass() { echo "ok    $*"; }
fail() { echo "FAIL  $*"; failures=$((failures + 1)); }
check() {  # check "what" command...
  local what=$1; shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}

scripts/install-deps.sh --package

echo "== installing $deb"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get install -y -q --reinstall "$deb"

check "package installed" \
  bash -c '[ "$(dpkg-query -W -f="\${Status}" temura)" = "install ok installed" ]'
echo "      Depends: $(dpkg-query -W -f='${Depends}' temura)"

entry=/usr/share/applications/Temura.desktop
metainfo=$(grep -l '<binary>temura</binary>' /usr/share/metainfo/*.metainfo.xml | head -n 1)
for f in /usr/bin/temura "$entry" /usr/share/mime/packages/temura.xml "$metainfo" \
         /usr/share/icons/hicolor/scalable/apps/temura.svg /usr/share/temura/Help/help.html \
         /usr/share/doc/temura/copyright; do
  check "installed $f" test -f "$f"
done

# Each PNG has the size its folder names.
for png in /usr/share/icons/hicolor/*/apps/temura.png; do
  size=$(basename "$(dirname "$(dirname "$png")")")
  check "icon $png is ${size/x/ x }" \
    bash -c "file -b '$png' | grep -q 'PNG image data, ${size/x/ x },'"
done

# The menu entry's command, without its field codes, with --version.
exec_line=$(sed -n 's/^Exec=//p' "$entry" | head -n 1)
read -r -a command <<<"${exec_line//%[fFuUik]/}"
version=$("${command[@]}" --version 2>&1 || true)
check "Exec line '$exec_line' runs: $version" test "${version%% *}" = Temura

check "desktop-file-validate $entry" desktop-file-validate "$entry"
check "appstreamcli validate $metainfo" appstreamcli validate --no-net "$metainfo"
# The whole tree as a software centre reads it: metainfo, its menu entry and its icon together.
tree=$(mktemp -d)
dpkg-deb -x "$deb" "$tree"
check "appstreamcli validate-tree of the package" appstreamcli validate-tree --no-net "$tree"
rm -rf "$tree"

# A fresh home, so nothing of the current user's own association is seen.
home=$(mktemp -d)
chmod 755 "$home"
printf '[SETTINGS]\r\nMode=1\r\n' >"$home/look.temura"
clean_env=(env -i PATH=/usr/bin:/bin HOME="$home" XDG_DATA_HOME="$home/.local/share"
           XDG_CONFIG_HOME="$home/.config" XDG_DATA_DIRS=/usr/local/share:/usr/share)
type=$("${clean_env[@]}" xdg-mime query filetype "$home/look.temura" 2>&1 || true)
check "xdg-mime query filetype look.temura: $type" test "$type" = application/x-temura
handler=$("${clean_env[@]}" xdg-mime query default application/x-temura 2>&1 || true)
check "xdg-mime query default application/x-temura: $handler" test "$handler" = Temura.desktop

# The installed program as an ordinary user: it starts, and F1 opens the installed help.
if command -v xvfb-run >/dev/null && command -v xdotool >/dev/null &&
   command -v setpriv >/dev/null; then
  user_home=$(mktemp -d)
  mkdir -p "$user_home/bin"
  # Stands in for the desktop's opener: records what the program asked it to open.
  cat >"$user_home/bin/xdg-open" <<EOF
#!/bin/sh
echo "\$*" >"$user_home/opened"
EOF
  chmod 755 "$user_home/bin/xdg-open"
  cat >"$user_home/press-f1.sh" <<'EOF'
#!/bin/sh
/usr/bin/temura --close-after=20000 &
pid=$!
for i in $(seq 1 100); do
  w=$(xdotool search --onlyvisible --name '^Temura$' 2>/dev/null | head -n 1)
  [ -n "$w" ] && break
  sleep 0.1
done
[ -n "$w" ] || { kill "$pid"; exit 1; }
xdotool windowfocus --sync "$w"
xdotool key F1
for i in $(seq 1 50); do
  [ -s "$HOME/opened" ] && break
  sleep 0.1
done
kill "$pid"
wait "$pid" 2>/dev/null || true
EOF
  chmod 755 "$user_home/press-f1.sh"
  "${sudo_cmd[@]}" chown -R nobody:nogroup "$user_home"
  as_user=("${sudo_cmd[@]}" setpriv --reuid=nobody --regid=nogroup --clear-groups
           env -i PATH="$user_home/bin:/usr/bin:/bin" HOME="$user_home"
           XDG_DATA_HOME="$user_home/.local/share" XDG_CONFIG_HOME="$user_home/.config"
           XDG_RUNTIME_DIR="$user_home" QT_QPA_PLATFORM=xcb)
  check "installed program starts and renders (as nobody, under Xvfb)" \
    "${as_user[@]}" xvfb-run -a -s "-screen 0 1280x800x24" \
    /usr/bin/temura --screenshot="$user_home/shot.png"
  # The tick is on in a fresh home: with a sound server (a null sink in the user's runtime folder)
  # its first plays load the recommended libpulse0 and put the click in the server's cache.
  printf 'load-module module-null-sink\nload-module module-native-protocol-unix\n' \
    >"$user_home/pulse.pa"
  "${sudo_cmd[@]}" chown nobody:nogroup "$user_home/pulse.pa"
  "${as_user[@]}" pulseaudio -n -F "$user_home/pulse.pa" --daemonize=no --exit-idle-time=-1 \
    --log-target=stderr 2>"$user_home/pulse.log" &
  pulse_pid=$!
  sleep 2
  "${as_user[@]}" xvfb-run -a -s "-screen 0 1280x800x24" \
    sh -c "/usr/bin/temura --close-after=10000 2>'$user_home/run.log'" &
  clock_pid=$!
  # The click in the server's own sample cache is what the clock plays from; the upload takes a
  # few ticks after the first.
  cached=""
  for _ in $(seq 16); do
    sleep 0.5
    cached=$("${as_user[@]}" pactl list samples short 2>&1 || true)
    grep -q temura-tick <<<"$cached" && break
  done
  wait "$clock_pid" 2>/dev/null || true
  kill "$pulse_pid" 2>/dev/null || true
  wait "$pulse_pid" 2>/dev/null || true
  check "the tick reaches the sound server: $(grep -h 'tick' "$user_home/run.log" || true)" \
    bash -c "[ -f '$user_home/run.log' ] && ! grep -q 'tick is silent' '$user_home/run.log'"
  check "the click is in the server's sample cache: ${cached//$'\n'/ }" \
    grep -q temura-tick <<<"$cached"
  "${as_user[@]}" xvfb-run -a -s "-screen 0 1280x800x24" "$user_home/press-f1.sh" || true
  opened=$(cat "$user_home/opened" 2>/dev/null || true)
  check "F1 opens the installed help: $opened" \
    test "$opened" = file:///usr/share/temura/Help/help.html
  "${sudo_cmd[@]}" rm -rf "$user_home"
else
  echo "skip  starting the installed program: xvfb-run, xdotool or setpriv is missing"
fi
rm -rf "$home"

if [ "$remove" -eq 1 ]; then
  "${sudo_cmd[@]}" apt-get remove -y -q temura
fi

if [ "$failures" -ne 0 ]; then
  echo "check-deb: $failures check(s) failed"
  exit 1
fi
echo "check-deb: all checks passed"
