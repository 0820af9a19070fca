#!/usr/bin/env bash
# Checks the release in DIST as a Windows user meets it. Runs inside scripts/with-wine (a fresh
# prefix and display of its own):
#
#   scripts/with-wine -- tests/install/installer_test.sh DIST STAGE
#
# DIST is what scripts/package wrote; STAGE its folder of staged files (win32/, win64/), which
# also serves to build a higher version of the installer. Prints one line per check and
# "installer: N passed, N failed" last; exits non-zero on any failure.
set -uo pipefail

dist=$(realpath "$1")
stage=$(realpath "$2")
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

passed=0
failed=0
check() {  # check DESCRIPTION COMMAND...
    local what=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
        echo "ok      $what"
    else
        failed=$((failed + 1))
        echo "FAILED  $what"
    fi
}
# Polls COMMAND for up to 30 s: the uninstaller goes on in a copy of itself after it returns.
eventually() {
    local i
    for ((i = 0; i < 300; i++)); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}
same() { [[ $1 == "$2" ]] || { echo "        got '$1', expected '$2'" >&2; return 1; }; }

# --- The portable zips and the checksums ---
version=$(sed -n 's/^linova-\([0-9.]*\)-win64\.zip$/\1/p' < <(ls "$dist"))
check "dist holds a win64 zip with a version in its name" test -n "$version"
same_listing() {
    same "$(ls "$dist" | tr '\n' ' ')" \
        "SHA256SUMS linova-$version-win32-setup.exe linova-$version-win32.zip linova-$version-win64-setup.exe linova-$version-win64.zip "
}
check "dist holds two zips, two installers and SHA256SUMS" same_listing
zip_listing() {
    same "$(python3 -c 'import sys, zipfile; print(" ".join(zipfile.ZipFile(sys.argv[1]).namelist()))' "$1")" \
        "linova.exe README.txt LICENSE"
}
for arch in win32 win64; do
    check "the $arch zip holds linova.exe, README.txt and LICENSE" \
        zip_listing "$dist/linova-$version-$arch.zip"
done
check "SHA256SUMS verifies" bash -c "cd '$dist' && sha256sum --quiet -c SHA256SUMS"
machine() { od -An -tx1 -j "$(($(od -An -tu4 -j60 -N4 "$1") + 4))" -N2 "$1" | tr -d ' '; }
check "the win32 program is a 32-bit program" same "$(machine "$stage/win32/linova.exe")" 4c01
check "the win64 program is a 64-bit program" same "$(machine "$stage/win64/linova.exe")" 6486
no_debug() { ! x86_64-w64-mingw32-objdump -h "$1" | grep -q '\.debug'; }
check "the shipped programs carry no debug sections" \
    bash -c "$(declare -f no_debug); no_debug '$stage/win32/linova.exe' && no_debug '$stage/win64/linova.exe'"

# --- The 32-bit installer, by its contents (this machine runs no 32-bit code) ---
7z x -y -o"$work/setup32" "$dist/linova-$version-win32-setup.exe" >/dev/null
check "the win32 installer holds the win32 program" cmp -s "$work/setup32/linova.exe" "$stage/win32/linova.exe"
check "the win32 installer holds README.txt and LICENSE" \
    bash -c "cmp -s '$work/setup32/README.txt' '$stage/win32/README.txt' && cmp -s '$work/setup32/LICENSE' '$stage/win32/LICENSE'"

# --- The 64-bit installer under Wine ---
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Linova'
# Now and then a Wine console program's output never reaches the pipe (seen for reg and winepath,
# in about one run of this script in ten, with the registry as it should be): a query whose
# answer is never empty is asked again when it comes back empty.
asked() {
    local out i
    for ((i = 0; i < 5; i++)); do
        out=$("$@" 2>/dev/null | tr -d '\r')
        [[ -n $out ]] && break
        sleep 0.2
    done
    printf '%s\n' "$out"
}
value() { asked wine reg query "$key" /v "$1" | sed -n "s/^ *$1 *REG_[A-Z_]* *//p"; }
# Apps & features entries named Linova, in both hives (Wine files some under HKLM).
entries() {
    local hive count total=0
    for hive in HKCU HKLM; do
        count=$(asked wine reg query "$hive\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall" \
            /s | grep -c '^ *DisplayName *REG_SZ *Linova$')
        total=$((total + count))
    done
    echo "$total"
}
unix_path() { asked winepath -u "$(asked wine cmd /c "echo $1")"; }
install_dir=$(unix_path '%LOCALAPPDATA%')/Programs/Linova
shortcut=$(unix_path '%APPDATA%')/Microsoft/Windows/Start\ Menu/Programs/Linova.lnk

