#!/usr/bin/env bash
# The desktop menu entry that run.sh installs: written for a program folder whose path holds
# blanks and characters the entry must escape, it passes desktop-file-validate and starts the
# program at that very path.
set -euo pipefail
script="$1"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
folder="$work/Mes \"élèves\" \$HOME \`a\` 100% \\B2i"
mkdir -p "$folder"
entry="$work/applications/kalidor.desktop"

"$script" "$folder" "$entry"
desktop-file-validate "$entry"

expect() {
    if ! grep -qxF -- "$1" "$entry"; then
        echo "missing line: $1" >&2
        cat "$entry" >&2
        exit 1
    fi
}
expect "Name=KALIDOR"
expect "Categories=Education;"
# Quoted for the Exec rules (\" \` \$ \\ inside quotes, %% for %), then each backslash doubled
# as in every string value.
expect "Exec=\"$work/Mes \\\\\"élèves\\\\\" \\\\\$HOME \\\\\`a\\\\\` 100%% \\\\\\\\B2i/kalidor\""
expect "Icon=$work/Mes \"élèves\" \$HOME \`a\` 100% \\\\B2i/kalidor.png"
grep -q '^Comment=.*[éè]' "$entry" || { echo "no French comment" >&2; exit 1; }

# A folder whose name cannot be written in an entry is refused, and nothing is written.
if "$script" "$work/deux
lignes" "$work/refused.desktop" 2>/dev/null; then
    echo "a folder name holding a line break was accepted" >&2
    exit 1
fi
[ ! -e "$work/refused.desktop" ]
