#!/bin/bash
# Formats every corpus file under examples/ with each preset and a set of switch mixes and
# checks that it succeeds, keeps the program text and gives the same text a second time.
# Usage: corpuscheck.sh BRELM EXAMPLESDIR
set -u
brelm=${1:?brelm program}
examples=${2:?examples folder}
work=$(mktemp -d "${TMPDIR:-/tmp}/corpuscheck.XXXXXX")
trap 'rm -rf "$work"' EXIT

switchsets=(
    ""
    "-al" "-ar" "-ai" "-lsql" "-rsql" "-isql" "-alol" "-ol"
    "-mcs 60 -acs -aci -asc -abuc -amso"
    "-mcs 80 -acs -aci -asc -abuc -amso"
    "-al -mcs 80 -aci"
    "-sbi"
    "-sbi -sbi.ml 5"
    "-uk -ui"
    "-lk -li"
    "-ck -ci+"  # a bare -ci takes the next word as the continuation indent
    "-ut -t 2,8"
    "-uts -t 2,8"
    "-acav -actv -aav -ps 2"
    "-bus -bbj -plouwh -pcr"
    "-html"
    "-pp"
)

failures=0
checks=0

fail() {
    echo "FAIL [$1] $2: $3"
    failures=$((failures + 1))
}

# The program text without whitespace, lower-cased: what formatting must keep.
stripped() { tr -d ' \t\r\n\f\v' < "$1" | tr '[:upper:]' '[:lower:]'; }

# run FILE OUTPUT SWITCHES...: formats FILE into OUTPUT; the messages land in OUTPUT.err.
run() {
    local input=$1 output=$2
    shift 2
    "$brelm" -b 0 -bdir "$work" -sr- "$@" -i "$input" -o "$output" > "$output.err" 2>&1
}

for file in "$examples"/*.sql; do
    name=$(basename "$file")
    for set in "${switchsets[@]}"; do
        read -r -a switches <<< "$set"
        label="${set:-defaults}"
        first="$work/first" second="$work/second"
        checks=$((checks + 1))
        run "$file" "$first" "${switches[@]}"
        code=$?
        if [ "$code" -ne 0 ]; then
            fail "$label" "$name" "exit code $code: $(head -c 400 "$first.err")"
            continue
        fi
        if [ -s "$first.err" ]; then
            fail "$label" "$name" "messages on a valid unit: $(head -c 400 "$first.err")"
            continue
        fi
        case " $set " in
            *" -html "*)
                # Html is not formatted again: it must be the html of the plain result.
                run "$file" "$work/plain" && run "$work/plain" "$second" "${switches[@]}" ||
                    { fail "$label" "$name" "second run failed: $(head -c 400 "$second.err")"; continue; }
                ;;
            *)
                case " $set " in
                    *" -sbi "* | *" -pp "*) ;;
                    *)
                        if [ "$(stripped "$file")" != "$(stripped "$first")" ]; then
                            fail "$label" "$name" "program text changed"
                            continue
                        fi
                        ;;
                esac
                if ! run "$first" "$second" "${switches[@]}"; then
                    fail "$label" "$name" "second run failed: $(head -c 400 "$second.err")"
                    continue
                fi
                ;;
        esac
        if ! cmp -s "$first" "$second"; then
            fail "$label" "$name" "second formatting differs:"
            diff "$first" "$second" | head -20
        fi
    done
done

echo "corpus check: $checks runs, $failures failures"
[ "$failures" -eq 0 ]
