#!/bin/bash
# Formats every corpus file under examples/ with each preset and a set of switch mixes and
# checks that it succeeds without messages, keeps the program text and its words and gives
# the same text when its output is formatted again. Under every set but -html the output
# keeps what SQL*Plus reads (strictcheck --sqlplus: its REM, PROMPT and command lines as they
# were, and as many lines continued by a final "-"). Under the default switches and the two
# sets of strictsets the output also passes the strict comparison of strictcheck (literals,
# comments, quoted names and REM/PROMPT lines byte for byte). The files are checked side by
# side.
# Usage: corpuscheck.sh BRELM EXAMPLESDIR STRICTCHECK
set -u
brelm=${1:?brelm program}
examples=${2:?examples folder}
strictcheck=${3:?strictcheck program}
work=$(mktemp -d "${TMPDIR:-/tmp}/corpuscheck.XXXXXX")
trap 'rm -rf "$work"' EXIT

switchsets=(
    ""
    "-al" "-ar" "-ai" "-lsql" "-rsql" "-isql" "-alol" "-ol"
    "-mcs 60 -acs -aci -asc -abuc -amso"
    "-mcs 80 -acs -aci -asc -abuc -amso"
    "-al -mcs 80 -aci"
    "-ai -mcs 60 -acs -aci -amso -amc"
    "-ar -mcs 100 -acs -aci -amso"
    "-sbi"
    "-sbi -sbi.ml 5" "-al -mcs 50 -acs -aci -amc -sbi -sbi.ml 5"
    "-uk -ui"
    "-lk -li"
    "-ck -ci+"  # a bare -ci takes the next word as the continuation indent
    "-dbvn -ui"
    "-ut -t 2,8"
    "-uts -t 2,8"
    "-acav -actv -aav -ps 2"
    "-ar -pcr -mlipl 2" "-pcr" "-pcr -aav" "-kpit"
    "-bus -bbj -plouwh -pcr"
    "-kitt -kwtt -kflt -kwlt -kpit -rael"
    "-html"
    "-pp"
    "-acav -actv -acarv -as -aav -mcs 100"
    "-acav -actv -acarv -as -aav -mcs 40"
    "-mcs 40 -al" "-mcs 60 -al" "-mcs 80 -al" "-mcs 100 -al"
    "-id -isc -rsbcb -itlwb- -aroa -uk -li -is 3"
    "-mcs 80 -acs -aci -asc -abuc -al -acav -actv -sbi -uk -ui"
    "-ar -mcs 70 -amso -acs -aci -asc -abuc -pcr -ni"
    "-milipl 3 -mlipl 5 -buml -rael"
    "-mcs 60 -abuc -iic -kitt -kflt -kpit -ncb- -milipl 3 -sao-"
)
# The sets (besides the defaults) under which the strict comparison runs too.
strictsets=(
    "-acav -actv -acarv -as -aav -mcs 100"
    "-id -isc -rsbcb -itlwb- -aroa -uk -li -is 3"
)

# isstrict SET: true for the default switches and the sets of strictsets.
isstrict() {
    local set=$1 strict
    [ -z "$set" ] && return 0
    for strict in "${strictsets[@]}"; do [ "$set" = "$strict" ] && return 0; done
    return 1
}

# The program text without whitespace, lower-cased: what formatting must keep.
# Under -asc a comment gives up some of its trailing "-" or "*": those are left out as well.
stripped() {
    local drop=' \t\r\n\f\v'
    case " $2 " in *" -asc "*) drop="$drop*-" ;; esac
    tr -d "$drop" < "$1" | tr '[:upper:]' '[:lower:]'
}

# The words (letters, digits, _, $ and #) of a file, lower-cased, one a line: two words glued
# together, or one split, keep the text without whitespace the same but change the program.
words() {
    grep -oE '[[:alnum:]_$#]+' "$1" | tr '[:upper:]' '[:lower:]'
}