check "a silent install returns 0" wine "$dist/linova-$version-win64-setup.exe" /S
check "it puts exactly the program, README.txt, LICENSE and the uninstaller in Programs\\Linova" \
    same "$(ls "$install_dir" 2>/dev/null | tr '\n' ' ')" "LICENSE README.txt linova.exe uninstall.exe "
check "the installed program is the shipped one" cmp -s "$install_dir/linova.exe" "$stage/win64/linova.exe"
check "a Start menu shortcut points at it" grep -qa 'Programs\\Linova\\linova.exe' "$shortcut"
check "Apps & features: name" same "$(value DisplayName)" Linova
check "Apps & features: version" same "$(value DisplayVersion)" "$version"
check "Apps & features: publisher" same "$(value Publisher)" Tamarisk
windows_dir=$(asked winepath -w "$install_dir")
check "Apps & features: icon" same "$(value DisplayIcon)" "$windows_dir\\linova.exe,0"
check "Apps & features: uninstall command" same "$(value UninstallString)" "\"$windows_dir\\uninstall.exe\""
check "Apps & features: quiet uninstall command" \
    same "$(value QuietUninstallString)" "\"$windows_dir\\uninstall.exe\" /S"
size_kb=$(($(value EstimatedSize)))
actual_kb=$(du -sk --apparent-size "$install_dir" | cut -f1)
check "Apps & features: size within 8 KB of the files' ($actual_kb KB)" \
    test $((size_kb - actual_kb)) -le 8 -a $((actual_kb - size_kb)) -le 8
check "one Apps & features entry" same "$(entries)" 1

# The program as the user starts it: through the shortcut.
wine start /unix "$shortcut"
# Its title starts with its name; the readout follows.
shown() { xdotool search --onlyvisible --name '^Linova <1>' >/dev/null 2>&1; }
check "started from its shortcut, it shows a ruler" eventually shown
# Closing the ruler as Windows would writes its settings, which the uninstall must keep.
wine taskkill /im linova.exe >/dev/null 2>&1
gone() { ! shown; }
check "the ruler closes" eventually gone
settings() { asked wine reg query 'HKCU\Software\Tamarisk\Linova' /s | sort; }
# Written as the window goes: wait until they are there and stay as they are.
settled() {
    local first
    first=$(settings)
    sleep 0.5
    [[ -n $first && $first == "$(settings)" ]]
}
check "the ruler saved its settings" eventually settled
saved=$(settings)

check "installing the same version again returns 0" wine "$dist/linova-$version-win64-setup.exe" /S
check "still one Apps & features entry" same "$(entries)" 1
higher=$(echo "$version" | awk -F. '{ printf "%d.%d.%d", $1, $2, $3 + 1 }')
makensis -V1 -DVERSION="$higher" -DARCH=win64 -DSTAGE="$stage/win64" \
    -DOUTFILE="$work/higher-setup.exe" "$root/packaging/linova.nsi"
check "a higher version installs over it" wine "$work/higher-setup.exe" /S
check "one entry, with the higher version" same "$(entries) $(value DisplayVersion)" "1 $higher"
check "in the same place" same "$(ls "$install_dir" 2>/dev/null | tr '\n' ' ')" \
    "LICENSE README.txt linova.exe uninstall.exe "

# The quiet uninstall command as Apps & features would run it.
quiet=$(value QuietUninstallString)
uninstaller=${quiet#\"}
uninstaller=${uninstaller%%\"*}
check "the quiet uninstall returns 0" wine "$uninstaller" /S
check "it removes the program's folder" eventually test ! -e "$install_dir"
check "it removes the shortcut" eventually test ! -e "$shortcut"
no_entries() { [[ $(entries) == 0 ]]; }
check "it removes the Apps & features entry" eventually no_entries
check "it keeps the rulers' settings" same "$(settings)" "$saved"

echo "installer: $passed passed, $failed failed"
((failed == 0))
