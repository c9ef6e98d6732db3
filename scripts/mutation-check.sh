#!/usr/bin/env bash
# Measures what the test suite is worth: applies each mutation listed in scripts/mutations.tsv,
# one at a time, to a copy of the tree, rebuilds and runs the whole suite. A mutation the suite
# lets pass is a fault it would miss.
#
#   scripts/mutation-check.sh [NAME-PATTERN]     # all mutations, or those whose name matches
#
# Each line of mutations.tsv is: name <TAB> file <TAB> text <TAB> replacement. The text must
# occur exactly once in the file, so a list that no longer fits the code says so instead of
# silently testing nothing. The copy lives in build-mutation/ (MUTATION_DIR overrides it).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
work=${MUTATION_DIR:-$top/build-mutation}
pattern=${1:-}
list=${MUTATIONS:-$top/scripts/mutations.tsv}

mkdir -p "$work/src"
tar -C "$top" --exclude='./build*' --exclude='./.git' -cf - . | tar -C "$work/src" -xf -
generator=()
if command -v ninja >/dev/null 2>&1 && [ ! -f "$work/build/CMakeCache.txt" ]; then generator=(-G Ninja); fi
cmake -S "$work/src" -B "$work/build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$work/build" -j2 >/dev/null

killed=0 survived=0 broken=0
report=()
while IFS=$'\t' read -r name file text replacement; do
    [ -z "$name" ] || [ "${name:0:1}" = "#" ] && continue
    [ -n "$pattern" ] && [[ "$name" != *$pattern* ]] && continue
    target="$work/src/$file"
    cp "$target" "$target.orig"
    if ! FROM="$text" TO="$replacement" perl -0pi -e '
            my $n = () = /\Q$ENV{FROM}\E/g;
            die "found $n times\n" if $n != 1;
            s/\Q$ENV{FROM}\E/$ENV{TO}/;' "$target" 2>"$work/perl.err"; then
        verdict="not applied ($(tr -d '\n' <"$work/perl.err"))"
        broken=$((broken + 1))
    elif ! cmake --build "$work/build" -j2 >"$work/build.log" 2>&1; then
        verdict="does not build"
        broken=$((broken + 1))
    elif (cd "$work/build" && ctest -j2 --stop-on-failure --timeout 300 >"$work/ctest.log" 2>&1); then
        verdict="SURVIVED"
        survived=$((survived + 1))
    else
        verdict="killed by $(grep -m1 -oE '[0-9]+ - tst_[a-z_]+' "$work/ctest.log" | sed 's/.* - //')"
        killed=$((killed + 1))
    fi
    mv "$target.orig" "$target"
    touch "$target"
    report+=("$(printf '%-55s %s' "$name" "$verdict")")
    echo "${report[-1]}"
done <"$list"
cmake --build "$work/build" -j2 >/dev/null || true
echo
echo "killed $killed, survived $survived, unusable $broken"
