# Checks shared by the command-line tools' test cases. A case script sources
# this with its own arguments, CASE TOOL SOURCE_DIR WORK_DIR: the work folder
# is made afresh and the tool's output folder is "$work/out".
set -uo pipefail
case_name=$1 tool=$2 source_dir=$3 work=$4
rm -rf "$work" && mkdir -p "$work"
out="$work/out"

fail() { echo "FAIL ($case_name): $*"; echo "--- stdout"; cat "$work/stdout"; echo "--- stderr"; cat "$work/stderr"; exit 1; }

# Runs the tool with the arguments given, keeping its output and exit code.
run() { "$tool" "$@" >"$work/stdout" 2>"$work/stderr"; echo $? >"$work/code"; }
code() { cat "$work/code"; }
expect_code() { [[ "$(code)" == "$1" ]] || fail "exit code $(code), expected $1"; }
expect_stderr() { grep -qF -- "$1" "$work/stderr" || fail "stderr lacks: $1"; }
# One line on standard error, naming the tool (and holding $1 when given).
expect_one_line_error() {
  [[ $(wc -l <"$work/stderr") -eq 1 ]] || fail "expected one line on stderr"
  grep -q "^$(basename "$tool"): " "$work/stderr" || fail "the line does not name the tool"
  [[ -z "${1:-}" ]] || expect_stderr "$1"
}
expect_no_output() {
  if [[ -d "$out" ]] && [[ -n "$(ls -A "$out")" ]]; then fail "files left behind: $(ls -A "$out")"; fi
}
expect_no_partial_files() {
  if [[ -d "$out" ]] && ls -A "$out" | grep -q -E 'part|tmp|~'; then fail "partial files left: $(ls -A "$out")"; fi
}
# The exit-code table every tool's --help ends with, the unexpected failure's
# code included.
expect_exit_codes_listed() {
  tr '\n' ' ' <"$work/stdout" | grep -qE 'Exit codes: 0 .* 2 bad command line, 3 .* 4 .* 5 an unexpected +failure' ||
    fail "--help does not list the exit codes"
}
