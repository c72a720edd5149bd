# Sourced by the shell-script tests: a scratch folder, $work, removed on
# exit, and error, which reports a failed check and counts it in $errors.
work=$(mktemp -d) || exit 1
trap 'rm -rf -- "$work"' EXIT
errors=0
error() {
  echo "FAIL: $*"
  errors=$((errors + 1))
}
