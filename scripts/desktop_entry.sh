#!/usr/bin/env bash
# Writes the desktop menu entry of KALIDOR installed in a program folder:
#   scripts/desktop_entry.sh <program folder> <entry file>
# The entry starts <program folder>/kalidor with the icon <program folder>/kalidor.png.
set -euo pipefail

folder="$1"
entry="$2"
case "$folder" in
*$'\n'* | *$'\r'*)
    echo "Le nom du dossier $folder ne peut pas figurer dans une entrée de menu." >&2
    exit 1
    ;;
esac

# A string value: a backslash is written doubled.
string_value() {
    printf '%s' "${1//\\/\\\\}"
}

# One argument of Exec: quoted, with \ " ` $ escaped by a backslash and % doubled; then
# written as a string value.
exec_argument() {
    local quoted="$1"
    quoted="${quoted//\\/\\\\}"
    quoted="${quoted//\"/\\\"}"
    quoted="${quoted//\`/\\\`}"
    quoted="${quoted//\$/\\\$}"
    quoted="${quoted//%/%%}"
    string_value "\"$quoted\""
}

mkdir -p "$(dirname "$entry")"
temporary="$(mktemp "$entry.XXXXXX")"
trap 'rm -f "$temporary"' EXIT
cat >"$temporary" <<ENTRY
[Desktop Entry]
Type=Application
Name=KALIDOR
GenericName=Suivi des compétences B2i
Comment=Suivi des compétences B2i des élèves : fiches, attestations et listes
Exec=$(exec_argument "$folder/kalidor")
Icon=$(string_value "$folder/kalidor.png")
Terminal=false
Categories=Education;
Keywords=B2i;élèves;compétences;attestation;école;collège;
ENTRY
chmod 644 "$temporary"
mv "$temporary" "$entry"
trap - EXIT
