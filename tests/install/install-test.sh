#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks it as a desktop and a shell see it.
# Usage: install-test.sh BUILD_DIR HAS_DESKTOP(0|1)
set -euo pipefail
build=$1
has_desktop=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cmake --install "$build" --prefix "$prefix" >/dev/null
id=com.morvane.Tallimo
expected=(bin/tallimo-cli lib/tallimo/plugins/csv.so lib/tallimo/plugins/ical.so
          share/applications/$id.desktop share/metainfo/$id.metainfo.xml
          share/mime/packages/$id.xml share/icons/hicolor/scalable/apps/$id.svg
          share/man/man1/tallimo.1.gz share/man/man1/tallimo-cli.1.gz
          share/bash-completion/completions/tallimo-cli
          share/doc/tallimo/copyright share/doc/tallimo/changelog.gz)
if [ "$has_desktop" = 1 ]; then
    expected+=(bin/tallimo)
fi
for file in "${expected[@]}"; do
    [ -f "$prefix/$file" ] || fail "not installed: $file"
done
for size in 16 32 48 256; do
    png=$prefix/share/icons/hicolor/${size}x$size/apps/$id.png
    [ -f "$png" ] || fail "no ${size}px icon"
    width=$(od -An -tu4 --endian=big -j16 -N4 "$png" | tr -d ' ')
    [ "$width" = "$size" ] || fail "the ${size}px icon is $width pixels wide"
done

desktop-file-validate "$prefix/share/applications/$id.desktop"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$id.metainfo.xml"

# The MIME type is found by the name and, without one, by the file's leading bytes.
update-mime-database "$prefix/share/mime" 2>/dev/null
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config TALLIMO_EXPORT_DIR=$work/out
mkdir -p "$HOME" "$TALLIMO_EXPORT_DIR"
cd "$work"
cli=$prefix/bin/tallimo-cli
"$cli" new 2006-03 m.time
cp m.time nameless
for file in m.time nameless; do
    type=$(XDG_DATA_HOME=$prefix/share XDG_DATA_DIRS=$prefix/share:/usr/share \
           gio info -a standard::content-type "$file" | sed -n 's/.*content-type: //p')
    [ "$type" = application/x-tallimo-timesheet ] || fail "$file is seen as '$type'"
done

# Every command of the program is in its man page and its completion.
commands=$("$cli" --help | sed -n 's/^  \([a-z][a-z-]*\) .*/\1/p' | sort)
[ "$(echo "$commands" | wc -l)" -ge 15 ] || fail "too few commands in the usage: $commands"
for page in tallimo tallimo-cli; do
    warnings=$(LC_ALL=C man --warnings -l "$prefix/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$page(1): $warnings"
done
manual=$(LC_ALL=C MANWIDTH=200 man -l "$prefix/share/man/man1/tallimo-cli.1.gz" 2>/dev/null)
for command in $commands; do
    grep -qE "^ {7}$command( |$)" <<<"$manual" || fail "tallimo-cli(1) lacks $command"
done
# shellcheck source=/dev/null
source "$prefix/share/bash-completion/completions/tallimo-cli"
complete_line() {
    COMP_WORDS=("$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _tallimo_cli 2>/dev/null
    printf '%s\n' "${COMPREPLY[@]}" | sort
}
[ "$(complete_line tallimo-cli '')" = "$commands" ] || fail "completion lists other commands"
touch notes.txt
[ "$(complete_line tallimo-cli show '')" = "$(printf 'home/\nm.time\nout/\nprefix/')" ] ||
    fail "completion of FILE: $(complete_line tallimo-cli show '')"
[ "$(complete_line tallimo-cli options Autos)" = Autostart= ] || fail "completion of a setting"
[ "$(complete_line tallimo-cli export m.time --plugin i)" = ical ] || fail "completion of plug-ins"

# The installed tallimo-cli exports with the bundled plug-ins named without their path, never
# with a library of that name in the working directory.
echo "not a library" >csv.so
"$cli" set m.time 1 --enter 08:00:00 --leave 17:00:00
"$cli" export m.time --plugin csv
"$cli" export m.time --plugin ical
[ -f "$TALLIMO_EXPORT_DIR/tallimo-work-2006-03.csv" ] &&
    [ -f "$TALLIMO_EXPORT_DIR/tallimo-work-2006-03.ics" ] || fail "no export files"

# Start at login: a valid entry that starts the desktop hidden, listed, and removed again.
"$cli" options Autostart=on
entry=$XDG_CONFIG_HOME/autostart/$id.desktop
desktop-file-validate "$entry"
grep -qx "Exec=\(.*/\)\?tallimo --hidden" "$entry" || fail "autostart: $(grep Exec "$entry")"
[ "$("$cli" options | tail -n 1)" = Autostart=on ] || fail "options does not list Autostart=on"
"$cli" options Autostart=off
[ ! -e "$entry" ] || fail "Autostart=off left the entry"
[ "$("$cli" options | tail -n 1)" = Autostart=off ] || fail "options does not list Autostart=off"

# The installed tallimo-cli finds the report's renderer beside it.
[ "$("$cli" report m.time --output report.pdf)" = report.pdf ] && [ -s report.pdf ] ||
    fail "no report from the installed tallimo-cli"
echo "install test passed"