# run FILE OUTPUT SWITCHES...: formats FILE into OUTPUT; the messages land in OUTPUT.err.
run() {
    local input=$1 output=$2
    shift 2
    "$brelm" -b 0 -bdir "$(dirname "$output")" -sr- "$@" -i "$input" -o "$output" > "$output.err" 2>&1
}

# checkset FILE FOLDER SET: one file under one switch set; prints what failed.
checkset() {
    local file=$1 folder=$2 set=$3 switches
    read -r -a switches <<< "$set"
    local label="${set:-defaults}" name first second code
    name=$(basename "$file")
    first="$folder/first" second="$folder/second"
    run "$file" "$first" "${switches[@]}"
    code=$?
    if [ "$code" -ne 0 ] || [ -s "$first.err" ]; then
        echo "FAIL [$label] $name: exit code $code: $(head -c 400 "$first.err")"
        return
    fi
    case " $set " in
        *" -html "*) ;;
        *)
            local meaning
            if ! meaning=$("$strictcheck" --sqlplus "$file" "$first"); then
                echo "FAIL [$label] $name: SQL*Plus meaning: $meaning"
                return
            fi
            echo "SQLPLUS $meaning"
            ;;
    esac
    if isstrict "$set"; then
        local compared
        if ! compared=$("$strictcheck" "$file" "$first"); then
            echo "FAIL [$label] $name: strict comparison: $compared"
            return
        fi
        echo "STRICT $compared"
    fi
    case " $set " in
        *" -html "*)
            # Html is not formatted again: it must be the html of the plain result.
            if ! run "$file" "$folder/plain" || ! run "$folder/plain" "$second" "${switches[@]}"; then
                echo "FAIL [$label] $name: second run failed: $(head -c 400 "$second.err")"
                return
            fi
            ;;
        *)
            case " $set " in
                *" -sbi "* | *" -pp "*) ;;
                *)
                    if [ "$(stripped "$file" "$set")" != "$(stripped "$first" "$set")" ]; then
                        echo "FAIL [$label] $name: program text changed"
                        return
                    fi
                    if [ "$(words "$file")" != "$(words "$first")" ]; then
                        echo "FAIL [$label] $name: words glued together or split"
                        return
                    fi
                    ;;
            esac
            run "$first" "$second" "${switches[@]}"
            code=$?
            if [ "$code" -ne 0 ] || [ -s "$second.err" ]; then
                echo "FAIL [$label] $name: second run: exit code $code: $(head -c 400 "$second.err")"
                return
            fi
            ;;
    esac
    if ! cmp -s "$first" "$second"; then
        echo "FAIL [$label] $name: second formatting differs:"
        diff "$first" "$second" | head -20
    fi
}

# checkfile FILE FOLDER: every switch set on one file; the report goes to FOLDER/report.
checkfile() {
    local file=$1 folder=$2 set
    mkdir -p "$folder"
    for set in "${switchsets[@]}"; do checkset "$file" "$folder" "$set"; done > "$folder/report"
}

files=("$examples"/*.sql)
for i in "${!files[@]}"; do
    checkfile "${files[$i]}" "$work/$i" &
done
wait

failures=$(cat "$work"/*/report | grep -c '^FAIL')
compared=$(cat "$work"/*/report | awk '/^STRICT / { sum += $2 } END { print sum + 0 }')
strictruns=$(cat "$work"/*/report | grep -c '^STRICT')
sqlplusruns=$(cat "$work"/*/report | grep -c '^SQLPLUS')
sqlpluslines=$(cat "$work"/*/report | awk '/^SQLPLUS / { lines += $2; hyphens += $3 } END { print lines + 0, hyphens + 0 }')
grep -hv '^STRICT\|^SQLPLUS' "$work"/*/report
echo "corpus check: ${#files[@]} files, ${#switchsets[@]} switch sets, $failures failures"
echo "SQL*Plus check: $sqlplusruns runs passed, ${sqlpluslines% *} SQL*Plus lines and ${sqlpluslines#* } continued lines compared"
echo "strict comparison: ${#files[@]} files x $((${#strictsets[@]} + 1)) switch sets, $strictruns runs passed, $compared tokens compared"
[ "$failures" -eq 0 ]
